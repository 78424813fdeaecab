// Takes screenshots of the page after 1 2/3 + 3/4 has been typed, 計算
// pressed and the working shown, at the viewports given as
// WIDTHxHEIGHT[@SCALE]=FILE, in the engine TOBARIN_BROWSER names (headless
// Chromium by default). With TOBARIN_SHOT_EXPRESSION set, that problem is
// typed into the panel's 式 field and entered instead, its working shown and
// the panel scrolled to the field. With TOBARIN_SHOT_PRACTICE set to a set's
// code, the page opens that set and, with TOBARIN_SHOT_ANSWER, types it as
// the first problem's answer where the focus is and presses Enter.
//
//   node scripts/screenshot-web.mjs 360x640@2=docs/web-phone.png 1366x768=docs/web-desktop.png
//   TOBARIN_SHOT_EXPRESSION='(-2/3)² × 9/4 - 1/2' node scripts/screenshot-web.mjs 390x844@2=/tmp/x.png

import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { buildDir, launchBrowser, serveSite } from '../tests/browsers/site.js';

// The controls' names as the built page writes them.
const { Control, ExpressionControl, Field, WorkingControl } = await import(pathToFileURL(join(buildDir, 'dist', 'codes.js')));

const site = await serveSite();
const browser = await launchBrowser();
try {
  for (const argument of process.argv.slice(2)) {
    const [, width, height, scale, file] = argument.match(/^(\d+)x(\d+)(?:@(\d+))?=(.+)$/);
    const page = await browser.open({
      viewport: { width: Number(width), height: Number(height) }, scale: Number(scale ?? 1),
    });
    try {
      const practice = process.env.TOBARIN_SHOT_PRACTICE;
      await page.goto(practice ? `${site.url}#practice=${practice}` : site.url);
      await page.ready();
      if (practice) {
        await page.waitFor(() => Boolean(document.activeElement?.closest('[data-practice="TypedAnswer"]')));
        const typed = process.env.TOBARIN_SHOT_ANSWER;
        if (typed) {
          await page.type(typed);
          await page.press('Enter');
          await page.waitFor(() => document.querySelector('[data-practice="Verdict"]').textContent);
        }
      }
      const expression = practice ? '' : process.env.TOBARIN_SHOT_EXPRESSION;
      if (expression) {
        const entry = `[data-panel="${ExpressionControl.ExpressionEntry}"]`;
        const problem = () => document.querySelector('[data-panel="Working"] li').getAttribute('aria-label');
        const before = await page.evaluate(problem);
        await page.click(entry);
        await page.type(expression);
        await page.press('Enter');
        await page.waitFor((shown) => document.querySelector('[data-panel="Working"] li')
          .getAttribute('aria-label') !== shown, before);
        await page.click(`[data-panel="${WorkingControl.ShowWorking}"]`);
        await page.evaluate((s) => document.querySelector(s).parentElement.scrollIntoView(), entry);
      }
      for (const [name, text] of expression || practice ? [] : [[Control.Text1[Field.Denominator], '3'],
        [Control.Text1[Field.Numerator], '2'], [Control.Text1[Field.Whole], '1'],
        [Control.Text2[Field.Denominator], '4'], [Control.Text2[Field.Numerator], '3']]) {
        await page.click(`[data-control="${name}"]`);
        await page.type(text);
      }
      if (!expression && !practice) {
        await page.click(`[data-control="${Control.Command1}"]`);
        await page.click(`[data-panel="${WorkingControl.ShowWorking}"]`);
      }
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
