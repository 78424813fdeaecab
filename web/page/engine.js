// Loads the engine, the window's C++ core compiled to WebAssembly. The page
// loads this module early and on its own (async), so that compiling starts
// while the rest of the page is still arriving; main.js then instantiates the
// module with the page's side of its calls (imports) under the name "page".

const compiling = WebAssembly.compileStreaming(fetch(new URL('tobarin.wasm', import.meta.url)));

export async function loadEngine(imports) {
  const instance = await WebAssembly.instantiate(await compiling, {
    page: imports,
    // Called only if the C++ run-time aborts, which leaves the engine unusable.
    wasi_snapshot_preview1: {
      proc_exit: (code) => { throw new Error(`the engine stopped (${code})`); },
    },
  });
  instance.exports._initialize();  // the module's static constructors
  return instance.exports;
}
