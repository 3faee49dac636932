#!/usr/bin/python3
"""Time from navigation to the first contentful paint of the quiz page in headless Chromium,
against the same static HTML without its scripts (both pages carry the window's markup).
Fresh navigations, interleaved in a new order each round; prints medians and ratios. The folder page is measured as
a returning visitor meets it: from its service worker's cache after the first round.

startup.py RUNS SINGLE_FILE PAGE_DIR
"""
import pathlib
import random
import re
import shutil
import statistics
import sys
import tempfile

from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests" / "web"))
import chromium  # noqa: E402  (the page tests' Chromium and web server)

SCRIPT = re.compile(r"<script\b[^>]*>.*?</script>\n?", re.S)


def main(runs, single_file, page_dir):
    work = pathlib.Path(tempfile.mkdtemp(prefix="quiz-bench-"))
    browser = chromium.start(work / "profile")

    def ready():
        WebDriverWait(browser, 10).until(
            lambda b: b.execute_script("return document.readyState === 'complete'"))

    # The static pages: each page as written, its scripts removed.
    static_dir = work / "static"
    static_dir.mkdir()
    single = pathlib.Path(single_file).read_text(encoding="utf-8")
    (work / "static.html").write_text(SCRIPT.sub("", single), encoding="utf-8")
    folder = (pathlib.Path(page_dir) / "index.html").read_text(encoding="utf-8")
    (static_dir / "index.html").write_text(SCRIPT.sub("", folder), encoding="utf-8")
    for name in ("quiz.css", "pioneers-quiz.png"):  # the folder page's static files, for http
        shutil.copyfile(pathlib.Path(page_dir) / name, static_dir / name)

    servers = {"page": chromium.serve(page_dir), "static": chromium.serve(static_dir)}
    pages = {
        "single file, file://": pathlib.Path(single_file).resolve().as_uri(),
        "static HTML, file://": (work / "static.html").as_uri(),
        "folder page, http://": f"http://127.0.0.1:{servers['page'].server_address[1]}/",
        "static HTML, http://": f"http://127.0.0.1:{servers['static'].server_address[1]}/",
    }
    samples = {name: [] for name in pages}
    # A new order each round: a navigation to another origin starts a new renderer, which
    # costs the page after it; no page is always that one.
    order = random.Random(1)
    for run in range(runs + 1):
        for name in order.sample(list(pages), len(pages)):
            url = pages[name]
            browser.get("about:blank")
            browser.get(url)
            ready()
            paint = browser.execute_script("""
              return new Promise((done) => new PerformanceObserver((list) => {
                for (const e of list.getEntries()) {
                  if (e.name === 'first-contentful-paint') done(e.startTime);
                }
              }).observe({type: 'paint', buffered: true}));""")
            if run > 0:  # the first round warms the file cache
                samples[name].append(paint)
    browser.quit()
    for server in servers.values():
        server.shutdown()
    shutil.rmtree(work, ignore_errors=True)

    med = {name: statistics.median(values) for name, values in samples.items()}
    print(f"{'':24} {'first paint ms':>16}")
    for name, value in med.items():
        print(f"{name:24} {value:16.1f}")
    print(f"{'ratio, file://':24} {med['single file, file://'] / med['static HTML, file://']:16.2f}")
    print(f"{'ratio, http://':24} {med['folder page, http://'] / med['static HTML, http://']:16.2f}")


if __name__ == "__main__":
    main(int(sys.argv[1]), sys.argv[2], sys.argv[3])
