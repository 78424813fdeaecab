// A phone held upright: the window's controls in their second geometry, every
// one inside the screen's width, none over another, each big enough for a
// finger, in the window's tab order; axe's target-size rule; and the shared
// table of calculations worked through at a phone's size.

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { describe, test } from 'node:test';
import { calculate, calculations, lacks, sharedBrowser } from './support.js';

const shared = sharedBrowser();

// A page of the calculator at a phone's size.
const phone = (t, width, height) => shared.fresh(t, { viewport: { width, height } });

// What a finger presses, as the page draws it: the window's fields, buttons,
// the boxes and captions of its option buttons and check boxes, the menu
// commands, and the panel's controls.
function targets() {
  const doc = document;
  const view = window;
  const targets = [...doc.querySelectorAll('[data-for], input[type="text"], button, '
    + '.panel label:has(input)')].filter((e) => e.checkVisibility() && !e.closest('dialog'));
  return {
    width: view.innerWidth,
    scrollWidth: doc.documentElement.scrollWidth,
    targets: targets.map((e) => {
      const { left, top, right, bottom, width, height } = e.getBoundingClientRect();
      const name = e.dataset.control ?? e.dataset.for ?? e.dataset.panel ?? e.textContent.trim();
      return {
        name,
        window: !!e.closest('.window'),
        box: { left, top, right, bottom, width, height },
        text: parseFloat(view.getComputedStyle(e).fontSize),
      };
    }),
  };
}

function overlap(a, b) {
  const width = Math.min(a.right, b.right) - Math.max(a.left, b.left);
  const height = Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top);
  return width > 0.5 && height > 0.5;
}

describe('held upright', () => {
  // Two phones, and a wider one, still laid out for a phone.
  for (const [width, height] of [[360, 640], [390, 844], [450, 800]]) {
    test(`at ${width}×${height} every control fits the width, big enough for a finger`, async (t) => {
      const page = await phone(t, width, height);
      const seen = await page.evaluate(targets);
      assert.equal(seen.width, width);
      assert.ok(seen.scrollWidth <= width, `nothing scrolls sideways (${seen.scrollWidth})`);
      assert.equal(seen.targets.length, 30, 'the window\'s 19 and the panel\'s 11 (練習 and the 式 field among them)');
      for (const { name, box, text } of seen.targets) {
        assert.ok(box.left >= -0.5 && box.right <= width + 0.5, `${name} inside the width`);
        assert.ok(box.width >= 24 && box.height >= 24, `${name} ${box.width}×${box.height}`);
        assert.ok(text >= 16, `${name}: text of ${text} px`);
      }
      const inWindow = seen.targets.filter((target) => target.window);
      for (const [i, a] of inWindow.entries()) {
        for (const b of inWindow.slice(i + 1)) {
          assert.ok(!overlap(a.box, b.box), `${a.name} and ${b.name} overlap`);
        }
      }
    });
  }

  test('Tab visits the window\'s thirteen stops in order', async (t) => {
    const page = await phone(t, 450, 800);
    const focused = () => page.evaluate(() => document.activeElement?.dataset.control ?? '');
    const stops = ['Option1(0)', 'Option2(0)', 'Text1(0)', 'Text1(1)', 'Text1(2)', 'Check1(0)',
      'Text2(0)', 'Text2(1)', 'Text2(2)', 'Check1(1)', 'Command1', 'Command2', 'Command3'];
    const visited = [];
    for (const [i] of stops.entries()) {
      visited.push(await focused());
      if (i < stops.length - 1) await page.press('Tab');
    }
    assert.deepEqual(visited, stops);
  });

  test('axe finds no control too small to press', async (t) => {
    if (lacks(t, 'preload')) return;
    const page = await shared.browser.open({ viewport: { width: 360, height: 640 } });
    t.after(() => page.close());
    await page.preload(readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8'));
    await page.goto(shared.site.url);
    await page.ready();
    const violations = await page.evaluate(() => window.axe.run(document, {
      runOnly: { type: 'rule', values: ['target-size'] },
    }).then((result) => result.violations.flatMap((v) => v.nodes.map((n) => n.target.join(' ')))));
    assert.deepEqual(violations, []);
  });
});

describe('calculations at a phone\'s size', () => {
  const phone = shared.reused({ viewport: { width: 450, height: 800 } });  // loaded afresh for each test
  // The table the desktop window's tests share, in the phone's layout (a
  // width every driver's window takes).
  for (const row of calculations) {
    test(row.name, async (t) => {
      assert.equal(await calculate(await phone(t, 450, 800), row), row.expected);
    });
  }
});
