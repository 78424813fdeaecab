// The window 「途中式と答え合わせ」, beside the calculator's: the working of the
// problem in the window's fields, drawn with stacked fractions in MathML and
// copied as text, and the answer check (答え合わせ). As on the desktop, the
// problem is drawn at once and the steps only when asked for, so that a pupil
// can check an answer before seeing the right one. Every number and word comes
// from the engine; this module only draws what it is given and hands over what
// the pupil types.

import {
  AnswerFieldControl, FirstMethod, MethodControl, OperationSign, Reveal, VerdictMark, WorkingControl,
} from './codes.js';

const MathML = 'http://www.w3.org/1998/Math/MathML';
const MethodKey = 'tobarin.method';  // kept between visits

export function math(name, ...children) {
  const element = document.createElementNS(MathML, name);
  element.append(...children);
  return element;
}

// A number of a line: its sign, integer part and fraction (or a decimal's
// digits) as the engine gave them.
function numberMath(number, parenthesised) {
  const parts = [];
  if (number.negative) parts.push(math('mo', '−'));
  if (number.decimals !== undefined) parts.push(math('mn', `${number.whole}.${number.decimals}`));
  else if (number.whole) {
    const whole = math('mn', number.whole);
    // A worksheet draws a mixed number's integer part as tall as its fraction.
    if (number.num) whole.classList.add('whole-of-mixed');
    parts.push(whole);
  }
  if (number.num) parts.push(math('mfrac', math('mn', number.num), math('mn', number.den)));
  // In one row, so that the parentheses stretch round a fraction.
  return parenthesised ? [math('mrow', math('mo', '('), ...parts, math('mo', ')'))] : parts;
}

// Factors joined by ×; a cancelled one struck through, its new number small
// above it in the numerator and below it in the denominator.
function factorsMath(factors, numerator) {
  const row = math('mrow');
  factors.forEach((factor, i) => {
    if (i > 0) row.append(math('mo', '×'));
    if (factor.was === null) {
      row.append(math('mn', factor.value));
      return;
    }
    const struck = math('mn', factor.was);
    struck.classList.add('struck');
    row.append(math(numerator ? 'mover' : 'munder', struck, math('mn', factor.value)));
  });
  return row;
}

function signMath(sign) {
  return sign ? [math('mo', sign === '-' ? '−' : '+')] : [];
}

// A part of a line, in parentheses of its own where the engine says so.
function partMath(part) {
  if (!part.enclosed) return lineMath(part);
  if (part.kind === 'number') return numberMath(part.number, true);
  return [math('mrow', math('mo', '('), ...lineMath(part), math('mo', ')'))];
}

// A line of the working, or a part of one, drawn as its kind says.
export function lineMath(line) {
  switch (line.kind) {
    case 'sum':
    case 'product':
      return line.operands.flatMap((operand, i) =>
        [...(i > 0 ? [math('mo', OperationSign[line.operations[i - 1]])] : []), ...partMath(operand)]);
    case 'parentheses':
      return [math('mrow', math('mo', '('), ...partMath(line.operands[0]), math('mo', ')'))];
    case 'power':
      return [math('msup', math('mrow', ...partMath(line.operands[0])), math('mn', String(line.exponent)))];
    case 'signed':
      return [...signMath(line.sign), ...partMath(line.operands[0])];
    case 'fraction': {
      const top = factorsMath(line.numerator, true);
      return [...signMath(line.sign), line.denominator.length
        ? math('mfrac', top, factorsMath(line.denominator, false)) : top];
    }
    default:
      return numberMath(line.number, false);
  }
}

// Draws the steps of a working (web/exports/working_json.h) into a list, one item a
// step: its line, stacked, and its note; read out as the text form writes it.
export function drawWorking(list, working) {
  list.replaceChildren();
  working.steps.forEach((step, i) => {
    const line = math('math');
    if (i > 0) line.append(math('mo', '='));
    line.append(...lineMath(step.expression));
    const item = document.createElement('li');
    const note = document.createElement('span');
    note.className = 'note';
    note.textContent = step.note;
    item.append(line, note);
    item.setAttribute('aria-label', step.text.replace(/ {2,}/g, ' '));
    list.append(item);
  });
}

// The window 「途中式と答え合わせ」. The page's markup shows the working of the
// window's starting problem (worked the first way) as this draws a working,
// and its text to copy; from then on it shows what the engine gives it.
export class WorkingWindow {
  #part;
  #shown = false;  // the steps after the problem

  constructor(root, check, follow) {
    this.#part = (name) => root.querySelector(`[data-panel="${name}"]`);
    this.#part(WorkingControl.Method).addEventListener('change', () => {
      localStorage.setItem(MethodKey, String(this.workingMethod()));
      follow();
    });
    this.#part(WorkingControl.ShowWorking).addEventListener('click', () => this.#reveal(!this.#shown));
    this.#part(WorkingControl.CopyWorking).addEventListener('click', () => this.#copy());
    this.#part(WorkingControl.CheckAnswer).addEventListener('click', check);
    this.#part(WorkingControl.TypedAnswer).addEventListener('keydown', (event) => {
      if (event.key === 'Enter' && event.target.type === 'text') {
        event.preventDefault();
        check();
      }
    });
  }

  // The working as the engine worked it out. For a new problem the steps are
  // hidden again and the verdict, which was for the problem before, goes; the
  // same problem worked another way keeps both.
  showWorking(working, sameProblem) {
    const list = this.#part(WorkingControl.Working);
    drawWorking(list, working);
    list.dataset.text = working.text;
    this.#part('copied').textContent = '';
    this.#part('report').textContent = working.report;
    if (sameProblem) {
      this.#reveal(this.#shown);
      return;
    }
    this.showVerdict(null, '');
    this.#reveal(false);
  }

  // Chooses the method chosen last time, or the first one.
  restoreMethod() {
    const method = MethodControl[Number(localStorage.getItem(MethodKey))] ?? MethodControl[FirstMethod];
    for (const name of Object.values(MethodControl)) {
      const button = this.#part(name);
      if (button.checked !== (name === method)) button.checked = name === method;
    }
  }

  // The option buttons of the way sums and differences are worked.
  methodButtons() {
    return Object.values(MethodControl).map((name) => this.#part(name));
  }

  // Whether the pupil ever chose how sums and differences are worked.
  methodChosen() {
    return localStorage.getItem(MethodKey) !== null;
  }

  // How sums and differences are worked: a Method code.
  workingMethod() {
    const chosen = Object.entries(MethodControl).find(([, name]) => this.#part(name).checked);
    return chosen ? Number(chosen[0]) : FirstMethod;
  }

  // The pupil's answer, by Field code, and its sign.
  answerField(field) {
    return this.#part(AnswerFieldControl[field]).value;
  }

  answerNegative() {
    return this.#part(WorkingControl.AnswerNegative).checked;
  }

  showVerdict(category, text) {
    const verdict = this.#part(WorkingControl.Verdict);
    if (category === null) delete verdict.dataset.verdict;
    else verdict.dataset.verdict = VerdictMark[category];
    verdict.textContent = text;
  }

  // Shows the steps after the problem, or hides them, as Reveal says: the
  // report of a problem that could not even be read gives no answer away and
  // is shown.
  #reveal(shown) {
    this.#shown = shown;
    const button = this.#part(WorkingControl.ShowWorking);
    button.dataset.caption ??= button.textContent;
    button.textContent = shown ? button.dataset.pressedCaption : button.dataset.caption;
    const items = [...this.#part(WorkingControl.Working).children];
    items.forEach((item, i) => { item.hidden = !shown && i >= Reveal.linesBefore; });
    this.#part('report').hidden = !(shown || (Reveal.reportWithoutLines && items.length === 0));
  }

  async #copy() {
    const copied = this.#part('copied');
    try {
      await navigator.clipboard.writeText(this.#part(WorkingControl.Working).dataset.text);
      copied.textContent = 'コピーしました';
    } catch {
      copied.textContent = 'コピーできませんでした';
    }
  }
}
