'use strict';
// The program's files in a web page. The page holds every file it is given
// (chosen, dropped, stored, or a shared link's table) by name, for the
// program to read; a save is a download. The table also keeps itself in the
// browser's local storage, and a link can carry it in its fragment, which
// no server sees.

const kStoreKey = 'pinball-table';
// The longest link offered: longer ones are cut short by some of the
// programs that carry links (mail, chat), which would spoil the table.
const kLinkLimit = 32000;
// Files larger than the program reads are not read into the page at all.
const kMaxFileBytes = 64 * 1024 * 1024;

function createFiles(notice) {
  const files = new Map();  // name -> { size, bytes }
  let droppedName = null;

  async function hold(file) {
    const entry = { size: file.size, bytes: null };
    if (file.size <= kMaxFileBytes) entry.bytes = new Uint8Array(await file.arrayBuffer());
    files.set(file.name, entry);
    return file.name;
  }

  const held = (name, bytes) => { files.set(name, { size: bytes.length, bytes }); };

  // The system's file chooser: the name of the file chosen, or null.
  function chooseFile() {
    const input = document.createElement('input');
    input.type = 'file';
    input.accept = '.pinball';
    return new Promise((resolve) => {
      input.addEventListener('change', () => {
        if (input.files.length) hold(input.files[0]).then(resolve); else resolve(null);
      });
      input.addEventListener('cancel', () => resolve(null));
      input.click();
    });
  }

  function download(name, bytes) {
    const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    const a = document.createElement('a');
    a.href = url;
    a.download = name;
    a.click();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  // A file dropped on the canvas; `then` learns it is held.
  function drop(file, then) {
    hold(file).then((name) => { droppedName = name; then(); });
  }

  function store(bytes, name, changed) {
    try {
      localStorage.setItem(kStoreKey, JSON.stringify({ name, changed, table: new TextDecoder().decode(bytes) }));
      notice.hidden = true;
    } catch (e) {
      // Too large for the browser's storage: say so rather than bring an older table back later.
      localStorage.removeItem(kStoreKey);
      notice.textContent = 'This table is too large for the browser to keep: save it to a file to keep it.';
      notice.hidden = false;
    }
  }

  // --- Links: the table deflated, in base64url, in the fragment ---

  async function pipe(bytes, stream) {
    return new Uint8Array(await new Response(new Blob([bytes]).stream().pipeThrough(stream)).arrayBuffer());
  }

  function toBase64Url(bytes) {
    let s = '';
    for (let i = 0; i < bytes.length; i += 0x8000) s += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return btoa(s).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }

  function fromBase64Url(text) {
    const s = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
    return Uint8Array.from(s, (c) => c.charCodeAt(0));
  }

  // The link to this page with the table in it, or null when it is too long.
  async function linkFor(bytes, name) {
    const data = toBase64Url(await pipe(bytes, new CompressionStream('deflate-raw')));
    const base = name.replace(/^.*[\\/]/, '').replace(/\.pinball$/, '');
    const link = location.origin + location.pathname + '#' +
      (base ? 'name=' + encodeURIComponent(base) + '&' : '') + 'table=' + data;
    return link.length <= kLinkLimit ? link : null;
  }

  // The table to start with: a link's, which then leaves the address (so that
  // a reload finds the stored table, edits and all), or the stored one, or null.
  async function takeStartTable() {
    // An example's link (?example=stadium) opens it untitled, then leaves the address.
    const search = new URLSearchParams(location.search);
    const example = search.get('example');
    if (example !== null) {
      search.delete('example');
      const rest = search.toString();
      history.replaceState(null, '', location.pathname + (rest ? '?' + rest : ''));
      let bytes = new Uint8Array(0);  // an unknown example opens as an empty file, which says so
      if (/^[a-z_]+$/.test(example)) {
        try {
          const response = await fetch('examples/' + example + '.pinball');
          if (response.ok) bytes = new Uint8Array(await response.arrayBuffer());
        } catch (e) {}
      }
      held('', bytes);
      return { name: '', changed: false };
    }
    const fragment = new URLSearchParams(location.hash.slice(1));
    if (fragment.has('table')) {
      history.replaceState(null, '', location.pathname + location.search);
      const name = fragment.has('name') ? fragment.get('name') + '.pinball' : '';
      let bytes = new Uint8Array(0);  // a damaged link opens as an empty file, which says so
      try { bytes = await pipe(fromBase64Url(fragment.get('table')), new DecompressionStream('deflate-raw')); } catch (e) {}
      held(name, bytes);
      return { name, changed: false };
    }
    try {
      const kept = JSON.parse(localStorage.getItem(kStoreKey));
      if (kept && typeof kept.table === 'string' && typeof kept.name === 'string') {
        held(kept.name, new TextEncoder().encode(kept.table));
        return { name: kept.name, changed: !!kept.changed };
      }
    } catch (e) {}
    return null;
  }

  return {
    files, chooseFile, download, drop, store, linkFor, takeStartTable,
    get droppedName() { return droppedName; },
    linkLimit: kLinkLimit,
  };
}
