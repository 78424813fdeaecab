// A long run of random user actions on the page: clicks, typed text, Tab,
// arrows, Space, the menu. After every Calculate the answer, or the message
// box it opened, must be what the exact oracle of tests/oracle says for the
// fields, sign boxes and operation as they then stand.
//
// TOBARIN_WEB_SOAK_SEED picks the sequence (printed on failure) and
// TOBARIN_WEB_SOAK_ACTIONS its length: by default 1,500 in Chromium, 1,000 in
// Firefox and 400 in WebKit, whose drivers take longer an action (WebKit's
// over 100 ms: several round trips over classic WebDriver), so that the three
// runs together stay within CI's time; each run draws a new sequence, so the
// runs add up to many more. The
// oracle is the program oracle_cli.cpp beside this file, built by
// scripts/test-web.sh.

import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { join } from 'node:path';
import { createInterface } from 'node:readline';
import { after, before, test } from 'node:test';
import { buildDir, control, engine, sharedBrowser } from './support.js';

const seed = Number(process.env.TOBARIN_WEB_SOAK_SEED ?? Math.floor(Math.random() * 2 ** 31));
const actions = Number(process.env.TOBARIN_WEB_SOAK_ACTIONS
  ?? { chromium: 1500, firefox: 1000, webkit: 400 }[engine]);

// mulberry32: a small seeded generator, so that a failing run can be repeated.
function generator(state) {
  return () => {
    state = (state + 0x6D2B79F5) | 0;
    let t = Math.imul(state ^ (state >>> 15), 1 | state);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 2 ** 32;
  };
}

// The oracle: one line in, one verdict out.
function startOracle() {
  const child = spawn(process.env.TOBARIN_WEB_ORACLE ?? join(buildDir, 'oracle_cli'));
  const lines = createInterface({ input: child.stdout });
  const waiting = [];
  lines.on('line', (line) => waiting.shift()(line));
  return {
    ask: (line) => new Promise((resolve) => {
      waiting.push(resolve);
      child.stdin.write(`${line}\n`);
    }),
    stop: () => child.stdin.end(),
  };
}

const { fresh } = sharedBrowser();
let oracle;
before(() => {
  oracle = startOracle();
});
after(() => oracle?.stop());

const fields = ['Text1(2)', 'Text1(1)', 'Text1(0)', 'Text2(2)', 'Text2(1)', 'Text2(0)'];
const pieces = ['0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '12', '99', '-', '.', 'e', ' '];
const specials = ['9e9', '1e5', '1e4', '-7', '2.5', '&HF', 'x'];

test(`${actions} random actions agree with the exact oracle (seed ${seed})`, async (t) => {
  const page = await fresh(t);
  // Notes the message box open when Calculate's click has been handled: the
  // one Calculate opened (every earlier box was closed before the click).
  await page.evaluate(() => {
    window.addEventListener('click', (event) => {
      if (event.target.dataset?.control !== 'Command1') return;
      const box = document.querySelector('dialog[data-control="MsgBox"]');
      window.calculateBox = box.open
        ? [box.querySelector('[data-part="title"]').textContent,
          ...box.querySelector('[data-part="text"]').innerText.split('\n')].join('|')
        : '';
    });
  });
  const random = generator(seed);
  const pick = (list) => list[Math.floor(random() * list.length)];
  const chance = (p) => random() < p;
  let calculations = 0;

  // Clicks the middle of a control (or of its wrapping label), as placed
  // when the page opened: the layout never moves.
  const places = new Map();
  const click = async (name) => {
    if (!places.has(name)) {
      const { x, y, width, height } = await page.box(`[data-for="${name}"], [data-control="${name}"]`);
      places.set(name, [x + width / 2, y + height / 2]);
    }
    await page.mouse.click(...places.get(name));
  };

  // Waits a frame and a task, the longest a focus handler's report waits
  // once no button is held, then closes every box that opened.
  const settled = () => page.evaluate(() => new Promise((done) => requestAnimationFrame(
    () => setTimeout(() => done(document.querySelector('dialog[data-control="MsgBox"]').open)))));
  async function settle() {
    while (await settled()) await page.press('Enter');
  }

  async function calculate(byKey) {
    await page.evaluate(() => { window.calculateBox = null; });
    if (byKey) {
      // Leaving a field whose text does not fit raises error 6 by the next
      // frame; that box is closed first, as a person would, and the focus
      // goes back to Calculate, which Space then presses.
      await page.focus(control('Command1'));
      await settle();
      await page.press('Space');
    } else {
      await click('Command1');
    }
    const state = await page.evaluate((names) => {
      if (window.calculateBox === null) return null;  // no click reached Calculate
      const c = (name) => document.querySelector(`[data-control="${name}"]`);
      const operation = [0, 1, 2, 3].find((i) => c(`Option1(${i})`).checked);
      return [...names.map((name) => c(name).value),
        c('Check1(0)').checked ? 1 : 0, c('Check1(1)').checked ? 1 : 0, operation,
        ...[3, 2, 1, 0].map((i) => c(`Label1(${i})`).textContent),
        c('Line3').hidden ? 0 : 1, window.calculateBox].join('\t');
    }, fields);
    assert.ok(state !== null, `calculation ${calculations} (seed ${seed}): Calculate was not clicked`);
    const verdict = await oracle.ask(state);
    assert.equal(verdict, 'ok', `calculation ${calculations} (seed ${seed}): ${state}`);
    ++calculations;
  }

  for (let i = 0; i < actions; ++i) {
    const r = random();
    if (r < 0.35) {
      await click(pick(fields));
      await page.press('Control+A');
      const text = chance(0.1) ? pick(specials)
        : Array.from({ length: Math.floor(random() * 5) }, () => pick(pieces)).join('');
      await page.type(text);
    } else if (r < 0.45) {
      // Tab and Shift+Tab move within the page: from either end of it the
      // keys would leave for the browser's own controls, where Firefox then
      // keeps the keyboard (a headless Chromium has none to go to).
      const forwards = chance(0.7);
      const atEnd = await page.evaluate((ahead) => {
        const stops = [...document.querySelectorAll('button, input, [tabindex="0"]')]
          .filter((e) => e.tabIndex >= 0 && !e.disabled && e.checkVisibility());
        return document.activeElement === (ahead ? stops.at(-1) : stops[0]);
      }, forwards);
      await page.press(forwards !== atEnd ? 'Tab' : 'Shift+Tab');
    } else if (r < 0.52) {
      await click(`Check1(${Math.floor(random() * 2)})`);
    } else if (r < 0.62) {
      await click(`Option1(${Math.floor(random() * 4)})`);
    } else if (r < 0.66) {
      await page.focus(control(`Option1(${Math.floor(random() * 4)})`));
      await page.press(pick(['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight']));
    } else if (r < 0.71) {
      await click(`Option2(${Math.floor(random() * 2)})`);
    } else if (r < 0.74) {
      await click('Command2');
    } else if (r < 0.75) {
      await click('FileBer');
    } else {
      await calculate(chance(0.2));
    }
    await settle();
  }
  assert.ok(calculations > actions / 5, `${calculations} calculations`);
});
