// The program's input from the page: clicks and taps on the canvas, keys,
// files dropped on the canvas, and the A and Delete buttons. Each becomes
// an input event posted to the program's queue, as the window's messages.

import { ACCELERATORS } from './menu_resource.js';
import { ANSWERED_KEYS, EventKind } from './page_bridge.js';

// The program takes keys as Windows numbers them (virtual-key codes), as
// the browser's deprecated keyCode did: named keys by KeyboardEvent.key; a
// letter or digit as its capital's character code, read from the key's place
// when the layout gives no Latin one (Ctrl+Z on a Cyrillic layout is still
// Ctrl+Z); the punctuation keys by their place, as on a US layout.
// prettier-ignore
const kNamedKeys = {
  Backspace: 8, Tab: 9, Enter: 13, Shift: 16, Control: 17, Pause: 19, CapsLock: 20, Escape: 27, ' ': 32,
  PageUp: 33, PageDown: 34, End: 35, Home: 36, ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40,
  Insert: 45, Delete: 46, Meta: 91, ContextMenu: 93,
};
// prettier-ignore
const kPunctuation = {
  Semicolon: 186, Equal: 187, Comma: 188, Minus: 189, Period: 190, Slash: 191, Backquote: 192,
  BracketLeft: 219, Backslash: 220, BracketRight: 221, Quote: 222,
};

// The virtual-key code of a key, or null for a key that has none here.
function virtualKey({ key, code = '' }) {
  if (Object.hasOwn(kNamedKeys, key)) return kNamedKeys[key];
  const f = /^F([1-9][0-9]?)$/.exec(key);
  if (f && f[1] <= 24) return 111 + Number(f[1]);
  if (/^[a-z0-9]$/i.test(key)) return key.toUpperCase().charCodeAt(0);
  const at = /^(?:Key|Digit)([A-Z0-9])$/.exec(code);
  if (at) return at[1].charCodeAt(0);
  return Object.hasOwn(kPunctuation, code) ? kPunctuation[code] : null;
}

// The keys the window answers, and the keys that, held with Ctrl (or Cmd),
// are its accelerators: the program's, not the browser's.
const kAnswered = new Set(ANSWERED_KEYS);
const kShortcuts = new Set(ACCELERATORS.filter((a) => a.control).map((a) => a.key));

// As TranslateAccelerator does on Windows: the command of the resource
// script's accelerator table for a key held with Ctrl (or Cmd), or null.
function accelerator(code, shift) {
  const found = ACCELERATORS.find((a) => a.key === code && a.control && a.shift === shift && !a.alt);
  return found ? found.id : null;
}

export function connectInput({ canvas, post, menus, boxes, files, status }) {
  // Client coordinates to the canvas pixel under them, at any scale.
  function canvasPoint(clientX, clientY) {
    const r = canvas.getBoundingClientRect();
    const x = Math.floor(((clientX - r.left) * canvas.width) / r.width);
    const y = Math.floor(((clientY - r.top) * canvas.height) / r.height);
    return [Math.min(Math.max(x, 0), canvas.width - 1), Math.min(Math.max(y, 0), canvas.height - 1)];
  }

  function press(kind, clientX, clientY) {
    // As on Windows, a click beside an open menu only closes it.
    if (menus.isOpen()) {
      menus.close();
      return;
    }
    const [x, y] = canvasPoint(clientX, clientY);
    post([kind, x, y]);
  }

  canvas.addEventListener('mousedown', (e) => {
    if (e.button !== 0 && e.button !== 2) return;
    press(e.button === 0 ? EventKind.LeftDown : EventKind.RightDown, e.clientX, e.clientY);
  });
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());

  document.addEventListener('keydown', (e) => {
    // The open box takes the keys, wherever the focus is.
    if (boxes.isOpen()) {
      boxes.key(e);
      return;
    }
    if (menus.key(e)) return; // the menu bar's keys, and every key while it has the keyboard
    if (status.key(e)) return; // the canvas' cursor, while it has the focus
    if (e.key === 'Tab') return; // the page's, moving the focus along its parts
    // Backspace deletes too: some keyboards have no Delete key.
    const code = e.key === 'Backspace' ? kNamedKeys.Delete : virtualKey(e);
    // Keys held with Alt are system keys, which the window leaves alone.
    if (e.altKey || code === null) return;
    const shortcut = kShortcuts.has(code);
    if (e.metaKey && !shortcut) return;
    const command = e.ctrlKey || e.metaKey ? accelerator(code, e.shiftKey) : null;
    if (command !== null) {
      post([EventKind.Command, command, 0]);
    } else if (e.ctrlKey || e.metaKey) {
      post([EventKind.ControlKey, code, e.shiftKey ? 1 : 0]);
    } else {
      post([EventKind.KeyDown, code, 0]);
    }
    if (shortcut || kAnswered.has(code)) e.preventDefault();
  });

  // A file dropped on the canvas opens; dropped anywhere else it is not
  // the browser's to open in place of the page.
  for (const type of ['dragover', 'drop']) document.addEventListener(type, (e) => e.preventDefault());
  canvas.addEventListener('drop', (e) => {
    const file = e.dataTransfer && e.dataTransfer.files[0];
    if (file) files.drop(file, () => post([EventKind.OpenDropped, 0, 0]));
  });

  // --- Touch ---

  // A tap is a left click; a finger held still for half a second is a
  // right click, taken at once and shown by a ring. A finger that moves, or
  // a second finger, makes a gesture, which clicks nothing.
  const kHoldMs = 500;
  const kSlop = 6;
  let touch = null; // the finger on the canvas: {id, x, y, timer}
  const dropTouch = () => {
    if (touch) clearTimeout(touch.timer);
    touch = null;
  };

  function held(x, y) {
    touch = null;
    const ring = document.createElement('div');
    ring.className = 'held';
    ring.style.left = x + 'px';
    ring.style.top = y + 'px';
    document.body.append(ring);
    setTimeout(() => ring.remove(), 450);
    press(EventKind.RightDown, x, y);
  }

  canvas.addEventListener('pointerdown', (e) => {
    if (e.pointerType !== 'touch') return;
    e.preventDefault(); // no mouse events made up from the touch
    if (touch) {
      dropTouch();
      return;
    }
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
    press(EventKind.LeftDown, x, y);
  });
  canvas.addEventListener('pointercancel', dropTouch);

  // Without a keyboard at hand, the keys the program takes are buttons too.
  for (const button of document.querySelectorAll('#keys button')) {
    const code = virtualKey({ key: button.dataset.key });
    button.addEventListener('click', () => post([EventKind.KeyDown, code, 0]));
  }
}
