// The worksheet (プリント) a practice set prints as, through the print styles
// of page.css, and its answer key, printed apart: on each page its problems
// in two columns (one where a problem is too wide for two), numbered down the
// first and then the next, stacked as in a textbook, at the unit's size, and
// the set's code at its foot. The pupils' pages carry the unit's title and level, a line for the date, class and
// name, the score's box and the unit's instruction; the first of them a QR
// code of the page's own address that opens the same set. The key's pages
// carry the title and the answers. Only print shows them.

import { SheetProblemsAPage, SheetWords } from './practice-codes.js';
import { lineMath, math, stretchParentheses } from './working-window.js';

const Svg = 'http://www.w3.org/2000/svg';
const QuietZone = 4;  // modules of light border that a reader needs round the code

function element(name, text, className) {
  const made = document.createElement(name);
  if (text !== undefined) made.textContent = text;
  if (className) made.className = className;
  return made;
}

// A blank to write in, after its caption.
function blank(caption, after = '') {
  const field = element('span', undefined, 'sheet-blank');
  field.append(element('span', caption), element('span', undefined, 'sheet-line'), after);
  return field;
}

// The QR code of text, drawn as SVG of that class: one path of its dark
// modules. The encoder is loaded when a QR code is first drawn, not before.
export async function qrCode(text, className = 'sheet-qr') {
  const { default: qrcodegen } = await import('./qrcodegen.js');
  const code = qrcodegen.QrCode.encodeText(text, qrcodegen.QrCode.Ecc.MEDIUM);
  const side = code.size + 2 * QuietZone;
  const svg = document.createElementNS(Svg, 'svg');
  svg.setAttribute('viewBox', `0 0 ${side} ${side}`);
  svg.setAttribute('class', className);
  svg.setAttribute('shape-rendering', 'crispEdges');
  let dark = '';
  for (let y = 0; y < code.size; ++y) {
    for (let x = 0; x < code.size; ++x) {
      if (code.getModule(x, y)) dark += `M${x + QuietZone},${y + QuietZone}h1v1h-1z`;
    }
  }
  const background = document.createElementNS(Svg, 'rect');
  background.setAttribute('width', side);
  background.setAttribute('height', side);
  background.setAttribute('fill', '#fff');
  const modules = document.createElementNS(Svg, 'path');
  modules.setAttribute('d', dark);
  modules.setAttribute('fill', '#000');
  svg.append(background, modules);
  return svg;
}

let drawing = 0;  // the latest sheet asked for; an older one's code is dropped

// The pages of the set's problems, onPage a page, `head` at the top of each
// (made afresh for each page), the answers filled in for the key.
function pages(set, head, key, onPage) {
  const count = set.problems.length;
  const total = Math.ceil(count / onPage);
  return Array.from({ length: total }, (_, page) => {
    const sheet = element('section', undefined, 'sheet-page');
    const first = page * onPage;
    const problems = element('ol', undefined, 'sheet-problems');
    problems.start = first + 1;
    for (const [i, problem] of set.problems.slice(first, first + onPage).entries()) {
      const item = element('li', undefined, 'sheet-problem');
      item.append(element('span', `(${first + i + 1})`, 'sheet-number'),
        math('math', ...lineMath(problem.line), math('mo', '=')));
      // A 通分's answer stacked as its problem is, as wide as the pupil writes it.
      if (key && problem.keyLine) {
        const answer = math('math', ...lineMath(problem.keyLine));
        answer.classList.add('sheet-answer');
        item.append(answer);
      } else if (key) {
        item.append(element('span', problem.key, 'sheet-answer'));
      }
      problems.append(item);
    }
    const foot = element('p', undefined, 'sheet-foot');
    foot.append(element('span', set.code), element('span', `${page + 1} / ${total}`));
    sheet.append(head(page), problems, foot);
    return sheet;
  });
}

// What measure() returns with root laid out under the page's print rules,
// taken for the moment and dropped before anything is drawn.
function asPrinted(root, measure) {
  const print = [...document.styleSheets].flatMap((sheet) => [...sheet.cssRules])
    .filter((rule) => rule instanceof CSSMediaRule && rule.media.mediaText === 'print')
    .flatMap((rule) => [...rule.cssRules].map((inner) => inner.cssText));
  const printed = new CSSStyleSheet();
  printed.replaceSync(print.join('\n'));
  const adopted = [...document.adoptedStyleSheets];  // a copy: the property is a live array
  document.adoptedStyleSheets = [...adopted, printed];
  root.style.display = 'block';
  try {
    return measure();
  } finally {
    root.style.display = '';
    document.adoptedStyleSheets = adopted;
  }
}

// The widest problem as printed, with its number and its "=", and on the key
// a 通分's answer after it, stacked as wide as its problem, in millimetres.
function widestProblem(root) {
  const widths = (items) => [...root.querySelectorAll(items)].map((item) =>
    item.lastElementChild.getBoundingClientRect().right - item.getBoundingClientRect().left);
  const pupils = widths('.sheet-pupils .sheet-problem');
  const key = withKeyShown(() => widths('.sheet-key .sheet-problem:has(> math.sheet-answer)'));
  return Math.max(0, ...pupils, ...key) * 25.4 / 96;
}

// What measure() returns with the key laid out, as it is only while it is the
// one to print.
function withKeyShown(measure) {
  const html = document.documentElement;
  const printingKey = 'printKey' in html.dataset;
  html.dataset.printKey = '';
  try {
    return measure();
  } finally {
    if (!printingKey) delete html.dataset.printKey;
  }
}

// Draws the set as a worksheet and its key into root, the sheet's QR code
// holding address, laid out as layoutFor(widest problem in millimetres)
// resolves ({ columns, problems } a page; the unit's where it resolves to
// nothing). Resolves once the sheet is whole, its QR code drawn (root then
// carries the address as data-qr).
export async function drawSheet(root, set, address, layoutFor) {
  const mine = ++drawing;
  delete root.dataset.qr;
  root.dataset.unit = set.unit;
  const count = set.problems.length;
  let qrPlace = null;
  const pupilsHead = (page) => {
    const head = element('div', undefined, 'sheet-head');
    const words = element('div');
    const blanks = element('p', undefined, 'sheet-blanks');
    const score = element('span', undefined, 'sheet-score');
    score.append(element('span', SheetWords.score), element('span', `${SheetWords.outOf}${count}`));
    blanks.append(element('span', SheetWords.date), element('span', SheetWords.classAndNumber),
      blank(SheetWords.name), score);
    words.append(element('p', set.title, 'sheet-title'), blanks,
      element('p', set.instruction, 'sheet-instruction'));
    head.append(words);
    if (page === 0) qrPlace = head;
    return head;
  };
  const keyHead = () => {
    const head = element('div', undefined, 'sheet-head');
    head.append(element('p', `${set.title}　${SheetWords.key}`, 'sheet-title'));
    return head;
  };
  const draw = (onPage) => {
    const pupils = element('div', undefined, 'sheet-pupils');
    pupils.append(...pages(set, pupilsHead, false, onPage));
    const key = element('div', undefined, 'sheet-key');
    key.append(...pages(set, keyHead, true, onPage));
    root.replaceChildren(pupils, key);
  };
  delete root.dataset.columns;
  draw(SheetProblemsAPage[set.unit]);
  const layout = await layoutFor(asPrinted(root, () => widestProblem(root)));
  if (mine !== drawing) return;
  if (layout) {
    root.dataset.columns = layout.columns;
    if (layout.problems !== SheetProblemsAPage[set.unit]) draw(layout.problems);
  }
  // The parentheses as tall as what they hold, at the printed size: the
  // pupils' pages', then the key's.
  asPrinted(root, () => {
    stretchParentheses(root.querySelector('.sheet-pupils'));
    withKeyShown(() => stretchParentheses(root.querySelector('.sheet-key')));
  });
  const qr = await qrCode(address);
  if (mine !== drawing) return;
  const figure = element('figure', undefined, 'sheet-qr-figure');
  figure.append(qr, element('figcaption', SheetWords.qrCaption));
  qrPlace.append(figure);
  root.dataset.qr = address;
}
