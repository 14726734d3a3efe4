'use strict';
// The window's menu bar, menu resource 101 in display order, with its check
// marks. A menu opens on a click on its title; choosing an item sends its
// command id to `onCommand`.

// [text, id, flags] for a command, '-' for a separator, [text, [items]] for
// a submenu. The flags: 'check' (a mark of its own) or 'radio' (one mark in a
// group: the colours, the tools, the speeds, the radii), as the program marks
// them (scene/commands.cpp); 'checked' and 'greyed' at start. Share Link is
// the page's own.
const MENU = [
  ['File', [
    ['Reset', 40001], ['Edit', 40002, 'check'], ['Clear', 40004], '-',
    ['Undo', 40039, 'greyed'], ['Redo', 40040, 'greyed'], '-',
    ['New', 40042], ['Open...', 40036],
    ['Examples', [['Sinai billiard', 40050], ['Stadium', 40051], ['Mushroom', 40052],
      ['Equilateral triangle', 40053], ['Two balls a millionth apart', 40054]]],
    ['Save', 40037], ['Save As...', 40038], ['Share Link', 40041], '-',
    ['Quit', 40005],
  ]],
  ['Color', [['Red', 40006, 'radio checked'], ['Green', 40007, 'radio'], ['Blue', 40008, 'radio'], '-',
    ['Other', 40034, 'radio']]],
  ['Shape', [['Circle', 40009, 'radio'], ['Box', 40010, 'radio'], ['Triangle', 40011, 'radio checked'],
    ['Polygon', 40012, 'radio']]],
  ['Pinball', [
    ['Create Pinball', 40015, 'radio'],
    ['Set Speed', [['x 1', 40018, 'radio'], ['x 2', 40019, 'radio'], ['x 3', 40026, 'radio checked']]],
    // No radius is marked at start, though new balls start at radius 5.
    ['Set Radius', [['x .5', 40031, 'radio'], ['x 1', 40029, 'radio'], ['x 1.5', 40032, 'radio']]], '-',
    ['Pause', 40043, 'check'], ['Step', 40044], ['Step Back', 40045],
    ['Slow Motion', [['x 1', 40046, 'radio checked'], ['x 1/2', 40047, 'radio'], ['x 1/4', 40048, 'radio']]],
    ['Trails', 40049, 'check'],
  ]],
  ['Help', [['Instructions', 40014], ['About', 40035]]],
];

function element(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

// The keys work the bar as on Windows: F10, or Alt pressed and released
// alone, puts the focus on the first title; the arrows move along the bar and
// in the menus, Enter or Space chooses, Escape goes back one level. While the
// bar has the keyboard, keys are the bar's, not the program's.
function createMenuBar(bar, onCommand) {
  const items = new Map();  // command id -> item element
  const menus = [];         // the top menus, in bar order
  let opened = null;        // the open top menu, or null
  let active = false;       // the bar has the keyboard
  let before = null;        // what had the focus before the bar took it
  let altAlone = false;     // Alt is down, and nothing else was pressed with it
  let labels = 0;

  const greyed = (li) => li.getAttribute('aria-disabled') === 'true';
  // Where the arrows stop: not on separators, nor on greyed items, which Windows passes over.
  const stops = (popup) => [...popup.children].filter((li) => li.getAttribute('role') !== 'separator' && !greyed(li));
  const around = (list, at, step) => list[(list.indexOf(at) + step + list.length) % list.length];

  function setSubmenu(li, open) {
    li.classList.toggle('open', open);
    li.setAttribute('aria-expanded', String(open));
    if (!open) for (const inner of li.querySelectorAll('.submenu.open')) setSubmenu(inner, false);
  }

  // One submenu open at a time: pointing at an item closes its neighbours'.
  function point(li) {
    if (active) li.focus();
    for (const other of li.parentElement.children) {
      if (other !== li && other.classList.contains('open')) setSubmenu(other, false);
    }
    if (li.classList.contains('submenu')) setSubmenu(li, true);
  }

  function choose(li) {
    if (greyed(li)) return;  // a greyed item cannot be chosen
    close();
    onCommand(Number(li.dataset.id));
  }

  function popup(list, labelId) {
    const ul = element('ul', 'popup');
    ul.setAttribute('role', 'menu');
    ul.setAttribute('aria-labelledby', labelId);
    for (const entry of list) {
      const li = element('li');
      ul.append(li);
      if (entry === '-') {
        li.setAttribute('role', 'separator');
        continue;
      }
      li.tabIndex = -1;
      const mark = element('span', 'mark');
      mark.setAttribute('aria-hidden', 'true');
      const label = element('span', 'label', entry[0]);
      li.append(mark, label);
      li.addEventListener('mouseenter', () => point(li));
      if (Array.isArray(entry[1])) {
        label.id = `menu-label-${++labels}`;
        const arrow = element('span', 'arrow', '\u25B8');
        arrow.setAttribute('aria-hidden', 'true');
        li.setAttribute('role', 'menuitem');
        li.setAttribute('aria-labelledby', label.id);  // its name is its text, not its submenu's too
        li.setAttribute('aria-haspopup', 'menu');
        li.setAttribute('aria-expanded', 'false');
        li.className = 'submenu';
        li.append(arrow, popup(entry[1], label.id));
        // A click opens it too, for pointers that cannot hover.
        li.addEventListener('click', (e) => {
          e.stopPropagation();
          if (e.target.closest('li') === li) point(li);
        });
      } else {
        const [, id, flags = ''] = entry;
        const has = (flag) => flags.split(' ').includes(flag);
        li.setAttribute('role', has('radio') ? 'menuitemradio' : has('check') ? 'menuitemcheckbox' : 'menuitem');
        if (has('radio') || has('check')) li.setAttribute('aria-checked', String(has('checked')));
        if (has('greyed')) li.setAttribute('aria-disabled', 'true');
        li.dataset.id = String(id);
        li.addEventListener('click', (e) => {
          e.stopPropagation();
          choose(li);
        });
        items.set(id, li);
      }
    }
    return ul;
  }

  function hidePopups() {
    opened = null;
    for (const menu of menus) {
      menu.classList.remove('open');
      menu.firstChild.setAttribute('aria-expanded', 'false');
    }
    for (const li of bar.querySelectorAll('.submenu.open')) setSubmenu(li, false);
  }

  // Closes the menus and leaves the bar, the focus back where it was.
  function close() {
    if (active && bar.contains(document.activeElement)) {
      if (before && before.isConnected && before !== document.body) before.focus();
      else document.activeElement.blur();
    }
    active = false;
    before = null;
    hidePopups();
  }

  function open(menu) {
    // The focus first leaves the popup that is about to hide.
    if (bar.contains(document.activeElement)) menu.firstChild.focus();
    hidePopups();
    menu.classList.add('open');
    menu.firstChild.setAttribute('aria-expanded', 'true');
    opened = menu;
  }

  // Opens `menu` from the keyboard, on its first item or (`last`) its last.
  function enter(menu, last) {
    open(menu);
    const list = stops(menu.lastChild);
    if (list.length) list[last ? list.length - 1 : 0].focus();
  }

  function activate() {
    before = document.activeElement;
    active = true;
  }

  // A key from the page, before the program sees it: true if it is the bar's.
  function key(e) {
    altAlone = e.key === 'Alt' && !e.ctrlKey && !e.shiftKey && !e.metaKey;
    const k = e.key;
    if (k === 'F10' && !e.ctrlKey && !e.shiftKey && !e.altKey && !e.metaKey) {
      e.preventDefault();
      if (active || opened) close();
      else { activate(); menus[0].firstChild.focus(); }
      return true;
    }
    if (!active && !opened) return false;
    if (altAlone) return true;
    e.preventDefault();
    if (!active) {
      // A menu opened with the mouse: Escape closes it, the arrows and Enter take it over.
      if (k === 'Escape') { close(); return true; }
      if (!['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Enter'].includes(k)) return true;
      activate();
    }
    const at = bar.contains(document.activeElement) ? document.activeElement : (opened || menus[0]).firstChild;
    const step = k === 'ArrowLeft' || k === 'ArrowUp' ? -1 : 1;
    if (at.classList.contains('menu-title')) {
      const menu = at.parentElement;
      if (k === 'ArrowLeft' || k === 'ArrowRight') {
        const next = around(menus, menu, step);
        if (opened) enter(next); else next.firstChild.focus();
      } else if (k === 'ArrowDown' || k === 'ArrowUp' || k === 'Enter' || k === ' ') {
        enter(menu, k === 'ArrowUp');
      } else if (k === 'Escape') {
        close();
      }
      return true;
    }
    const popupOf = at.parentElement, owner = popupOf.parentElement;  // a submenu item or a top menu
    const inTop = owner.classList.contains('menu');
    if (k === 'ArrowUp' || k === 'ArrowDown') {
      const list = stops(popupOf);
      const next = list.includes(at) ? around(list, at, step) : list[step > 0 ? 0 : list.length - 1];
      if (next) next.focus();
    } else if (at.classList.contains('submenu') && (k === 'ArrowRight' || k === 'Enter' || k === ' ')) {
      point(at);
      const list = stops(at.lastChild);
      if (list.length) list[0].focus();
    } else if (k === 'ArrowRight' || (k === 'ArrowLeft' && inTop)) {
      enter(around(menus, at.closest('.menu'), step));
    } else if (k === 'ArrowLeft' || k === 'Escape') {
      // Back one level: to the submenu's item, or from a top menu to its title.
      if (inTop) { owner.firstChild.focus(); hidePopups(); } else { owner.focus(); setSubmenu(owner, false); }
    } else if ((k === 'Enter' || k === ' ') && at.dataset.id) {
      choose(at);
    }
    return true;
  }

  MENU.forEach(([text, list], k) => {
    const menu = element('div', 'menu');
    menu.setAttribute('role', 'none');
    const title = element('button', 'menu-title', text);
    title.id = `menu-title-${k}`;
    title.setAttribute('role', 'menuitem');
    title.setAttribute('aria-haspopup', 'menu');
    title.setAttribute('aria-expanded', 'false');
    // Out of the Tab order: the keys reach the bar through F10 or Alt, as on Windows.
    title.tabIndex = -1;
    menu.append(title, popup(list, title.id));
    title.addEventListener('click', (e) => {
      e.stopPropagation();
      if (opened === menu) close(); else open(menu);
    });
    // With one menu open, pointing at another title opens that one instead.
    title.addEventListener('mouseenter', () => {
      if (opened && opened !== menu) open(menu);
    });
    menus.push(menu);
    bar.append(menu);
  });
  // A click on the bar does not take the focus to it, so the keys stay where they were.
  bar.addEventListener('mousedown', (e) => e.preventDefault());
  // Focus taken elsewhere (a click in a field, say) leaves the bar.
  bar.addEventListener('focusout', (e) => {
    if (active && e.relatedTarget && !bar.contains(e.relatedTarget)) { active = false; before = null; hidePopups(); }
  });
  document.addEventListener('click', close);
  document.addEventListener('keyup', (e) => {
    if (e.key !== 'Alt' || !altAlone) return;
    altAlone = false;
    e.preventDefault();
    if (active || opened) close();
    else { activate(); menus[0].firstChild.focus(); }
  });
  // Alt held for a click or while the window was left is not Alt alone.
  document.addEventListener('mousedown', () => { altAlone = false; }, true);
  window.addEventListener('blur', () => { altAlone = false; });

  return {
    close,
    key,
    isOpen: () => opened !== null || active,
    // Like CheckMenuItem by command id: an id with no item, or an item that
    // never shows a mark, changes nothing.
    check(id, checked) {
      const item = items.get(id);
      if (item && item.hasAttribute('aria-checked')) item.setAttribute('aria-checked', checked ? 'true' : 'false');
    },
    // Like EnableMenuItem by command id: a greyed item shows grey and cannot be chosen.
    enable(id, enabled) {
      const item = items.get(id);
      if (item) item.setAttribute('aria-disabled', enabled ? 'false' : 'true');
    },
  };
}
