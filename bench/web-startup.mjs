// Start-up of the page in Chromium, Firefox and WebKit: a cold load to
// data-ready (the engine loaded, the focus on Option1(0)), side by side with
// a static page of the same layout without WebAssembly
// (bench-page/static.html, written by the same generator), in one run per
// browser, interleaved, each load in a fresh profile (an empty cache). Both
// pages mark the moment they set data-ready (performance.mark
// 'tobarin-ready'), read after the load by the page's own clock, so no
// script has to run in the page before its own. Then where the time went,
// from the browser's Navigation and Resource Timing, and what a cold load of
// the page fetches, file by file.
//
//   scripts/build-web.sh && (cd tests/browsers && npm ci) && node bench/web-startup.mjs
//
// ROUNDS (15 by default) sets the number of rounds, after two warm-up rounds;
// BROWSERS (default "chromium firefox webkit") the browsers. WebKit draws on
// an X display: without one, the bench runs itself again under xvfb-run.

import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';

const rounds = Number(process.env.ROUNDS ?? 15);
const browsers = (process.env.BROWSERS ?? 'chromium firefox webkit').split(' ');
if (browsers.includes('webkit') && !process.env.DISPLAY) {
  const run = spawnSync('xvfb-run', ['-a', '-s', '-screen 0 2000x1400x24 -nolisten tcp',
    process.execPath, ...process.argv.slice(1)], { stdio: 'inherit' });
  process.exit(run.status ?? 1);
}
const { buildDir, launchBrowser, serveSite } = await import('../tests/browsers/site.js');

const site = await serveSite();
const pages = { wasm: `${site.origin}/dist/`, static: `${site.origin}/bench-page/static.html` };

// The moments of a load, in milliseconds from the start of the navigation by
// the page's own clock: the page's ready mark, and when the document, its
// styles, its last script and the engine had arrived.
function moments() {
  const at = (entry, what) => (entry ? entry[what] : null);
  const resources = performance.getEntriesByType('resource');
  const arrived = (test) => {
    const ends = resources.filter((entry) => test(new URL(entry.name).pathname)).map((entry) => entry.responseEnd);
    return ends.length ? Math.max(...ends) : null;
  };
  const navigation = performance.getEntriesByType('navigation')[0];
  return {
    document: at(navigation, 'responseEnd'),
    styles: arrived((path) => path.endsWith('.css')),
    scripts: arrived((path) => path.endsWith('.js')),
    engine: arrived((path) => path.endsWith('.wasm')),
    parsed: at(navigation, 'domInteractive'),
    contentLoaded: at(navigation, 'domContentLoadedEventStart'),
    firstPaint: at(performance.getEntriesByName('first-contentful-paint')[0], 'startTime'),
    ready: at(performance.getEntriesByName('tobarin-ready')[0], 'startTime'),
  };
}

async function load(browser, url) {
  const page = await browser.open({ viewport: { width: 1366, height: 768 } });
  try {
    await page.goto(url);
    await page.ready();
    await page.evaluate(() => document.fonts.ready.then(() => true));
    // The first paint with content is reported once its frame is shown, which
    // may come after ready: waited for, two seconds at most.
    await page.evaluate(() => new Promise((resolve) => {
      new PerformanceObserver((list) => {
        if (list.getEntriesByName('first-contentful-paint').length) resolve(true);
      }).observe({ type: 'paint', buffered: true });
      setTimeout(() => resolve(false), 2000);
    }));
    return { moments: await page.evaluate(moments), fetched: await page.fetched() };
  } finally {
    await page.close();
  }
}

const median = (values) => {
  const sorted = values.filter((value) => value !== null).sort((a, b) => a - b);
  if (sorted.length === 0) return null;
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const f = (ms) => (ms === null ? '–' : ms.toFixed(1));
const names = { wasm: 'Tobarin (WebAssembly)', static: 'static layout' };

let fetched = [];
const summary = [];
const detail = [];
for (const name of browsers) {
  const browser = await launchBrowser(name);
  const times = { wasm: [], static: [] };
  try {
    for (let round = -2; round < rounds; ++round) {
      const order = round % 2 === 0 ? ['wasm', 'static'] : ['static', 'wasm'];
      for (const kind of order) {
        const result = await load(browser, pages[kind]);
        if (round >= 0) times[kind].push(result.moments);
        if (kind === 'wasm' && fetched.length === 0) fetched = result.fetched;
      }
    }
  } finally {
    await browser.close();
  }
  const ready = (kind) => times[kind].map((moment) => moment.ready);
  const ratio = median(ready('wasm')) / median(ready('static'));
  // Ready and drawn: WebKit may run a page's script, and so mark it ready,
  // before the page's styles are in, and draws it only once they are.
  const drawn = (kind) => times[kind].map((moment) => Math.max(moment.ready, moment.firstPaint ?? 0));
  const drawnRatio = median(drawn('wasm')) / median(drawn('static'));
  for (const kind of ['wasm', 'static']) {
    summary.push(`| ${name} | ${names[kind]} | ${f(median(ready(kind)))} | `
      + `${f(Math.min(...ready(kind)))} | ${f(Math.max(...ready(kind)))} | `
      + `${kind === 'wasm' ? `${ratio.toFixed(2)} ×` : ''} | ${f(median(drawn(kind)))} | `
      + `${kind === 'wasm' ? `${drawnRatio.toFixed(2)} ×` : ''} |`);
    const column = (what) => f(median(times[kind].map((moment) => moment[what])));
    detail.push(`| ${name} | ${names[kind]} | ${['document', 'styles', 'scripts', 'engine', 'parsed',
      'contentLoaded', 'firstPaint', 'ready'].map(column).join(' | ')} |`);
  }
}
await site.close();

console.log(`Cold load to data-ready, ${rounds} rounds interleaved, medians / min / max (ms), `
  + 'and to ready and drawn (the later of data-ready and the first paint with content):\n');
console.log('| browser | page | median | min | max | ratio of the medians | ready and drawn | ratio |\n'
  + '|---|---|---|---|---|---|---|---|');
console.log(summary.join('\n'));
console.log('\nWhere the time went, medians (ms from the start of the navigation): the document, '
  + 'the styles, the last script and the engine arrived; the document parsed; '
  + 'DOMContentLoaded; the first paint with content; ready:\n');
console.log('| browser | page | document | styles | scripts | engine | parsed | DOMContentLoaded | '
  + 'first paint | ready |\n|---|---|---|---|---|---|---|---|---|---|');
console.log(detail.join('\n'));

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
