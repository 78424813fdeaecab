// Writes engine-start.js into the page's head in place of the tag that loads
// it, and lets that script, and no other inline one, run under the page's
// Content-Security-Policy by its SHA-256 hash. Inline, it starts the engine's
// download as soon as the head is read: loaded from its own file, the parser
// waited for that file first, the slowest of the page's first requests in
// Chromium.
//
// Usage: node inline_start.mjs PAGE SCRIPT

import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { basename } from 'node:path';

const [pagePath, scriptPath] = process.argv.slice(2);
const page = readFileSync(pagePath, 'utf8');
// Without its lines of comment, which the page has no need to carry.
const script = readFileSync(scriptPath, 'utf8').replace(/^[ \t]*\/\/.*\n/gm, '').replace(/^\n+/, '');
const tag = `<script src="${basename(scriptPath)}"></script>`;
const policy = "script-src 'self'";
if (!page.includes(tag) || !page.includes(policy) || script.includes('</script')) {
  console.error(`inline_start: ${pagePath} has no ${tag} and ${policy}, or the script cannot be inlined`);
  process.exit(1);
}
const hash = createHash('sha256').update(script).digest('base64');
writeFileSync(pagePath, page.replace(policy, `${policy} 'sha256-${hash}'`)
  .replace(tag, () => `<script>${script}</script>`));
