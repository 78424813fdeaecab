// The engine, the window's C++ core compiled to WebAssembly. engine-start.js
// has started downloading and compiling it; here it is instantiated with the
// page's side of its calls (imports) under the name "page".

// Hands started() the engine's exports, instantiated from the module
// compiled by now, or else compiled here at once from its bytes, rather than
// waited for: a wait would give the browser a turn to draw the page before it
// is ready, which costs more than compiling. Only where the bytes have not
// arrived yet is started() called later, as soon as they have. Nothing is
// awaited at the module's top level: WebKit carries on after a top-level
// await only once the page's load has ended, fonts and icons in.
export function loadEngine(imports, started) {
  const engine = window.tobarinEngine;
  const instantiate = (bytes) => {
    const module = engine.module ?? new WebAssembly.Module(bytes);
    const instance = new WebAssembly.Instance(module, {
      page: imports,
      // Called only if the C++ run-time aborts, which leaves the engine unusable.
      wasi_snapshot_preview1: {
        proc_exit: (code) => { throw new Error(`the engine stopped (${code})`); },
      },
    });
    instance.exports._initialize();  // the module's static constructors
    started(instance.exports);
  };
  if (engine.module || engine.bytes) instantiate(engine.bytes);
  else engine.arrived.then(instantiate);
}
