'use strict';
// The page's canvas against the native program, pixel for pixel: the default
// scene, moving balls, shapes built, moved and deleted by clicks, the A key,
// both ends of the colour chooser, examples and the time keys, and on phones upright and on
// their side: large targets within the screen and a polygon by touch. The page
// runs stepped (?step), so that both sides draw the same pass; the native frame
// comes from pinball-replay fed the same events. Then, on the browser's clock:
// the balls move, one frame's time, the README's screenshot, and the pace.
//   node frames_test.js --site build/web --replay build/native/pinball-replay --out DIR

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { parseArgs } = require('node:util');
const web = require('./browser.js');

const { values: args } = parseArgs({
  options: { site: { type: 'string' }, replay: { type: 'string' }, rc: { type: 'string' }, out: { type: 'string' } },
});
const menu = web.menuFromResource(args.rc);

async function main() {
  assert.ok(fs.existsSync(args.replay), `no ${args.replay}: build the native preset first`);
  fs.mkdirSync(args.out, { recursive: true });
  const { server, url } = await web.serve(path.resolve(args.site));
  const { browser, close } = await web.launch();
  const errors = [];
  try {
    const page = await web.open(browser, url + '?step', errors);
    // Every event and pass so far, as a pinball-replay script.
    const script = [];
    const step = async (n) => {
      script.push(`pass ${n}`);
      await page.evaluate((k) => pinballPage.step(k), n);
    };
    const sameAsNative = async () => {
      const native = web.replay(args.replay, script, args.out);
      assert.equal(web.compareFrames(await web.canvasBytes(page), native.frame), '');
    };
    // Input: the page's event, and the same line for the native program.
    const command = async (...names) => {
      script.push(`command ${web.idOf(menu, ...names)}`);
      await web.menu(page, ...names);
    };
    const click = async (x, y, button = 'left') => {
      script.push(`${button} ${x} ${y}`);
      await web.clickCanvas(page, x, y, button);
    };
    // The chooser opens inside the pass that takes "Other": answer it, then let the pass end.
    const chooseColor = async (answer) => {
      const passing = page.evaluate(() => pinballPage.step(1));
      await page.waitForSelector('#color-value');
      if (answer) {
        script.push(`answer ${answer}`);
        await page.$eval(
          '#color-value',
          (e, v) => {
            e.value = v;
          },
          '#' + answer,
        );
        await page.click('.box-buttons button:first-child');
      } else {
        script.push('cancel');
        await page.$eval('#color-value', (e) => {
          e.value = '#123456';
        });
        await page.click('.box-buttons button:last-child');
      }
      await passing;
    };

    let first;
    const failed = await web.runChecks([
      [
        'the first frame of the default scene',
        async () => {
          await step(1);
          first = await web.canvasBytes(page);
          await sameAsNative();
        },
      ],
      [
        'the balls move, frame 120 as the native one',
        async () => {
          await step(119);
          assert.notEqual(web.compareFrames(await web.canvasBytes(page), first), '');
          await sameAsNative();
        },
      ],
      [
        'a circle, box, triangle and polygon built by clicks',
        async () => {
          await command('File', 'Edit');
          await command('Shape', 'Circle');
          await click(60, 300);
          await click(85, 300);
          await command('Shape', 'Box');
          await click(300, 200);
          await click(360, 240);
          await command('Shape', 'Triangle');
          await click(500, 300);
          await click(460, 360);
          await click(560, 350);
          await command('Shape', 'Polygon');
          await click(620, 420);
          await click(700, 430);
          await click(680, 520);
          await click(640, 500, 'right');
          await step(20);
          await sameAsNative();
        },
      ],
      [
        'a cancelled colour chooser changes nothing; OK does',
        async () => {
          await command('Color', 'Other');
          await chooseColor(null);
          await command('Shape', 'Circle');
          await click(200, 330);
          await click(215, 330);
          await step(4);
          await command('Color', 'Other');
          await chooseColor('20c0ff');
          await click(250, 330);
          await click(265, 330);
          await step(4);
          await sameAsNative();
        },
      ],
      [
        'a box picked and moved, then picked and deleted',
        async () => {
          await command('Shape', 'Box');
          await click(330, 220);
          await click(420, 120); // onto the new place
          await step(4);
          await sameAsNative();
          const moved = await web.canvasBytes(page);
          await click(425, 125); // the box in its new place
          script.push('key 46');
          await page.keyboard.press('Delete');
          await step(4);
          assert.notEqual(web.compareFrames(await web.canvasBytes(page), moved), '');
          await sameAsNative();
        },
      ],
      [
        'the A key, with and without Shift, switches filled drawing',
        async () => {
          script.push('key 65');
          await page.keyboard.press('a');
          await step(2);
          await sameAsNative();
          script.push('key 16', 'key 65');
          await page.keyboard.down('Shift');
          await page.keyboard.press('A');
          await page.keyboard.up('Shift');
          await command('File', 'Edit'); // and the balls go on
          await step(30);
          await sameAsNative();
        },
      ],
      [
        'an example by its link; T, Space, "." and "," as Trails, Pause, Step and Step Back; an example from the menu',
        async () => {
          await page.evaluate(() => localStorage.clear()); // no changed table to ask about first
          const timed = await web.open(browser, url + '?step#example=stadium', errors);
          const lines = ['command 40051'];
          const press = async (key, code) => {
            lines.push(`key ${code}`);
            await timed.keyboard.press(key);
          };
          const steps = async (n) => {
            lines.push(`pass ${n}`);
            await timed.evaluate((k) => pinballPage.step(k), n);
          };
          const same = async () =>
            assert.equal(
              web.compareFrames(await web.canvasBytes(timed), web.replay(args.replay, lines, args.out).frame),
              '',
            );
          await press('KeyT', 84);
          await steps(90);
          await same();
          await press('Space', 32);
          await steps(2);
          const paused = await web.canvasBytes(timed);
          await press('Period', 190);
          await steps(2);
          assert.notEqual(web.compareFrames(await web.canvasBytes(timed), paused), '', 'Step moved nothing');
          await press('Comma', 188);
          await steps(2);
          assert.equal(
            web.compareFrames(await web.canvasBytes(timed), paused),
            '',
            'Step Back is not where Step began',
          );
          await same();
          lines.push('command 40054');
          await web.menu(timed, 'File', 'Examples', 'Two balls a millionth apart');
          await press('Space', 32);
          await steps(30);
          await same();
          await timed.close();
        },
      ],
      [
        'on phones upright and on their side: large targets within the screen; a polygon by taps and a long press; A',
        async () => {
          for (const [vw, vh] of [
            [390, 844],
            [844, 390],
          ]) {
            await page.evaluate(() => localStorage.clear()); // the default scene, not the table kept before
            const phone = await web.open(browser, url + '?step', errors, {
              width: vw,
              height: vh,
              isMobile: true,
              hasTouch: true,
              deviceScaleFactor: 3,
            });
            // Every title, item and button at least 44 x 44 CSS px, inside the viewport, its text at least 16 px.
            const targets = (selector) =>
              phone.$$eval(selector, (l) =>
                l
                  .filter((e) => e.getClientRects().length)
                  .map((e) => {
                    const r = e.getBoundingClientRect();
                    const text = e.querySelector('.label') || e;
                    return {
                      name: text.textContent,
                      box: [r.left, r.top, r.right, r.bottom],
                      font: parseFloat(getComputedStyle(text).fontSize),
                    };
                  }),
              );
            const checkTargets = (list, what) => {
              assert.ok(list.length, `no ${what}`);
              for (const { name, box, font } of list) {
                const [l, t, r, b] = box;
                assert.ok(r - l >= 44 && b - t >= 44, `${what} ${name}: ${r - l} x ${b - t}`);
                assert.ok(l >= 0 && t >= 0 && r <= vw + 0.01 && b <= vh + 0.01, `${what} ${name} at ${box}`);
                assert.ok(font >= 16, `${what} ${name}: ${font} px text`);
              }
            };
            checkTargets(await targets('.menu-title'), 'title');
            checkTargets(await targets('#keys button'), 'button');
            assert.equal(await phone.evaluate(() => document.documentElement.scrollHeight), vh, 'the page scrolls');
            const titles = await phone.$$('.menu-title');
            for (const [k, entry] of menu.entries()) {
              await titles[k].tap();
              checkTargets(await targets('.menu.open > .popup > li:not([role="separator"])'), entry.text);
              for (const sub of entry.items.filter((i) => i.items)) {
                const li = await phone.evaluateHandle(
                  (name) =>
                    [...document.querySelectorAll('.menu.open .submenu')].find(
                      (e) => e.querySelector(':scope > .label').textContent === name,
                    ),
                  sub.text,
                );
                await li.tap();
                checkTargets(await targets('.submenu.open > .popup > li'), `${entry.text} > ${sub.text}`);
              }
              await titles[k].tap();
            }
            assert.equal(await phone.$('.menu.open'), null);

            const lines = [
              `command ${web.idOf(menu, 'File', 'Edit')}`,
              `command ${web.idOf(menu, 'Shape', 'Polygon')}`,
            ];
            await web.menu(phone, 'File', 'Edit');
            await web.menu(phone, 'Shape', 'Polygon');
            const { left, top, width, height } = await phone.$eval('#screen', (c) =>
              c.getBoundingClientRect().toJSON(),
            );
            const scale = width / web.WIDTH;
            // As large as the screen allows: the whole width upright, the whole height on its side.
            assert.ok(vw < vh ? width === vw : height === vh, `the canvas ${width} x ${height}`);
            assert.ok(
              left >= 0 && top >= 0 && left + width <= vw && top + height <= vh,
              `the canvas at ${left}, ${top}`,
            );
            assert.deepEqual(
              [left, top].map((v) => Math.abs(v * 3 - Math.round(v * 3)) < 1e-3),
              [true, true],
              'not on device pixels',
            );
            // A touch lands on a whole CSS pixel: the scene pixel under it is the one clicked.
            for (const [kind, x, y] of [
              ['left', 620, 420],
              ['left', 700, 430],
              ['left', 680, 520],
              ['right', 640, 500],
            ]) {
              const [cx, cy] = [Math.round(left + (x + 0.5) * scale), Math.round(top + (y + 0.5) * scale)];
              lines.push(`${kind} ${Math.floor((cx - left) / scale)} ${Math.floor((cy - top) / scale)}`);
              await phone.touchscreen.touchStart(cx, cy);
              if (kind === 'right') await phone.waitForSelector('.held'); // the press is taken and shown
              await phone.touchscreen.touchEnd();
            }
            assert.deepEqual(
              await Promise.all([phone, page].map((p) => p.$eval('#keys', (e) => getComputedStyle(e).display))),
              ['flex', 'none'],
            );
            lines.push('key 65', 'pass 8');
            await (await phone.$('#keys button[data-key="A"]')).tap();
            await phone.evaluate(() => pinballPage.step(8));
            assert.equal(
              web.compareFrames(await web.canvasBytes(phone), web.replay(args.replay, lines, args.out).frame),
              '',
            );
            await phone.close();
          }
        },
      ],
    ]);

    // On the browser's clock now, as a person sees it.
    const live = await web.open(browser, url, errors);
    const clockFailed = await web.runChecks([
      [
        'on the browser clock the balls move; one frame timed; screenshot',
        async () => {
          await live.waitForFunction(() => pinballPage.passes >= 60);
          const before = await web.canvasBytes(live);
          await live.waitForFunction(() => pinballPage.passes >= 300, { timeout: 20000 });
          assert.notEqual(web.compareFrames(await web.canvasBytes(live), before), '');
          const times = (await live.evaluate(() => pinballPage.passTimes())).slice(10).sort((a, b) => a - b);
          const at = (q) => times[Math.min(times.length - 1, Math.floor(q * times.length))].toFixed(2);
          const line =
            `one frame of the default scene (core and copy to the canvas): median ${at(0.5)} ms, ` +
            `90th percentile ${at(0.9)} ms, over ${times.length} passes`;
          console.log(line);
          fs.writeFileSync(path.join(args.out, 'frame-time.txt'), line + '\n');
          await (await live.$('#window')).screenshot({ path: path.join(args.out, 'web-screenshot.png') });
        },
      ],
      [
        '64 passes a second on a display drawing frames as fast as it can',
        async () => {
          const fast = await web.launch(['--disable-gpu-vsync', '--disable-frame-rate-limit']);
          // Counted from half a second in, once the passes owed for the start are paid.
          const [rate, frames] = await web
            .open(fast.browser, url, errors)
            .then((p) =>
              p.evaluate(
                () =>
                  new Promise((done) => {
                    let frames = 0,
                      p0,
                      t0;
                    (function count() {
                      ++frames;
                      requestAnimationFrame(count);
                    })();
                    setTimeout(() => {
                      p0 = pinballPage.passes;
                      t0 = performance.now();
                      frames = 0;
                    }, 500);
                    setTimeout(
                      () => done([((pinballPage.passes - p0) * 1000) / (performance.now() - t0), frames / 2]),
                      2500,
                    );
                  }),
              ),
            )
            .finally(fast.close);
          assert.ok(
            frames > 80 && rate >= 55 && rate <= 65,
            `${rate.toFixed(1)} passes a second at ${frames} frames a second`,
          );
        },
      ],
    ]);
    assert.deepEqual(errors, []);
    process.exitCode = failed + clockFailed ? 1 : 0;
  } finally {
    await close();
    server.close();
  }
}

main().catch((e) => {
  console.error(e);
  process.exitCode = 1;
});
