'use strict';
// The window's menu bar, menu resource 101 in display order, with its check
// marks. A menu opens on a click on its title; choosing an item sends its
// command id to `onCommand`.

// [text, id, checked at start, greyed at start], '-' for a separator,
// [text, [items]] for a submenu. Share Link is the page's own.
const MENU = [
  ['File', [
    ['Reset', 40001], ['Edit', 40002], ['Clear', 40004], '-',
    ['Undo', 40039, false, true], ['Redo', 40040, false, true], '-',
    ['Open...', 40036], ['Save', 40037], ['Save As...', 40038], ['Share Link', 40041], '-',
    ['Quit', 40005],
  ]],
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

function element(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

function createMenuBar(bar, onCommand) {
  const items = new Map();  // command id -> item element
  let opened = null;        // the open menu, or null

  function popup(list) {
    const ul = element('ul', 'popup');
    ul.setAttribute('role', 'menu');
    for (const entry of list) {
      const li = element('li');
      if (entry === '-') {
        li.setAttribute('role', 'separator');
      } else if (Array.isArray(entry[1])) {
        li.setAttribute('role', 'menuitem');
        li.setAttribute('aria-haspopup', 'true');
        li.className = 'submenu';
        li.append(element('span', 'mark'), element('span', 'label', entry[0]), popup(entry[1]));
        // Opens on hover, and on a click for pointers that cannot hover.
        li.addEventListener('click', (e) => {
          e.stopPropagation();
          if (e.target.closest('li') === li) li.classList.toggle('open');
        });
      } else {
        const [text, id, checked, greyed] = entry;
        li.setAttribute('role', 'menuitemcheckbox');
        li.dataset.id = String(id);
        li.setAttribute('aria-checked', checked ? 'true' : 'false');
        if (greyed) li.setAttribute('aria-disabled', 'true');
        li.append(element('span', 'mark'), element('span', 'label', text));
        li.addEventListener('click', (e) => {
          e.stopPropagation();
          if (li.getAttribute('aria-disabled') === 'true') return;  // a greyed item cannot be chosen
          close();
          onCommand(id);
        });
        items.set(id, li);
      }
      ul.append(li);
    }
    return ul;
  }

  function close() {
    opened = null;
    for (const open of bar.querySelectorAll('.open')) open.classList.remove('open');
    for (const title of bar.querySelectorAll('.menu-title')) title.setAttribute('aria-expanded', 'false');
  }

  function open(menu) {
    close();
    menu.classList.add('open');
    opened = menu;
    menu.firstChild.setAttribute('aria-expanded', 'true');
  }

  for (const [text, list] of MENU) {
    const menu = element('div', 'menu');
    const title = element('button', 'menu-title', text);
    title.setAttribute('role', 'menuitem');
    title.setAttribute('aria-haspopup', 'true');
    title.setAttribute('aria-expanded', 'false');
    // The titles never keep the focus, so Enter or Space later do not reopen a menu.
    title.tabIndex = -1;
    title.addEventListener('mousedown', (e) => e.preventDefault());
    menu.append(title, popup(list));
    title.addEventListener('click', (e) => {
      e.stopPropagation();
      if (opened === menu) close(); else open(menu);
    });
    // With one menu open, pointing at another title opens that one instead.
    title.addEventListener('mouseenter', () => {
      if (opened && opened !== menu) open(menu);
    });
    bar.append(menu);
  }
  document.addEventListener('click', close);

  return {
    close,
    isOpen: () => opened !== null,
    // Like CheckMenuItem by command id: an id with no item changes nothing.
    check(id, checked) {
      const item = items.get(id);
      if (item) item.setAttribute('aria-checked', checked ? 'true' : 'false');
    },
    // Like EnableMenuItem by command id: a greyed item shows grey and cannot be chosen.
    enable(id, enabled) {
      const item = items.get(id);
      if (item) item.setAttribute('aria-disabled', enabled ? 'false' : 'true');
    },
  };
}
