// The engine modules loaded after the page: practice's, and the 式 field's.
// Each is the window's C++ core with what it adds, apart from the
// calculator's module so that the calculator starts with no more to fetch and
// compile.

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// A module (`file`), loaded when it is first called for, with the page's
// imports and its own, which read and write texts in its memory
// (ownImports(write, read)). Returns call(name, ...args), which runs
// <prefix><name> once the module is in and resolves to what it returned, or
// to null where it could not run (not loaded, or failed); nothing runs once
// stopped() (the calculator has quit).
export function moduleEngine(file, prefix, pageImports, ownImports, stopped) {
  let loaded = null;
  async function load() {
    const response = await fetch(file);
    if (!response.ok) throw new Error(`${file}: ${response.status}`);
    let memory = null;
    const bytes = () => new Uint8Array(memory.buffer);
    const read = (pointer, length) => decoder.decode(bytes().subarray(pointer, pointer + length));
    // UTF-8 into the module's buffer; the text's full length in bytes, larger
    // than the buffer when it did not fit.
    const write = (text, buffer, capacity) => {
      const encoded = encoder.encode(text);
      if (encoded.length <= capacity) bytes().set(encoded, buffer);
      return encoded.length;
    };
    const { instance } = await WebAssembly.instantiate(await response.arrayBuffer(), {
      page: { ...pageImports, ...ownImports(write, read) },
      wasi_snapshot_preview1: {
        proc_exit: (code) => { throw new Error(`${file} stopped (${code})`); },
      },
    });
    memory = instance.exports.memory;
    instance.exports._initialize();
    return instance.exports;
  }
  return async (call, ...args) => {
    if (stopped()) return null;
    loaded ??= load().catch((error) => {
      loaded = null;  // tried again next time: the network may be back
      throw error;
    });
    try {
      const exports = await loaded;
      const result = exports[`${prefix}${call}`](...args);
      if (result >= 0) return result;
      console.error(`the engine failed in ${file} (${call})`);
    } catch (error) {
      console.error(`${file} could not start`, error);
    }
    return null;
  };
}

// Practice's own module (tobarin-practice.wasm), with practice's imports.
export function practiceEngine(pageImports, practiceImports, stopped) {
  return moduleEngine('tobarin-practice.wasm', 'tobarin_practice_', pageImports, practiceImports, stopped);
}
