// The modal boxes over the page: the message box, the questions, the link
// and the colour chooser.
// Each returns a promise that settles when the box is closed; the program's
// pass waits on it, so nothing moves meanwhile.
// As a message box on Windows centres on its owner window, a box centres on
// `owner` (the program's window on the page), kept inside the viewport.

import { element } from './dom.js';

// The plain colour names, and the nearest of them to 0xRRGGBB (by distance in RGB).
// prettier-ignore
const kColourNames = [
  ['black', 0x000000], ['grey', 0x808080], ['silver', 0xc0c0c0], ['white', 0xffffff], ['red', 0xff0000],
  ['dark red', 0x800000], ['orange', 0xff8800], ['yellow', 0xffff00], ['olive', 0x808000], ['green', 0x00ff00],
  ['dark green', 0x008000], ['cyan', 0x00ffff], ['teal', 0x008080], ['blue', 0x0000ff], ['navy', 0x000080],
  ['purple', 0x800080], ['magenta', 0xff00ff], ['pink', 0xffc0cb], ['brown', 0x8b4513], ['sky blue', 0x87ceeb],
];
export function colourName(rgb) {
  const parts = (c) => [c >> 16, (c >> 8) & 0xff, c & 0xff];
  const distance = (c) => parts(c).reduce((sum, v, k) => sum + (v - parts(rgb)[k]) ** 2, 0);
  return kColourNames.reduce((best, named) => (distance(named[1]) < distance(best[1]) ? named : best))[0];
}

export function createBoxes(overlay, owner = document.getElementById('window')) {
  let keys = null; // the open box's key handler, or null
  let before = null; // what had the focus before the box opened
  // A click beside the box does not take the focus from it.
  overlay.addEventListener('mousedown', (e) => {
    if (e.target === overlay) e.preventDefault();
  });

  function place() {
    const box = overlay.firstChild;
    if (!box) return;
    const r = owner && !owner.hidden ? owner.getBoundingClientRect() : null;
    const [cx, cy] = r && r.width ? [r.left + r.width / 2, r.top + r.height / 2] : [innerWidth / 2, innerHeight / 2];
    const at = (c, size, room) => Math.max(0, Math.min(c - size / 2, room - size));
    box.style.left = at(cx, box.offsetWidth, document.documentElement.clientWidth) + 'px';
    box.style.top = at(cy, box.offsetHeight, document.documentElement.clientHeight) + 'px';
  }
  for (const type of ['resize', 'scroll']) addEventListener(type, place);

  function show(box, onKey) {
    before = document.activeElement;
    keys = onKey;
    overlay.replaceChildren(box);
    overlay.hidden = false;
    place();
  }

  function hide() {
    overlay.hidden = true;
    overlay.replaceChildren();
    keys = null;
    if (before && before.isConnected && before !== document.body) before.focus();
    before = null;
  }

  // Tab and Shift+Tab go round the box's own controls, never out of it.
  function tab(e) {
    const stops = [...overlay.querySelectorAll('button, input')];
    const k = stops.indexOf(document.activeElement);
    e.preventDefault();
    const next = k < 0 ? 0 : (k + (e.shiftKey ? -1 : 1) + stops.length) % stops.length;
    stops[next].focus();
  }

  let captions = 0;
  function dialog(caption) {
    const box = element('div', 'box');
    box.setAttribute('role', 'dialog');
    box.setAttribute('aria-modal', 'true');
    const title = element('div', 'box-caption', caption);
    title.id = `box-caption-${++captions}`;
    box.setAttribute('aria-labelledby', title.id);
    box.append(title);
    return box;
  }

  function buttons(...labels) {
    const row = element('div', 'box-buttons');
    const made = labels.map((l) => element('button', null, l));
    row.append(...made);
    return [row, ...made];
  }

  // Shows `box`, holding `content` above an OK button, which Enter and
  // Escape press too; resolves once it is closed.
  function showWithOk(box, content, resolve) {
    const [row, ok] = buttons('OK');
    box.append(content, row);
    const close = () => {
      hide();
      resolve();
    };
    ok.addEventListener('click', close);
    show(box, (e) => {
      if (e.key === 'Enter' || e.key === 'Escape') {
        e.preventDefault();
        close();
      }
    });
    return ok;
  }

  // Caption, text (line feeds break lines) and OK.
  function messageBox(caption, text) {
    return new Promise((resolve) => {
      showWithOk(dialog(caption), element('div', 'box-text', text), resolve).focus();
    });
  }

  // Caption, text and a row of buttons: the index of the one pressed; Escape
  // presses the last (Cancel), Enter the one with the focus.
  function choose(caption, text, labels) {
    return new Promise((resolve) => {
      const box = dialog(caption);
      const [row, ...made] = buttons(...labels);
      box.append(element('div', 'box-text', text), row);
      const close = (k) => {
        hide();
        resolve(k);
      };
      made.forEach((b, k) => b.addEventListener('click', () => close(k)));
      show(box, (e) => {
        if (e.key === 'Escape') {
          e.preventDefault();
          close(labels.length - 1);
        }
      });
      made[0].focus();
    });
  }

  // A labelled line of text holding `value`, for the boxes below.
  function textField(label, value) {
    const field = element('label', 'box-field', label);
    const input = element('input');
    input.value = value;
    field.append(input);
    return [field, input];
  }

  // A line of text to enter: the text on OK or Enter, null on Cancel or Escape.
  function askText(caption, label, value) {
    return new Promise((resolve) => {
      const box = dialog(caption);
      const [field, input] = textField(label, value);
      const [row, ok, cancel] = buttons('OK', 'Cancel');
      box.append(field, row);
      const close = (answer) => {
        hide();
        resolve(answer);
      };
      ok.addEventListener('click', () => close(input.value));
      cancel.addEventListener('click', () => close(null));
      show(box, (e) => {
        if (e.key === 'Enter' && e.target === input) {
          e.preventDefault();
          close(input.value);
        }
        if (e.key === 'Escape') {
          e.preventDefault();
          close(null);
        }
      });
      input.focus();
      input.select();
    });
  }

  // Caption, text and a link shown selected, to be copied by hand where the
  // clipboard is not offered.
  function showLink(caption, text, link) {
    return new Promise((resolve) => {
      const [field, input] = textField(text, link);
      input.readOnly = true;
      input.id = 'share-link';
      showWithOk(dialog(caption), field, resolve);
      input.focus();
      input.select();
    });
  }

  // The 16 custom colours, 0xRRGGBB, black at first, kept for the life of the
  // page; "Add to Custom Colors" fills them in turn.
  const custom = new Array(16).fill(0);
  const filled = new Array(16).fill(false);
  let nextCustom = 0;
  const hex = (rgb) => '#' + rgb.toString(16).padStart(6, '0');
  // A swatch's name for a screen reader: its colour's nearest plain name, and its value.
  const swatchName = (k) =>
    `Custom colour ${k + 1}: ` + (filled[k] ? `${colourName(custom[k])}, ${hex(custom[k])}` : 'empty');

  // Opens on `current` (0xRRGGBB); the chosen colour on OK, -1 on Cancel or Escape.
  function chooseColor(current) {
    return new Promise((resolve) => {
      const box = dialog('Color');
      const value = element('input');
      value.type = 'color';
      value.id = 'color-value';
      value.value = hex(current);
      value.setAttribute('aria-label', 'Color');
      const swatches = element('div', 'swatches');
      swatches.setAttribute('role', 'group');
      swatches.setAttribute('aria-label', 'Custom colors');
      const paint = () =>
        swatches.replaceChildren(
          ...custom.map((rgb, k) => {
            const s = element('button', 'swatch');
            s.style.background = hex(rgb);
            s.title = hex(rgb);
            s.setAttribute('aria-label', swatchName(k));
            s.addEventListener('click', () => {
              value.value = hex(rgb);
            });
            return s;
          }),
        );
      paint();
      const add = element('button', 'add-custom', 'Add to Custom Colors');
      add.addEventListener('click', () => {
        custom[nextCustom] = parseInt(value.value.slice(1), 16);
        filled[nextCustom] = true;
        nextCustom = (nextCustom + 1) % custom.length;
        paint();
      });
      const chooser = element('div', 'chooser');
      chooser.append(value, element('div', null, 'Custom colors:'), swatches, add);
      const [row, ok, cancel] = buttons('OK', 'Cancel');
      box.append(chooser, row);
      const close = (answer) => {
        hide();
        resolve(answer);
      };
      ok.addEventListener('click', () => close(parseInt(value.value.slice(1), 16)));
      cancel.addEventListener('click', () => close(-1));
      show(box, (e) => {
        // Enter on a button presses that button, as the browser does anyway.
        if (e.key === 'Enter' && e.target.tagName !== 'BUTTON') {
          e.preventDefault();
          ok.click();
        }
        if (e.key === 'Escape') {
          e.preventDefault();
          close(-1);
        }
      });
      ok.focus();
    });
  }

  return {
    messageBox,
    choose,
    askText,
    showLink,
    chooseColor,
    isOpen: () => keys !== null,
    key(e) {
      if (e.key === 'Tab') tab(e);
      else if (keys) keys(e);
    },
  };
}
