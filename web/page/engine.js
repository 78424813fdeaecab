// Loads the engine, the window's C++ core compiled to WebAssembly, with the
// page's side of its calls (imports) under the module name "page".
export async function loadEngine(url, imports) {
  const { instance } = await WebAssembly.instantiateStreaming(fetch(url), {
    page: imports,
    // Called only if the C++ run-time aborts, which leaves the engine unusable.
    wasi_snapshot_preview1: {
      proc_exit: (code) => { throw new Error(`the engine stopped (${code})`); },
    },
  });
  instance.exports._initialize();  // the module's static constructors
  return instance.exports;
}
