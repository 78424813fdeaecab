// Takes a screenshot of the view 「クラスの結果」 (#results) with the fixed file
// of codes pasted (tests/cli/results_codes.txt), at the viewport given as
// WIDTHxHEIGHT=FILE, in the engine TOBARIN_BROWSER names (headless Chromium
// by default).
//
//   node scripts/screenshot-results.mjs 1024x900=/tmp/results-shots/web-chromium.png

import { readFileSync } from 'node:fs';
import { launchBrowser, serveSite } from '../tests/browsers/site.js';

const codes = readFileSync(new URL('../tests/cli/results_codes.txt', import.meta.url), 'utf8');
const site = await serveSite();
const browser = await launchBrowser();
try {
  for (const argument of process.argv.slice(2)) {
    const [, width, height, file] = argument.match(/^(\d+)x(\d+)=(.+)$/);
    const page = await browser.open({ viewport: { width: Number(width), height: Number(height) } });
    try {
      await page.goto(site.url);
      await page.ready();
      await page.evaluate(() => { location.hash = '#results'; });
      await page.waitFor(() => document.getElementById('results-codes') !== null);
      await page.evaluate((text) => {
        const box = document.getElementById('results-codes');
        box.value = text;
        box.dispatchEvent(new InputEvent('input', { bubbles: true }));
      }, codes);
      await page.waitFor(() => document.querySelectorAll('.results-set').length > 0);
      // Fonts in, and two frames drawn since: WebKit's driver takes the
      // window as last drawn.
      await page.evaluate(() => document.fonts.ready.then(() => new Promise((resolve) => {
        requestAnimationFrame(() => requestAnimationFrame(() => resolve(true)));
      })));
      await page.screenshot(file);
      console.log(`wrote ${file}`);
    } finally {
      await page.close();
    }
  }
} finally {
  await browser.close();
  await site.close();
}
