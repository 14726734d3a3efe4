'use strict';
// The program's window in a web page: the queue of input events, the clock
// of the main loop, and `pinballPage`, through which the program (pinball.js)
// calls the page. The page calls the program's PinballPass once a pass.
// Needs menu_bar.js, boxes.js and files.js.

// Input event kinds, as the program numbers them (page_bridge.h).
const kCommand = 1, kLeftDown = 2, kRightDown = 3, kKeyDown = 4, kClose = 5, kQuit = 6;
const kControlKey = 7, kOpenDropped = 8;
// Keys held with Ctrl (or Cmd) that are the program's, not the browser's: O, S, Z, Y.
const kShortcuts = [79, 83, 90, 89];
// Like a window's message queue, the queue is bounded; input beyond it is lost.
const kQueueLimit = 10000;

const pinballPage = (() => {
  const canvas = document.getElementById('screen');
  const context = canvas.getContext('2d', { alpha: false });
  const queue = [];
  const post = (event) => {
    if (!boxes.isOpen() && queue.length < kQueueLimit) queue.push(event);
  };
  const menus = createMenuBar(document.getElementById('menubar'), (id) => post([kCommand, id, 0]));
  const boxes = createBoxes(document.getElementById('overlay'));
  const files = createFiles(document.getElementById('notice'));
  const caption = document.querySelector('.caption h1');

  // --- Input ---

  function canvasPoint(e) {
    const r = canvas.getBoundingClientRect();
    const x = Math.floor(e.clientX - r.left), y = Math.floor(e.clientY - r.top);
    return [Math.min(Math.max(x, 0), canvas.width - 1), Math.min(Math.max(y, 0), canvas.height - 1)];
  }

  canvas.addEventListener('mousedown', (e) => {
    if (e.button !== 0 && e.button !== 2) return;
    // As on Windows, a click beside an open menu only closes it.
    if (menus.isOpen()) { menus.close(); return; }
    const [x, y] = canvasPoint(e);
    post([e.button === 0 ? kLeftDown : kRightDown, x, y]);
  });
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());

  document.addEventListener('keydown', (e) => {
    if (boxes.isOpen()) { boxes.key(e); return; }  // the open box takes the keys, wherever the focus is
    if (menus.key(e)) return;  // the menu bar's keys, and every key while it has the keyboard
    // Keys held with Alt are system keys, which the window leaves alone.
    if (e.altKey || !e.keyCode) return;
    const shortcut = kShortcuts.includes(e.keyCode);
    if (e.metaKey && !shortcut) return;
    if (e.ctrlKey || e.metaKey) {
      post([kControlKey, e.keyCode, e.shiftKey ? 1 : 0]);
    } else {
      post([kKeyDown, e.keyCode, 0]);
    }
    if (shortcut || e.keyCode === 65 || e.keyCode === 46) e.preventDefault();
  });

  // A file dropped on the canvas opens; dropped anywhere else it is not
  // the browser's to open in place of the page.
  for (const type of ['dragover', 'drop']) document.addEventListener(type, (e) => e.preventDefault());
  canvas.addEventListener('drop', (e) => {
    const file = e.dataTransfer && e.dataTransfer.files[0];
    if (file) files.drop(file, () => post([kOpenDropped, 0, 0]));
  });

  document.getElementById('close').addEventListener('click', () => post([kClose, 0, 0]));
  document.getElementById('restart').addEventListener('click', () => location.reload());

  // --- The clock: one pass per animation frame ---

  // With ?step in the address the passes run only when asked for (step), so
  // that a test can compare a given frame with the native program's.
  const stepping = new URLSearchParams(location.search).has('step');
  const channel = new MessageChannel();
  let passes = 0;
  let passTarget = 0;
  let stepDone = null;
  let started = false;
  let ended = false;
  let inPass = false;
  let boxInPass = false;
  let passStart = 0;
  // The last pass times in milliseconds (program plus the copy to the canvas),
  // in a ring made once.
  const passTimes = new Float64Array(600);
  let timedPasses = 0;

  function runPass() {
    // As in a menu's modal loop on Windows, no pass runs while a menu is open.
    if (menus.isOpen()) { requestAnimationFrame(runPass); return; }
    inPass = true;
    boxInPass = false;
    passStart = performance.now();
    try {
      Module._PinballPass();
    } catch (e) {
      stopped(String(e));  // a trap: no pass will follow, so say so
      throw e;
    }
  }
  channel.port1.onmessage = runPass;

  function schedule() {
    if (!stepping) {
      requestAnimationFrame(runPass);
    } else if (passes < passTarget) {
      channel.port2.postMessage(0);
    } else {
      settleStep();
    }
  }

  function settleStep() {
    if (!stepDone) return;
    const done = stepDone;
    stepDone = null;
    done(passes);
  }

  function finishPass() {
    if (!inPass) return;
    inPass = false;
    ++passes;
    // A pass that waited on a box is not a measure of a frame.
    if (!boxInPass) passTimes[timedPasses++ % passTimes.length] = performance.now() - passStart;
  }

  const modal = (promise) => { menus.close(); boxInPass = true; return promise; };

  // The table as a link in a box, copied where the clipboard allows.
  async function shareLinkBox(bytes, name) {
    const link = await files.linkFor(bytes, name);
    if (!link) {
      return boxes.messageBox('Share Link', 'This table is too large for a link (a link holds at most ' +
        files.linkLimit + ' characters). Save it to a file and share the file instead.');
    }
    const copied = await navigator.clipboard.writeText(link).then(() => true, () => false);
    return boxes.showLink('Share Link', copied ? 'A link to this table, copied:' : 'A link to this table:', link);
  }

  // The image data lies over the program's memory, made again only when the
  // store or the memory changes.
  let image = null;
  let imageAt = 0;

  return {
    takeEvent: () => (queue.length ? queue.shift() : null),
    postQuit: () => { queue.push([kQuit, 0, 0]); },
    present(heap, at, width, height) {
      if (!image || image.data.buffer !== heap.buffer || imageAt !== at ||
          image.width !== width || image.height !== height) {
        image = new ImageData(new Uint8ClampedArray(heap.buffer, at, width * height * 4), width, height);
        imageAt = at;
      }
      context.putImageData(image, 0, 0);
    },
    checkMenuItem: (id, checked) => menus.check(id, checked),
    messageBox: (caption, text) => modal(boxes.messageBox(caption, text)),
    chooseColor: (current) => modal(boxes.chooseColor(current)),
    enableMenuItem: (id, enabled) => menus.enable(id, enabled),
    setCaption(text) {
      document.title = text;
      caption.textContent = text;
    },

    // Files: the page holds them, the program reads them; a save downloads.
    files: files.files,
    get droppedName() { return files.droppedName; },
    chooseFile: () => modal(files.chooseFile()),
    download: (name, bytes) => files.download(name, bytes),
    store: (bytes, name, changed) => files.store(bytes, name, changed),
    takeStartTable: () => files.takeStartTable(),
    askSaveChanges: () => modal(boxes.choose('Pinball Simulation', 'Save changes?', ['Yes', 'No', 'Cancel'])),
    async askFileName(suggested) {
      const name = await modal(boxes.askText('Save As', 'File name:', suggested.replace(/\.pinball$/, '')));
      if (name === null || !name.trim()) return null;
      return name.trim().endsWith('.pinball') ? name.trim() : name.trim() + '.pinball';
    },
    shareLink: (bytes, name) => modal(shareLinkBox(bytes, name)),
    passDone() {
      finishPass();
      started = true;
      schedule();
    },
    ended() {
      finishPass();
      ended = true;
      document.getElementById('window').hidden = true;
      document.getElementById('ended').hidden = false;
      document.getElementById('restart').focus();
      settleStep();
    },

    // For the tests and the curious: the pass count, a stepped run, the times.
    get passes() { return passes; },
    get started() { return started; },
    get hasEnded() { return ended; },
    step(n) {
      return new Promise((resolve) => {
        if (ended) { resolve(passes); return; }
        passTarget = passes + n;
        stepDone = resolve;
        if (started && !inPass) schedule();
      });
    },
    passTimes: () => Array.from(passTimes.subarray(0, Math.min(timedPasses, passTimes.length))),
  };
})();

function stopped(what) {
  document.getElementById('ended-text').textContent = 'The program has stopped: ' + what;
  document.getElementById('window').hidden = true;
  document.getElementById('ended').hidden = false;
}

var Module = { onAbort: stopped };
