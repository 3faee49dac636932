#!/usr/bin/env node
// Writes the page for a static host (a folder, offline and installable) and the single-file
// page, both with the window's markup that the writer module makes from the definition. The
// icons are copied as resources/make_icon.py drew them.
//   bundle.mjs WRITER PAGE_MODULE PAGE_DIR SINGLE_FILE SOURCE_DIR RESOURCES_DIR
import crypto from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';

const [writer, pageModule, pageDir, singleFile, sourceDir, resources] = process.argv.slice(2);
const source = (name) => fs.readFileSync(path.join(sourceDir, name), 'utf8');

// The writer's texts: title, colour, reflow condition and the window's markup.
async function pageTexts() {
  const module = await WebAssembly.compile(fs.readFileSync(writer));
  const imports = {};  // the writer calls nothing outside itself; any import is a stub
  for (const { module: from, name } of WebAssembly.Module.imports(module)) {
    (imports[from] ??= {})[name] = () => 0;
  }
  const q = (await WebAssembly.instantiate(module, imports)).exports;
  q._initialize();
  const bytes = new Uint8Array(q.memory.buffer, q.quiz_page_texts(), q.quiz_page_texts_length());
  return JSON.parse(new TextDecoder().decode(bytes));
}

function fill(text, values) {
  return text.replace(/\{\{(\w+)\}\}/g, (all, name) => {
    if (!(name in values)) throw new Error(`bundle.mjs: nothing for ${all}`);
    return values[name];
  });
}

function replaceOnce(text, what, by) {
  if (!text.includes(what)) throw new Error(`bundle.mjs: ${what} not found`);
  return text.replace(what, () => by);
}

const texts = await pageTexts();
const escaped = texts.title.replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
const html = fill(source('index.html'), { title: escaped, colour: texts.colour,
  window: texts.window, worksheet: texts.worksheet });
// The one-column rules apply where the window does not fit, and where the script finds the
// text larger than the window was drawn for (a minimum font size): the same rules twice, the
// second time each selector under :root.reflow (written out: older browsers cannot nest).
function reflowed(css) {
  const open = css.indexOf('@media REFLOW {');
  if (open < 0) throw new Error('bundle.mjs: @media REFLOW not found');
  let depth = 0, close = open;
  do {
    if (css[close] === '{') ++depth;
    if (css[close] === '}') --depth;
    ++close;
  } while (depth > 0 || css[close - 1] !== '}');
  const rules = css.slice(css.indexOf('{', open) + 1, close - 1);
  const scoped = rules.replace(/(\s*)([^{}]+?)\s*\{/g, (all, space, selectors) =>
    `${space}${selectors.split(',').map((s) => `:root.reflow ${s.trim()}`).join(', ')} {`);
  return `${css.slice(0, open)}@media ${texts.reflow} {${rules}}\n${scoped.trimStart()}` +
    css.slice(close);
}
const style = reflowed(source('quiz.css'));
const script = source('quiz.js') + source('platform.js');
const icon = (size) => fs.readFileSync(path.join(resources, `pioneers-quiz${size}.png`));
const iconBytes = icon('');

// The folder: the page, its module, icons, manifest and the service worker over them all.
const files = {
  'index.html': html, 'quiz.css': style, 'quiz.js': script,
  'quiz.wasm': fs.readFileSync(pageModule), 'pioneers-quiz.png': iconBytes,
  'icon-192.png': icon('-192'), 'icon-512.png': icon('-512'),
};
files['manifest.webmanifest'] = JSON.stringify({
  name: texts.title, lang: 'bg', start_url: './', scope: './', display: 'standalone',
  theme_color: texts.colour, background_color: texts.colour,
  icons: [192, 512].map((size) => ({ src: `icon-${size}.png`, sizes: `${size}x${size}`,
    type: 'image/png', purpose: 'any' })),
}, null, 1) + '\n';
const hash = crypto.createHash('sha256');
for (const [name, data] of Object.entries(files)) hash.update(name).update(data);
files['sw.js'] = fill(source('sw.js'), { version: hash.digest('hex').slice(0, 16),
  files: JSON.stringify(['./', ...Object.keys(files)]) });
fs.rmSync(pageDir, { recursive: true, force: true });
fs.mkdirSync(pageDir, { recursive: true });
for (const [name, data] of Object.entries(files)) fs.writeFileSync(path.join(pageDir, name), data);

// The single file: everything inline, no manifest or service worker (it works from file://).
const base64 = (bytes) => Buffer.from(bytes).toString('base64');
let single = html;
single = replaceOnce(single, '<link rel="manifest" href="manifest.webmanifest">\n', '');
single = replaceOnce(single, '<link rel="icon" href="pioneers-quiz.png">',
  `<link rel="icon" href="data:image/png;base64,${base64(iconBytes)}">`);
single = replaceOnce(single, '<link rel="stylesheet" href="quiz.css">', `<style>\n${style}</style>`);
single = replaceOnce(single, '<script type="module" src="quiz.js"></script>',
  `<script type="module">\n${script}</script>`);
single = replaceOnce(single, '</body>', '<script type="application/wasm" id="quiz-module">' +
  `${base64(files['quiz.wasm'])}</script>\n</body>`);
fs.writeFileSync(singleFile, single);
