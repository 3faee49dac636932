// The page's CSS and JavaScript against the browsers it must serve, the browserslist query in
// window/web/.browserslistrc, with the ecosystem's checkers: doiuse for the CSS;
// eslint-plugin-compat (the browsers' APIs) and eslint-plugin-ecmascript-compat (the
// language up to ES2023) for the JavaScript, with eslint-plugin-es-x's rules for what came
// after, which no browser on the list has. A check that finds nothing in a planted newer
// feature has stopped working, so the plants are checked too.
//   compat.cjs SOURCE_DIR PAGE_DIR   (NODE_PATH names where npm installed the checkers)
const fs = require('node:fs');
const path = require('node:path');
const { createRequire } = require('node:module');
const { Linter } = require('eslint');
const compat = require('eslint-plugin-compat');
const ecmascript = require('eslint-plugin-ecmascript-compat');
const doiuse = require('doiuse');
const postcss = require('postcss');

const browserslist = createRequire(require.resolve('doiuse'))('browserslist');
const esx = createRequire(require.resolve('eslint-plugin-ecmascript-compat'))('eslint-plugin-es-x');

const [sourceDir, pageDir] = process.argv.slice(2);
const browsers = browserslist.loadConfig({ path: sourceDir });

// CSS: every feature some browser on the list lacks or has in part, but for these uses,
// which need nothing those browsers lack or which degrade as quiz.css says:
const ACCEPTED = [
  // overflow: partial in Safari 15 only for values the page does not use (clip, two values)
  (feature, usage) => feature === 'css-overflow' && /^overflow(-[xy])?$/.test(usage.prop) &&
    /^(visible|hidden|scroll|auto)$/.test(usage.value),
  // the worksheet's printed page size and margins: the browser's own where it has no @page
  (feature, usage) => feature === 'css-paged-media' && usage.type === 'atrule',
  // a grid's column gap and a printed row kept whole: no multi-column layout at all
  (feature, usage) => feature === 'multicolumn' && /^(column-gap|break-inside)$/.test(usage.prop),
];

async function cssFindings(css, from) {
  const found = [];
  await postcss([doiuse({
    browsers,
    onFeatureUsage: ({ feature, message, usage }) => {
      if (!ACCEPTED.some((accepted) => accepted(feature, usage))) found.push(message);
    },
  })]).process(css, { from });
  return found;
}

const linter = new Linter();
linter.defineRule('compat/compat', compat.rules.compat);
linter.defineRule('ecmascript-compat/compat', ecmascript.rules.compat);
const rules = {
  'compat/compat': 'error',
  'ecmascript-compat/compat': ['error', { overrideBrowserslist: browsers }],
};
for (const [name, level] of Object.entries(esx.configs['no-new-in-esnext'].rules)) {
  linter.defineRule(name, esx.rules[name.replace('es-x/', '')]);
  rules[name] = level;
}

function jsFindings(text, file) {
  return linter.verify(text, {
    parserOptions: { ecmaVersion: 'latest', sourceType: file.endsWith('sw.js') ? 'script' : 'module' },
    settings: { browsers, lintAllEsApis: true }, rules,
  }, { filename: file }).map((m) => `${file}:${m.line}:${m.column}: ${m.message}`);
}

async function main() {
  let failed = 0;
  const check = (what, found, expected) => {
    const ok = expected ? found.length > 0 : found.length === 0;
    console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
    for (const line of found) console.log(`  ${line}`);
    if (!ok) ++failed;
  };
  console.log(`browsers: ${browsers.join(', ')}`);
  const css = path.join(pageDir, 'quiz.css');
  check('quiz.css has nothing newer than the list',
    await cssFindings(fs.readFileSync(css, 'utf8'), css));
  for (const name of ['quiz.js', 'sw.js']) {
    const file = path.join(pageDir, name);
    check(`${name} has nothing newer than the list`, jsFindings(fs.readFileSync(file, 'utf8'), file));
  }
  check('a nested rule is found', await cssFindings('.a { .b { color: red; } }', 'planted.css'), true);
  check('Object.groupBy is found', jsFindings('Object.groupBy([], (x) => x);', 'planted.js'), true);
  check('CompressionStream is found', jsFindings("new CompressionStream('gzip');", 'planted.js'),
    true);
  console.log(`compat: ${failed ? 'failed' : 'passed'}`);
  process.exit(failed ? 1 : 0);
}

main();
