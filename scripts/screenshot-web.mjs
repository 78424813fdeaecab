// Takes screenshots of the page after 1 2/3 + 3/4 has been typed, 計算
// pressed and the working shown, at the viewports given as
// WIDTHxHEIGHT[@SCALE]=FILE, in the engine TOBARIN_BROWSER names (headless
// Chromium by default).
//
//   node scripts/screenshot-web.mjs 360x640@2=docs/web-phone.png 1366x768=docs/web-desktop.png

import { launchBrowser, serveSite } from '../tests/browsers/site.js';

const site = await serveSite();
const browser = await launchBrowser();
try {
  for (const argument of process.argv.slice(2)) {
    const [, width, height, scale, file] = argument.match(/^(\d+)x(\d+)(?:@(\d+))?=(.+)$/);
    const page = await browser.open({
      viewport: { width: Number(width), height: Number(height) }, scale: Number(scale ?? 1),
    });
    try {
      await page.goto(site.url);
      await page.ready();
      for (const [name, text] of [['Text1(0)', '3'], ['Text1(1)', '2'], ['Text1(2)', '1'],
        ['Text2(0)', '4'], ['Text2(1)', '3']]) {
        await page.click(`[data-control="${name}"]`);
        await page.type(text);
      }
      await page.click('[data-control="Command1"]');
      await page.click('[data-panel="ShowWorking"]');
      await page.evaluate(() => document.fonts.ready.then(() => true));
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
