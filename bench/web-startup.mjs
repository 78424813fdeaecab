// Start-up of the page in headless Chromium and in headless Firefox: a cold
// load to data-ready (the engine loaded, the focus on Option1(0)), side by
// side with a static page of the same layout without WebAssembly
// (bench-page/static.html, written by the same generator), in one run per
// browser, interleaved, each load in a fresh profile (an empty cache). Then
// what a cold load of the page fetches, file by file.
//
//   scripts/build-web.sh && (cd tests/browsers && npm ci) && node bench/web-startup.mjs
//
// ROUNDS (15 by default) sets the number of rounds, after two warm-up rounds;
// BROWSERS (default "chromium firefox") the browsers.

import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { buildDir, launchBrowser, serveSite } from '../tests/browsers/site.js';

const rounds = Number(process.env.ROUNDS ?? 15);
const browsers = (process.env.BROWSERS ?? 'chromium firefox').split(' ');
const site = await serveSite();
const pages = { wasm: `${site.origin}/dist/`, static: `${site.origin}/bench-page/static.html` };

// Milliseconds from the start of the navigation to data-ready, as the page's
// own clock reads them; and the paths it fetched.
async function load(browser, url) {
  const page = await browser.open({ viewport: { width: 1366, height: 768 } });
  try {
    await page.preload(() => {
      new MutationObserver((_, observer) => {
        if (document.documentElement.hasAttribute('data-ready')) {
          window.readyAt = performance.now();
          observer.disconnect();
        }
      }).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-ready'] });
    });
    await page.goto(url);
    await page.ready();
    const ms = await page.evaluate(() => window.readyAt);
    await page.evaluate(() => document.fonts.ready.then(() => true));
    return { ms, fetched: await page.fetched() };
  } finally {
    await page.close();
  }
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const f = (ms) => ms.toFixed(1);

let fetched = [];
console.log(`Cold load to data-ready, ${rounds} rounds interleaved, medians / min / max (ms):\n`);
console.log('| browser | page | median | min | max | ratio of the medians |\n|---|---|---|---|---|---|');
for (const name of browsers) {
  const browser = await launchBrowser(name);
  const times = { wasm: [], static: [] };
  try {
    for (let round = -2; round < rounds; ++round) {
      const order = round % 2 === 0 ? ['wasm', 'static'] : ['static', 'wasm'];
      for (const kind of order) {
        const result = await load(browser, pages[kind]);
        if (round >= 0) times[kind].push(result.ms);
        if (kind === 'wasm' && fetched.length === 0) fetched = result.fetched;
      }
    }
  } finally {
    await browser.close();
  }
  const ratio = (median(times.wasm) / median(times.static)).toFixed(2);
  for (const [kind, values] of Object.entries(times)) {
    console.log(`| ${name} | ${kind === 'wasm' ? 'Tobarin (WebAssembly)' : 'static layout'} | `
      + `${f(median(values))} | ${f(Math.min(...values))} | ${f(Math.max(...values))} | `
      + `${kind === 'wasm' ? `${ratio} ×` : ''} |`);
  }
}
await site.close();

// The files the page fetched in the first browser, as this static server
// sends them (uncompressed), and gzip-compressed (level 9), as a server that
// compresses would.
console.log('\n| file | bytes | gzip |\n|---|---|---|');
let raw = 0;
let gzip = 0;
for (const path of [...new Set(fetched)]) {
  const file = join(buildDir, path.endsWith('/') ? `${path}index.html` : path);
  const bytes = readFileSync(file);
  const zipped = gzipSync(bytes, { level: 9 }).length;
  raw += bytes.length;
  gzip += zipped;
  console.log(`| ${path.replace('/dist/', '') || 'index.html'} | ${bytes.length} | ${zipped} |`);
}
console.log(`| total | ${raw} | ${gzip} |`);
