// Practice (練習) in the place of the window 「途中式と答え合わせ」: a set chosen
// by unit, level and count, or opened by its code (also from the page's
// address, #practice=CODE), answered one problem at a time; the hint after a
// first miss, the working after a second, the score, the time and what was
// missed at the end; the record of what is mastered, kept in the page's own
// storage, each result merged into the record as it is stored at that moment
// (another tab may have stored its own), with the lines this version cannot
// read kept as they are; and the set as a worksheet to print. Storage that is
// full or refused is said in a message box, and so are unreadable lines,
// once. At the end, the result code (結果コード) to hand to the teacher, with
// its QR code and コピー (the clipboard, or else the code selected to copy by
// hand), carrying the 出席番号 asked once and kept on this device. The
// engine does the rest, and says all that the pupil reads of a
// round: this module draws what it is given and hands over what the pupil
// chose and typed.

import {
  AnswerFieldControl, Field, MsgBoxStyle, OpenPractice, PracticeAddress, SheetPlace, VerdictMark, WorkingControl,
} from './codes.js';
import {
  FieldsBesideAnswerLine, InARow, PracticeControl, PracticeInput, PracticeMarkup, PracticeParts, PracticeStage, PracticeText, TagCaption,
} from './practice-codes.js';
import { drawSheet, qrCode } from './worksheet.js';
import { drawWorking, lineMath, math } from './working-window.js';

const RecordKey = 'tobarin.practice.record';  // kept between visits, on this device only
const NumberKey = 'tobarin.practice.number';  // the 出席番号, likewise
const MostNumber = 99;

// A 出席番号 as typed: a whole number 1 to MostNumber, or 0 for none.
function numberOf(text) {
  const value = Number(text);
  return /^\d+$/.test(String(text).trim()) && value >= 1 && value <= MostNumber ? value : 0;
}

// A text of PracticeText with %1, %2... filled in.
const filled = (text, ...values) => values.reduce((t, v, i) => t.replaceAll(`%${i + 1}`, v), text);

function element(name, text, className) {
  const made = document.createElement(name);
  if (text !== undefined) made.textContent = text;
  if (className) made.className = className;
  return made;
}

export class PracticePanel {
  #root;
  #workingRoot;
  #sheet;
  #sheetLayout = null;  // { columns, problems } a page, as the engine last laid the sheet out
  #engine;  // (call, ...args) → the engine's tobarin_practice_<call>
  #part;
  #code = '';  // the code to open, as given
  #set = null;
  #position = 0;
  #last = null;  // the last answer's outcome
  #started = 0;
  #shownStage = PracticeStage.Choosing;
  #number = 0;  // the 出席番号, 0 for none
  #messageBox;
  #storedUnread = false;  // the stored record could not be read: it is never written over
  #told = new Set();  // what the pupil has been told of the record

  // Puts practice's markup after the working window's (workingRoot), hidden;
  // the page's second engine module (engine, second-engine.js) gets
  // practice's imports. messageBox shows the page's message boxes.
  constructor(workingRoot, engine, messageBox) {
    this.#messageBox = messageBox;
    workingRoot.insertAdjacentHTML('afterend', PracticeMarkup);
    const root = workingRoot.nextElementSibling;
    this.#root = root;
    this.#workingRoot = workingRoot;
    this.#sheet = document.querySelector(`[data-practice="${SheetPlace}"]`);
    engine.serve((write, read) => this.imports(write, read));
    this.#engine = (call, ...args) => engine.call(`practice_${call}`, ...args);
    this.#part = (name) => root.querySelector(`[data-practice="${name}"]`);
    const on = (name, action) => this.#part(name).addEventListener('click', action);
    on(PracticeControl.Back, () => this.close());
    on(PracticeControl.Start, () => this.#engine('choose', crypto.getRandomValues(new Uint32Array(1))[0]));
    on(PracticeControl.StartCode, () => this.openCode(this.#part(PracticeControl.CodeEntry).value.trim()));
    on(WorkingControl.CheckAnswer, () => this.#answer());
    on(PracticeControl.NextProblem, () => this.#next());
    on(PracticeControl.Again, () => this.#engine('again'));
    on(PracticeControl.ChooseAgain, () => this.#choosing());
    // The pupils' sheet and its answer key print apart: the key only when
    // asked for, never on the pupils' pages.
    const printing = (key) => () => {
      document.documentElement.toggleAttribute('data-print-key', key);
      print();
    };
    on(PracticeControl.PrintSheet, printing(false));
    on(PracticeControl.PrintKey, printing(true));
    addEventListener('afterprint', () => document.documentElement.removeAttribute('data-print-key'));
    on(PracticeControl.CopyResult, () => this.#copyResultCode());
    this.#keepNumber();
    on(PracticeControl.ClearRecord, () => {
      if (confirm(PracticeText.clearQuestion)) this.#engine('clear_record');
    });
    // Enter in a field does what its group's button does; not the Enter that
    // ends an input method's composition.
    const enter = (group, action) => this.#part(group).addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' || event.isComposing || event.keyCode === 229) return;
      if (event.target.localName !== 'input' || event.target.type === 'checkbox') return;
      event.preventDefault();
      action();
    });
    enter(PracticeControl.TypedAnswer, () => this.#answer());
    enter(PracticeControl.OpenCode, () => this.#part(PracticeControl.StartCode).click());
    enter(PracticeControl.Choose, () => this.#part(PracticeControl.Start).click());
    // Results another tab stores show at once in the record on the screen.
    addEventListener('storage', (event) => {
      if (event.key === RecordKey && !root.hidden && this.#shownStage === PracticeStage.Choosing) this.#engine('record');
    });
  }

  // Hands the typed answer to the engine, with the time the set has taken so
  // far and the 出席番号, which the result code carries once the set is over.
  #answer() {
    this.#engine('answer', performance.now() - this.#started, this.#number);
  }

  // The 出席番号 as kept on this device, in its field; a number typed there is
  // kept, an empty field keeps none, and one out of range goes back to the
  // number kept, so that the field always shows the number the code carries.
  #keepNumber() {
    const field = this.#part(PracticeControl.PupilNumber);
    try {
      this.#number = numberOf(localStorage.getItem(NumberKey) ?? '');
    } catch {
      this.#number = 0;
    }
    field.value = this.#number ? String(this.#number) : '';
    field.addEventListener('change', () => {
      const typed = field.value.trim();
      if (typed !== '' && !numberOf(typed)) {
        field.value = this.#number ? String(this.#number) : '';
        return;
      }
      this.#number = numberOf(typed);
      try {
        if (this.#number) localStorage.setItem(NumberKey, String(this.#number));
        else localStorage.removeItem(NumberKey);
      } catch {
        // Not kept for a later visit; this visit's codes still carry it.
      }
    });
  }

  // コピー: the result code onto the clipboard; where the browser refuses, the
  // code is selected for the pupil to copy, and that is said.
  async #copyResultCode() {
    const code = this.#part(PracticeControl.ResultCode);
    const told = this.#part(PracticeControl.Copied);
    try {
      await navigator.clipboard.writeText(code.textContent);
      told.textContent = PracticeText.copied;
    } catch {
      const range = document.createRange();
      range.selectNodeContents(code);
      getSelection().removeAllRanges();
      getSelection().addRange(range);
      told.textContent = PracticeText.copyFailed;
    }
  }

  // Tells the pupil something of the record once.
  #tell(what, style, text) {
    if (this.#told.has(what)) return;
    this.#told.add(what);
    this.#messageBox.show(text, style, PracticeText.boxTitle);
  }

  // The functions of the engine's "page" imports that practice answers.
  imports(write, read) {
    const chosen = {
      [PracticeInput.Unit]: () => this.#part(PracticeControl.Unit).value,
      [PracticeInput.Level]: () => this.#part(PracticeControl.Level).value,
      [PracticeInput.Count]: () => this.#part(PracticeControl.Count).value,
      [PracticeInput.Code]: () => this.#code,
      [PracticeInput.AnswerLine]: () => this.#part(PracticeControl.AnswerLine).value,
      [PracticeInput.KeptRecord]: () => {
        try {
          this.#storedUnread = false;
          return localStorage.getItem(RecordKey) ?? '';
        } catch {
          this.#storedUnread = true;
          return '';
        }
      },
    };
    return {
      practiceInput: (which, buffer, capacity) => write(chosen[which]?.() ?? '', buffer, capacity),
      practiceAnswerField: (field, buffer, capacity) =>
        write(this.#part(AnswerFieldControl[field]).value, buffer, capacity),
      practiceAnswerNegative: () => (this.#part(WorkingControl.AnswerNegative).checked ? 1 : 0),
      showPractice: (json, length) => this.#show(JSON.parse(read(json, length))),
      sheetLayout: (columns, problems) => { this.#sheetLayout = { columns, problems }; },
      keepRecord: (text, length, unread) => {
        try {
          if (this.#storedUnread) throw new Error('the stored record could not be read');
          const kept = read(text, length);
          if (kept) localStorage.setItem(RecordKey, kept);
          else localStorage.removeItem(RecordKey);
        } catch {
          this.#tell('notSaved', MsgBoxStyle.Critical, `${PracticeText.recordNotSaved}\r${PracticeText.storageRefused}`);
          return;
        }
        if (unread > 0) this.#tell('unread', MsgBoxStyle.Information, PracticeText.recordUnreadKept);
      },
    };
  }

  #showPanel() {
    this.#workingRoot.hidden = true;
    this.#root.hidden = false;
  }

  // Practice in the panel's place, at the stage it was left in.
  open() {
    this.#showPanel();
    if (!this.#set) this.#choosing();
    this.#printable();
    this.#root.querySelector('h2').scrollIntoView?.({ block: 'nearest' });
    this.#part(PracticeControl.Back).focus();
  }

  close() {
    this.#root.hidden = true;
    this.#workingRoot.hidden = false;
    this.#printable();
    this.#workingRoot.querySelector(`[data-panel="${OpenPractice}"]`).focus();
  }

  // Opens the set of a code, or says what is wrong with it.
  openCode(code) {
    this.#code = code;
    this.#showPanel();
    this.#engine('open');
  }

  // The set the page's address names (#practice=CODE), if it names one.
  followAddress() {
    if (!location.hash.startsWith(PracticeAddress)) return;
    const given = location.hash.slice(PracticeAddress.length);
    let code = given;
    try {
      code = decodeURIComponent(given);
    } catch {
      // Not percent-encoded as it should be: the engine says what is wrong with it as it stands.
    }
    this.openCode(code);
  }

  #stage(stage) {
    this.#shownStage = stage;
    for (const [part, shownIn] of Object.entries(PracticeParts)) this.#part(part).hidden = !shownIn[stage];
    this.#printable();
  }

  // The page prints as the set's worksheet while the set is shown, and as
  // itself otherwise.
  #printable() {
    document.documentElement.toggleAttribute('data-sheet',
      !this.#root.hidden && this.#shownStage !== PracticeStage.Choosing);
  }

  #choosing() {
    this.#stage(PracticeStage.Choosing);
    this.#engine('record');
  }

  #show(shown) {
    switch (shown.kind) {
      case 'set': return this.#showSet(shown);
      case 'refused': return this.#refused(shown);
      case 'answered': return this.#answered(shown);
      case 'record': return this.#showRecord(shown);
      default: throw new Error(`practice: nothing to show as ${shown.kind}`);
    }
  }

  // A code that cannot be read: what is wrong, and the units there are.
  #refused({ message, unitsHeading, units }) {
    this.#choosing();
    const box = this.#part(PracticeControl.CodeMessage);
    const list = element('ul');
    for (const unit of units) {
      const item = element('li');
      item.append(element('code', unit.id), ` ${unit.title}`);
      list.append(item);
    }
    box.replaceChildren(...message.split('\n').map((line) => element('p', line)), element('p', unitsHeading), list);
    box.hidden = false;
  }

  #showSet(set) {
    this.#told.delete('notSaved');  // said again in a new round
    this.#set = set;
    this.#position = 0;
    this.#last = null;
    this.#part(PracticeControl.CodeMessage).hidden = true;
    this.#part(PracticeControl.SetTitle).textContent = set.title;
    this.#part(PracticeControl.SetCode).textContent = set.code;
    // Every problem of the set in its order from the start, a number each.
    this.#part(PracticeControl.Progress).replaceChildren(...set.problems.map((problem, i) => {
      const item = element('li', String(i + 1));
      item.dataset.problem = problem.expression;
      return item;
    }));
    this.#stage(PracticeStage.Answering);
    this.#verdict(null, '');
    this.#draw();
    this.#started = performance.now();
    const address = new URL(location.href);
    address.hash = `${PracticeAddress}${set.code}`;
    // The address names the set being practised, to reload or pass on.
    if (address.href !== location.href) history.replaceState(history.state, '', address.href);
    // The engine lays the sheet out for its widest problem as drawn.
    const layoutFor = async (widest) => {
      this.#sheetLayout = null;
      await this.#engine('sheet_layout', widest);
      return this.#sheetLayout;
    };
    drawSheet(this.#sheet, set, address.href, layoutFor).catch((error) => console.error('the worksheet', error));
  }

  // The problem at the round's position, with fields to answer it.
  #draw() {
    const problem = this.#set.problems[this.#position];
    const progress = this.#part(PracticeControl.Progress);
    progress.setAttribute('aria-label', problem.progress);
    for (const [i, item] of [...progress.children].entries()) {
      if (i === this.#position) item.setAttribute('aria-current', 'step');
      else item.removeAttribute('aria-current');
    }
    this.#part(PracticeControl.ProblemNumber).textContent = problem.number;
    const drawn = this.#part(PracticeControl.Problem);
    drawn.replaceChildren(math('math', ...lineMath(problem.line), math('mo', '=')));
    drawn.setAttribute('aria-label', problem.problem);
    this.#part(PracticeControl.FormWanted).textContent = problem.asked;
    // The fields, or the line in their place where they cannot hold the answer.
    const line = this.#part(PracticeControl.AnswerLine);
    line.hidden = !problem.answerLine;
    line.placeholder = problem.answerLine;
    for (const name of FieldsBesideAnswerLine) this.#answerPart(name).hidden = !line.hidden;
    for (const name of [...Object.values(AnswerFieldControl), PracticeControl.AnswerLine]) this.#part(name).value = '';
    this.#part(WorkingControl.AnswerNegative).checked = false;
    this.#answering(true);
    this.#firstAnswerField().focus();
  }

  // A control of the typed answer as it stands in the group: the sign box with its caption.
  #answerPart(name) {
    return this.#part(PracticeControl.TypedAnswer).querySelector(`[data-practice-for="${name}"]`) ?? this.#part(name);
  }

  // Where the answer is typed first: the line where it is shown, or the denominator.
  #firstAnswerField() {
    const line = this.#part(PracticeControl.AnswerLine);
    return line.hidden ? this.#part(AnswerFieldControl[Field.Denominator]) : line;
  }

  // Whether the typed answer takes an answer, or the working of a miss is shown.
  #answering(open) {
    for (const input of this.#part(PracticeControl.TypedAnswer).querySelectorAll('input, button')) input.disabled = !open;
    this.#part(PracticeControl.Working).hidden = open;
    this.#part(PracticeControl.NextProblem).hidden = open;
  }

  // The verdict, and on a line of its own what comes next (after a first miss).
  #verdict(category, text, then = '') {
    const verdict = this.#part(WorkingControl.Verdict);
    if (category === null) delete verdict.dataset.verdict;
    else verdict.dataset.verdict = VerdictMark[category];
    verdict.replaceChildren(text);
    if (then) verdict.append(document.createElement('br'), then);
  }

  #answered(answered) {
    this.#last = answered;
    const item = this.#part(PracticeControl.Progress).children[answered.problem];
    if (answered.result) item.dataset.result = answered.result;
    this.#verdict(answered.category, answered.verdict, answered.then);
    switch (answered.outcome) {
      case 'right':
        this.#next();
        return;
      case 'tryAgain': {
        // Typed again from the first field, its text selected so that typing replaces it.
        const first = this.#firstAnswerField();
        first.focus();
        first.select();
        return;
      }
      case 'missed': {
        drawWorking(this.#part(PracticeControl.Working), answered.working);
        this.#answering(false);
        const next = this.#part(PracticeControl.NextProblem);
        next.dataset.caption ??= next.textContent;
        next.textContent = answered.finished ? PracticeText.lastCaption : next.dataset.caption;
        next.focus();
        return;
      }
    }
  }

  // On from a problem answered: the next problem, or the result after the last.
  #next() {
    if (this.#last.finished) {
      this.#result(this.#last);
      return;
    }
    if (this.#last.outcome !== 'right') this.#verdict(null, '');
    this.#position = this.#last.problem + 1;
    this.#draw();
  }

  #result({ score, time, resultCode, missedHeading, missed }) {
    this.#stage(PracticeStage.Finished);
    this.#part(PracticeControl.Score).textContent = score;
    this.#part(PracticeControl.Time).textContent = time;
    this.#part(PracticeControl.ResultCode).textContent = resultCode;
    this.#part(PracticeControl.Copied).textContent = '';
    const qr = this.#part(PracticeControl.ResultQr);
    qr.replaceChildren();
    delete qr.dataset.code;
    qrCode(resultCode, 'result-qr-code').then((svg) => {
      if (this.#part(PracticeControl.ResultCode).textContent !== resultCode) return;  // a later round's
      qr.replaceChildren(svg);
      qr.dataset.code = resultCode;
    }).catch((error) => console.error('the QR code of the result', error));
    this.#part(PracticeControl.MissedHeading).textContent = missedHeading;
    this.#part(PracticeControl.Missed).replaceChildren(...missed.map(({ problem, number, working }) => {
      const item = element('li');
      item.dataset.problem = this.#set.problems[problem].expression;
      const steps = element('ol', undefined, 'working');
      drawWorking(steps, working);
      item.append(element('p', number, 'missed-number'), steps);
      return item;
    }));
    this.#part(PracticeControl.Again).focus();
  }

  // The record, a table a unit practised: each tag it names, with its streak.
  #showRecord({ units }) {
    const tables = units.map((unit) => {
      const table = element('table');
      const head = element('tr');
      head.append(element('th', PracticeText.tagColumn), element('th', PracticeText.streakColumn));
      table.append(element('caption', unit.title), head);
      for (const row of unit.rows) {
        const line = element('tr');
        const tag = element('th', TagCaption[row.tag] ?? row.tag);
        tag.scope = 'row';
        tag.title = row.tag;
        const marks = element('td', row.mastered ? PracticeText.mastered
          : PracticeText.streakDone.repeat(row.streak) + PracticeText.streakToGo.repeat(InARow - row.streak));
        if (!row.mastered) marks.setAttribute('aria-label', filled(PracticeText.streakSpoken, row.streak));
        marks.dataset.streak = row.streak;
        line.append(tag, marks);
        table.append(line);
      }
      table.dataset.unit = unit.id;
      return table;
    });
    this.#part(PracticeControl.RecordTables).replaceChildren(...(tables.length ? tables : [element('p', PracticeText.noRecord)]));
    this.#part(PracticeControl.ClearRecord).disabled = tables.length === 0;
  }
}
