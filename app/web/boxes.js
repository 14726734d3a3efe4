'use strict';
// The modal boxes over the page: the message box, the questions, the link
// and the colour chooser.
// Each returns a promise that settles when the box is closed; the program's
// pass waits on it, so nothing moves meanwhile. Uses `element` (menu_bar.js).

function createBoxes(overlay) {
  let keys = null;  // the open box's key handler, or null
  // A click beside the box does not take the focus from it.
  overlay.addEventListener('mousedown', (e) => { if (e.target === overlay) e.preventDefault(); });

  function show(box, onKey) {
    keys = onKey;
    overlay.replaceChildren(box);
    overlay.hidden = false;
  }

  function hide() {
    overlay.hidden = true;
    overlay.replaceChildren();
    keys = null;
  }

  function dialog(caption) {
    const box = element('div', 'box');
    box.setAttribute('role', 'dialog');
    box.setAttribute('aria-modal', 'true');
    box.append(element('div', 'box-caption', caption));
    return box;
  }

  function buttons(...labels) {
    const row = element('div', 'box-buttons');
    const made = labels.map((l) => element('button', null, l));
    row.append(...made);
    return [row, ...made];
  }

  // Caption, text (line feeds break lines) and OK; Enter and Escape close it too.
  function messageBox(caption, text) {
    return new Promise((resolve) => {
      const box = dialog(caption);
      const [row, ok] = buttons('OK');
      box.append(element('div', 'box-text', text), row);
      const close = () => { hide(); resolve(); };
      ok.addEventListener('click', close);
      show(box, (e) => {
        if (e.key === 'Enter' || e.key === 'Escape') { e.preventDefault(); close(); }
      });
      ok.focus();
    });
  }

  // Caption, text and a row of buttons: the index of the one pressed; Escape
  // presses the last (Cancel), Enter the one with the focus.
  function choose(caption, text, labels) {
    return new Promise((resolve) => {
      const box = dialog(caption);
      const [row, ...made] = buttons(...labels);
      box.append(element('div', 'box-text', text), row);
      const close = (k) => { hide(); resolve(k); };
      made.forEach((b, k) => b.addEventListener('click', () => close(k)));
      show(box, (e) => { if (e.key === 'Escape') { e.preventDefault(); close(labels.length - 1); } });
      made[0].focus();
    });
  }

  // A line of text to enter: the text on OK or Enter, null on Cancel or Escape.
  function askText(caption, label, value) {
    return new Promise((resolve) => {
      const box = dialog(caption);
      const field = element('label', 'box-field', label);
      const input = element('input');
      input.value = value;
      field.append(input);
      const [row, ok, cancel] = buttons('OK', 'Cancel');
      box.append(field, row);
      const close = (answer) => { hide(); resolve(answer); };
      ok.addEventListener('click', () => close(input.value));
      cancel.addEventListener('click', () => close(null));
      show(box, (e) => {
        if (e.key === 'Enter' && e.target === input) { e.preventDefault(); close(input.value); }
        if (e.key === 'Escape') { e.preventDefault(); close(null); }
      });
      input.focus();
      input.select();
    });
  }

  // Caption, text and a link shown selected, to be copied by hand where the
  // clipboard is not offered; OK, Enter or Escape close it.
  function showLink(caption, text, link) {
    return new Promise((resolve) => {
      const box = dialog(caption);
      const field = element('label', 'box-field', text);
      const input = element('input');
      input.readOnly = true;
      input.value = link;
      input.id = 'share-link';
      field.append(input);
      const [row, ok] = buttons('OK');
      box.append(field, row);
      const close = () => { hide(); resolve(); };
      ok.addEventListener('click', close);
      show(box, (e) => {
        if (e.key === 'Enter' || e.key === 'Escape') { e.preventDefault(); close(); }
      });
      input.focus();
      input.select();
    });
  }

  // The 16 custom colours, 0xRRGGBB, black at first, kept for the life of the
  // page; "Add to Custom Colors" fills them in turn.
  const custom = new Array(16).fill(0);
  let nextCustom = 0;
  const hex = (rgb) => '#' + rgb.toString(16).padStart(6, '0');

  // Opens on `current` (0xRRGGBB); the chosen colour on OK, -1 on Cancel or Escape.
  function chooseColor(current) {
    return new Promise((resolve) => {
      const box = dialog('Color');
      const value = element('input');
      value.type = 'color';
      value.id = 'color-value';
      value.value = hex(current);
      const swatches = element('div', 'swatches');
      const paint = () => swatches.replaceChildren(...custom.map((rgb) => {
        const s = element('button', 'swatch');
        s.style.background = hex(rgb);
        s.title = hex(rgb);
        s.addEventListener('click', () => { value.value = hex(rgb); });
        return s;
      }));
      paint();
      const add = element('button', 'add-custom', 'Add to Custom Colors');
      add.addEventListener('click', () => {
        custom[nextCustom] = parseInt(value.value.slice(1), 16);
        nextCustom = (nextCustom + 1) % custom.length;
        paint();
      });
      const chooser = element('div', 'chooser');
      chooser.append(value, element('div', null, 'Custom colors:'), swatches, add);
      const [row, ok, cancel] = buttons('OK', 'Cancel');
      box.append(chooser, row);
      const close = (answer) => { hide(); resolve(answer); };
      ok.addEventListener('click', () => close(parseInt(value.value.slice(1), 16)));
      cancel.addEventListener('click', () => close(-1));
      show(box, (e) => {
        // Enter on a button presses that button, as the browser does anyway.
        if (e.key === 'Enter' && e.target.tagName !== 'BUTTON') { e.preventDefault(); ok.click(); }
        if (e.key === 'Escape') { e.preventDefault(); close(-1); }
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
    key: (e) => keys && keys(e),
  };
}
