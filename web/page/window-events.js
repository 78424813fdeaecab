// Carries the page's events to the engine, as the desktop window's event loop
// does: clicks, focus moves between the window's own controls, the arrow keys
// of the option groups, and the entry fields' typing limit. What each event
// does is the engine's business; here only when it is raised.

import { Event, InSightWhileTyping, PhoneQuery } from './codes.js';
import { fit } from './page-properties.js';

export function wireWindow(page, form, menubar) {
  let current = null;  // the window's control that has, or last had, the focus
  const held = new Set();  // pointers whose press may still end in a click
  let afterRelease = [];  // reports waiting for every pointer to be released

  // GotFocus and LostFocus follow moves between the window's controls only:
  // the focus leaving for the menu bar, a message box, another tab or
  // program, and coming back to the same control, raises nothing.
  form.addEventListener('focusin', (event) => {
    const entered = event.target;
    if (!page.isControl(entered) || entered === current) return;
    const left = current;
    current = entered;
    const reports = [];
    if (left) reports.push(page.raise(left, Event.LostFocus));
    reports.push(page.raise(entered, Event.GotFocus));
    for (const number of reports) if (number) reportAfterFocusMove(number);
  });

  // A run-time error in a focus handler is reported once the focus has moved,
  // by the next frame. A click that moved the focus must still be carried out
  // whatever its duration: a box opened between the press and the release
  // would swallow the click, so the report waits for the release and for the
  // click it delivers.
  function reportAfterFocusMove(number) {
    requestAnimationFrame(() => {
      if (held.size === 0) page.report(number);
      else afterRelease.push(number);
    });
  }

  const press = (event) => {
    if (event.pointerType !== 'mouse' || event.button === 0) held.add(event.pointerId);
  };
  const release = (event) => {
    if (!held.delete(event.pointerId) || held.size > 0 || afterRelease.length === 0) return;
    const numbers = afterRelease;
    afterRelease = [];
    // The click follows the release within the same task; run after it.
    setTimeout(() => numbers.forEach((number) => page.report(number)));
  };
  const view = form.ownerDocument.defaultView;
  view.addEventListener('pointerdown', press, true);
  view.addEventListener('pointerup', release, true);
  view.addEventListener('pointercancel', release, true);
  // A release outside the browser's window may never arrive.
  view.addEventListener('blur', () => {
    for (const id of [...held]) release({ pointerId: id });
  });

  // A press moves the focus to the control under it, as on the desktop, also
  // a press on an option button's or check box's caption; a press anywhere
  // else in the window leaves the focus where it is.
  form.addEventListener('mousedown', (event) => {
    const target = event.target;
    const control = page.isControl(target) ? target : target.closest('label')?.control;
    if (control !== target) event.preventDefault();
    if (control && page.isControl(control) && event.button === 0
        && form.ownerDocument.activeElement !== control) {
      control.focus();
    }
  });

  form.addEventListener('click', (event) => {
    if (page.isControl(event.target)) page.raise(event.target, Event.Click);
  });

  form.addEventListener('keydown', (event) => {
    // No button is the default one, and nothing submits: Enter does nothing.
    if (event.key === 'Enter') {
      event.preventDefault();
      return;
    }
    if (event.target.type === 'radio') moveInGroup(event);
  });

  // Down and Right select the next button of the group, Up and Left the one
  // before, round the group in index order; the button reached gets the focus
  // and its Click.
  function moveInGroup(event) {
    const step = { ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1 }[event.key];
    if (!step || event.altKey || event.ctrlKey || event.metaKey) return;
    event.preventDefault();
    const group = [...form.querySelectorAll(`input[type="radio"][name="${event.target.name}"]`)];
    const next = group[(group.indexOf(event.target) + step + group.length) % group.length];
    next.checked = true;
    next.focus();
    page.raise(next, Event.Click);
  }

  // The typing limit holds for typing, pasting and dropping: an edit that
  // would make the text longer than the limit is refused whole. A longer text
  // the program wrote stays whole and may be shortened. (maxlength alone
  // would cut a paste instead of refusing it.)
  form.addEventListener('beforeinput', (event) => {
    const field = event.target;
    if (!field.maxLength || field.maxLength < 0 || !event.inputType.startsWith('insert')) return;
    const inserted = event.data ?? event.dataTransfer?.getData('text/plain') ?? '';
    const kept = field.value.length - (field.selectionEnd - field.selectionStart);
    const length = kept + inserted.length;
    if (length > field.maxLength && length > field.value.length && event.cancelable) {
      event.preventDefault();
    }
  });
  form.addEventListener('input', (event) => {
    if (event.target.type === 'text') fit(event.target, false);
    page.follow();
  });

  // The menu bar acts at once and leaves the focus where it was, so that
  // choosing a command raises no focus event; from the keyboard it is one
  // stop, and the arrow keys move along it.
  menubar.addEventListener('mousedown', (event) => event.preventDefault());
  menubar.addEventListener('click', (event) => {
    if (page.isControl(event.target)) page.raise(event.target, Event.Click);
  });
  menubar.addEventListener('keydown', (event) => {
    const items = [...menubar.querySelectorAll('[role="menuitem"]')];
    const at = items.indexOf(event.target);
    const to = { ArrowRight: at + 1, ArrowLeft: at - 1, Home: 0, End: items.length - 1 }[event.key];
    if (at < 0 || to === undefined) return;
    event.preventDefault();
    const next = items[(to + items.length) % items.length];
    for (const item of items) item.tabIndex = item === next ? 0 : -1;
    next.focus();
  });
}

// On a phone held upright, the answer stays in sight while the operands are
// typed: when an entry field has the focus, and when the part of the page that
// can be seen shrinks under an on-screen keyboard, the page scrolls so that
// the controls the phone's layout keeps in sight, the operands and the answer
// below them, are seen together (their top first, should they not fit).
export function keepAnswerInSight(form) {
  const view = form.ownerDocument.defaultView;
  const phone = view.matchMedia(PhoneQuery);
  const kept = InSightWhileTyping.map((selector) => form.querySelector(selector));
  const fit = () => {
    const field = form.ownerDocument.activeElement;
    if (!phone.matches || field?.type !== 'text' || !form.contains(field)) return;
    const seen = view.visualViewport;
    const top = seen?.offsetTop ?? 0;
    const bottom = top + (seen?.height ?? view.innerHeight);
    const boxes = kept.map((element) => element.getBoundingClientRect());
    const block = {
      top: Math.min(...boxes.map((box) => box.top)), bottom: Math.max(...boxes.map((box) => box.bottom)),
    };
    let by = Math.max(0, block.bottom - bottom);
    if (block.top - by < top) by = block.top - top;
    if (Math.abs(by) >= 1) view.scrollBy(0, by);
  };
  form.addEventListener('focusin', () => requestAnimationFrame(fit));
  view.visualViewport?.addEventListener('resize', fit);
}
