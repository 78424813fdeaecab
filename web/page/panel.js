// The panel beside the window: the working (途中式) of the last calculation,
// drawn with stacked fractions in MathML and copied as text, and the answer
// check (答え合わせ). Every number and word comes from the engine; this module
// only draws what it is given and hands over what the pupil types.

const MathML = 'http://www.w3.org/1998/Math/MathML';
const Operations = ['+', '−', '×', '÷'];  // drawn with the typographic minus
// The command line's exit status of a verdict, as the panel marks it.
const Verdicts = new Map([[0, 'correct'], [3, 'close'], [4, 'wrong'], [1, 'none'], [2, 'unreadable']]);

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

  constructor(root, check) {
    this.#part = (name) => root.querySelector(`[data-panel="${name}"]`);
    this.#part('copy').addEventListener('click', () => this.#copy());
    this.#part('check').addEventListener('click', check);
    this.#part('answer').addEventListener('keydown', (event) => {
      if (event.key === 'Enter' && event.target.type === 'text') {
        event.preventDefault();
        check();
      }
    });
  }

  // The working as the engine recorded it, or null to clear it.
  showWorking(working) {
    this.#working = working;
    const list = this.#part('working');
    list.replaceChildren();
    this.#part('copied').textContent = '';
    this.#part('copy').disabled = !working;
    this.#part('hint').hidden = !!working;
    list.hidden = !working;
    this.#part('report').textContent = working?.report ?? '';
    if (!working) return;
    const lines = working.text.split('\n');
    working.steps.forEach((step, i) => {
      const line = math('math');
      if (i > 0) line.append(math('mo', '='));
      line.append(...numberMath(step.first, false));
      if (step.second) {
        line.append(math('mo', Operations[step.operation]),
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
  }

  // The pupil's answer: 0 denominator, 1 numerator, 2 integer part, and the sign.
  answerField(index) {
    return this.#part(['den', 'num', 'whole'][index]).value;
  }

  answerNegative() {
    return this.#part('negative').checked;
  }

  showVerdict(status, text) {
    const verdict = this.#part('verdict');
    verdict.dataset.verdict = Verdicts.get(status) ?? 'none';
    verdict.textContent = text;
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
