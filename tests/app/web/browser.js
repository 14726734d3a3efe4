'use strict';
// Shared by the browser tests: serves the web build on 127.0.0.1, starts
// Debian's Chromium headless through puppeteer-core, reads the canvas back,
// and asks the native program (pinball-replay) for the frame it draws.

const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const WIDTH = 792;
const HEIGHT = 554;

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };

// A static server for `root`, on a free port of 127.0.0.1.
async function serve(root) {
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = path.join(root, name === '/' ? 'index.html' : name);
    if (!file.startsWith(root) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(res);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
}

// Chromium with a profile of its own, which goes with it.
async function launch(flags = []) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'pinball-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: [
      '--headless',
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--window-size=900,760',
      ...flags,
    ],
  });
  const close = async () => {
    // A browser that already went away is closed; the profile goes all the same.
    await browser.close().catch((e) => console.log(`closing Chromium: ${e.message}`));
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

// Opens the page and waits for the program's first pass to be scheduled.
// Page errors fail the test.
async function open(browser, url, errors, viewport = { width: 900, height: 760 }) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => {
    if (m.type() === 'error') errors.push(m.text());
  });
  await page.goto(url);
  await page.waitForFunction(() => pinballPage.started);
  return page;
}

// The canvas' RGBA bytes, read with getImageData.
async function canvasBytes(page) {
  const b64 = await page.evaluate(() => {
    const c = document.getElementById('screen');
    const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let s = '';
    for (let i = 0; i < data.length; i += 0x8000) s += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
    return btoa(s);
  });
  return Buffer.from(b64, 'base64');
}

// The native program's last frame and check marks for a script (see pinball-replay).
function replay(tool, lines, scratch) {
  const frame = path.join(scratch, 'replay.rgba');
  const marks = execFileSync(tool, [frame], { input: lines.join('\n') + '\n' }).toString();
  const checked = new Map(
    marks
      .trim()
      .split('\n')
      .filter(Boolean)
      .map((l) => {
        const [id, on] = l.split(' ').map(Number);
        return [id, on === 1];
      }),
  );
  return { frame: fs.readFileSync(frame), checked };
}

// "" when equal, else where the first pixel differs and how many do.
function compareFrames(actual, expected) {
  if (actual.length !== expected.length) return `size ${actual.length} != ${expected.length}`;
  let first = -1,
    count = 0;
  for (let i = 0; i < actual.length; i += 4) {
    if (actual.readUInt32LE(i) !== expected.readUInt32LE(i)) {
      if (first < 0) first = i / 4;
      ++count;
    }
  }
  if (count === 0) return '';
  const at = (b) => b.subarray(first * 4, first * 4 + 4).toString('hex');
  return (
    `${count} pixels differ, first at (${first % WIDTH}, ${Math.floor(first / WIDTH)}): ` +
    `page ${at(actual)}, native ${at(expected)}`
  );
}

// The menu of the resource script (resources/pinball.rc, its ids from
// resource.h) as the page shows it, the page's own items included: a tree of
// {text, id, checked, greyed} items (with the shortcut shown at the right, if any),
// {separator: true}, {text, items} submenus.
function menuFromResource(dir) {
  const defines = new Map();
  for (const m of fs.readFileSync(path.join(dir, 'resource.h'), 'utf8').matchAll(/#define (\w+) (\d+)/g)) {
    defines.set(m[1], Number(m[2]));
  }
  // "&" marks an access key; a tab puts the shortcut at the right.
  const texts = (quoted) => {
    const [text, shortcut] = quoted.replace(/&(.)/g, '$1').split('\\t');
    return shortcut ? { text, shortcut } : { text };
  };
  const root = { items: [] };
  const stack = [root];
  let popup = null;
  for (const raw of fs.readFileSync(path.join(dir, 'pinball.rc'), 'utf8').split('\n')) {
    const line = raw.trim();
    let m;
    if ((m = line.match(/^POPUP "([^"]*)"/))) {
      popup = { ...texts(m[1]), items: [] };
      stack[stack.length - 1].items.push(popup);
    } else if (line === 'BEGIN' && popup) {
      stack.push(popup);
      popup = null;
    } else if (line === 'END') {
      stack.pop();
    } else if (line === 'MENUITEM SEPARATOR') {
      stack[stack.length - 1].items.push({ separator: true });
    } else if ((m = line.match(/^MENUITEM "([^"]*)", (\w+)(.*)/))) {
      const flag = (name) => new RegExp(`\\b${name}\\b`).test(m[3]);
      stack[stack.length - 1].items.push({
        ...texts(m[1]),
        id: defines.get(m[2]),
        checked: flag('CHECKED'),
        greyed: flag('GRAYED'),
      });
    }
  }
  return root.items;
}

// The command id of a menu item by its path: idOf(menu, 'Pinball', 'Set Speed', 'x 1').
function idOf(menu, ...names) {
  const item = names.reduce((found, name) => found && found.items.find((i) => i.text === name), { items: menu });
  if (!item || item.id === undefined) throw new Error(`no menu item ${names.join(' > ')}`);
  return item.id;
}

// Clicks through the menu bar (taps, on a touch screen): path = ['Pinball', 'Set Speed', 'x 1'].
async function menu(page, ...names) {
  const [top, ...rest] = names;
  const touch = page.viewport().hasTouch;
  const titles = await page.$$('.menu-title');
  for (const t of titles) {
    if ((await t.evaluate((e) => e.textContent)) === top) {
      await (touch ? t.tap() : t.click());
      break;
    }
  }
  let scope = await page.$('.menu.open > .popup');
  for (let k = 0; k < rest.length; ++k) {
    const li = await scope.evaluateHandle(
      (popup, name) => [...popup.children].find((li) => li.querySelector(':scope > .label')?.textContent === name),
      rest[k],
    );
    if (!li.asElement()) throw new Error(`no menu item ${names.join(' > ')}`);
    if (k < rest.length - 1) {
      await (touch ? li.tap() : li.hover());
      scope = await li.$(':scope > .popup');
    } else {
      await (touch ? li.tap() : li.click());
    }
  }
}

// A left or right button press on canvas pixel (x, y).
async function clickCanvas(page, x, y, button = 'left') {
  const box = await (await page.$('#screen')).boundingBox();
  await page.mouse.click(box.x + x + 0.5, box.y + y + 0.5, { button });
}

// Runs `body` and reports, one line per check, like the other test programs.
async function runChecks(checks) {
  let failed = 0;
  for (const [name, body] of checks) {
    const started = Date.now();
    try {
      await body();
      console.log(`ok   ${name} (${Date.now() - started} ms)`);
    } catch (e) {
      ++failed;
      console.log(`FAIL ${name}: ${(e && e.stack) || e}`);
    }
  }
  return failed;
}

module.exports = {
  WIDTH,
  HEIGHT,
  serve,
  launch,
  open,
  canvasBytes,
  replay,
  compareFrames,
  menuFromResource,
  idOf,
  menu,
  clickCanvas,
  runChecks,
};
