// The program's files in a web page. The page holds every file it is given
// (chosen, dropped, stored, or a shared link's table) by name, for the
// program to read; a save is a download. The table also keeps itself in the
// browser: each tab its own, across its reloads (session storage), and the
// one kept last for a new tab (local storage). A link can carry it in its
// fragment, which no server sees.

const kStoreKey = 'pinball-table';
// The longest link offered: longer ones are cut short by some of the
// programs that carry links (mail, chat), which would spoil the table.
const kLinkLimit = 32000;
// Files larger than the program reads are not read into the page at all.
const kMaxFileBytes = 64 * 1024 * 1024;

export function createFiles(notice) {
  const files = new Map(); // name -> { size, bytes }
  let droppedName = null;

  async function hold(file) {
    const entry = { size: file.size, bytes: null };
    if (file.size <= kMaxFileBytes) entry.bytes = new Uint8Array(await file.arrayBuffer());
    files.set(file.name, entry);
    return file.name;
  }

  const held = (name, bytes) => {
    files.set(name, { size: bytes.length, bytes });
  };

  // The system's file chooser: the name of the file chosen, or null.
  function chooseFile() {
    const input = document.createElement('input');
    input.type = 'file';
    input.accept = '.pinball';
    return new Promise((resolve) => {
      input.addEventListener('change', () => {
        if (input.files.length) hold(input.files[0]).then(resolve);
        else resolve(null);
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
    hold(file).then((name) => {
      droppedName = name;
      then();
    });
  }

  // This tab's table; `shared` when it is a change made here, which a new tab
  // then starts from. A change never reaches another tab's own table.
  function store(bytes, name, changed, shared) {
    const kept = JSON.stringify({ name, changed, table: new TextDecoder().decode(bytes) });
    try {
      sessionStorage.setItem(kStoreKey, kept);
      if (shared) localStorage.setItem(kStoreKey, kept);
      notice.hidden = true;
    } catch (e) {
      // Too large for the browser's storage (or no storage offered): say so
      // rather than bring an older table back later (this tab's, or another
      // tab's in its place).
      if (!(e instanceof DOMException)) throw e;
      sessionStorage.setItem(kStoreKey, '{}');
      if (shared) localStorage.removeItem(kStoreKey);
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
    const link =
      location.origin +
      location.pathname +
      '#' +
      (base ? 'name=' + encodeURIComponent(base) + '&' : '') +
      'table=' +
      data;
    return link.length <= kLinkLimit ? link : null;
  }

  // The table to start with: this tab's own, or else (in a new tab) the one
  // kept last, or null.
  function takeStartTable() {
    const own = sessionStorage.getItem(kStoreKey);
    try {
      const kept = JSON.parse(own !== null ? own : localStorage.getItem(kStoreKey));
      if (kept && typeof kept.table === 'string' && typeof kept.name === 'string') {
        held(kept.name, new TextEncoder().encode(kept.table));
        return { name: kept.name, changed: !!kept.changed };
      }
    } catch (e) {
      // A stored entry that is not ours (JSON's SyntaxError), or storage the browser refuses.
      if (!(e instanceof SyntaxError || e instanceof DOMException)) throw e;
      console.warn('The stored table cannot be read:', e);
    }
    return null;
  }

  const hasLink = () => {
    const fragment = new URLSearchParams(location.hash.slice(1));
    return fragment.has('table') || fragment.has('example');
  };

  // An example's table (#example=stadium), untitled, as File > Examples opens it.
  async function takeExample(example) {
    history.replaceState(null, '', location.pathname + location.search);
    if (/^[a-z_]+$/.test(example)) {
      const response = await fetch('examples/' + example + '.pinball').catch((e) => {
        console.warn('The example cannot be fetched:', e); // and the box says there is none
        return null;
      });
      if (response && response.ok) {
        held('', new Uint8Array(await response.arrayBuffer()));
        return { name: '' };
      }
    }
    return { error: 'there is no example "' + example + '"' };
  }

  // The link in the address, unpacked and held for the program: { name } of
  // the table held, { error } when it cannot be unpacked, or null when there
  // is none. It leaves the address at once, so that a reload finds the tab's
  // kept table, and the same link pasted again is a change of the address.
  async function takeLink() {
    const fragment = new URLSearchParams(location.hash.slice(1));
    if (fragment.has('example')) return takeExample(fragment.get('example'));
    if (!fragment.has('table')) return null;
    history.replaceState(null, '', location.pathname + location.search);
    const name = fragment.has('name') ? fragment.get('name') + '.pinball' : '';
    try {
      held(name, await pipe(fromBase64Url(fragment.get('table')), new DecompressionStream('deflate-raw')));
      return { name };
    } catch (e) {
      // Not base64 (atob's DOMException) or not deflated data (the stream's TypeError).
      if (!(e instanceof DOMException || e instanceof TypeError)) throw e;
      return { error: 'it is damaged or cut short' };
    }
  }

  return {
    files,
    chooseFile,
    download,
    drop,
    store,
    linkFor,
    takeStartTable,
    hasLink,
    takeLink,
    get droppedName() {
      return droppedName;
    },
    linkLimit: kLinkLimit,
  };
}
