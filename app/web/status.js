// The status line under the canvas, the rings of the clicks pending (shown
// where the pointer is a finger), and the keyboard's cursor on the canvas.
// The words come from the program (PageSetStatus); the rings and the cursor
// lie over the canvas, never in its pixels.

import { EventKind } from './page_bridge.js';

export function createStatus({ canvas, line, marks, says, post }) {
  let next = ''; // what the next click does, as the status line says it
  const cursor = marks.querySelector('.cursor');
  let at = [canvas.width >> 1, canvas.height >> 1]; // the cursor, in canvas pixels

  // A mark at canvas pixel (x, y), placed in fractions of the canvas so that it follows any scale.
  const place = (e, x, y) => {
    e.style.left = `${((x + 0.5) * 100) / canvas.width}%`;
    e.style.top = `${((y + 0.5) * 100) / canvas.height}%`;
  };
  place(cursor, ...at);

  function moveCursor(dx, dy) {
    at = [Math.min(Math.max(at[0] + dx, 0), canvas.width - 1), Math.min(Math.max(at[1] + dy, 0), canvas.height - 1)];
    place(cursor, ...at);
    says.textContent = `${at[0]}, ${at[1]}: ${next}`;
  }

  // The canvas' own keys while it has the focus: true if the key was one.
  const kSteps = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };
  function key(e) {
    if (document.activeElement !== canvas || e.altKey || e.ctrlKey || e.metaKey) return false;
    if (Object.hasOwn(kSteps, e.key)) {
      const [dx, dy] = kSteps[e.key].map((d) => d * (e.shiftKey ? 10 : 1));
      moveCursor(dx, dy);
    } else if (e.key === 'Enter') {
      post([e.shiftKey ? EventKind.RightDown : EventKind.LeftDown, at[0], at[1]]);
    } else {
      return false;
    }
    e.preventDefault();
    return true;
  }

  return {
    key,
    get cursor() {
      return [...at];
    },
    set(words, nextClick) {
      line.textContent = words;
      next = nextClick;
    },
    // The pending clicks, flat x, y pairs: a ring at each.
    pending(xy) {
      const rings = [];
      for (let k = 0; k + 1 < xy.length; k += 2) {
        const ring = document.createElement('div');
        ring.className = 'pending';
        place(ring, xy[k], xy[k + 1]);
        rings.push(ring);
      }
      marks.replaceChildren(cursor, ...rings);
    },
  };
}
