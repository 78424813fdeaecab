// Starts the calculator: loads the engine, binds it to the page's window and
// hands the window the focus, as the desktop program does when it starts.

import { FormName, MsgBoxStyle, OpenPractice, PracticeAddress } from './codes.js';
import { PageProperties } from './page-properties.js';
import { loadEngine } from './engine.js';
import { MessageBox } from './message-box.js';
import { SecondEngine } from './second-engine.js';
import { WorkingWindow } from './working-window.js';
import { keepAnswerInSight, wireWindow } from './window-events.js';

const ResultsAddress = '#results';

// The window's ticks, choices and texts are marked autocomplete="off", so
// that no browser restores them on a reload or on going back, and the window
// starts from its starting state as the markup writes it, in step with the
// engine, as soon as the page is parsed: not after the load, which waits for
// the fonts and the icons. A page restored whole from the back/forward cache
// keeps its engine too.
const form = document.querySelector(`[data-control="${FormName}"]`);
const messageBox = new MessageBox(document.querySelector('dialog[data-control="MsgBox"]'));
const page = new PageProperties(document, messageBox);
// The working window's and practice's engine module, fetched when first needed.
const second = new SecondEngine(() => page.ended);
second.serve((write, read) => page.imports(write, read));
const working = new WorkingWindow(document.querySelector('.panel'), () => page.check(), () => page.follow(), {
  answerForm: () => page.answerForm(),
  showFields: () => page.showFields(),
}, second);
page.setWorkingWindow(working, second);
const imports = page.imports();
start(engineOrSaySo());

// Where the browser cannot run the engine (WebAssembly switched off, as in an
// iPad's Lockdown Mode), the window would stay still whatever is clicked: the
// page says why instead, and the window stays shut.
function engineOrSaySo() {
  try {
    return loadEngine(imports);
  } catch (error) {
    messageBox.show('このブラウザーでは計算できません。\r'
      + 'WebAssembly が使えません（iPad や iPhone のロックダウンモードなど）。',
    MsgBoxStyle.Critical, 'エラーメッセージ');
    throw error;
  }
}

// The calculator starts at once: its engine comes with the page.
function start(engine) {
  // From here to ready the page runs in one go, so nothing typed or clicked can
  // come between: the window takes input again first, and the browser then lays
  // the page out once, for the focus, instead of once more after it.
  document.querySelector('.desk').inert = false;
  page.attach(engine);
  // Written only where they differ: a write lays the field out again.
  for (const input of document.querySelectorAll('input')) {
    const [now, initial] = input.type === 'text' ? ['value', 'defaultValue'] : ['checked', 'defaultChecked'];
    if (input[now] !== input[initial]) input[now] = input[initial];
  }
  working.restoreMethod();  // the way of working chosen last time, kept by the page itself
  page.follow();  // the working window follows that way, where it is not the first
  wireWindow(page, form, document.querySelector('[role="menubar"]'));
  keepAnswerInSight(form);

  // The first control in tab order that can hold the focus.
  form.querySelector('input:not([type="radio"]), input:checked, button').focus();
  document.documentElement.setAttribute('data-ready', '');
  // When the page became ready, by its own clock, for the start-up bench.
  performance.mark('tobarin-ready');

  // WebKit empties the fields marked autocomplete="off" when it brings a page
  // back whole from the back/forward cache, in tasks of its own queued as the
  // page comes back, while the engine still holds what they showed: they are
  // put back as the page was left once those tasks have run. A busy WebKit may
  // run its tasks after a timer set at pageshow, so they are put back after
  // that timer and again after the next frame; putting them back raises no
  // event.
  let left = null;
  addEventListener('pagehide', (event) => {
    if (event.persisted) left = [...document.querySelectorAll('input')].map((input) => [input, input.value, input.checked]);
  });
  addEventListener('pageshow', (event) => {
    if (!event.persisted || !left) return;
    const fields = left;
    left = null;
    const putBack = () => {
      for (const [input, value, checked] of fields) Object.assign(input, { value, checked });
    };
    setTimeout(putBack);
    requestAnimationFrame(() => setTimeout(putBack));
  });

  // Practice (練習): its script (practice.js), its styles and its engine
  // module are loaded when it is first
  // opened, from the working window's button or by a set that the address names
  // (#practice=CODE), once the calculator is ready or later.
  const stylesheet = (href) => new Promise((resolve, reject) => {
    const link = Object.assign(document.createElement('link'), { rel: 'stylesheet', href });
    link.addEventListener('load', resolve);
    link.addEventListener('error', () => { link.remove(); reject(new Error(`${href} did not load`)); });
    document.head.append(link);
  });
  let practice = null;
  function practicePanel() {
    practice ??= Promise.all([import('./practice.js'), stylesheet('practice.css')])
      .then(([{ PracticePanel }]) => new PracticePanel(document.querySelector('.panel'), second, messageBox),
        (error) => {
          practice = null;  // tried again next time: the network may be back
          throw error;
        });
    return practice;
  }
  const withPractice = (action) => practicePanel().then(action, (error) => console.error('practice', error));
  document.querySelector(`[data-panel="${OpenPractice}"]`).addEventListener('click', () => withPractice((panel) => panel.open()));
  const followAddress = () => {
    if (location.hash.startsWith(PracticeAddress)) withPractice((panel) => panel.followAddress());
  };
  followAddress();
  addEventListener('hashchange', followAddress);

  // The class's results (#results): its view, its styles and its engine
  // module are loaded
  // when the address first names it, and the view closes when the
  // address no longer does.
  let results = null;
  function resultsView() {
    results ??= Promise.all([import('./results.js'), stylesheet('results.css')])
      .then(([{ ResultsView }]) => new ResultsView(() => { location.hash = ''; }),
        (error) => {
          results = null;  // tried again next time: the network may be back
          throw error;
        });
    return results;
  }
  const followResults = () => {
    if (location.hash === ResultsAddress) resultsView().then((view) => view.open(), (error) => console.error('results', error));
    else results?.then((view) => view.close(), () => {});
  };
  followResults();
  addEventListener('hashchange', followResults);

  // Every file of the site is kept for working offline. The worker is
  // registered once the load has ended, when it finds in the browser's cache
  // every file the page loaded.
  const keepForOffline = () => navigator.serviceWorker?.register('sw.js');
  if (document.readyState === 'complete') keepForOffline();
  else addEventListener('load', keepForOffline, { once: true });
}
