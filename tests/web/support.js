// What the browser tests share: the built site served from this process,
// Debian's Chromium driven by playwright-core, and the window's controls found
// by their data-control names.

import { createReadStream, existsSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { dirname, extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before } from 'node:test';
import { chromium } from 'playwright-core';

const here = dirname(fileURLToPath(import.meta.url));
export const buildDir = resolve(here, '../..', process.env.WEB_BUILD_DIR ?? 'build-web');

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.woff2': 'font/woff2', '.svg': 'image/svg+xml',
  '.png': 'image/png', '.webmanifest': 'application/manifest+json', '.txt': 'text/plain',
};

// Serves the build folder (dist/ and the benchmark's page) at 127.0.0.1 on a
// free port, as any static server would.
export async function serveSite() {
  const server = createServer((request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    let file = normalize(join(buildDir, path));
    if (file.endsWith('/')) file = join(file, 'index.html');
    if (!file.startsWith(buildDir) || !existsSync(file) || !statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' });
    createReadStream(file).pipe(response);
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return {
    url: `http://127.0.0.1:${server.address().port}/dist/`,
    origin: `http://127.0.0.1:${server.address().port}`,
    close: () => new Promise((done) => { server.closeAllConnections(); server.close(done); }),
  };
}

export const launchArgs = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// Debian's Chromium, headless, with a fresh profile (playwright's own).
export function launchBrowser() {
  return chromium.launch({ executablePath: '/usr/bin/chromium', args: launchArgs });
}

// The site and a browser shared by the tests of one file: started before the
// first test and closed after the last. fresh(t) opens a page of the
// calculator for a test, closed when the test ends.
export function sharedBrowser() {
  const shared = {
    site: null,
    browser: null,
    async fresh(t, options) {
      const { context, page } = await openCalculator(shared.browser, shared.site, options);
      t.after(() => context.close());
      return page;
    },
  };
  before(async () => {
    shared.site = await serveSite();
    shared.browser = await launchBrowser();
  });
  after(async () => {
    await shared.browser?.close();
    await shared.site?.close();
  });
  return shared;
}

// A fresh page of the calculator, once its engine has loaded.
export async function openCalculator(browser, site, options = {}) {
  const context = await browser.newContext({ viewport: { width: 1024, height: 700 }, ...options });
  // Everything on the page happens within a few frames; fail fast otherwise.
  context.setDefaultTimeout(5000);
  const page = await context.newPage();
  await page.goto(site.url);
  await page.locator('html[data-ready]').waitFor({ state: 'attached' });
  return { context, page };
}

export const control = (page, name) => page.locator(`[data-control="${name}"]`);

// The answer as the desktop tests write it: sign|whole|numerator/denominator|bar.
export async function answer(page) {
  return page.evaluate(() => {
    const c = (name) => document.querySelector(`[data-control="${name}"]`);
    return `${c('Label1(3)').textContent}|${c('Label1(2)').textContent}|`
      + `${c('Label1(1)').textContent}/${c('Label1(0)').textContent}|`
      + `${c('Line3').hidden ? 'no bar' : 'bar'}`;
  });
}

// Types into a field as a person does: a click, then the keys.
export async function type(page, name, text) {
  await control(page, name).click();
  if (text) await page.keyboard.type(text);
}
