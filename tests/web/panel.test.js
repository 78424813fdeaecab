// The panel beside the window: as on the desktop, the working of the problem
// in the window's fields, the problem drawn at once and the steps when asked
// for, drawn with stacked fractions and copied as text; and the answer check
// of a typed answer against the problem the panel shows.

import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import { answer, control, sharedBrowser, type } from './support.js';

const { fresh } = sharedBrowser();

// Types a problem into the window: [whole, num, den, negative] operands.
async function enter(page, first, operation, second) {
  await control(page, `Option1(${operation})`).click();
  for (const [array, operand, box] of [['Text1', first, 0], ['Text2', second, 1]]) {
    const [whole, num, den, negative] = operand;
    for (const [index, text] of [[0, den], [1, num], [2, whole]]) {
      if (text) await type(page, `${array}(${index})`, text);
    }
    if (negative) await control(page, `Check1(${box})`).click();
  }
}

const panel = (page, name) => page.locator(`[data-panel="${name}"]`);
// The lines of the working that are shown, as a screen reader reads them.
const lines = (page) => panel(page, 'Working').locator('li:not([hidden])')
  .evaluateAll((items) => items.map((item) => item.getAttribute('aria-label')));
const showWorking = (page) => page.getByRole('button', { name: '途中式を見る' }).click();

async function checkAnswer(page, whole, num, den, negative) {
  await page.getByRole('textbox', { name: '自分の答えの整数部分' }).fill(whole);
  await page.getByRole('textbox', { name: '自分の答えの分子' }).fill(num);
  await page.getByRole('textbox', { name: '自分の答えの分母' }).fill(den);
  if (negative) await page.getByRole('checkbox', { name: '自分の答えをマイナスにする' }).check();
  await page.getByRole('button', { name: '答え合わせ', exact: true }).click();
}

describe('working', () => {
  test('1 2/3 + 3/4: the problem at once, the steps when asked, copied as the text form', async (t) => {
    const page = await fresh(t);
    await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
    await enter(page, ['1', '2', '3'], 0, ['', '3', '4']);
    assert.deepEqual(await lines(page), ['1 2/3 + 3/4']);
    await showWorking(page);
    assert.deepEqual(await lines(page), ['1 2/3 + 3/4', '= 5/3 + 3/4 帯分数を仮分数に直す',
      '= 20/12 + 9/12 通分する', '= 29/12 計算する', '= 2 5/12 帯分数に直す']);
    // The second line: = 5/3 + 3/4, two fractions stacked as numerator over denominator.
    const drawn = await panel(page, 'Working').locator('li').nth(1).locator('math')
      .evaluate((m) => [...m.querySelectorAll('mfrac')].map((f) => [...f.children].map((c) => c.textContent)));
    assert.deepEqual(drawn, [['5', '3'], ['3', '4']]);
    await panel(page, 'CopyWorking').click();
    await panel(page, 'copied').filter({ hasText: 'コピーしました' }).waitFor();
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), [
      '1 2/3 + 3/4',
      '= 5/3 + 3/4        帯分数を仮分数に直す',
      '= 20/12 + 9/12     通分する',
      '= 29/12            計算する',
      '= 2 5/12           帯分数に直す', ''].join('\n'));
  });

  test('follows the answer form and the fields, hiding the steps again', async (t) => {
    const page = await fresh(t);
    await enter(page, ['1', '2', '3'], 0, ['', '3', '4']);
    await control(page, 'Command1').click();
    await control(page, 'Option2(1)').click();
    assert.equal(await answer(page), '||29/12|bar');
    await showWorking(page);
    assert.equal((await lines(page)).at(-1), '= 29/12 計算する');
    await type(page, 'Text2(2)', '1');
    assert.deepEqual(await lines(page), ['1 2/3 + 1 3/4']);
    assert.equal(await panel(page, 'ShowWorking').textContent(), '途中式を見る');
  });

  test('a negative second operand stands in parentheses, drawn with a minus', async (t) => {
    const page = await fresh(t);
    await enter(page, ['', '1', '2'], 1, ['', '3', '4', true]);
    assert.equal((await lines(page))[0], '1/2 - (-3/4)');
    const operators = await panel(page, 'Working').locator('li').first().locator('mo')
      .allTextContents();
    assert.deepEqual(operators, ['−', '(', '−', ')']);
  });

  test('2/3 × 9/8: one fraction of the factors, cancelled ones struck through', async (t) => {
    const page = await fresh(t);
    await enter(page, ['', '2', '3'], 2, ['', '9', '8']);
    await showWorking(page);
    const cancelling = panel(page, 'Working').locator('li').nth(2);
    assert.equal(await cancelling.getAttribute('aria-label'), '= (1×3)/(1×4) 途中で約分する');
    // Struck: 2 over 1 and 9 over 3 above the bar; 3 and 8 with 1 and 4 below it.
    const struck = await cancelling.locator('.struck').evaluateAll((numbers) => numbers
      .map((n) => `${n.parentElement.localName} ${n.textContent}→${n.nextElementSibling.textContent}`));
    assert.deepEqual(struck, ['mover 2→1', 'mover 9→3', 'munder 3→1', 'munder 8→4']);
  });

  test('帯分数のまま works the problem another way and is kept for the next visit', async (t) => {
    const page = await fresh(t);
    await enter(page, ['3', '1', '5'], 1, ['1', '2', '3']);
    await showWorking(page);
    await page.getByRole('radio', { name: '帯分数のまま計算する' }).check();
    assert.deepEqual(await lines(page), ['3 1/5 - 1 2/3', '= 3 3/15 - 1 10/15 通分する',
      '= 2 18/15 - 1 10/15 くり下げる', '= 1 8/15 計算する']);
    await page.reload();
    await page.locator('html[data-ready]').waitFor({ state: 'attached' });
    assert.equal(await page.getByRole('radio', { name: '帯分数のまま計算する' }).isChecked(), true);
  });

  test('ends with the report of a run-time error', async (t) => {
    const page = await fresh(t);
    await enter(page, ['', '1', '2'], 3, ['', '', '']);
    assert.equal(await panel(page, 'report').isVisible(), false);
    await showWorking(page);
    assert.equal(await panel(page, 'report').textContent(),
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
    [['2', '5', '12', true], 'wrong', '答えがちがいます。符号をたしかめてみましょう。'],
    [['', '', ''], 'unreadable', '答えが書かれていません。'],
    [['２', '５', '１２'], 'correct', '正解です。仮分数で書くと 29/12 です。'],
  ];
  for (const [[whole, num, den, negative], verdict, text] of rows) {
    test(`${negative ? '-' : ''}${whole} ${num}/${den}: ${verdict}`, async (t) => {
      const page = await fresh(t);
      await enter(page, ['1', '2', '3'], 0, ['', '3', '4']);
      await checkAnswer(page, whole, num, den, negative);
      assert.equal(await panel(page, 'Verdict').getAttribute('data-verdict'), verdict);
      assert.equal(await panel(page, 'Verdict').textContent(), text);
      // Checked before 計算, without showing the answer, and without any focus event.
      assert.equal(await answer(page), '||/|bar');
      assert.deepEqual(await lines(page), ['1 2/3 + 3/4']);
    });
  }

  test('after 計算 and a change of a field, the check is for the problem shown', async (t) => {
    const page = await fresh(t);
    await enter(page, ['1', '2', '3'], 0, ['', '3', '4']);
    await control(page, 'Command1').click();
    await control(page, 'Text2(1)').click();
    await page.keyboard.press('Control+A');
    await page.keyboard.type('1');
    assert.deepEqual(await lines(page), ['1 2/3 + 1/4']);
    await checkAnswer(page, '1', '11', '12');
    assert.equal(await panel(page, 'Verdict').getAttribute('data-verdict'), 'correct');
  });

  test('a problem without an answer says so; Enter in a field checks', async (t) => {
    const page = await fresh(t);
    await enter(page, ['', '5', ''], 0, ['', '1', '2']);
    await page.getByRole('textbox', { name: '自分の答えの整数部分' }).fill('1');
    await page.keyboard.press('Enter');
    assert.equal(await panel(page, 'Verdict').getAttribute('data-verdict'), 'none');
    assert.equal(await panel(page, 'Verdict').textContent(),
      'この問題の答えは出せません。分母を１以上の整数にしてください。');
  });

  test('the focus going to the panel and back raises no focus event', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(1)', '-5');
    await page.getByRole('textbox', { name: '自分の答えの分子' }).click();
    await control(page, 'Text1(1)').click();
    assert.equal(await control(page, 'Text1(1)').inputValue(), '-5');
    assert.equal(await control(page, 'Label7').textContent(), '分子');
  });
});
