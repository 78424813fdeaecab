// Practice (練習) in the panel's place: a set opened by the page's address
// holds the native program's problems in order; a round answered with a
// right answer, a problem missed twice and one right at the second try, its
// score and the record kept after a reload; a code that cannot be read says
// why without stopping the calculator; and the set printed as A4 pages of a
// worksheet whose QR code holds the page's address; and the result code at
// the end of a round, with the 出席番号 given on the choosing page.

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { describe, test } from 'node:test';
import { answer, control, lacks, sharedBrowser, tobarin, tobarinReading, type } from './support.js';

const shared = sharedBrowser();
const part = (name) => `[data-practice="${name}"]`;

// A page of the calculator opened at #practice=CODE, its set shown.
async function practise(t, code) {
  const page = await shared.browser.open();
  t.after(() => page.close());
  await page.goto(`${shared.site.url}#practice=${code}`);
  await page.ready();
  await page.waitFor(() => document.querySelector('[data-practice="SetCode"]')?.textContent
    || !document.querySelector('[data-practice="CodeMessage"]').hidden);
  return page;
}

// The native program's listing of a code: each problem's EXPR and tags.
function listing(code) {
  const [, ...lines] = tobarin('--practice', code, '--list').trimEnd().split('\n');
  return lines.map((line) => {
    const [expression, tags] = line.split('\t');
    return { expression, tags: tags.split(',') };
  });
}

// The answer of EXPR as the native program gives it ("-2 5/12"), as the
// fields take it: [whole, numerator, denominator, negative].
function rightAnswer(expression) {
  const [, sign, whole, num, den] = tobarin('--calc', expression).trim()
    .match(/^(-?)(?:(\d+)(?: |$))?(?:(\d+)\/(\d+))?$/);
  return [whole ?? '', num ?? '', den ?? '', sign === '-'];
}

// The native program's verdict on an answer typed for EXPR, hint and all.
function verdictOf(expression, typed) {
  try {
    return tobarin('--calc', expression, '--check', typed).trim();
  } catch (error) {
    return error.stdout.trim();  // a wrong answer exits with 4
  }
}

async function answerWith(page, [whole, num, den, negative]) {
  for (const [name, text] of [['AnswerWhole', whole], ['AnswerNumerator', num], ['AnswerDenominator', den]]) {
    await page.fill(part(name), text);
  }
  if (await page.checked(part('AnswerNegative')) !== negative) await page.click(part('AnswerNegative'));
  await page.click(part('CheckAnswer'));
}

const verdict = (page) => page.evaluate(() => {
  const shown = document.querySelector('[data-practice="Verdict"]');
  return [shown.dataset.verdict, shown.getAttribute('role'), shown.textContent];
});
const problems = (page) => page.evaluate(() => [...document.querySelectorAll(
  '[data-practice="Progress"] [data-problem]')].map((item) => item.dataset.problem));
const recordShown = (page, unit) => page.evaluate((u) => [...document.querySelectorAll(
  `[data-practice="RecordTables"] table${u ? `[data-unit="${u}"]` : ''} td`)].map((cell) => `${cell.previousElementSibling.title} ${cell.dataset.streak}`
  + `${cell.textContent === '習得' ? ' 習得' : ''}`), unit);

// The record a round leaves, as the table shows it for the unit's tags: for
// each, the answers right at the first try in a row, up to three, 習得 at three.
function expectedRecord(set, results, tags) {
  const streaks = new Map();
  set.forEach((problem, i) => problem.tags.forEach((tag) => {
    const streak = streaks.get(tag) ?? 0;
    if (streak < 3) streaks.set(tag, results[i] === 'first' ? streak + 1 : 0);
  }));
  return tags.map((tag) => `${tag} ${streaks.get(tag) ?? 0}${streaks.get(tag) === 3 ? ' 習得' : ''}`);
}

describe('a set opened by the page\'s address', () => {
  for (const code of ['p1:5-unlike:2:10:4821', 'p1:7-signed:3:50:18446744073709551615', 'p1:6-divide:1:1:0']) {
    test(`${code}: the native program's problems, in order, each from the start`, async (t) => {
      const page = await practise(t, code);
      assert.deepEqual(await problems(page), listing(code).map((problem) => problem.expression));
      assert.equal(await page.text(part('SetCode')), code);
      assert.equal(await page.visible('[data-practice-panel]'), true);
      assert.equal(await page.visible('.panel:not(.practice)'), false);
    });
  }
});

test('a round: right, missed twice with the hint and then the working, right at the second try; the score and the record after a reload', async (t) => {
  const code = 'p1:5-unlike:2:4:12';
  const set = listing(code);
  const page = await practise(t, code);
  const right = set.map((problem) => rightAnswer(problem.expression));
  const wrong = ['99', '', '', false];
  // (1) right; (2) wrong twice; (3) wrong, then right typed as an input method
  // gives it, in full-width digits with と; (4) right.
  await answerWith(page, right[0]);
  assert.equal((await verdict(page))[0], 'correct');
  // Meanwhile another tab stores its own result and a line of a later version: both are kept,
  // and the pupil is told of the line once.
  const others = '4-like same 2\n9-future tag 1\n';
  await page.evaluate((o) => localStorage.setItem('tobarin.practice.record', localStorage.getItem('tobarin.practice.record') + o), others);
  assert.equal(await page.attribute(`${part('Progress')} li:nth-child(2)`, 'aria-current'), 'step');
  // The numerators' difference over the larger denominator: a mistake with a hint of its own.
  await answerWith(page, ['', '1', '3', false]);
  const [look, role, hint] = await verdict(page);
  assert.deepEqual([look, role], ['wrong', 'status']);
  assert.equal(hint, `(2) ${verdictOf(set[1].expression, '1/3')}もう一度やってみましょう。`);
  assert.notEqual(verdictOf(set[1].expression, '1/3'), verdictOf(set[1].expression, '99'));
  assert.equal(await page.visible(part('Working')), false);
  await answerWith(page, wrong);
  await page.waitFor(() => document.querySelector('dialog[data-control="MsgBox"]').open);
  assert.equal(await page.text('dialog[data-control="MsgBox"] [data-part="text"]'), '記録に、このバージョンでは読めない行がありました。消さずにそのまま残します。');
  await page.click('dialog[data-control="MsgBox"] [data-part="ok"]');
  assert.equal(await page.visible(part('NextProblem')), true);
  const lines = await page.evaluate(() => [...document.querySelectorAll(
    '[data-practice="Working"] li')].map((item) => item.getAttribute('aria-label')));
  assert.equal(lines[0], set[1].expression);
  assert.ok(lines.length > 1);
  await page.click(part('NextProblem'));
  await answerWith(page, wrong);
  const [whole, num, den, negative] = right[2];
  const wide = (digits) => digits.replace(/\d/g, (d) => String.fromCharCode(0xFF10 + Number(d)));
  const typed = `${negative ? '－' : ''}${wide(whole)}${whole && num ? 'と' : ''}${num ? `${wide(num)}／${wide(den)}` : ''}`;
  await answerWith(page, [typed, '', '', false]);
  assert.equal((await verdict(page))[0], 'correct');
  await answerWith(page, right[3]);
  await page.waitFor(() => !document.querySelector('[data-practice="Result"]').hidden);
  assert.equal(await page.text(part('Score')), '4問中3問正解（1回目で2問）');
  assert.match(await page.text(part('Time')), /^かかった時間: \d+秒$/);
  assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll(
    '[data-practice="Missed"] > li')].map((item) => [item.dataset.problem, item.querySelectorAll('.working li').length > 1])),
  [[set[1].expression, true]]);
  assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll(
    '[data-practice="Progress"] li')].map((item) => item.dataset.result)), ['first', 'missed', 'second', 'first']);

  const expected = expectedRecord(set, ['first', 'missed', 'second', 'first'], ['multiple', 'coprime', 'shared', 'reduce']);
  await page.click(part('ChooseAgain'));
  assert.deepEqual(await recordShown(page, '5-unlike'), expected);
  const stored = await page.evaluate(() => localStorage.getItem('tobarin.practice.record'));
  assert.deepEqual(stored.split('\n').filter((line) => !line.startsWith('5-unlike')), ['4-like same 2', '9-future tag 1', '']);
  assert.equal(await page.evaluate(() => document.querySelector('dialog[data-control="MsgBox"]').open), false);
  // The page again, without the set in its address.
  await page.evaluate(() => history.replaceState(null, '', location.pathname));
  await page.reload();
  await page.ready();
  await page.click('[data-panel="OpenPractice"]');
  await page.waitFor(() => document.querySelector('[data-practice="RecordTables"] table') !== null);
  assert.deepEqual(await recordShown(page, '5-unlike'), expected);
});

// A conversion whose answer the fields cannot hold is typed on the line in
// their place, under the problem's own instruction: 通分's fractions joined
// by 、 as an input method gives them; a decimal; and → 分数 in the fields.
describe('conversions', () => {
  const focused = (page) => page.evaluate(() => document.activeElement.dataset.practice);
  const onLine = async (page, typed) => {
    assert.equal(await page.visible(part('AnswerLine')), true);
    assert.equal(await page.visible(part('AnswerDenominator')), false);
    assert.equal(await focused(page), 'AnswerLine');
    await page.type(typed);
    await page.press('Enter');
  };
  test('a round of 5-common, each 通分 typed with 、; a line that cannot be read is no try', async (t) => {
    const code = 'p2:5-common:2:3:2026';
    const set = listing(code);
    const page = await practise(t, code);
    await onLine(page, '3/、');
    assert.equal((await verdict(page))[0], 'unreadable');
    await page.fill(part('AnswerLine'), '');
    for (const problem of set) {
      assert.equal(await page.text(part('FormWanted')), '通分しましょう。');
      await onLine(page, tobarin('--calc', problem.expression).trim().replace(', ', '、'));
    }
    await page.waitFor(() => !document.querySelector('[data-practice="Result"]').hidden);
    assert.equal(await page.text(part('Score')), '3問中3問正解（1回目で3問）');
  });
  test('5-decimal: a decimal on the line, a fraction in the fields', async (t) => {
    const code = 'p2:5-decimal:2:3:2026';
    const set = listing(code);
    const page = await practise(t, code);
    for (const problem of set) {
      const decimal = problem.expression.endsWith('小数');
      assert.equal(await page.text(part('FormWanted')), decimal ? '小数で表しましょう。' : '分数で表しましょう。');
      if (decimal) {
        // A miss first: the line's text selected again, for the second try to replace.
        await onLine(page, '9');
        assert.deepEqual(await page.evaluate(() => [document.activeElement.selectionStart, document.activeElement.selectionEnd]), [0, 1]);
        await page.type(tobarin('--calc', problem.expression).trim());
        await page.press('Enter');
      }
      else await answerWith(page, rightAnswer(problem.expression));
      assert.equal((await verdict(page))[0], 'correct');
    }
    assert.deepEqual(set.map((problem) => problem.expression.slice(-2)).sort(), ['分数', '小数', '小数']);
  });
});

test('the result code at the end: the 出席番号 given once, each problem\'s mark, its QR code and コピー', async (t) => {
  const code = 'p1:5-unlike:2:2:7';
  const set = listing(code);
  const page = await shared.browser.open();
  t.after(() => page.close());
  await page.goto(shared.site.url);
  await page.ready();
  await page.click('[data-panel="OpenPractice"]');
  await page.fill(part('PupilNumber'), '12');
  await page.fill(part('CodeEntry'), code);
  await page.click(part('StartCode'));
  await answerWith(page, rightAnswer(set[0].expression));
  for (let time = 0; time < 2; ++time) await answerWith(page, ['99', '', '', false]);
  await page.click(part('NextProblem'));
  await page.waitFor(() => document.querySelector('[data-practice="ResultQr"]').dataset.code);
  const shown = await page.text(part('ResultCode'));
  assert.equal(await page.attribute(part('ResultQr'), 'data-code'), shown);
  // The native reader finds pupil 12 with (1) right at the first try and (2) missed.
  const read = tobarinReading(shown, '--results', '-');
  assert.match(read.split('\n')[2], /^ +12 +1 +1 +\d+秒 +○×$/);
  await page.click(part('CopyResult'));
  await page.waitFor(() => document.querySelector('[data-practice="Copied"]').textContent !== '');
  assert.equal(await page.text(part('Copied')), 'コピーしました。');
  assert.equal(await page.clipboard(), shown);
  assert.equal(await page.evaluate(() => localStorage.getItem('tobarin.practice.number')), '12');
});

test('three right at the first try in a row is 習得', async (t) => {
  // Every problem of 6-times-whole has a whole number.
  const code = 'p1:6-times-whole:1:3:5';
  const set = listing(code);
  const page = await practise(t, code);
  for (const problem of set) await answerWith(page, rightAnswer(problem.expression));
  await page.waitFor(() => !document.querySelector('[data-practice="Result"]').hidden);
  await page.click(part('ChooseAgain'));
  const expected = expectedRecord(set, ['first', 'first', 'first'], ['whole', 'cancel']);
  assert.equal(expected[0], 'whole 3 習得');
  assert.deepEqual(await recordShown(page), expected);
});

test('a record the browser refuses to store is said, once a round', async (t) => {
  const code = 'p1:6-times-whole:1:3:5';
  const set = listing(code);
  const page = await practise(t, code);
  await page.evaluate(() => {
    Storage.prototype.setItem = () => { throw new DOMException('full', 'QuotaExceededError'); };
  });
  await answerWith(page, rightAnswer(set[0].expression));
  await page.waitFor(() => document.querySelector('dialog[data-control="MsgBox"]').open);
  assert.match(await page.text('dialog[data-control="MsgBox"] [data-part="text"]'), /^記録を保存できませんでした。/);
  await page.click('dialog[data-control="MsgBox"] [data-part="ok"]');
  await answerWith(page, rightAnswer(set[1].expression));
  await page.waitFor(() => document.querySelector('[data-practice="Verdict"]').textContent.startsWith('(2)'));
  assert.equal(await page.evaluate(() => document.querySelector('dialog[data-control="MsgBox"]').open), false);
});

// What the page shows of a round is the engine's: each problem's prompt, the
// time taken in the whole seconds that have passed, and a set's code typed
// through an input method, in full-width letters and digits.
describe('the engine\'s words', () => {
  const code = 'p1:6-times-whole:1:2:5';
  const wide = 'ｐ１：６－ｔｉｍｅｓ－ｗｈｏｌｅ：１：２：５';
  const openings = [
    ['in the address', (page) => page.evaluate((w) => { location.hash = `#practice=${w}`; }, wide)],
    ['typed', async (page) => {
      await page.click('[data-panel="OpenPractice"]');
      await page.fill(part('CodeEntry'), `　${wide}`);
      await page.click(part('StartCode'));
    }],
  ];
  for (const [how, open] of openings) {
    test(`a full-width code ${how}: its set, each problem's prompt, and 59.6 seconds taken as 59`, async (t) => {
      const page = await shared.fresh(t);
      // A clock the test moves on.
      await page.evaluate(() => {
        window.testNow = 1000;
        performance.now = () => window.testNow;
      });
      await open(page);
      await page.waitFor(() => document.querySelector('[data-practice="SetCode"]')?.textContent);
      assert.equal(await page.text(part('SetCode')), code);
      const set = listing(code);
      for (const [i, problem] of set.entries()) {
        assert.deepEqual([await page.text(part('ProblemNumber')), await page.attribute(part('Progress'), 'aria-label'),
          await page.attribute(part('Problem'), 'aria-label')], [`(${i + 1})`, `${i + 1} / 2`, `${problem.expression} =`]);
        if (i === set.length - 1) await page.evaluate(() => { window.testNow += 59600; });
        await answerWith(page, rightAnswer(problem.expression));
      }
      await page.waitFor(() => !document.querySelector('[data-practice="Result"]').hidden);
      assert.equal(await page.text(part('Time')), 'かかった時間: 59秒');
      assert.equal(await page.text(part('Score')), '2問中2問正解（1回目で2問）');
    });
  }
});

describe('a code that cannot be read', () => {
  const rows = [
    ['p1:nope:2:10:1', /単元「nope」はありません。/],
    ['p9:5-unlike:2:10:1', /「p9」のセットコードは、このバージョンでは読めません。/],
    ['p1:5-unlike:4:10:1', /レベルは 1、2、3 のどれかです。/],
    ['p1:5-unlike:2:51:1', /問題の数は 1 から 50 までです。/],
    ['%E3%81%82%', /^セットコード「%E3%81%82%」では始められません。セットコードは p2:単元:/],
  ];
  for (const [code, reason] of rows) {
    test(`#practice=${code}: says why, lists the units, and the calculator calculates`, async (t) => {
      const page = await practise(t, code);
      assert.equal(await page.visible(part('CodeMessage')), true);
      assert.match(await page.text(part('CodeMessage')), reason);
      assert.equal(await page.count(`${part('CodeMessage')} li`), await page.count(`${part('Unit')} option`));
      assert.match(await page.text(`${part('CodeMessage')} li`), /^4-like 小4/);
      for (const [name, text] of [['Text1(1)', '1'], ['Text1(0)', '2'], ['Text2(1)', '1'], ['Text2(0)', '3']]) {
        await type(page, name, text);
      }
      await page.click(control('Command1'));
      assert.equal(await answer(page), '||5/6|bar');
    });
  }
});

test('the worksheet: A4 pages of 10 problems in two columns, its QR code the page\'s address; the key apart', async (t) => {
  const code = 'p1:5-mixed:2:45:3';
  const page = await practise(t, code);
  const address = `${shared.site.url}#practice=${code}`;
  await page.waitFor(() => document.querySelector('[data-practice="Sheet"]').dataset.qr);
  assert.equal(await page.attribute(part('Sheet'), 'data-qr'), address);
  // The print rules as the stylesheet holds them, and the sheet laid out by them.
  const printed = await page.evaluate(() => {
    const rules = [...document.styleSheets].flatMap((sheet) => [...sheet.cssRules]);
    const pageRule = rules.find((rule) => rule instanceof CSSPageRule);
    const print = rules.filter((rule) => rule instanceof CSSMediaRule && rule.media.mediaText === 'print')
      .flatMap((rule) => [...rule.cssRules].map((inner) => inner.cssText));
    const adopted = new CSSStyleSheet();
    adopted.replaceSync(print.join('\n'));
    document.adoptedStyleSheets = [adopted];
    const millimetre = 96 / 25.4;
    const boxes = [...document.querySelectorAll('.sheet-pupils .sheet-page')].map((sheetPage) => {
      const { top, bottom } = sheetPage.getBoundingClientRect();
      const problems = [...sheetPage.querySelectorAll('.sheet-problem')].map((item) => {
        const box = item.getBoundingClientRect();
        return { left: Math.round(box.left), inside: box.top >= top - 0.5 && box.bottom <= bottom + 0.5 };
      });
      return { height: (bottom - top) / millimetre, problems };
    });
    const result = {
      size: pageRule?.style.getPropertyValue('size'),
      margin: parseFloat(pageRule?.style.getPropertyValue('margin-top')),
      windowShown: document.querySelector('.desk').checkVisibility(),
      numbers: [...document.querySelectorAll('.sheet-pupils .sheet-number')].map((n) => n.textContent),
      boxes,
    };
    document.adoptedStyleSheets = [];
    return result;
  });
  assert.match(printed.size, /^a4( portrait)?$/i);
  assert.ok(printed.margin >= 10, `margins of ${printed.margin} mm`);
  assert.equal(printed.windowShown, false);
  assert.deepEqual(printed.numbers, Array.from({ length: 45 }, (_, i) => `(${i + 1})`));
  assert.deepEqual(printed.boxes.map((box) => box.problems.length), [10, 10, 10, 10, 5]);
  for (const { height, problems: items } of printed.boxes) {
    assert.ok(height <= 297 - 2 * printed.margin, `a page ${height} mm high`);
    assert.ok(items.every((item) => item.inside), 'no problem across a page');
    // Down the first column, then the second.
    const columns = [...new Set(items.map((item) => item.left))];
    assert.deepEqual(items.map((item) => columns.indexOf(item.left)), items.map((_, i) => (i < 5 ? 0 : 1)));
  }
  if (lacks(t, 'pdf')) return;
  const folder = mkdtempSync(join(tmpdir(), 'tobarin-sheet-'));
  t.after(() => rmSync(folder, { recursive: true, force: true }));
  const pdf = join(folder, 'sheet.pdf');
  await page.pdf(pdf);
  const info = execFileSync('pdfinfo', [pdf], { encoding: 'utf8' });
  assert.match(info, /^Pages: +5$/m);
  // A4 is 595.28 × 841.89 points; Chromium rounds it to its own units.
  const [, width, height] = info.match(/^Page size: +([\d.]+) x ([\d.]+) pts/m).map(Number);
  assert.ok(Math.abs(width - 595.28) < 1 && Math.abs(height - 841.89) < 1, `pages of ${width} × ${height} pt`);
  execFileSync('pdftoppm', ['-r', '300', '-png', '-f', '1', '-l', '1', '-singlefile', pdf, join(folder, 'first')]);
  const decoded = execFileSync('zbarimg', ['--quiet', '--raw', join(folder, 'first.png')], { encoding: 'utf8' });
  assert.equal(decoded.trim(), address);
  // The pupils' pages with their header and the QR code's caption, no key;
  // the key printed apart (解答を印刷…), without them.
  await page.evaluate(() => document.documentElement.setAttribute('data-print-key', ''));
  const key = join(folder, 'key.pdf');
  await page.pdf(key);
  const text = (file) => execFileSync('pdftotext', [file, '-'], { encoding: 'utf8' });
  const [pupils, answers] = [text(pdf), text(key)];
  for (const word of ['名前', '点数', '／45', 'つぎの計算をしましょう。', 'タブレットで練習・答え合わせ']) {
    assert.ok(pupils.includes(word), `the sheet lacks ${word}`);
    assert.ok(!answers.includes(word), `the key has ${word}`);
  }
  assert.ok(!pupils.includes('解答') && answers.includes('解答'));
  assert.match(execFileSync('pdfinfo', [key], { encoding: 'utf8' }), /^Pages: +5$/m);
});

// A problem wider than half the printable width puts the sheet in one column
// of 10 a page, as the native program's sheet of the same set is laid out.
for (const [code, columns, problems] of [['p2:7-mixed:3:12:7', '1', [10, 2]], ['p2:7-mixed:3:12:5', '2', [12]]]) {
  test(`the worksheet of ${code}: ${columns} column(s), ${problems.join(' + ')} problems`, async (t) => {
    const page = await practise(t, code);
    await page.waitFor(() => document.querySelector('[data-practice="Sheet"]').dataset.qr);
    assert.equal(await page.attribute(part('Sheet'), 'data-columns'), columns);
    assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('.sheet-pupils .sheet-page')]
      .map((sheetPage) => sheetPage.querySelectorAll('.sheet-problem').length)), problems);
  });
}
