// Writes files into the page in place of the tags that name them, so that the
// page arrives whole, in one request, and its script runs with nothing more
// to fetch:
//   <script src="NAME"></script>              a classic script, run where it stands
//   <script type="module" src="NAME"></script> a module, run once the page is parsed
//   <script type="..." data-base64="NAME"></script> a file's bytes, in base64, for a
//                                              script to read (the engine)
// Each script is let run under the page's Content-Security-Policy by its
// SHA-256 hash, and no other inline script is.
//
// Usage: node inline_scripts.mjs PAGE FILE...

import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { basename } from 'node:path';

const [pagePath, ...files] = process.argv.slice(2);
const policy = "script-src 'self'";
let page = readFileSync(pagePath, 'utf8');
const hashes = [];

function fail(message) {
  console.error(`inline_scripts: ${pagePath}: ${message}`);
  process.exit(1);
}

// A classic script goes in without its lines of comment, which the page has
// no need to carry; a module as it is, as a line of a template literal may
// start with "//".
function script(path, classic) {
  let text = readFileSync(path, 'utf8');
  if (classic) text = text.replace(/^[ \t]*\/\/.*\n/gm, '').replace(/^\n+/, '');
  // Either would end the script's text early in the HTML parser, or make it
  // look for an end further on.
  if (/<\/script|<!--/i.test(text)) fail(`${path} cannot be written into the page`);
  hashes.push(`'sha256-${createHash('sha256').update(text).digest('base64')}'`);
  return text;
}

if (!page.includes(policy)) fail(`no ${policy}`);
for (const path of files) {
  const name = basename(path);
  const tags = [
    [`<script src="${name}"></script>`, () => `<script>${script(path, true)}</script>`],
    [`<script type="module" src="${name}"></script>`, () => `<script type="module">${script(path, false)}</script>`],
    [` data-base64="${name}"></script>`, () => `>${readFileSync(path).toString('base64')}</script>`],
  ].filter(([tag]) => page.includes(tag));
  if (tags.length !== 1) fail(`${tags.length} tags name ${name}, not one`);
  const [[tag, contents]] = tags;
  page = page.replace(tag, contents);
}
writeFileSync(pagePath, page.replace(policy, [policy, ...hashes].join(' ')));
