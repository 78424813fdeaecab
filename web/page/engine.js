// The engine, the window's C++ core compiled to WebAssembly. engine-start.js
// has started downloading and compiling it; here it is instantiated with the
// page's side of its calls (imports) under the name "page".

// Where the engine has been compiled by now, it starts at once; otherwise it
// is compiled here, as soon as its bytes are in, rather than waited for: a
// wait would give the browser a turn to draw the page before it is ready,
// which costs more than compiling.
export async function loadEngine(imports) {
  const started = window.tobarinEngine;
  const module = started.module ?? new WebAssembly.Module(started.bytes ?? await started.arrived);
  const instance = new WebAssembly.Instance(module, {
    page: imports,
    // Called only if the C++ run-time aborts, which leaves the engine unusable.
    wasi_snapshot_preview1: {
      proc_exit: (code) => { throw new Error(`the engine stopped (${code})`); },
    },
  });
  instance.exports._initialize();  // the module's static constructors
  return instance.exports;
}
