#!/usr/bin/python3
"""The quiz page in headless Chromium, one browser for every test, against the shared tables
(JSON from dump_scenarios). page_test.py [TestClass ...]; the environment names the pages,
the tables and where to save screenshots."""
import base64
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import chromium

PAGE_DIR = os.environ.get("QUIZ_WEB_PAGE_DIR", "build/web/page")
SINGLE_FILE = os.environ.get("QUIZ_WEB_SINGLE_FILE", "build/web/pioneers-quiz.html")
SCREENSHOTS = pathlib.Path(os.environ.get("QUIZ_SCREENSHOTS", "build/web"))
DATA = json.loads(pathlib.Path(os.environ.get("QUIZ_SCENARIOS",
                                              "build/web/tests/web/scenarios.json")).read_text())

def setUpModule():
    global browser, server, profile
    server = chromium.serve(PAGE_DIR)
    profile = tempfile.mkdtemp(prefix="quiz-chromium-")
    browser = chromium.start(profile)
    # Test only: the module's exports, to read the controller's choices.
    browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
      const instantiate = WebAssembly.instantiate;
      WebAssembly.instantiate = async (...args) => {
        const made = await instantiate(...args);
        window.quizModule = made.instance.exports;
        return made;
      };"""})


def tearDownModule():
    browser.quit()
    server.shutdown()
    shutil.rmtree(profile, ignore_errors=True)


def open_page(url=None):
    """A fresh window: the page loaded anew and its module built."""
    browser.get(url or f"http://127.0.0.1:{server.server_address[1]}/index.html")
    WebDriverWait(browser, 10).until(
        lambda b: b.execute_script(
            "return !!window.quizModule && document.activeElement !== document.body"))


def js(script, *args):
    return browser.execute_script(script, *args)


# What the window shows, named as the tables name it ("Option1(4)", "" for no choice): the
# controller's choices, the result box's text and whether the focus is marked.
STATE = """
  const name = (e) => e ? e.id.replace(/_(\\d+)$/, '($1)') : '';
  const checked = (group) => [...document.querySelectorAll(`#${group} input:checked`)]
      .map((e) => name(e.closest('[id]'))).join(' ');
  const focus = document.activeElement;
  const mark = focus.closest('.option')?.querySelector('span') || focus;
  return {focus: name(focus.closest('[id]')),
          person: checked('Frame1_0'), achievement: checked('Frame1_1'),
          choices: [quizModule.quiz_chosen_person(), quizModule.quiz_chosen_achievement()],
          text: document.getElementById('Text1_0').textContent,
          focus_mark: focus.matches(':focus-visible') &&
                      getComputedStyle(mark).outlineStyle !== 'none'};"""


def state():
    return js(STATE)


def element_id(control):
    """The element of a control the tables name: "Option1(4)" is "Option1_4"."""
    return control.replace("(", "_").rstrip(")")


def click(*element_ids):
    """A user's clicks with the mouse, in turn, on those controls the window has."""
    for each in element_ids:
        found = browser.find_elements("id", each)
        if found:
            found[0].click()


def text(result):
    return DATA["results"][result]


# Clicks a batch of controls by id (those the window has) and records the state after each.
PLAY_BATCH = """
  const record = () => {""" + STATE + """};
  return arguments[0].map((id) => {
    const element = document.getElementById(id);
    if (element) (element.control || element).click();
    return record();
  });"""


KEYS = {"tab": Keys.TAB, "up": Keys.ARROW_UP, "down": Keys.ARROW_DOWN,
        "left": Keys.ARROW_LEFT, "right": Keys.ARROW_RIGHT, "space": Keys.SPACE,
        "enter": Keys.ENTER, "escape": Keys.ESCAPE}
MODIFIERS = {"shift": Keys.SHIFT, "ctrl": Keys.CONTROL, "alt": Keys.ALT, "meta": Keys.META}


def press_key(name):
    """A real key press on the focused element: "tab", "shift_tab", "ctrl_alt_up"."""
    *held, key = name.split("_")
    chain = ActionChains(browser)
    for modifier in held:
        chain.key_down(MODIFIERS[modifier])
    chain.send_keys(KEYS[key])
    for modifier in reversed(held):
        chain.key_up(MODIFIERS[modifier])
    chain.perform()


class ReplayTest(unittest.TestCase):
    """Against the model's states: the scenarios with real clicks, the key runs with real key
    presses (Ctrl, Alt and Meta are the browser's), the random run on the single file."""

    def assert_state(self, shown, step, where, keys=False):
        """The window as the reference model has it after a step; the focus too after a key."""
        expected = {"person": step["person"], "achievement": step["achievement"],
                    "choices": step["choices"], "text": text(step["result"])}
        if keys:
            expected.update(focus=step["focus"], focus_mark=True)
        wrong = [f"{what}: expected {expected[what]!r}, got {shown[what]!r}"
                 for what in expected if shown[what] != expected[what]]
        if wrong:
            self.fail(f"{where}: " + "; ".join(wrong))

    def test_single_file_follows_the_random_run_with_nothing_fetched(self):
        run = DATA["random_run"]
        open_page(pathlib.Path(SINGLE_FILE).resolve().as_uri())
        for start in range(0, len(run["events"]), 500):
            batch = run["events"][start:start + 500]
            shown = js(PLAY_BATCH, [element_id(event["click"]) for event in batch])
            for n, (event, after) in enumerate(zip(batch, shown), start + 1):
                self.assert_state(after, event, f"seed {run['seed']}, event {n} "
                                                f"({event['click']})")
        # Neither loaded nor referred to (a failed load from file:// leaves no entry).
        fetched = js("""return performance.getEntriesByType('resource').map((e) => e.name).concat(
            [...document.querySelectorAll('[src], link[href]')].map((e) => e.src || e.href))""")
        self.assertEqual([u for u in fetched if not u.startswith("data:")], [])

    def test_every_key_run(self):
        for run in DATA["key_runs"]:
            with self.subTest(run["name"]):
                open_page()
                self.assertEqual(state()["focus"], DATA["opening"]["focus"], "at start")
                for number, step in enumerate(run["steps"], 1):
                    press_key(step["key"])
                    # Later steps build on this one: the run stops at its first wrong step.
                    self.assert_state(state(), step, f"step {number} ({step['key']})", keys=True)

    def test_every_scenario(self):
        for scenario in DATA["scenarios"]:
            with self.subTest(scenario["name"]):
                open_page()
                self.assert_state(state(), DATA["opening"], "at start", keys=True)
                for number, step in enumerate(scenario["steps"], 1):
                    click(element_id(step["click"]))
                    self.assert_state(state(), step, f"step {number} ({step['click']})")


class WindowTest(unittest.TestCase):
    """The defined window at 100 %: how it looks and what assistive technology reads."""

    def setUp(self):
        open_page()

    def test_the_defined_window_to_the_pixel(self):
        """Every rectangle, colour with its ink and the font as defined; person indicators on
        the right, achievements' on the left; the strip where rows overlap the upper one's."""
        shown = js("""
          const form = document.getElementById('quiz').getBoundingClientRect();
          const out = {form: [form.width, form.height], rects: {}, colours: {}};
          for (const e of document.querySelectorAll('#quiz, #quiz [id]')) {
            const r = e.getBoundingClientRect();
            const at = [r.left - form.left, r.top - form.top, r.width, r.height];
            if (e.id !== 'quiz') out.rects[e.id] = at;
            out.colours[e.id] = [getComputedStyle(e).backgroundColor, getComputedStyle(e).color];
          }
          const style = getComputedStyle(document.getElementById('quiz'));
          out.font = [style.fontFamily, style.fontSize, style.fontWeight];
          const x = (e) => e.getBoundingClientRect().left;
          out.sides = ['Option1_4', 'Option2_4'].map((id) => document.getElementById(id)).map(
              (e) => x(e.querySelector('input')) > x(e.querySelector('span')) ? 'right' : 'left');
          out.on_top = arguments[0].map(([upper, lower]) => {
            const r = document.getElementById(lower).getBoundingClientRect();
            return document.elementFromPoint(r.left + 20, r.top + 1).closest('[id]').id;
          });
          return out;""", [[element_id(u), element_id(l)] for u, l in DATA["overlapping"]])
        size = next(s for s in DATA["client_sizes"] if s["dpi"] == 96)
        self.assertEqual(shown["form"], [size["width"], size["height"]])
        self.assertEqual(layout_shift(), 0)
        self.assertEqual(shown["rects"], {element_id(w["control"]): w["in_form"]
                                          for w in DATA["window"] if w["role"]})  # no list box
        for colour in DATA["colours"]:
            control = colour["control"]
            ids = ([i for i in shown["colours"] if i.startswith(control + "_")]
                   if "(" not in control else [element_id(control)]) if control else ["quiz"]
            for each in ids:  # dark ink on every light colour
                self.assertEqual(shown["colours"][each],
                                 ["rgb({}, {}, {})".format(*colour["rgb"]), "rgb(0, 0, 0)"], each)
        self.assertEqual(shown["font"],
                         ['"Times New Roman", "Liberation Serif", serif', "16px", "400"])
        self.assertEqual(shown["sides"], ["right", "left"])
        self.assertEqual(shown["on_top"], [element_id(u) for u, _ in DATA["overlapping"]])
        click("Option1_3", "Option2_3", "Command1_0")
        browser.find_element("id", "quiz").screenshot(str(SCREENSHOTS / "page-screenshot.png"))

    def test_every_control_has_its_role_and_name(self):
        roles = {"label": "heading", "panel": "group", "radio button": "radio",
                 "push button": "button", "text": "textbox"}  # the tables' to the tree's
        for w in DATA["window"]:
            if not w["role"]:
                continue
            element = browser.find_element("id", element_id(w["control"]))
            if w["role"] == "radio button":
                element = element.find_element("css selector", "input")
            self.assertEqual((element.aria_role, element.accessible_name),
                             (roles[w["role"]], w["name"]), w["control"])

    def test_result_box_is_a_polite_live_region_that_scrolls(self):
        box = browser.find_element("id", "Text1_0")
        self.assertEqual([box.get_attribute(a) for a in ("aria-live", "aria-readonly",
                          "aria-multiline")] + [box.value_of_css_property("overflow-y")],
                         ["polite", "true", "true", "scroll"])  # and its scroll bar
        js("arguments[0].scrollTop = 1000", box)
        click("Option1_0", "Option2_0", "Command1_0")
        self.assertEqual(js("return arguments[0].scrollTop", box), 0)  # a result from its top
        self.assertEqual(state()["text"], text("right 0"))

    def test_language_title_heading_icon_and_reading_order(self):
        self.assertEqual(js("return document.documentElement.lang"), "bg")
        self.assertEqual(browser.title, "Пионери на изчислителната техника")
        for page in (pathlib.Path(PAGE_DIR) / "index.html", pathlib.Path(SINGLE_FILE)):
            self.assertIn(f"<title>{browser.title}</title>", page.read_text(encoding="utf-8"))
        self.assertTrue(js("return !!document.querySelector('link[rel=icon]')"))
        self.assertEqual(js("return [...document.querySelectorAll('h1')].map((h) => h.id)"),
                         ["Label1_0"])
        # What a screen reader reads in turn is what stands from top left to bottom right.
        order = js("""
          return [...document.querySelectorAll('#quiz > [id], .frame > [id]')].map((e) => {
            const r = e.getBoundingClientRect();
            return [e.id, e.parentElement.id, r.top, r.left];
          });""")
        for parent in {row[1] for row in order}:
            rows = [row for row in order if row[1] == parent]
            self.assertEqual(rows, sorted(rows, key=lambda row: (row[2], row[3])), parent)


def emulate(width, height, scale=1, mobile=False, media=()):
    """The page as a device shows it: viewport in CSS pixels, device pixels to one, touch."""
    browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})
    browser.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                            {"enabled": mobile, "maxTouchPoints": 5 if mobile else 1})
    browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {
        "features": [{"name": name, "value": value} for name, value in media]})


def desktop():
    emulate(800, 600)
    browser.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def screenshot(name):
    """The whole page, as far down as it goes, saved for a person to look at."""
    height = js("return document.documentElement.scrollHeight")
    width = js("return innerWidth")
    shot = browser.execute_cdp_cmd("Page.captureScreenshot", {
        "format": "png", "captureBeyondViewport": True,
        "clip": {"x": 0, "y": 0, "width": width, "height": height, "scale": 1}})
    (SCREENSHOTS / f"page-{name}.png").write_bytes(base64.b64decode(shot["data"]))


# How the window fits the viewport: controls outside it, text cut off or over its box's border,
# a caption's size (CSS px) and height (device px), targets under 24 x 24 CSS px.
FIT = """
  const controls = [...document.querySelectorAll('#quiz [id]')];
  const texts = [...document.querySelectorAll('#quiz h1, #quiz legend, .option, .command')];
  const small = [...document.querySelectorAll('#quiz input, #quiz button')].filter((e) => {
    const r = e.getBoundingClientRect();
    return r.width < 24 || r.height < 24;
  });
  const caption = document.querySelector('.option span');
  return {
    horizontal_scroll: document.documentElement.scrollWidth > innerWidth,
    outside: controls.filter((e) => {
      const r = e.getBoundingClientRect();
      return r.left < 0 || r.right > innerWidth + 0.5;
    }).map((e) => e.id),
    clipped: texts.filter((e) => {
      const range = document.createRange();
      range.selectNodeContents(e);
      const text = range.getBoundingClientRect(), box = e.getBoundingClientRect();
      const border = (side) => parseFloat(getComputedStyle(e)[`border${side}Width`]);
      return e.scrollWidth > e.clientWidth + 1 || text.top < box.top + border('Top') - 0.5 ||
             text.bottom > box.bottom - border('Bottom') + 0.5;
    }).map((e) => e.id || e.textContent),
    small_targets: small.map((e) => e.closest('[id]').id),
    smallest_text: Math.min(...texts.map((e) => parseFloat(getComputedStyle(e).fontSize))),
    caption: parseFloat(getComputedStyle(caption).fontSize),
    caption_device_pixels: caption.getBoundingClientRect().height * devicePixelRatio,
  };"""

# WCAG 1.4.12's text spacing, as a user's style sheet sets it.
TEXT_SPACING = """
  const style = document.head.appendChild(document.createElement('style'));
  style.textContent = `* { line-height: 1.5 !important; letter-spacing: 0.12em !important;
      word-spacing: 0.16em !important; } p { margin-bottom: 2em !important; }`;"""

PHONES = {"portrait": (360, 740), "landscape": (740, 360)}


def tap(element_id):
    """A finger's tap (CDP touch events) on the middle of a control scrolled into view."""
    x, y = js("""
      const e = document.getElementById(arguments[0]);
      e.scrollIntoView({block: 'center'});
      const r = e.getBoundingClientRect();
      return [r.left + r.width / 2, r.top + r.height / 2];""", element_id)
    browser.execute_cdp_cmd("Input.dispatchTouchEvent",
                            {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
    browser.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})


class DevicesTest(unittest.TestCase):
    """Phones, zoom and forced colours: one column where the window does not fit."""

    def tearDown(self):
        desktop()

    def fit(self, where):
        shown = js(FIT)
        self.assertFalse(shown["horizontal_scroll"], where)
        self.assertEqual(shown["outside"], [], where)
        self.assertEqual(shown["clipped"], [], where)
        return shown

    def test_phones_fit_with_large_targets_and_taps_choose_and_judge(self):
        for name, (width, height) in PHONES.items():
            with self.subTest(name):
                emulate(width, height, 3, mobile=True)
                open_page()
                shown = self.fit(name)
                self.assertEqual(shown["small_targets"], [], name)
                self.assertGreaterEqual(shown["smallest_text"], 16, name)
                self.assertEqual(layout_shift(), 0, name)
                for taps, result in ((("Option1_3", "Option2_3", "Command1_0"), "right 3"),
                                     (("Option2_2", "Command1_0"), "wrong")):
                    for each in taps:
                        tap(each)
                    WebDriverWait(browser, 5).until(lambda b: [state()[k] for k in (
                        "person", "text")] == ["Option1(3)", text(result)])  # chosen, judged
                js("scrollTo(0, 0)")
                screenshot(f"phone-{name}")
                js(TEXT_SPACING)
                self.assertEqual(js(FIT)["clipped"], [], f"{name}, text spacing")

    def test_zoom_makes_text_larger_and_never_scrolls_sideways(self):
        # Browser zoom of a 1280 x 800 window: fewer, larger CSS pixels.
        sizes = {}
        for zoom in (1, 2, 4):
            emulate(1280 // zoom, 800 // zoom, zoom)
            open_page()
            sizes[zoom] = self.fit(f"zoom {zoom * 100} %")["caption_device_pixels"]
            if zoom == 4:
                screenshot("zoom-400")
        self.assertGreaterEqual(sizes[2], 2 * sizes[1])
        self.assertGreaterEqual(sizes[4], 3.5 * sizes[1])

    def test_larger_text_enlarges_the_window_whole(self):
        # A user's style sheet asking for text half as large again as the browser's default.
        emulate(1280, 800)
        open_page()
        js("document.documentElement.style.fontSize = '150%'")
        shown = self.fit("text at 150 %")
        self.assertEqual(shown["caption"], 24)
        size = next(s for s in DATA["client_sizes"] if s["dpi"] == 96)
        self.assertEqual(js("return document.getElementById('quiz').offsetWidth"),
                         size["width"] * 1.5)

    def test_a_minimum_font_size_puts_the_window_in_one_column(self):
        # A browser setting of its own, so a browser of its own: the one test that starts one.
        profile = tempfile.mkdtemp(prefix="quiz-chromium-")
        other = chromium.start(profile, {"webkit": {"webprefs": {"minimum_font_size": 24}}})
        try:
            other.get(f"http://127.0.0.1:{server.server_address[1]}/index.html")
            WebDriverWait(other, 10).until(
                lambda b: b.execute_script("return !document.getElementById('quiz').inert"))
            shown = other.execute_script(FIT)
            self.assertEqual([shown["clipped"], shown["small_targets"], shown["smallest_text"]],
                             [[], [], 24])
        finally:
            other.quit()
            shutil.rmtree(profile, ignore_errors=True)

    def test_forced_colours_keep_every_caption_inside_its_box(self):
        for width, height in ((800, 600), PHONES["portrait"]):
            emulate(width, height, media=[("forced-colors", "active")])
            open_page()
            self.assertTrue(js("return matchMedia('(forced-colors: active)').matches"))
            self.fit(f"{width} x {height}, forced colours")
            screenshot(f"forced-colours-{width}x{height}")


def layout_shift():
    """The page's cumulative layout shift so far."""
    return js("""
      return new Promise((done) => {
        let sum = 0;
        new PerformanceObserver((list) => {
          for (const entry of list.getEntries()) sum += entry.value;
        }).observe({type: 'layout-shift', buffered: true});
        setTimeout(() => done(sum), 200);
      });""")


AXE = pathlib.Path(subprocess.run(["npm", "root", "-g"], capture_output=True, text=True,
                                  check=False).stdout.strip()) / "axe-core" / "axe.min.js"


def axe_violations():
    """axe-core's WCAG 2.0 to 2.2 A and AA and best-practice rules on the page as it is."""
    if not js("return !!window.axe"):
        js(AXE.read_text(encoding="utf-8"))
    return js("""
      return axe.run(document, {runOnly: {type: 'tag', values: ['wcag2a', 'wcag2aa',
          'wcag21a', 'wcag21aa', 'wcag22a', 'wcag22aa', 'best-practice']}})
        .then((result) => result.violations.map((v) =>
            v.id + ': ' + v.nodes.map((n) => n.target.join(' ')).join(', ')));""")


class AxeTest(unittest.TestCase):
    def tearDown(self):
        desktop()

    def test_no_violations_at_start_after_a_right_answer_and_after_clearing(self):
        self.assertTrue(AXE.is_file(), f"{AXE}: run scripts/setup.sh web")
        # The defined window's option buttons stand 16 CSS px apart, under target-size's 24:
        # that is its design, kept where it fits; the one column has no such exception.
        views = {"desktop": ((800, 600, 1, False), {"target-size"}),
                 "phone": ((360, 740, 3, True), set()),
                 "zoom 400 %": ((320, 200, 4, False), set())}
        for view, (device, allowed) in views.items():
            emulate(*device)
            open_page()
            for when, clicks in (("at start", ()), ("after a right answer",
                                 ("Option1_3", "Option2_3", "Command1_0")),
                                 ("after clearing", ("Command1_1",))):
                js("arguments[0].forEach((id) => document.getElementById(id).click())", clicks)
                found = [v for v in axe_violations() if v.split(":")[0] not in allowed]
                self.assertEqual(found, [], f"{view}, {when}")


class OfflineTest(unittest.TestCase):
    def test_folder_page_installs_and_reloads_after_the_server_stops(self):
        own = chromium.serve(PAGE_DIR)  # an origin of its own, with no worker yet
        url = f"http://127.0.0.1:{own.server_address[1]}/"
        try:
            open_page(url)
            WebDriverWait(browser, 20).until(
                lambda b: b.execute_script("return !!navigator.serviceWorker.controller"))
            errors = browser.execute_cdp_cmd("Page.getInstallabilityErrors", {})
            self.assertEqual(errors["installabilityErrors"], [])
            m = js("return fetch('manifest.webmanifest').then((r) => r.json())")
            form = next(c["rgb"] for c in DATA["colours"] if not c["control"])
            self.assertEqual([m["name"], m["display"], m["theme_color"],
                              sorted(icon["sizes"] for icon in m["icons"])],
                             [browser.title, "standalone", "#{:02x}{:02x}{:02x}".format(*form),
                              ["192x192", "512x512"]])
        finally:
            own.shutdown()
            own.server_close()
        browser.execute_cdp_cmd("Network.clearBrowserCache", {})  # only the worker's cache
        open_page(url)
        click("Option1_3", "Option2_3", "Command1_0")
        self.assertEqual(state()["text"], text("right 3"))


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[1:])
