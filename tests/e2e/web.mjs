// The browser build in build tree argv[2], served on 127.0.0.1 and opened in Debian's Chromium,
// driven through the DevTools protocol on a pipe as a person would: the picture by the pixel
// kinds of tests/e2e/lib.sh, steering compared frame for frame with runs that do not steer,
// greys after a click, Escape and what the page says then, and no console errors; then,
// without WebGL, the page's message and the program's failure line.
// With --rate it prints the frames a second the page draws instead.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { dirname, extname, join, resolve } from 'node:path';

const build = resolve(process.argv[2]);
const lib = join(dirname(new URL(import.meta.url).pathname), 'lib.sh');
const tmp = mkdtempSync(join(tmpdir(), 'tovrek-web.'));
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml' };
const FRAME_PAUSE_MS = 6; // the program's pause in every frame
const STEER_AT = 30, LOOK_AT = 100; // frames: the pointer moves after the first, shots after the second
const NEVER = 1e9; // a frame not to hold at
const ENDED = 'The demo has ended. Reload the page to start it again.';
const NO_WEBGL = 'This browser cannot show the demo: WebGL is turned off or not supported. ' +
  'Turn it on (or try another browser) and reload the page.';
const NO_MODE = "Couldn't set GL mode: this browser has WebGL turned off or does not support it\n";
const errors = [];
let chromium, runs = 0, lastId = 0;
const replies = new Map();
const headless = { ...process.env }; // without a display to look for, which it has no use for
delete headless.DISPLAY;
delete headless.WAYLAND_DISPLAY;

function check(ok, message) {
  if (!ok) throw new Error(message);
}

// The build's page files, nothing else, with the types a web server gives them.
const server = createServer((request, response) => {
  const name = new URL(request.url, 'http://host').pathname.slice(1);
  try {
    check(!name.includes('/') && TYPES[extname(name)], 'not a page file');
    const body = readFileSync(join(build, name));
    response.writeHead(200, { 'Content-Type': TYPES[extname(name)] }).end(body);
  } catch {
    response.writeHead(404).end();
  }
});
await new Promise((done) => server.listen(0, '127.0.0.1', done));
const url = `http://127.0.0.1:${server.address().port}/tovrek.html`;

// A fresh headless Chromium that takes DevTools commands on fd 3 and answers on fd 4, one
// NUL-terminated JSON message each. Errors of any page, failed loads included, are kept.
async function launch(...flags) {
  await quit();
  chromium = spawn(process.env.CHROMIUM || 'chromium', ['--headless=new',
    '--remote-debugging-pipe', `--user-data-dir=${join(tmp, `profile${++runs}`)}`,
    '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-first-run',
    ...(process.getuid() === 0 ? ['--no-sandbox'] : []), ...flags, 'about:blank'],
  { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'], env: headless });
  chromium.once('exit', () => replies.forEach((reply) => reply({ error: { message: 'ended' } })));
  chromium.stdio[3].on('error', () => {}); // a write after the end: the command fails as above
  let input = '';
  chromium.stdio[4].on('data', (chunk) => {
    const messages = (input += chunk).split('\0');
    input = messages.pop();
    for (const message of messages.map((text) => JSON.parse(text))) {
      replies.get(message.id)?.(message);
      replies.delete(message.id);
      const { method, params } = message;
      if (method === 'Runtime.consoleAPICalled' && params.type === 'error')
        errors.push(params.args.map((arg) => arg.value).join(' '));
      if (method === 'Runtime.exceptionThrown') errors.push(params.exceptionDetails.text);
      if (method === 'Log.entryAdded' && params.entry.level === 'error') errors.push(params.entry.text);
    }
  });
}
async function quit() {
  if (!chromium || chromium.exitCode !== null || chromium.signalCode !== null) return;
  const ended = new Promise((done) => chromium.once('exit', done));
  await send('Browser.close').catch(() => chromium.kill());
  await ended;
}

function send(method, params = {}, sessionId) {
  const id = ++lastId;
  if (chromium.exitCode !== null) return Promise.reject(new Error(`${method}: Chromium ended`));
  chromium.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
  return new Promise((done, failed) => replies.set(id, (reply) => reply.error ?
    failed(new Error(`${method}: ${reply.error.message}`)) : done(reply.result)));
}

// Runs in the page before its scripts. Every frame ends in the program's pause, a setTimeout:
// counting those counts frames, and holding one stops the program once it has drawn that frame,
// the same picture in every run. releaseFrames(n) runs on to frame n.
function holdFrames(pause, at) {
  const timeout = window.setTimeout;
  let held;
  window.frameCount = 0;
  window.holdAt = at;
  window.setTimeout = (callback, ms, ...rest) => {
    if (ms !== pause || ++window.frameCount < window.holdAt) return timeout(callback, ms, ...rest);
    held = callback;
    return 0;
  };
  window.releaseFrames = (n) => {
    window.holdAt = n;
    timeout(held, 0);
  };
}

// A new page held at frame `at`: a function that sends it a command.
async function open(at) {
  const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
  const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
  const page = (method, params) => send(method, params, sessionId);
  page.close = () => send('Target.closeTarget', { targetId });
  for (const domain of ['Page', 'Runtime', 'Log']) await page(`${domain}.enable`);
  await page('Emulation.setDeviceMetricsOverride', // room for the whole canvas
    { width: 1024, height: 900, deviceScaleFactor: 1, mobile: false });
  await page('Page.addScriptToEvaluateOnNewDocument',
    { source: `(${holdFrames})(${FRAME_PAUSE_MS}, ${at})` });
  await page('Page.navigate', { url });
  if (at !== NEVER) await heldAt(page, at);
  return page;
}
async function evaluate(page, expression) {
  const { result, exceptionDetails } = await page('Runtime.evaluate',
    { expression, returnByValue: true });
  return exceptionDetails ? undefined : result.value;
}
// Waits until `expression` holds in the page, 30 s at most.
async function until(page, what, expression) {
  for (let tries = 0; !(await evaluate(page, expression)); tries++) {
    check(tries < 300, `no ${what}`);
    await new Promise((done) => setTimeout(done, 100));
  }
}
const heldAt = (page, n) => until(page, `frame ${n}`, `window.frameCount === ${n}`);
const text = (page, id) => evaluate(page, `document.getElementById('${id}').textContent`);
const canvas = (page) => evaluate(page, "JSON.parse(JSON.stringify(document.getElementById('canvas').getBoundingClientRect()))");
const mouse = (page, type, x, y) =>
  page('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
async function shot(page) {
  const { x, y, width, height } = await canvas(page);
  const { data } = await page('Page.captureScreenshot', { clip: { x, y, width, height, scale: 1 } });
  return Buffer.from(data, 'base64');
}

// The canvas's pixels by kind, as lib.sh counts a screen's: [white, black, grey, other].
async function kinds(page) {
  writeFileSync(join(tmp, 'canvas.png'), await shot(page));
  return execFileSync('bash', ['-c', 'source "$1" && pixel_kinds "$2"', 'bash', lib,
    join(tmp, 'canvas.png')]).toString().trim().split(' ').map(Number);
}

// The picture at frame LOOK_AT after the pointer moved to canvas pixel `to` at frame STEER_AT.
async function steered(to) {
  const page = await open(STEER_AT);
  const { x, y } = await canvas(page);
  if (to) await mouse(page, 'mouseMoved', x + to[0] + 0.5, y + to[1] + 0.5);
  await evaluate(page, `window.releaseFrames(${LOOK_AT})`);
  await heldAt(page, LOOK_AT);
  return page;
}

// Frames a second over a few seconds, and nothing else.
async function rate() {
  await launch();
  const page = await open(NEVER);
  const sample = () => evaluate(page, '[window.frameCount, performance.now()]');
  const start = await sample();
  await new Promise((done) => setTimeout(done, 5000));
  const end = await sample();
  console.log(`${((end[0] - start[0]) * 1000 / (end[1] - start[1])).toFixed(1)} frames a second`);
}

async function main() {
  await launch();
  // The program reads a pointer that never moved as at (0, 0): a move to the canvas's corner
  // must leave the picture as it was, one across or down must change it.
  const page = await steered(null);
  const [white, black, grey, other] = await kinds(page);
  check(white > 0 && black > 0 && grey + other === 0,
    `${white} white, ${black} black, ${grey} grey, ${other} other pixels`);
  const still = await shot(page);
  for (const [to, same] of [[[0, 0], true], [[400, 0], false], [[0, 300], false]]) {
    const moved = await steered(to);
    check(Buffer.compare(still, await shot(moved)) === 0 === same,
      `the pointer at ${to} ${same ? 'changed' : 'did not change'} the view`);
    await moved.close();
  }

  const { x, y } = await canvas(page);
  for (const type of ['mouseMoved', 'mousePressed', 'mouseReleased'])
    await mouse(page, type, x + 400, y + 300);
  await evaluate(page, 'window.releaseFrames(Infinity)');
  for (let tries = 0; ; tries++) {
    const [, , grey, other] = await kinds(page);
    if (grey > 0 && other === 0) break;
    check(tries < 300, `no grey boxes, or other colours (${other}), after a click`);
  }
  for (const type of ['keyDown', 'keyUp'])
    await page('Input.dispatchKeyEvent', { type, key: 'Escape', code: 'Escape', windowsVirtualKeyCode: 27 });
  await until(page, 'word from the page that the demo ended after Escape',
    `statusLine.textContent === '${ENDED}'`);
  check(errors.length === 0, `errors on the console: ${errors.join('; ')}`);

  await launch('--disable-webgl');
  const blind = await open(NEVER);
  await until(blind, 'word from the page without WebGL', "!['Starting…', ''].includes(statusLine.textContent)");
  check(await text(blind, 'status') === NO_WEBGL && await text(blind, 'errors') === NO_MODE,
    `without WebGL: ${await text(blind, 'status')} / ${await text(blind, 'errors')}`);
}

try {
  await (process.argv[3] === '--rate' ? rate() : main());
} catch (error) {
  console.error(`FAIL: ${error.message}`);
  process.exitCode = 1;
} finally {
  await quit();
  server.close();
  rmSync(tmp, { recursive: true, force: true, maxRetries: 10 }); // its helpers may linger
}
