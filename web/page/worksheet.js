// The worksheet (プリント) a practice set prints as, through the print styles
// of page.css: on each page its problems in columns, numbered down the first
// and then the next, stacked as in a textbook, and the set's code at its
// foot; on the first the unit's title and level, blanks for the name and the
// score, and a QR code of the page's own address that opens the same set.
// Only print shows it.

import { Sheet } from './practice-codes.js';
import { lineMath, math } from './working-window.js';

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

// Draws the set as a worksheet into root, its QR code holding address.
// Resolves once the sheet is whole, its QR code drawn (root then carries the
// address as data-qr).
export async function drawSheet(root, set, address) {
  const mine = ++drawing;
  delete root.dataset.qr;
  const count = set.problems.length;
  const pages = Math.ceil(count / Sheet.problemsAPage);
  const head = element('div', undefined, 'sheet-head');
  const title = element('p', set.title, 'sheet-title');
  const blanks = element('p', undefined, 'sheet-blanks');
  blanks.append(blank(Sheet.name), blank(Sheet.score, `／${count}`));
  const words = element('div');
  words.append(title, blanks);
  head.append(words);
  root.replaceChildren(...Array.from({ length: pages }, (_, page) => {
    const sheet = element('section', undefined, 'sheet-page');
    if (page === 0) sheet.append(head);
    const first = page * Sheet.problemsAPage;
    const problems = element('ol', undefined, 'sheet-problems');
    problems.start = first + 1;
    for (const [i, problem] of set.problems.slice(first, first + Sheet.problemsAPage).entries()) {
      const item = element('li', undefined, 'sheet-problem');
      item.append(element('span', `(${first + i + 1})`, 'sheet-number'),
        math('math', ...lineMath(problem.line), math('mo', '=')));
      problems.append(item);
    }
    const foot = element('p', undefined, 'sheet-foot');
    foot.append(element('span', set.code), element('span', `${page + 1} / ${pages}`));
    sheet.append(problems, foot);
    return sheet;
  }));
  const qr = await qrCode(address);
  if (mine !== drawing) return;
  head.append(qr);
  root.dataset.qr = address;
}
