// The panel beside the window: the working of each Calculate, drawn with
// stacked fractions and copied as text, following the answer forms and
// Clear; and the answer check of a typed answer against the window's problem.

import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import { answer, control, sharedBrowser, type } from './support.js';

const { fresh } = sharedBrowser();

// Types a problem into the window: [whole, num, den, negative] operands.
async function enter(page, first, operation, second) {
  await page.click(control(`Option1(${operation})`));
  for (const [array, operand, box] of [['Text1', first, 0], ['Text2', second, 1]]) {
    const [whole, num, den, negative] = operand;
    for (const [index, text] of [[0, den], [1, num], [2, whole]]) {
      if (text) await type(page, `${array}(${index})`, text);
    }
    if (negative) await page.click(control(`Check1(${box})`));
  }
}

const panel = (name) => `[data-panel="${name}"]`;
const lines = (page) => page.evaluate(() => [...document.querySelectorAll('[data-panel="working"] li')]
  .map((item) => item.getAttribute('aria-label')));
// Fills a field of the answer check, found by its accessible name.
const fillIn = async (page, name, text) => page.fill(await page.byRole('textbox', name), text);

describe('working', () => {
  test('1 2/3 + 3/4: drawn stacked, copied as the text form', async (t) => {
    const page = await fresh(t);
    assert.equal(await page.visible(panel('hint')), true);
    await enter(page, ['1', '2', '3'], 0, ['', '3', '4']);
    await page.click(control('Command1'));
    assert.deepEqual(await lines(page), ['1 2/3 + 3/4', '= 5/3 + 3/4 帯分数を仮分数に直す',
      '= 20/12 + 9/12 通分する', '= 29/12 計算する', '= 2 5/12 帯分数に直す']);
    // The second line: = 5/3 + 3/4, two fractions stacked as numerator over denominator.
    const drawn = await page.evaluate(() => [...document.querySelectorAll(
      '[data-panel="working"] li:nth-child(2) math mfrac')].map((f) => [...f.children].map((c) => c.textContent)));
    assert.deepEqual(drawn, [['5', '3'], ['3', '4']]);
    await page.click(panel('copy'));
    await page.waitFor(() => document.querySelector('[data-panel="copied"]').textContent === 'コピーしました');
    assert.equal(await page.clipboard(), [
      '1 2/3 + 3/4',
      '= 5/3 + 3/4        帯分数を仮分数に直す',
      '= 20/12 + 9/12     通分する',
      '= 29/12            計算する',
      '= 2 5/12           帯分数に直す', ''].join('\n'));
  });

  test('follows the answer forms and goes with Clear', async (t) => {
    const page = await fresh(t);
    await enter(page, ['1', '2', '3'], 0, ['', '3', '4']);
    await page.click(control('Command1'));
    await page.click(control('Option2(1)'));
    assert.equal(await answer(page), '||29/12|bar');
    assert.equal((await lines(page)).at(-1), '= 29/12 仮分数に直す');
    await page.click(control('Option2(0)'));
    assert.equal((await lines(page)).at(-1), '= 2 5/12 帯分数に直す');
    await page.click(control('Command2'));
    assert.equal(await page.visible(panel('working')), false);
    assert.equal(await page.visible(panel('hint')), true);
    assert.equal(await page.disabled(panel('copy')), true);
  });

  test('a negative second operand stands in parentheses, drawn with a minus', async (t) => {
    const page = await fresh(t);
    await enter(page, ['', '1', '2'], 1, ['', '3', '4', true]);
    await page.click(control('Command1'));
    assert.equal((await lines(page))[0], '1/2 - (-3/4)');
    const operators = await page.evaluate(() => [...document.querySelectorAll(
      '[data-panel="working"] li:first-child mo')].map((mo) => mo.textContent));
    assert.deepEqual(operators, ['−', '(', '−', ')']);
  });

  test('ends with the report of a run-time error', async (t) => {
    const page = await fresh(t);
    await enter(page, ['', '1', '2'], 3, ['', '', '']);
    await page.click(control('Command1'));
    await page.press('Enter');  // closes the report
    assert.equal(await page.text(panel('report')),
      '実行時エラー 11: 0 で割ることはできません。');
  });
});

describe('answer check', () => {
  // For 1 2/3 + 3/4 (answer 2 5/12), what the pupil types and what is said.
  const rows = [
    [['2', '5', '12'], 'correct', '正解です。仮分数で書くと 29/12 です。'],
    [['', '29', '12'], 'correct', '正解です。帯分数で書くと 2 5/12 です。'],
    [['2', '10', '24'], 'close', 'おしいです。大きさは合っていますが、まだ約分できます。'],
    [['1', '17', '12'], 'close', 'おしいです。大きさは合っていますが、帯分数の分数の部分が 1 以上になっています。'],
    [['2', '5', '12', true], 'wrong', '答えがちがいます。もう一度計算してみましょう。'],
    [['', '', ''], 'unreadable', '答えが書かれていません。'],
    [['２', '５', '１２'], 'correct', '正解です。仮分数で書くと 29/12 です。'],
  ];
  for (const [[whole, num, den, negative], verdict, text] of rows) {
    test(`${negative ? '-' : ''}${whole} ${num}/${den}: ${verdict}`, async (t) => {
      const page = await fresh(t);
      await enter(page, ['1', '2', '3'], 0, ['', '3', '4']);
      await fillIn(page, '自分の答えの整数部分', whole);
      await fillIn(page, '自分の答えの分子', num);
      await fillIn(page, '自分の答えの分母', den);
      if (negative) await page.click(await page.byRole('checkbox', '自分の答えをマイナスにする'));
      await page.click(await page.byRole('button', '確かめる'));
      assert.equal(await page.attribute(panel('verdict'), 'data-verdict'), verdict);
      assert.equal(await page.text(panel('verdict')), text);
      // Checked without showing the answer, and without any focus event.
      assert.equal(await answer(page), '||/|bar');
      assert.equal(await page.visible(panel('working')), false);
    });
  }

  test('a problem without an answer says so; Enter in a field checks', async (t) => {
    const page = await fresh(t);
    await enter(page, ['', '5', ''], 0, ['', '1', '2']);
    await fillIn(page, '自分の答えの整数部分', '1');
    await page.press('Enter');
    assert.equal(await page.attribute(panel('verdict'), 'data-verdict'), 'none');
    assert.equal(await page.text(panel('verdict')),
      'この問題の答えは出せません。分母を１以上の整数にしてください。');
  });

  test('the focus going to the panel and back raises no focus event', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(1)', '-5');
    await page.click(await page.byRole('textbox', '自分の答えの分子'));
    await page.click(control('Text1(1)'));
    assert.equal(await page.value(control('Text1(1)')), '-5');
    assert.equal(await page.text(control('Label7')), '分子');
  });
});
