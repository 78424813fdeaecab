// Practice's own engine module: the window's C++ core with practice, apart
// from the calculator's module so that the calculator starts with no more to
// fetch and compile.

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// Practice's own module (tobarin-practice.wasm), loaded when it is first
// called for, with the page's imports and practice's, which read and write
// texts in its memory (practiceImports(write, read)). Returns
// call(name, ...args), which runs tobarin_practice_<name> once the module is
// in; nothing once stopped() (the calculator has quit).
export function practiceEngine(pageImports, practiceImports, stopped) {
  let loaded = null;
  async function load() {
    const response = await fetch('tobarin-practice.wasm');
    if (!response.ok) throw new Error(`tobarin-practice.wasm: ${response.status}`);
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
      page: { ...pageImports, ...practiceImports(write, read) },
      wasi_snapshot_preview1: {
        proc_exit: (code) => { throw new Error(`practice stopped (${code})`); },
      },
    });
    memory = instance.exports.memory;
    instance.exports._initialize();
    return instance.exports;
  }
  return async (call, ...args) => {
    if (stopped()) return;
    loaded ??= load().catch((error) => {
      loaded = null;  // tried again next time: the network may be back
      throw error;
    });
    try {
      const exports = await loaded;
      if (exports[`tobarin_practice_${call}`](...args) < 0) console.error(`the engine failed in practice (${call})`);
    } catch (error) {
      console.error('practice could not start', error);
    }
  };
}
