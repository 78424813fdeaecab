// What the browser tests share, beside the site and the browsers that
// tests/browsers/site.js serves and drives: the browser of one test file, the
// controls found by their data-control names, and a test skipped where the
// engine's driver cannot carry it out.

import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { after, before } from 'node:test';
import { engine, launchBrowser, limits, serveSite } from '../browsers/site.js';

export {
  buildDir, engine, launchBrowser, limits, serveSite, withDevTools,
} from '../browsers/site.js';

// Skips the test where the engine's driver lacks what it needs; true then.
export function lacks(t, need) {
  const reason = limits[need];
  if (reason) t.skip(`${engine}: ${reason}`);
  return Boolean(reason);
}

// The site and a browser shared by the tests of one file: started before the
// first test and closed after the last. fresh(t) opens a page of the
// calculator for a test, closed when the test ends.
export function sharedBrowser() {
  const shared = {
    site: null,
    browser: null,
    async fresh(t, options) {
      const page = await shared.browser.open(options);
      t.after(() => page.close());
      await page.goto(shared.site.url);
      await page.ready();
      return page;
    },
    // One page for the tests of a describe block, loaded again for each test
    // after the first: a new load starts the window afresh, as a new page
    // does, for far less than a new page costs (a new browser, with WebKit's
    // driver, which has one at a time). Closed when the block ends.
    reused(options) {
      let page = null;
      after(() => page?.close());
      return async () => {
        if (page) {
          await page.evaluate(() => localStorage.clear());  // empty, as a new page's is
          await page.reload();
          await page.ready();
          return page;
        }
        page = await shared.browser.open(options);
        await page.goto(shared.site.url);
        await page.ready();
        return page;
      };
    },
  };
  before(async () => {
    shared.site = await serveSite();
    shared.browser = await launchBrowser();
  });
  after(async () => {
    await shared.browser?.close();
    await shared.site?.close();
  });
  return shared;
}

export const control = (name) => `[data-control="${name}"]`;

// The answer as the desktop tests write it: sign|whole|numerator/denominator|bar.
export function answer(page) {
  return page.evaluate(() => {
    const c = (name) => document.querySelector(`[data-control="${name}"]`);
    return `${c('Label1(3)').textContent}|${c('Label1(2)').textContent}|`
      + `${c('Label1(1)').textContent}/${c('Label1(0)').textContent}|`
      + `${c('Line3').hidden ? 'no bar' : 'bar'}`;
  });
}

// Types into a field as a person does: a click, then the keys.
export async function type(page, name, text) {
  await page.click(control(name));
  if (text) await page.type(text);
}

// The rows of tests/calculations.json, which the desktop window's tests share.
export const calculations = JSON.parse(readFileSync(new URL('../calculations.json', import.meta.url)));

// Works a row of calculations out as a person does: the operation, each
// operand's fields and sign box, 計算; the answer as answer() gives it.
export async function calculate(page, row) {
  await page.click(control(`Option1(${row.operation})`));
  for (const [array, operand] of [['Text1', row.first], ['Text2', row.second]]) {
    const [whole, num, den, negative] = operand;
    for (const [index, text] of [[0, den], [1, num], [2, whole]]) {
      if (text) await type(page, `${array}(${index})`, text);
    }
    if (negative) await page.click(control(`Check1(${array === 'Text1' ? 0 : 1})`));
  }
  await page.click(control('Command1'));
  return answer(page);
}

// The native command-line program, tobarin, of the native build
// (scripts/test-web.sh builds it where it is missing): its output.
const nativeProgram = process.env.TOBARIN_NATIVE
  ?? new URL('../../build/app/tobarin', import.meta.url).pathname;
export function tobarin(...args) {
  return execFileSync(nativeProgram, args, { encoding: 'utf8' });
}
// Likewise with input on its standard input.
export function tobarinReading(input, ...args) {
  return execFileSync(nativeProgram, args, { encoding: 'utf8', input });
}
