// The page's second engine module (tobarin-practice.wasm): the window's C++
// core with the panel 「途中式と答え合わせ」 and practice, apart from the
// calculator's module so that the calculator starts with no more to fetch and
// compile. It is fetched the first time either of them needs it, and both
// share the one instance.

const encoder = new TextEncoder();
const decoder = new TextDecoder();

export class SecondEngine {
  #loaded = null;   // the exports, once fetched and started
  #loading = null;  // the promise of them
  #memory = null;
  #answers = {};    // the "page" imports, by name, as the page's parts gave them
  #stopped;

  // Does nothing once stopped() (the calculator has quit).
  constructor(stopped) {
    this.#stopped = stopped;
  }

  // Gives the module the "page" imports a part of the page answers, made with
  // texts read from and written into the module's memory:
  // makeImports(write, read), write(text, buffer, capacity) writing UTF-8 and
  // returning the text's full length in bytes (larger than the buffer when it
  // did not fit), read(pointer, length) reading it.
  serve(makeImports) {
    Object.assign(this.#answers, makeImports(
      (text, buffer, capacity) => {
        const encoded = encoder.encode(text);
        if (encoded.length <= capacity) new Uint8Array(this.#memory.buffer).set(encoded, buffer);
        return encoded.length;
      },
      (pointer, length) => decoder.decode(new Uint8Array(this.#memory.buffer, pointer, length))));
  }

  get loaded() {
    return this.#loaded !== null;
  }

  // Runs tobarin_<name>(...args): at once when the module is in, or once it
  // has come. Resolves to what it returned, or to null where it could not run
  // (the module did not come, or it failed).
  call(name, ...args) {
    if (this.#stopped()) return Promise.resolve(null);
    if (this.#loaded) return Promise.resolve(this.#run(name, args));
    const root = document.documentElement;
    root.setAttribute('data-loading', '');
    this.#loading ??= this.#load().finally(() => {
      this.#loading = null;
      root.removeAttribute('data-loading');
    });
    return this.#loading.then(() => (this.#stopped() ? null : this.#run(name, args)), (error) => {
      console.error('the second engine module could not start', error);
      return null;
    });
  }

  #run(name, args) {
    try {
      const result = this.#loaded[`tobarin_${name}`](...args);
      if (result >= 0) return result;
      console.error(`the engine failed (${name})`);
    } catch (error) {
      console.error(`the engine failed (${name})`, error);
    }
    return null;
  }

  async #load() {
    const response = await fetch('tobarin-practice.wasm');
    if (!response.ok) throw new Error(`tobarin-practice.wasm: ${response.status}`);
    const module = await WebAssembly.compile(await response.arrayBuffer());
    // Each import asks the part of the page that answers it when it is called:
    // practice gives its own only once it is first opened.
    const page = {};
    for (const { module: from, name, kind } of WebAssembly.Module.imports(module)) {
      if (from === 'page' && kind === 'function') page[name] = (...args) => this.#answers[name](...args);
    }
    const instance = await WebAssembly.instantiate(module, {
      page,
      wasi_snapshot_preview1: {
        proc_exit: (code) => { throw new Error(`the second engine module stopped (${code})`); },
      },
    });
    this.#memory = instance.exports.memory;
    instance.exports._initialize();
    this.#loaded = instance.exports;
  }
}
