// The engine, the window's C++ core compiled to WebAssembly. The page carries
// it (the build writes its bytes, in base64, into the element #engine), so it
// is here as soon as the page's script runs; here it is compiled and
// instantiated with the page's side of its calls (imports) under the name
// "page".

// Returns the engine's exports. All of it runs at once, with nothing awaited:
// a wait would give the browser a turn to draw the page before it is ready,
// which costs more than compiling here (3 to 14 ms on the development
// machine). A compilation started earlier, beside the page, took a second
// core that the page's own layout then waited for (6 to 8 ms more to ready in
// WebKit).
export function loadEngine(imports) {
  const text = document.getElementById('engine').text;
  const bytes = Uint8Array.fromBase64?.(text) ?? Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
  const instance = new WebAssembly.Instance(new WebAssembly.Module(bytes), {
    page: imports,
    // Called only if the C++ run-time aborts, which leaves the engine unusable.
    wasi_snapshot_preview1: {
      proc_exit: (code) => { throw new Error(`the engine stopped (${code})`); },
    },
  });
  instance.exports._initialize();  // the module's static constructors
  return instance.exports;
}
