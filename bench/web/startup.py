#!/usr/bin/python3
"""Time from navigation to the first contentful paint of the quiz page in headless Chromium
and Firefox, against the same static HTML without its scripts (both pages carry the window's
markup). Fresh navigations, interleaved in a new order each round; prints medians and ratios.
The folder page is measured as a returning visitor meets it: from its service worker's cache
after the first round.

startup.py RUNS SINGLE_FILE PAGE_DIR
"""
import pathlib
import random
import re
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests" / "web"))
import engines  # noqa: E402  (the page tests' browsers and web server)

SCRIPT = re.compile(r"<script\b[^>]*>.*?</script>\n?", re.S)
ENGINES = ("chromium", "firefox")


def first_paint(browser, url):
    """The page's first paint once its origin's renderer is running: a navigation to another
    origin (or scheme) first starts a renderer, which can take as long as the page itself."""
    browser.open(url)
    browser.open("about:blank")
    browser.open(url)
    for _ in range(200):
        if browser.js("return document.readyState === 'complete'"):
            break
        time.sleep(0.05)
    return browser.js("""
      return new Promise((done) => new PerformanceObserver((list) => {
        for (const e of list.getEntries()) {
          if (e.name === 'first-contentful-paint') done(e.startTime);
        }
      }).observe({type: 'paint', buffered: true}));""")


def main(runs, single_file, page_dir):
    work = pathlib.Path(tempfile.mkdtemp(prefix="quiz-bench-"))
    # The static pages: each page as written, its scripts removed.
    static_dir = work / "static"
    static_dir.mkdir()
    single = pathlib.Path(single_file).read_text(encoding="utf-8")
    (work / "static.html").write_text(SCRIPT.sub("", single), encoding="utf-8")
    folder = (pathlib.Path(page_dir) / "index.html").read_text(encoding="utf-8")
    (static_dir / "index.html").write_text(SCRIPT.sub("", folder), encoding="utf-8")
    for name in pathlib.Path(page_dir).iterdir():  # the folder page's other files, for http
        if name.name not in ("index.html", "quiz.js", "quiz.wasm", "sw.js"):
            shutil.copyfile(name, static_dir / name.name)

    servers = {"page": engines.serve(page_dir), "static": engines.serve(static_dir)}
    pages = {
        "single file, file://": pathlib.Path(single_file).resolve().as_uri(),
        "static HTML, file://": (work / "static.html").as_uri(),
        "folder page, http://": f"http://127.0.0.1:{servers['page'].server_address[1]}/",
        "static HTML, http://": f"http://127.0.0.1:{servers['static'].server_address[1]}/",
    }
    medians = {}
    for engine in ENGINES:
        browser = engines.start(engine)
        samples = {name: [] for name in pages}
        # A new order each round: a navigation to another origin starts a new renderer,
        # which costs the page after it; no page is always that one.
        order = random.Random(1)
        for run in range(runs + 1):
            for name in order.sample(list(pages), len(pages)):
                paint = first_paint(browser, pages[name])
                if run > 0:  # the first round warms the file cache and installs the worker
                    samples[name].append(paint)
        medians[engine] = {name: statistics.median(values) for name, values in samples.items()}
        version = browser.version
        browser.quit()
        medians[engine]["version"] = version
    for server in servers.values():
        server.shutdown()
    shutil.rmtree(work, ignore_errors=True)

    print(f"{'first paint, ms':24}" + "".join(f"{e:>12}" for e in ENGINES))
    for name in pages:
        print(f"{name:24}" + "".join(f"{medians[e][name]:12.1f}" for e in ENGINES))
    for scheme, page in (("file://", "single file"), ("http://", "folder page")):
        print(f"{'ratio, ' + scheme:24}" + "".join(
            f"{medians[e][f'{page}, {scheme}'] / medians[e][f'static HTML, {scheme}']:12.2f}"
            for e in ENGINES))
    print(f"{'version':24}" + "".join(f"{medians[e]['version']:>12}" for e in ENGINES))


if __name__ == "__main__":
    main(int(sys.argv[1]), sys.argv[2], sys.argv[3])
