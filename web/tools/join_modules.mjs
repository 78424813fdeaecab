// Writes the page's modules as one module, so that the browser fetches one
// file and runs the page as soon as the document is parsed, instead of
// fetching each module and going down its imports a level at a time, which
// browsers do in turns of their event loop and WebKit draws the page in
// between. Each module keeps its own scope: its body runs in a function of
// its own that returns what it exports, and an import reads those exports.
// The page's modules are written so that this holds: they import and export
// names only, each import and export at the start of its line, and none
// changes what it exported once it has run. The entry module comes last and
// may keep a top-level await, and its exports are the joined module's.
//
// Usage: node join_modules.mjs OUT ENTRY MODULE...

import { readFileSync, writeFileSync } from 'node:fs';
import { basename } from 'node:path';

const [out, entry, ...others] = process.argv.slice(2);
const importLine = /^import \{([^}]*)\} from '\.\/([^']+)';\n/gm;
const exportWord = /^export (async function|function|class|const) (\w+)/gm;

function fail(message) {
  console.error(`join_modules: ${message}`);
  process.exit(1);
}

const modules = new Map();
for (const path of [entry, ...others]) {
  const text = readFileSync(path, 'utf8');
  const imports = [...text.matchAll(importLine)].map(([, names, from]) => ({ names, from }));
  const exported = [...text.matchAll(exportWord)].map(([, , name]) => name);
  let body = text.replace(importLine, '').replace(exportWord, '$1 $2');
  if (/^(import|export)\b/m.test(body)) fail(`${path}: an import or export this script cannot join`);
  body = body.trim();
  modules.set(basename(path), { imports, exported, body });
}

// Each module after the modules it imports.
const order = [];
const visit = (name, from) => {
  const module = modules.get(name);
  if (!module) fail(`${from} imports ${name}, which is not one of the page's modules`);
  if (order.includes(name)) return;
  if (module.visiting) fail(`${name} imports itself, through ${from}`);
  module.visiting = true;
  for (const { from: imported } of module.imports) visit(imported, name);
  order.push(name);
};
visit(basename(entry), 'the page');

const variable = (name) => `module_${name.replace(/\W/g, '_')}`;
const reads = (module) => module.imports
  .map(({ names, from }) => `const {${names}} = ${variable(from)};\n`).join('');
let joined = `// The page's modules joined by join_modules.mjs: ${order.join(', ')}.\n`;
for (const name of order) {
  const module = modules.get(name);
  joined += `\n// ${name}\n`;
  if (name === basename(entry)) {
    joined += `${reads(module)}${module.body}\n`;
    if (module.exported.length) joined += `export { ${module.exported.join(', ')} };\n`;
  } else {
    joined += `const ${variable(name)} = (() => {\n${reads(module)}${module.body}\n`
      + `return { ${module.exported.join(', ')} };\n})();\n`;
  }
}
writeFileSync(out, joined);
