// The panel's 式 field: a problem of its own, read as the command line reads
// it, drawn, worked and checked in place of the fields' problem; emptied, the
// panel follows the fields again; what it cannot read is said below it.

import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import { sharedBrowser, tobarin } from './support.js';

const shared = sharedBrowser();
const panel = (name) => `[data-panel="${name}"]`;
const lines = (page) => page.evaluate(() => [...document.querySelectorAll(
  '[data-panel="Working"] li:not([hidden])')].map((item) => item.getAttribute('aria-label')));

// The native program's working of EXPR, a run of blanks read as one, as the panel names its lines.
const nativeSteps = (expression) => tobarin('--calc', expression, '--steps').trimEnd().split('\n')
  .slice(0, -1).map((line) => line.trim().replace(/ {2,}/g, ' '));

async function enterProblem(page, text) {
  await page.fill(panel('ExpressionEntry'), text);
  await page.press('Enter');
}

describe('the 式 field', () => {
  const fresh = shared.reused();  // one page, loaded afresh for each test
  // [what is typed, the problem as the command line takes it]
  for (const [typed, expression] of [
    ['(-2/3)² × 9/4 - 1/2', '(-2/3)² × 9/4 - 1/2'],
    ['（－２／３）^2 × ９/４ － １/２', '(-2/3)² × 9/4 - 1/2'],
    ['2 × -3 + 1.25', '2 × -3 + 1.25'],
  ]) {
    test(`${typed}: drawn, worked and checked; emptied, the fields' problem again`, async (t) => {
      const page = await fresh(t);
      const fields = await lines(page);
      const steps = nativeSteps(expression);
      await enterProblem(page, typed);
      await page.waitFor((first) => document.querySelector('[data-panel="Working"] li')
        .getAttribute('aria-label') === first, steps[0]);
      assert.deepEqual(await lines(page), steps.slice(0, 1));
      await page.click(panel('ShowWorking'));
      assert.deepEqual(await lines(page), steps);
      // A power of a signed fraction: a superscript over the fraction in
      // parentheses drawn nearly as tall as it, whatever the engine.
      const power = await page.evaluate(() => {
        const sup = document.querySelector('[data-panel="Working"] li math msup');
        const height = (element) => element.getBoundingClientRect().height;
        const fraction = sup?.firstElementChild.querySelector('mfrac');
        return sup && [fraction.textContent,
          [...sup.firstElementChild.querySelectorAll('mo')].map((mo) => mo.textContent).join(''),
          sup.lastElementChild.textContent, height(sup.querySelector('mo')) >= 0.9 * height(fraction)];
      });
      if (expression.includes('²')) assert.deepEqual(power, ['23', '(−)', '2', true]);
      // The native answer ("-2 5/12", "29/12", "7") typed into the fields.
      const [, sign, rest] = tobarin('--calc', expression).trim().match(/^(-?)(.*)$/);
      const [whole, fraction = ''] = rest.includes('/') && !rest.includes(' ') ? ['', rest] : rest.split(' ');
      const [num = '', den = ''] = fraction.split('/');
      for (const [name, text] of [['AnswerWhole', whole], ['AnswerNumerator', num], ['AnswerDenominator', den]]) {
        await page.fill(panel(name), text);
      }
      if (sign) await page.click(panel('AnswerNegative'));
      await page.click(panel('CheckAnswer'));
      assert.equal(await page.attribute(panel('Verdict'), 'data-verdict'), 'correct');
      await page.fill(panel('ExpressionEntry'), '');
      assert.deepEqual(await lines(page), fields);
      assert.equal(await page.text(panel('Verdict')), '');
    });
  }

  test('a conversion is drawn and worked as the command line works it', async (t) => {
    const page = await fresh(t);
    for (const typed of ['2 1/3 → 仮分数', '3/4と5/6 → 通分', '1.25 → 分数']) {
      const steps = nativeSteps(typed);
      await enterProblem(page, typed);
      await page.waitFor((first) => document.querySelector('[data-panel="Working"] li')
        .getAttribute('aria-label') === first, steps[0]);
      if (await page.text(panel('ShowWorking')) === '途中式を見る') await page.click(panel('ShowWorking'));
      assert.deepEqual(await lines(page), steps);
      // Each line drawn: the form asked for after the arrow, fractions stacked.
      assert.equal(await page.evaluate(() => document.querySelector('[data-panel="Working"] li math mtext')
        ?.textContent), typed.split('→ ')[1]);
    }
  });

  test('what cannot be read is said below the field, the problem shown staying', async (t) => {
    const page = await fresh(t);
    for (const typed of ['2/3² + 1', '1 + (2 × 3']) {
      let message = '';
      try {
        tobarin('--calc', typed);
      } catch (error) {
        message = error.stderr.trim();
      }
      const shown = await lines(page);
      await enterProblem(page, typed);
      await page.waitFor(() => document.querySelector('[data-panel="ExpressionMessage"]').textContent);
      assert.equal(await page.text(panel('ExpressionMessage')), message);
      assert.equal(await page.attribute(panel('ExpressionEntry'), 'aria-invalid'), 'true');
      assert.deepEqual(await lines(page), shown);
    }
    await enterProblem(page, '1/2 + 1/3');
    await page.waitFor(() => !document.querySelector('[data-panel="ExpressionMessage"]').textContent);
    assert.deepEqual(await lines(page), ['1/2 + 1/3']);
  });
});
