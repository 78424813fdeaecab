// The panel beside the window: as on the desktop, the working of the problem
// in the window's fields, the problem drawn at once and the steps when asked
// for, drawn with stacked fractions and copied as text; and the answer check
// of a typed answer against the problem the panel shows.

import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import { answer, control, sharedBrowser, type } from './support.js';

const shared = sharedBrowser();
const { fresh } = shared;

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
// The panel's engine module comes when the panel first has to work something
// out: until then what it shows may be about to change.
const settled = (page) => page.waitFor(() => !document.documentElement.hasAttribute('data-loading'));
// The lines of the working that are shown, as a screen reader reads them.
const lines = async (page) => {
  await settled(page);
  return page.evaluate(() => [...document.querySelectorAll(
    '[data-panel="Working"] li:not([hidden])')].map((item) => item.getAttribute('aria-label')));
};
const showWorking = async (page) => {
  await settled(page);
  await page.click(await page.byRole('button', '途中式を見る'));
};
// Fills a field of the answer check, found by its accessible name.
const fillIn = async (page, name, text) => page.fill(await page.byRole('textbox', name), text);

async function checkAnswer(page, whole, num, den, negative) {
  await fillIn(page, '自分の答えの整数部分', whole);
  await fillIn(page, '自分の答えの分子', num);
  await fillIn(page, '自分の答えの分母', den);
  if (negative) await page.click(await page.byRole('checkbox', '自分の答えをマイナスにする'));
  await page.click(await page.byRole('button', '答え合わせ'));
  await settled(page);
}

describe('working', () => {
  const fresh = shared.reused();  // one page, loaded afresh for each test
  test('1 2/3 + 3/4: the problem at once, the steps when asked, copied as the text form', async (t) => {
    const page = await fresh(t);
    await enter(page, ['1', '2', '3'], 0, ['', '3', '4']);
    assert.deepEqual(await lines(page), ['1 2/3 + 3/4']);
    await showWorking(page);
    assert.deepEqual(await lines(page), ['1 2/3 + 3/4', '= 5/3 + 3/4 帯分数を仮分数に直す',
      '= 20/12 + 9/12 通分する', '= 29/12 計算する', '= 2 5/12 帯分数に直す']);
    // The second line: = 5/3 + 3/4, two fractions stacked as numerator over denominator.
    const drawn = await page.evaluate(() => [...document.querySelectorAll(
      '[data-panel="Working"] li:nth-child(2) math mfrac')].map((f) => [...f.children].map((c) => c.textContent)));
    assert.deepEqual(drawn, [['5', '3'], ['3', '4']]);
    await page.click(panel('CopyWorking'));
    await page.waitFor(() => document.querySelector('[data-panel="copied"]').textContent === 'コピーしました');
    assert.equal(await page.clipboard(), [
      '1 2/3 + 3/4',
      '= 5/3 + 3/4        帯分数を仮分数に直す',
      '= 20/12 + 9/12     通分する',
      '= 29/12            計算する',
      '= 2 5/12           帯分数に直す', ''].join('\n'));
  });

  test('starts with the working the engine draws for the starting fields, as the markup writes it', async (t) => {
    const page = await fresh(t);
    const working = () => page.evaluate(() => {
      const list = document.querySelector('[data-panel="Working"]');
      const report = document.querySelector('[data-panel="report"]');
      return [list.innerHTML, list.dataset.text, report.hidden, report.textContent];
    });
    const written = await working();
    // Worked the other way and back: drawn by the engine and the page's script.
    await page.click(panel('MethodMixed'));
    await page.click(panel('MethodImproper'));
    await settled(page);
    assert.deepEqual(await working(), written);
  });

  test('follows the answer form and the fields, hiding the steps again', async (t) => {
    const page = await fresh(t);
    await enter(page, ['1', '2', '3'], 0, ['', '3', '4']);
    await page.click(control('Command1'));
    await page.click(control('Option2(1)'));
    assert.equal(await answer(page), '||29/12|bar');
    await showWorking(page);
    assert.equal((await lines(page)).at(-1), '= 29/12 計算する');
    await type(page, 'Text2(2)', '1');
    assert.deepEqual(await lines(page), ['1 2/3 + 1 3/4']);
    assert.equal(await page.text(panel('ShowWorking')), '途中式を見る');
  });

  test('a negative second operand stands in parentheses, drawn with a minus', async (t) => {
    const page = await fresh(t);
    await enter(page, ['', '1', '2'], 1, ['', '3', '4', true]);
    assert.equal((await lines(page))[0], '1/2 - (-3/4)');
    const operators = await page.evaluate(() => [...document.querySelectorAll(
      '[data-panel="Working"] li:first-child mo')].map((mo) => mo.textContent));
    assert.deepEqual(operators, ['−', '(', '−', ')']);
  });

  test('2/3 × 9/8: one fraction of the factors, cancelled ones struck through', async (t) => {
    const page = await fresh(t);
    await enter(page, ['', '2', '3'], 2, ['', '9', '8']);
    await showWorking(page);
    assert.equal((await lines(page))[2], '= (1×3)/(1×4) 途中で約分する');
    // Struck: 2 under 1 and 9 under 3 above the bar; 3 and 8 over 1 and 4 below it.
    const struck = await page.evaluate(() => [...document.querySelectorAll(
      '[data-panel="Working"] li:nth-child(3) .struck')]
      .map((n) => `${n.parentElement.localName} ${n.textContent}→${n.nextElementSibling.textContent}`));
    assert.deepEqual(struck, ['mover 2→1', 'mover 9→3', 'munder 3→1', 'munder 8→4']);
  });

  test('帯分数のまま works the problem another way and is kept for the next visit', async (t) => {
    const page = await fresh(t);
    await enter(page, ['3', '1', '5'], 1, ['1', '2', '3']);
    await showWorking(page);
    const mixed = await page.byRole('radio', '帯分数のまま計算する');
    await page.click(mixed);
    assert.deepEqual(await lines(page), ['3 1/5 - 1 2/3', '= 3 3/15 - 1 10/15 通分する',
      '= 2 18/15 - 1 10/15 くり下げる', '= 1 8/15 計算する']);
    await page.reload();
    await page.ready();
    assert.equal(await page.checked(panel('MethodMixed')), true);
  });

  test('ends with the report of a run-time error', async (t) => {
    const page = await fresh(t);
    await enter(page, ['', '1', '2'], 3, ['', '', '']);
    assert.equal(await page.visible(panel('report')), false);
    await showWorking(page);
    assert.equal(await page.text(panel('report')), '実行時エラー 11: 0 でわることはできません。');
  });
});

describe('answer check', () => {
  const fresh = shared.reused();  // one page, loaded afresh for each test
  // For 1 2/3 + 3/4 (answer 2 5/12), what the pupil types and what is said.
  const rows = [
    [['2', '5', '12'], 'correct', '正解です。仮分数で書くと 29/12 です。'],
    [['', '29', '12'], 'correct', '正解です。帯分数で書くと 2 5/12 です。'],
    [['2', '10', '24'], 'close', 'おしいです。大きさは合っていますが、まだ約分できます。'],
    [['1', '17', '12'], 'close', 'おしいです。大きさは合っていますが、帯分数の分数の部分が 1 以上になっています。'],
    [['2', '5', '12', true], 'wrong', '答えがちがいます。符号をたしかめてみましょう。'],
    [['1', '5', '7'], 'wrong', '答えがちがいます。分母どうしもたしていませんか。分母をそろえて、分子だけをたします。'],
    [['', '', ''], 'unreadable', '答えが書かれていません。'],
    [['２', '５', '１２'], 'correct', '正解です。仮分数で書くと 29/12 です。'],
  ];
  for (const [[whole, num, den, negative], verdict, text] of rows) {
    test(`${negative ? '-' : ''}${whole} ${num}/${den}: ${verdict}`, async (t) => {
      const page = await fresh(t);
      await enter(page, ['1', '2', '3'], 0, ['', '3', '4']);
      await checkAnswer(page, whole, num, den, negative);
      assert.equal(await page.attribute(panel('Verdict'), 'data-verdict'), verdict);
      assert.equal(await page.text(panel('Verdict')), text);
      // Checked before 計算, without showing the answer, and without any focus event.
      assert.equal(await answer(page), '||/|bar');
      assert.deepEqual(await lines(page), ['1 2/3 + 3/4']);
    });
  }

  test('after 計算 and a change of a field, the check is for the problem shown', async (t) => {
    const page = await fresh(t);
    await enter(page, ['1', '2', '3'], 0, ['', '3', '4']);
    await page.click(control('Command1'));
    await page.fill(control('Text2(1)'), '1');
    assert.deepEqual(await lines(page), ['1 2/3 + 1/4']);
    await checkAnswer(page, '1', '11', '12');
    assert.equal(await page.attribute(panel('Verdict'), 'data-verdict'), 'correct');
  });

  test('a problem without an answer says so; Enter in a field checks', async (t) => {
    const page = await fresh(t);
    await enter(page, ['', '5', ''], 0, ['', '1', '2']);
    await fillIn(page, '自分の答えの整数部分', '1');
    await page.press('Enter');
    await settled(page);
    assert.equal(await page.attribute(panel('Verdict'), 'data-verdict'), 'none');
    assert.equal(await page.text(panel('Verdict')),
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
