#!/usr/bin/env node
// Writes the page for a static host (a folder, offline and installable) and the single-file
// page, both with the window's markup that the writer module makes from the definition.
//   bundle.mjs WRITER PAGE_MODULE PAGE_DIR SINGLE_FILE SOURCE_DIR ICON
import crypto from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const [writer, pageModule, pageDir, singleFile, sourceDir, icon] = process.argv.slice(2);
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

// PNG: the icon (8-bit RGBA, not interlaced) read, scaled up by whole pixels and written.
function readPng(bytes) {
  let width = 0, height = 0;
  const data = [];
  for (let at = 8; at < bytes.length; at += 12 + bytes.readUInt32BE(at)) {
    const type = bytes.toString('latin1', at + 4, at + 8);
    const chunk = bytes.subarray(at + 8, at + 8 + bytes.readUInt32BE(at));
    if (type === 'IHDR') {
      [width, height] = [chunk.readUInt32BE(0), chunk.readUInt32BE(4)];
      if (chunk[8] !== 8 || chunk[9] !== 6 || chunk[12] !== 0) throw new Error('icon: not RGBA');
    } else if (type === 'IDAT') {
      data.push(chunk);
    }
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * 4;
  const pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; ++x) {
      const a = x >= 4 ? pixels[y * stride + x - 4] : 0;
      const b = y > 0 ? pixels[(y - 1) * stride + x] : 0;
      const c = x >= 4 && y > 0 ? pixels[(y - 1) * stride + x - 4] : 0;
      const p = a + b - c;
      const paeth = Math.abs(p - a) <= Math.abs(p - b) && Math.abs(p - a) <= Math.abs(p - c) ? a
        : Math.abs(p - b) <= Math.abs(p - c) ? b : c;
      const predictor = [0, a, b, (a + b) >> 1, paeth][filter];
      pixels[y * stride + x] = (raw[y * (stride + 1) + 1 + x] + predictor) & 255;
    }
  }
  return { width, height, pixels };
}

const crcTable = Array.from({ length: 256 }, (_, n) => {
  for (let k = 0; k < 8; ++k) n = n & 1 ? 0xEDB88320 ^ (n >>> 1) : n >>> 1;
  return n >>> 0;
});
function chunk(type, data) {
  const body = Buffer.concat([Buffer.from(type, 'latin1'), data]);
  let crc = ~0;
  for (const byte of body) crc = crcTable[(crc ^ byte) & 255] ^ (crc >>> 8);
  const out = Buffer.alloc(12 + data.length);
  out.writeUInt32BE(data.length, 0);
  body.copy(out, 4);
  out.writeUInt32BE((~crc) >>> 0, 8 + data.length);
  return out;
}

function scaledPng({ width, height, pixels }, size) {
  const raw = Buffer.alloc(size * (size * 4 + 1));
  for (let y = 0; y < size; ++y) {
    for (let x = 0; x < size; ++x) {
      const from = (Math.floor(y * height / size) * width + Math.floor(x * width / size)) * 4;
      pixels.copy(raw, y * (size * 4 + 1) + 1 + x * 4, from, from + 4);
    }
  }
  const header = Buffer.alloc(13);
  header.writeUInt32BE(size, 0);
  header.writeUInt32BE(size, 4);
  header.set([8, 6, 0, 0, 0], 8);
  return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', header),
    chunk('IDAT', zlib.deflateSync(raw, { level: 9 })), chunk('IEND', Buffer.alloc(0))]);
}

const texts = await pageTexts();
const escaped = texts.title.replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
const html = fill(source('index.html'), { title: escaped, colour: texts.colour,
  window: texts.window, worksheet: texts.worksheet });
// The one-column rules apply where the window does not fit, and where the script finds the
// text larger than the window was drawn for (a minimum font size): the same rules twice.
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
  return `${css.slice(0, open)}@media ${texts.reflow} {${rules}}\n:root.reflow {${rules}}` +
    css.slice(close);
}
const style = reflowed(source('quiz.css'));
const script = source('quiz.js') + source('platform.js');
const iconBytes = fs.readFileSync(icon);
const iconPixels = readPng(iconBytes);

// The folder: the page, its module, icons, manifest and the service worker over them all.
const files = {
  'index.html': html, 'quiz.css': style, 'quiz.js': script,
  'quiz.wasm': fs.readFileSync(pageModule), 'pioneers-quiz.png': iconBytes,
  'icon-192.png': scaledPng(iconPixels, 192), 'icon-512.png': scaledPng(iconPixels, 512),
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
