// A page driven by puppeteer-core, in Chromium over its DevTools protocol or
// in Firefox over WebDriver BiDi: the calls of the page that site.js
// describes.

let marks = 0;

// The names of the keys that site.js uses (Playwright's), as puppeteer names them.
const keyNames = { Space: ' ' };

export function wrapPage(page, { pdf }) {
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
      return wrapPage(await (await opened).page(), { pdf });
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
    pdf: (path) => pdf(page, path),
    close: () => page.browserContext().close(),
  };
}
