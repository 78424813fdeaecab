// Drives the built site in each browser engine, for the browser tests, the
// start-up bench and the screenshot script: the site served from this
// process, the browser, and one small way of driving a page that every
// engine's driver gives, so that what drives it is written once.
//
// TOBARIN_BROWSER picks the engine: chromium (the default: Debian's Chromium
// through puppeteer-core over its DevTools protocol), firefox (Debian's
// Firefox ESR through puppeteer-core over WebDriver BiDi) or webkit
// (WebKitGTK's MiniBrowser through WebKitWebDriver and selenium-webdriver; it
// needs an X display, as xvfb-run gives). Each engine's module here launches
// its browser and gives pages with these calls, and nothing more:
//
//   browser.open({ viewport, scale })  a page in a profile of its own (empty
//                                cache); scale, CSS pixels to device pixels
//   browser.close()
//   page.goto(url)
//   page.evaluate(fn, ...args)   runs fn in the page; JSON in and out
//   page.mouse.click(x, y), .move(x, y), .down(), .up()   viewport pixels
//   page.press(keys)             'Tab', 'Shift+Tab', 'Control+A', 'ArrowDown'...
//   page.type(text)              typed into what has the focus, key by key
//   page.findByRole(role, name, within)  marks the one element of that role
//                                and accessible name (exactly), as the
//                                browser's accessibility computes them, with
//                                data-found; returns the mark
//   page.openedWindow(action)    the page of a window that action opens
//   page.closed()                resolves when the page's window has closed
//   page.visitOtherTab()         another tab to the front, and this one back
//   page.preload(fn)             runs fn in every document before its scripts
//   page.pdf(file)               prints the page to a PDF file, with its own @page size
//   page.screenshot(file), page.close()
//
// What drives a page uses the Page below, which adds what is the same everywhere.

import { createReadStream, existsSync, readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { dirname, extname, join, normalize, resolve } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
export const buildDir = resolve(here, '..', '..', process.env.WEB_BUILD_DIR ?? 'build-web');

export const engine = process.env.TOBARIN_BROWSER ?? 'chromium';
const drivers = ['chromium', 'firefox', 'webkit'];
if (!drivers.includes(engine)) {
  throw new Error(`TOBARIN_BROWSER=${engine}: use one of ${drivers.join(', ')}`);
}
const driver = await import(`./${engine}.js`);

// What a driver cannot do, as a reason to skip what needs it; and Chromium's
// DevTools protocol, where the driver has it.
export const { limits, withDevTools } = driver;

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.woff2': 'font/woff2', '.svg': 'image/svg+xml',
  '.png': 'image/png', '.webmanifest': 'application/manifest+json', '.txt': 'text/plain',
};

// Serves the build folder (dist/ and the benchmark's page) at 127.0.0.1 on a
// free port, as any static server would. With offline set, every request is
// dropped unanswered, as when the network is cut. With alter set, a text
// file (HTML, CSS, JavaScript, plain text) is sent as alter(path, text)
// returns it; other files as they are. downloads counts the files
// sent, by path, whoever asked for them.
export async function serveSite() {
  const sockets = new Set();
  const site = {
    offline: false,
    alter: null,
    downloads: new Map(),
    close: () => new Promise((done) => {
      for (const socket of sockets) socket.destroy();
      server.close(done);
    }),
  };
  const server = createServer((request, response) => {
    if (site.offline) {
      request.socket.destroy();
      return;
    }
    const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    if (path === driver.framePath) {
      // An empty page of the site's origin, for a driver that shows the site
      // in a frame of a phone's size.
      response.writeHead(200, { 'Content-Type': types['.html'] });
      response.end('<!doctype html><title>frame</title><body style="margin:0">');
      return;
    }
    let file = normalize(join(buildDir, path));
    if (file.endsWith('/')) file = join(file, 'index.html');
    if (!file.startsWith(buildDir) || !existsSync(file) || !statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    site.downloads.set(path, (site.downloads.get(path) ?? 0) + 1);
    // The validator a static server sends: without one WebKit keeps no
    // style sheet or font in its HTTP cache.
    const type = types[extname(file)] ?? 'application/octet-stream';
    response.writeHead(200, { 'Content-Type': type, 'Last-Modified': statSync(file).mtime.toUTCString() });
    if (site.alter && type.startsWith('text/')) response.end(site.alter(path, readFileSync(file, 'utf8')));
    else createReadStream(file).pipe(response);
  });
  server.on('connection', (socket) => {
    sockets.add(socket);
    socket.on('close', () => sockets.delete(socket));
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  site.origin = `http://127.0.0.1:${server.address().port}`;
  site.url = `${site.origin}/dist/`;
  return site;
}

// Settles as promise does, or fails plainly once ms have gone by without an
// answer: for a driver's command that a closing window may leave unanswered.
export async function inTime(promise, ms, what) {
  let timer;
  const late = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`${what}: nothing after ${ms} ms`)), ms);
  });
  try {
    return await Promise.race([promise, late]);
  } finally {
    clearTimeout(timer);
  }
}

// An engine's browser (the one TOBARIN_BROWSER picks unless named), started
// afresh. A page opens with a viewport, a scale and, with httpCache set, a
// browser that keeps an HTTP cache, as a visitor's does (each engine's own
// browser but WebKit's driven MiniBrowser does). options go to the engine's
// driver (Chromium's takes more switches as args).
export async function launchBrowser(name = engine, options = {}) {
  const browser = await (name === engine ? driver : await import(`./${name}.js`)).launch(options);
  return {
    async open(options = {}) {
      return new Page(await browser.open({ viewport: { width: 1024, height: 700 }, ...options }));
    },
    close: () => browser.close(),
  };
}

// A page as it is driven: the driver's calls, and what is built on them.
export class Page {
  #page;

  constructor(page) {
    this.#page = page;
    this.mouse = page.mouse;
  }

  goto(url) { return this.#page.goto(url); }
  evaluate(fn, ...args) { return this.#page.evaluate(fn, ...args); }
  press(keys) { return this.#page.press(keys); }
  type(text) { return this.#page.type(text); }
  preload(fn) { return this.#page.preload(fn); }
  // Resolves when the page's window has closed; fails after ms.
  closed(ms = 10000) { return inTime(this.#page.closed(), ms, 'the window to close'); }
  visitOtherTab() { return this.#page.visitOtherTab(); }
  screenshot(file) { return this.#page.screenshot(file); }
  pdf(file) { return this.#page.pdf(file); }
  close() { return this.#page.close(); }

  // Reloads the page, as the browser's button does; waits for the new
  // document. (Started a task later, so that the call returns first.)
  async reload() {
    await this.evaluate(() => { window.reloading = true; setTimeout(() => location.reload()); });
    await this.waitFor(() => !window.reloading);
  }

  // Back in the history, as the browser's back button goes.
  back() {
    return this.evaluate(() => { setTimeout(() => history.back()); });
  }

  // The page of a window that action opens; fails when none has opened after ms.
  async openedWindow(action, ms = 10000) {
    return new Page(await inTime(this.#page.openedWindow(action), ms, 'a window to open'));
  }

  // The selector of the one element of a role and accessible name.
  async byRole(role, name, within) {
    return `[data-found="${await this.#page.findByRole(role, name, within)}"]`;
  }

  // Waits until fn, run in the page, returns something true (and returns it;
  // JSON, not an element, which not every driver hands back):
  // each animation frame for five seconds, through navigations.
  waitFor(fn, ...args) {
    return this.#waitFor(5000, fn, args);
  }

  async #waitFor(ms, fn, args) {
    const until = Date.now() + ms;
    for (;;) {
      try {
        const result = await this.#page.evaluate(fn, ...args);
        if (result) return result;
      } catch (error) {
        if (Date.now() > until) throw error;  // a page between documents
      }
      if (Date.now() > until) throw new Error(`timed out waiting for ${fn}`);
      await sleep(16);
    }
  }

  // The engine loaded and the focus on the window: the calculator is ready;
  // and its style sheet in, since WebKit may run the page's script, and so
  // the page may mark itself ready, before it has the styles to lay it out.
  // A browser starting on a busy machine may take longer than a step.
  ready() {
    return this.#waitFor(15000, () => document.documentElement.hasAttribute('data-ready')
      && [...document.querySelectorAll('link[rel="stylesheet"]')].every((link) => link.sheet), []);
  }

  // Reads of one element, by selector.
  #read(selector, what) {
    return this.evaluate((s, w) => {
      const element = document.querySelector(s);
      if (!element) throw new Error(`no element ${s}`);
      switch (w) {
        case 'box': {
          const { x, y, width, height } = element.getBoundingClientRect();
          return { x, y, width, height };
        }
        case 'visible': return element.checkVisibility() && element.getClientRects().length > 0;
        case 'focus': return element.focus();
        default: return element[w];
      }
    }, selector, what);
  }

  text(selector) { return this.#read(selector, 'textContent'); }
  innerText(selector) { return this.#read(selector, 'innerText'); }
  value(selector) { return this.#read(selector, 'value'); }
  checked(selector) { return this.#read(selector, 'checked'); }
  disabled(selector) { return this.#read(selector, 'disabled'); }
  visible(selector) { return this.#read(selector, 'visible'); }
  box(selector) { return this.#read(selector, 'box'); }
  focus(selector) { return this.#read(selector, 'focus'); }
  attribute(selector, name) {
    return this.evaluate((s, n) => document.querySelector(s).getAttribute(n), selector, name);
  }
  count(selector) {
    return this.evaluate((s) => document.querySelectorAll(s).length, selector);
  }
  focused() {
    return this.evaluate(() => document.activeElement?.dataset.control ?? '');
  }

  // Clicks the middle of an element as a person does, once it is shown and
  // nothing lies over it there; scrolled into view first where needed.
  async click(selector) {
    const at = await this.waitFor((s) => {
      const element = document.querySelector(s);
      if (!element?.checkVisibility()) return null;
      element.scrollIntoView({ block: 'nearest', inline: 'nearest' });
      const { x, y, width, height } = element.getBoundingClientRect();
      const middle = [x + width / 2, y + height / 2];
      const hit = document.elementFromPoint(...middle);
      return width > 0 && height > 0 && element.contains(hit) ? middle : null;
    }, selector);
    await this.mouse.click(...at);
  }

  // Replaces the text of a field with text, as typed.
  async fill(selector, text) {
    await this.click(selector);
    await this.press('Control+A');
    if (text) await this.type(text);
    else await this.press('Delete');
  }

  // What the clipboard holds, as Control+V pastes it into a box of the test's own.
  async clipboard() {
    await this.evaluate(() => {
      const box = document.body.appendChild(document.createElement('textarea'));
      box.id = 'test-clipboard';
      box.focus();
    });
    await this.press('Control+V');
    return this.evaluate(() => {
      const box = document.getElementById('test-clipboard');
      box.remove();
      return box.value;
    });
  }

  // The files the document fetched, by path: the document and every
  // resource, one entry a download, in the order they started.
  fetched() {
    return this.evaluate(() => performance.getEntriesByType('navigation')
      .concat(performance.getEntriesByType('resource'))
      .map((entry) => new URL(entry.name).pathname));
  }
}
