// Starts the calculator: loads the engine, binds it to the page's window and
// hands the window the focus, as the desktop program does when it starts.

import { FormName, Sheet } from './codes.js';
import { PageProperties } from './page-properties.js';
import { PracticePanel } from './practice-panel.js';
import { loadEngine } from './engine.js';
import { MessageBox } from './message-box.js';
import { WorkingWindow } from './working-window.js';
import { keepAnswerInSight, wireWindow } from './window-events.js';

// A browser may restore ticks, choices and texts as a load ends, just before
// pageshow (Firefox on a reload, Chromium on going back): the window waits
// for that, then starts from its starting state as the markup writes it, so
// that no control is out of step with the engine. WebKit may run this module
// only once the load is over (in a frame, or a window a script opened): the
// load and pageshow have gone by then, and there is nothing to wait for.
const shown = document.readyState === 'complete' ? Promise.resolve()
  : new Promise((resolve) => { addEventListener('pageshow', resolve, { once: true }); });
const form = document.querySelector(`[data-control="${FormName}"]`);
const page = new PageProperties(document, new MessageBox(document.querySelector('dialog[data-control="MsgBox"]')));
const working = new WorkingWindow(document.querySelector('.panel'), () => page.check(), () => page.follow());
page.setWorkingWindow(working);
const practice = new PracticePanel(document.querySelector('[data-practice-panel]'), document.querySelector('.panel'),
  document.querySelector(`[data-practice="${Sheet.place}"]`), (call, ...args) => page.practise(call, ...args));
page.setPractice(practice);
const engine = await loadEngine(page.imports());
await shown;

// From here to ready the page runs in one go, so nothing typed or clicked can
// come between: the window takes input again first, and the browser then lays
// the page out once, for the focus, instead of once more after it.
document.querySelector('.desk').inert = false;
page.attach(engine);
for (const input of document.querySelectorAll('input')) {
  if (input.type === 'text') input.value = input.defaultValue;
  else input.checked = input.defaultChecked;
}
working.restoreMethod();  // the way of working chosen last time, kept by the page itself
page.follow();  // the working window shows the problem of the fields as they start
wireWindow(page, form, document.querySelector('[role="menubar"]'));
keepAnswerInSight(form);

// The first control in tab order that can hold the focus.
form.querySelector('input:not([type="radio"]), input:checked, button').focus();
document.documentElement.setAttribute('data-ready', '');
// When the page became ready, by its own clock, for the start-up bench.
performance.mark('tobarin-ready');

// A set of practice that the address names (#practice=CODE) opens once the
// calculator is ready, and so does one named later.
practice.followAddress();
addEventListener('hashchange', () => practice.followAddress());

// Every file of the site is kept for working offline. The worker is
// registered once the load has ended, when it finds in the browser's cache
// every file the page loaded.
const keepForOffline = () => navigator.serviceWorker?.register('sw.js');
if (document.readyState === 'complete') keepForOffline();
else addEventListener('load', keepForOffline, { once: true });
