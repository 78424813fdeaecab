// The window in the page: its elements, layout, starting state, tab order,
// option groups, the calculations of the shared table, message boxes and
// Quit, driven by clicks and keys through the data-control surface.

import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import { inTime } from '../browsers/site.js';
import {
  answer, calculate, calculations, control, sharedBrowser, type,
} from './support.js';

const shared = sharedBrowser();
const { fresh } = shared;

const focused = (page) => page.focused();

describe('elements', () => {
  const fresh = shared.reused();  // one page, loaded afresh for each test
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
      const scope = role === 'menuitem' ? '[role="menubar"]' : undefined;
      const element = await page.byRole(role, accessibleName, scope);
      assert.equal(await page.attribute(element, 'data-control'), name);
    });
  }

  test('the page\'s one h1 is the window\'s title', async (t) => {
    const page = await fresh(t);
    const heading = await page.byRole('heading', 'Tobarin');
    assert.equal(await page.evaluate((s) => document.querySelector(s).localName, heading), 'h1');
    assert.equal(await page.count('h1'), 1);
  });
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
  // Desktop, laptop, tablet held upright, and the narrowest screen that is no
  // phone's (phone.test.js has the phone's own layout).
  const viewports = [[1366, 768], [1024, 768], [768, 1024], [600, 800]];
  for (const [width, height] of viewports) {
    test(`the window is scaled as a whole into ${width}×${height}`, async (t) => {
      const page = await fresh(t, { viewport: { width, height } });
      const client = await page.box(control('Form1'));
      const menu = await page.box('[role="menubar"]');
      const scale = client.width / 472;
      // Upright: scaled alike both ways, by the window's own scale.
      const [a, b, c, d] = await page.evaluate(() => {
        const m = new DOMMatrix(getComputedStyle(document.querySelector('.window')).transform);
        return [m.a, m.b, m.c, m.d];
      });
      assert.deepEqual([b, c], [0, 0], 'neither turned nor skewed');
      assert.ok(a > 0 && Math.abs(a - scale) < 0.001 && Math.abs(d - a) < 0.001, `scale ${a} ${d}`);
      assert.ok(menu.y + menu.height <= client.y + 0.5, 'menu bar above the client area');
      assert.ok(Math.abs(client.height - 303 * scale) < 0.5, 'client area 472 × 303');
      assert.ok(menu.y + 0.5 >= 0 && menu.x + 0.5 >= 0, 'menu bar inside the viewport');
      assert.ok(client.x + client.width <= width + 0.5, 'fits the width');
      assert.ok(client.y + client.height <= height + 0.5, 'fits the height');
      // As large as fits its stage, within a margin on the limiting side.
      const stage = await page.box('.stage');
      const room = Math.min((stage.width - 16) / 472, (stage.height - 16) / (303 + 20));
      assert.ok(Math.abs(scale - room) < 0.01, `scale ${scale}, room ${room}`);
      // The panel stands beside the window on a wide screen, below it otherwise.
      const panel = await page.box('.panel');
      if (width >= 760 && width / height >= 5 / 4) {
        assert.ok(panel.x >= client.x + client.width && panel.y < client.y + client.height);
      } else {
        assert.ok(panel.y >= client.y + client.height);
      }
      for (const [selector, [x, y, w, h]] of places) {
        const box = await page.box(selector);
        const got = [(box.x - client.x) / scale, (box.y - client.y) / scale,
          box.width / scale, box.height / scale].map((v) => Math.round(v));
        assert.deepEqual(got, [x, y, w, h], selector);
      }
    });
  }

  test('a press on the part of Check1(0) over the frame edge ticks it', async (t) => {
    const page = await fresh(t);
    const check = await page.box('[data-for="Check1(0)"]');
    const frame = await page.box(control('Frame3'));
    // Right of the box and its caption, inside the frame's top edge.
    const x = check.x + check.width - 3;
    const y = check.y + 3;
    assert.ok(y > frame.y && x < frame.x + frame.width);
    await page.mouse.click(x, y);
    assert.equal(await page.checked(control('Check1(0)')), true);
    assert.equal(await page.text(control('Label5(0)')), '-');
  });
});

describe('starting state and keys', () => {
  const fresh = shared.reused();  // one page, loaded afresh for each test
  test('opens as the definition says, the focus on Option1(0)', async (t) => {
    const page = await fresh(t);
    assert.equal(await focused(page), 'Option1(0)');
    for (const [name, checked] of [['Option1(0)', true], ['Option1(1)', false],
      ['Option2(0)', true], ['Option2(1)', false], ['Check1(0)', false], ['Check1(1)', false]]) {
      assert.equal(await page.checked(control(name)), checked, name);
    }
    assert.equal(await page.text(control('Label3')), '＋');
    assert.equal(await page.text(control('Label4')), '=');
    assert.equal(await page.text(control('Label7')), '');
    assert.equal(await answer(page), '||/|bar');
  });

  const stops = ['Option1(0)', 'Option2(0)', 'Text1(0)', 'Text1(1)', 'Text1(2)', 'Check1(0)',
    'Text2(0)', 'Text2(1)', 'Text2(2)', 'Check1(1)', 'Command1', 'Command2', 'Command3'];

  test('Tab visits the thirteen stops in order, Shift+Tab backwards', async (t) => {
    const page = await fresh(t);
    const forwards = [];
    for (let i = 0; i < stops.length; ++i) {
      forwards.push(await focused(page));
      if (i < stops.length - 1) await page.press('Tab');
    }
    assert.deepEqual(forwards, stops);
    const backwards = [];
    for (let i = 0; i < stops.length; ++i) {
      backwards.unshift(await focused(page));
      if (i < stops.length - 1) await page.press('Shift+Tab');
    }
    assert.deepEqual(backwards, stops);
  });

  test('only the selected option button of each group is a stop', async (t) => {
    const page = await fresh(t);
    await page.click(control('Option1(2)'));
    await page.click(control('Option2(1)'));
    await page.click(control('Text1(0)'));
    await page.press('Shift+Tab');
    assert.equal(await focused(page), 'Option2(1)');
    await page.press('Shift+Tab');
    assert.equal(await focused(page), 'Option1(2)');
  });

  test('the arrow keys move round the operation group and click', async (t) => {
    const page = await fresh(t);
    const signs = ['＋', '－', '×', '÷'];
    const moves = [['ArrowDown', 1], ['ArrowRight', 2], ['ArrowDown', 3], ['ArrowDown', 0],
      ['ArrowUp', 3], ['ArrowLeft', 2]];
    for (const [key, selected] of moves) {
      await page.press(key);
      assert.equal(await focused(page), `Option1(${selected})`, key);
      assert.equal(await page.checked(control(`Option1(${selected})`)), true);
      assert.equal(await page.text(control('Label3')), signs[selected]);
    }
  });

  test('Enter and Escape do nothing in the window', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(1)', '1');
    await type(page, 'Text1(0)', '2');
    await page.press('Enter');
    await page.press('Escape');
    for (let i = 0; i < 8; ++i) await page.press('Tab');  // to Command1
    assert.equal(await focused(page), 'Command1');
    await page.press('Enter');
    assert.equal(await answer(page), '||/|bar');
    await page.press('Space');
    assert.equal(await answer(page), '||1/2|bar');
  });
});

describe('a new load', () => {
  // What the window shows and what 1/2 + 1/3 then gives: as it starts, or as
  // it was left (× chosen, the first number's マイナス ticked).
  const Starting = ['＋', '', false, false, '||5/6|bar'];
  const AsLeft = ['×', '-', true, true, '-||1/6|bar'];
  // How the page is left and loaded again, and what it may show then.
  const rows = [
    ['a reload', (page) => page.reload(), [Starting]],
    // Restored whole from the back/forward cache, or started afresh.
    ['going back to it', async (page, url) => {
      await page.goto(`${url}?away`);
      await page.ready();
      await page.back();
    }, [Starting, AsLeft]],
  ];
  for (const [way, leave, allowed] of rows) {
    test(`after ${way} the window shows what the engine calculates`, async (t) => {
      const page = await fresh(t);
      await page.click(control('Option1(2)'));
      await page.click(control('Check1(0)'));
      await leave(page, shared.site.url);
      await page.waitFor(() => location.search === ''
        && document.documentElement.hasAttribute('data-ready'));
      for (const [name, text] of [['Text1(1)', '1'], ['Text1(0)', '2'], ['Text2(1)', '1'],
        ['Text2(0)', '3']]) {
        await type(page, name, text);
      }
      await page.click(control('Command1'));
      const shown = [await page.text(control('Label3')), await page.text(control('Label5(0)')),
        await page.checked(control('Check1(0)')), await page.checked(control('Option1(2)')),
        await answer(page)];
      assert.ok(allowed.some((state) => JSON.stringify(state) === JSON.stringify(shown)),
        JSON.stringify(shown));
    });
  }
});

describe('calculations', () => {
  const fresh = shared.reused();  // one page, loaded afresh for each test
  for (const row of calculations) {
    test(row.name, async (t) => {
      assert.equal(await calculate(await fresh(t), row), row.expected);
    });
  }

  test('a long answer is drawn smaller, whole, with its text as tool tip', async (t) => {
    const page = await fresh(t);
    await page.click(control('Option1(2)'));
    for (const array of ['Text1', 'Text2']) {
      await type(page, `${array}(0)`, '9999');
      await type(page, `${array}(1)`, '9998');
      await type(page, `${array}(2)`, '999');
    }
    await page.click(control('Command1'));
    const label = control('Label1(0)');
    assert.equal(await page.text(label), '99980001');
    const fit = await page.evaluate((s) => {
      const l = document.querySelector(s);
      return { fits: l.scrollWidth <= l.clientWidth, size: parseFloat(getComputedStyle(l).fontSize) };
    }, label);
    assert.ok(fit.fits && fit.size < 19, JSON.stringify(fit));
    assert.equal(await page.attribute(label, 'title'), '99980001');
    // A short answer is drawn at full size again, with no tool tip.
    await page.click(control('Option1(0)'));
    await page.click(control('Command1'));
    assert.equal(await page.evaluate((s) => getComputedStyle(document.querySelector(s)).fontSize,
      label), '19px');
    assert.equal(await page.attribute(label, 'title'), null);
  });

  test('selecting the selected 仮分数 converts a fresh answer', async (t) => {
    const page = await fresh(t);
    await page.click(control('Option2(1)'));
    await type(page, 'Text1(1)', '7');
    await type(page, 'Text1(0)', '3');
    await page.click(control('Command1'));
    assert.equal(await answer(page), '|2|1/3|bar');
    await page.click(control('Option2(1)'));
    assert.equal(await answer(page), '||7/3|bar');
    await page.press('ArrowUp');
    assert.equal(await answer(page), '|2|1/3|bar');
  });

  test('the answer is told to assistive technology', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text1(2)', '1');
    await type(page, 'Text1(1)', '1');
    await type(page, 'Text1(0)', '2');
    await page.click(control('Check1(0)'));
    await page.click(control('Command1'));
    assert.equal(await page.text(await page.byRole('status', '答え')), '答え マイナス 1 と 2分の1');
    // Each label of the answer is named by what it is and the text it shows.
    for (const [name, accessibleName] of [['Label1(3)', '答えの符号 -'],
      ['Label1(2)', '答えの整数部分 1'], ['Label1(1)', '答えの分子 1'], ['Label1(0)', '答えの分母 2']]) {
      const label = await page.byRole('group', accessibleName);
      assert.equal(await page.attribute(label, 'data-control'), name);
    }
  });
});

describe('message boxes', () => {
  const fresh = shared.reused();  // one page, loaded afresh for each test
  const box = 'dialog[data-control="MsgBox"]';
  const part = (name) => `${box} [data-part="${name}"]`;
  const isOpen = (page, open) => page.waitFor((s, o) => document.querySelector(s).open === o, box, open);

  // How each box is closed, and what it shows.
  const rows = [
    {
      name: 'the denominator message, closed by OK',
      show: async (page) => {
        await type(page, 'Text1(1)', '5');
        await page.click(control('Command1'));
      },
      title: 'エラーメッセージ', lines: ['分母を１以上の整数にしてください。'], icon: 'critical',
      close: (page) => page.click(part('ok')), back: 'Command1',
    },
    {
      name: 'the About box, closed by Escape',
      show: (page) => page.click(control('FileBer')),
      title: 'バージョン情報',
      lines: ['Tobarinver2.3.0', 'Copyright (C) 2026 Tobarin contributors', 'tobarin@example.org'],
      icon: 'information', close: (page) => page.press('Escape'), back: 'Option1(0)',
    },
    {
      name: 'error 11 of 1/2 ÷ nothing, closed by Enter',
      show: async (page) => {
        await page.click(control('Option1(3)'));
        await type(page, 'Text1(1)', '1');
        await type(page, 'Text1(0)', '2');
        await page.click(control('Command1'));
      },
      title: 'Tobarin', lines: ['実行時エラー 11', '0 でわることはできません。'], icon: 'critical',
      close: (page) => page.press('Enter'), back: 'Command1',
    },
  ];
  for (const row of rows) {
    test(row.name, async (t) => {
      const page = await fresh(t);
      await row.show(page);
      await isOpen(page, true);
      assert.equal(await page.text(part('title')), row.title);
      assert.deepEqual((await page.innerText(part('text'))).split('\n'), row.lines);
      assert.equal(await page.attribute(box, 'data-icon'), row.icon);
      assert.equal(await page.evaluate(() => document.activeElement.dataset.part), 'ok');
      assert.equal(await page.evaluate((s) => document.querySelector(s).matches(':modal'), box), true);
      await row.close(page);
      await isOpen(page, false);
      assert.equal(await focused(page), row.back);
      assert.equal(await answer(page), '||/|bar');
    });
  }

  test('while a box is open the window takes no input', async (t) => {
    const page = await fresh(t);
    await type(page, 'Text2(1)', '3');
    const clear = await page.box(control('Command2'));
    await page.click(control('FileBer'));
    await isOpen(page, true);
    await page.mouse.click(clear.x + 5, clear.y + 5);
    await page.press('Tab');
    await page.type('7');
    await page.click(part('ok'));
    assert.equal(await page.value(control('Text2(1)')), '3');
    // The menu command raised no focus event: the hint stays.
    assert.equal(await page.text(control('Label7')), '分子');
  });
});

describe('Quit', () => {
  // Every wait here fails plainly after a while: a page that ends, or a
  // window that closes, may leave a driver's command without an answer.
  const step = (promise, what) => inTime(promise, 15000, what);

  test('a page the browser keeps gives way to a notice that starts again', async (t) => {
    const page = await fresh(t);
    // A second history entry: a page the user navigated to may not close itself.
    await step(page.goto(`${shared.site.url}?again`), 'loading the page again');
    await page.ready();
    await step(page.click(control('Command3')), 'the click on 終了');
    await page.waitFor(() => document.documentElement.hasAttribute('data-ended'));
    assert.equal(await page.text('#ended p'), '終了しました');
    assert.equal(await page.visible('#ended p'), true);
    assert.equal(await page.visible(control('Form1')), false);
    const again = await step(page.byRole('link', 'もう一度始める'), 'finding もう一度始める');
    await step(page.click(again), 'the click on もう一度始める');
    // Ready again in a new document, not the one that ended.
    await page.waitFor(() => document.documentElement.matches('[data-ready]:not([data-ended])'));
    assert.equal(await focused(page), 'Option1(0)');
  });

  test('終了 in the menu bar closes a window that a script opened', async (t) => {
    const opener = await fresh(t);
    const page = await opener.openedWindow(
      () => opener.evaluate((url) => { window.open(url); }, shared.site.url));
    await page.ready();
    const closed = page.closed();
    // The window may be gone before the driver hears that the click ended;
    // the click's error, or its lack of an answer, then says nothing, and the
    // window's closing tells.
    const click = page.click(control('FileExit')).catch(() => {});
    await Promise.race([click, closed]);
    await closed;
  });
});
