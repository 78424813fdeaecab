// Starts downloading and compiling the engine (tobarin.wasm) as soon as the
// page's head is read, before the page's modules have arrived: the longest
// part of starting the calculator then runs beside everything else. A classic
// script, as only a script the parser waits for runs this early; engine.js
// takes the engine over from window.tobarinEngine: the compiled module, or
// else its bytes, or else the promise of the module.

'use strict';

window.tobarinEngine = { bytes: null, module: null };
window.tobarinEngine.compiling = fetch('tobarin.wasm')
  .then((response) => {
    if (!response.ok) throw new Error(`tobarin.wasm: ${response.status}`);
    return response.arrayBuffer();
  })
  .then((bytes) => {
    window.tobarinEngine.bytes = bytes;
    return WebAssembly.compile(bytes);
  })
  .then((module) => {
    window.tobarinEngine.module = module;
    return module;
  });
