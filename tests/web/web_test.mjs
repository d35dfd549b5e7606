// The browser build played in Debian's Chromium: the title as the headless backend draws it, the
// pause key, a round, the game-over band, the high score kept across a reload, the records of two tabs both
// kept, a browser without IndexedDB, a missing artwork file shown in the page, and the size of the
// page. Usage:
//   node web_test.mjs SITE-FOLDER NATIVE-BINARY GAME-FOLDER
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [site, binary, game] = process.argv.slice(2).map(p => path.resolve(p));
if (!fs.existsSync(path.join(site, 'vorblet.wasm'))) {
  console.log(`skipped: no page in ${site} (make test builds it)`);
  process.exit(77);
}
const deadline = 90000; // generous for a loaded 2-core machine; passing checks end at once
let failures = 0;

function check(ok, what) {
  console.log((ok ? 'ok   ' : 'FAIL ') + what);
  if (!ok) failures++;
}

// A 24-bit bottom-up BMP as top-down RGB rows.
function readBmp(file) {
  const b = fs.readFileSync(file);
  const offset = b.readUInt32LE(10), width = b.readInt32LE(18), height = b.readInt32LE(22);
  const stride = (width * 3 + 3) & ~3;
  const rgb = Buffer.alloc(width * height * 3);
  for (let y = 0; y < height; y++)
    for (let x = 0; x < width; x++) {
      const from = offset + (height - 1 - y) * stride + x * 3, to = (y * width + x) * 3;
      rgb[to] = b[from + 2]; rgb[to + 1] = b[from + 1]; rgb[to + 2] = b[from];
    }
  return { width, height, rgb };
}

// The title screen as the headless backend shows it, long after its fade-in.
function headlessTitle() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vorblet-web-'));
  fs.cpSync(path.join(game, 'BMP'), path.join(folder, 'BMP'), { recursive: true });
  fs.cpSync(path.join(game, 'wav'), path.join(folder, 'wav'), { recursive: true });
  fs.writeFileSync(path.join(folder, 'script.txt'), '6000 down ESCAPE\n6100 up ESCAPE\n');
  const run = spawnSync(binary, ['--headless', '--script', 'script.txt', '--shot', '5000:title.bmp'],
                        { cwd: folder });
  if (run.status !== 0) throw new Error('the headless run failed: ' + run.stderr);
  return readBmp(path.join(folder, 'title.bmp'));
}

function serve(root) {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                  '.data': 'application/octet-stream' };
  const server = http.createServer((request, response) => {
    const name = path.join(root, decodeURIComponent(new URL(request.url, 'http://x').pathname));
    if (!name.startsWith(path.resolve(root)) || !fs.existsSync(name) || fs.statSync(name).isDirectory()) {
      const index = path.join(name, 'index.html');
      if (fs.existsSync(index)) return response.end(fs.readFileSync(index));
      response.statusCode = 404;
      return response.end();
    }
    response.setHeader('Content-Type', types[path.extname(name)] || 'application/octet-stream');
    response.end(fs.readFileSync(name));
  });
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// The canvas as RGBA bytes; the page sends them as base64, which travels far faster than an array.
async function canvas(page) {
  const text = await page.evaluate(() => {
    const data = document.getElementById('vorblet').getContext('2d').getImageData(0, 0, 640, 460).data;
    let binary = '';
    for (let i = 0; i < data.length; i += 32768)
      binary += String.fromCharCode.apply(null, data.subarray(i, i + 32768));
    return btoa(binary);
  });
  return Buffer.from(text, 'base64');
}

// Whether the non-white pixels of a cell of a sheet show at (left, top) of the canvas.
function cellShows(pixels, sheet, cell, left, top) {
  for (let y = 0; y < cell.height; y++)
    for (let x = 0; x < cell.width; x++) {
      const s = ((cell.top + y) * sheet.width + cell.left + x) * 3;
      if (sheet.rgb[s] === 255 && sheet.rgb[s + 1] === 255 && sheet.rgb[s + 2] === 255) continue;
      const c = ((top + y) * 640 + left + x) * 4;
      if (pixels[c] !== sheet.rgb[s] || pixels[c + 1] !== sheet.rgb[s + 1] ||
          pixels[c + 2] !== sheet.rgb[s + 2]) return false;
    }
  return true;
}

function sameAsTitle(pixels, title) {
  for (let i = 0; i < 640 * 460; i++)
    if (pixels[i * 4] !== title.rgb[i * 3] || pixels[i * 4 + 1] !== title.rgb[i * 3 + 1] ||
        pixels[i * 4 + 2] !== title.rgb[i * 3 + 2]) return false;
  return true;
}

async function waitFor(condition) {
  const end = Date.now() + deadline;
  for (;;) {
    if (await condition()) return true;
    if (Date.now() > end) return false;
    await new Promise(r => setTimeout(r, 100));
  }
}

// Holds a key long enough for several polls of a loaded game, then lets it go.
async function press(page, key) {
  await page.keyboard.down(key);
  await new Promise(r => setTimeout(r, 300));
  await page.keyboard.up(key);
}

async function hold(page, key, until) {
  await page.keyboard.down(key);
  const seen = await waitFor(until);
  await page.keyboard.up(key);
  return seen;
}

const paddleSheet = readBmp(path.join(game, 'BMP', '131.bmp'));
const bandSheet = readBmp(path.join(game, 'BMP', '129.bmp'));
const paddle = { top: 48, left: 0, height: 16, width: 64 };
const band = { top: 128, left: 8, height: 128, width: 480 };
const paddleShows = async page => {
  const pixels = await canvas(page);
  for (let left = 80; left <= 336; left++) if (cellShows(pixels, paddleSheet, paddle, left, 432)) return true;
  return false;
};
// The panel's high-score number, 128 x 16 at (496, 152).
const highScore = async page => {
  const pixels = await canvas(page);
  const area = [];
  for (let y = 152; y < 168; y++) area.push(pixels.subarray((y * 640 + 496) * 4, (y * 640 + 624) * 4));
  return Buffer.concat(area).toString('hex');
};

const bandShows = async page => cellShows(await canvas(page), bandSheet, band, 0, 128);
const NORMAL = 4, SUPER = 2; // their entries in the score table

// From the title to the title again: a variant key held with Space picks the mode, the round beats
// the high score of 30 on its own, and Escape ends it. Gives the panel's high score at the start.
async function playRound(page, what, variantKey) {
  if (variantKey) await page.keyboard.down(variantKey);
  check(await hold(page, 'Space', () => paddleShows(page)), `${what}: Space starts a round: the paddle shows`);
  if (variantKey) await page.keyboard.up(variantKey);
  const before = await highScore(page);
  check(await waitFor(async () => (await highScore(page)) !== before),
        `${what}: the round beats the high score of 30 on its own`);
  // Held on, Escape would also end the game-over sequence it brings.
  await press(page, 'Escape');
  check(await waitFor(() => bandShows(page)), `${what}: Escape brings the game-over band`);
  await press(page, 'Space');
  check(await waitFor(async () => sameAsTitle(await canvas(page), title)), `${what}: Space returns to the title`);
  return before;
}

// The file's bytes as the game reads them (a 0x0D 0x0A pair is one 0x0A), as whole int32 entries.
function scoreEntries(bytes) {
  const data = [];
  for (let i = 0; i < bytes.length; i++) {
    if (bytes[i] === 0x0D && bytes[i + 1] === 0x0A) i++;
    data.push(bytes[i]);
  }
  const entries = [];
  for (let i = 0; i + 4 <= Math.min(data.length, 24); i += 4) entries.push(Buffer.from(data.slice(i, i + 4)).readInt32LE(0));
  return entries;
}

// The score file this tab's game wrote last, and the one IndexedDB keeps for every tab.
const ownScores = async page => scoreEntries(await page.evaluate(() => {
  try { return Array.from(FS.readFile('/vorblet/Vorblet.dat')); } catch (e) { return []; }
}));
const storedScores = async page => scoreEntries(await page.evaluate(() => new Promise(resolve => {
  const open = indexedDB.open('/persist');
  open.onerror = () => resolve([]);
  open.onsuccess = () => {
    const db = open.result;
    if (!db.objectStoreNames.contains('FILE_DATA')) return (db.close(), resolve([]));
    const get = db.transaction('FILE_DATA').objectStore('FILE_DATA').get('/persist/Vorblet.dat');
    get.onsuccess = () => (db.close(), resolve(get.result ? Array.from(get.result.contents) : []));
    get.onerror = () => (db.close(), resolve([]));
  };
})));

const title = headlessTitle();
const server = await serve(site);
const address = `http://127.0.0.1:${server.address().port}/`;
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorblet-chromium-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--window-size=800,600', '--disable-dev-shm-usage'],
});
try {
  let size = 0;
  for (const name of fs.readdirSync(site)) size += fs.statSync(path.join(site, name)).size;
  check(size < 8 * 1024 * 1024, `the page's files take ${(size / 1048576).toFixed(2)} MB, under 8 MB`);

  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', e => errors.push(String(e)));
  const loaded = Date.now();
  await page.goto(address, { waitUntil: 'load' });
  // The logo: the first picture with more than white on it.
  await waitFor(async () => (await canvas(page)).some((v, i) => i % 4 !== 3 && v !== 255));
  console.log(`info the logo showed ${Date.now() - loaded} ms after the page's load began`);
  check(await waitFor(async () => sameAsTitle(await canvas(page), title)),
        'the title equals the headless picture pixel for pixel');
  check(await page.title() === 'Vorblet v1.0.5', 'the caption is the page title');

  // P dims the picture under the pause mark's white bars; P again gives the title back.
  const pauseShows = async () => {
    const pixels = await canvas(page), bar = (230 * 640 + 300) * 4;
    return pixels[bar] === 255 && pixels[bar + 1] === 255 && pixels[bar + 2] === 255 && !sameAsTitle(pixels, title);
  };
  await press(page, 'KeyP');
  check(await waitFor(pauseShows), 'P pauses: the pause mark shows');
  await press(page, 'KeyP');
  check(await waitFor(async () => sameAsTitle(await canvas(page), title)), 'P again resumes: the title shows');

  const before = await playRound(page, 'one tab');
  check(await waitFor(async () => (await storedScores(page))[NORMAL] === (await ownScores(page))[NORMAL]),
        'the record reaches IndexedDB');

  await page.reload({ waitUntil: 'load' });
  check(await waitFor(async () => sameAsTitle(await canvas(page), title)), 'after a reload the title shows');
  check(await hold(page, 'Space', () => paddleShows(page)), 'a new round starts');
  check(await highScore(page) !== before, 'the raised high score is on the next round\'s panel');
  check(errors.length === 0, 'no errors in the page: ' + errors.join('; '));

  // Two tabs that both loaded the table before either saved: the later save keeps the other's record.
  const both = await browser.createBrowserContext();
  const tabs = [], tabErrors = [];
  for (const name of ['the first tab', 'the second tab']) {
    const tab = await both.newPage();
    tab.on('pageerror', e => tabErrors.push(name + ': ' + String(e)));
    await tab.goto(address, { waitUntil: 'load' });
    check(await waitFor(async () => sameAsTitle(await canvas(tab), title)), `${name} shows the title`);
    tabs.push(tab);
  }
  const records = [];
  for (const [i, mode, key] of [[0, NORMAL, undefined], [1, SUPER, 'Tab']]) {
    await tabs[i].bringToFront();
    await playRound(tabs[i], `tab ${i + 1}`, key);
    records.push((await ownScores(tabs[i]))[mode]);
    check(await waitFor(async () => (await storedScores(tabs[i]))[mode] === records[i]),
          `tab ${i + 1}'s record of ${records[i]} reaches IndexedDB`);
  }
  const stored = await storedScores(tabs[0]);
  check(records[0] > 30 && records[1] > 30 && stored[NORMAL] === records[0] && stored[SUPER] === records[1],
        `both tabs' records are stored: ${JSON.stringify(records)} in ${JSON.stringify(stored)}`);
  check(tabErrors.length === 0, 'no errors in the tabs: ' + tabErrors.join('; '));
  await both.close();

  // Some private modes have no IndexedDB: the game plays, and the page says what it cannot keep.
  const away = await browser.createBrowserContext();
  const bare = await away.newPage();
  const bareErrors = [];
  bare.on('pageerror', e => bareErrors.push(String(e)));
  await bare.evaluateOnNewDocument(() => Object.defineProperty(window, 'indexedDB', { value: undefined }));
  await bare.goto(address, { waitUntil: 'load' });
  const bareTitle = await waitFor(async () => sameAsTitle(await canvas(bare), title));
  check(bareTitle, 'without IndexedDB the title shows');
  const note = await bare.evaluate(() => {
    const line = document.getElementById('vorblet-note');
    return line && !line.hidden ? line.textContent : '';
  });
  check(note.includes('not be kept'), 'and a line says the scores will not be kept: ' + JSON.stringify(note));
  if (bareTitle) {
    await playRound(bare, 'without IndexedDB');
    check(await waitFor(async () => (await ownScores(bare))[NORMAL] > 30), 'the session keeps the record in memory');
  }
  check(bareErrors.length === 0, 'no errors in the page without IndexedDB: ' + bareErrors.join('; '));
  await away.close();

  const broken = await browser.newPage();
  const brokenErrors = [];
  broken.on('pageerror', e => brokenErrors.push(String(e)));
  await broken.goto(address + '?without=BMP/128.bmp', { waitUntil: 'load' });
  const boxShows = () => broken.evaluate(() => !document.getElementById('vorblet-box').hidden);
  check(await waitFor(boxShows), 'a missing artwork file gives the in-page message');
  const text = await broken.evaluate(() => document.getElementById('vorblet-box-text').textContent);
  check(text.includes('BMP/128.bmp') && text.includes('の読込みに失敗しました。'),
        'the message names the file: ' + JSON.stringify(text));
  const ended = () => broken.evaluate(() => !document.getElementById('vorblet-ended').hidden);
  check(await waitFor(async () => {
    if (await boxShows()) await broken.click('#vorblet-box-ok');
    return ended();
  }), 'after the messages the page says the game could not start');
  check(brokenErrors.length === 0, 'and nothing crashed: ' + brokenErrors.join('; '));
} finally {
  await browser.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
console.log(failures === 0 ? 'all passed' : `${failures} failed`);
process.exit(failures === 0 ? 0 : 1);
