#!/usr/bin/python3
"""The quiz page in headless Chromium: the shared scenarios and keyboard runs, a seeded
random run against the model, layout, colours, accessibility and the single file from
file://.

page_test.py [TestClass ...]; the environment names the page's folder, the single file,
the scenario and keyboard tables (JSON) and where to save a screenshot. QUIZ_RANDOM_SEED
replays a run.
"""
import json
import os
import pathlib
import shutil
import sys
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import chromium

PAGE_DIR = os.environ.get("QUIZ_WEB_PAGE_DIR", "build/web/page")
SINGLE_FILE = os.environ.get("QUIZ_WEB_SINGLE_FILE", "build/web/pioneers-quiz.html")
SCREENSHOT = os.environ.get("QUIZ_SCREENSHOT", "build/web/page-screenshot.png")
DATA = json.loads(pathlib.Path(os.environ.get("QUIZ_SCENARIOS",
                                              "build/web/tests/web/scenarios.json")).read_text())
ROWS = 9

browser = None
server = None
profile = None


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


STATE = """
  const checked = (name) => [...Array(9).keys()].filter(
      (i) => document.querySelector(`#${name}_${i} input`).checked);
  return {text: document.getElementById('Text1_0').textContent,
          people: checked('Option1'), achievements: checked('Option2')};"""


def state():
    return js(STATE)


def click(*element_ids):
    """A user's clicks with the mouse, in turn, on those controls the window has."""
    for element_id in element_ids:
        found = browser.find_elements("id", element_id)
        if found:
            found[0].click()


def press(*keys):
    ActionChains(browser).send_keys(*keys).perform()


def shift_tab():
    ActionChains(browser).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()


# The control array each click step of the scenarios names.
CLICKED = {"click_person": "Option1", "click_achievement": "Option2",
           "click_command": "Command1"}


class ScenariosTest(unittest.TestCase):
    """The scenario table that the native back ends replay, played with real clicks."""

    def test_every_scenario(self):
        self.assertEqual(len(DATA["scenarios"]), 10)
        for scenario in DATA["scenarios"]:
            with self.subTest(scenario["name"]):
                open_page()
                self.play(scenario["steps"])

    def play(self, steps):
        for number, step in enumerate(steps, 1):
            op, arg, text = step["op"], step["arg"], step["text"]
            where = f"step {number} ({op} {arg})"
            if op in CLICKED:
                click(f"{CLICKED[op]}_{arg}")
            elif op == "text_is":
                self.assertEqual(state()["text"], text, where)
            elif op == "text_ends_with":
                self.assertTrue(state()["text"].endswith(text), where)
            elif op == "person_selected":
                self.assertIn(arg, state()["people"], where)
            elif op == "person_not_selected":
                self.assertNotIn(arg, state()["people"], where)
            elif op == "achievement_selected":
                self.assertIn(arg, state()["achievements"], where)
            elif op == "selected_people":
                self.assertEqual(len(state()["people"]), arg, where)
            elif op == "selected_achievements":
                self.assertEqual(len(state()["achievements"]), arg, where)
            else:
                self.fail(f"unknown step {op}")


class SplitMix64:
    """The native random run's generator, so that a seed means the same run."""
    MASK = (1 << 64) - 1

    def __init__(self, seed):
        self.state = seed & self.MASK

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & self.MASK
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & self.MASK
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & self.MASK
        return z ^ (z >> 31)

    def below(self, n):
        return self.next() % n


def random_index(rng, valid):
    stray = (-1, -5, -15, 9, 10, 32767, -32768)
    if rng.below(10) == 0:
        return stray[rng.below(7)]
    return rng.below(valid)


class Model:
    """What the quiz must show, by the simplest rules (the native random run's model)."""

    def __init__(self):
        self.person, self.achievement = -5, -15
        self.selected_person = self.selected_achievement = None
        self.text = DATA["statement"]

    def click(self, kind, i):
        if kind == "Option1" and 0 <= i < ROWS:
            self.person = self.selected_person = i
        elif kind == "Option2" and 0 <= i < ROWS:
            self.achievement = self.selected_achievement = i
        elif kind == "Command1" and i == 0:
            same = self.person == self.achievement
            self.text = DATA["right"][self.person] if same else DATA["wrong"]
        elif kind == "Command1" and i == 1:
            self.__init__()
            self.text = DATA["cleared"]


def random_events(seed, count):
    rng = SplitMix64(seed)
    for _ in range(count):
        kind = rng.below(7)
        if kind < 6:
            index = random_index(rng, ROWS)
        else:
            index = random_index(rng, 4) - 1 if rng.below(8) == 0 else rng.below(2)
        yield ("Option1" if kind < 3 else "Option2" if kind < 6 else "Command1"), index


# Clicks a batch of controls by id (those the window has) and records the state after each.
PLAY_BATCH = """
  const record = () => {""" + STATE + """};
  return arguments[0].map((id) => {
    const element = document.getElementById(id);
    if (element) (element.control || element).click();
    return record();
  });"""


class RandomRunTest(unittest.TestCase):
    def test_follows_the_model(self):
        seed = int(os.environ.get("QUIZ_RANDOM_SEED", "20261208"))
        events = list(random_events(seed, 3000))
        open_page()
        model = Model()
        for start in range(0, len(events), 500):
            batch = events[start:start + 500]
            states = js(PLAY_BATCH, [f"{kind}_{i}" for kind, i in batch])
            for n, ((kind, i), shown) in enumerate(zip(batch, states), start + 1):
                model.click(kind, i)
                expected = {
                    "text": model.text,
                    "people": [] if model.selected_person is None else [model.selected_person],
                    "achievements": [] if model.selected_achievement is None
                    else [model.selected_achievement],
                }
                self.assertEqual(shown, expected,
                                 f"seed {seed}, event {n} ({kind} {i}); "
                                 f"replay with QUIZ_RANDOM_SEED={seed}")


# Every visible control's rectangle in CSS pixels, from the form's top left corner.
RECTANGLES = {
    "Label1_0": (80, 0, 337, 25),
    "Frame1_0": (8, 32, 153, 177),
    "Frame1_1": (168, 32, 313, 177),
    "Command1_0": (56, 216, 105, 19),
    "Command1_1": (288, 216, 105, 19),
    "Text1_0": (8, 240, 473, 137),
}
PERSON_TOPS = (184, 136, 168, 88, 56, 72, 104, 152, 120)
ACHIEVEMENT_TOPS = (184, 104, 88, 136, 56, 72, 168, 152, 120)
for _i in range(ROWS):
    RECTANGLES[f"Option1_{_i}"] = (16, PERSON_TOPS[_i], 137, 19)
    RECTANGLES[f"Option2_{_i}"] = (176, ACHIEVEMENT_TOPS[_i], 297, 19)


class LayoutTest(unittest.TestCase):
    def setUp(self):
        open_page()

    def test_rectangles_are_the_definitions_pixels(self):
        shown = js("""
          const form = document.getElementById('quiz').getBoundingClientRect();
          const out = {form: [form.width, form.height]};
          for (const e of document.querySelectorAll('#quiz [id]')) {
            const r = e.getBoundingClientRect();
            out[e.id] = [r.left - form.left, r.top - form.top, r.width, r.height];
          }
          return out;""")
        self.assertEqual(shown.pop("form"), [494, 382])
        self.assertEqual({k: tuple(v) for k, v in shown.items()}, RECTANGLES)  # no list box

    def test_colours_and_font(self):
        style = js("""
          const out = {};
          for (const id of ['quiz', 'Label1_0', 'Frame1_0', 'Frame1_1', 'Option1_3',
                            'Option2_3', 'Command1_0', 'Command1_1']) {
            out[id] = getComputedStyle(document.getElementById(id)).backgroundColor;
          }
          const form = getComputedStyle(document.getElementById('quiz'));
          out.font = [form.fontFamily, form.fontSize, form.fontWeight];
          return out;""")
        self.assertEqual(style, {
            "quiz": "rgb(192, 192, 255)",
            "Label1_0": "rgb(255, 192, 128)",
            "Frame1_0": "rgb(192, 192, 255)",
            "Frame1_1": "rgb(192, 192, 255)",
            "Option1_3": "rgb(192, 255, 255)",
            "Option2_3": "rgb(255, 192, 255)",
            "Command1_0": "rgb(128, 255, 128)",
            "Command1_1": "rgb(255, 128, 128)",
            "font": ['"Times New Roman", "Liberation Serif", serif', "16px", "400"],
        })

    def test_person_indicators_on_the_right_achievements_on_the_left(self):
        sides = js("""
          const side = (id) => {
            const label = document.getElementById(id);
            return label.querySelector('input').getBoundingClientRect().left >
                   label.querySelector('span').getBoundingClientRect().left ? 'right' : 'left';
          };
          return [side('Option1_4'), side('Option2_4')];""")
        self.assertEqual(sides, ["right", "left"])

    def test_upper_option_lies_above_the_one_below(self):
        # Rows overlap by three pixels; a click there reaches the upper button.
        on_top = js("""
          const r = document.getElementById('Option1_5').getBoundingClientRect();
          return document.elementFromPoint(r.left + 20, r.top + 1).closest('[id]').id;""")
        self.assertEqual(on_top, "Option1_4")

    def test_narrow_window_reflows_into_one_column(self):
        browser.set_window_size(320, 600)
        try:
            shown = js("""
              const boxes = [...document.querySelectorAll('#quiz [id]')].map(
                  (e) => e.getBoundingClientRect());
              return {scroll: document.documentElement.scrollWidth, width: innerWidth,
                      inside: boxes.every((r) => r.left >= 0 && r.right <= innerWidth)};""")
            self.assertLessEqual(shown["scroll"], shown["width"])
            self.assertTrue(shown["inside"])
        finally:
            browser.set_window_size(800, 600)

    def test_screenshot_after_a_right_answer(self):
        click("Option1_3", "Option2_3", "Command1_0")
        browser.find_element("id", "quiz").screenshot(SCREENSHOT)
        self.assertGreater(os.path.getsize(SCREENSHOT), 0)


# Where the focus is, what is chosen and shown, as the keyboard table names it: controls as
# the definition names them ("Option1(4)"), "" for a group with nothing selected.
KEY_STATE = """
  const label = (e) => e && e.id.replace(/_(\\d+)$/, '($1)');
  const checked = (name) => [...document.querySelectorAll(`[id^=${name}_] input:checked`)]
      .map((e) => label(e.closest('[id]')));
  const focus = document.activeElement;
  const mark = focus.closest('.option')?.querySelector('span') || focus;
  return {focus: label(focus.closest('[id]')),
          people: checked('Option1'), achievements: checked('Option2'),
          choices: [quizModule.quiz_chosen_person(), quizModule.quiz_chosen_achievement()],
          text: document.getElementById('Text1_0').textContent,
          focus_mark: focus.matches(':focus-visible') &&
                  getComputedStyle(mark).outlineStyle !== 'none'};"""

KEYS = {"tab": Keys.TAB, "up": Keys.ARROW_UP, "down": Keys.ARROW_DOWN,
        "left": Keys.ARROW_LEFT, "right": Keys.ARROW_RIGHT, "space": Keys.SPACE,
        "enter": Keys.ENTER, "escape": Keys.ESCAPE}


def press_key(name):
    """A real key press on the focused element, as a user makes it."""
    if name == "shift_tab":
        shift_tab()
    else:
        press(KEYS[name])


def expected_text(result):
    if result.startswith("right "):
        return DATA["right"][int(result.split()[1])]
    return {"statement": DATA["statement"], "wrong": DATA["wrong"],
            "clear": DATA["cleared"]}[result]


class KeyboardTest(unittest.TestCase):
    """The keyboard table that the native back ends replay, played with real key presses."""

    def test_every_key_run(self):
        self.assertEqual([run["name"] for run in DATA["key_runs"]],
                         ["TabCycle", "ArrowsInScreenOrder", "GroupsKeepTheirOwnStops",
                          "CommandsAndResultBox"])
        for run in DATA["key_runs"]:
            with self.subTest(run["name"]):
                open_page()
                self.play(run["name"], run["steps"])

    def play(self, name, steps):
        shown = js(KEY_STATE)
        self.assertEqual(shown["focus"], DATA["start_focus"],
                         f"{name} at start: focus: expected {DATA['start_focus']}, "
                         f"got {shown['focus']}")
        for number, step in enumerate(steps, 1):
            press_key(step["key"])
            shown = js(KEY_STATE)
            expected = {
                "focus": step["focus"],
                "people": [step["person"]] if step["person"] else [],
                "achievements": [step["achievement"]] if step["achievement"] else [],
                "choices": step["choices"],
                "text": expected_text(step["result"]),
                "focus_mark": True,
            }
            wrong = [f"{what}: expected {expected[what]!r}, got {shown[what]!r}"
                     for what in expected if shown[what] != expected[what]]
            # Later steps build on this one: the run stops at its first wrong step.
            if wrong:
                self.fail(f"{name} step {number} ({step['key']}): " + "; ".join(wrong))


class AccessTest(unittest.TestCase):
    def setUp(self):
        open_page()

    def test_result_box_is_a_named_polite_live_region(self):
        box = browser.find_element("id", "Text1_0")
        self.assertEqual(box.get_attribute("aria-live"), "polite")
        self.assertEqual(box.accessible_name, "Резултат")
        self.assertEqual(box.aria_role, "textbox")
        self.assertEqual(box.get_attribute("aria-readonly"), "true")
        self.assertEqual(box.get_attribute("aria-multiline"), "true")
        self.assertEqual(box.value_of_css_property("overflow-y"), "scroll")  # its scroll bar

    def test_groups_and_buttons_are_named_by_their_captions(self):
        names = {i: browser.find_element("id", i).accessible_name
                 for i in ("Frame1_0", "Frame1_1", "Command1_0", "Command1_1")}
        self.assertEqual(names, {"Frame1_0": "Учени", "Frame1_1": "Значимо постижение",
                                 "Command1_0": "Изведи", "Command1_1": "Чисти"})
        radio = js("return document.querySelector('#Option1_4 input')")
        self.assertEqual(radio.aria_role, "radio")
        self.assertEqual(radio.accessible_name,
                         browser.find_element("id", "Option1_4").text)

    def test_document_language_title_and_icon(self):
        self.assertEqual(js("return document.documentElement.lang"), "bg")
        self.assertEqual(browser.title, "Пионери на изчислителната техника")
        self.assertTrue(js("return !!document.querySelector('link[rel=icon]')"))

    def test_results_replace_the_text_and_scroll_it_to_the_top(self):
        box = browser.find_element("id", "Text1_0")
        js("arguments[0].scrollTop = 1000", box)
        click("Option1_0", "Option2_0", "Command1_0")
        self.assertEqual(js("return arguments[0].scrollTop", box), 0)
        self.assertEqual(state()["text"], DATA["right"][0])


class SingleFileTest(unittest.TestCase):
    def test_works_from_a_file_without_network(self):
        open_page(pathlib.Path(SINGLE_FILE).resolve().as_uri())
        click("Option1_3", "Option2_3", "Command1_0")
        self.assertEqual(state()["text"], DATA["right"][3])
        click("Option2_2", "Command1_0")
        self.assertEqual(state()["text"], DATA["wrong"])
        click("Command1_1")
        self.assertEqual(state(), {"text": "Направете своя избор!", "people": [],
                                   "achievements": []})
        fetched = js("return performance.getEntriesByType('resource').map((e) => e.name)")
        self.assertEqual([u for u in fetched if not u.startswith("data:")], [])


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[1:])
