"""Headless Chromium driven through WebDriver, and a quiet local web server for a folder:
what the page tests and the start-up benchmark share."""
import functools
import http.server
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(directory):
    """A web server for the folder on a free loopback port, in a thread of its own."""
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(QuietHandler, directory=str(directory)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def start(profile, prefs=None):
    """Debian's Chromium, headless at 800 x 600, with its profile in the folder given and
    these preferences."""
    options = webdriver.ChromeOptions()
    if prefs:
        options.add_experimental_option("prefs", prefs)
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--window-size=800,600", f"--user-data-dir={profile}"):
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
