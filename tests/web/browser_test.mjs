// The browser page against the headless driver. For each scenario it plays the same clicks,
// keys, holds and waits on the page in Chromium (simulated time moved only by the page's test
// hook, so the waits are exact), reads the LCD back from the canvas's pixels at every point the
// scenario checks the device, and compares it with what ql730-headless prints at the same
// points: they must be identical. Then: the variant picker, the screenshot button, a walk with
// taps only on an emulated phone (and a look at a tablet), the page's own clock, the time to
// the first picture, and the page opening without the server.
//
// Usage: node browser_test.mjs PAGE_DIR QL730_HEADLESS SCENARIOS_DIR OUT_DIR SCENARIO...
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [pageDir, headless, scenariosDir, outDir, ...scenarios] = process.argv.slice(2);
if (!scenarios.length) {
    console.error('usage: node browser_test.mjs PAGE_DIR QL730_HEADLESS SCENARIOS_DIR OUT_DIR SCENARIO...');
    process.exit(2);
}
const CHROMIUM = '/usr/bin/chromium';
const BUTTONS = ['top-left', 'bottom-left', 'bottom-right', 'top-right'];
const BUTTON_KEYS = [['q', '1'], ['a', '2'], ['l', '3'], ['p', '4']]; // in button order
const ARROWS = { up: 'ArrowUp', down: 'ArrowDown', left: 'ArrowLeft', right: 'ArrowRight' };
const CHECKS = new Set(['expect-lcd', 'expect-screen', 'expect-text', 'expect-state', 'print-lcd']);

let failures = 0;
function fail(message) {
    console.error(`FAIL: ${message}`);
    ++failures;
}

function durationMs(text) {
    const m = /^(\d+(?:\.\d+)?)(ms|s|m|h)$/.exec(text);
    if (!m) throw new Error(`cannot read the duration ${text}`);
    return Math.round(Number(m[1]) * { ms: 1, s: 1000, m: 60000, h: 3600000 }[m[2]]);
}

// The scenario's input lines as steps, and every line that checks the device as a checkpoint.
function readScenario(name) {
    const folder = path.join(scenariosDir, name);
    const lines = fs.readFileSync(path.join(folder, 'scenario.txt'), 'utf8').split('\n');
    const args = fs.existsSync(path.join(folder, 'args.txt'))
        ? fs.readFileSync(path.join(folder, 'args.txt'), 'utf8').split('\n').filter(Boolean) : [];
    const steps = [];
    for (const raw of lines) {
        const words = raw.replace(/#.*/, '').trim().split(/\s+/).filter(Boolean);
        if (!words.length) continue;
        const [op, ...rest] = words;
        if (CHECKS.has(op)) steps.push({ op: 'check', screen: op === 'expect-screen' ? rest[0] : null });
        else if (['press', 'release', 'click', 'hold', 'key', 'wait', 'mouse-down', 'mouse-up'].includes(op))
            steps.push({ op, rest });
        // print-state and save-* show nothing new on the LCD
    }
    return { steps, args };
}

// What ql730-headless prints at the checkpoints: the same input, print-lcd at each check.
function headlessFrames({ steps, args }) {
    const script = steps.map((s) => (s.op === 'check' ? 'print-lcd' : [s.op, ...s.rest].join(' ')))
        .join('\n') + '\n';
    const run = spawnSync(headless, ['-', ...args], { input: script, encoding: 'utf8' });
    if (run.status !== 0) throw new Error(`ql730-headless failed (${run.status}): ${run.stderr}`);
    const rows = run.stdout.split('\n').filter(Boolean);
    const frames = [];
    for (let i = 0; i < rows.length; i += 64) frames.push(rows.slice(i, i + 64).join('\n') + '\n');
    return frames;
}

function firstDifference(expected, found) {
    const a = expected.split('\n'), b = found.split('\n');
    for (let i = 0; i < a.length; ++i)
        if (a[i] !== b[i]) return `row ${i}:\n  headless ${a[i]}\n  page     ${b[i]}`;
    return '';
}

function pageArgs(args) {
    const query = new URLSearchParams();
    for (let i = 0; i < args.length; i += 2)
        query.set(args[i].replace(/^--/, ''), args[i + 1]);
    return query;
}

async function openPage(browser, base, query) {
    const page = await browser.newPage();
    await page.setViewport({ width: 1280, height: 800 });
    page.on('pageerror', (error) => fail(`page error: ${error.message}`));
    await page.goto(`${base}/index.html?${query}`);
    await page.waitForFunction(() => window.ql730 !== undefined);
    await page.evaluate(() => window.ql730.painted());
    return page;
}

async function playScenario(browser, base, name) {
    const scenario = readScenario(name);
    const expected = headlessFrames(scenario);
    const query = pageArgs(scenario.args);
    query.set('manual', '');
    const page = await openPage(browser, base, query);
    const point = (b) => page.evaluate((i) => window.ql730.buttonPoint(i), b);
    let clicks = 0, frame = 0;
    for (const step of scenario.steps) {
        const b = BUTTONS.indexOf(step.rest?.[0]);
        switch (step.op) {
        case 'press': await page.mouse.move(...(await point(b))); await page.mouse.down(); break;
        case 'release': case 'mouse-up': await page.mouse.up(); break;
        case 'click':
            // Every other click by the button's keyboard key, letter and digit in turn.
            if (clicks++ % 2 === 0) {
                await page.mouse.click(...(await point(b)));
            } else {
                const key = BUTTON_KEYS[b][(clicks >> 1) % 2];
                await page.keyboard.down(key);
                await page.keyboard.up(key);
            }
            break;
        case 'hold':
            await page.keyboard.down(BUTTON_KEYS[b][0]);
            await page.evaluate((ms) => window.ql730.advance(ms), durationMs(step.rest[1]));
            await page.keyboard.up(BUTTON_KEYS[b][0]);
            break;
        case 'key':
            for (let i = 0; i < Number(step.rest[1] ?? 1); ++i) await page.keyboard.press(ARROWS[step.rest[0]]);
            break;
        case 'wait': await page.evaluate((ms) => window.ql730.advance(ms), durationMs(step.rest[0])); break;
        case 'mouse-down': {
            const [x, y] = step.rest.map(Number);
            const at = await page.evaluate((px, py) => {
                const box = document.getElementById('window').getBoundingClientRect();
                return [box.left + (px + 0.5) * box.width / 500, box.top + (py + 0.5) * box.height / 280];
            }, x, y);
            await page.mouse.move(...at);
            await page.mouse.down();
            break;
        }
        case 'check': {
            await page.evaluate(() => window.ql730.painted());
            const found = await page.evaluate(() => window.ql730.canvasLcd());
            const difference = firstDifference(expected[frame], found);
            if (difference) fail(`${name}: checkpoint ${frame + 1}: the canvas differs from print-lcd at ${difference}`);
            if (step.screen) {
                const screen = await page.evaluate(() => window.ql730.screen());
                if (screen !== step.screen) fail(`${name}: checkpoint ${frame + 1}: screen ${screen}, expected ${step.screen}`);
            }
            ++frame;
            break;
        }
        }
    }
    if (frame !== expected.length) fail(`${name}: ${frame} checkpoints on the page, ${expected.length} from ql730-headless`);
    console.log(`${name}: ${frame} LCD pictures identical to ql730-headless`);
    return page;
}

// The variant picker restarts the device as that variant, as --variant does.
async function pickerCheck(page) {
    await page.select('#variant', '4');
    await page.evaluate(() => window.ql730.painted());
    const found = await page.evaluate(() => window.ql730.canvasLcd());
    const run = spawnSync(headless, ['-', '--variant', '4'], { input: 'print-lcd\n', encoding: 'utf8' });
    const difference = firstDifference(run.stdout, found);
    if (run.status !== 0 || difference) fail(`variant picker: the canvas differs from --variant 4: ${difference}`);
    else console.log('variant picker: the German variant as ql730-headless --variant 4 shows it');
}

// The footer names the simulator's version, as the programs' --version does.
async function footerCheck(page) {
    const footer = await page.$eval('#version', (element) => element.textContent);
    const version = spawnSync(headless, ['--version'], { encoding: 'utf8' }).stdout.split(' ')[1];
    if (!version || !footer.startsWith(`Ostrel QL-730 Simulator ${version.trim()}`))
        fail(`the footer says "${footer}", ql730-headless --version ${version}`);
    else console.log(`footer: ${footer}`);
}

// An address with a variant the device does not have starts it as usual, without an error.
async function badAddress(browser, base) {
    const page = await openPage(browser, base, 'manual&variant=300&language=klingon');
    const found = await page.evaluate(() => window.ql730.canvasLcd());
    const run = spawnSync(headless, ['-'], { input: 'print-lcd\n', encoding: 'utf8' });
    const difference = firstDifference(run.stdout, found);
    if (difference) fail(`?variant=300: the page does not show the usual start: ${difference}`);
    else console.log('?variant=300&language=klingon: the usual start, variant 2 in Italian');
    await page.close();
}

async function screenshotButton(page, folder) {
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: path.resolve(folder) });
    await page.click('#screenshot');
    let file;
    for (let i = 0; i < 300 && !file; ++i) { // up to 30 s on a busy machine
        await new Promise((r) => setTimeout(r, 100));
        file = fs.readdirSync(folder).find((f) => /^ql730-window-\d{8}-\d{6}\.png$/.test(f));
    }
    if (!file) return fail('the screenshot button saved no ql730-window-DATE-TIME.png');
    const png = fs.readFileSync(path.join(folder, file));
    const size = [png.readUInt32BE(16), png.readUInt32BE(20)];
    if (png.toString('latin1', 1, 4) !== 'PNG' || size[0] !== 500 || size[1] !== 280)
        return fail(`the screenshot ${file} is not a 500 x 280 PNG`);
    console.log(`screenshot button: ${file}, 500 x 280`);
}

// The LCD that ql730-headless prints after `script`, and one print-state's vehicle values.
function headlessRun(script, args = []) {
    const run = spawnSync(headless, ['-', ...args], { input: script, encoding: 'utf8' });
    if (run.status !== 0) throw new Error(`ql730-headless failed (${run.status}): ${run.stderr}`);
    return run.stdout;
}

const CONTROLS = ['speed-down', 'speed-up', 'fuel-down', 'fuel-up', 'pause', 'step', 'fast', 'power'];
const PHONE = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const TABLET = { width: 820, height: 1180, deviceScaleFactor: 2, isMobile: true, hasTouch: true };

async function touchPage(browser, url, viewport) {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    page.on('pageerror', (error) => fail(`page error: ${error.message}`));
    page.on('response', (r) => { if (r.status() >= 400) fail(`${r.url()}: HTTP ${r.status()}`); });
    await page.goto(url);
    await page.waitForFunction(() => window.ql730 !== undefined);
    await page.evaluate(() => window.ql730.painted());
    return page;
}

// How the faceplate is shown: the share of the viewport's width, screen pixels per canvas
// pixel (1 when the canvas holds the screen's pixels) and blended LCD pixels.
async function canvasFit(page, name) {
    const fit = await page.evaluate(() => {
        const canvas = document.getElementById('window');
        const box = canvas.getBoundingClientRect();
        return { share: box.width / window.innerWidth, perPixel: box.width * devicePixelRatio / canvas.width,
                 perPicture: canvas.width / 500, inView: box.bottom <= window.innerHeight,
                 blended: window.ql730.blendedLcdPixels() };
    });
    if (Math.abs(fit.perPixel - 1) > 0.002) fail(`${name}: a canvas pixel is ${fit.perPixel} screen pixels`);
    if (fit.blended) fail(`${name}: ${fit.blended} LCD pixels on the canvas are blends of two picture pixels`);
    if (!fit.inView) fail(`${name}: the faceplate does not fit in the viewport's height`);
    return fit;
}

// Everything with taps on a phone: the controls drive, pause, step and speed up the clock, and
// the LCD then is the one ql730-headless shows for the same inputs at the same instants.
async function phoneWalk(browser, base) {
    const page = await touchPage(browser, `${base}/index.html`, PHONE);
    const sizes = await page.evaluate((ids) => ids.map((id) => {
        const box = document.getElementById(id)?.getBoundingClientRect();
        return box ? [id, box.width, box.height] : [id, 0, 0];
    }), CONTROLS);
    for (const [id, w, h] of sizes)
        if (!(w >= 44 && h >= 44)) fail(`phone: the control #${id} is ${w} x ${h} CSS pixels, under 44 x 44`);
    const fit = await canvasFit(page, 'phone');
    if (fit.share < 0.9) fail(`phone: the faceplate fills ${(fit.share * 100).toFixed(0)} % of the width`);

    const now = () => page.evaluate(() => window.ql730.now());
    await page.tap('#pause');
    const t0 = await now();
    const wakes = await page.evaluate(() => window.ql730.wakes());
    await new Promise((r) => setTimeout(r, 400));
    if (await now() !== t0 || await page.evaluate(() => window.ql730.wakes()) !== wakes)
        fail('phone: the clock or the page moved while paused');
    for (let i = 0; i < 3; ++i) await page.tap('#speed-up');
    for (let i = 0; i < 4; ++i) await page.tap('#step');
    if (await now() !== t0 + 1000) fail(`phone: four steps moved the clock ${(await now()) - t0} ms`);
    await page.tap('#pause'); // resume
    const [x, y] = await page.evaluate(() => {
        const box = document.getElementById('fast').getBoundingClientRect();
        return [box.left + box.width / 2, box.top + box.height / 2];
    });
    await page.touchscreen.touchStart(x, y);
    await new Promise((r) => setTimeout(r, 2200));
    await page.touchscreen.touchEnd();
    if (await page.evaluate(() => window.ql730.fast()))
        fail('phone: the clock still runs x16 after the finger left the control');
    await page.tap('#pause');
    const t1 = await now();
    if (t1 - t0 < 30000) fail(`phone: x16 held for 2.2 s ran the clock only ${t1 - t0} ms`);
    await page.evaluate(() => window.ql730.painted());
    const found = await page.evaluate(() => window.ql730.canvasLcd());
    const expected = headlessRun(`${t0 ? `wait ${t0}ms\n` : ''}key up 3\nwait ${t1 - t0}ms\nprint-lcd\n`);
    const difference = firstDifference(expected, found);
    if (difference) fail(`phone: after speed + x3 and ${t1 - t0} ms the canvas differs from print-lcd at ${difference}`);
    await page.tap('#show-state');
    const interval = await page.evaluate(() => {
        const row = [...document.querySelectorAll('#state-lines tr')].find((r) => r.cells[0].textContent === 'Interval');
        return row && !document.getElementById('state').hidden ? row.cells[1].textContent : '';
    });
    if (!/^[1-9]\d* m/.test(interval)) fail(`phone: the state panel's interval reads "${interval}" after driving`);
    await page.tap('#show-keys');
    if (await page.$eval('#keys', (e) => e.hidden)) fail('phone: the Keys control does not show the key map');
    await page.tap('#power');
    if (!/power cycled/.test(await page.$eval('#status', (e) => e.textContent)))
        fail('phone: the Power control does not say it power cycled');
    await page.screenshot({ path: path.join(outDir, 'phone.png') });
    console.log(`phone: taps drove ${t1 - t0} ms (paused, 4 steps, x16 held) to the LCD that ql730-headless shows; ` +
                `the faceplate fills ${(fit.share * 100).toFixed(0)} % of the width at ${fit.perPicture.toFixed(2)} ` +
                `screen pixels a picture pixel, unblended; ${path.join(outDir, 'phone.png')}`);

    // Installable: the manifest and the icons it names.
    const manifest = await page.evaluate(async () => {
        const link = document.querySelector('link[rel=manifest]');
        const json = await (await fetch(link.href)).json();
        const icons = [];
        for (const icon of json.icons ?? []) {
            const image = await createImageBitmap(await (await fetch(new URL(icon.src, link.href))).blob());
            icons.push(`${icon.sizes}=${image.width}x${image.height}`);
        }
        const favicon = await fetch(document.querySelector('link[rel=icon]').href);
        return { name: json.name, display: json.display, start: json.start_url, icons, favicon: favicon.status };
    });
    const wanted = ['192x192=192x192', '512x512=512x512'];
    if (!manifest.name || manifest.display !== 'standalone' || !manifest.start ||
        wanted.some((w) => !manifest.icons.includes(w)) || manifest.favicon !== 200)
        fail(`the manifest or its icons: ${JSON.stringify(manifest)}`);
    else console.log(`manifest: "${manifest.name}", standalone, icons ${manifest.icons.join(' ')}, favicon`);
    await page.close();

    // Landscape and the tablet fit too.
    for (const [name, viewport] of [['phone-landscape', { ...PHONE, width: 844, height: 390, isLandscape: true }],
                                    ['tablet', TABLET]]) {
        const view = await touchPage(browser, `${base}/index.html?manual`, viewport);
        const shown = await canvasFit(view, name);
        if (shown.share < 0.5) fail(`${name}: the faceplate fills only ${(shown.share * 100).toFixed(0)} % of the width`);
        await view.screenshot({ path: path.join(outDir, `${name}.png`) });
        console.log(`${name}: the faceplate at ${shown.perPicture.toFixed(2)} screen pixels a picture pixel; ` +
                    path.join(outDir, `${name}.png`));
        await view.close();
    }
}

// An address the device cannot start says what started instead, and the picker shows it.
async function addressNotice(browser, base) {
    for (const [query, variant, words] of [['variant=999', '2', /999.*variant 2 Italy in Italian/],
                                           ['variant=5&language=italian', '5', /offers only.*variant 5 UK in English/]]) {
        const page = await touchPage(browser, `${base}/index.html?manual&${query}`, PHONE);
        const [shown, text, picked] = await page.evaluate(() => {
            const notice = document.getElementById('notice');
            return [!notice.hidden && notice.offsetHeight > 0, notice.textContent,
                    document.getElementById('variant').value];
        });
        if (!shown || !words.test(text) || picked !== variant)
            fail(`?${query}: the notice ${shown ? `"${text}"` : 'is not shown'}, the picker on ${picked}`);
        else console.log(`?${query}: "${text}"`);
        await page.close();
    }
}

// A drive file dropped on the page plays: the distance at its end is the one that
// ql730-headless's drive gives.
async function droppedDrive(browser, base) {
    const file = path.join(scenariosDir, 'drive_distance', 'drive.csv');
    const page = await touchPage(browser, `${base}/index.html?manual`, PHONE);
    await page.evaluate((text) => {
        const data = new DataTransfer();
        data.items.add(new File([text], 'drive.csv', { type: 'text/csv' }));
        document.getElementById('stage').dispatchEvent(
            new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
    }, fs.readFileSync(file, 'utf8'));
    await page.waitForFunction(() => /playing drive\.csv/.test(document.getElementById('status').textContent));
    await page.evaluate(() => window.ql730.advance(120000));
    const state = await page.evaluate(() => window.ql730.stateText());
    const found = /^Total\t(\d+) m$/m.exec(state)?.[1];
    const dump = JSON.parse(headlessRun(`drive ${file}\nwait 120s\nprint-state\n`));
    const expected = String(dump.vehicle.total_m);
    if (found !== expected) fail(`a dropped drive: total ${found} m on the page, ${expected} m from ql730-headless`);
    else console.log(`a dropped drive file: ${found} m at its end, as ql730-headless's drive`);
    const bad = await page.evaluate(async () => {
        const data = new DataTransfer();
        data.items.add(new File(['time_s,speed_kmh\n0,100\n1,900\n'], 'bad.csv'));
        document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
        await new Promise((r) => setTimeout(r, 200));
        return document.getElementById('notice').textContent;
    });
    if (!/^bad\.csv:3: /.test(bad)) fail(`a bad drive file: the notice says "${bad}"`);
    await page.close();
}

// The page on its own clock: timers fire from performance.now(), and the picture appears
// within a few hundred milliseconds of the load. Fresh contexts: nothing cached.
async function realClock(browser, base) {
    const times = [];
    for (let i = 0; i < 5; ++i) {
        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        await page.goto(`${base}/index.html`);
        await page.waitForFunction(() => performance.getEntriesByName('ql730-first-picture').length > 0);
        const t = await page.evaluate(() => {
            const at = (name) => performance.getEntriesByName(name)[0]?.startTime ?? NaN;
            const wasm = performance.getEntriesByType('resource').find((r) => r.name.endsWith('.wasm'));
            const nav = performance.getEntriesByType('navigation')[0];
            return { first: at('ql730-first-picture'), ready: at('ql730-module-ready'),
                     wasmStart: wasm?.startTime, wasmEnd: wasm?.responseEnd, html: nav.responseEnd };
        });
        times.push(t.first);
        if (process.env.QL730_TIMING)
            console.log(`  html ${t.html.toFixed(0)} wasm ${t.wasmStart.toFixed(0)}-${t.wasmEnd.toFixed(0)} ` +
                        `module ready ${t.ready.toFixed(0)} first picture ${t.first.toFixed(0)} ms`);
        if (i === 0) {
            // The trip screen wakes for the device's 250 ms tick and paints when the LCD
            // changes, no more: not once a frame.
            const [before, wakesBefore] = await page.evaluate(() => [window.ql730.now(), window.ql730.wakes()]);
            await new Promise((r) => setTimeout(r, 3000));
            const [after, wakesAfter] = await page.evaluate(() => [window.ql730.now(), window.ql730.wakes()]);
            const perSecond = (wakesAfter - wakesBefore) * 1000 / (after - before);
            if (!(after - before >= 2000 && after - before < 10000))
                fail(`the page's clock moved ${after - before} ms in 3 s`);
            if (!(perSecond > 2 && perSecond <= 10))
                fail(`the idle page woke ${perSecond.toFixed(1)} times a second`);
            console.log(`idle trip screen: ${perSecond.toFixed(1)} wakes a second (timer wakes and paints)`);
        }
        await context.close();
    }
    times.sort((a, b) => a - b);
    const median = times[2];
    console.log(`first picture after load (5 cold loads): median ${median.toFixed(0)} ms, ` +
                `all ${times.map((t) => t.toFixed(0)).join(', ')} ms`);
    // And on the emulated phone, where the picture is drawn at the screen's own pixels.
    const phone = [];
    for (let i = 0; i < 3; ++i) {
        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        await page.setViewport(PHONE);
        await page.goto(`${base}/index.html`);
        await page.waitForFunction(() => performance.getEntriesByName('ql730-first-picture').length > 0);
        phone.push(await page.evaluate(() => performance.getEntriesByName('ql730-first-picture')[0].startTime));
        await context.close();
    }
    phone.sort((a, b) => a - b);
    console.log(`first picture on the phone (3 cold loads): median ${phone[1].toFixed(0)} ms, ` +
                `all ${phone.map((t) => t.toFixed(0)).join(', ')} ms`);
    return median;
}

// Loaded once with the server up, the page opens again with the server gone.
async function offline(browser, base, stopServer) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.goto(`${base}/index.html`);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    await stopServer();
    await page.reload();
    const opened = await page.waitForFunction(
        () => performance.getEntriesByName('ql730-first-picture').length > 0, { timeout: 10000 })
        .then(() => true, () => false);
    if (opened) console.log('offline: the page opens again with its server stopped');
    else fail('the page does not open without its server');
    await context.close();
}

async function main() {
    process.exitCode = 1; // until every check has run: a run that stops early does not pass
    fs.mkdirSync(outDir, { recursive: true });
    for (const f of fs.readdirSync(outDir)) fs.rmSync(path.join(outDir, f), { force: true, recursive: true });
    const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '-d', pageDir, '0'],
                         { stdio: ['ignore', 'pipe', fs.openSync(path.join(outDir, 'server.log'), 'w')] });
    const port = await new Promise((resolve, reject) => {
        server.stdout.on('data', (d) => {
            const m = /port (\d+)/.exec(String(d));
            if (m) resolve(m[1]);
        });
        server.on('exit', () => reject(new Error('the local web server did not start')));
    });
    const base = `http://127.0.0.1:${port}`;
    const stopServer = () => new Promise((resolve) => {
        if (server.exitCode !== null || server.signalCode !== null) return resolve();
        server.on('exit', resolve);
        server.kill();
    });
    const browser = await puppeteer.launch({ executablePath: CHROMIUM, headless: true,
                                              args: ['--no-sandbox'] });
    try {
        let page;
        for (const name of scenarios) {
            if (page) await page.close();
            page = await playScenario(browser, base, name);
        }
        await page.screenshot({ path: path.join(outDir, 'page.png') });
        console.log(`the page after ${scenarios.at(-1)}: ${path.join(outDir, 'page.png')}`);
        await pickerCheck(page);
        await footerCheck(page);
        await screenshotButton(page, outDir);
        await badAddress(browser, base);
        await phoneWalk(browser, base);
        await addressNotice(browser, base);
        await droppedDrive(browser, base);
        const wasm = fs.statSync(path.join(pageDir, 'ql730.wasm')).size;
        console.log(`ql730.wasm: ${wasm} bytes`);
        await realClock(browser, base);
        await offline(browser, base, stopServer);
    } finally {
        await browser.close();
        await stopServer();
    }
    if (failures) {
        console.error(`browser test: ${failures} failure(s)`);
        process.exit(1);
    }
    console.log('browser test: passed');
    process.exitCode = 0;
}

main().catch((error) => {
    console.error(`browser test: ${error.message}`);
    process.exit(1);
});
