'use strict';
// The program's window in a web page: the menu bar of menu resource 101, the
// canvas that shows the frame buffer, the modal boxes, the queue of input
// events and the clock of the main loop. The program (pinball.js) calls in
// through `pinballPage`; the page calls the program's PinballPass once a pass.

// Menu resource 101 in display order: [text, id, checked at start], '-' for a
// separator, [text, [items]] for a submenu.
const MENU = [
  ['File', [['Reset', 40001], ['Edit', 40002], ['Clear', 40004], ['Quit', 40005]]],
  ['Color', [['Red', 40006, true], ['Green', 40007], ['Blue', 40008], '-', ['Other', 40034]]],
  ['Shape', [['Circle', 40009], ['Box', 40010], ['Triangle', 40011, true], ['Polygon', 40012]]],
  ['Pinball', [
    ['Create Pinball', 40015],
    ['Set Speed', [['x 1', 40018], ['x 2', 40019], ['x 3', 40026, true]]],
    // No radius is marked at start, though new balls start at radius 5.
    ['Set Radius', [['x .5', 40031], ['x 1', 40029], ['x 1.5', 40032]]],
  ]],
  ['Help', [['Instructions', 40014], ['About', 40035]]],
];

// Input event kinds, as the program numbers them (page_bridge.h).
const kCommand = 1, kLeftDown = 2, kRightDown = 3, kKeyDown = 4, kClose = 5, kQuit = 6;
// Like a window's message queue, the queue is bounded; input beyond it is lost.
const kQueueLimit = 10000;

const pinballPage = (() => {
  const canvas = document.getElementById('screen');
  const context = canvas.getContext('2d', { alpha: false });
  const overlay = document.getElementById('overlay');
  const menubar = document.getElementById('menubar');
  const items = new Map();  // command id -> menu item element
  const queue = [];
  let modal = false;

  // --- The menu bar ---

  function buildItems(list, popup) {
    for (const entry of list) {
      const li = document.createElement('li');
      if (entry === '-') {
        li.setAttribute('role', 'separator');
      } else if (Array.isArray(entry[1])) {
        li.setAttribute('role', 'menuitem');
        li.setAttribute('aria-haspopup', 'true');
        li.className = 'submenu';
        li.append(mark(), label(entry[0]));
        const sub = document.createElement('ul');
        sub.className = 'popup';
        sub.setAttribute('role', 'menu');
        buildItems(entry[1], sub);
        li.append(sub);
        li.addEventListener('click', (e) => { if (e.target.closest('li') === li) li.classList.toggle('open'); });
      } else {
        const [text, id, checked] = entry;
        li.setAttribute('role', 'menuitemcheckbox');
        li.dataset.id = String(id);
        li.setAttribute('aria-checked', checked ? 'true' : 'false');
        li.append(mark(), label(text));
        li.addEventListener('click', (e) => {
          e.stopPropagation();
          closeMenus();
          post([kCommand, id, 0]);
        });
        items.set(id, li);
      }
      popup.append(li);
    }
  }

  function mark() {
    const span = document.createElement('span');
    span.className = 'mark';
    return span;
  }

  function label(text) {
    const span = document.createElement('span');
    span.className = 'label';
    span.textContent = text;
    return span;
  }

  function closeMenus() {
    for (const open of menubar.querySelectorAll('.open')) open.classList.remove('open');
    for (const title of menubar.querySelectorAll('.menu-title')) title.setAttribute('aria-expanded', 'false');
  }

  function openMenu(menu) {
    closeMenus();
    menu.classList.add('open');
    menu.firstChild.setAttribute('aria-expanded', 'true');
  }

  for (const [text, list] of MENU) {
    const menu = document.createElement('div');
    menu.className = 'menu';
    const title = document.createElement('button');
    title.className = 'menu-title';
    title.setAttribute('role', 'menuitem');
    title.setAttribute('aria-haspopup', 'true');
    title.setAttribute('aria-expanded', 'false');
    title.textContent = text;
    const popup = document.createElement('ul');
    popup.className = 'popup';
    popup.setAttribute('role', 'menu');
    buildItems(list, popup);
    menu.append(title, popup);
    title.addEventListener('click', (e) => {
      e.stopPropagation();
      if (menu.classList.contains('open')) closeMenus(); else openMenu(menu);
    });
    // With one menu open, pointing at another title opens that one instead.
    title.addEventListener('mouseenter', () => {
      if (menubar.querySelector('.menu.open') && !menu.classList.contains('open')) openMenu(menu);
    });
    menubar.append(menu);
  }
  document.addEventListener('click', closeMenus);

  // --- Input: the queue the program takes one event from per pass ---

  function post(event) {
    if (modal || queue.length >= kQueueLimit) return;
    queue.push(event);
  }

  function canvasPoint(e) {
    const r = canvas.getBoundingClientRect();
    const x = Math.floor(e.clientX - r.left), y = Math.floor(e.clientY - r.top);
    return [Math.min(Math.max(x, 0), canvas.width - 1), Math.min(Math.max(y, 0), canvas.height - 1)];
  }

  canvas.addEventListener('mousedown', (e) => {
    if (e.button !== 0 && e.button !== 2) return;
    closeMenus();
    const [x, y] = canvasPoint(e);
    post([e.button === 0 ? kLeftDown : kRightDown, x, y]);
  });
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());

  document.addEventListener('keydown', (e) => {
    if (modal) { modalKeys(e); return; }  // the open box takes the keys, wherever the focus is
    if (e.key === 'Escape' && menubar.querySelector('.open')) { closeMenus(); return; }
    // Keys held with Alt are system keys, which the window leaves alone.
    if (e.altKey || e.metaKey || !e.keyCode) return;
    post([kKeyDown, e.keyCode, 0]);
    if (e.keyCode === 65 || e.keyCode === 46) e.preventDefault();
  });

  document.getElementById('close').addEventListener('click', () => post([kClose, 0, 0]));
  document.getElementById('restart').addEventListener('click', () => location.reload());

  // --- Modal boxes ---

  let modalKeys = () => {};
  // A click beside the box does not take the focus from it.
  overlay.addEventListener('mousedown', (e) => { if (e.target === overlay) e.preventDefault(); });

  // Shows `box` over the page, `keys` taking the key presses, until hideModal.
  // The pass that opened it is waiting, so no pass runs meanwhile.
  function showModal(box, keys) {
    closeMenus();
    modal = true;
    modalKeys = keys;
    modalInPass = true;
    overlay.replaceChildren(box);
    overlay.hidden = false;
  }

  function hideModal() {
    overlay.hidden = true;
    overlay.replaceChildren();
    modal = false;
    modalKeys = () => {};
  }

  function element(tag, className, text) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (text !== undefined) e.textContent = text;
    return e;
  }

  function dialog(caption) {
    const box = element('div', 'box');
    box.setAttribute('role', 'dialog');
    box.setAttribute('aria-modal', 'true');
    box.append(element('div', 'box-caption', caption));
    return box;
  }

  function messageBox(caption, text) {
    return new Promise((resolve) => {
      const box = dialog(caption);
      const ok = element('button', null, 'OK');
      const buttons = element('div', 'box-buttons');
      buttons.append(ok);
      box.append(element('div', 'box-text', text), buttons);
      const close = () => { hideModal(); resolve(); };
      ok.addEventListener('click', close);
      showModal(box, (e) => {
        if (e.key === 'Enter' || e.key === 'Escape') { e.preventDefault(); close(); }
      });
      ok.focus();
    });
  }

  // The 16 custom colours, 0xRRGGBB, black at first, kept for the life of the page.
  const customColors = new Array(16).fill(0);
  let nextCustom = 0;

  const hex = (rgb) => '#' + rgb.toString(16).padStart(6, '0');

  function chooseColor(current) {
    return new Promise((resolve) => {
      const box = dialog('Color');
      const chooser = element('div', 'chooser');
      const value = element('input');
      value.type = 'color';
      value.id = 'color-value';
      value.value = hex(current);
      const swatches = element('div', 'swatches');
      const paint = () => {
        swatches.replaceChildren(...customColors.map((rgb) => {
          const s = element('button', 'swatch');
          s.style.background = hex(rgb);
          s.title = hex(rgb);
          s.addEventListener('click', () => { value.value = hex(rgb); });
          return s;
        }));
      };
      paint();
      const add = element('button', null, 'Add to Custom Colors');
      add.addEventListener('click', () => {
        customColors[nextCustom] = parseInt(value.value.slice(1), 16);
        nextCustom = (nextCustom + 1) % customColors.length;
        paint();
      });
      chooser.append(value, element('div', null, 'Custom colors:'), swatches, add);
      const ok = element('button', null, 'OK');
      const cancel = element('button', null, 'Cancel');
      const buttons = element('div', 'box-buttons');
      buttons.append(ok, cancel);
      box.append(chooser, buttons);
      const close = (answer) => { hideModal(); resolve(answer); };
      ok.addEventListener('click', () => close(parseInt(value.value.slice(1), 16)));
      cancel.addEventListener('click', () => close(-1));
      showModal(box, (e) => {
        // Enter on a button presses that button, as the browser does anyway.
        if (e.key === 'Enter' && e.target.tagName !== 'BUTTON') { e.preventDefault(); ok.click(); }
        if (e.key === 'Escape') { e.preventDefault(); close(-1); }
      });
      ok.focus();
    });
  }

  // --- The clock: one pass per animation frame ---

  // With ?step in the address the passes run only when asked for (step), so
  // that a test can compare a given frame with the native program's.
  const stepping = new URLSearchParams(location.search).has('step');
  const channel = new MessageChannel();
  let passes = 0;
  let passTarget = 0;
  let stepDone = null;
  let inPass = false;
  let modalInPass = false;
  let passStart = 0;
  let started = false;
  let ended = false;
  // The last pass times in milliseconds (program plus the copy to the canvas),
  // in a ring that is made once.
  const passTimes = new Float64Array(600);
  let timedPasses = 0;

  function runPass() {
    inPass = true;
    modalInPass = false;
    passStart = performance.now();
    Module._PinballPass();
  }
  channel.port1.onmessage = runPass;

  function schedule() {
    if (!stepping) {
      requestAnimationFrame(runPass);
    } else if (passes < passTarget) {
      channel.port2.postMessage(0);
    } else if (stepDone) {
      const done = stepDone;
      stepDone = null;
      done(passes);
    }
  }

  function finishPass() {
    if (!inPass) return false;
    inPass = false;
    ++passes;
    if (!modalInPass) passTimes[timedPasses++ % passTimes.length] = performance.now() - passStart;
    return true;
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
    checkMenuItem(id, checked) {
      const item = items.get(id);
      if (item) item.setAttribute('aria-checked', checked ? 'true' : 'false');
    },
    messageBox,
    chooseColor,
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
      if (stepDone) { const done = stepDone; stepDone = null; done(passes); }
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

var Module = {
  onAbort(what) {
    document.getElementById('ended-text').textContent = 'The program has stopped: ' + what;
    document.getElementById('window').hidden = true;
    document.getElementById('ended').hidden = false;
  },
};
