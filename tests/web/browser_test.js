// The web edition in Debian's Chromium, headless: a first run (silent until
// the first key, a name typed, Enter, the main menu), a reload in the same
// browser profile that comes straight back to the main menu with the name
// kept in IndexedDB, then the world map with the sound on, a round, its WebGL
// context lost and given back, and clicks on cells. The main menu, the world
// map and the round are compared with the OpenGL build's pictures of the play
// test "screens"; the browser's are saved under build/screens/web/.
// Usage: node browser_test.js SITE_DIR SCREENS_DIR
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { chromium } = require('playwright-core');
const { decodePng, compare } = require('./pictures');

const [site, screens] = process.argv.slice(2);
const saveFolder = '/home/web_user/.local/share/kestrin';
// Layout units are 400 pixels at 800 x 600: the centres of "play" and "k_3".
const playButton = { x: 360, y: 360 };
const thirdIsland = { x: 684, y: 208 };
// The seed of the play test's round (tests/play/screens_test.cpp).
const playTestBoardSeed = 7;
const cellsAroundBee = [[400, 225], [460, 260], [460, 330], [400, 365], [340, 330], [340, 260]]
  .map(([x, y]) => ({ x, y }));
const aroundBee = { left: 300, top: 200, right: 500, bottom: 400 };
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
let failures = 0;

function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures++;
}

function serve(folder) {
  const server = http.createServer((request, response) => {
    const file = path.join(folder, path.normalize(decodeURIComponent(request.url.split('?')[0])));
    const name = file.endsWith(path.sep) ? path.join(file, 'index.html') : file;
    fs.readFile(name, (error, bytes) => {
      response.writeHead(error ? 404 : 200, { 'Content-Type': types[path.extname(name)] || 'application/octet-stream' });
      response.end(error ? '' : bytes);
    });
  });
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(server)));
}

async function open(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.state !== 'loading', null, { timeout: 60000 });
  check(await page.evaluate(() => document.body.dataset.state) === 'running', 'the game starts');
  // The screen's widgets take up to a second to appear.
  await page.waitForTimeout(2500);
}

// The game reads one typed character a frame: each key waits for the
// browser's next two animation frames, so that a game frame passes between.
async function pressInItsOwnFrame(page, key) {
  await page.keyboard.press(key);
  await page.evaluate(() => new Promise(done => requestAnimationFrame(() => requestAnimationFrame(done))));
}

// The page reports each state of the Web Audio context behind the game's
// OpenAL on the console ('none' before the game has opened it): an
// evaluation from here would count as the player's gesture.
function reportSound() {
  let reported = 'none';
  setInterval(() => {
    const state = window.AL && AL.currentCtx ? AL.currentCtx.audioCtx.state : 'none';
    if (state !== reported) console.log(`sound ${reported = state}`);
  }, 20);
}

const savedFile = (page, name) => page.evaluate(
  ([folder, file]) => Module.FS.analyzePath(`${folder}/${file}`).exists ?
    Module.FS.readFile(`${folder}/${file}`, { encoding: 'utf8' }) : '', [saveFolder, name]);

async function picture(page, name) {
  const png = await page.locator('#canvas').screenshot();
  fs.mkdirSync(path.join(screens, 'web', 'screens'), { recursive: true });
  fs.writeFileSync(path.join(screens, 'web', 'screens', `${name}.png`), png);
  return decodePng(png);
}

function compareWithOpenGl(image, name, area) {
  const result = compare(decodePng(fs.readFileSync(path.join(screens, 'screens', `${name}.png`))), image, area);
  check(result.close, `${name} is close to the OpenGL picture: ${result.text}`);
}

async function main() {
  const server = await serve(site);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const profileFolder = fs.mkdtempSync(path.join(os.tmpdir(), 'kestrin-chromium-'));
  const browser = await chromium.launchPersistentContext(profileFolder, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
    viewport: { width: 800, height: 600 },
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader'],
  });
  const page = browser.pages()[0] || await browser.newPage();
  page.on('pageerror', error => check(false, `no error on the page: ${error.message}`));
  let sound = 'none';
  page.on('console', line => { sound = /^sound (\w+)$/.exec(line.text())?.[1] || sound; });
  await browser.addInitScript(reportSound);
  try {
    // The game lists each layout it loads on the console: the name field's
    // is there once the first-run screen is.
    const nameField = page.waitForEvent('console', { predicate: line => line.text().startsWith('edit {'), timeout: 60000 });
    await page.goto(url);
    await nameField;
    // Browsers let a page sound only after the player's first click or key.
    await page.waitForTimeout(500);
    check(sound === 'suspended', `no sound before the first key: ${sound}`);
    const resumed = page.waitForEvent('console', { predicate: line => line.text() === 'sound running', timeout: 5000 })
      .then(() => 'running', () => sound);
    await pressInItsOwnFrame(page, 'P');
    check(await resumed === 'running', `the sound starts with the first key: ${sound}`);
    for (const key of [...'ainter', 'Enter']) await pressInItsOwnFrame(page, key);
    await page.waitForTimeout(1500);
    const profile = await savedFile(page, 'profile0.s');
    check(profile.includes('name ^Painter_'), `the first run saves the name: ${/name .*/.exec(profile)}`);

    await page.reload();
    await open(page, url);
    check((await savedFile(page, 'default.cfg')).includes('lastprofile 0'), 'the reload finds the saved settings');

    // The OpenGL pictures show a player with three islands open (and so the
    // rewards button on the main menu).
    await page.evaluate(async ([folder]) => {
      const file = `${folder}/profile0.s`;
      Module.FS.writeFile(file, Module.FS.readFile(file, { encoding: 'utf8' }).replace(/opened_maps 1\b/, 'opened_maps 3'));
      await new Promise(resolve => Module.FS.syncfs(false, resolve));
    }, [saveFolder]);
    await page.reload();
    await open(page, url);
    compareWithOpenGl(await picture(page, '01_main_menu'), '01_main_menu');
    await page.mouse.click(playButton.x, playButton.y);
    await page.waitForTimeout(1500);
    check(sound === 'running', 'the sound is on');
    compareWithOpenGl(await picture(page, '02_world_map'), '02_world_map');

    // The round lays out the board of the OpenGL picture: the generator is
    // seeded as the play test seeds it, when the island's button is let go.
    await page.evaluate(seed => addEventListener('mouseup', () => Module._kestrin_seed_random(seed),
      { capture: true, once: true }), playTestBoardSeed);
    await page.mouse.click(thirdIsland.x, thirdIsland.y);
    await page.waitForTimeout(2500);
    const round = await picture(page, '03_round');
    compareWithOpenGl(round, '03_round');

    // WebGL taken away: the page says so and the game waits; given back,
    // the round is drawn again and takes the clicks below.
    await page.evaluate(() => {
      window.contextForTest = document.getElementById('canvas').getContext('webgl2').getExtension('WEBGL_lose_context');
      contextForTest.loseContext();
    });
    await page.waitForTimeout(500);
    check(await page.evaluate(() => document.body.dataset.state) === 'lost', 'a lost WebGL context is shown');
    await page.evaluate(() => contextForTest.restoreContext());
    await page.waitForTimeout(1000);
    check(await page.evaluate(() => document.body.dataset.state) === 'running', 'the context given back, the game runs');
    const restored = await picture(page, '04_context_restored');
    const same = compare(round, restored);
    check(same.close, `the round is drawn again: ${same.text}`);

    // The bee starts in the middle: each of its six neighbours is clicked,
    // the bee flies to the closed ones and opens them.
    for (const cell of cellsAroundBee) {
      await page.mouse.click(cell.x, cell.y);
      await page.waitForTimeout(400);
    }
    await page.waitForTimeout(1500);
    const after = await picture(page, '05_cells_clicked');
    const changed = compare(restored, after, aroundBee);
    check(!changed.close, `clicks on the cells around the bee change them: ${changed.text}`);
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(profileFolder, { recursive: true, force: true });
  }
  console.log(failures ? `${failures} checks failed` : 'every check passed');
  process.exit(failures ? 1 : 0);
}

main().catch(error => {
  console.error(error);
  process.exit(1);
});
