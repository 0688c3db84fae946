// The browser page against the headless driver. For each scenario it plays the same clicks,
// keys, holds and waits on the page in Chromium (simulated time moved only by the page's test
// hook, so the waits are exact), reads the LCD back from the canvas's pixels at every point the
// scenario checks the device, and compares it with what ql730-headless prints at the same
// points: they must be identical. Then: the variant picker, the screenshot button, the page's
// own clock, the time to the first picture, and the page opening without the server.
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
