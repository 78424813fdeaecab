// Takes screenshots of the page in headless Chromium after 1 2/3 + 3/4 has
// been typed, 計算 pressed and the working shown, at the viewports given as
// WIDTHxHEIGHT[@SCALE]=FILE.
//
//   node scripts/screenshot-web.mjs 360x640@2=docs/web-phone.png 1366x768=docs/web-desktop.png

import { control, launchBrowser, serveSite, type } from '../tests/web/support.js';

const site = await serveSite();
const browser = await launchBrowser();
try {
  for (const argument of process.argv.slice(2)) {
    const [, width, height, scale, file] = argument.match(/^(\d+)x(\d+)(?:@(\d+))?=(.+)$/);
    const context = await browser.newContext({
      viewport: { width: Number(width), height: Number(height) },
      deviceScaleFactor: Number(scale ?? 1),
    });
    const page = await context.newPage();
    await page.goto(site.url);
    await page.locator('html[data-ready]').waitFor({ state: 'attached' });
    for (const [name, text] of [['Text1(0)', '3'], ['Text1(1)', '2'], ['Text1(2)', '1'],
      ['Text2(0)', '4'], ['Text2(1)', '3']]) {
      await type(page, name, text);
    }
    await control(page, 'Command1').click();
    await page.locator('[data-panel="ShowWorking"]').click();
    await page.evaluate(() => document.fonts.ready);
    await page.screenshot({ path: file });
    console.log(`wrote ${file}`);
    await context.close();
  }
} finally {
  await browser.close();
  await site.close();
}
