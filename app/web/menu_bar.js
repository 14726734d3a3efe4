// The window's menu bar: the menu of the resource script in display order
// (menu_resource.js, written from it at build time), with its check marks.
// A menu opens on a click on its title; choosing an item sends its command
// id to `onCommand`. Which items show a mark, and whether one of a group or
// each its own, the program says (markItems).

import { element } from './dom.js';
import { MENU } from './menu_resource.js';

// The keys work the bar as on Windows: F10, or Alt pressed and released
// alone, puts the focus on the first title; the arrows move along the bar and
// in the menus, Enter or Space chooses, Escape goes back one level. While the
// bar has the keyboard, keys are the bar's, not the program's.
export function createMenuBar(bar, onCommand) {
  const items = new Map(); // command id -> item element
  const menus = []; // the top menus, in bar order
  let opened = null; // the open top menu, or null
  let active = false; // the bar has the keyboard
  let before = null; // what had the focus before the bar took it
  let altAlone = false; // Alt is down, and nothing else was pressed with it
  let labels = 0;
  let hovered = null; // the top menu the mouse opened by pointing at its title

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
    if (greyed(li)) return; // a greyed item cannot be chosen
    close();
    onCommand(Number(li.dataset.id));
  }

  // An item that shows a mark: its role, and its mark as it stands.
  function markable(li, role, checked) {
    li.setAttribute('role', role);
    if (!li.hasAttribute('aria-checked')) li.setAttribute('aria-checked', String(checked));
  }

  function popup(list, labelId) {
    const ul = element('ul', 'popup');
    ul.setAttribute('role', 'menu');
    ul.setAttribute('aria-labelledby', labelId);
    for (const entry of list) {
      const li = element('li');
      ul.append(li);
      if (entry.separator) {
        li.setAttribute('role', 'separator');
        continue;
      }
      li.tabIndex = -1;
      const mark = element('span', 'mark');
      mark.setAttribute('aria-hidden', 'true');
      const label = element('span', 'label', entry.text);
      li.append(mark, label);
      li.addEventListener('pointerenter', (e) => {
        if (e.pointerType === 'mouse') point(li);
      });
      if (entry.items) {
        label.id = `menu-label-${++labels}`;
        const arrow = element('span', 'arrow', '\u25B8');
        arrow.setAttribute('aria-hidden', 'true');
        li.setAttribute('role', 'menuitem');
        li.setAttribute('aria-labelledby', label.id); // its name is its text, not its submenu's too
        li.setAttribute('aria-haspopup', 'menu');
        li.setAttribute('aria-expanded', 'false');
        li.className = 'submenu';
        li.append(arrow, popup(entry.items, label.id));
        // A click opens it too, for pointers that cannot hover.
        li.addEventListener('click', (e) => {
          e.stopPropagation();
          if (e.target.closest('li') === li) point(li);
        });
      } else {
        // The shortcut at the right, as Windows shows the text after a tab.
        if (entry.shortcut) li.append(element('span', 'shortcut', entry.shortcut));
        li.setAttribute('role', 'menuitem');
        if (entry.checked) markable(li, 'menuitemcheckbox', true);
        if (entry.greyed) li.setAttribute('aria-disabled', 'true');
        li.dataset.id = String(entry.id);
        li.addEventListener('click', (e) => {
          e.stopPropagation();
          choose(li);
        });
        items.set(entry.id, li);
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
      else {
        activate();
        menus[0].firstChild.focus();
      }
      return true;
    }
    if (!active && !opened) return false;
    if (altAlone) return true;
    if (k === 'Tab' && active) {
      // Tab leaves the bar, from its title, to the next stop or (Shift) the one before.
      const at = document.activeElement.closest('.menu');
      hidePopups();
      if (at) at.firstChild.focus();
      active = false;
      before = null;
      return true;
    }
    e.preventDefault();
    if (!active) {
      // A menu opened with the mouse: Escape closes it, the arrows and Enter take it over.
      if (k === 'Escape') {
        close();
        return true;
      }
      if (!['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Enter'].includes(k)) return true;
      activate();
    }
    const at = bar.contains(document.activeElement) ? document.activeElement : (opened || menus[0]).firstChild;
    const step = k === 'ArrowLeft' || k === 'ArrowUp' ? -1 : 1;
    if (at.classList.contains('menu-title')) {
      const menu = at.parentElement;
      if (k === 'ArrowLeft' || k === 'ArrowRight') {
        const next = around(menus, menu, step);
        if (opened) enter(next);
        else next.firstChild.focus();
      } else if (k === 'ArrowDown' || k === 'ArrowUp' || k === 'Enter' || k === ' ') {
        enter(menu, k === 'ArrowUp');
      } else if (k === 'Escape') {
        close();
      }
      return true;
    }
    const popupOf = at.parentElement,
      owner = popupOf.parentElement; // a submenu item or a top menu
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
      if (inTop) {
        owner.firstChild.focus();
        hidePopups();
      } else {
        owner.focus();
        setSubmenu(owner, false);
      }
    } else if ((k === 'Enter' || k === ' ') && at.dataset.id) {
      choose(at);
    }
    return true;
  }

  MENU.forEach(({ text, items: list }, k) => {
    const menu = element('div', 'menu');
    menu.setAttribute('role', 'none');
    const title = element('button', 'menu-title', text);
    title.id = `menu-title-${k}`;
    title.setAttribute('role', 'menuitem');
    title.setAttribute('aria-haspopup', 'menu');
    title.setAttribute('aria-expanded', 'false');
    // The bar is one stop in the Tab order, at its first title; the arrows go on from there.
    title.tabIndex = k === 0 ? 0 : -1;
    menu.append(title, popup(list, title.id));
    // A click on the open menu's title closes it, unless the pointer opened it
    // on its way there: with one menu open, another title's opens in its place.
    title.addEventListener('click', (e) => {
      e.stopPropagation();
      if (opened === menu && hovered !== menu) close();
      else open(menu);
      hovered = null;
    });
    // With one menu open, pointing at another title opens that one instead.
    // (A finger points at nothing: its tap is the click.)
    title.addEventListener('pointerenter', (e) => {
      if (e.pointerType !== 'mouse' || !opened || opened === menu) return;
      open(menu);
      hovered = menu;
    });
    title.addEventListener('pointerleave', () => {
      hovered = null;
    });
    menus.push(menu);
    bar.append(menu);
  });
  // A click on the bar does not take the focus to it, so the keys stay where they were.
  bar.addEventListener('mousedown', (e) => e.preventDefault());
  // Tab reaches the bar as F10 does; Escape then leaves it for where the focus was.
  bar.addEventListener('focusin', (e) => {
    if (active) return;
    before = e.relatedTarget;
    active = true;
  });
  // Focus taken elsewhere (a click in a field, say) leaves the bar.
  bar.addEventListener('focusout', (e) => {
    if (active && e.relatedTarget && !bar.contains(e.relatedTarget)) {
      active = false;
      before = null;
      hidePopups();
    }
  });
  document.addEventListener('click', close);
  document.addEventListener('keyup', (e) => {
    if (e.key !== 'Alt' || !altAlone) return;
    altAlone = false;
    e.preventDefault();
    if (active || opened) close();
    else {
      activate();
      menus[0].firstChild.focus();
    }
  });
  // Alt held for a click or while the window was left is not Alt alone.
  document.addEventListener(
    'mousedown',
    () => {
      altAlone = false;
    },
    true,
  );
  window.addEventListener('blur', () => {
    altAlone = false;
  });

  return {
    close,
    key,
    isOpen: () => opened !== null || active,
    // Like CheckMenuItem by command id: an id with no item changes nothing;
    // an item not known to show a mark shows one from now on.
    check(id, checked) {
      const item = items.get(id);
      if (!item) return;
      if (!item.hasAttribute('aria-checked')) markable(item, 'menuitemcheckbox', false);
      item.setAttribute('aria-checked', checked ? 'true' : 'false');
    },
    // The items `ids` show a mark: one of them at a time (`oneOf`), or each its own.
    markItems(ids, oneOf) {
      for (const id of ids) {
        const item = items.get(id);
        if (item) markable(item, oneOf ? 'menuitemradio' : 'menuitemcheckbox', false);
      }
    },
    // Like EnableMenuItem by command id: a greyed item shows grey and cannot be chosen.
    enable(id, enabled) {
      const item = items.get(id);
      if (item) item.setAttribute('aria-disabled', enabled ? 'false' : 'true');
    },
  };
}
