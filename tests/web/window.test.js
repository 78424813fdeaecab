// The window in the page: its elements, layout, starting state, tab order,
// option groups, the calculations of the shared table, message boxes and
// Quit, driven by clicks and keys through the data-control surface.

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { describe, test } from 'node:test';
import { answer, control, sharedBrowser, type } from './support.js';

const shared = sharedBrowser();
const { fresh } = shared;

const focused = (page) => page.evaluate(() => document.activeElement?.dataset.control ?? '');

describe('elements', () => {
  // Each control found by its role and accessible name is the element with
  // its data-control name; the menu commands within the menu bar.
  const rows = [
    ['Text1(0)', 'textbox', '1つ目の数の分母'],
    ['Check1(1)', 'checkbox', '2つ目の数をマイナスにする'],
    ['Option2(1)', 'radio', '答えを仮分数で表示'],
    ['Command1', 'button', '計算'],
    ['Frame4', 'group', '2つ目の数'],
    ['Label1(0)', 'group', '答えの分母'],
    ['Line3', 'separator', '答えの分数の線'],
    ['FileBer', 'menuitem', 'バージョン情報'],
  ];
  for (const [name, role, accessibleName] of rows) {
    test(`${name} is the ${role} named ${accessibleName}`, async (t) => {
      const page = await fresh(t);
      const scope = role === 'menuitem' ? page.getByRole('menubar') : page;
      const element = scope.getByRole(role, { name: accessibleName, exact: true });
      assert.equal(await element.getAttribute('data-control'), name);
    });
  }
});

describe('layout', () => {
  // Client-area pixels at scale 1 (15 twips a pixel), of the element that
  // holds each control's geometry.
  const places = [
    ['[data-control="Frame1"]', [8, 8, 241, 73]],
    ['[data-for="Option1(1)"]', [40, 56, 65, 17]],
    ['[data-control="Text1(2)"]', [32, 180, 35, 25]],
    ['[data-control="Text2(0)"]', [240, 200, 49, 25]],
    ['[data-for="Check1(0)"]', [24, 136, 73, 17]],
    ['[data-control="Label1(0)"]', [400, 200, 57, 17]],
    ['[data-control="Line3"]', [392, 192, 72, 1]],
    ['[data-control="Command2"]', [344, 248, 97, 41]],
  ];
  for (const viewport of [{ width: 360, height: 640 }, { width: 1366, height: 768 }]) {
    test(`the window is scaled as a whole into ${viewport.width}×${viewport.height}`, async (t) => {
      const page = await fresh(t, { viewport });
      const client = await control(page, 'Form1').boundingBox();
      const menu = await page.locator('[role="menubar"]').boundingBox();
      const scale = client.width / 472;
      assert.ok(Math.abs(client.height - 303 * scale) < 0.5, 'client area 472 × 303');
      assert.ok(menu.y + 0.5 >= 0 && menu.x + 0.5 >= 0, 'menu bar inside the viewport');
      assert.ok(client.x + client.width <= viewport.width + 0.5, 'fits the width');
      assert.ok(client.y + client.height <= viewport.height + 0.5, 'fits the height');
      // As large as fits its stage, within a margin on the limiting side.
      const stage = await page.locator('.stage').boundingBox();
      const room = Math.min((stage.width - 16) / 472, (stage.height - 16) / (303 + 20));
      assert.ok(Math.abs(scale - room) < 0.01, `scale ${scale}, room ${room}`);
      // The panel stands below the window on a phone, beside it on a desktop.
      const panel = await page.locator('.panel').boundingBox();
      if (viewport.width < 760) assert.ok(panel.y >= client.y + client.height);
      else assert.ok(panel.x >= client.x + client.width && panel.y < client.y + client.height);
      for (const [selector, [x, y, width, height]] of places) {
        const box = await page.locator(selector).boundingBox();
        const got = [(box.x - client.x) / scale, (box.y - client.y) / scale,
          box.width / scale, box.height / scale].map((v) => Math.round(v));
        assert.deepEqual(got, [x, y, width, height], selector);
      }
    });
  }

  test('a press on the part of Check1(0) over the frame edge ticks it', async (t) => {
    const page = await fresh(t);
    const check = await page.locator('[data-for="Check1(0)"]').boundingBox();
    const frame = await control(page, 'Frame3').boundingBox();
    // Right of the box and its caption, inside the frame's top edge.
    const x = check.x + check.width - 3;
    const y = check.y + 3;
    assert.ok(y > frame.y && x < frame.x + frame.width);
    await page.mouse.click(x, y);
    assert.equal(await control(page, 'Check1(0)').isChecked(), true);
    assert.equal(await control(page, 'Label5(0)').textContent(), '-');
  });
});

describe('starting state and keys', () => {
  test('opens as the definition says, the focus on Option1(0)', async (t) => {
    const page = await fresh(t);
    assert.equal(await focused(page), 'Option1(0)');
    for (const [name, checked] of [['Option1(0)', true], ['Option1(1)', false],
      ['Option2(0)', true], ['Option2(1)', false], ['Check1(0)', false], ['Check1(1)', false]]) {
      assert.equal(await control(page, name).isChecked(), checked, name);
    }
    assert.equal(await control(page, 'Label3').textContent(), '＋');
    assert.equal(await control(page, 'Label4').textContent(), '=');
    assert.equal(await control(page, 'Label7').textContent(), '');
    assert.equal(await answer(page), '||/|bar');
  });

  const stops = ['Option1(0)', 'Option2(0)', 'Text1(0)', 'Text1(1)', 'Text1(2)', 'Check1(0)',
    'Text2(0)', 'Text2(1)', 'Text2(2)', 'Check1(1)', 'Command1', 'Command2', 'Command3'];

  test('Tab visits the thirteen stops in order, Shift+Tab backwards', async (t) => {
    const page = await fresh(t);
    const forwards = [];
    for (let i = 0; i < stops.length; ++i) {
      forwards.push(await focused(page));
      if (i < stops.length - 1) await page.keyboard.press('Tab');
    }
    assert.deepEqual(forwards, stops);
    const backwards = [];
    for (let i = 0; i < stops.length; ++i) {
      backwards.unshift(await focused(page));
      if (i < stops.length - 1) await page.keyboard.press('Shift+Tab');
    }
    assert.deepEqual(backwards, stops);
  });

  test('only the selected option button of each group is a stop', async (t) => {
    const page = await fresh(t);
    await control(page, 'Option1(2)').click();
    await control(page, 'Option2(1)').click();
    await control(page, 'Text1(0)').click();
    await page.keyboard.press('Shift+Tab');
    assert.equal(await focused(page), 'Option2(1)');
    await page.keyboard.press('Shift+Tab');
    assert.equal(await focused(page), 'Option1(2)');
  });

  test('the arrow keys move round the operation group and click', async (t) => {
    const page = await fresh(t);
    const signs = ['＋', '－', '×', '÷'];
    const moves = [['ArrowDown', 1], ['ArrowRight', 2], ['ArrowDown', 3], ['ArrowDown', 0],
      ['ArrowUp', 3], ['ArrowLeft', 2]];
    for (const [key, selected] of moves) {
      await page.keyboard.press(key);
      assert.equal(await focused(page), `Option1(${selected})`, key);
      assert.equal(await control(page, `Option1(${selected})`).isChecked(), true);
      assert.equal(await control(page, 'Label3').textContent(), signs[selected]);
    }
  });

  test('Enter and Escape do nothing in the window', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(1)', '1');
    await type(page, 'Text1(0)', '2');
    await page.keyboard.press('Enter');
    await page.keyboard.press('Escape');
    for (let i = 0; i < 8; ++i) await page.keyboard.press('Tab');  // to Command1
    assert.equal(await focused(page), 'Command1');
    await page.keyboard.press('Enter');
    assert.equal(await answer(page), '||/|bar');
    await page.keyboard.press('Space');
    assert.equal(await answer(page), '||1/2|bar');
  });
});

describe('calculations', () => {
  const rows = JSON.parse(readFileSync(new URL('../calculations.json', import.meta.url)));
  for (const row of rows) {
    test(row.name, async (t) => {
      const page = await fresh(t);
      await control(page, `Option1(${row.operation})`).click();
      for (const [array, operand] of [['Text1', row.first], ['Text2', row.second]]) {
        const [whole, num, den, negative] = operand;
        for (const [index, text] of [[0, den], [1, num], [2, whole]]) {
          if (text) await type(page, `${array}(${index})`, text);
        }
        if (negative) await control(page, `Check1(${array === 'Text1' ? 0 : 1})`).click();
      }
      await control(page, 'Command1').click();
      assert.equal(await answer(page), row.expected);
    });
  }

  test('a long answer is drawn smaller, whole, with its text as tool tip', async (t) => {
    const page = await fresh(t);
    await control(page, 'Option1(2)').click();
    for (const array of ['Text1', 'Text2']) {
      await type(page, `${array}(0)`, '9999');
      await type(page, `${array}(1)`, '9998');
      await type(page, `${array}(2)`, '999');
    }
    await control(page, 'Command1').click();
    const label = control(page, 'Label1(0)');
    assert.equal(await label.textContent(), '99980001');
    const fit = await label.evaluate((l) => ({
      fits: l.scrollWidth <= l.clientWidth, size: parseFloat(getComputedStyle(l).fontSize),
    }));
    assert.ok(fit.fits && fit.size < 19, JSON.stringify(fit));
    assert.equal(await label.getAttribute('title'), '99980001');
    // A short answer is drawn at full size again, with no tool tip.
    await control(page, 'Option1(0)').click();
    await control(page, 'Command1').click();
    assert.equal(await label.evaluate((l) => getComputedStyle(l).fontSize), '19px');
    assert.equal(await label.getAttribute('title'), null);
  });

  test('selecting the selected 仮分数 converts a fresh answer', async (t) => {
    const page = await fresh(t);
    await control(page, 'Option2(1)').click();
    await type(page, 'Text1(1)', '7');
    await type(page, 'Text1(0)', '3');
    await control(page, 'Command1').click();
    assert.equal(await answer(page), '|2|1/3|bar');
    await control(page, 'Option2(1)').click();
    assert.equal(await answer(page), '||7/3|bar');
    await page.keyboard.press('ArrowUp');
    assert.equal(await answer(page), '|2|1/3|bar');
  });

  test('the answer is told to assistive technology', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(2)', '1');
    await type(page, 'Text1(1)', '1');
    await type(page, 'Text1(0)', '2');
    await control(page, 'Check1(0)').click();
    await control(page, 'Command1').click();
    assert.equal(await page.getByRole('status', { name: '答え', exact: true }).textContent(),
      '答え マイナス 1 と 2分の1');
  });
});

describe('message boxes', () => {
  const box = (page) => page.locator('dialog[data-control="MsgBox"]');
  const part = (page, name) => box(page).locator(`[data-part="${name}"]`);

  // How each box is closed, and what it shows.
  const rows = [
    {
      name: 'the denominator message, closed by OK',
      show: async (page) => {
        await type(page, 'Text1(1)', '5');
        await control(page, 'Command1').click();
      },
      title: 'エラーメッセージ', lines: ['分母を１以上の整数にしてください。'], icon: 'critical',
      close: (page) => part(page, 'ok').click(), back: 'Command1',
    },
    {
      name: 'the About box, closed by Escape',
      show: (page) => control(page, 'FileBer').click(),
      title: 'バージョン情報',
      lines: ['Tobarinver2.3.0', 'Copyright (C) 2026 Tobarin contributors', 'tobarin@example.org'],
      icon: 'information', close: (page) => page.keyboard.press('Escape'), back: 'Option1(0)',
    },
    {
      name: 'error 11 of 1/2 ÷ nothing, closed by Enter',
      show: async (page) => {
        await control(page, 'Option1(3)').click();
        await type(page, 'Text1(1)', '1');
        await type(page, 'Text1(0)', '2');
        await control(page, 'Command1').click();
      },
      title: 'Tobarin', lines: ['実行時エラー 11', '0 で割ることはできません。'], icon: 'critical',
      close: (page) => page.keyboard.press('Enter'), back: 'Command1',
    },
  ];
  for (const row of rows) {
    test(row.name, async (t) => {
      const page = await fresh(t);
      await row.show(page);
      await box(page).and(page.locator('[open]')).waitFor();
      assert.equal(await part(page, 'title').textContent(), row.title);
      assert.deepEqual((await part(page, 'text').innerText()).split('\n'), row.lines);
      assert.equal(await box(page).getAttribute('data-icon'), row.icon);
      assert.equal(await page.evaluate(() => document.activeElement.dataset.part), 'ok');
      assert.equal(await box(page).evaluate((d) => d.matches(':modal')), true);
      await row.close(page);
      await box(page).and(page.locator(':not([open])')).waitFor({ state: 'attached' });
      assert.equal(await focused(page), row.back);
      assert.equal(await answer(page), '||/|bar');
    });
  }

  test('while a box is open the window takes no input', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text2(1)', '3');
    const clear = await control(page, 'Command2').boundingBox();
    await control(page, 'FileBer').click();
    await box(page).and(page.locator('[open]')).waitFor();
    await page.mouse.click(clear.x + 5, clear.y + 5);
    await page.keyboard.press('Tab');
    await page.keyboard.type('7');
    await part(page, 'ok').click();
    assert.equal(await control(page, 'Text2(1)').inputValue(), '3');
    // The menu command raised no focus event: the hint stays.
    assert.equal(await control(page, 'Label7').textContent(), '分子');
  });
});

describe('Quit', () => {
  test('a page the browser keeps gives way to a notice that starts again', async (t) => {
    const page = await fresh(t);
    // A second history entry: a page the user navigated to may not close itself.
    await page.goto(`${shared.site.url}?again`);
    await page.locator('html[data-ready]').waitFor({ state: 'attached' });
    await control(page, 'Command3').click();
    await page.locator('html[data-ended]').waitFor({ state: 'attached' });
    assert.equal(await page.getByText('終了しました').isVisible(), true);
    assert.equal(await control(page, 'Form1').isVisible(), false);
    await page.getByRole('link', { name: 'もう一度始める' }).click();
    await page.locator('html[data-ready]').waitFor({ state: 'attached' });
    assert.equal(await focused(page), 'Option1(0)');
  });

  test('終了 in the menu bar closes a window that a script opened', async (t) => {
    const opener = await fresh(t);
    const [page] = await Promise.all([
      opener.context().waitForEvent('page'),
      opener.evaluate((url) => { window.open(url); }, shared.site.url),
    ]);
    await page.locator('html[data-ready]').waitFor({ state: 'attached' });
    const closed = page.waitForEvent('close');
    await control(page, 'FileExit').click();
    await closed;
  });
});
