// Opens the page's storage as soon as the head is read. The window reads what
// it keeps there as it starts (the way of working chosen last time), and the
// first read of the storage takes a while (up to 40 ms in Chromium and
// Firefox), which is spent here, while the rest of the page is still
// arriving. The build writes this script into the head
// (web/tools/inline_scripts.mjs): from a file of its own, the parser would wait for
// it.

'use strict';

setTimeout(() => {
  try {
    void localStorage.length;
  } catch {
    // Storage refused: the window starts with the first way of working.
  }
});
