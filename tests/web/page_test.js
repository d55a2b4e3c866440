// End-to-end test of the web build in headless Chromium (run by
// scripts/web-test.sh): the page's deterministic mode against the native
// program's headless frames, keys and the pointer, pause, sound, and the
// frame rate of the paced page.
// Usage: node page_test.js URL NATIVE_PROGRAM OUT_DIR [--all-scenes]
'use strict';
const puppeteer = require('puppeteer-core');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const [url, program, outDir] = process.argv.slice(2, 5);
const allScenes = process.argv.includes('--all-scenes');
if (!url || !program || !outDir) {
  console.error('usage: node page_test.js URL NATIVE_PROGRAM OUT_DIR [--all-scenes]');
  process.exit(2);
}
fs.mkdirSync(outDir, { recursive: true });

let failures = 0;
function check(ok, what) {
  console.log((ok ? 'ok   ' : 'FAIL ') + what);
  if (!ok) failures += 1;
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// Native reference frames: a headless run of the program, its P6 dumps read
// back as RGB bytes.
function nativeFrames(args, wanted) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'qorn-native-'));
  try {
    const last = Math.max(...wanted);
    execFileSync(program, ['--headless', ...args, '--frames', String(last), '--dump-frames=' + dir]);
    const frames = {};
    for (const n of wanted) {
      const file = fs.readFileSync(path.join(dir, 'frame-' + String(n).padStart(5, '0') + '.ppm'));
      const header = 'P6\n256 256\n255\n';
      if (file.subarray(0, header.length).toString('latin1') !== header) throw new Error('unexpected P6 header');
      frames[n] = file.subarray(header.length);
    }
    return frames;
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

// The first pixel where the canvas's RGBA differs from the native RGB, or null.
function firstDifference(rgba, rgb) {
  if (rgba.length !== 256 * 256 * 4 || rgb.length !== 256 * 256 * 3) return 'size ' + rgba.length;
  for (let i = 0, j = 0; j < rgb.length; i += 4, j += 3) {
    if (rgba[i] !== rgb[j] || rgba[i + 1] !== rgb[j + 1] || rgba[i + 2] !== rgb[j + 2]) {
      const p = j / 3;
      return `pixel (${p % 256}, ${Math.floor(p / 256)}): page ${rgba[i]},${rgba[i + 1]},${rgba[i + 2]}` +
             ` native ${rgb[j]},${rgb[j + 1]},${rgb[j + 2]}`;
    }
  }
  return null;
}

async function openPage(browser, query) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('console', (m) => { if (m.type() === 'error') page.errors.push(m.text()); });
  page.on('pageerror', (e) => page.errors.push(e.message));
  page.on('requestfailed', (r) => page.errors.push('request failed: ' + r.url()));
  await page.setViewport({ width: 800, height: 700 });
  await page.goto(url + query);
  return page;
}

async function captures(page, frames) {
  const out = {};
  for (const n of frames) {
    const b64 = await page.evaluate((k) => {
      const d = qornWeb.captures[k];
      let s = '';
      for (let i = 0; i < d.length; i += 0x8000) s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
      return btoa(s);
    }, n);
    out[n] = Buffer.from(b64, 'base64');
  }
  return out;
}

async function closePage(page, what) {
  check(page.errors.length === 0, what + ': no console error' + (page.errors.length ? ' (' + page.errors.join('; ') + ')' : ''));
  await page.close();
}

// A deterministic run that ends by itself: its captured frames against the
// native ones.
async function compareRun(browser, label, args, wanted, extra = []) {
  const query = ['clock=virtual', 'fast', 'mute', 'frames=' + Math.max(...wanted), 'capture=' + wanted.join(','), ...extra];
  if (args.length) query.push('scene=' + encodeURIComponent(args[1]));
  const started = Date.now();
  const page = await openPage(browser, '?' + query.join('&'));
  await page.waitForFunction(() => qornWeb.exitStatus !== null || qornWeb.error !== null, { timeout: 120000 });
  const seconds = (Date.now() - started) / 1000;
  const status = await page.evaluate(() => qornWeb.exitStatus);
  check(status === 0, `${label}: the page ended after frame ${Math.max(...wanted)} (${seconds.toFixed(1)} s)`);
  const web = await captures(page, wanted);
  const native = nativeFrames(args, wanted);
  for (const n of wanted) {
    const d = firstDifference(web[n], native[n]);
    check(d === null, `${label}: frame ${n} equals the native headless frame` + (d ? ' (' + d + ')' : ''));
  }
  await closePage(page, label);
}

// Steps a deterministic run: waits until it stands still after frame n.
async function holdAfter(page, n) {
  await page.evaluate((k) => { qornWeb.hold = k; }, n);
  await page.waitForFunction((k) => qornWeb.frames === k, { timeout: 60000 }, n);
}

async function framePoint(page, x, y) {
  const r = await page.evaluate(() => {
    const b = document.getElementById('screen').getBoundingClientRect();
    return { left: b.left, top: b.top, width: b.width, height: b.height };
  });
  return { x: r.left + (x + 0.5) * r.width / 256, y: r.top + (y + 0.5) * r.height / 256 };
}

// Keys and the pointer in a stepped deterministic run of FLOWERS GAME give
// the frames of the native run with the same input script: the click
// catches a flower (the score changes), G switches the glow on.
async function inputRun(browser) {
  const label = 'pointer and keys';
  const wanted = [120, 151, 160, 171, 200];
  const page = await openPage(browser, '?clock=virtual&mute&scene=FLOWERS%20GAME&capture=' + wanted.join(','));
  await holdAfter(page, 99);
  let p = await framePoint(page, 192, 64);
  await page.mouse.move(p.x, p.y);
  await holdAfter(page, 149);
  await page.mouse.down();
  await holdAfter(page, 159);
  await page.mouse.up();
  await holdAfter(page, 169);
  await page.keyboard.press('g');
  await holdAfter(page, 200);
  const web = await captures(page, wanted);
  const script = ['--scene', 'FLOWERS GAME', '--pointer', '100:192:64:0,150:192:64:1,160:192:64:0'];
  const native = nativeFrames([...script, '--keys', '170:G'], wanted);
  for (const n of wanted) {
    const d = firstDifference(web[n], native[n]);
    check(d === null, `${label}: frame ${n} equals the native frame with the same script` + (d ? ' (' + d + ')' : ''));
  }
  const noClick = nativeFrames(['--scene', 'FLOWERS GAME', '--pointer', '100:192:64:0', '--keys', '170:G'], [160]);
  check(!noClick[160].equals(native[160]), `${label}: the click acted (frame 160 differs from the run without it)`);
  await closePage(page, label);
}

async function pixelsHash(page) {
  return page.evaluate(() => {
    const c = document.getElementById('screen');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let h = 2166136261;
    for (let i = 0; i < d.length; ++i) h = Math.imul(h ^ d[i], 16777619) >>> 0;
    return h;
  });
}

// The paced page as a visitor sees it.
async function liveRun(browser) {
  const label = 'live page';
  const page = await openPage(browser, '');
  await page.waitForFunction(() => qornWeb.frames > 150, { timeout: 60000 });
  const a = await pixelsHash(page);
  await sleep(500);
  const b = await pixelsHash(page);
  check(a !== b, `${label}: frames appear and change`);

  const before = await page.evaluate(() => qornWeb.audioState());
  const p = await framePoint(page, 128, 128);
  await page.mouse.click(p.x, p.y);
  await page.waitForFunction(() => qornWeb.audioState().context === 'running', { timeout: 10000 }).catch(() => {});
  await sleep(300);
  const after = await page.evaluate(() => qornWeb.audioState());
  check(before.context === 'none' && after.context === 'running' && after.playing && after.loop && after.rms > 0.001,
        `${label}: no sound before a click; after it the Web Audio graph runs a loop (${JSON.stringify(after)})`);

  await page.keyboard.press('p');
  await sleep(300);
  const paused = await page.evaluate(() => qornWeb.frames);
  await sleep(1000);
  const stillPaused = await page.evaluate(() => qornWeb.frames);
  await page.keyboard.press('p');
  await sleep(500);
  const resumed = await page.evaluate(() => qornWeb.frames);
  check(paused === stillPaused && resumed > stillPaused,
        `${label}: P pauses (${paused} -> ${stillPaused} frames in 1 s) and resumes (${resumed})`);

  // The frame rate over ten seconds of the first scene (CIRCLES WAVES).
  const rates = [];
  for (let i = 0; i < 5; ++i) {
    await sleep(2000);
    rates.push(await page.evaluate(() => qornWeb.stats()));
  }
  const fps = rates.map((r) => r.fps.toFixed(1)).join(' ');
  const work = rates.map((r) => r.workMeanMs.toFixed(2)).join(' ');
  const stalls = rates.map((r) => r.browserStalledMs.toFixed(0)).join(' ');
  console.log(`info ${label}: frames a second over 2 s windows: ${fps}; mean work per frame (ms): ${work};` +
              ` ms lost to late animation frames: ${stalls}`);
  const shot = path.join(outDir, 'page.png');
  await page.screenshot({ path: shot });
  console.log('info screenshot: ' + shot);

  await page.keyboard.press('Escape');
  await page.waitForFunction(() => qornWeb.exitStatus !== null, { timeout: 10000 }).catch(() => {});
  const end = await page.evaluate(() => ({ status: qornWeb.exitStatus, sound: qornWeb.audioState() }));
  check(end.status === 0 && !end.sound.playing, `${label}: Escape ends the demo with status 0 and stops the sound`);
  await closePage(page, label);
}

// Frame rate and work per frame of every scene, paced (for the closing note).
async function sceneRates(browser) {
  const list = execFileSync(program, ['--list-scenes']).toString().trim().split('\n').slice(1);
  for (const line of list) {
    const m = /^\s*(\d+)\s+(\d+)\s+(.*)$/.exec(line);
    const page = await openPage(browser, '?mute&scene=' + m[1]);
    await page.waitForFunction(() => qornWeb.frames > 200, { timeout: 60000 });
    await sleep(1000);
    const r0 = await page.evaluate(() => qornWeb.stats());
    await sleep(4000);
    const r = await page.evaluate(() => qornWeb.stats());
    console.log(`info scene ${m[1].padStart(2)} ${m[3].padEnd(36)} ${((r.frames - r0.frames) / 4).toFixed(1)} fps,` +
                ` work ${r.workMeanMs.toFixed(2)} ms mean, ${r.workMaxMs.toFixed(1)} ms max,` +
                ` ${r.browserStalledMs.toFixed(0)} ms of the last 2 s lost to late animation frames`);
    await closePage(page, 'scene ' + m[1]);
  }
}

(async () => {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'qorn-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--user-data-dir=' + profile],
  });
  try {
    if (allScenes) {
      await sceneRates(browser);
    } else {
      await compareRun(browser, 'sequence', [], [1, 48, 96, 97, 300, 600]);
      await compareRun(browser, 'BLENDED RECTANGLES', ['--scene', 'BLENDED RECTANGLES'], [120, 250]);
      await compareRun(browser, 'FILLED+BLENDED CIRCLES BENCHMARK', ['--scene', '3'], [150, 300]);
      await compareRun(browser, 'BLENDED CIRCLES, plain kernels', ['--scene', 'BLENDED CIRCLES'], [150, 300], ['simd=scalar']);
      await compareRun(browser, 'BLENDED CIRCLES, SIMD kernels', ['--scene', 'BLENDED CIRCLES'], [150, 300]);
      await compareRun(browser, 'FLOOD FILL AQUARELLA', ['--scene', 'FLOOD FILL AQUARELLA'], [150, 300]);
      await compareRun(browser, 'MUSIC MIX SHOW', ['--scene', 'MUSIC MIX SHOW'], [200]);
      await inputRun(browser);
      await liveRun(browser);
    }
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(failures === 0 ? 'web test passed' : `web test: ${failures} check(s) failed`);
  process.exit(failures === 0 ? 0 : 1);
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
