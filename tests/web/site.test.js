// The site as a whole: nothing requested from another origin and nothing the
// Content-Security-Policy refuses, a reload with the network cut once the
// service worker is active, a message where the engine cannot run, the
// manifest as Chromium reads it, and what a cold load downloads, the service
// worker's downloads included: each file once, within a budget.

import assert from 'node:assert/strict';
import { mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { gzipSync } from 'node:zlib';
import {
  answer, buildDir, control, lacks, serveSite, sharedBrowser, type, withDevTools,
} from './support.js';

const shared = sharedBrowser();

// Calculates 1/2 + 1/3 and opens and closes the About box.
async function use(page) {
  await type(page, 'Text1(1)', '1');
  await type(page, 'Text1(0)', '2');
  await type(page, 'Text2(1)', '1');
  await type(page, 'Text2(0)', '3');
  await page.click(control('Command1'));
  assert.equal(await answer(page), '||5/6|bar');
  await page.click(control('FileBer'));
  await page.press('Escape');
}

// A page of the calculator loaded with an empty cache, its fonts drawn.
async function coldLoad(t, site, before, options) {
  const page = await shared.browser.open(options);
  t.after(() => page.close());
  await before?.(page);
  await page.goto(site.url);
  await page.ready();
  await page.waitFor(() => document.readyState === 'complete');
  await page.evaluate(() => document.fonts.ready.then(() => true));
  return page;
}

test('everything comes from the page\'s origin', async (t) => {
  const page = await coldLoad(t, shared.site);
  await use(page);
  const requests = await page.evaluate(() => performance.getEntriesByType('navigation')
    .concat(performance.getEntriesByType('resource')).map((entry) => entry.name));
  assert.ok(requests.length >= 3);  // the page, its styles and its font at least
  assert.deepEqual(requests.filter((url) => !url.startsWith(`${shared.site.origin}/`)), []);
  const policy = await page.attribute('meta[http-equiv="Content-Security-Policy"]', 'content');
  assert.match(policy, /default-src 'self'/);
  assert.doesNotMatch(policy, /unsafe-inline|https?:/);
});

test('the Content-Security-Policy refuses nothing', async (t) => {
  if (lacks(t, 'preload')) return;
  const page = await coldLoad(t, shared.site, (p) => p.preload(() => {
    window.violations = [];
    document.addEventListener('securitypolicyviolation',
      (event) => window.violations.push(`${event.violatedDirective} ${event.blockedURI}`));
  }));
  await use(page);
  assert.deepEqual(await page.evaluate(() => window.violations), []);
});

test('once the service worker is active, the page works with the network cut', async (t) => {
  // A site of its own, to be cut.
  const site = await serveSite();
  t.after(() => site.close());
  const page = await coldLoad(t, site);
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  site.offline = true;
  await page.reload();
  await page.ready();
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

test('a browser that cannot run the engine gets a message, not a window that never answers', async (t) => {
  // A site of its own whose page carries an engine that cannot be compiled.
  const site = await serveSite();
  t.after(() => site.close());
  site.alter = (path, text) => (path === '/dist/' ? text.replace(/(id="engine">)[^<]*/, '$1AAAA') : text);
  const page = await shared.browser.open();
  t.after(() => page.close());
  await page.goto(site.url);
  const box = 'dialog[data-control="MsgBox"]';
  await page.waitFor((s) => document.querySelector(s).open, box);
  assert.match(await page.evaluate((s) => document.querySelector(s).textContent, box), /WebAssembly が使えません/);
  assert.equal(await page.evaluate(() => document.documentElement.hasAttribute('data-ready')), false);
});

test('Chromium reads the manifest without errors and can install the app', async (t) => {
  if (lacks(t, 'devTools')) return;
  const profile = mkdtempSync(join(tmpdir(), 'tobarin-profile-'));
  t.after(() => rmSync(profile, { recursive: true, force: true }));
  await withDevTools(profile, async (page, devTools) => {
    await page.goto(shared.site.url);
    await page.waitForSelector('html[data-ready]');
    await page.evaluate(() => navigator.serviceWorker.ready);
    const cdp = await devTools();
    const manifest = await cdp.send('Page.getAppManifest');
    assert.deepEqual(manifest.errors, []);
    const parsed = JSON.parse(manifest.data);
    assert.equal(parsed.lang, 'ja');
    assert.equal(parsed.display, 'standalone');
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
  });
});

test('a cold load downloads each file once, the service worker\'s included, within its transfer budget', async (t) => {
  // A site of its own, whose downloads are the page's and its worker's only.
  const site = await serveSite();
  t.after(() => site.close());
  // A browser with an HTTP cache, as a visitor's is.
  const page = await coldLoad(t, site, null, { httpCache: true });
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  const fetched = await page.fetched();
  assert.deepEqual(fetched.filter((path, i) => fetched.indexOf(path) !== i), [], 'fetched twice');
  assert.deepEqual([...site.downloads].filter(([, times]) => times > 1), [], 'downloaded twice');
  // The worker has kept every file, some of which the page never asked for.
  assert.ok(site.downloads.has('/dist/fonts/IPA_Font_License.txt'));
  // The engine and the page's script come in the page itself (the worker's
  // own script aside, which WebKit counts among the page's).
  assert.deepEqual(fetched.filter((path) => /\.(wasm|js)$/.test(path) && !path.endsWith('/sw.js')), []);
  const gzipped = (path) => gzipSync(readFileSync(join(buildDir, path)), { level: 9 }).length;
  // The icons are the browser's to fetch, for its tab or a home screen, when
  // it likes (Firefox at once, Chromium not): they are left out of the budget.
  const total = [...new Set(fetched)].filter((path) => !path.startsWith('/dist/icons/'))
    .map((path) => gzipped(path.endsWith('/') ? `${path}index.html` : path))
    .reduce((a, b) => a + b, 0);
  // The calculator's engine in base64 in the page, for a page that starts
  // with nothing more to fetch; the working window's and practice's engine
  // come when first needed. The Mincho face holds only what the page first
  // draws in it.
  assert.ok(total <= 100 * 1000, `${total} bytes gzip-compressed: ${JSON.stringify(fetched)}`);
});
