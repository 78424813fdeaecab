// The view 「クラスの結果」 (#results): the result codes the pupils handed in,
// pasted one a line, read from a file or from their QR codes through the
// device's camera, shown as a table for each set, saved as CSV and printed.
// The codes are read and ranked by the engine's own module
// (tobarin-results.wasm), the same C++ as the command line's and the
// desktop's; this script only draws what it gives. The page loads this
// script when #results is first opened, and the QR decoder (ZXing-C++ as
// WebAssembly, zxing/) only when the camera is opened.

const encoder = new TextEncoder();
const decoder = new TextDecoder();
const ScanEvery = 250;  // milliseconds between two frames of the camera decoded

function element(name, text, className) {
  const made = document.createElement(name);
  if (text !== undefined) made.textContent = text;
  if (className) made.className = className;
  return made;
}

function button(caption, action, name) {
  const made = element('button', caption);
  made.type = 'button';
  made.dataset.results = name;
  made.addEventListener('click', action);
  return made;
}

// The engine's module: the codes in, the JSON of the tables out. It imports
// nothing the page need supply; whatever it names is refused if called.
async function resultsEngine() {
  const response = await fetch('tobarin-results.wasm');
  if (!response.ok) throw new Error(`tobarin-results.wasm: ${response.status}`);
  const module = await WebAssembly.compile(await response.arrayBuffer());
  const imports = {};
  for (const { module: from, name } of WebAssembly.Module.imports(module)) {
    imports[from] ??= {};
    imports[from][name] = () => { throw new Error(`the results engine stopped (${from}.${name})`); };
  }
  const instance = await WebAssembly.instantiate(module, imports);
  const exports = instance.exports;
  exports._initialize?.();
  return (text) => {
    const encoded = encoder.encode(text);
    const buffer = exports.tobarin_results_input(encoded.length);
    if (buffer === 0 && encoded.length > 0) throw new Error('no memory for the codes');
    new Uint8Array(exports.memory.buffer).set(encoded, buffer);
    const length = exports.tobarin_results_read();
    if (length === 0) throw new Error('the codes could not be read');
    const pointer = exports.tobarin_results_output();
    return JSON.parse(decoder.decode(new Uint8Array(exports.memory.buffer, pointer, length)));
  };
}

// The QR decoder, its WebAssembly taken from the site, never from elsewhere.
async function qrReader() {
  const zxing = await import('./zxing/reader/index.js');
  await zxing.prepareZXingModule({
    overrides: {
      locateFile: (path, prefix) => (path.endsWith('.wasm') ? new URL(`zxing/${path}`, document.baseURI).href : prefix + path),
    },
    fireImmediately: true,
  });
  return (image) => zxing.readBarcodes(image, { formats: ['QRCode'], tryHarder: true, maxNumberOfSymbols: 4 });
}

export class ResultsView {
  #root;
  #codes;
  #notes;
  #tables;
  #saveButton;
  #printButton;
  #camera;
  #video;
  #cameraStatus;
  #engine = null;  // the engine's module, while it loads and once it has
  #read = null;  // the engine's reading, once loaded
  #shown = null;  // the JSON last drawn
  #stream = null;
  #scanning = 0;

  constructor(onClose) {
    this.#root = element('section', undefined, 'results');
    this.#root.setAttribute('aria-labelledby', 'results-heading');
    this.#root.hidden = true;
    const heading = element('h1', 'クラスの結果');
    heading.id = 'results-heading';
    const back = button('電卓にもどる', onClose, 'back');
    back.className = 'results-back';

    const label = element('label', '結果コード（1行に1つ。フォームの回答の列をそのまま貼りつけられます）');
    label.htmlFor = 'results-codes';
    this.#codes = element('textarea');
    this.#codes.id = 'results-codes';
    this.#codes.rows = 8;
    this.#codes.spellcheck = false;
    this.#codes.autocomplete = 'off';
    this.#codes.placeholder = 'r1:p1:5-unlike:2:10:4821:12:WK1100006';
    this.#codes.addEventListener('input', () => this.#readCodes());

    const file = element('input');
    file.type = 'file';
    file.accept = '.txt,.csv,text/plain,text/csv';
    file.hidden = true;
    file.addEventListener('change', async () => {
      const [chosen] = file.files;
      file.value = '';
      if (!chosen) return;
      this.#codes.value = await chosen.text();
      this.#readCodes();
    });
    const fromFile = button('ファイルから読む…', () => file.click(), 'file');
    const camera = button('カメラで読む', () => this.#startCamera(), 'camera');
    camera.hidden = !navigator.mediaDevices?.getUserMedia;
    this.#saveButton = button('CSVに保存', () => this.#saveCsv(), 'csv');
    this.#printButton = button('印刷…', () => print(), 'print');
    const actions = element('div', undefined, 'results-actions');
    actions.append(fromFile, file, camera, this.#saveButton, this.#printButton);

    this.#video = element('video');
    this.#video.muted = true;
    this.#video.playsInline = true;
    this.#cameraStatus = element('p', '', 'results-camera-status');
    this.#cameraStatus.setAttribute('role', 'status');
    this.#camera = element('div', undefined, 'results-camera');
    this.#camera.hidden = true;
    this.#camera.append(this.#video, this.#cameraStatus, button('カメラを止める', () => this.#stopCamera(), 'stop-camera'));

    this.#notes = element('ul', undefined, 'results-notes');
    this.#notes.setAttribute('aria-live', 'polite');
    this.#tables = element('div', undefined, 'results-tables');
    const entry = element('div', undefined, 'results-entry');
    entry.append(label, this.#codes, actions, this.#camera);
    const head = element('div', undefined, 'results-head');
    head.append(heading, back);
    this.#root.append(head, entry, this.#notes, this.#tables);
    document.body.append(this.#root);
    this.#draw({ sets: [], notes: [], csv: '' });
  }

  async open() {
    this.#root.hidden = false;
    document.documentElement.setAttribute('data-results', '');
    document.querySelector('.desk')?.setAttribute('inert', '');
    this.#codes.focus();
    this.#engine ??= resultsEngine().catch((error) => {
      this.#engine = null;  // tried again next time: the network may be back
      throw error;
    });
    try {
      this.#read = await this.#engine;
      this.#readCodes();
    } catch (error) {
      this.#say([`結果を読むしくみを読みこめませんでした（${error.message}）。`]);
    }
  }

  close() {
    this.#stopCamera();
    this.#root.hidden = true;
    document.documentElement.removeAttribute('data-results');
    document.querySelector('.desk')?.removeAttribute('inert');
  }

  #readCodes() {
    if (!this.#read) return;
    try {
      this.#draw(this.#read(this.#codes.value));
    } catch (error) {
      this.#say([`結果を読めませんでした（${error.message}）。`]);
    }
  }

  #say(lines, className = 'results-note') {
    this.#notes.replaceChildren(...lines.map((line) => element('li', line, className)));
  }

  #draw(results) {
    this.#shown = results;
    this.#notes.replaceChildren(...results.notes.map((note) => {
      const item = element('li', note.text, note.skipped ? 'results-skipped' : 'results-note');
      item.dataset.line = note.line;
      return item;
    }));
    this.#tables.replaceChildren(...results.sets.map((set) => this.#setTable(set)));
    this.#saveButton.disabled = results.sets.length === 0;
    this.#printButton.disabled = results.sets.length === 0;
  }

  #setTable(set) {
    const section = element('section', undefined, 'results-set');
    section.dataset.set = set.code;
    section.append(element('h2', `${set.code}　${set.title}　${set.pupils.length}人`));
    const table = element('table', undefined, 'results-table');
    const head = element('tr');
    for (const caption of ['出席番号', '正解', '1回目で正解', '時間']) head.append(element('th', caption));
    for (let i = 1; i <= set.problems; ++i) head.append(element('th', `(${i})`));
    table.createTHead().append(head);
    const body = table.createTBody();
    for (const pupil of set.pupils) {
      const row = element('tr');
      const number = element('th', pupil.number);
      number.scope = 'row';
      row.append(number, element('td', `${pupil.right}/${set.problems}`), element('td', String(pupil.firstTry)),
        element('td', pupil.time));
      for (const mark of pupil.marks) row.append(element('td', mark, 'results-mark'));
      body.append(row);
    }
    const rates = element('tr');
    const caption = element('th', '1回目で正解の割合');
    caption.colSpan = 4;
    caption.scope = 'row';
    rates.append(caption, ...set.rates.map((rate) => element('td', rate)));
    table.createTFoot().append(rates);

    const mistakes = element('ol', undefined, 'results-mistakes');
    mistakes.append(...set.mistakes.map((mistake) => {
      const item = element('li');
      item.append(element('span', mistake.words), ' ', element('strong', `${mistake.pupils}人`), ' ',
        element('span', mistake.problems));
      return item;
    }));
    section.append(table, element('h3', 'つまずき（多い順）'),
      set.mistakes.length > 0 ? mistakes : element('p', 'なし'));
    return section;
  }

  // The CSV as the engine writes it (its byte-order mark first), downloaded.
  #saveCsv() {
    if (!this.#shown?.csv) return;
    const link = element('a');
    link.href = URL.createObjectURL(new Blob([this.#shown.csv], { type: 'text/csv;charset=utf-8' }));
    link.download = 'クラスの結果.csv';
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  // The decoder first, then the camera: a decoder that cannot load leaves
  // the camera off. Stopped before it has started, it stops as it starts.
  async #startCamera() {
    if (this.#stream) return;
    const scanning = ++this.#scanning;
    this.#camera.hidden = false;
    this.#cameraStatus.textContent = 'カメラを開いています…';
    let stream = null;
    try {
      const decode = await qrReader();
      stream = await navigator.mediaDevices.getUserMedia({ video: { facingMode: 'environment' }, audio: false });
      if (scanning !== this.#scanning) {
        for (const track of stream.getTracks()) track.stop();
        return;
      }
      this.#stream = stream;
      this.#video.srcObject = stream;
      await this.#video.play();
      this.#cameraStatus.textContent = 'QRコードをカメラに向けてください。';
      this.#scan(decode, scanning);
    } catch (error) {
      if (scanning !== this.#scanning) return;
      this.#stopCamera();
      for (const track of stream?.getTracks() ?? []) track.stop();
      this.#camera.hidden = false;
      this.#cameraStatus.textContent = `カメラで読めません（${error.message}）。`;
    }
  }

  #stopCamera() {
    ++this.#scanning;
    for (const track of this.#stream?.getTracks() ?? []) track.stop();
    this.#stream = null;
    this.#video.srcObject = null;
    this.#camera.hidden = true;
  }

  // Decodes a frame now and then; a code not yet among the lines is added as
  // a line of its own, and the codes are read again.
  async #scan(decode, scanning) {
    const canvas = element('canvas');
    const context = canvas.getContext('2d', { willReadFrequently: true });
    while (scanning === this.#scanning) {
      const { videoWidth: width, videoHeight: height } = this.#video;
      if (width > 0 && height > 0) {
        canvas.width = width;
        canvas.height = height;
        context.drawImage(this.#video, 0, 0);
        const found = await decode(context.getImageData(0, 0, width, height)).catch(() => []);
        if (scanning !== this.#scanning) return;
        const lines = this.#codes.value.split(/\r?\n/).map((line) => line.trim());
        for (const { text } of found) {
          const code = text.trim();
          if (!code || lines.includes(code)) continue;
          lines.push(code);
          this.#codes.value = `${this.#codes.value.replace(/\s*$/, '')}${this.#codes.value.trim() ? '\n' : ''}${code}\n`;
          this.#cameraStatus.textContent = `読みました: ${code}`;
          this.#readCodes();
        }
      }
      await new Promise((resolve) => setTimeout(resolve, ScanEvery));
    }
  }
}
