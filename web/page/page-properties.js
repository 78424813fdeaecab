// The window's control properties over the page's elements: the one module
// that knows both the elements and the engine's calls. The engine (C++, in
// WebAssembly) names a control by its row in the window's definition and
// passes texts as UTF-8 in its memory; here those become elements and strings.

import { Rows } from './codes.js';

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// A label or entry field whose text is wider than itself is drawn in a
// smaller size of its font, just small enough to fit, a quarter point at a
// time; its full text stays its content, and a shrunk label shows it as its
// tool tip too. The ascent of the IPA faces (1802 of 2048 units) keeps a
// smaller text on the baseline of the full-size one.
const QuarterPoint = 1 / 3;  // CSS pixels
const Ascent = 1802 / 2048;

export class PageProperties {
  #elements = [];           // by row
  #rows = new Map();        // element → row
  #exports = null;
  #messageBox;
  #working = null;           // the window 「途中式と答え合わせ」
  #second = null;            // and its engine module
  #announcer;
  #fitting;                 // rows of labels that shrink a long text
  #described = new Map();   // label row → what the label is, for its name
  #fontsWatched = false;
  ended = false;

  constructor(document, messageBox) {
    this.document = document;
    this.#messageBox = messageBox;
    this.#announcer = document.getElementById('announce');
  }

  // The functions the engine modules import as "page", reading and writing
  // texts in the calculator's module or, given write and read (as
  // second-engine.js makes them), in another.
  imports(write = (...args) => this.#write(...args), read = (...args) => this.#read(...args)) {
    const element = (row) => this.#elements[row];
    return {
      text: (row, buffer, capacity) => write(element(row).value, buffer, capacity),
      setText: (row, text, length) => {
        const field = element(row);
        field.value = read(text, length);
        fit(field, false);
      },
      caption: (row, buffer, capacity) => write(element(row).textContent, buffer, capacity),
      setCaption: (row, text, length) => {
        const label = element(row);
        label.textContent = read(text, length);
        if (this.#fitting.has(row)) {
          fit(label, true);
          this.#refitWhenFontsArrive();
        }
        if (this.#described.has(row)) this.#name(row);
      },
      value: (row) => (element(row).checked ? 1 : 0),
      visible: (row) => (element(row).hidden ? 0 : 1),
      setVisible: (row, visible) => { element(row).hidden = !visible; },
      msgBox: (text, textLength, style, title, titleLength) =>
        this.#messageBox.show(read(text, textLength), style, read(title, titleLength)),
      unload: () => this.#unload(),
      announce: (text, length) => { this.#announcer.textContent = read(text, length); },
      // The window 「途中式と答え合わせ」.
      showWorking: (json, length, sameProblem) =>
        this.#working?.showWorking(JSON.parse(read(json, length)), sameProblem !== 0),
      workingMethod: () => this.#working?.workingMethod() ?? 0,
      workingMethodChosen: () => (this.#working?.methodChosen() ? 1 : 0),
      answerField: (field, buffer, capacity) =>
        write(this.#working?.answerField(field) ?? '', buffer, capacity),
      answerNegative: () => (this.#working?.answerNegative() ? 1 : 0),
      showVerdict: (category, text, length) =>
        this.#working?.showVerdict(category, read(text, length)),
    };
  }

  // The window that shows the working and checks answers (working-window.js),
  // whose engine is the page's second module (second-engine.js).
  setWorkingWindow(working, engine) {
    this.#working = working;
    this.#second = engine;
  }

  // Finds the element of each of the engine's rows (named in codes.js, in the
  // engine's order).
  attach(exports) {
    if (exports.tobarin_rows() !== Rows.length) throw new Error('the engine and codes.js differ');
    this.#exports = exports;
    this.#fitting = new Set();
    const byName = new Map([...this.document.querySelectorAll('[data-control]')]
      .map((element) => [element.dataset.control, element]));
    for (const [row, name] of Rows.entries()) {
      const element = byName.get(name);
      if (!element) throw new Error(`no element for ${name}`);
      this.#elements[row] = element;
      this.#rows.set(element, row);
      if (element.dataset.fit === 'shrink') this.#fitting.add(row);
      if (element.localName === 'span') {
        this.#described.set(row, element.getAttribute('aria-label'));
        this.#name(row);
      }
    }
  }

  // Labels fitted before the page's fonts arrived are fitted again once they
  // have. Asked only once a label has been fitted, so that the page's start
  // does not ask the browser about its fonts, which it answered only after
  // a style pass of the whole page (in Chromium).
  #refitWhenFontsArrive() {
    if (this.#fontsWatched) return;
    this.#fontsWatched = true;
    this.document.fonts?.ready.then(() => {
      for (const row of this.#fitting) fit(this.#elements[row], true);
    });
  }

  isControl(element) {
    return this.#rows.has(element);
  }

  // Raises an event of a control, which the working window then follows.
  // Returns the number of a run-time error to report once the focus has
  // finished moving, or 0.
  raise(element, event) {
    if (this.ended) return 0;
    const result = this.#exports.tobarin_raise(this.#rows.get(element), event);
    if (result < 0) console.error('the engine failed on an event');
    this.follow();
    return Math.max(result, 0);
  }

  report(number) {
    if (this.ended) return;
    if (this.#exports.tobarin_report(number) < 0) console.error('the engine failed to report');
  }

  // The window or the working window's method may have changed: the working
  // window follows. Until its module has come it shows what the markup was
  // written with, the window as it starts, so that the module is fetched only
  // once the window, or the way of working, is no longer as it started.
  follow() {
    if (this.ended) return;
    if (this.#second.loaded || !this.#asStarted()) this.#second.call('working_follow');
  }

  // The form the window shows its answer in (an AnswerForm code).
  answerForm() {
    return Math.max(this.#exports.tobarin_answer_form(), 0);
  }

  // The working window draws the problem of the window's fields again, as a
  // new problem (it showed the 式 field's).
  showFields() {
    if (this.ended) return;
    this.#second.call('working_show_fields');
  }

  // Checks the answer typed into the working window against the problem it shows.
  check() {
    if (this.ended) return;
    this.#second.call('working_check');
  }

  #asStarted() {
    const inputs = [...this.#elements, ...this.#working.methodButtons()].filter((e) => e.localName === 'input');
    return inputs.every((input) => (input.type === 'text'
      ? input.value === input.defaultValue : input.checked === input.defaultChecked));
  }

  // A label is named by what it is followed by the text it shows, as on the
  // desktop, so that a screen reader says the answer's number.
  #name(row) {
    const label = this.#elements[row];
    const text = label.textContent;
    const what = this.#described.get(row);
    const name = text ? `${what} ${text}` : what;
    if (label.getAttribute('aria-label') !== name) label.setAttribute('aria-label', name);
  }

  #memory() {
    return new Uint8Array(this.#exports.memory.buffer);
  }

  #read(pointer, length) {
    return decoder.decode(this.#memory().subarray(pointer, pointer + length));
  }

  // Writes UTF-8 into the engine's buffer; returns the text's full length in
  // bytes, larger than the buffer when it did not fit.
  #write(text, buffer, capacity) {
    const bytes = encoder.encode(text);
    if (bytes.length <= capacity) this.#memory().set(bytes, buffer);
    return bytes.length;
  }

  #unload() {
    this.ended = true;
    const root = this.document.documentElement;
    root.setAttribute('data-ended', '');
    // Closes a window the browser lets a page close (an installed app, a tab
    // opened for it); elsewhere the window gives way to a notice.
    this.document.defaultView.close();
    this.document.querySelector('.desk').hidden = true;
    const notice = this.document.getElementById('ended');
    notice.hidden = false;
    notice.querySelector('a').focus();
  }
}

// Draws an element's text in its own font size, or smaller where it does not fit.
export function fit(element, isLabel) {
  element.style.fontSize = '';
  element.style.paddingTop = '';
  if (isLabel) element.removeAttribute('title');
  if (element.scrollWidth <= element.clientWidth) return;
  const full = parseFloat(getComputedStyle(element).fontSize);
  let size = full;
  do {
    size -= QuarterPoint;
    element.style.fontSize = `${size}px`;
  } while (element.scrollWidth > element.clientWidth && size > 2);
  if (isLabel) {
    element.style.paddingTop = `${(full - size) * Ascent}px`;
    element.title = element.textContent;
  }
}
