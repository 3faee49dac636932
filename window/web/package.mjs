#!/usr/bin/env node
// Writes the learning platform's package into a folder: the single-file page as the one
// resource, and the manifest that names it, with the page's title and every file listed.
// No service worker: the platform serves the files.
//   package.mjs SINGLE_FILE MANIFEST_TEMPLATE PACKAGE_DIR VERSION
import fs from 'node:fs';
import path from 'node:path';

const [singleFile, template, packageDir, version] = process.argv.slice(2);
const page = fs.readFileSync(singleFile, 'utf8');
// The title as the page writes it: its references (&#38;) are XML's too.
const title = page.match(/<title>([^<]*)<\/title>/)?.[1];
if (!title) throw new Error(`package.mjs: no title in ${singleFile}`);

const files = { 'index.html': page };
const manifest = fs.readFileSync(template, 'utf8').replace(/\{\{(\w+)\}\}/g, (all, name) => {
  const values = { title, version, page: 'index.html',
    files: Object.keys(files).map((file) => `      <file href="${file}"/>`).join('\n') };
  if (!(name in values)) throw new Error(`package.mjs: nothing for ${all}`);
  return values[name];
});
fs.rmSync(packageDir, { recursive: true, force: true });
fs.mkdirSync(packageDir, { recursive: true });
for (const [name, data] of Object.entries({ 'imsmanifest.xml': manifest, ...files })) {
  fs.writeFileSync(path.join(packageDir, name), data);
}
