// The window 「途中式と答え合わせ」, beside the calculator's: the working of the
// problem in the window's fields, drawn with stacked fractions in MathML and
// copied as text, and the answer check (答え合わせ). As on the desktop, the
// problem is drawn at once and the steps only when asked for, so that a pupil
// can check an answer before seeing the right one. Every number and word comes
// from the engine; this module only draws what it is given and hands over what
// the pupil types.

import {
  AnswerFieldControl, ExpressionControl, FirstMethod, MethodControl, OperationSign, Reveal, VerdictMark,
  WorkingControl,
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
    case 'list':  // fractions to bring over one denominator: 3/4, 5/6
      return line.operands.flatMap((operand, i) => [...(i > 0 ? [math('mo', ',')] : []), ...partMath(operand)]);
    case 'over':  // a numerator and a denominator worked out: (3×2+1)/3
      return [math('mfrac', math('mrow', ...lineMath(line.operands[0])), math('mrow', ...lineMath(line.operands[1])))];
    case 'conversion':  // a number and the form asked for: 7/3 → 帯分数
      return [...partMath(line.operands[0]), math('mo', '→'), math('mtext', line.asked)];
    case 'fraction': {
      const top = factorsMath(line.numerator, true);
      return [...signMath(line.sign), line.denominator.length
        ? math('mfrac', top, factorsMath(line.denominator, false)) : top];
    }
    default:
      return numberMath(line.number, false);
  }
}

// Parentheses round a part taller than themselves (a stacked fraction) are
// drawn as tall as it. A browser that cannot stretch them with the page's
// font, which has no table of larger glyphs for mathematics (Chromium,
// WebKit), draws them at the text's size: there they are scaled up to the
// part's height, about its middle. Parts not laid out (hidden) are left as
// they are; the innermost pair comes first, so that an outer pair spans it.
export function stretchParentheses(root) {
  const rows = [...root.querySelectorAll('mrow')].filter((row) => row.children.length > 2
    && row.firstElementChild.textContent === '(' && row.lastElementChild.textContent === ')');
  for (const row of rows.reverse()) {
    const pair = [row.firstElementChild, row.lastElementChild];
    for (const mo of pair) mo.removeAttribute('style');
    const inside = [...row.children].slice(1, -1).map((part) => part.getBoundingClientRect());
    const top = Math.min(...inside.map((box) => box.top));
    const bottom = Math.max(...inside.map((box) => box.bottom));
    const own = pair[0].getBoundingClientRect();
    if (!own.height || bottom - top <= own.height * 1.1) continue;
    const shift = (top + bottom - own.top - own.bottom) / 2;
    for (const mo of pair) mo.style.transform = `translateY(${shift}px) scaleY(${(bottom - top) / own.height})`;
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
  stretchParentheses(list);
}

// The window 「途中式と答え合わせ」. The page's markup shows the working of the
// window's starting problem (worked the first way) as this draws a working,
// and its text to copy; from then on it shows what the engine gives it.
export class WorkingWindow {
  #part;
  #shown = false;  // the steps after the problem
  #typed = false;  // the 式 field's problem is shown, not the calculator's
  #engine;  // the page's second module, which works the 式 field's problem (second-engine.js)
  #calculator;

  // `calculator` is what the 式 field asks of the calculator: answerForm(),
  // the form its answer is shown in (an AnswerForm code), and showFields(),
  // which has the problem of its fields drawn again. `engine` is the page's
  // second module, which reads and works the field's problem.
  constructor(root, check, follow, calculator, engine) {
    this.#part = (name) => root.querySelector(`[data-panel="${name}"]`);
    this.#calculator = calculator;
    this.#engine = engine;
    engine.serve((write, read) => ({
      expressionText: (buffer, capacity) =>
        write(this.#part(ExpressionControl.ExpressionEntry).value, buffer, capacity),
      expressionMessage: (text, length) => this.#sayWhy(read(text, length)),
      expressionWorking: (json, length, sameProblem) => {
        this.#sayWhy('');
        this.#typed = true;
        this.#draw(JSON.parse(read(json, length)), sameProblem !== 0);
      },
    }));
    this.#part(WorkingControl.Method).addEventListener('change', () => {
      localStorage.setItem(MethodKey, String(this.workingMethod()));
      follow();
    });
    this.#part(WorkingControl.ShowWorking).addEventListener('click', () => this.#reveal(!this.#shown));
    this.#part(WorkingControl.CopyWorking).addEventListener('click', () => this.#copy());
    const checkShown = () => (this.#typed ? this.#callExpression('check') : check());
    this.#part(WorkingControl.CheckAnswer).addEventListener('click', checkShown);
    this.#part(WorkingControl.TypedAnswer).addEventListener('keydown', (event) => {
      if (event.key === 'Enter' && event.target.type === 'text') {
        event.preventDefault();
        checkShown();
      }
    });
    // A problem typed in the 式 field is entered with Enter, except the Enter
    // that ends a composition of an input method; emptied, the field gives
    // the working back to the calculator's problem.
    const entry = this.#part(ExpressionControl.ExpressionEntry);
    entry.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' || event.isComposing || event.keyCode === 229) return;
      event.preventDefault();
      this.#enterExpression();
    });
    entry.addEventListener('input', () => {
      if (!entry.value.trim()) this.#followFields();
    });
  }

  // The working of the calculator's problem as its engine worked it out,
  // drawn unless the 式 field's problem is shown: that one is then shown as
  // the calculator now shows answers and works sums.
  showWorking(working, sameProblem) {
    if (this.#typed) {
      this.#callExpression('follow', this.#calculator.answerForm(), this.workingMethod());
      return;
    }
    this.#draw(working, sameProblem);
  }

  // The working as the engine worked it out. For a new problem the steps are
  // hidden again and the verdict, which was for the problem before, goes; the
  // same problem worked another way keeps both.
  #draw(working, sameProblem) {
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

  // Reads the 式 field's problem and shows its working, or says below the
  // field what could not be read; an empty field follows the calculator.
  async #enterExpression() {
    if (!this.#part(ExpressionControl.ExpressionEntry).value.trim()) {
      this.#followFields();
      return;
    }
    const result = await this.#callExpression('enter', this.#calculator.answerForm(), this.workingMethod(),
      this.#typed ? 1 : 0);
    // Emptied while the module was loading: the fields' problem, and no message.
    if (!this.#part(ExpressionControl.ExpressionEntry).value.trim()) this.#followFields();
    else if (result === 0) this.#sayWhy('');
    else if (result === null) this.#sayWhy('この式を計算する部分を読み込めませんでした。');
  }

  #followFields() {
    this.#sayWhy('');
    if (!this.#typed) return;
    this.#typed = false;
    this.#calculator.showFields();
  }

  // Below the field, why what was entered was not read; nothing once it was.
  #sayWhy(text) {
    this.#part(ExpressionControl.ExpressionMessage).textContent = text;
    const entry = this.#part(ExpressionControl.ExpressionEntry);
    if (text) entry.setAttribute('aria-invalid', 'true');
    else entry.removeAttribute('aria-invalid');
  }

  // Runs an entry point of the 式 field in the page's second module, loading
  // it the first time; what it returned, or null where it could not run.
  #callExpression(call, ...args) {
    return this.#engine.call(`expression_${call}`, ...args);
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
    stretchParentheses(this.#part(WorkingControl.Working));
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
