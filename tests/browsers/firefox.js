// Debian's Firefox ESR, headless, driven by puppeteer-core over WebDriver
// BiDi (no geckodriver): the calls of the page that site.js describes.

import puppeteer from 'puppeteer-core';
import { wrapPage } from './puppeteer-page.js';

export const limits = {
  devTools: 'Chromium\'s DevTools protocol (the manifest as read, installability) is Chromium\'s own',
  pdf: 'printing to PDF is Chromium\'s own among the drivers here (WebDriver BiDi\'s is not in puppeteer for Firefox)',
  fakeCamera: 'a fake camera playing a video file is Chromium\'s own switch among the drivers here',
};

const pdf = () => { throw new Error(limits.pdf); };

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
      return wrapPage(page, { pdf });
    },
    close: () => browser.close(),
  };
}
