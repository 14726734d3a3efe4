// The program's window in a web page: the queue of input events, and `page`,
// through which the program (pinball.js) calls the page. The clock calls the
// program's PinballPass once a pass.
//
// pinball.js is the toolchain's ES module (MODULARIZE, EXPORT_ES6): its
// factory takes the object that becomes the program's Module, here with
// `page` on it for the program's calls (page_bridge.cpp). It is imported
// when the page starts rather than statically, so that a pinball.js that
// cannot be fetched is reported like a .wasm that cannot.

import { createBoxes } from './boxes.js';
import { PassClock } from './clock.js';
import { createFiles } from './files.js';
import { fitToPage } from './fit.js';
import { connectInput } from './input.js';
import { createMenuBar } from './menu_bar.js';
import { EventKind } from './page_bridge.js';
import { createStatus } from './status.js';

// Like a window's message queue, the queue is bounded; input beyond it is lost.
const kQueueLimit = 10000;

const canvas = document.getElementById('screen');
const programWindow = document.getElementById('window');
const caption = document.querySelector('.caption h1');
const queue = [];
const boxes = createBoxes(document.getElementById('overlay'));
const post = (event) => {
  if (!boxes.isOpen() && queue.length < kQueueLimit) queue.push(event);
};
const menus = createMenuBar(document.getElementById('menubar'), (id) => post([EventKind.Command, id, 0]));
const files = createFiles(document.getElementById('notice'));
const status = createStatus({
  canvas,
  line: document.getElementById('status'),
  marks: document.getElementById('marks'),
  says: document.getElementById('cursor-says'),
  post,
});

// The program: the Module object the toolchain's factory fills in.
const program = { page: null, onAbort: failed };

// With ?step in the address the passes run only when asked for (step).
const clock = new PassClock({
  stepping: new URLSearchParams(location.search).has('step'),
  held: () => menus.isOpen(),
  run() {
    try {
      program._PinballPass();
    } catch (e) {
      failed(); // a trap: no pass will follow, so say so
      throw e;
    }
  },
});

connectInput({ canvas, post, menus, boxes, files, status });
// A link put into the address of the open page opens too. It waits behind an
// open box, rather than being lost as a click would be.
addEventListener('hashchange', () => {
  if (files.hasLink() && queue.length < kQueueLimit) queue.push([EventKind.OpenLink, 0, 0]);
});
document.getElementById('close').addEventListener('click', () => post([EventKind.Close, 0, 0]));
document.getElementById('restart').addEventListener('click', () => location.reload());
fitToPage(programWindow, canvas);

// --- What the program sees of the page ---

const modal = (promise) => {
  menus.close();
  clock.boxOpened();
  return promise;
};

// The table as a link in a box, copied where the clipboard allows.
async function shareLinkBox(bytes, name) {
  const link = await files.linkFor(bytes, name);
  if (!link) {
    return boxes.messageBox(
      'Share Link',
      'This table is too large for a link (a link holds at most ' +
        files.linkLimit +
        ' characters). Save it to a file and share the file instead.',
    );
  }
  const copied = await navigator.clipboard.writeText(link).then(
    () => true,
    () => false,
  );
  return boxes.showLink('Share Link', copied ? 'A link to this table, copied:' : 'A link to this table:', link);
}

// The canvas' image data lies over the program's memory, made again only
// when the store or the memory changes.
const context = canvas.getContext('2d', { alpha: false });
let image = null;
let imageAt = 0;

const page = {
  takeEvent: () => (queue.length ? queue.shift() : null),
  postQuit: () => {
    queue.push([EventKind.Quit, 0, 0]);
  },
  present(heap, at, width, height) {
    if (
      !image ||
      image.data.buffer !== heap.buffer ||
      imageAt !== at ||
      image.width !== width ||
      image.height !== height
    ) {
      image = new ImageData(new Uint8ClampedArray(heap.buffer, at, width * height * 4), width, height);
      imageAt = at;
    }
    context.putImageData(image, 0, 0);
  },
  checkMenuItem: (id, checked) => menus.check(id, checked),
  markItems: (ids, oneOf) => menus.markItems(ids, oneOf),
  messageBox: (caption, text) => modal(boxes.messageBox(caption, text)),
  chooseColor: (current) => modal(boxes.chooseColor(current)),
  enableMenuItem: (id, enabled) => menus.enable(id, enabled),
  setStatus: (line, next) => status.set(line, next),
  setPending: (xy) => status.pending(xy),
  setCaption(text) {
    document.title = text;
    caption.textContent = text;
  },

  // Files: the page holds them, the program reads them; a save downloads.
  files: files.files,
  get droppedName() {
    return files.droppedName;
  },
  chooseFile: () => modal(files.chooseFile()),
  download: (name, bytes) => files.download(name, bytes),
  store: (bytes, name, changed, shared) => files.store(bytes, name, changed, shared),
  takeStartTable: () => files.takeStartTable(),
  takeLink: () => modal(files.takeLink()),
  askSaveChanges: () => modal(boxes.choose('Pinball Simulation', 'Save changes?', ['Yes', 'No', 'Cancel'])),
  async askFileName(suggested) {
    const name = await modal(boxes.askText('Save As', 'File name:', suggested.replace(/\.pinball$/, '')));
    if (name === null || !name.trim()) return null;
    return name.trim().endsWith('.pinball') ? name.trim() : name.trim() + '.pinball';
  },
  shareLink: (bytes, name) => modal(shareLinkBox(bytes, name)),
  passDone: () => clock.passDone(),
  ended() {
    clock.end();
    programWindow.hidden = true;
    document.getElementById('ended').hidden = false;
    document.getElementById('restart').focus();
  },

  // For the tests and the curious: the pass count, a stepped run, the times,
  // and the program.
  get passes() {
    return clock.passes;
  },
  get started() {
    return clock.started;
  },
  get hasEnded() {
    return clock.ended;
  },
  step: (n) => clock.step(n),
  passTimes: () => clock.passTimes(),
  program,
};
program.page = page;
// The one name the page gives the window: the tests' way in.
window.pinballPage = page;

// --- Failures ---

// The program's failures in plain words; the toolchain's own account of
// them stays in the console, where it has already written it.
function failed() {
  document.getElementById('ended-text').textContent = clock.started
    ? 'The program stopped because of an error.'
    : 'The program could not start.';
  const button = document.getElementById('restart');
  button.textContent = 'Reload';
  button.hidden = false;
  programWindow.hidden = true;
  document.getElementById('ended').hidden = false;
}

// An abort (a missing or broken .wasm, an abort() in the program) comes
// through onAbort; a trap resumed after a box, or in main, only as an error.
for (const type of ['error', 'unhandledrejection']) {
  window.addEventListener(type, (e) => {
    if ((e.error || e.reason) instanceof WebAssembly.RuntimeError) failed();
  });
}

// The factory runs main once the .wasm has started; main starts the clock.
import('./pinball.js')
  .then(({ default: createPinball }) => createPinball(program))
  .catch((e) => {
    console.error(e); // the fetch's or the start's own account
    failed();
  });
