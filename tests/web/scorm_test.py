#!/usr/bin/python3
"""The page in a school's learning platform, in one browser engine (engines.py): the SCORM 1.2
package against the scorm-again run-time in a host page (the API in the parent, two frames
up, in an opener, absent, failing), the package itself, and the printed worksheet.
  scorm_test.py ENGINE [Class.test ...]    (or --list)
The environment names the package, the pages, the tables and where to leave the worksheet's
PDF and picture."""
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import urllib.parse
import xml.etree.ElementTree as ElementTree
import zipfile

import engines

PACKAGE = pathlib.Path(os.environ.get("QUIZ_WEB_PACKAGE",
                                      "build/web/pioneers-quiz-scorm-1.0.0.zip"))
PAGE_DIR = os.environ.get("QUIZ_WEB_PAGE_DIR", "build/web/page")
OUTPUT = pathlib.Path(os.environ.get("QUIZ_SCREENSHOTS", "build/web"))
DATA = json.loads(pathlib.Path(os.environ.get("QUIZ_SCENARIOS",
                                              "build/web/tests/web/scenarios.json")).read_text())
ENGINE = "chromium"

# The pair codes a teacher reads back: persons numbered, achievements lettered, in their order
# on screen (as the tables place them); row r's right pair is CODE[r].
ORDER = {array: [w["control"] for w in DATA["window"] if w["control"].startswith(array + "(")]
         for array in ("Option1", "Option2")}
NUMBER = {c: str(n) for n, c in enumerate(ORDER["Option1"], 1)}
LETTER = {c: "abcdefghi"[n] for n, c in enumerate(ORDER["Option2"])}
CODE = [f"{NUMBER[f'Option1({r})']}.{LETTER[f'Option2({r})']}" for r in range(9)]

# What the learning platform accepts (SCORM 1.2 and the limits Moodle enforces).
IDENTIFIER = re.compile(r"[\x21-\x7e]{1,255}")
TIME = re.compile(r"([01]\d|2[0-3]):[0-5]\d:[0-5]\d")
TIMESPAN = re.compile(r"\d{2,4}:[0-5]\d:[0-5]\d")

# The host: the run-time as the platform's API, every call recorded with the last error after
# it. ?frame=URL holds the page in a frame, ?open=URL in a window it opens; ?saved=JSON is
# what the platform holds from before; ?fail=NAME makes that call answer "false".
HOST = """<!DOCTYPE html><meta charset="utf-8"><title>host</title>
<script src="scorm12.js"></script>
<script>
  const query = new URLSearchParams(location.search);
  window.API = new Scorm12API({logLevel: 5});
  if (query.get('saved')) API.loadFromJSON(JSON.parse(query.get('saved')));
  window.calls = [];
  let failed = false;
  const lastError = API.LMSGetLastError.bind(API);
  for (const name of ['LMSInitialize', 'LMSFinish', 'LMSGetValue', 'LMSSetValue', 'LMSCommit']) {
    const real = API[name].bind(API);
    API[name] = (...args) => {
      failed = name === query.get('fail');
      const result = failed ? 'false' : real(...args);
      calls.push({name, args, result, error: API.LMSGetLastError()});
      return result;
    };
  }
  API.LMSGetLastError = () => failed ? '101' : lastError();
  if (query.get('open')) window.quizWindow = open(query.get('open'), 'quiz');
</script>
<iframe id="frame" width="700" height="500"></iframe>
<script>if (query.get('frame')) document.getElementById('frame').src = query.get('frame');</script>
"""
MIDDLE = """<!DOCTYPE html><meta charset="utf-8"><title>middle</title>
<iframe id="frame" width="680" height="480" src="package/index.html"></iframe>"""

# Every frame's console and uncaught errors, recorded for the test to read.
RECORD_CONSOLE = """
  window.quizConsole = [];
  for (const level of ['log', 'info', 'warn', 'error', 'debug']) {
    const real = console[level];
    console[level] = (...args) => { quizConsole.push(level + ': ' + args.join(' '));
                                    real.apply(console, args); };
  }
  addEventListener('error', (e) => quizConsole.push('uncaught: ' + e.message));
  addEventListener('unhandledrejection', (e) => quizConsole.push('rejected: ' + e.reason));"""


no_console = None


def setUpModule():
    global browser, site, server, pages_server, no_console
    site = pathlib.Path(tempfile.mkdtemp(prefix="quiz-platform-"))
    with zipfile.ZipFile(PACKAGE) as package:
        package.extractall(site / "package")
    shutil.copy(engines.npm_root() / "scorm-again/dist/scorm12.js", site / "scorm12.js")
    (site / "host.html").write_text(HOST, encoding="utf-8")
    (site / "middle.html").write_text(MIDDLE, encoding="utf-8")
    server = engines.serve(site)
    pages_server = engines.serve(PAGE_DIR)
    browser = engines.start(ENGINE)
    try:
        browser.on_every_document(RECORD_CONSOLE)
    except engines.Unsupported as reason:  # the checks that read the console not run
        no_console = reason


def tearDownModule():
    browser.quit()
    server.shutdown()
    pages_server.shutdown()
    shutil.rmtree(site, ignore_errors=True)


def load(address, frames=()):
    """Opens an address and waits until the quiz inside these nested frames works."""
    browser.open(address)
    browser.enter(*frames)
    wait(WORKS)


def click(*element_ids):
    """A user's clicks with the mouse, in turn, on these controls."""
    for each in element_ids:
        browser.click(each)


def run(script, *args):
    return browser.js(script, *args)


def wait(script):
    """Until the script's value is true (10 s at most)."""
    engines.until(lambda: run(script), f"{ENGINE}: {script}")


WORKS = "const q = document.getElementById('quiz'); return !!q && !q.inert"
FINISHED = "return calls.some((c) => c.name === 'LMSFinish')"
HELD = "return JSON.parse(JSON.stringify(API.cmi))"  # what the platform holds, as a tree


def url(path, **query):
    address = f"http://127.0.0.1:{server.server_address[1]}/{path}"
    return address + ("?" + urllib.parse.urlencode(query) if query else "")


def folder_page():
    return f"http://127.0.0.1:{pages_server.server_address[1]}/index.html"


def console():
    if no_console:
        raise no_console
    return run("return window.quizConsole")


def shown_text():
    return run("return document.getElementById('Text1_0').textContent")


def answer(person, achievement):
    """Chooses the person and the achievement of these rows and presses "Изведи"."""
    click(f"Option1_{person}", f"Option2_{achievement}", "Command1_0")


class PlatformTest(unittest.TestCase):
    """The package in a host page: what the platform is told, and when."""

    def calls(self, frames):
        """The host's record of calls; back into the page's frame afterwards."""
        browser.enter()
        recorded = run("return calls")
        browser.enter(*frames)
        return recorded

    def assert_answer(self, calls, n, person, achievement):
        """The calls of the n-th recorded answer: one interaction in the run-time's formats,
        then the score, a commit last. The values set, by element."""
        sets = {c["args"][0]: c["args"][1] for c in calls if c["name"] == "LMSSetValue"}
        prefix = f"cmi.interactions.{n}."
        self.assertEqual({k[len(prefix):]: v for k, v in sets.items() if k.startswith(prefix)},
                         {"id": f"pioneer{CODE[person][0]}", "type": "matching",
                          "student_response": f"{CODE[person][0]}.{CODE[achievement][2]}",
                          "correct_responses.0.pattern": CODE[person],
                          "result": "correct" if person == achievement else "wrong",
                          "time": sets.get(prefix + "time")}, f"answer {n}")
        self.assertRegex(sets[prefix + "id"], IDENTIFIER)
        self.assertRegex(sets[prefix + "time"], TIME)
        self.assertEqual(calls[-1]["name"], "LMSCommit", f"answer {n}: no commit after it")
        return sets

    def play(self, frames, answers, start=0):
        """Answers (person row, achievement row) in turn, each checked as it is recorded;
        the values set for each."""
        written = []
        seen = len(self.calls(frames))
        for n, (person, achievement) in enumerate(answers, start):
            answer(person, achievement)
            calls = self.calls(frames)
            written.append(self.assert_answer(calls[seen:], n, person, achievement))
            seen = len(calls)
        return written

    def leave(self):
        """The platform closes the activity (the frame navigates away): the session ends
        once, last, and every call has gone without error. What the platform holds."""
        browser.enter()
        run("document.getElementById('frame').src = 'about:blank'")
        wait(FINISHED)
        return self.ended()

    def ended(self):
        calls = run("return calls")
        self.assertEqual([c for c in calls if c["error"] != "0"], [])
        self.assertEqual([c["name"] for c in calls].count("LMSFinish"), 1)
        self.assertEqual(calls[-1]["name"], "LMSFinish")
        return run(HELD)

    def assert_core(self, held, status, exit, raw):
        self.assertEqual({k: held["core"][k] for k in ("lesson_status", "exit", "score")},
                         {"lesson_status": status, "exit": exit,
                          "score": {"raw": raw, "min": "0", "max": "100"}})
        self.assertRegex(held["core"]["session_time"], TIMESPAN)

    def test_nine_right_pairs_among_wrong_ones_complete_the_attempt(self):
        load(url("host.html", frame="package/index.html"), ["frame"])
        calls = self.calls(["frame"])
        self.assertEqual([c["name"] for c in calls],
                         ["LMSInitialize"] + 5 * ["LMSGetValue"] + ["LMSSetValue"])
        self.assertEqual(calls[-1]["args"], ["cmi.core.lesson_status", "incomplete"])
        # A wrong pair first and one among the right, then a press with a group unchosen
        # and "Чисти": neither records anything nor takes a row back.
        rows = [int(c[len("Option1("):-1]) for c in ORDER["Option1"]]  # persons from the top
        answers = [(4, 5)] + [(r, r) for r in rows[:4]] + [(8, 0)] + [(r, r) for r in rows[4:]]
        written = self.play(["frame"], answers[:6])
        seen = len(self.calls(["frame"]))
        click("Command1_1", "Option1_7", "Command1_0", "Command1_1")
        self.assertEqual(len(self.calls(["frame"])), seen)
        written += self.play(["frame"], answers[6:], start=6)
        self.assertEqual([w["cmi.core.score.raw"] for w in written],
                         ["0", "11", "22", "33", "44", "44", "56", "67", "78", "89", "100"])
        self.assertEqual(written[-1]["cmi.core.lesson_status"], "completed")
        self.assertEqual(written[-1]["cmi.suspend_data"], ",".join(sorted(CODE)))
        self.assertEqual(console(), [])
        self.assertEqual(run("return navigator.serviceWorker.getRegistrations()"
                             ".then((r) => r.length)"), 0)  # none registered
        held = self.leave()
        self.assert_core(held, "completed", "", "100")
        self.assertEqual(
            [(i["id"], i["student_response"], i["correct_responses"]["0"]["pattern"],
              i["result"]) for i in (held["interactions"][str(n)] for n in range(11))],
            [(f"pioneer{CODE[p][0]}", f"{CODE[p][0]}.{CODE[a][2]}", CODE[p],
              "correct" if p == a else "wrong") for p, a in answers])
        print("\nnine right pairs among two wrong, then leaving:",
              json.dumps(held, ensure_ascii=False))

    def test_three_right_two_wrong_leaving_and_a_return_that_goes_on(self):
        load(url("host.html", frame="package/index.html"), ["frame"])
        self.play(["frame"], [(4, 4), (5, 3), (5, 5), (0, 2), (3, 3)])
        held = self.leave()
        self.assert_core(held, "incomplete", "suspend", "33")
        self.assertEqual(held["suspend_data"], ",".join(sorted(CODE[r] for r in (4, 5, 3))))
        print("\nthree right, two wrong, then leaving:", json.dumps(held, ensure_ascii=False))
        # The platform opens the same attempt again with what it kept: the window opens as
        # always, and the score goes on from the rows found, never below the score it holds
        # (here higher than those rows make: a score written once is never written lower).
        saved = {"core": {"entry": "resume", "lesson_status": "incomplete",
                          "score": {"raw": "44"}},
                 "suspend_data": held["suspend_data"], "interactions": held["interactions"]}
        load(url("host.html", frame="package/index.html", saved=json.dumps(saved)), ["frame"])
        self.assertEqual([shown_text(), run("return document.querySelectorAll(':checked').length")],
                         [DATA["results"]["statement"], 0])
        rest = [(8, 1), (4, 4)] + [(r, r) for r in (6, 8, 1, 7, 2, 0)]
        self.assertEqual([w["cmi.core.score.raw"] for w in self.play(["frame"], rest, start=5)],
                         ["44", "44", "44", "56", "67", "78", "89", "100"])
        self.assert_core(self.leave(), "completed", "", "100")

    def test_the_api_two_frames_up_and_in_an_opener(self):
        load(url("host.html", frame="middle.html"), ["frame", "frame"])
        self.play(["frame", "frame"], [(6, 6)])
        self.assertEqual(self.leave()["core"]["score"]["raw"], "11")

        browser.open(url("host.html", open="package/index.html"))
        browser.follow_opened()
        wait(WORKS)
        answer(2, 2)
        browser.close_opened()
        wait(FINISHED)
        self.assertEqual(self.ended()["interactions"]["0"]["id"], f"pioneer{CODE[2][0]}")

    def test_a_call_answering_false_is_told_once_and_the_quiz_goes_on(self):
        for fail in ("LMSCommit", "LMSInitialize"):
            with self.subTest(fail):
                load(url("host.html", frame="package/index.html", fail=fail), ["frame"])
                for _ in range(3):
                    answer(3, 3)
                self.assertEqual(shown_text(), DATA["results"]["right 3"])
                self.assertEqual(console(), [f'warn: {fail}(""): 101'])
                names = [c["name"] for c in self.calls(["frame"])]
                self.assertEqual(names.count(fail), 3 if fail == "LMSCommit" else 1)
                if fail == "LMSInitialize":
                    self.assertEqual(names, ["LMSInitialize"])


class WithoutPlatformTest(unittest.TestCase):
    def test_the_package_alone_is_the_page_of_today_and_silent(self):
        """A scenario on the package's page with no API anywhere and on the folder page:
        the same texts, the same markup after it, nothing in the console."""
        scenario = next(s for s in DATA["scenarios"]
                        if s["name"] == "EveryMatchingPairShowsItsBiography")
        shown = []
        for address in (url("package/index.html"), folder_page()):
            load(address)
            for step in scenario["steps"]:
                click(step["click"].replace("(", "_").rstrip(")"))
            self.assertEqual(shown_text(), DATA["results"][scenario["steps"][-1]["result"]])
            self.assertEqual(console(), [], address)
            shown.append(run("""const body = document.body.cloneNode(true);
                                body.querySelectorAll('script').forEach((s) => s.remove());
                                return body.innerHTML.trim();"""))
        self.assertEqual(shown[0], shown[1])

    def test_an_api_of_another_origin_is_passed_by_in_silence(self):
        load(url("host.html", frame=folder_page()), ["frame"])
        answer(3, 3)
        self.assertEqual([shown_text(), console()], [DATA["results"]["right 3"], []])
        browser.enter()
        self.assertEqual(run("return calls"), [])


class PackageTest(unittest.TestCase):
    def test_manifest_at_the_root_well_formed_and_listing_every_file(self):
        listing = subprocess.run(["unzip", "-l", str(PACKAGE)], capture_output=True, text=True,
                                 check=True).stdout
        self.assertRegex(listing, r"\s imsmanifest\.xml\n")
        with zipfile.ZipFile(PACKAGE) as package:
            text = package.read("imsmanifest.xml").decode("utf-8")
            files = set(package.namelist()) - {"imsmanifest.xml"}
        subprocess.run(["xmllint", "--noout", "-"], input=text, text=True, check=True)
        ns = {"cp": "http://www.imsproject.org/xsd/imscp_rootv1p1p2"}
        root = ElementTree.fromstring(text)
        self.assertEqual(root.tag, "{%s}manifest" % ns["cp"])
        self.assertEqual([root.findtext("cp:metadata/cp:schema", namespaces=ns),
                          root.findtext("cp:metadata/cp:schemaversion", namespaces=ns)],
                         ["ADL SCORM", "1.2"])
        items = root.findall("cp:organizations/cp:organization/cp:item", ns)
        resources = root.findall("cp:resources/cp:resource", ns)
        self.assertEqual([len(root.findall("cp:organizations/cp:organization", ns)), len(items),
                          len(resources)], [1, 1, 1])
        self.assertEqual(items[0].findtext("cp:title", namespaces=ns), DATA["window"][0]["name"])
        self.assertEqual(items[0].get("identifierref"), resources[0].get("identifier"))
        self.assertEqual([resources[0].get("type"), resources[0].get("href")],
                         ["webcontent", "index.html"])
        self.assertIn('xmlns:adlcp="http://www.adlnet.org/xsd/adlcp_rootv1p2"', text)
        self.assertIn('adlcp:scormtype="sco"', text)  # the prefix written as such
        self.assertEqual({f.get("href") for f in resources[0].findall("cp:file", ns)}, files)
        self.assertFalse({"sw.js", "manifest.webmanifest"} & files)


class WorksheetTest(unittest.TestCase):
    def test_prints_on_one_a4_page_with_the_numbered_and_lettered_captions(self):
        load(folder_page())
        self.assertEqual(run("return getComputedStyle(document.querySelector('.sheet')).display"),
                         "none")  # not on screen
        click("Option1_3", "Option2_3", "Command1_0")  # what the window shows is not printed
        pdf = OUTPUT / f"worksheet-{ENGINE}.pdf"
        pdf.write_bytes(browser.print_pdf())
        info = subprocess.run(["pdfinfo", str(pdf)], capture_output=True, text=True,
                              check=True).stdout
        self.assertRegex(info, r"Pages:\s+1\n")
        self.assertRegex(info, r"Page size:\s+59[4-6](\.\d+)? x 84[1-3](\.\d+)? pts \(A4\)")
        text = subprocess.run(["pdftotext", "-layout", str(pdf), "-"], capture_output=True,
                              text=True, check=True).stdout
        self.assertEqual(text.split()[:4], DATA["window"][0]["name"].split())  # the title first
        names = {w["control"]: w["name"] for w in DATA["window"]}
        marks = {**{c: NUMBER[c] + "." for c in ORDER["Option1"]},
                 **{c: "абвгдежзи"["abcdefghi".index(LETTER[c])] + ")" for c in ORDER["Option2"]}}
        for control, mark in marks.items():
            self.assertRegex(text, re.escape(mark) + r"\s+" + r"\s+".join(
                map(re.escape, names[control].split())))
        for absent in ("Изведи", "Чисти", DATA["results"]["right 3"].split("\r\n")[1][:20]):
            self.assertNotIn(absent, text)
        # A picture to look at, and black on white: no pixel of colour.
        subprocess.run(["pdftoppm", "-r", "60", "-png", "-singlefile", str(pdf),
                        str(OUTPUT / f"worksheet-{ENGINE}")], check=True)
        ppm = subprocess.run(["pdftoppm", "-r", "30", str(pdf)], capture_output=True,
                             check=True).stdout
        pixels = ppm.split(b"\n", 3)[3]  # after "P6", the size and the largest value
        self.assertFalse(any(pixels[i] != pixels[i + 1] or pixels[i] != pixels[i + 2]
                             for i in range(0, len(pixels), 3)))


if __name__ == "__main__":
    sys.exit(engines.main(sys.modules[__name__], sys.argv))
