// The quiz page's behaviour. The window is already on the page, written by the build from the
// definition; this script finds each control's element through the module's table, passes
// the load and the user's clicks and keys to the module, and carries out what the module
// writes back. It holds no text, layout or key rule of its own.
const elements = [];  // by control position: the element that holds the control's state

// What the module calls on the page; `exports` gives its memory once it exists.
function pageCalls(exports) {
  const decoder = new TextDecoder('utf-16le');
  const utf16 = (address, length) =>
    decoder.decode(new Uint16Array(exports().memory.buffer, address, length));
  return {
    set_selected(position, selected) {
      if (elements[position]) elements[position].checked = selected !== 0;
    },
    is_selected: (position) => (elements[position]?.checked ? 1 : 0),
    set_text(position, address, length) {
      if (elements[position]) elements[position].textContent = utf16(address, length);
    },
    announce(position) {  // the live region speaks the new text; show it from its start
      if (elements[position]) elements[position].scrollTop = 0;
    },
  };
}

// The single file carries the module inline, the folder page beside it; either is fetched
// (the folder page's at once, the single file's decoded from its text once the window is
// painted) and compiled once the window is painted, so that the first paint waits for none
// of it (a page opened in the background builds it at once).
async function instantiate(page) {
  const painted = new Promise((done) => {
    if (document.hidden) return done();  // a page in the background has nothing to paint
    requestAnimationFrame(() => setTimeout(done, 0));
    document.addEventListener('visibilitychange', done, { once: true });
  });
  const inline = document.getElementById('quiz-module');
  const response = inline
    ? painted.then(() => fetch(`data:application/wasm;base64,${inline.textContent.trim()}`))
    : fetch('quiz.wasm');
  response.catch(() => {});  // a failure is met below, once awaited
  await painted;
  const bytes = await (await response).arrayBuffer();
  return (await WebAssembly.instantiate(bytes, { page })).instance.exports;
}

function readTable(q) {
  const bytes = new Uint8Array(q.memory.buffer, q.quiz_table(), q.quiz_table_length());
  return JSON.parse(new TextDecoder().decode(bytes));
}

// An option button's state is its radio; every other control's, its element.
function findElements(table) {
  table.controls.forEach(({ id, kind }, position) => {
    const element = document.getElementById(id);
    elements[position] = element && kind === 'OptionButton' ? element.querySelector('input')
      : element;
  });
}

function bindClicks(q, table) {
  table.controls.forEach(({ click }, position) => {
    if (click && elements[position]) {
      elements[position].addEventListener('click', () => q.quiz_click(position));
    }
  });
}

// The module says where a key moves the focus; keys it leaves go to the browser.
function bindKeys(q, table) {
  const positions = new Map(elements.map((element, position) => [element, position]));
  addEventListener('keydown', (event) => {
    // A key its browser cannot name (Shift+Tab, as some systems report it) by its place.
    const key = table.keys.indexOf(event.key === 'Unidentified' ? event.code : event.key);
    if (key < 0) return;
    const modifiers = table.modifiers.reduce(
      (bits, name, bit) => (event[name + 'Key'] ? bits | (1 << bit) : bits), 0);
    const to = q.quiz_key(key, modifiers, positions.get(document.activeElement) ?? -1);
    if (to < 0 || !elements[to]) return;
    event.preventDefault();
    elements[to].focus();
  });
}

// Text drawn larger than the window's unit allows (a minimum font size setting, which the
// unit does not follow, and which some browsers keep out of the computed font size): where
// a control's text no longer fits it, the one-column layout, as where the window does not
// fit. The result box scrolls by design.
function fitText() {
  const cut = (e) => e.scrollWidth > e.clientWidth + 1 ||
    (getComputedStyle(e).overflowY !== 'scroll' && e.scrollHeight > e.clientHeight + 1);
  if ([...document.querySelectorAll('#quiz [id]')].some(cut)) {
    document.documentElement.classList.add('reflow');
  }
}

// The folder page (the one with a manifest) keeps its files for offline use.
function workOffline() {
  if (!document.querySelector('link[rel=manifest]') || !('serviceWorker' in navigator)) return;
  navigator.serviceWorker.register('sw.js').catch(() => {});  // the page works without
}

// The window takes input once it works. Where the module cannot be fetched or built, it
// stays inert and the page's own line says so.
try {
  let q = null;
  q = await instantiate(pageCalls(() => q));
  q._initialize();
  const table = readTable(q);
  findElements(table);
  bindClicks(q, table);
  bindKeys(q, table);
  q.quiz_load();
  fitText();
  document.getElementById('quiz').inert = false;
  elements[table.start]?.focus({ preventScroll: true });
  connectPlatform(q);  // platform.js: where the page runs in a learning platform
  workOffline();
} catch {
  document.getElementById('quiz-failed').hidden = false;
}
