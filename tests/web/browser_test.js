// The web edition in Debian's Chromium, headless: a first run (a name typed,
// Enter, the main menu), a reload in the same browser profile that comes
// straight back to the main menu with the name kept in IndexedDB, then the
// world map with the sound on, a round and a click on a cell. The main menu,
// the world map and the round are compared with the OpenGL build's pictures
// of the play test "screens"; the browser's are saved under build/screens/web/.
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
const statusBar = { left: 0, top: 530, right: 800, bottom: 600 };
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

// The state of the Web Audio context behind the game's OpenAL, 'none' before
// the game has opened it.
const soundState = page => page.evaluate(() => AL.currentCtx ? AL.currentCtx.audioCtx.state : 'none');

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
  try {
    // The game lists each layout it loads on the console: the name field's
    // is there once the first-run screen is.
    const nameField = page.waitForEvent('console', { predicate: line => line.text().startsWith('edit {'), timeout: 60000 });
    await open(page, url);
    await nameField;
    for (const key of [...'Painter', 'Enter']) await pressInItsOwnFrame(page, key);
    await page.waitForTimeout(1500);
    const profile = await savedFile(page, 'profile0.s');
    check(profile.includes('name ^Painter_'), `the first run saves the name: ${/name .*/.exec(profile)}`);

    await page.reload();
    await open(page, url);
    check((await savedFile(page, 'default.cfg')).includes('lastprofile 0'), 'the reload finds the saved settings');
    compareWithOpenGl(await picture(page, '01_main_menu'), '01_main_menu');

    // The OpenGL pictures show a player with three islands open.
    await page.evaluate(async ([folder]) => {
      const file = `${folder}/profile0.s`;
      Module.FS.writeFile(file, Module.FS.readFile(file, { encoding: 'utf8' }).replace(/opened_maps 1\b/, 'opened_maps 3'));
      await new Promise(resolve => Module.FS.syncfs(false, resolve));
    }, [saveFolder]);
    await page.reload();
    await open(page, url);
    await page.mouse.click(playButton.x, playButton.y);
    await page.waitForTimeout(1500);
    check(await soundState(page) === 'running', 'the sound is on');
    compareWithOpenGl(await picture(page, '02_world_map'), '02_world_map');

    await page.mouse.click(thirdIsland.x, thirdIsland.y);
    await page.waitForTimeout(2500);
    const round = await picture(page, '03_round');
    // Each round lays out its board afresh: the interface at the bottom is
    // compared, the scene only shown.
    compareWithOpenGl(round, '03_round', statusBar);

    // The bee starts in the middle; the board is random, so each of its six
    // neighbours is clicked: the bee flies to the closed ones and opens them.
    for (const cell of cellsAroundBee) {
      await page.mouse.click(cell.x, cell.y);
      await page.waitForTimeout(400);
    }
    await page.waitForTimeout(1500);
    const after = await picture(page, '04_cells_clicked');
    const changed = compare(round, after, aroundBee);
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
