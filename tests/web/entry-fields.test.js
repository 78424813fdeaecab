// The entry fields through real focus moves and typed keys: the hint label,
// the normalising of a field when it is left, the typing limit, and the
// report of an error in a focus handler after the move, also after a held click.

import assert from 'node:assert/strict';
import { setTimeout as sleep } from 'node:timers/promises';
import { describe, test } from 'node:test';
import { control, sharedBrowser, type } from './support.js';

const shared = sharedBrowser();
const { fresh } = shared;

const focused = (page) => page.focused();
const value = (page, name) => page.value(control(name));
const hint = (page) => page.text(control('Label7'));
const OpenBox = 'dialog[data-control="MsgBox"][open]';
const boxOpens = (page) => page.waitFor((s) => document.querySelector(s) !== null, OpenBox);
const boxText = (page) => page.innerText(`${OpenBox} [data-part="text"]`);
const Overflow = '実行時エラー 6\n桁あふれが発生しました。';

describe('leaving a field normalises it', () => {
  const rows = [['', ''], ['-', ''], ['--', '0'], ['+', '0'], ['12a', '12'], ['abc', '0'],
    ['-0', '0'], ['1.5', '2'], ['2.5', '2'], ['0.5', '0'], ['-7', '7'], ['-2.5', '2'],
    ['3e2', '300'], ['9999', '9999'], ['1e5', '100000'], ['1e9', '1000000000'], [' -', '0'],
    ['－', '0'], ['&H10', '16'], ['１２', '0']];
  // One page for the rows left the same way: each row goes back into the
  // field and deletes what the row before left there, as a person does.
  for (const by of ['Tab', 'click']) {
    test(`left by ${by}`, async (t) => {
      const page = await fresh(t);
      let left = '';
      for (const [typed, normalised] of rows) {
        await t.test(`'${typed}'`, async () => {
          await page.click(control('Text1(1)'));
          await page.press('End');
          for (let i = 0; i < left.length; i++) await page.press('Backspace');
          if (typed) await page.type(typed);
          assert.equal(await value(page, 'Text1(1)'), typed);  // kept while it has the focus
          if (by === 'Tab') await page.press('Tab');
          else await page.click(control('Text2(0)'));
          assert.equal(await value(page, 'Text1(1)'), normalised);
          // Then the entered field's hint: Text1(2) after Tab, Text2(0) after the click.
          assert.equal(await hint(page), by === 'Tab' ? '整数' : '分母');
        });
        left = normalised;
      }
    });
  }
});

test('the hint follows the focus between the window\'s controls', async (t) => {
  const page = await fresh(t);
  const steps = [['Tab', ''], ['Tab', '分母'], ['Tab', '分子'], ['Tab', '整数'], ['Tab', ''],
    ['Tab', '分母'], ['Shift+Tab', ''], ['Shift+Tab', '整数']];
  for (const [key, expected] of steps) {
    await page.press(key);
    assert.equal(await hint(page), expected, `${key} to ${await focused(page)}`);
  }
  await page.click(control('Text2(1)'));
  assert.equal(await hint(page), '分子');
  await page.click(control('Option1(2)'));
  assert.equal(await hint(page), '');
});

test('the focus leaving the page or the tab raises nothing', async (t) => {
  const page = await fresh(t);
  await type(page, 'Text1(1)', '-5');
  await page.visitOtherTab();
  await page.click(control('FileBer'));
  await page.press('Escape');
  assert.equal(await value(page, 'Text1(1)'), '-5');
  assert.equal(await hint(page), '分子');
  assert.equal(await focused(page), 'Text1(1)');
});

describe('typing limit', () => {
  const fresh = shared.reused();  // one page, loaded afresh for each test
  test('four characters in a numerator, three in an integer part', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text2(1)', '123456');
    assert.equal(await value(page, 'Text2(1)'), '1234');
    await type(page, 'Text2(2)', '98765');
    assert.equal(await value(page, 'Text2(2)'), '987');
  });

  test('a paste that does not fit is refused whole', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(2)', '');
    // Copied from a field of the panel, which raises nothing in the window.
    const source = await page.byRole('textbox', '自分の答えの分子');
    for (const [clipboard, after] of [['55555', ''], ['55', '55'], ['12', '55']]) {
      await page.fill(source, clipboard);
      await page.press('Control+A');
      await page.press('Control+C');
      await page.focus(control('Text1(2)'));
      await page.press('End');
      await page.press('Control+V');
      assert.equal(await value(page, 'Text1(2)'), after, `pasting ${clipboard}`);
    }
  });

  test('a longer text the program writes stays whole and can only shrink', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(2)', '1e5');
    await page.press('Tab');
    const field = control('Text1(2)');
    assert.equal(await page.value(field), '100000');
    const shown = await page.evaluate((s) => {
      const f = document.querySelector(s);
      return { whole: f.scrollWidth <= f.clientWidth, size: parseFloat(getComputedStyle(f).fontSize) };
    }, field);
    assert.ok(shown.whole && shown.size < 16, JSON.stringify(shown));
    await page.click(field);
    await page.press('End');
    await page.type('7');
    assert.equal(await page.value(field), '100000');
    await page.press('Backspace');
    assert.equal(await page.value(field), '10000');
    await page.click(control('Command1'));
    assert.equal(await page.text(control('Label1(2)')), '10000');
  });
});

describe('an error in a focus handler', () => {
  const fresh = shared.reused();  // one page, loaded afresh for each test
  test('is reported once the focus has moved; the field keeps its text', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(1)', '9e9');
    await page.press('Tab');
    await boxOpens(page);
    assert.equal(await boxText(page), Overflow);
    assert.equal(await value(page, 'Text1(1)'), '9e9');
    await page.press('Enter');
    await page.waitFor((s) => !document.querySelector(s), OpenBox);
    // The focus had moved on, and the field entered wrote its hint.
    assert.equal(await focused(page), 'Text1(2)');
    assert.equal(await hint(page), '整数');
  });

  test('waits for a held click, which is carried out in full', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(1)', '9e9');
    await type(page, 'Text2(0)', '');  // leaving Text1(1) reports at once: close it
    await boxOpens(page);
    await page.press('Enter');
    await type(page, 'Text2(0)', '9e9');
    const clear = await page.box(control('Command2'));
    await page.mouse.move(clear.x + clear.width / 2, clear.y + clear.height / 2);
    await page.mouse.down();
    // Held for a quarter of a second: the report must not open in between.
    await sleep(250);
    assert.equal(await page.count(OpenBox), 0);
    await page.mouse.up();
    await boxOpens(page);
    assert.equal(await boxText(page), Overflow);
    for (const name of ['Text1(0)', 'Text1(1)', 'Text2(0)']) {
      assert.equal(await value(page, name), '', `${name} cleared by 消す`);
    }
  });
});
