'use strict';
// The page as the program's window: caption, canvas and the menu of the
// resource script; the check marks after a run of every command that sets
// any (as the native program sets them); the boxes, and the stillness while a
// box or a menu is open; the colour chooser on the current colour, and its
// custom colours; the menus and boxes from the keys alone, and their roles
// and names; a table saved, reloaded and opened; links over unsaved work, cut
// short, and pasted into an open tab; a link of a table too slow to run; two tabs, each with its own table, and
// New; the failures' messages; Quit and closing.
//   node ui_test.js --site build/web --replay build/native/pinball-replay --rc resources --out DIR

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { parseArgs } = require('node:util');
const zlib = require('node:zlib');
const web = require('./browser.js');

const { values: args } = parseArgs({
  options: { site: { type: 'string' }, replay: { type: 'string' }, rc: { type: 'string' }, out: { type: 'string' } },
});

const INSTRUCTIONS =
  'To Add objects to the scene, you must select Edit in the Files menu.  Then you can add ' +
  'whatever objects you want. \n\n To Reset the whole scene, choose Reset.';
const ABOUT = 'Pinball Simulation\nA pinball table drawn pixel by pixel, by its own small team.';

// A table of a blue box alone, for a link.
const SHARED =
  'pinball-table 1\ndrawing filled\n' +
  'wall 0 0 792 0 #ff0000\nwall 792 0 792 554 #ff0000\nwall 0 0 0 554 #ff0000\nwall 0 554 792 554 #ff0000\n' +
  'wall 300 200 300 260 #0000ff\nwall 380 260 300 260 #0000ff\nwall 300 200 380 200 #0000ff\n' +
  'wall 380 260 380 200 #0000ff\nbox 300 200 380 260 #0000ff 4\n';

// The same tree read from the page's menu bar.
function menuFromPage(page) {
  return page.evaluate(() => {
    const read = (popup) =>
      [...popup.children].map((li) => {
        if (li.getAttribute('role') === 'separator') return { separator: true };
        const text = li.querySelector(':scope > .label').textContent;
        const sub = li.querySelector(':scope > .popup');
        if (sub) return { text, items: read(sub) };
        const shortcut = li.querySelector(':scope > .shortcut');
        return {
          text,
          ...(shortcut && { shortcut: shortcut.textContent }),
          id: Number(li.dataset.id),
          checked: li.getAttribute('aria-checked') === 'true',
          greyed: li.getAttribute('aria-disabled') === 'true',
        };
      });
    return [...document.querySelectorAll('#menubar > .menu')].map((m) => ({
      text: m.querySelector('.menu-title').textContent,
      items: read(m.querySelector('.popup')),
    }));
  });
}

function flatten(items, into = new Map()) {
  for (const item of items) {
    if (item.items) flatten(item.items, into);
    else if (!item.separator) into.set(item.id, item.checked);
  }
  return into;
}

// Walks of the menu bar with keys alone, and the command each chooses. "Up*7"
// is Up seven times; "?" checks the accessibility tree there. The A and
// Delete pressed on the way are the bar's, not the program's. The counts
// come from the menu: `bar` is a menu's place on the bar, `at` an item's
// among the stops of its popup (past separators and greyed items).
function walks(menu) {
  const bar = (name) => menu.findIndex((m) => m.text === name);
  const popup = (names) => names.reduce((items, name) => items.find((i) => i.text === name).items, menu);
  const stops = (...names) => popup(names).filter((i) => !i.separator && !i.greyed);
  const at = (...names) => stops(...names.slice(0, -1)).findIndex((i) => i.text === names.at(-1));
  const id = (...names) => web.idOf(menu, ...names);
  const [shapeLast, helpFirst] = [stops('Shape').at(-1), stops('Help')[0]];
  return [
    // File > Edit: Up from Reset wraps, past the greyed Undo and Redo
    [`F10 Enter Up*${stops('File').length - at('File', 'Edit')} a Enter`, id('File', 'Edit')],
    // Color > Blue: Escape twice leaves
    [
      `Alt Right*${bar('Color')} Down Escape Escape F10 Right*${bar('Color')} Down*${1 + at('Color', 'Blue')} Space`,
      id('Color', 'Blue'),
    ],
    // Shape > Polygon, the last: the bar wraps leftwards
    [`F10 Left*${menu.length - bar('Shape')} Down Up Delete Enter`, id('Shape', shapeLast.text)],
    // Pinball > Set Radius > x 1
    [
      `F10 Down Right*${bar('Pinball')} Down*${at('Pinball', 'Set Speed')} Right ? Left ` +
        `Down*${at('Pinball', 'Set Radius') - at('Pinball', 'Set Speed')} Right Down*${at('Pinball', 'Set Radius', 'x 1')} Enter`,
      id('Pinball', 'Set Radius', 'x 1'),
    ],
    // Help > Instructions, the first: Down goes round
    [`F10 Left*${menu.length - bar('Help')} Down*${1 + stops('Help').length} Enter`, id('Help', helpFirst.text)],
  ];
}
const KEYS = { Up: 'ArrowUp', Down: 'ArrowDown', Left: 'ArrowLeft', Right: 'ArrowRight', Space: ' ' };

// The node of a puppeteer accessibility tree with `role` and `name`.
const axNode = (node, role, name) =>
  node.role === role && node.name === name
    ? node
    : (node.children || []).map((c) => axNode(c, role, name)).find(Boolean);

const passes = (page) => page.evaluate(() => pinballPage.passes);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function main() {
  const { server, url } = await web.serve(path.resolve(args.site));
  const { browser, close } = await web.launch();
  const errors = [];
  try {
    const page = await web.open(browser, url, errors);
    // The page's menu is the resource's, with the page's own items (Share Link).
    const pageMenu = web.menuFromResource(args.rc);
    const id = (...names) => web.idOf(pageMenu, ...names);

    // For the links and tabs: the tabs open, a stepped pass, a frame against the native one, a box answered.
    const tabs = [];
    const step = (p, n) => p.evaluate((k) => pinballPage.step(k), n);
    const sameFrame = async (p, frame) => assert.equal(web.compareFrames(await web.canvasBytes(p), frame), '');
    const answer = async (p, button) => {
      const box = await p.waitForSelector('[role="dialog"]');
      const text = await box.$eval('.box-text', (e) => e.textContent);
      for (const b of await box.$$('button')) if ((await b.evaluate((e) => e.textContent)) === button) await b.click();
      return text;
    };
    const boxOnWalls = [
      `command ${id('File', 'Clear')}`,
      `command ${id('File', 'Edit')}`,
      `command ${id('Shape', 'Box')}`,
      'left 100 100',
      'left 200 150',
    ];
    const sharedFile = path.join(args.out, 'shared.pinball');
    fs.mkdirSync(args.out, { recursive: true });
    fs.writeFileSync(sharedFile, SHARED);
    const link = 'name=shared&table=' + zlib.deflateRawSync(Buffer.from(SHARED)).toString('base64url');
    const linkRuns = 64; // the passes a link's table runs before the tab keeps it
    let stepped;

    const failed = await web.runChecks([
      [
        'caption, canvas, and the menu of resource 101 with its start marks',
        async () => {
          assert.equal(await page.title(), 'Pinball Simulation');
          assert.equal(await page.$eval('h1', (e) => e.textContent), 'Pinball Simulation');
          const canvas = await page.$eval('#screen', (c) => [c.width, c.height, c.clientWidth, c.clientHeight]);
          assert.deepEqual(canvas, [web.WIDTH, web.HEIGHT, web.WIDTH, web.HEIGHT]);
          assert.deepEqual(await menuFromPage(page), pageMenu);
          const suppressed = await page.$eval(
            '#screen',
            (c) => !c.dispatchEvent(new MouseEvent('contextmenu', { bubbles: true, cancelable: true })),
          );
          assert.ok(suppressed, 'the browser menu is not suppressed on the canvas');
        },
      ],
      [
        'check marks after a run of commands, as the native program sets them',
        async () => {
          const run = [
            ['Color', 'Green'],
            ['Shape', 'Box'],
            ['Pinball', 'Create Pinball'],
            ['Pinball', 'Set Speed', 'x 1'],
            ['Pinball', 'Set Radius', 'x 1.5'],
            ['File', 'Edit'],
            ['Color', 'Blue'],
            ['Shape', 'Polygon'],
            ['Pinball', 'Set Radius', 'x .5'],
            ['File', 'Clear'],
            ['Pinball', 'Set Speed', 'x 2'],
            ['Color', 'Other'],
            ['Shape', 'Circle'],
            ['Pinball', 'Set Radius', 'x 1'],
            ['File', 'Edit'],
            ['File', 'Edit'],
            ['Color', 'Red'],
            ['Color', 'Other'],
            ['File', 'Reset'],
            ['Pinball', 'Create Pinball'],
            ['Pinball', 'Set Speed', 'x 3'],
            ['Shape', 'Triangle'],
          ];
          const ids = new Map();
          const walk = (items, trail) =>
            items.forEach((i) =>
              i.items ? walk(i.items, [...trail, i.text]) : i.separator || ids.set([...trail, i.text].join('>'), i.id),
            );
          walk(pageMenu, []);
          const script = [];
          const chooserStarts = [];
          for (const names of run) {
            script.push(`command ${ids.get(names.join('>'))}`);
            await web.menu(page, ...names);
            if (names[1] === 'Other') {
              // Opened on the current colour; cancelled, it changes nothing.
              chooserStarts.push(await (await page.waitForSelector('#color-value')).evaluate((e) => e.value));
              script.push('cancel');
              await page.$eval('#color-value', (e) => {
                e.value = '#abcdef';
              });
              await page.keyboard.press('Escape');
            }
          }
          script.push(`pass ${run.length + 2}`);
          const start = await passes(page);
          await page.waitForFunction((n) => pinballPage.passes >= n, {}, start + run.length + 2);
          assert.deepEqual(chooserStarts, ['#0000ff', '#ff0000']);
          const expected = flatten(pageMenu);
          for (const [id, on] of web.replay(args.replay, script, args.out).checked) expected.set(id, on);
          assert.deepEqual(flatten(await menuFromPage(page)), expected);
        },
      ],
      [
        'the menus and a box from the keys alone: marks and frame as the native program has them; roles, names',
        async () => {
          await page.evaluate(() => localStorage.clear());
          const p = await web.open(browser, url + '?step', errors);
          await p.focus('#close'); // the focus, to be given back after the menu and the box
          const script = [];
          for (const [walk, id] of walks(pageMenu)) {
            for (const token of walk.split(' ')) {
              const [key, times = 1] = token.split('*');
              if (key === '?') {
                const tree = await p.accessibility.snapshot();
                const pinball = axNode(tree, 'menu', 'Pinball');
                assert.ok(pinball && axNode(tree, 'menu', 'Set Speed'), 'menus named by their titles');
                assert.equal(axNode(pinball, 'menuitem', 'Set Speed').expanded, true);
                assert.equal(axNode(pinball, 'menuitem', 'Set Radius').expanded, false);
                assert.ok(axNode(tree, 'menuitemradio', 'x 1').focused);
              } else {
                for (let k = 0; k < times; ++k) await p.keyboard.press(KEYS[key] || key);
              }
            }
            assert.ok(
              await p.evaluate(() => !document.querySelector('#menubar :focus, .open')),
              `${walk}: the bar let go`,
            );
            script.push(`command ${id}`, 'pass 1');
            const stepped = p.evaluate(() => pinballPage.step(1));
            if (id === web.idOf(pageMenu, 'Help', 'Instructions')) {
              await p.waitForSelector('[role="dialog"]');
              await p.keyboard.press('Tab'); // round the box's one button, not out of it
              const tree = await p.accessibility.snapshot();
              assert.ok(axNode(axNode(tree, 'dialog', 'Instructions'), 'button', 'OK').focused);
              const [box, owner] = await p.$$eval('.box, #window', (l) =>
                l.map((e) => {
                  const r = e.getBoundingClientRect();
                  return [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)];
                }),
              );
              assert.deepEqual(box, owner, 'the box centres on the window');
              assert.ok(axNode(tree, 'image', 'Pinball table'));
              await p.keyboard.press('Enter');
            }
            await stepped;
          }
          assert.equal(await p.evaluate(() => document.activeElement.id), 'close');
          const native = web.replay(args.replay, script, args.out);
          assert.equal(web.compareFrames(await web.canvasBytes(p), native.frame), '');
          const expected = flatten(pageMenu);
          for (const [id, on] of native.checked) expected.set(id, on);
          assert.deepEqual(flatten(await menuFromPage(p)), expected);
          // Marks only where the program ever sets one.
          const boxed = [
            ['File', 'Quit'],
            ['Help', 'Instructions'],
            ['Help', 'About'],
          ].map((names) => id(...names));
          const all = [...flatten(pageMenu).keys()].filter((k) => !boxed.includes(k));
          const marked = web.replay(
            args.replay,
            [...all.map((id) => `command ${id}`), `pass ${all.length}`],
            args.out,
          ).checked;
          const roles = await p.$$eval('[data-id]', (l) =>
            l.map((e) => [Number(e.dataset.id), e.getAttribute('role')]),
          );
          // Edit, Pause and Trails each mark their own state; the others mark one choice of a group.
          const toggles = [
            ['File', 'Edit'],
            ['Pinball', 'Pause'],
            ['Pinball', 'Trails'],
          ].map((names) => id(...names));
          for (const [k, role] of roles) {
            assert.equal(
              role,
              !marked.has(k) ? 'menuitem' : toggles.includes(k) ? 'menuitemcheckbox' : 'menuitemradio',
              `${k}`,
            );
          }
          await p.close();
        },
      ],
      [
        'the status line through a gesture; a click while running says how to start editing; the rings',
        async () => {
          await page.evaluate(() => localStorage.clear());
          const p = await web.open(browser, url + '?step', errors);
          const said = () => p.$eval('#status', (e) => e.textContent);
          const line = (mode, next, table = 'Untitled') =>
            `${mode} · red · ${next} · ${table} · new balls: speed x 3, radius x .5`;
          assert.equal(await p.$eval('#status', (e) => e.getAttribute('role')), 'status');
          assert.equal(await said(), line('Running', 'triangle: File › Edit to start editing'));
          await web.clickCanvas(p, 100, 100);
          await step(p, 1);
          assert.equal(
            await said(),
            line('Running', 'clicks add nothing while running: choose File › Edit to start editing'),
          );
          await web.menu(p, 'File', 'Edit');
          await step(p, 1);
          const rings = [];
          for (const [x, y, next, table] of [
            [300, 300, 'triangle: corner 2 of 3'],
            [380, 300, 'triangle: corner 3 of 3'],
            [340, 360, 'triangle: corner 1 of 3', 'Untitled *'],
          ]) {
            assert.match(await said(), /corner \d of 3/);
            await web.clickCanvas(p, x, y);
            await step(p, 1);
            assert.equal(await said(), line('Editing', next, table));
            rings.push([x, y]);
            if (rings.length === 3) rings.length = 0; // the triangle is made: nothing pending
            // A ring over each pending click (shown where the pointer is a finger), never in the canvas.
            const shown = await p.$$eval('#marks .pending', (l) =>
              l.map((e) => [parseFloat(e.style.left), parseFloat(e.style.top)]),
            );
            assert.deepEqual(
              shown.map(([l, t]) => [Math.floor((l * web.WIDTH) / 100), Math.floor((t * web.HEIGHT) / 100)]),
              rings,
            );
          }
          await p.close();
        },
      ],
      [
        'the keyboard all the way: Tab and Enter open File; a triangle from the cursor drawn as natively; Backspace deletes',
        async () => {
          await page.evaluate(() => localStorage.clear());
          const p = await web.open(browser, url + '?step', errors);
          const script = [];
          const focused = () => p.evaluate(() => document.activeElement.id || document.activeElement.textContent);
          await p.keyboard.press('Tab');
          assert.equal(await focused(), 'menu-title-0'); // File
          await p.keyboard.press('Enter'); // opens File: the program goes on
          assert.equal(await p.$eval('.menu.open > .menu-title', (e) => e.textContent), 'File');
          await p.keyboard.press('ArrowDown');
          await p.keyboard.press('Enter'); // Edit
          script.push(`command ${id('File', 'Edit')}`);
          await step(p, 1);
          for (let k = 0; k < 3 && (await focused()) !== 'screen'; ++k) await p.keyboard.press('Tab');
          assert.equal(await focused(), 'screen');
          let at = await p.evaluate(() => [...document.querySelectorAll('#marks .cursor')].length);
          assert.equal(at, 1);
          at = [web.WIDTH >> 1, web.HEIGHT >> 1]; // the cursor starts in the middle
          // Plain arrows, a pixel a press (Shift, ten, is a key the program is given as well).
          const moveTo = async (x, y) => {
            for (const [d, plus, minus] of [
              [x - at[0], 'ArrowRight', 'ArrowLeft'],
              [y - at[1], 'ArrowDown', 'ArrowUp'],
            ]) {
              for (let k = 0; k < Math.abs(d); ++k) await p.keyboard.press(d > 0 ? plus : minus);
            }
            at = [x, y];
          };
          for (const [x, y] of [
            [300, 200],
            [380, 200],
            [340, 260],
          ]) {
            await moveTo(x, y);
            const next = await p.$eval('#status', (e) => e.textContent.split(' · ')[2]);
            assert.equal(await p.$eval('#cursor-says', (e) => e.textContent), `${x}, ${y}: ${next}`);
            await p.keyboard.press('Enter');
            script.push(`left ${x} ${y}`);
            await step(p, 3); // the Shift presses on the way, and the click
          }
          script.push(`pass 4`);
          await sameFrame(p, web.replay(args.replay, script, args.out).frame);
          // Picked by the cursor, and deleted by Backspace as by Delete.
          await moveTo(340, 220);
          await p.keyboard.press('Enter');
          await p.keyboard.press('Backspace');
          await step(p, 4);
          script.push('left 340 220', 'key 46', 'pass 2');
          await sameFrame(p, web.replay(args.replay, script, args.out).frame);
          // Shift+Enter is a right click: it drops the pending click.
          await p.keyboard.press('Enter');
          await step(p, 1);
          assert.equal(await p.$$eval('#marks .pending', (l) => l.length), 1);
          await p.keyboard.down('Shift');
          await p.keyboard.press('Enter');
          await p.keyboard.up('Shift');
          await step(p, 2);
          assert.equal(await p.$$eval('#marks .pending', (l) => l.length), 0);
          await p.close();
        },
      ],
      [
        'the focus ring: at least 3:1 against what is around it, and not shown for hover; centred when wide',
        async () => {
          const p = await web.open(browser, url + '?step', errors);
          // The relative luminance and the contrast of two CSS rgb() colours.
          const luminance = (css) => {
            const [r, g, b] = css.match(/[\d.]+/g).map((v) => Number(v) / 255);
            const lin = (c) => (c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4);
            return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b);
          };
          const contrast = (a, b) => {
            const [hi, lo] = [luminance(a), luminance(b)].sort((x, y) => y - x);
            return (hi + 0.05) / (lo + 0.05);
          };
          const ring = (selector) =>
            p.$eval(selector, (e) => {
              const s = getComputedStyle(e);
              const back = (n) => {
                for (; n; n = n.parentElement) {
                  const c = getComputedStyle(n).backgroundColor;
                  if (c !== 'rgba(0, 0, 0, 0)') return c;
                }
                return 'rgb(255, 255, 255)';
              };
              return {
                style: s.outlineStyle,
                width: parseFloat(s.outlineWidth),
                colour: s.outlineColor,
                inside: back(e),
                outside: back(e.parentElement),
              };
            });
          await p.keyboard.press('Tab'); // the menu bar's title
          await p.keyboard.press('Enter'); // and an item of its menu
          const seen = [await ring('.menu.open .popup li:focus')];
          await p.keyboard.press('Escape');
          seen.push(await ring('.menu-title:focus'));
          await p.keyboard.press('Escape');
          for (const id of ['screen', 'close']) {
            for (let k = 0; k < 3 && (await p.evaluate(() => document.activeElement.id)) !== id; ++k) {
              await p.keyboard.press('Tab');
            }
            seen.push(await ring(`#${id}:focus`));
          }
          for (const r of seen) {
            assert.ok(r.style === 'solid' && r.width >= 2, JSON.stringify(r));
            assert.ok(Math.min(contrast(r.colour, r.inside), contrast(r.colour, r.outside)) >= 3, JSON.stringify(r));
          }
          await p.evaluate(() => document.activeElement.blur());
          await p.hover('.menu-title');
          assert.equal((await ring('.menu-title')).style, 'none', 'hover shows no ring');
          // And on a wide screen the window stands in the middle.
          await p.setViewport({ width: 1920, height: 1080 });
          const { left, right } = await p.$eval('#window', (e) => e.getBoundingClientRect().toJSON());
          assert.ok(Math.abs((left + right) / 2 - 960) <= 1, `the window from ${left} to ${right}`);
          await p.close();
        },
      ],
      [
        'menus switch: with one open, pointing at or tapping another title opens that one',
        async () => {
          const title = (p, k) => p.$$('.menu-title').then((l) => l[k]);
          const open = (p) => p.$$eval('.menu.open > .menu-title', (l) => l.map((e) => e.textContent));
          await page.bringToFront(); // a tab behind others draws nothing, and a click waits for a drawing
          await (await title(page, 0)).click();
          await (await title(page, 1)).hover();
          assert.deepEqual(await open(page), [pageMenu[1].text]);
          await (await title(page, 1)).click(); // the click that ends the pointing keeps it open
          assert.deepEqual(await open(page), [pageMenu[1].text]);
          await (await title(page, 1)).click();
          assert.deepEqual(await open(page), []);
          const touch = await web.open(browser, url + '?step', errors, { width: 900, height: 760, hasTouch: true });
          await (await title(touch, 0)).tap();
          await (await title(touch, 2)).tap();
          assert.deepEqual(await open(touch), [pageMenu[2].text]);
          await (await title(touch, 2)).tap();
          assert.deepEqual(await open(touch), []);
          await touch.close();
        },
      ],
      [
        'the Instructions and About boxes, byte for byte, closed by Enter and Escape; nothing moves while one is open',
        async () => {
          for (const [item, text, key] of [
            ['Instructions', INSTRUCTIONS, 'Enter'],
            ['About', ABOUT, 'Escape'],
          ]) {
            await web.menu(page, 'Help', item);
            const box = await page.waitForSelector('[role="dialog"]');
            assert.equal(await box.$eval('.box-caption', (e) => e.textContent), item);
            assert.equal(await box.$eval('.box-text', (e) => e.textContent), text);
            const frozen = await passes(page);
            const picture = await web.canvasBytes(page);
            await page.mouse.click(400, 400); // the box's backdrop takes the click
            await sleep(400);
            assert.equal(await passes(page), frozen);
            assert.equal(web.compareFrames(await web.canvasBytes(page), picture), '');
            await page.keyboard.press(key);
            await page.waitForFunction((n) => pinballPage.passes > n + 5, {}, frozen);
            assert.equal(await page.$('[role="dialog"]'), null);
            assert.notEqual(web.compareFrames(await web.canvasBytes(page), picture), '', 'the balls stand still');
          }
        },
      ],
      [
        'a menu held open stands the simulation still; one submenu open at a time',
        async () => {
          await web.menu(page, 'Pinball');
          const [speed, radius] = await page.$$('.menu.open .submenu');
          await speed.click();
          await radius.hover();
          const expanded = (e) => e.evaluate((e) => e.getAttribute('aria-expanded'));
          assert.deepEqual(await Promise.all([speed, radius].map(expanded)), ['false', 'true']);
          assert.equal(await page.$$eval('.submenu[aria-expanded="true"]', (l) => l.length), 1);
          await sleep(100);
          const frozen = await passes(page);
          await sleep(300);
          assert.equal(await passes(page), frozen);
          await page.keyboard.press('Escape');
          await page.waitForFunction((n) => pinballPage.passes > n, {}, frozen);
        },
      ],
      [
        'the colour chooser keeps its custom colours for the life of the page',
        async () => {
          for (const [expected, names] of [
            ['#000000', ['Custom colour 1: empty', 'Custom colour 2: empty']],
            ['#13579b', ['Custom colour 1: teal, #13579b', 'Custom colour 2: empty']],
          ]) {
            await web.menu(page, 'Color', 'Other');
            await page.waitForSelector('#color-value');
            assert.equal(await page.$eval('.swatch', (e) => e.title), expected);
            // Named by their colour to a screen reader.
            assert.deepEqual(await page.$$eval('.swatch', (l) => l.slice(0, 2).map((e) => e.ariaLabel)), names);
            await page.$eval('#color-value', (e) => {
              e.value = '#13579b';
            });
            await page.click('.add-custom');
            await page.keyboard.press('Escape');
            await page.waitForFunction(() => !document.querySelector('[role="dialog"]'));
          }
        },
      ],
      [
        'a table saved, brought back by a reload, and opened again, as the native program has it',
        async () => {
          await page.evaluate(() => localStorage.clear());
          const p = await web.open(browser, url + '?step', errors);
          const cdp = await p.createCDPSession();
          const saved = path.join(args.out, 'mine.pinball');
          fs.rmSync(saved, { force: true });
          await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: path.resolve(args.out) });
          const native = path.join(args.out, 'native.pinball');
          const script = [
            `command ${id('File', 'Edit')}`,
            `command ${id('Shape', 'Circle')}`,
            'left 300 300',
            'left 330 340',
            'pass 4',
            `save ${native}`,
            'pass 1',
          ];
          await web.menu(p, 'File', 'Edit');
          await web.menu(p, 'Shape', 'Circle');
          await web.clickCanvas(p, 300, 300);
          await web.clickCanvas(p, 330, 340);
          await p.evaluate(() => pinballPage.step(4));
          await web.menu(p, 'File', 'Save'); // no file yet: asks for a name
          const step = p.evaluate(() => pinballPage.step(1));
          const name = await p.waitForSelector('[role="dialog"] input');
          await name.evaluate((e) => {
            e.value = 'mine';
          });
          await p.keyboard.press('Enter');
          await step;
          for (let k = 0; k < 50 && !fs.existsSync(saved); ++k) await sleep(100);
          web.replay(args.replay, script, args.out);
          assert.equal(fs.readFileSync(saved, 'utf8'), fs.readFileSync(native, 'utf8'));

          await p.reload(); // the table comes back from the browser's storage, not in edit mode
          await p.waitForFunction(() => pinballPage.started);
          assert.equal(await p.title(), 'mine - Pinball Simulation');
          await p.evaluate(() => pinballPage.step(1));
          script.push(`command ${id('File', 'Edit')}`, 'pass 1');
          assert.equal(
            web.compareFrames(await web.canvasBytes(p), web.replay(args.replay, script, args.out).frame),
            '',
          );

          await web.menu(p, 'File', 'Reset');
          await p.evaluate(() => pinballPage.step(1));
          await web.menu(p, 'File', 'Open...');
          const chosen = p.waitForFileChooser();
          const opened = p.evaluate(() => pinballPage.step(1));
          const ask = await p.waitForSelector('[role="dialog"]'); // "Save changes?" after the Reset: No
          await (await ask.$$('button'))[1].click();
          await (await chosen).accept([saved]);
          await opened;
          await p.evaluate(() => pinballPage.step(1));
          script.push(`command ${id('File', 'Reset')}`, 'pass 1', `open ${saved}`, 'pass 2');
          assert.equal(
            web.compareFrames(await web.canvasBytes(p), web.replay(args.replay, script, args.out).frame),
            '',
          );
          await p.evaluate(() => localStorage.clear());
          await p.close();
        },
      ],
      [
        'a link over unsaved work asks: Cancel keeps the work, a cut link keeps it, No opens it with no Undo',
        async () => {
          await page.evaluate(() => localStorage.clear());
          const a = await web.open(browser, url + '?step', errors);
          tabs.push(a);
          await web.menu(a, 'File', 'Clear');
          await web.menu(a, 'File', 'Edit');
          await web.menu(a, 'Shape', 'Box');
          await web.clickCanvas(a, 100, 100);
          await web.clickCanvas(a, 200, 150);
          await step(a, 5);
          const mine = web.replay(args.replay, [...boxOnWalls, 'pass 5'], args.out).frame;
          await sameFrame(a, mine);
          assert.equal(await a.title(), '*Untitled - Pinball Simulation');

          // Pasted into the open tab: asked first; Cancel leaves the link unopened, and the address.
          await a.evaluate((h) => {
            location.hash = h;
          }, link);
          let stepped = step(a, 1);
          assert.equal(await answer(a, 'Cancel'), 'Save changes?');
          await stepped;
          assert.equal(await a.evaluate(() => location.hash), '');
          assert.equal(await a.title(), '*Untitled - Pinball Simulation');
          await sameFrame(a, mine);
          // Cut short, as some programs that carry links do: its error, nothing asked or lost.
          await a.evaluate(
            (h) => {
              location.hash = h;
            },
            link.slice(0, 60),
          );
          stepped = step(a, 1);
          assert.equal(await answer(a, 'OK'), 'Cannot open the link: it is damaged or cut short');
          await stepped;
          assert.equal(await a.title(), '*Untitled - Pinball Simulation');
          await sameFrame(a, mine);
          // Longer than any link the page makes: refused before it is unpacked, the work kept.
          await a.evaluate((h) => {
            location.hash = h + '&pad=' + 'A'.repeat(64000);
          }, link);
          stepped = step(a, 1);
          assert.equal(await answer(a, 'OK'), 'Cannot open the link: it is longer than 64,000 characters');
          await stepped;
          assert.equal(await a.evaluate(() => location.hash), '');
          assert.equal(await a.title(), '*Untitled - Pinball Simulation');
          await sameFrame(a, mine);
          // Given with a reload of the tab: asked before the first pass; No opens it.
          await a.evaluate((h) => {
            location.hash = h;
          }, link);
          await a.reload();
          assert.equal(await answer(a, 'No'), 'Save changes?');
          await a.waitForFunction(() => pinballPage.started);
          await step(a, linkRuns); // and so it is kept
          assert.equal(await a.title(), 'shared - Pinball Simulation');
          assert.equal(
            await a.$eval(`[data-id="${id('File', 'Undo')}"]`, (e) => e.getAttribute('aria-disabled')),
            'true',
          );
          await sameFrame(a, web.replay(args.replay, [`open ${sharedFile}`, `pass ${linkRuns}`], args.out).frame);
        },
      ],
      [
        'two tabs each keep their own table; a new tab starts from the one kept last; Ctrl+N',
        async () => {
          const [a] = tabs; // the link's table, which it kept last
          const b = await web.open(browser, url + '?step', errors);
          tabs.push(b);
          assert.equal(await b.title(), 'shared - Pinball Simulation');
          await web.menu(b, 'File', 'Clear');
          await step(b, 1);
          await a.bringToFront(); // a tab behind others draws nothing, and a click waits for a drawing
          await web.menu(a, 'File', 'Edit');
          await web.menu(a, 'Shape', 'Box');
          await web.clickCanvas(a, 100, 100);
          await web.clickCanvas(a, 200, 150);
          await step(a, 4);
          const opened = [`open ${sharedFile}`, `pass ${linkRuns}`];
          const frames = {
            a: web.replay(args.replay, [...opened, ...boxOnWalls.slice(1), 'pass 4'], args.out).frame,
            b: web.replay(args.replay, [...opened, `command ${id('File', 'Clear')}`, 'pass 1'], args.out).frame,
          };
          for (const [tab, frame] of [
            [a, frames.a],
            [b, frames.b],
            [a, frames.a],
          ]) {
            await tab.bringToFront();
            await tab.reload();
            await tab.waitForFunction(() => pinballPage.started);
            await step(tab, 1);
            assert.equal(await tab.title(), '*shared - Pinball Simulation');
            await sameFrame(tab, frame);
          }
          const c = await web.open(browser, url + '?step', errors);
          tabs.push(c);
          await step(c, 1);
          await sameFrame(c, frames.a); // a changed last
          await c.keyboard.down('Control');
          await c.keyboard.press('n');
          await c.keyboard.up('Control');
          stepped = step(c, 2); // Ctrl alone is a key of its own, then Ctrl+N
          assert.equal(await answer(c, 'No'), 'Save changes?');
          await stepped;
          assert.equal(await c.title(), 'Pinball Simulation');
          await sameFrame(
            c,
            web.replay(args.replay, [...opened, `command ${id('File', 'New')}`, 'pass 1'], args.out).frame,
          );
          await page.evaluate(() => localStorage.clear());
          for (const tab of tabs.splice(0)) await tab.close();
        },
      ],
      [
        'a link of a table too slow to run stops its balls with the box, answers its menus, and is not kept',
        async () => {
          await page.evaluate(() => localStorage.clear());
          // 12,000 balls on one spot meet each other every tick; eight directions repeated deflate well.
          const directions = [...Array(8).keys()].map((k) => [Math.cos(k * 0.785), Math.sin(k * 0.785)]);
          let table = SHARED.split('\n').slice(0, 6).join('\n') + '\n'; // the border walls
          for (let k = 0; k < 12000; ++k) table += `ball 400 200 ${directions[k % 8].join(' ')} 3 10 #00ff00\n`;
          const slowLink = 'name=slow&table=' + zlib.deflateRawSync(Buffer.from(table)).toString('base64url');
          const p = await web.open(browser, url + '#' + slowLink, errors); // the page's own clock
          try {
            await p.waitForSelector('[role="dialog"]', { timeout: 120000 });
            const edit = `[data-id="${id('File', 'Edit')}"]`;
            assert.equal(await p.$eval(edit, (e) => e.getAttribute('aria-checked')), 'true');
            assert.match(await answer(p, 'OK'), /^This table is too slow to run here/);
            const frame = await web.canvasBytes(p);
            await p.waitForFunction((n) => pinballPage.passes >= n, {}, (await passes(p)) + 8);
            assert.equal(web.compareFrames(await web.canvasBytes(p), frame), '', 'the balls still move');
            const asked = Date.now();
            await p.click('.menu-title');
            await p.waitForSelector('.menu.open > .popup', { visible: true });
            console.log(`     the File menu opened ${Date.now() - asked} ms after the click`);
            await p.keyboard.press('Escape');
            assert.equal(await p.title(), 'slow - Pinball Simulation');
            await p.reload(); // nothing of it was kept: the program's own start
            await p.waitForFunction(() => pinballPage.started);
            assert.equal(await p.title(), 'Pinball Simulation');
          } finally {
            await p.close(); // a slow page left open would slow the checks after it
          }
        },
      ],
      [
        'Quit: one more frame, the end shown, and a new start',
        async () => {
          await page.evaluate(() => localStorage.clear()); // the default scene, untouched: Quit asks nothing
          const stepped = await web.open(browser, url + '?step', errors);
          await stepped.evaluate(() => pinballPage.step(3));
          await web.menu(stepped, 'File', 'Quit');
          // The pass that takes Quit posts the quit request; the next takes it, draws, and ends.
          assert.equal(await stepped.evaluate(() => pinballPage.step(10)), 5);
          assert.ok(await stepped.evaluate(() => pinballPage.hasEnded));
          assert.ok(await stepped.$eval('#window', (e) => getComputedStyle(e).display === 'none'));
          assert.equal(await stepped.evaluate(() => document.activeElement.id), 'restart');
          await Promise.all([stepped.waitForNavigation(), stepped.click('#restart')]);
          await stepped.waitForFunction(() => pinballPage.started);
          assert.equal(await stepped.evaluate(() => pinballPage.step(2)), 2);
          await stepped.close();
        },
      ],
      [
        'opened as a file, without its .wasm, or after a trap: a plain message',
        async () => {
          const p = await browser.newPage();
          const said = () =>
            p
              .waitForSelector('#ended:not([hidden])')
              .then((e) => e.evaluate((e) => e.innerText.replace(/\s+/g, ' ').trim()));
          await p.goto('file://' + path.resolve(args.site, 'index.html'));
          assert.match(await said(), /^This page cannot run opened as a file\..*`make run-web`.* shows\.$/);
          let noWasm = true;
          await p.setRequestInterception(true);
          p.on('request', (r) => (noWasm && r.url().endsWith('.wasm') ? r.respond({ status: 404 }) : r.continue()));
          await p.goto(url);
          assert.equal(await said(), 'The program could not start. Reload');
          noWasm = false;
          await p.goto(url);
          await p.waitForFunction(() => pinballPage.started);
          await p.evaluate(() => {
            pinballPage.program._PinballPass = () => {
              throw new WebAssembly.RuntimeError('unreachable');
            };
          });
          assert.equal(await said(), 'The program stopped because of an error. Reload');
          await p.close();
        },
      ],
      [
        'closing the page window ends the program the same way, once told not to save',
        async () => {
          await page.click('#close');
          const ask = await page.waitForSelector('[role="dialog"]');
          assert.equal(await ask.$eval('.box-text', (e) => e.textContent), 'Save changes?');
          await (await ask.$$('button'))[1].click(); // No
          await page.waitForFunction(() => pinballPage.hasEnded);
          const last = await passes(page);
          await sleep(200);
          assert.equal(await passes(page), last);
          assert.ok(await page.$eval('#ended', (e) => !e.hidden));
        },
      ],
    ]);
    assert.deepEqual(errors, []);
    process.exitCode = failed ? 1 : 0;
  } finally {
    await close();
    server.close();
  }
}

main().catch((e) => {
  console.error(e);
  process.exitCode = 1;
});
