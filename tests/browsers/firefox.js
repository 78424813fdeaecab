// Debian's Firefox ESR, headless, driven by puppeteer-core over WebDriver
// BiDi (no geckodriver): the calls of the page that site.js describes.

import puppeteer from 'puppeteer-core';

export const limits = {
  devTools: 'Chromium\'s DevTools protocol (the manifest as read, installability) is Chromium\'s own',
  pdf: 'printing to PDF is Chromium\'s own among the drivers here (WebDriver BiDi\'s is not in puppeteer for Firefox)',
};

let marks = 0;

// Playwright's names of the keys, as puppeteer names them.
const keyNames = { Space: ' ' };

function wrap(page) {
  return {
    goto: (url) => page.goto(url),
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    mouse: {
      click: (x, y) => page.mouse.click(x, y),
      move: (x, y) => page.mouse.move(x, y),
      down: () => page.mouse.down(),
      up: () => page.mouse.up(),
    },
    async press(keys) {
      const [key, ...held] = keys.split('+').reverse();
      for (const modifier of held) await page.keyboard.down(modifier);
      await page.keyboard.press(keyNames[key] ?? (key.length === 1 ? key.toLowerCase() : key));
      for (const modifier of held.reverse()) await page.keyboard.up(modifier);
    },
    type: (text) => page.keyboard.type(text),
    async findByRole(role, name, within) {
      const scope = within ? await page.$(within) : page;
      const found = await scope.$$(`::-p-aria(${name}[role="${role}"])`);
      if (found.length !== 1) throw new Error(`${found.length} elements of role ${role} named ${name}`);
      const mark = `${++marks}`;
      await found[0].evaluate((element, m) => element.setAttribute('data-found', m), mark);
      return mark;
    },
    async openedWindow(action) {
      const opened = page.browserContext().waitForTarget(
        (target) => target.type() === 'page' && target !== page.target());
      await action();
      return wrap(await (await opened).page());
    },
    closed: () => (page.isClosed() ? Promise.resolve()
      : new Promise((resolve) => { page.once('close', resolve); })),
    async visitOtherTab() {
      const other = await page.browserContext().newPage();
      await other.bringToFront();
      await page.bringToFront();
    },
    preload: (fn) => page.evaluateOnNewDocument(fn),
    screenshot: (path) => page.screenshot({ path }),
    pdf: () => { throw new Error(limits.pdf); },
    close: () => page.browserContext().close(),
  };
}

export async function launch() {
  const browser = await puppeteer.launch({
    browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
  });
  return {
    async open({ viewport, scale = 1 }) {
      // A user context of its own: its own cookies, cache and service workers.
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      page.setDefaultTimeout(5000);
      await page.setViewport({ ...viewport, deviceScaleFactor: scale });
      return wrap(page);
    },
    close: () => browser.close(),
  };
}
