// The view 「クラスの結果」 (#results): loaded only when the address names it;
// the fixed file of codes pasted gives a table for each set, the lines that
// do not read named, and a CSV download with its byte-order mark. A camera
// showing a code's QR code adds the code, with the network cut once the
// service worker has the site: Chromium's fake camera playing a video, a
// painted canvas's stream in the others.

import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { test } from 'node:test';
import { buildDir, launchBrowser, limits, serveSite, sharedBrowser } from './support.js';

const shared = sharedBrowser();
const codes = readFileSync(new URL('../cli/results_codes.txt', import.meta.url), 'utf8');
const results = (name) => `.results [data-results="${name}"]`;

// Opens #results in a page that has started without it.
async function openResults(page) {
  await page.evaluate(() => { location.hash = '#results'; });
  await page.waitFor(() => document.querySelector('.results')?.checkVisibility()
    && document.querySelector('.results-tables') !== null);
}

// The cells of a set's table, a row an array.
function tableOf(page, set) {
  return page.evaluate((code) => [...document.querySelectorAll(`[data-set="${code}"] tr`)]
    .map((row) => [...row.cells].map((cell) => cell.textContent)), set);
}

test('pasted codes make each set\'s table, name the bad lines and download as CSV', async (t) => {
  const page = await shared.fresh(t);
  const loaded = () => page.fetched().then((paths) => paths.filter((path) => /results|zxing/.test(path)));
  assert.deepEqual(await loaded(), []);
  await openResults(page);
  await page.evaluate((text) => {
    const box = document.getElementById('results-codes');
    box.value = text;
    box.dispatchEvent(new InputEvent('input', { bubbles: true, inputType: 'insertFromPaste' }));
  }, codes);
  await page.waitFor(() => document.querySelectorAll('.results-set').length === 2);
  assert.ok((await loaded()).every((path) => !path.includes('zxing')), 'the decoder waits for the camera');

  const unlike = await tableOf(page, 'p1:5-unlike:2:4:12');
  assert.deepEqual(unlike[0], ['出席番号', '正解', '1回目で正解', '時間', '(1)', '(2)', '(3)', '(4)']);
  assert.deepEqual(unlike[1], ['1', '3/4', '1', '5分11秒', '△', '○', '△', '×']);
  assert.deepEqual(unlike[6], ['1回目で正解の割合', '60%', '80%', '20%', '40%']);
  assert.deepEqual((await tableOf(page, 'p1:6-divide:1:3:9'))[1], ['7', '3/3', '3', '5分38秒', '○', '○', '○']);
  assert.match(await page.text('[data-set="p1:5-unlike:2:4:12"] .results-mistakes li'),
    /^通分するとき、分子にも分母と同じ数をかけましたか。 3人 \(1\)\(3\)\(4\)$/);
  const notes = await page.evaluate(() => [...document.querySelectorAll('.results-notes li')]
    .map((item) => [item.className, item.textContent.slice(0, 4)]));
  assert.deepEqual(notes, [['results-skipped', '5行目:'], ['results-note', '8行目:'], ['results-skipped', '10行目']]);

  // The file the page hands the browser to save, and the name it gives it.
  await page.evaluate(() => {
    const made = URL.createObjectURL;
    let blob = null;
    URL.createObjectURL = (object) => { blob = object; return made.call(URL, object); };
    window.saved = new Promise((resolve) => document.addEventListener('click', (event) => {
      const link = event.target;
      if (!(link instanceof HTMLAnchorElement) || !link.download) return;
      event.preventDefault();
      blob.arrayBuffer().then((bytes) => resolve({ name: link.download, bytes: [...new Uint8Array(bytes)] }));
    }, { capture: true }));
  });
  await page.click(results('csv'));
  const { name, bytes } = await page.evaluate(() => window.saved);
  assert.equal(name, 'クラスの結果.csv');
  assert.deepEqual(bytes.slice(0, 3), [0xEF, 0xBB, 0xBF]);
  const csv = Buffer.from(bytes).toString('utf8');
  assert.ok(csv.includes('\r\np1:5-unlike:2:4:12,4,3,3,295,○,○,"×(unfinished,not-scaled)",○\r\n'), csv);
  assert.ok(csv.endsWith('p1:6-divide:1:3:9,7,3,3,338,○,○,○\r\n'));
});

// The dark modules of a QR code of text, a row a string of 0 and 1.
async function qrModules(text) {
  const { default: qrcodegen } = await import(pathToFileURL(join(buildDir, 'dist', 'qrcodegen.js')));
  const code = qrcodegen.QrCode.encodeText(text, qrcodegen.QrCode.Ecc.MEDIUM);
  return Array.from({ length: code.size },
    (_, y) => Array.from({ length: code.size }, (__, x) => (code.getModule(x, y) ? '1' : '0')).join(''));
}

const [Width, Height, Scale] = [320, 240, 6];

// A video of the code as Chromium's fake camera plays it: Y4M, 4:2:0, a few
// still frames.
function qrVideo(file, modules) {
  const side = modules.length * Scale;
  const [left, top] = [(Width - side) / 2, (Height - side) / 2];
  const luma = Buffer.alloc(Width * Height, 235);
  for (let y = 0; y < side; ++y) {
    for (let x = 0; x < side; ++x) {
      if (modules[Math.floor(y / Scale)][Math.floor(x / Scale)] === '1') luma[(top + y) * Width + left + x] = 16;
    }
  }
  const frame = Buffer.concat([Buffer.from('FRAME\n'), luma, Buffer.alloc(Width * Height / 2, 128)]);
  writeFileSync(file, Buffer.concat([Buffer.from(`YUV4MPEG2 W${Width} H${Height} F10:1 Ip A1:1 C420jpeg\n`),
    ...Array(10).fill(frame)]));
}

// Elsewhere the camera is a canvas painting the code, as a stream.
function paintedCamera(page, modules) {
  return page.evaluate((rows, [width, height, scale]) => {
    const canvas = Object.assign(document.createElement('canvas'), { width, height });
    const context = canvas.getContext('2d');
    const paint = () => {
      context.fillStyle = '#fff';
      context.fillRect(0, 0, width, height);
      context.fillStyle = '#000';
      const [left, top] = [(width - rows.length * scale) / 2, (height - rows.length * scale) / 2];
      rows.forEach((row, y) => [...row].forEach((dark, x) => {
        if (dark === '1') context.fillRect(left + x * scale, top + y * scale, scale, scale);
      }));
    };
    paint();
    setInterval(paint, 100);
    const stream = canvas.captureStream(10);
    Object.defineProperty(navigator, 'mediaDevices', { configurable: true, value: { getUserMedia: async () => stream } });
    document.querySelector('.results [data-results="camera"]').hidden = false;
  }, modules, [Width, Height, Scale]);
}

test('a QR code before the camera adds its code, with the network cut', async (t) => {
  const folder = mkdtempSync(join(tmpdir(), 'tobarin-camera-'));
  t.after(() => rmSync(folder, { recursive: true, force: true }));
  const code = codes.split('\n')[8].trim();  // p1:6-divide:1:3:9, 出席番号 7
  const modules = await qrModules(code);
  const video = join(folder, 'qr.y4m');
  const fakeCamera = !limits.fakeCamera;
  if (fakeCamera) qrVideo(video, modules);
  const site = await serveSite();
  t.after(() => site.close());
  const browser = await launchBrowser(undefined, fakeCamera ? { args: ['--use-fake-device-for-media-stream',
    '--use-fake-ui-for-media-stream', `--use-file-for-fake-video-capture=${video}`] } : {});
  const page = await browser.open();
  t.after(() => page.close().finally(() => browser.close()));
  await page.goto(site.url);
  await page.ready();
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  site.offline = true;
  await page.reload();
  await page.ready();
  await openResults(page);
  if (!fakeCamera) await paintedCamera(page, modules);
  await page.click(results('camera'));
  await page.waitFor(() => document.querySelectorAll('.results-set').length === 1);
  assert.equal(await page.value('#results-codes'), `${code}\n`);
  assert.deepEqual((await tableOf(page, 'p1:6-divide:1:3:9'))[1], ['7', '3/3', '3', '5分38秒', '○', '○', '○']);
  await page.click(results('stop-camera'));
});
