"""The three browser engines a school meets, behind one interface, for every test and
benchmark of the page: Chromium (Selenium, with DevTools for device emulation), Firefox ESR
(puppeteer-core over WebDriver BiDi, through firefox.cjs) and WebKitGTK (Selenium with
WebKitWebDriver and MiniBrowser on a virtual display of its own).

    browser = engines.start("firefox")
    browser.open(url); browser.js("return document.title"); browser.click("Command1_0")
    browser.press_key("shift_tab"); browser.set_viewport(360, 740, 3, touch=True)
    png = browser.screenshot(); browser.quit()

What an engine cannot do raises Unsupported (a unittest.SkipTest): a test that needs it is
reported as not run in that engine, with the reason. A browser that leaves a command
unanswered for WAIT seconds is taken for hung: its processes are stopped and the command
raises Hung, naming what it was asked."""
import base64
import functools
import http.server
import json
import os
import pathlib
import select
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import unittest

ENGINES = ("chromium", "firefox", "webkit")
HERE = pathlib.Path(__file__).resolve().parent
LIMIT = 60  # seconds a page's load or a script may take, as the browser measures it
WAIT = 90  # seconds for any answer, measured here: a browser too busy to keep its own limit


class Unsupported(unittest.SkipTest):
    """A facility this engine does not have."""


class Hung(AssertionError):
    """A browser that gave no answer within WAIT seconds (its processes are stopped)."""


def stop_group(process, grace=5):
    """A process started in a session of its own, and what is left of its group: asked to
    end, given a few seconds, then ended."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            break
        try:
            process.wait(grace)
        except subprocess.TimeoutExpired:
            pass


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    """Files as a static host serves them, kept out of every browser's HTTP cache, so that a
    page loaded again comes from the network or from the page's own service worker."""

    def end_headers(self):
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def log_message(self, *args):
        pass


class QuietServer(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        pass  # a browser that drops a request it no longer needs


def serve(directory):
    """A web server for the folder on a free loopback port, in a thread of its own."""
    server = QuietServer(("127.0.0.1", 0),
                         functools.partial(QuietHandler, directory=str(directory)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def until(condition, what, timeout=10):
    """Until condition() holds, polled; a check that waits longer fails, saying for what."""
    end = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > end:
            raise AssertionError(f"{what}: not within {timeout} s")
        time.sleep(0.05)


@functools.cache
def npm_root():
    """Where the tools from npm are installed (scripts/setup.sh web)."""
    return pathlib.Path(subprocess.run(["npm", "root", "-g"], capture_output=True, text=True,
                                       check=False).stdout.strip())


def start(engine, minimum_font_size=None, forced_colours=False, javascript=True):
    """A browser of that engine with a viewport of 800 x 600 CSS pixels at one device pixel
    each, and these settings of the user's."""
    kind = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}[engine]
    return kind(minimum_font_size=minimum_font_size, forced_colours=forced_colours,
                javascript=javascript)


class Browser:
    """One browser window showing one page. Element arguments are ids."""
    name = ""
    version = ""

    def open(self, url):
        """Loads the page and returns once it has loaded."""
        raise NotImplementedError

    def js(self, script, *args):
        """Runs a function body in the page (its arguments in `arguments`) and returns what
        it returns, a promise's value once settled, as JSON values."""
        raise NotImplementedError

    def click(self, element_id):
        """A click of the mouse's main button in the middle of the element."""
        raise NotImplementedError

    def tap(self, element_id):
        """A finger's tap in the middle of the element, scrolled into view first."""
        raise NotImplementedError

    def press_key(self, name):
        """A real key press on the focused element: "tab", "shift_tab", "ctrl_alt_up"."""
        raise NotImplementedError

    def set_viewport(self, width, height, scale=1, touch=False):
        """The viewport in CSS pixels, device pixels to one and (where the engine emulates
        one) a touch screen."""
        raise NotImplementedError

    def screenshot(self, full=False):
        """The viewport as PNG bytes; with full, the whole page as far down as it goes."""
        raise NotImplementedError

    def is_named(self, selector, role, name):
        """Whether assistive technology is given the element as that role with that name."""
        raise NotImplementedError

    def refocus(self):
        """The page given the keyboard's focus again, where the browser's own keys took it."""
        raise NotImplementedError

    def installability_errors(self):
        """Why the page could not be installed as an application, where the engine says."""
        raise Unsupported(f"{self.name} has no installability check of its own")

    def enter(self, *frames):
        """Scripts and clicks from now on in the top document, then in each nested frame in
        turn (by the id of its element); a page opened anew starts at the top."""
        raise NotImplementedError

    def follow_opened(self):
        """Into the window the page opened, once it has; close_opened returns from it."""
        raise NotImplementedError

    def close_opened(self):
        raise NotImplementedError

    def on_every_document(self, script):
        """A script run first in every document the window loads, frames included."""
        raise Unsupported(f"{self.name}: no script run before every document's own")

    def print_pdf(self):
        """The page as the browser prints it, at the page size its style asks for: PDF."""
        raise Unsupported(f"{self.name} cannot print a page to PDF when driven")

    def quit(self):
        raise NotImplementedError

    def centre(self, element_id):
        """The middle of an element, scrolled into view, in CSS pixels of the viewport (once
        the scroll is drawn)."""
        return self.js("""
          const e = document.getElementById(arguments[0]);
          e.scrollIntoView({block: 'center'});
          const r = e.getBoundingClientRect();
          return new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(
              () => done([r.left + r.width / 2, r.top + r.height / 2]))));""", element_id)


class SeleniumBrowser(Browser):
    """What Chromium and WebKitGTK share: the classic WebDriver protocol."""
    driver = None

    def open(self, url):
        self.driver.get(url)

    def connect(self, service, session):
        """A session, session(service), with the driver of this service. A page or script
        that never ends fails within LIMIT seconds; a command left unanswered (a browser too
        busy to keep that limit) within WAIT seconds, the browser stopped."""
        from selenium.webdriver.remote.remote_connection import RemoteConnection
        from urllib3.exceptions import TimeoutError as NoAnswer
        RemoteConnection.set_timeout(WAIT)
        self.service = service
        try:
            self.driver = session(service)
        except NoAnswer as error:
            self.kill()
            raise Hung(f"{self.name}: no session within {WAIT} s") from error
        execute = self.driver.command_executor.execute

        def bounded(command, params):
            try:
                return execute(command, params)
            except NoAnswer as error:
                self.kill()
                raise Hung(f"{self.name}: no answer to {command} {str(params)[:120]} within "
                           f"{WAIT} s; the browser is stopped") from error
        self.driver.command_executor.execute = bounded
        self.version = self.driver.capabilities["browserVersion"]
        self.driver.set_page_load_timeout(LIMIT)
        self.driver.set_script_timeout(LIMIT)

    def kill(self):
        """The driver and its browser ended at once, without a word to them."""
        if getattr(self.service, "process", None):
            stop_group(self.service.process)
        self.driver = None

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def click(self, element_id):
        self.driver.find_element("id", element_id).click()

    def press_key(self, name):
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.keys import Keys
        keys = {"tab": Keys.TAB, "up": Keys.ARROW_UP, "down": Keys.ARROW_DOWN,
                "left": Keys.ARROW_LEFT, "right": Keys.ARROW_RIGHT, "space": Keys.SPACE,
                "enter": Keys.ENTER, "escape": Keys.ESCAPE, "shift": Keys.SHIFT,
                "ctrl": Keys.CONTROL, "alt": Keys.ALT, "meta": Keys.META}
        *held, key = name.split("_")
        chain = ActionChains(self.driver)
        for modifier in held:
            chain.key_down(keys[modifier])
        chain.send_keys(keys[key])
        for modifier in reversed(held):
            chain.key_up(keys[modifier])
        chain.perform()

    def tap(self, element_id):
        from selenium.webdriver.common.actions import interaction
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        from selenium.webdriver.common.actions.pointer_input import PointerInput
        x, y = self.centre(element_id)
        time.sleep(0.2)  # a scroll reaches a threaded compositor a little after the page
        actions = ActionBuilder(self.driver,
                                mouse=PointerInput(interaction.POINTER_TOUCH, "finger"))
        actions.pointer_action.move_to_location(round(x), round(y)).pointer_down().pointer_up()
        actions.perform()

    def refocus(self):
        self.driver.switch_to.window(self.driver.current_window_handle)

    def enter(self, *frames):
        self.driver.switch_to.default_content()
        for frame in frames:
            self.driver.switch_to.frame(self.driver.find_element("id", frame))

    def follow_opened(self):
        self.opener = self.driver.current_window_handle
        until(lambda: len(self.driver.window_handles) == 2, f"{self.name}: a window opened")
        self.driver.switch_to.window(
            next(h for h in self.driver.window_handles if h != self.opener))

    def close_opened(self):
        self.driver.close()
        self.driver.switch_to.window(self.opener)

    def is_named(self, selector, role, name):
        element = self.driver.find_element("css selector", selector)
        return (element.aria_role, element.accessible_name) == (role, name)

    def quit(self):
        if self.driver:
            self.driver.quit()
            self.service.stop()


class Chromium(SeleniumBrowser):
    """Debian's Chromium, headless; devices and media emulated through DevTools."""
    name = "chromium"

    def __init__(self, minimum_font_size, forced_colours, javascript):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
        self.profile = tempfile.mkdtemp(prefix="quiz-chromium-")
        options = webdriver.ChromeOptions()
        prefs = {}
        if minimum_font_size:
            prefs["webkit"] = {"webprefs": {"minimum_font_size": minimum_font_size}}
        if not javascript:
            prefs["profile"] = {"managed_default_content_settings": {"javascript": 2}}
        if prefs:
            options.add_experimental_option("prefs", prefs)
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--window-size=800,600",
                     f"--user-data-dir={self.profile}"):
            options.add_argument(flag)
        self.connect(Service("/usr/bin/chromedriver", popen_kw={"start_new_session": True}),
                     lambda service: webdriver.Chrome(service=service, options=options))
        self.media = [{"name": "forced-colors", "value": "active"}] if forced_colours else []
        self.set_viewport(800, 600)

    def cdp(self, command, params=None):
        return self.driver.execute_cdp_cmd(command, params or {})

    def set_viewport(self, width, height, scale=1, touch=False):
        self.cdp("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": touch})
        self.cdp("Emulation.setTouchEmulationEnabled",
                 {"enabled": touch, "maxTouchPoints": 5 if touch else 1})
        self.cdp("Emulation.setEmulatedMedia", {"features": self.media})

    def tap(self, element_id):
        x, y = self.centre(element_id)
        self.cdp("Input.dispatchTouchEvent",
                 {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
        self.cdp("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def screenshot(self, full=False):
        clip = {}
        if full:
            width, height = self.js(
                "return [innerWidth, document.documentElement.scrollHeight]")
            clip = {"captureBeyondViewport": True,
                    "clip": {"x": 0, "y": 0, "width": width, "height": height, "scale": 1}}
        shot = self.cdp("Page.captureScreenshot", {"format": "png", **clip})
        return base64.b64decode(shot["data"])

    def installability_errors(self):
        return self.cdp("Page.getInstallabilityErrors")["installabilityErrors"]

    def on_every_document(self, script):
        self.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": script})

    def print_pdf(self):
        return base64.b64decode(self.cdp("Page.printToPDF", {"preferCSSPageSize": True})["data"])

    def quit(self):
        try:
            super().quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)


class Firefox(Browser):
    """Debian's Firefox ESR, headless, through puppeteer-core in a Node process of its own
    (firefox.cjs): one JSON command a line, one JSON answer a line."""
    name = "firefox"

    def __init__(self, minimum_font_size, forced_colours, javascript):
        prefs = {}
        if minimum_font_size:  # the page's language is Bulgarian, a Cyrillic script
            prefs["font.minimum-size.x-cyrillic"] = minimum_font_size
        if forced_colours:  # the user's colours, never the page's: the forced colours mode
            prefs["browser.display.document_color_use"] = 2
        if not javascript:
            prefs["javascript.enabled"] = False
        self.bridge = subprocess.Popen(
            ["node", str(HERE / "firefox.cjs"), json.dumps(prefs)], stdin=subprocess.PIPE,
            stdout=subprocess.PIPE, text=True, encoding="utf-8", start_new_session=True,
            env=dict(os.environ, NODE_PATH=str(npm_root()), QUIZ_LIMIT=str(LIMIT)))
        self.version = self.call("version").split("/")[-1]

    def call(self, command, *args):
        self.bridge.stdin.write(json.dumps([command, *args]) + "\n")
        self.bridge.stdin.flush()
        # One answer a line, read whole: nothing waits in the reader's buffer before a call.
        if not select.select([self.bridge.stdout], [], [], WAIT)[0]:
            stop_group(self.bridge)  # puppeteer ends its browser as it is asked to end
            raise Hung(f"firefox: no answer to {command} {str(args)[:120]} within {WAIT} s; "
                       "the browser is stopped")
        line = self.bridge.stdout.readline()
        if not line:
            raise RuntimeError(f"firefox.cjs stopped (exit {self.bridge.wait()})")
        answer = json.loads(line)
        if "error" in answer:
            raise RuntimeError(f"Firefox, {command}: {answer['error']}")
        return answer.get("value")

    def open(self, url):
        self.call("open", url)

    def js(self, script, *args):
        return self.call("js", script, list(args))

    def click(self, element_id):
        self.call("click", element_id)

    def tap(self, element_id):
        self.call("tap", *self.centre(element_id))

    def press_key(self, name):
        self.call("key", name.split("_"))

    def refocus(self):
        self.call("refocus")

    def set_viewport(self, width, height, scale=1, touch=False):
        self.call("viewport", width, height, scale, touch)

    def screenshot(self, full=False):
        return base64.b64decode(self.call("screenshot", full))

    def is_named(self, selector, role, name):
        return self.call("named", selector, role, name)

    def enter(self, *frames):
        self.call("enter", list(frames))

    def follow_opened(self):
        self.call("opened")

    def close_opened(self):
        self.call("closeOpened")

    def on_every_document(self, script):
        self.call("everyDocument", script)

    def print_pdf(self):
        return base64.b64decode(self.call("pdf"))

    def quit(self):
        try:
            if self.bridge.poll() is None:
                self.call("quit")
        finally:
            self.bridge.stdin.close()
            try:
                self.bridge.wait(30)
            except subprocess.TimeoutExpired:
                stop_group(self.bridge)


class WebKit(SeleniumBrowser):
    """Debian's WebKitGTK: MiniBrowser in automation mode, driven by WebKitWebDriver, on an
    X display of its own. Its devicePixelRatio is GTK's whole scale (GDK_SCALE), set when
    the browser starts, and the viewport is the window less MiniBrowser's bar: a new
    viewport starts the browser again."""
    name = "webkit"
    MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    SCREEN = (2400, 2560)  # device pixels: a phone's window at three to one fits

    def __init__(self, minimum_font_size, forced_colours, javascript):
        if forced_colours:
            raise Unsupported("WebKitGTK has no forced colours mode")
        self.work = tempfile.mkdtemp(prefix="quiz-webkit-")
        # MiniBrowser's bar as narrow as it goes, so that a window can be as narrow as a
        # phone's viewport (GTK reads its style from the user's configuration folder).
        style = pathlib.Path(self.work) / "gtk-3.0" / "gtk.css"
        style.parent.mkdir()
        style.write_text("button, entry, box { min-width: 0; min-height: 0; padding: 0; "
                         "margin: 0; border-width: 0; }\nentry { font-size: 1px; }\n")
        self.arguments = ["--automation"]
        if not javascript:
            self.arguments.append("--enable-javascript=false")
        # Windows a page opens let through, as the other engines' drivers do; integer
        # settings only through a settings file.
        config = pathlib.Path(self.work) / "settings.ini"
        config.write_text("[websettings]\njavascript-can-open-windows-automatically=true\n" +
                          (f"minimum-font-size={minimum_font_size}\n" if minimum_font_size else ""))
        self.arguments.append(f"--config={config}")
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "{}x{}x24".format(*self.SCREEN),
             "-nolisten", "tcp"], pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as display:
            self.display = ":" + display.readline().strip()
        self.driver = self.service = None
        self.scale = 0
        self.viewport = (800, 600)
        self.begin(1)

    def begin(self, scale):
        """MiniBrowser at this scale, its window resized to the viewport asked for."""
        from selenium.webdriver.remote.webdriver import WebDriver
        from selenium.webdriver.webkitgtk.options import Options
        from selenium.webdriver.webkitgtk.service import Service
        super().quit()
        options = Options()
        options.binary_location = self.MINIBROWSER
        for argument in self.arguments:
            options.add_argument(argument)
        self.connect(Service("/usr/bin/WebKitWebDriver", popen_kw={"start_new_session": True},
                             env=dict(os.environ, DISPLAY=self.display, GDK_SCALE=str(scale),
                                      XDG_CONFIG_HOME=self.work)),
                     lambda service: service.start() or WebDriver(
                         command_executor=service.service_url, options=options))
        self.scale = scale
        self.bar = self.js("return [outerWidth - innerWidth, outerHeight - innerHeight]")
        self.fit_window()

    def fit_window(self):
        """The window around the viewport, over the middle of the screen: where the pointer
        rests, so that with no window manager the window has the keyboard's focus."""
        width, height = (size + bar for size, bar in zip(self.viewport, self.bar))
        self.driver.set_window_rect(max(0, (self.SCREEN[0] // self.scale - width) // 2),
                                    max(0, (self.SCREEN[1] // self.scale - height) // 2),
                                    width, height)
        for _ in range(100):  # until the page has the new size
            if self.js("return [innerWidth, innerHeight]") == list(self.viewport):
                return
            time.sleep(0.02)

    def set_viewport(self, width, height, scale=1, touch=False):
        # A new window each time: in a window resized from another size, taps can miss.
        if (width, height, scale) != (*self.viewport, self.scale):
            self.viewport = (width, height)
            url = self.driver.current_url
            self.begin(scale)
            if url.startswith(("http", "file")):
                self.open(url)

    def screenshot(self, full=False):
        # Once what the page last changed is drawn.
        self.js("return new Promise((done) => requestAnimationFrame(() => "
                "requestAnimationFrame(done)))")
        if not full:
            return self.driver.get_screenshot_as_png()
        # The window as tall as the page for a moment.
        saved = self.viewport
        self.viewport = (saved[0], self.js("return document.documentElement.scrollHeight"))
        self.fit_window()
        try:
            return self.driver.get_screenshot_as_png()
        finally:
            self.viewport = saved
            self.fit_window()

    def quit(self):
        try:
            super().quit()
        finally:
            self.xvfb.terminate()
            self.xvfb.wait()
            shutil.rmtree(self.work, ignore_errors=True)


def main(module, argv):
    """A test module's checks in one engine, the engine's name in module.ENGINE:
         MODULE ENGINE [Class.test ...]   those checks (all by default)
         MODULE --list                    every check's name, one a line
    A check (or part of one) the engine cannot make is reported as not run there, with the
    reason, and the exit status is 77 where nothing failed: never passed in silence."""
    loader = unittest.TestLoader()
    every = [f"{case.__class__.__name__}.{case._testMethodName}"
             for suite in loader.loadTestsFromModule(module) for case in suite]
    if argv[1:] == ["--list"]:
        print("\n".join(every))
        return 0
    module.ENGINE = argv[1]
    result = unittest.TextTestRunner(verbosity=2).run(
        loader.loadTestsFromNames(argv[2:] or every, module))
    for case, reason in result.skipped:
        print(f"not run in {argv[1]}: {case.id().split('.', 1)[1]}: {reason}")
    if not result.wasSuccessful():
        return 1
    return 77 if result.skipped else 0
