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

  // Client coordinates to the canvas pixel under them, at any scale.
  function canvasPoint(clientX, clientY) {
    const r = canvas.getBoundingClientRect();
    const x = Math.floor((clientX - r.left) * canvas.width / r.width);
    const y = Math.floor((clientY - r.top) * canvas.height / r.height);
    return [Math.min(Math.max(x, 0), canvas.width - 1), Math.min(Math.max(y, 0), canvas.height - 1)];
  }

  function press(kind, clientX, clientY) {
    // As on Windows, a click beside an open menu only closes it.
    if (menus.isOpen()) { menus.close(); return; }
    const [x, y] = canvasPoint(clientX, clientY);
    post([kind, x, y]);
  }

  canvas.addEventListener('mousedown', (e) => {
    if (e.button !== 0 && e.button !== 2) return;
    press(e.button === 0 ? kLeftDown : kRightDown, e.clientX, e.clientY);
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
    // A, Delete, Space, T, ',' and '.' are the program's, not the page's (Space would scroll it).
    if (shortcut || [65, 46, 32, 84, 188, 190].includes(e.keyCode)) e.preventDefault();
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

  // --- Touch ---

  // A tap is a left click; a finger held still for half a second is a
  // right click, taken at once and shown by a ring. A finger that moves, or
  // a second finger, makes a gesture, which clicks nothing.
  const kHoldMs = 500;
  const kSlop = 6;
  let touch = null;  // the finger on the canvas: {id, x, y, timer}
  const dropTouch = () => { if (touch) clearTimeout(touch.timer); touch = null; };

  function held(x, y) {
    touch = null;
    const ring = document.createElement('div');
    ring.className = 'held';
    ring.style.left = x + 'px';
    ring.style.top = y + 'px';
    document.body.append(ring);
    setTimeout(() => ring.remove(), 450);
    press(kRightDown, x, y);
  }

  canvas.addEventListener('pointerdown', (e) => {
    if (e.pointerType !== 'touch') return;
    e.preventDefault();  // no mouse events made up from the touch
    if (touch) { dropTouch(); return; }
    const { pointerId: id, clientX: x, clientY: y } = e;
    touch = { id, x, y, timer: setTimeout(() => held(x, y), kHoldMs) };
  });
  canvas.addEventListener('pointermove', (e) => {
    if (touch && e.pointerId === touch.id && Math.hypot(e.clientX - touch.x, e.clientY - touch.y) > kSlop) dropTouch();
  });
  canvas.addEventListener('pointerup', (e) => {
    if (!touch || e.pointerId !== touch.id) return;
    const { x, y } = touch;
    dropTouch();
    press(kLeftDown, x, y);
  });
  canvas.addEventListener('pointercancel', dropTouch);

  // Without a keyboard at hand, the keys the program takes are buttons too.
  for (const button of document.querySelectorAll('#keys button')) {
    button.addEventListener('click', () => post([kKeyDown, Number(button.dataset.key), 0]));
  }

  // --- Size: the whole window scaled down to fit, on whole device pixels ---

  // In a window narrower than the program's, the program's window shrinks as
  // a whole (the negative margins give back the room it no longer takes).
  // Its canvas' corner is moved onto a whole device pixel, so that at full
  // size each canvas pixel covers whole device pixels at any pixel ratio.
  const programWindow = document.getElementById('window');
  function fit() {
    const style = programWindow.style;
    style.transform = style.marginRight = style.marginBottom = '';
    if (programWindow.hidden) return;
    const body = getComputedStyle(document.body);
    const room = document.documentElement.clientWidth - parseFloat(body.marginLeft) - parseFloat(body.marginRight);
    const width = programWindow.offsetWidth, height = programWindow.offsetHeight;
    const scale = Math.min(1, room / width);
    const w = programWindow.getBoundingClientRect(), c = canvas.getBoundingClientRect();
    const ratio = devicePixelRatio;
    const snap = (v) => Math.round(v * ratio) / ratio - v;
    const dx = snap(w.left + scrollX + scale * (c.left - w.left));
    const dy = snap(w.top + scrollY + scale * (c.top - w.top));
    style.transform = `translate(${dx}px, ${dy}px) scale(${scale})`;
    style.marginRight = `${(scale - 1) * width}px`;
    style.marginBottom = `${(scale - 1) * height}px`;
  }
  // A new pixel ratio (a zoom, another screen) is a media change of its own.
  function watchRatio() {
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => { fit(); watchRatio(); },
      { once: true });
  }
  addEventListener('resize', fit);
  watchRatio();
  fit();
  document.fonts.ready.then(fit);

  // --- The clock: 64 passes a second, the Windows program's pace ---

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

  function pass() {
    inPass = true;
    boxInPass = false;
    passStart = performance.now();
    try {
      Module._PinballPass();
    } catch (e) {
      failed();  // a trap: no pass will follow, so say so
      throw e;
    }
  }

  function runPass() {
    // As in a menu's modal loop on Windows, no pass runs while a menu is open.
    if (menus.isOpen()) { requestAnimationFrame(runPass); return; }
    pass();
  }
  channel.port1.onmessage = runPass;

  // A fixed step whatever the display's refresh rate: each animation frame
  // runs the passes the clock owes. `due` is when the next one is owed; null
  // after a stillness (a menu, a box, a hidden tab), which owes nothing.
  const kPassMs = 1000 / 64;
  const kCatchUp = 4;  // passes at most in one frame, after a stall
  let due = null;
  let ready = false;    // the program waits for its next pass
  let inFrame = false;
  document.addEventListener('visibilitychange', () => { due = null; });

  function frame(now) {
    if (menus.isOpen()) { due = null; requestAnimationFrame(frame); return; }
    if (due === null) due = now;
    due = Math.max(due, now - (kCatchUp - 1) * kPassMs);
    inFrame = true;
    try {
      // A pass that opens a box returns before it is done: its passDone comes later.
      while (ready && due <= now) {
        ready = false;
        due += kPassMs;
        pass();
      }
    } finally {
      inFrame = false;
    }
    if (ready) requestAnimationFrame(frame);
  }

  function schedule() {
    if (!stepping) {
      ready = true;
      if (!inFrame) requestAnimationFrame(frame);
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
    // A pass that waited on a box is not a measure of a frame, and the wait owes no passes.
    if (boxInPass) due = null;
    else passTimes[timedPasses++ % passTimes.length] = performance.now() - passStart;
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

// The program's failures in plain words; the toolchain's own account of
// them stays in the console, where it has already written it.
function halted(text, reload) {
  document.getElementById('ended-text').textContent = text;
  const button = document.getElementById('restart');
  button.textContent = 'Reload';
  button.hidden = !reload;
  document.getElementById('window').hidden = true;
  document.getElementById('ended').hidden = false;
}

function failed() {
  halted(pinballPage.started ? 'The program stopped because of an error.' : 'The program could not start.', true);
}

// An abort (a missing or broken .wasm, an abort() in the program) comes
// through onAbort; a trap resumed after a box, or in main, only as an error.
var Module = { onAbort: failed };
for (const type of ['error', 'unhandledrejection']) {
  window.addEventListener(type, (e) => {
    if ((e.error || e.reason) instanceof WebAssembly.RuntimeError) failed();
  });
}

// Opened from the disk, the page cannot fetch its .wasm: it says what to do instead.
if (location.protocol === 'file:') {
  halted('This page cannot run opened as a file. Serve its folder instead, for example with ' +
    '`make run-web` in the source tree, and open the address it shows.', false);
} else {
  const program = document.createElement('script');
  program.src = 'pinball.js';
  program.onerror = failed;
  document.body.append(program);
}
