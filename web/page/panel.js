// The panel beside the window 「途中式と答え合わせ」: the working of the
// problem in the window's fields, drawn with stacked fractions in MathML and
// copied as text, and the answer check (答え合わせ). As on the desktop, the
// problem is drawn at once and the steps only when asked for, so that a pupil
// can check an answer before seeing the right one. Every number and word comes
// from the engine; this module only draws what it is given and hands over what
// the pupil types.

import { Field, OperationSign, VerdictCategory } from './codes.js';

const MathML = 'http://www.w3.org/1998/Math/MathML';
// How each verdict is marked.
const Verdicts = new Map([[VerdictCategory.Correct, 'correct'], [VerdictCategory.Close, 'close'],
  [VerdictCategory.Wrong, 'wrong'], [VerdictCategory.NoAnswer, 'none'],
  [VerdictCategory.Unreadable, 'unreadable']]);
const AnswerFields = new Map([[Field.Denominator, 'AnswerDenominator'],
  [Field.Numerator, 'AnswerNumerator'], [Field.Whole, 'AnswerWhole']]);

function math(name, ...children) {
  const element = document.createElementNS(MathML, name);
  element.append(...children);
  return element;
}

// A number of a line: its sign, integer part and fraction as the engine gave them.
function numberMath(number, parenthesised) {
  const parts = [];
  if (number.negative) parts.push(math('mo', '−'));
  if (number.whole) parts.push(math('mn', number.whole));
  if (number.num) parts.push(math('mfrac', math('mn', number.num), math('mn', number.den)));
  return parenthesised ? [math('mo', '('), ...parts, math('mo', ')')] : parts;
}

export class WorkingPanel {
  #part;
  #working = null;
  #shown = false;  // the steps after the problem

  constructor(root, check) {
    this.#part = (name) => root.querySelector(`[data-panel="${name}"]`);
    this.#part('ShowWorking').addEventListener('click', () => this.#reveal(!this.#shown));
    this.#part('CopyWorking').addEventListener('click', () => this.#copy());
    this.#part('CheckAnswer').addEventListener('click', check);
    this.#part('TypedAnswer').addEventListener('keydown', (event) => {
      if (event.key === 'Enter' && event.target.type === 'text') {
        event.preventDefault();
        check();
      }
    });
  }

  // The working of a new problem, as the engine worked it out: the steps are
  // hidden again and the verdict, which was for the problem before, goes.
  showWorking(working) {
    this.#working = working;
    const list = this.#part('Working');
    list.replaceChildren();
    this.#part('copied').textContent = '';
    this.#part('report').textContent = working.report;
    const lines = working.text.split('\n');
    working.steps.forEach((step, i) => {
      const line = math('math');
      if (i > 0) line.append(math('mo', '='));
      line.append(...numberMath(step.first, false));
      if (step.second) {
        line.append(math('mo', OperationSign[step.operation]),
          ...numberMath(step.second, step.second.negative));
      }
      const item = document.createElement('li');
      const note = document.createElement('span');
      note.className = 'note';
      note.textContent = step.note;
      item.append(line, note);
      // Read out as the text form's line says it.
      item.setAttribute('aria-label', lines[i].replace(/ {2,}/g, ' '));
      list.append(item);
    });
    this.showVerdict(null, '');
    this.#reveal(false);
  }

  // The pupil's answer, by Field code, and its sign.
  answerField(field) {
    return this.#part(AnswerFields.get(field)).value;
  }

  answerNegative() {
    return this.#part('AnswerNegative').checked;
  }

  showVerdict(category, text) {
    const verdict = this.#part('Verdict');
    if (category === null) delete verdict.dataset.verdict;
    else verdict.dataset.verdict = Verdicts.get(category);
    verdict.textContent = text;
  }

  // Shows the steps after the problem, or hides them; the report of a
  // problem that could not even be read gives no answer away and is shown.
  #reveal(shown) {
    this.#shown = shown;
    const button = this.#part('ShowWorking');
    button.dataset.caption ??= button.textContent;
    button.textContent = shown ? button.dataset.pressedCaption : button.dataset.caption;
    const items = [...this.#part('Working').children];
    items.forEach((item, i) => { item.hidden = i > 0 && !shown; });
    this.#part('report').hidden = !shown && items.length > 0;
  }

  async #copy() {
    const copied = this.#part('copied');
    try {
      await navigator.clipboard.writeText(this.#working.text);
      copied.textContent = 'コピーしました';
    } catch {
      copied.textContent = 'コピーできませんでした';
    }
  }
}
