// Debian's Chromium, headless, driven by playwright-core: the calls of the
// page that site.js describes.

import { chromium } from 'playwright-core';

export const launchArgs = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

export const limits = {};

// Chromium's DevTools protocol, for what only it can tell (the manifest as
// Chromium reads it, whether the app can be installed); a profile of its own,
// since Playwright's contexts are incognito and cannot install.
export async function withDevTools(profile, action) {
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', args: launchArgs,
  });
  try {
    const page = await context.newPage();
    return await action(page, () => context.newCDPSession(page));
  } finally {
    await context.close();
  }
}

let marks = 0;

function wrap(page) {
  return {
    goto: (url) => page.goto(url),
    evaluate: (fn, ...args) => page.evaluate(`(${fn})(...${JSON.stringify(args)})`),
    mouse: {
      click: (x, y) => page.mouse.click(x, y),
      move: (x, y) => page.mouse.move(x, y),
      down: () => page.mouse.down(),
      up: () => page.mouse.up(),
    },
    press: (keys) => page.keyboard.press(keys),
    type: (text) => page.keyboard.type(text),
    async findByRole(role, name, within) {
      const mark = `${++marks}`;
      await (within ? page.locator(within) : page).getByRole(role, { name, exact: true })
        .evaluate((element, m) => element.setAttribute('data-found', m), mark);
      return mark;
    },
    async openedWindow(action) {
      const [opened] = await Promise.all([page.context().waitForEvent('page'), action()]);
      return wrap(opened);
    },
    closed: () => (page.isClosed() ? Promise.resolve() : page.waitForEvent('close')),
    async visitOtherTab() {
      const other = await page.context().newPage();
      await other.bringToFront();
      await page.bringToFront();
    },
    preload: (fn) => page.addInitScript(fn),
    screenshot: (path) => page.screenshot({ path }),
    pdf: (path) => page.pdf({ path, preferCSSPageSize: true, printBackground: true }),
    close: () => page.context().close(),
  };
}

export async function launch() {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: launchArgs });
  return {
    async open({ viewport, scale = 1 }) {
      const context = await browser.newContext({ viewport, deviceScaleFactor: scale });
      context.setDefaultTimeout(5000);
      await context.grantPermissions(['clipboard-read', 'clipboard-write']);
      return wrap(await context.newPage());
    },
    close: () => browser.close(),
  };
}
