// Starts the calculator: loads the engine, binds it to the page's window and
// hands the window the focus, as the desktop program does when it starts.

import { PageProperties } from './page-properties.js';
import { loadEngine } from './engine.js';
import { MessageBox } from './message-box.js';
import { WorkingPanel } from './panel.js';
import { keepAnswerInSight, wireWindow } from './window-events.js';

const form = document.querySelector('[data-control="Form1"]');
const page = new PageProperties(document, new MessageBox(document.querySelector('dialog[data-control="MsgBox"]')));
page.setPanel(new WorkingPanel(document.querySelector('.panel'), () => page.check(), () => page.follow()));
page.attach(await loadEngine(page.imports()));
page.follow();  // the panel shows the problem of the fields as they start
wireWindow(page, form, document.querySelector('[role="menubar"]'));
keepAnswerInSight(form);

document.querySelector('.desk').inert = false;
// The first control in tab order that can hold the focus.
form.querySelector('input:not([type="radio"]), input:checked, button').focus();
document.documentElement.setAttribute('data-ready', '');

// Every file of the site is kept for working offline.
navigator.serviceWorker?.register('sw.js');
