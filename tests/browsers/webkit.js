// WebKitGTK's MiniBrowser driven by WebKitWebDriver through selenium-webdriver
// (classic WebDriver): the calls of the page that site.js describes. It
// draws on an X display: run the tests under xvfb-run.

import { spawn } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { fileURLToPath } from 'node:url';
import { Builder, By, Key } from 'selenium-webdriver';
import { Origin } from 'selenium-webdriver/lib/input.js';

const MiniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
// A script the driver runs acts without a user's gesture: let it open a
// window, as the other drivers do.
const settings = ['--javascript-can-open-windows-automatically=true'];
// MiniBrowser, when driven, browses in an ephemeral session, which has no HTTP
// cache. A page opened with httpCache set is shown by a browser of our own
// (webkit-shell.py) that keeps its data in a fresh folder, as Safari keeps it.
const shell = fileURLToPath(new URL('webkit-shell.py', import.meta.url));
const browserOptions = (folder) => (folder
  ? { browserName: 'tobarin-webkit-shell', binary: shell, args: ['--automation', `--data=${folder}`] }
  : { browserName: 'MiniBrowser', binary: MiniBrowser, args: ['--automation', ...settings] });

// A script run while its document is being replaced, as when the history
// goes back, may never be answered, though the driver answers every command
// after it. A script not answered in time is given up with an error, which
// the waits of site.js take as a page between documents and try again.
const scriptAnswerMs = 3000;
function answered(script, what) {
  script.catch(() => {});  // an answer that comes after the error is dropped
  return Promise.race([script, sleep(scriptAnswerMs).then(() => {
    throw new Error(`no answer in ${scriptAnswerMs} ms to ${what}`);
  })]);
}

// Polls until check gives something, for five seconds unless told.
async function poll(check, what, ms = 5000) {
  for (const until = Date.now() + ms; Date.now() < until; await sleep(16)) {
    const result = await check();
    if (result) return result;
  }
  throw new Error(`timed out waiting for ${what}`);
}

export const limits = {
  devTools: 'Chromium\'s DevTools protocol (the manifest as read, installability) is Chromium\'s own',
  preload: 'classic WebDriver cannot run a script in a document before the document\'s own',
  scale: 'MiniBrowser draws at the X display\'s scale only',
  pdf: 'WebKitWebDriver does not print pages',
  fakeCamera: 'a fake camera playing a video file is Chromium\'s own switch among the drivers here',
};

// MiniBrowser's window is never narrower than 447 px: a page narrower than
// 450 (a phone's) is shown in a frame of its size, at the top left of an
// empty page of the site's origin that the site's server gives at framePath.
// The frame is the page's viewport: its media queries, container units and
// innerWidth are the frame's. Pointer positions are the same in both, as the
// frame starts at (0, 0) with no border and nothing scrolls around it.
const narrowest = 450;
export const framePath = '/frame-for-a-phone';

// The names of the keys that site.js uses (Playwright's), as WebDriver codes them.
const keyNames = {
  Tab: Key.TAB, Shift: Key.SHIFT, Control: Key.CONTROL, Alt: Key.ALT, Enter: Key.ENTER,
  Escape: Key.ESCAPE, Space: Key.SPACE, Backspace: Key.BACK_SPACE, Delete: Key.DELETE,
  Home: Key.HOME, End: Key.END, ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN,
  ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT,
};
const key = (name) => keyNames[name] ?? name.toLowerCase();

// Elements that may have a role: those with one given, and those whose
// element gives one.
const mayHaveRole = '[role], a[href], button, input, fieldset, hr, h1, h2, h3, h4, h5, h6, '
  + 'dialog, section, ol, ul, li, p, label, output, select, textarea';

let marks = 0;

// The processes whose parent is pid (the driver's browsers).
function children(pid) {
  return readdirSync('/proc').filter((name) => /^\d+$/.test(name)).filter((name) => {
    try {
      const stat = readFileSync(`/proc/${name}/stat`, 'utf8');
      return Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]) === pid;
    } catch {
      return false;  // gone meanwhile
    }
  }).map(Number);
}

async function freePort() {
  const server = createServer();
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  const { port } = server.address();
  await new Promise((done) => server.close(done));
  return port;
}

// One window of a session; the session's calls go to the window they name,
// and into its frame where the page is shown in one (of frame's size).
function wrap(driver, handle, session, frame = null) {
  // The window's own document, out of the frame.
  const top = async () => {
    if (session.current !== handle) {
      await driver.switchTo().window(handle);
      session.current = handle;
    } else if (session.inFrame) {
      await driver.switchTo().defaultContent();
    }
    session.inFrame = false;
    return driver;
  };
  const here = async () => {
    if (session.current === handle && (session.inFrame || !frame)) return driver;
    await top();
    if (frame) {
      await driver.switchTo().frame(await driver.findElement(By.css('iframe')));
      session.inFrame = true;
    }
    return driver;
  };
  const loaded = (d, url) => poll(() => answered(d.executeScript('return location.href === '
    + 'arguments[0] && document.readyState === "complete"', url), 'a check of the load')
    .catch(() => false), `${url} to load`, 15000);
  const actions = async () => (await here()).actions({ async: true });
  const at = (x, y) => ({ origin: Origin.VIEWPORT, x: Math.round(x), y: Math.round(y) });
  return {
    async goto(url) {
      if (!frame) {
        const d = await here();
        await d.get(url);
        await loaded(d, url);
        return;
      }
      const d = await top();
      const page = new URL(framePath, url).href;
      await d.get(page);
      await loaded(d, page);
      await d.executeScript(`const frame = document.createElement('iframe');
        frame.style = 'display: block; border: 0; width: ' + arguments[1] + 'px; height: '
          + arguments[2] + 'px';
        frame.src = arguments[0];
        document.body.append(frame);`, url, frame.width, frame.height);
      await loaded(await here(), url);
    },
    evaluate: async (fn, ...args) => answered(
      (await here()).executeScript(`return (${fn}).apply(null, arguments)`, ...args),
      `${fn}`.split('\n')[0]),
    mouse: {
      click: async (x, y) => (await actions()).move(at(x, y)).click().perform(),
      move: async (x, y) => (await actions()).move(at(x, y)).perform(),
      down: async () => (await actions()).press().perform(),
      up: async () => (await actions()).release().perform(),
    },
    async press(keys) {
      const [last, ...held] = keys.split('+').reverse();
      let chain = await actions();
      for (const modifier of held) chain = chain.keyDown(key(modifier));
      chain = chain.keyDown(key(last)).keyUp(key(last));
      for (const modifier of held.reverse()) chain = chain.keyUp(key(modifier));
      await chain.perform();
    },
    type: async (text) => (await actions()).sendKeys(text).perform(),
    async findByRole(role, name, within) {
      const d = await here();
      const scope = within ? await d.findElement(By.css(within)) : d;
      const found = [];
      for (const element of await scope.findElements(By.css(mayHaveRole))) {
        // The driver refuses elements it gives no role (hidden ones, for one).
        const has = (what) => what.then((value) => value, () => null);
        if (await has(element.getAriaRole()) === role
            && await has(element.getAccessibleName()) === name) {
          found.push(element);
        }
      }
      if (found.length !== 1) throw new Error(`${found.length} elements of role ${role} named ${name}`);
      const mark = `${++marks}`;
      await d.executeScript('arguments[0].setAttribute("data-found", arguments[1])', found[0], mark);
      return mark;
    },
    async openedWindow(action) {
      const d = await here();
      const before = await d.getAllWindowHandles();
      await action();
      const opened = await poll(async () => (await d.getAllWindowHandles())
        .find((h) => !before.includes(h)), 'a window to open');
      return wrap(driver, opened, session);  // a window of its own, never framed
    },
    closed: () => poll(async () => !(await driver.getAllWindowHandles()).includes(handle),
      'the window to close'),
    async visitOtherTab() {
      const d = await here();
      await d.switchTo().newWindow('tab');
      await d.switchTo().window(handle);
    },
    preload: () => { throw new Error(limits.preload); },
    pdf: () => { throw new Error(limits.pdf); },
    async screenshot(path) {
      const { writeFile } = await import('node:fs/promises');
      const d = await top();
      const shot = frame ? await (await d.findElement(By.css('iframe'))).takeScreenshot()
        : await d.takeScreenshot();
      await writeFile(path, Buffer.from(shot, 'base64'));
    },
    close: () => session.quit(),
  };
}

// Starts WebKitWebDriver on a free port; resolves once it answers.
async function startDriver() {
  const port = await freePort();
  const process = spawn('WebKitWebDriver', [`--port=${port}`], {
    stdio: ['ignore', 'ignore', 'inherit'],
  });
  const url = `http://127.0.0.1:${port}`;
  await poll(() => fetch(`${url}/status`).then(() => true, () => false), 'WebKitWebDriver');
  return { process, url };
}

// Stops the driver's browsers, then the driver.
function stopDriver({ process }) {
  for (const pid of children(process.pid)) globalThis.process.kill(pid, 'SIGKILL');
  process.kill();
}

export async function launch() {
  let server = await startDriver();
  const newSession = (viewport, folder) => {
    const { browserName, ...options } = browserOptions(folder);
    return new Builder().usingServer(server.url).withCapabilities({
      browserName,
      // The driver waits for no load: a page that the back/forward cache
      // restores fires none, and a command would wait for it until the page
      // load timeout. goto waits for its own load instead.
      pageLoadStrategy: 'none',
      'webkitgtk:browserOptions': options,
    }).build().then(async (driver) => {
      try {
        await fitViewport(driver, viewport);
      } catch (error) {
        await driver.quit();
        throw error;
      }
      return driver;
    });
  };
  return {
    // A session of its own for each page: a browser with no cache, no
    // service worker and no storage yet. Now and then the driver does not
    // answer a new session on this busy machine: it is then started again.
    async open({ viewport, scale = 1, httpCache = false }) {
      if (scale !== 1) throw new Error(limits.scale);
      const frame = viewport.width < narrowest ? viewport : null;
      const folder = httpCache ? mkdtempSync(join(tmpdir(), 'tobarin-webkit-')) : null;
      let driver;
      for (let tries = 0; !driver; ++tries) {
        const starting = newSession(frame ? { ...viewport, width: narrowest } : viewport, folder);
        driver = await Promise.race([starting, sleep(20000).then(() => null)]);
        if (driver) break;
        starting.catch(() => {});
        if (tries === 1) throw new Error('WebKitWebDriver started no session');
        stopDriver(server);
        server = await startDriver();
      }
      const session = {
        current: await driver.getWindowHandle(),
        // Once the browser has gone, so that the next one starts alone.
        async quit() {
          await driver.quit();
          const pid = server.process.pid;
          await poll(() => children(pid).length === 0, 'the browser to end').catch(
            () => children(pid).forEach((child) => process.kill(child, 'SIGKILL')));
          if (folder) rmSync(folder, { recursive: true, force: true });
        },
      };
      return wrap(driver, session.current, session, frame);
    },
    close: async () => stopDriver(server),
  };
}

// Sizes the window so that its viewport, below the toolbar, is the one asked
// for. The X server resizes the window in its own time: each size is read
// once it has held for a moment.
async function fitViewport(driver, viewport) {
  const window = driver.manage().window();
  const settled = async () => {
    let last = '';
    for (;;) {
      const size = await driver.executeScript('return [innerWidth, innerHeight]');
      if (JSON.stringify(size) === last) return size;
      last = JSON.stringify(size);
      await sleep(50);
    }
  };
  await window.setRect({ x: 0, y: 0, ...viewport });
  for (let tries = 0; ; ++tries) {
    const [width, height] = await settled();
    if (width === viewport.width && height === viewport.height) return;
    if (tries === 3) throw new Error(`a viewport of ${width}×${height}, not the one asked for`);
    const rect = await window.getRect();
    await window.setRect({
      width: rect.width + viewport.width - width, height: rect.height + viewport.height - height,
    });
  }
}
