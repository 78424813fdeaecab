// The site as a whole: nothing requested from another origin and nothing the
// Content-Security-Policy refuses, a reload with the network cut once the
// service worker is active, the manifest as Chromium reads it, and what a
// cold load transfers.

import assert from 'node:assert/strict';
import { mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { gzipSync } from 'node:zlib';
import { chromium } from 'playwright-core';
import {
  answer, buildDir, control, launchArgs, openCalculator, sharedBrowser, type,
} from './support.js';

const shared = sharedBrowser();

// Calculates 1/2 + 1/3 and opens and closes the About box.
async function use(page) {
  await type(page, 'Text1(1)', '1');
  await type(page, 'Text1(0)', '2');
  await type(page, 'Text2(1)', '1');
  await type(page, 'Text2(0)', '3');
  await control(page, 'Command1').click();
  assert.equal(await answer(page), '||5/6|bar');
  await control(page, 'FileBer').click();
  await page.keyboard.press('Escape');
}

test('everything comes from the page\'s origin and the policy refuses nothing', async (t) => {
  const context = await shared.browser.newContext();
  t.after(() => context.close());
  const requests = [];
  context.on('request', (request) => requests.push(request.url()));
  await context.addInitScript(() => {
    window.violations = [];
    document.addEventListener('securitypolicyviolation',
      (event) => window.violations.push(`${event.violatedDirective} ${event.blockedURI}`));
  });
  const page = await context.newPage();
  await page.goto(shared.site.url);
  await page.locator('html[data-ready]').waitFor({ state: 'attached' });
  await page.evaluate(() => document.fonts.ready);
  await use(page);
  assert.deepEqual(await page.evaluate(() => window.violations), []);
  assert.ok(requests.length > 5);
  assert.deepEqual(requests.filter((url) => !url.startsWith(`${shared.site.origin}/`)), []);
  const policy = await page.locator('meta[http-equiv="Content-Security-Policy"]')
    .getAttribute('content');
  assert.match(policy, /default-src 'self'/);
  assert.doesNotMatch(policy, /unsafe-inline|https?:/);
});

test('once the service worker is active, the page works with the network cut', async (t) => {
  const { context, page } = await openCalculator(shared.browser, shared.site);
  t.after(() => context.close());
  await page.evaluate(() => navigator.serviceWorker.ready);
  await context.setOffline(true);
  await page.reload();
  await page.locator('html[data-ready]').waitFor({ state: 'attached' });
  assert.equal(await page.evaluate(() => !!navigator.serviceWorker.controller), true);
  await use(page);
  // Every file of the build is in the cache.
  const cached = await page.evaluate(async () => {
    const names = await caches.keys();
    const cache = await caches.open(names.find((name) => name.startsWith('tobarin-')));
    return (await cache.keys()).map((request) => new URL(request.url).pathname);
  });
  const files = (function list(folder) {
    return readdirSync(folder).flatMap((name) => {
      const path = join(folder, name);
      return statSync(path).isDirectory() ? list(path) : [path.slice(buildDir.length)];
    });
  }(join(buildDir, 'dist'))).filter((path) => path !== '/dist/sw.js');
  for (const file of files) assert.ok(cached.includes(file), `${file} cached`);
});

test('Chromium reads the manifest without errors and can install the app', async (t) => {
  // Installing needs a profile of its own: Playwright's contexts are incognito.
  const profile = mkdtempSync(join(tmpdir(), 'tobarin-profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', args: launchArgs,
  });
  t.after(async () => {
    await context.close();
    rmSync(profile, { recursive: true, force: true });
  });
  const page = await context.newPage();
  await page.goto(shared.site.url);
  await page.locator('html[data-ready]').waitFor({ state: 'attached' });
  await page.evaluate(() => navigator.serviceWorker.ready);
  const cdp = await context.newCDPSession(page);
  const manifest = await cdp.send('Page.getAppManifest');
  assert.deepEqual(manifest.errors, []);
  const parsed = JSON.parse(manifest.data);
  assert.equal(parsed.lang, 'ja');
  assert.equal(parsed.display, 'standalone');
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
});

test('a cold load stays within its transfer budget', async (t) => {
  const context = await shared.browser.newContext();
  t.after(() => context.close());
  const page = await context.newPage();
  const loaded = [];
  page.on('requestfinished', (request) => loaded.push(new URL(request.url()).pathname));
  await page.goto(shared.site.url);
  await page.locator('html[data-ready]').waitFor({ state: 'attached' });
  await page.evaluate(() => document.fonts.ready);
  const gzipped = (path) => gzipSync(readFileSync(join(buildDir, path)), { level: 9 }).length;
  const total = [...new Set(loaded)].map((path) => gzipped(path.endsWith('/') ? `${path}index.html` : path))
    .reduce((a, b) => a + b, 0);
  assert.ok(total <= 150 * 1024, `${total} bytes gzip-compressed`);
  assert.ok(gzipped('/dist/tobarin.wasm') <= 60 * 1024);
});
