// Start-up of the page in headless Chromium: a cold load to data-ready (the
// engine loaded, the focus on Option1(0)), side by side with a static page of
// the same layout without WebAssembly (bench-page/static.html, written by the
// same generator), in one run, interleaved, each load in a fresh context (an
// empty cache). Then what a cold load of the page transfers, file by file.
//
//   scripts/build-web.sh && (cd tests/web && npm ci) && node bench/web-startup.mjs
//
// ROUNDS (15 by default) sets the number of rounds, after two warm-up rounds.

import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { buildDir, launchBrowser, serveSite } from '../tests/web/support.js';

const rounds = Number(process.env.ROUNDS ?? 15);
const site = await serveSite();
const browser = await launchBrowser();
const pages = { wasm: `${site.origin}/dist/`, static: `${site.origin}/bench-page/static.html` };

// Milliseconds from the start of the navigation to data-ready, as the page's
// own clock reads them; and the paths it requested.
async function load(url) {
  const context = await browser.newContext({ viewport: { width: 1366, height: 768 } });
  await context.addInitScript(() => {
    new MutationObserver((_, observer) => {
      if (document.documentElement.hasAttribute('data-ready')) {
        window.readyAt = performance.now();
        observer.disconnect();
      }
    }).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-ready'] });
  });
  const page = await context.newPage();
  const requested = [];
  page.on('request', (request) => requested.push(new URL(request.url()).pathname));
  await page.goto(url);
  await page.locator('html[data-ready]').waitFor({ state: 'attached' });
  const ms = await page.evaluate(() => window.readyAt);
  await page.evaluate(() => document.fonts.ready);
  await context.close();
  return { ms, requested };
}

const times = { wasm: [], static: [] };
let requested = [];
for (let round = -2; round < rounds; ++round) {
  const order = round % 2 === 0 ? ['wasm', 'static'] : ['static', 'wasm'];
  for (const name of order) {
    const result = await load(pages[name]);
    if (round >= 0) times[name].push(result.ms);
    if (name === 'wasm') requested = result.requested;
  }
}
await browser.close();
await site.close();

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const f = (ms) => ms.toFixed(1);
console.log(`Cold load to data-ready, ${rounds} rounds interleaved, medians / min / max (ms):\n`);
console.log('| page | median | min | max |\n|---|---|---|---|');
for (const [name, values] of Object.entries(times)) {
  console.log(`| ${name === 'wasm' ? 'Tobarin (WebAssembly)' : 'static layout'} | `
    + `${f(median(values))} | ${f(Math.min(...values))} | ${f(Math.max(...values))} |`);
}
console.log(`\nRatio of the medians: ${(median(times.wasm) / median(times.static)).toFixed(2)} × the static page\n`);

// The files the page loaded, as this static server sends them (uncompressed),
// and gzip-compressed (level 9), as a server that compresses would.
console.log('| file | bytes | gzip |\n|---|---|---|');
let raw = 0;
let gzip = 0;
for (const path of [...new Set(requested)]) {
  const file = join(buildDir, path.endsWith('/') ? `${path}index.html` : path);
  const bytes = readFileSync(file);
  const zipped = gzipSync(bytes, { level: 9 }).length;
  raw += bytes.length;
  gzip += zipped;
  console.log(`| ${path.replace('/dist/', '') || 'index.html'} | ${bytes.length} | ${zipped} |`);
}
console.log(`| total | ${raw} | ${gzip} |`);
