// The window's message box: a modal <dialog> with a title, the lines of the
// text, an icon and one OK button. While it is open the rest of the page is
// inert; OK, Enter and Escape close it, and the focus goes back where it was.
// A box asked for while another is open waits for it to close, as a second
// modal box would on the desktop.

import { MsgBoxStyle } from './codes.js';

const Icons = new Map([[MsgBoxStyle.Critical, 'critical'], [MsgBoxStyle.Information, 'information']]);

export class MessageBox {
  #dialog;
  #waiting = [];
  #returnFocus = null;

  constructor(dialog) {
    this.#dialog = dialog;
    const ok = dialog.querySelector('[data-part="ok"]');
    ok.addEventListener('click', () => dialog.close());
    dialog.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') {
        event.preventDefault();
        dialog.close();
      }
    });
    // Escape closes it through the dialog's own cancel.
    dialog.addEventListener('close', () => this.#closed());
  }

  get open() {
    return this.#dialog.open;
  }

  // Lines of the text are separated by carriage returns.
  show(text, style, title) {
    this.#waiting.push({ text, style, title });
    if (!this.#dialog.open) this.#next();
  }

  #next() {
    const box = this.#waiting.shift();
    if (!box) return;
    const dialog = this.#dialog;
    dialog.querySelector('[data-part="title"]').textContent = box.title;
    // One line a line, each after a <br>: WebKit's innerText may join lines
    // that only a line feed under white-space: pre-line breaks.
    const lines = box.text.split('\r');
    dialog.querySelector('[data-part="text"]').replaceChildren(
      ...lines.flatMap((line, i) => (i ? [dialog.ownerDocument.createElement('br'), line] : [line])));
    const icon = Icons.get(box.style);
    if (icon) dialog.dataset.icon = icon;
    else delete dialog.dataset.icon;
    this.#returnFocus = dialog.ownerDocument.activeElement;
    dialog.showModal();
    dialog.querySelector('[data-part="ok"]').focus();
  }

  #closed() {
    const back = this.#returnFocus;
    this.#returnFocus = null;
    if (back?.isConnected && !back.closest('[hidden]')) back.focus({ preventScroll: true });
    this.#next();
  }
}
