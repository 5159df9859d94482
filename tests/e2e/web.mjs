// The browser build in build tree argv[2], opened in Debian's Chromium, which is handed its files,
// driven by puppeteer-core (installed into the tree by scripts/web) as a person would: the
// picture by the pixel kinds of tests/e2e/lib.sh and against its golden frame; steering by mouse
// and by touch, on a scrolled page too, compared frame for frame with runs that do not steer; on
// every page, the picture whole and the controls line for mouse or touch; the pace of the
// display; Tab out of the picture; pause and play, also after pointer moves while paused, and
// reduced motion; greys after a click; keys left to the browser where the demo has no focus;
// Escape, after full screen and paused too, and what the page says then; a lost WebGL context;
// no console errors; a fault that stops the program, and the page's word; then, without WebGL,
// the page's message and the program's failure line.
// With --rate it prints, after the laptop's pace, the frames a second the page draws and shows.
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, extname, join, resolve } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';

const build = resolve(process.argv[2]);
const puppeteer = createRequire(join(build, 'e2e', 'package.json'))('puppeteer-core');
const lib = join(dirname(new URL(import.meta.url).pathname), 'lib.sh');
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml' };
// The program's pause in every frame; frames: input comes after STEER_AT, shots after LOOK_AT.
const FRAME_PAUSE_MS = 6, STEER_AT = 30, LOOK_AT = 100;
const NEVER = 1e9, PACE_MS = 2000; // a frame not to hold at; how long the pace is measured
const MOVES = 12000; // pointer moves over a paused picture, more than Emscripten's SDL queues
const TRAP = '0,97,115,109,1,0,0,0,1,4,1,96,0,0,3,2,1,0,7,5,1,1,116,0,0,10,5,1,3,0,0,11'; // t traps
const GOLDEN = join(dirname(lib), '..', 'golden', 'web_frame.png'); // frame LOOK_AT, unsteered
const GOLDEN_SLACK = 2400; // pixels, half a percent: edges that another renderer may place apart
const DESK = { width: 1024, height: 900 }; // room for the whole 800 × 600 canvas
const PHONE = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const LAPTOP = { width: 1366, height: 657 }; // a 1366 × 768 screen less the browser's bars
const SIDE = { ...PHONE, width: 844, height: 390, scroll: 40 }; // on its side, the page scrolled
const ENDED = 'The demo has ended. Reload the page to start it again.';
const LOST = 'The browser took the picture away (its graphics were reset). ' +
  'Reload the page to start the demo again.';
const NO_WEBGL = 'This browser cannot show the demo: WebGL is turned off or not supported. ' +
  'Turn it on (or try another browser) and reload the page.';
const STOPPED = 'The demo stopped on an error. Reload the page to start it again.';
const NO_MODE = "Couldn't set GL mode: this browser has WebGL turned off or does not support it\n";
let browser, errors = [];
const check = (ok, message) => { if (!ok) throw new Error(message); };

// A fresh headless Chromium, without a display to look for, which it has no use for.
async function launch(...flags) {
  await browser?.close();
  browser = await puppeteer.launch({ pipe: true,
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    env: { ...process.env, DISPLAY: '', WAYLAND_DISPLAY: '' },
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader',
      ...(process.getuid() ? [] : ['--no-sandbox']), ...flags] });
}

// Runs in the page before its scripts. Every frame ends in the program's pause, a setTimeout:
// counting those counts frames, and holding one stops the program once it has drawn that frame,
// the same picture in every run. releaseFrames(n) runs on to frame n. It also counts the page's
// animation frames, and notes whether the last key's default action was prevented. A `fault`,
// code, runs in place of the program's every frame, as setTimeout runs code.
function holdFrames(pause, at, fault) {
  let held, tick, timeout = window.setTimeout;
  Object.assign(window, { frameCount: 0, animationFrames: 0, holdAt: at, fault });
  (tick = () => requestAnimationFrame(tick, window.animationFrames++))();
  addEventListener('keydown', (event) => { window.keyPrevented = event.defaultPrevented; });
  window.setTimeout = (callback, ms, ...rest) =>
    (ms !== pause || ++window.frameCount < window.holdAt ?
      timeout(ms === pause && window.fault || callback, ms, ...rest) : (held = callback, 0));
  window.releaseFrames = (n) => timeout(held, 0, window.holdAt = n);
}

// A new page of size `view`, held at frame `at` or, with NEVER, once started or failed, whose
// errors, failed loads included, are kept. It is served the build's page files, nothing else,
// with the types a web server gives them. The whole picture is in the viewport, 4:3, with
// nothing to scroll sideways to, and the controls line speaks of the view's mouse or touch.
// With `calm`, the system asks for reduced motion; a `fault` runs in place of every frame.
async function open(at, view = DESK, { calm, fault } = {}) {
  const page = await browser.newPage();
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('request', (request) => {
    const name = join(build, new URL(request.url()).pathname), type = TYPES[extname(name)];
    request.respond(type && existsSync(name) ?
      { contentType: type, body: readFileSync(name) } : { status: 404 });
  });
  await Promise.all([page.setRequestInterception(true), page.setViewport(view),
    page.evaluateOnNewDocument(holdFrames, FRAME_PAUSE_MS, at, fault),
    calm && page.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: 'reduce' }])]);
  await page.goto('http://127.0.0.1/tovrek.html'); // intercepted: never on the network
  await until(page, at === NEVER ? 'start' : `frame ${at}`,
    at === NEVER ? "statusLine.textContent !== 'Starting…'" : `frameCount === ${at}`);
  const { x, y, width, height } = await canvas(page), [wide, word] = await page.evaluate(
    "[document.documentElement.scrollWidth, document.querySelector('p').innerText]");
  check(x >= 0 && x + width <= view.width && y + height <= view.height && wide <= view.width &&
    Math.abs(width * 3 / 4 - height) < 0.05, `canvas ${width} × ${height} at ${x}, ${y}`);
  check(word.startsWith(view.hasTouch ? 'Drag on the picture' : 'Move the mouse'), `said: ${word}`);
  return page;
}
// Waits until `expression` holds in the page, 30 s at most.
const until = (page, what, expression) => page.waitForFunction(expression,
  { timeout: 30000, polling: 100 }).catch(() => check(false, `no ${what}`));
const canvas = (page) => page.evaluate('canvas.getBoundingClientRect().toJSON()');
const shot = async (page) =>
  page.screenshot({ clip: await canvas(page), captureBeyondViewport: false });
// Where canvas pixel [x, y] is on the page, canvas at `rect`.
const spot = (rect, [x, y]) =>
  [rect.x + (x + 0.5) * rect.width / 800, rect.y + (y + 0.5) * rect.height / 600];
const move = (to) => (page, rect) => page.mouse.move(...spot(rect, to));
const tap = (at) => (page, rect) => page.touchscreen.tap(...spot(rect, at));
const drag = (from, to) => (page, rect) => page.touchscreen.touchStart(...spot(rect, from))
  .then((finger) => finger.move(...spot(rect, to)).then(() => finger.end()));
// `n` pointer moves to canvas pixel `to` from 300 pixels right of it, made in the page (the
// browser's own input sends one an animation frame at most); then those between Pause and Play.
const moves = (page, rect, to, n = MOVES) => page.evaluate((n, [x, y]) => { for (let i = n; i--;)
  mouse('mousemove', { clientX: x + i * 300 / n, clientY: y }); }, n, spot(rect, to));
const pausedMoves = (to, n) => (page, rect) => page.click('#pause')
  .then(() => moves(page, rect, to, n)).then(() => page.click('#pause'));
// What bash `script` prints, given `file` as $1 and `input` on stdin.
const bash = (script, file, input) =>
  execFileSync('bash', ['-c', script, 'bash', file], { input }).toString().trim();
// The pixels of a PNG by kind, as lib.sh counts a screen's: [white, black, grey, other].
const kinds = (png) => bash('source "$1" && pixel_kinds png:-', lib, png).split(' ').map(Number);

// The canvas at frame LOOK_AT after `act` at frame STEER_AT on a page of size `view`, scrolled
// down by view.scroll CSS pixels meanwhile.
async function steered(view, act = () => {}) {
  const page = await open(STEER_AT, view);
  await page.evaluate(`scrollTo(0, ${view.scroll ?? 0})`);
  await act(page, await canvas(page));
  await page.evaluate(`scrollTo(0, 0), releaseFrames(${LOOK_AT})`);
  await until(page, `frame ${LOOK_AT}`, `frameCount === ${LOOK_AT}`);
  return shot(page).finally(() => page.close());
}
// Whether the page let F5, a key of the browser's, do what it does.
const browserKeyFree = async (page) =>
  !(await page.keyboard.press('F5'), await page.evaluate('window.keyPrevented'));
// From `paused`, the pause button pressed twice, by a finger where `touch`: each time its label
// says what it will do, and over a second the picture and the frame count hold while paused.
async function toggles(page, paused, touch) {
  const look = () => Promise.all([shot(page), page.evaluate('[pause.textContent, frameCount]')]);
  for (let presses = 0; presses < 3; presses++, paused = !paused) {
    if (presses) await page[touch ? 'tap' : 'click']('#pause');
    const [[before, [label, from]], [after, [, to]]] = [await look(), await sleep(1000).then(look)];
    check(label === (paused ? 'Play' : 'Pause') && before.equals(after) === paused &&
      (from === to) === paused, `${label}: frames ${from} to ${to}`);
  }
}

async function main() {
  await launch();
  // In a laptop's window, running free: Tab moves on the focus the canvas starts with, and the
  // demo goes on at most one frame an animation frame, the browser's keys its own; the pause
  // button holds the picture and starts it again.
  const laptop = await open(NEVER, LAPTOP);
  check(await laptop.evaluate('document.activeElement === canvas'), 'no focus at the start');
  await laptop.keyboard.press('Tab');
  const sample = () => laptop.evaluate('[frameCount, animationFrames]');
  const start = await sample(), end = await sleep(PACE_MS).then(sample);
  const [drawn, shown] = end.map((n, i) => (n - start[i]) * 1000 / PACE_MS);
  const rate = `${drawn} frames drawn a second, ${shown} animation frames`;
  if (process.argv[3] === '--rate') return console.log(rate);
  check(drawn > 0 && drawn <= shown + 1000 / PACE_MS, rate);
  check(await browserKeyFree(laptop), 'F5 taken from the page after Tab');
  await toggles(laptop, false);
  // A lost context: the page's word, and the demo stops there, with no error lines.
  const [frames, since] = await laptop.evaluate('[frameCount, animationFrames, ' +
    "canvas.getContext('webgl').getExtension('WEBGL_lose_context').loseContext()]");
  await until(laptop, 'word of the lost picture', `statusLine.textContent === '${LOST}'`);
  await until(laptop, 'animation frames', `animationFrames > ${since + 30}`);
  const [count, lines] = await laptop.evaluate('[frameCount, errors.textContent]');
  check(count === frames && !lines, `frame ${count} of ${frames} after a lost context; ${lines}`);

  // Where the system asks for reduced motion, the first picture waits for Play, here by touch,
  // after Full screen and back; the buttons leave the picture its keys, and Escape ends the
  // demo, paused as it is, under MOVES pointer moves too.
  const calm = await open(NEVER, PHONE, { calm: true });
  await calm.tap('#fullscreen');
  await until(calm, 'full screen', 'document.fullscreenElement === frame');
  await calm.evaluate('document.exitFullscreen()');
  await toggles(calm, true, true);
  await moves(calm, await canvas(calm), [0, 300]).then(() => calm.keyboard.press('Escape'));
  await until(calm, 'end after Escape, paused', `statusLine.textContent === '${ENDED}'`);
  // The program reads a pointer that never moved as at (0, 0): a move or drag to the canvas's
  // corner must leave the picture as it was, one across or down must change it, and so must a
  // tap, which turns greys on; a finger on a scrolled page as on any. Paused, the picture takes
  // no input, however much, and Play goes on from the same frame with the pointer's last place.
  const stills = new Map([[DESK, await steered(DESK)], [SIDE, await steered(SIDE)]]);
  const still = stills.get(DESK), [white, black, grey, other] = kinds(still);
  check(white > 0 && black > 0 && grey + other === 0,
    `${white} white, ${black} black, ${grey} grey, ${other} other pixels`);
  // The held frame is the same picture in every run: its golden copy pins the view's geometry
  // (the projection and the look-at), which neither the pixel kinds nor the steering can see.
  if (process.env.TOVREK_UPDATE_GOLDEN) writeFileSync(GOLDEN, still);
  const differ = parseFloat(bash('compare -metric AE -fuzz 5% "$1" png:- null: 2>&1 || true',
    GOLDEN, still)); // ImageMagick 7 follows the count with its share in brackets
  check(differ <= GOLDEN_SLACK, `${differ} pixels differ from ${GOLDEN}`);
  for (const [view, what, act, same] of [[DESK, 'the pointer at the corner', move([0, 0]), true],
    [DESK, 'the pointer across', move([400, 0]), false],
    [DESK, 'the pointer down', move([0, 300]), false],
    [SIDE, 'a drag to the corner', drag([400, 300], [0, 0]), true],
    [SIDE, 'a drag across', drag([0, 0], [400, 0]), false],
    [SIDE, 'a tap at the corner', tap([0, 0]), false],
    [DESK, `${MOVES} pointer moves to the corner while paused`, pausedMoves([0, 0]), true],
    [DESK, 'a pointer move across while paused', pausedMoves([400, 0], 1), false]]) {
    check(stills.get(view).equals(await steered(view, act)) === same,
      `${what} ${same ? 'changed' : 'did not change'} the view`);
  }

  // A click gives the canvas the keys back and turns greys on; Escape ends the demo. A page in
  // the background gets no animation frames, so the demo waits there: a new one.
  const page = await open(NEVER);
  await page.evaluate('canvas.blur()');
  await page.mouse.click(...spot(await canvas(page), [400, 300]));
  for (let tries = 0, grey = 0, other; !grey || other; tries++) {
    [, , grey, other] = kinds(await shot(page));
    check(tries < 300, `no grey boxes, or other colours (${other}), after a click`);
  }
  await page.keyboard.press('Escape');
  await until(page, 'end after Escape', `statusLine.textContent === '${ENDED}'`);
  check(await browserKeyFree(page), 'F5 taken from the page after the demo ended');
  check(errors.length === 0, `errors on the console: ${errors.join('; ')}`);
  // In place of its frames, an abort, an exception or a WebAssembly trap stops the program: the
  // page's word.
  for (const fault of ['abort()', 'null.fault',
    `new WebAssembly.Instance(new WebAssembly.Module(new Uint8Array([${TRAP}]))).exports.t()`])
    await until(await open(NEVER, DESK, { fault }), fault,
      `statusLine.textContent === '${STOPPED}'`);

  await launch('--disable-webgl');
  const said = await (await open(NEVER)).evaluate('[statusLine.textContent, errors.textContent]');
  check(said[0] === NO_WEBGL && said[1] === NO_MODE, `without WebGL: ${said.join(' / ')}`);
}

await main().catch((error) => { console.error(`FAIL: ${error.stack}`); process.exitCode = 1; });
await browser?.close();
