// The browser build in build tree argv[2], served on 127.0.0.1 and opened in Debian's Chromium
// under puppeteer-core (which scripts/web installs in BUILD/check), driven as a person would:
// the picture by the pixel kinds of tests/e2e/lib.sh, steering compared frame for frame with
// runs that do not steer, greys after a click, Escape and what the page says then, and no
// console errors; then, without WebGL, the page's message and the program's failure line.
// With --rate it prints the frames a second the page draws instead.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, extname, join, resolve } from 'node:path';

const build = resolve(process.argv[2]);
const puppeteer = createRequire(join(build, 'check', 'package.json'))('puppeteer-core');
const lib = join(dirname(new URL(import.meta.url).pathname), 'lib.sh');
const tmp = mkdtempSync(join(tmpdir(), 'tovrek-web.'));
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml' };
const FRAME_PAUSE_MS = 6; // the program's pause in every frame
const STEER_AT = 30, LOOK_AT = 100; // frames: the pointer moves after the first, shots after the second
const NEVER = 1e9; // a frame not to hold at (Infinity does not reach the page)
const ENDED = 'The demo has ended. Reload the page to start it again.';
const NO_WEBGL = 'This browser cannot show the demo: WebGL is turned off or not supported. ' +
  'Turn it on (or try another browser) and reload the page.';
const NO_MODE = "Couldn't set GL mode: this browser has WebGL turned off or does not support it\n";
const errors = [];
let browser, runs = 0;

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
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const url = `http://127.0.0.1:${server.address().port}/tovrek.html`;

async function launch(...flags) {
  await browser?.close();
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
    userDataDir: join(tmp, `profile${++runs}`),
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--no-first-run', ...(process.getuid() === 0 ? ['--no-sandbox'] : []), ...flags],
  });
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

// A new page held at frame `at`; its errors, failed requests included, are kept.
async function open(at) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 900 }); // room for the whole canvas
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('requestfailed', (request) => errors.push(`${request.url()} failed`));
  page.on('response', (reply) => reply.status() >= 400 && errors.push(`${reply.url()} ${reply.status()}`));
  await page.evaluateOnNewDocument(holdFrames, FRAME_PAUSE_MS, at);
  await page.goto(url);
  if (at !== NEVER) await heldAt(page, at);
  return page;
}
// Waits until `test(arg)` holds in the page, 30 s at most.
const until = (page, what, test, arg) =>
  page.waitForFunction(test, { timeout: 30000 }, arg).catch(() => check(false, `no ${what}`));
const heldAt = (page, n) => until(page, `frame ${n}`, (n) => window.frameCount === n, n);
const text = (page, id) => page.$eval(id, (element) => element.textContent);
const shot = async (page) => (await page.$('canvas')).screenshot();

// The canvas's pixels by kind, as lib.sh counts a screen's: [white, black, grey, other].
async function kinds(page) {
  writeFileSync(join(tmp, 'canvas.png'), await shot(page));
  return execFileSync('bash', ['-c', 'source "$1" && pixel_kinds "$2"', 'bash', lib,
    join(tmp, 'canvas.png')]).toString().trim().split(' ').map(Number);
}

// The picture at frame LOOK_AT after the pointer moved to canvas pixel `to` at frame STEER_AT.
async function steered(to) {
  const page = await open(STEER_AT);
  if (to) {
    const box = await (await page.$('canvas')).boundingBox();
    await page.mouse.move(box.x + to[0] + 0.5, box.y + to[1] + 0.5);
  }
  await page.evaluate((n) => window.releaseFrames(n), LOOK_AT);
  await heldAt(page, LOOK_AT);
  return page;
}

// Frames a second over a few seconds, and nothing else.
async function rate() {
  await launch();
  const page = await open(NEVER);
  const start = await page.evaluate(() => [window.frameCount, performance.now()]);
  await new Promise((resolve) => setTimeout(resolve, 5000));
  const end = await page.evaluate(() => [window.frameCount, performance.now()]);
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

  const box = await (await page.$('canvas')).boundingBox();
  await page.mouse.click(box.x + 400, box.y + 300);
  await page.evaluate(() => window.releaseFrames(Infinity));
  for (let tries = 0; ; tries++) {
    const [, , grey, other] = await kinds(page);
    if (grey > 0 && other === 0) break;
    check(tries < 300, `no grey boxes, or other colours (${other}), after a click`);
  }
  await page.keyboard.press('Escape');
  await until(page, 'the page to say the demo ended after Escape',
    (ended) => statusLine.textContent === ended, ENDED);
  check(errors.length === 0, `errors on the console: ${errors.join('; ')}`);

  await launch('--disable-webgl');
  const blind = await open(NEVER);
  await until(blind, 'a word from the page without WebGL',
    () => !['Starting…', ''].includes(statusLine.textContent));
  check(await text(blind, '#status') === NO_WEBGL && await text(blind, '#errors') === NO_MODE,
    `without WebGL: ${await text(blind, '#status')} / ${await text(blind, '#errors')}`);
}

try {
  await (process.argv[3] === '--rate' ? rate() : main());
} catch (error) {
  console.error(`FAIL: ${error.message}`);
  process.exitCode = 1;
} finally {
  await browser?.close();
  server.close();
  rmSync(tmp, { recursive: true, force: true });
}
