// Writes DIST/sw.js: the service worker of service-worker.js, preceded by the
// list of every file in DIST with its hash (as a Subresource Integrity
// value), and a cache name made from a hash of their paths and contents.
//
// Usage: node make_service_worker.mjs DIST TEMPLATE

import { createHash } from 'node:crypto';
import { readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { join, relative, sep } from 'node:path';

const [dist, template] = process.argv.slice(2);

function filesUnder(folder) {
  return readdirSync(folder, { withFileTypes: true }).flatMap((entry) => {
    const path = join(folder, entry.name);
    return entry.isDirectory() ? filesUnder(path) : [path];
  });
}

const files = filesUnder(dist)
  .map((path) => relative(dist, path).split(sep).join('/'))
  .filter((path) => path !== 'sw.js')
  .sort();
const hash = createHash('sha256');
const integrity = new Map();
for (const file of files) {
  const contents = readFileSync(join(dist, file));
  hash.update(`${file}\0`);
  hash.update(contents);
  integrity.set(file, `sha256-${createHash('sha256').update(contents).digest('base64')}`);
}
const version = hash.digest('hex').slice(0, 16);
// The start URL is the folder itself; it is cached as index.html is.
const entries = [['./', integrity.get('index.html')], ...files.map((file) => [file, integrity.get(file)])];
writeFileSync(join(dist, 'sw.js'),
  `const CachePrefix = 'tobarin-';\n`
  + `const CacheName = CachePrefix + '${version}';\n`
  + `const Files = [\n${entries.map((entry) => `  ${JSON.stringify(entry)},`).join('\n')}\n];\n\n`
  + readFileSync(template, 'utf8'));
