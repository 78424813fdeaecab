// Debian's Chromium, headless, driven by puppeteer-core over its DevTools
// protocol: the calls of the page that site.js describes.

import puppeteer from 'puppeteer-core';
import { wrapPage } from './puppeteer-page.js';

const launchArgs = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

export const limits = {};

const start = (options = {}) => puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true, args: launchArgs, ...options,
});

const pdf = (page, path) => page.pdf({ path, preferCSSPageSize: true, printBackground: true });

// Chromium's DevTools protocol, for what only it can tell (the manifest as
// Chromium reads it, whether the app can be installed): puppeteer's page, in
// a profile of its own, since a browser context of its own is incognito and
// cannot install.
export async function withDevTools(profile, action) {
  const browser = await start({ userDataDir: profile });
  try {
    const page = await browser.newPage();
    return await action(page, () => page.createCDPSession());
  } finally {
    await browser.close();
  }
}

// args: more of Chromium's switches (a fake camera, for one).
export async function launch({ args = [] } = {}) {
  const browser = await start({ args: [...launchArgs, ...args] });
  const devTools = await browser.target().createCDPSession();
  return {
    async open({ viewport, scale = 1 }) {
      // A browser context of its own: its own cookies, cache and service
      // workers; the clipboard open to the page, as a visitor allows it.
      const context = await browser.createBrowserContext();
      await devTools.send('Browser.grantPermissions', {
        browserContextId: context.id,
        permissions: ['clipboardReadWrite', 'clipboardSanitizedWrite'],
      });
      const page = await context.newPage();
      page.setDefaultTimeout(5000);
      await page.setViewport({ ...viewport, deviceScaleFactor: scale });
      return wrapPage(page, { pdf });
    },
    close: () => browser.close(),
  };
}
