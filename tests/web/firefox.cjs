// Firefox ESR for the page tests, driven over WebDriver BiDi with puppeteer-core: the other
// half of engines.py's Firefox. Reads one command a line on standard input, a JSON array of
// its name and arguments, and writes one answer a line: {"value": ...} or {"error": "..."}.
//   firefox.cjs PREFS_JSON   (NODE_PATH names where npm installed puppeteer-core)
const puppeteer = require('puppeteer-core');
const readline = require('node:readline');

const KEYS = {
  tab: 'Tab', up: 'ArrowUp', down: 'ArrowDown', left: 'ArrowLeft', right: 'ArrowRight',
  space: ' ', enter: 'Enter', escape: 'Escape', shift: 'Shift', ctrl: 'Control',
  alt: 'Alt', meta: 'Meta',
};

async function main() {
  const browser = await puppeteer.launch({
    protocolTimeout: 1000 * Number(process.env.QUIZ_LIMIT || 60),
    browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
    extraPrefsFirefox: JSON.parse(process.argv[2] || '{}'),
  });
  // A page of its own (the one Firefox opens with never has the keyboard's focus), and a new
  // one in its place where the browser's own keys took the focus away from it. Scripts and
  // clicks go to `frame` (the page's top document unless a frame was entered); `opener` is the
  // page that opened the one followed; `early` the scripts run first in every document.
  let page = null;
  let frame = null;
  let opener = null;
  const early = [];
  const target = () => frame ?? page.mainFrame();
  async function newPage(url) {
    const viewport = page?.viewport() ?? { width: 800, height: 600 };
    const old = await browser.pages();
    page = await browser.newPage();
    frame = null;
    for (const other of old) await other.close();
    await page.setViewport(viewport);
    for (const script of early) await page.evaluateOnNewDocument(script);
    if (url) await page.goto(url, { waitUntil: 'load' });
  }
  await newPage();
  const commands = {
    version: () => browser.version(),
    open: async (url) => {
      frame = null;
      await page.goto(url, { waitUntil: 'load' });
    },
    refocus: () => newPage(page.url()),
    js: (script, args) => target().evaluate(
      `(async function () {\n${script}\n}).apply(null, ${JSON.stringify(args)})`),
    click: (id) => target().click(`[id="${id}"]`),
    async enter(ids) {
      frame = null;
      for (const id of ids) {
        frame = await (await target().waitForSelector(`[id="${id}"]`)).contentFrame();
      }
    },
    async opened() {
      for (let tries = 0; (await browser.pages()).length < 2; ++tries) {
        if (tries === 200) throw new Error('no window opened within 10 s');
        await new Promise((done) => setTimeout(done, 50));
      }
      opener = page;
      page = (await browser.pages()).find((other) => other !== opener);
      frame = null;
    },
    async closeOpened() {
      await page.close();
      page = opener;
      frame = null;
    },
    async everyDocument(script) {
      early.push(script);
      await page.evaluateOnNewDocument(script);
    },
    pdf: async () => Buffer.from(await page.pdf({ preferCSSPageSize: true })).toString('base64'),
    tap: (x, y) => page.touchscreen.tap(x, y),
    async key(names) {
      const key = KEYS[names.pop()];
      for (const held of names) await page.keyboard.down(KEYS[held]);
      await page.keyboard.press(key);
      for (const held of names.reverse()) await page.keyboard.up(KEYS[held]);
    },
    viewport: (width, height, deviceScaleFactor, touch) =>
      page.setViewport({ width, height, deviceScaleFactor, isMobile: touch, hasTouch: touch }),
    screenshot: (fullPage) => page.screenshot({ encoding: 'base64', fullPage }),
    // The accessibility tree's node of that role and name, if it is the element's.
    async named(selector, role, name) {
      const quote = name.includes('"') ? "'" : '"';
      for (const found of await page.$$(`::-p-aria([name=${quote}${name}${quote}][role="${role}"])`)) {
        if (await found.evaluate((e, s) => e === document.querySelector(s), selector)) return true;
      }
      return false;
    },
    quit: () => browser.close(),
  };
  for await (const line of readline.createInterface({ input: process.stdin })) {
    const [name, ...args] = JSON.parse(line);
    let answer;
    try {
      answer = { value: (await commands[name](...args)) ?? null };
    } catch (error) {
      answer = { error: String(error?.message ?? error) };
    }
    process.stdout.write(`${JSON.stringify(answer)}\n`);
    if (name === 'quit') break;
  }
  await browser.close().catch(() => {});
}

main().catch((error) => {
  process.stderr.write(`firefox.cjs: ${error.stack ?? error}\n`);
  process.exit(1);
});
