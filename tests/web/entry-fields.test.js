// The entry fields through real focus moves and typed keys: the hint label,
// the normalising of a field when it is left, the typing limit, and the
// report of an error in a focus handler after the move, also after a held click.

import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import { control, sharedBrowser, type } from './support.js';

const { fresh } = sharedBrowser();

const focused = (page) => page.evaluate(() => document.activeElement?.dataset.control ?? '');
const value = (page, name) => control(page, name).inputValue();
const hint = (page) => control(page, 'Label7').textContent();
const openBox = (page) => page.locator('dialog[data-control="MsgBox"][open]');
const Overflow = '実行時エラー 6\n桁あふれが発生しました。';

describe('leaving a field normalises it', () => {
  const rows = [['', ''], ['-', ''], ['--', '0'], ['+', '0'], ['12a', '12'], ['abc', '0'],
    ['-0', '0'], ['1.5', '2'], ['2.5', '2'], ['0.5', '0'], ['-7', '7'], ['-2.5', '2'],
    ['3e2', '300'], ['9999', '9999'], ['1e5', '100000'], ['1e9', '1000000000'], [' -', '0'],
    ['－', '0'], ['&H10', '16'], ['１２', '0']];
  for (const [typed, normalised] of rows) {
    for (const by of ['Tab', 'click']) {
      test(`'${typed}' left by ${by}`, async (t) => {
        const page = await fresh(t);
        await type(page, 'Text1(1)', typed);
        assert.equal(await value(page, 'Text1(1)'), typed);  // kept while it has the focus
        if (by === 'Tab') await page.keyboard.press('Tab');
        else await control(page, 'Text2(0)').click();
        assert.equal(await value(page, 'Text1(1)'), normalised);
        // Then the entered field's hint: Text1(2) after Tab, Text2(0) after the click.
        assert.equal(await hint(page), by === 'Tab' ? '整数' : '分母');
      });
    }
  }
});

test('the hint follows the focus between the window\'s controls', async (t) => {
  const page = await fresh(t);
  const steps = [['Tab', ''], ['Tab', '分母'], ['Tab', '分子'], ['Tab', '整数'], ['Tab', ''],
    ['Tab', '分母'], ['Shift+Tab', ''], ['Shift+Tab', '整数']];
  for (const [key, expected] of steps) {
    await page.keyboard.press(key);
    assert.equal(await hint(page), expected, `${key} to ${await focused(page)}`);
  }
  await control(page, 'Text2(1)').click();
  assert.equal(await hint(page), '分子');
  await control(page, 'Option1(2)').click();
  assert.equal(await hint(page), '');
});

test('the focus leaving the page or the tab raises nothing', async (t) => {
  const page = await fresh(t);
  await type(page, 'Text1(1)', '-5');
  const other = await page.context().newPage();
  await other.bringToFront();
  await page.bringToFront();
  await control(page, 'FileBer').click();
  await page.keyboard.press('Escape');
  assert.equal(await value(page, 'Text1(1)'), '-5');
  assert.equal(await hint(page), '分子');
  assert.equal(await focused(page), 'Text1(1)');
});

describe('typing limit', () => {
  test('four characters in a numerator, three in an integer part', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text2(1)', '123456');
    assert.equal(await value(page, 'Text2(1)'), '1234');
    await type(page, 'Text2(2)', '98765');
    assert.equal(await value(page, 'Text2(2)'), '987');
  });

  test('a paste that does not fit is refused whole', async (t) => {
    const page = await fresh(t);
    await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
    await type(page, 'Text1(2)', '');
    for (const [clipboard, after] of [['55555', ''], ['55', '55'], ['12', '55']]) {
      await page.evaluate((text) => navigator.clipboard.writeText(text), clipboard);
      await page.keyboard.press('Control+V');
      assert.equal(await value(page, 'Text1(2)'), after, `pasting ${clipboard}`);
    }
  });

  test('a longer text the program writes stays whole and can only shrink', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(2)', '1e5');
    await page.keyboard.press('Tab');
    const field = control(page, 'Text1(2)');
    assert.equal(await field.inputValue(), '100000');
    const shown = await field.evaluate((f) => ({
      whole: f.scrollWidth <= f.clientWidth, size: parseFloat(getComputedStyle(f).fontSize),
    }));
    assert.ok(shown.whole && shown.size < 16, JSON.stringify(shown));
    await field.click();
    await page.keyboard.press('End');
    await page.keyboard.type('7');
    assert.equal(await field.inputValue(), '100000');
    await page.keyboard.press('Backspace');
    assert.equal(await field.inputValue(), '10000');
    await control(page, 'Command1').click();
    assert.equal(await control(page, 'Label1(2)').textContent(), '10000');
  });
});

describe('an error in a focus handler', () => {
  test('is reported once the focus has moved; the field keeps its text', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(1)', '9e9');
    await page.keyboard.press('Tab');
    await openBox(page).waitFor();
    assert.equal(await openBox(page).locator('[data-part="text"]').innerText(), Overflow);
    assert.equal(await value(page, 'Text1(1)'), '9e9');
    await page.keyboard.press('Enter');
    await openBox(page).waitFor({ state: 'detached' });
    // The focus had moved on, and the field entered wrote its hint.
    assert.equal(await focused(page), 'Text1(2)');
    assert.equal(await hint(page), '整数');
  });

  test('waits for a held click, which is carried out in full', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(1)', '9e9');
    await type(page, 'Text2(0)', '');  // leaving Text1(1) reports at once: close it
    await openBox(page).waitFor();
    await page.keyboard.press('Enter');
    await type(page, 'Text2(0)', '9e9');
    const clear = await control(page, 'Command2').boundingBox();
    await page.mouse.move(clear.x + clear.width / 2, clear.y + clear.height / 2);
    await page.mouse.down();
    // Held for a quarter of a second: the report must not open in between.
    await page.waitForTimeout(250);
    assert.equal(await openBox(page).count(), 0);
    await page.mouse.up();
    await openBox(page).waitFor();
    assert.equal(await openBox(page).locator('[data-part="text"]').innerText(), Overflow);
    for (const name of ['Text1(0)', 'Text1(1)', 'Text2(0)']) {
      assert.equal(await value(page, name), '', `${name} cleared by 消す`);
    }
  });
});
