// The QL-730 in a page: the simulator's own device and shell (ql730.wasm) behind a canvas.
// The page gives it the pointer, the keys and the clock, and paints its window picture when
// it changed. Between timer expiries nothing runs: the next wake is set for the next expiry.
import createQl730 from './ql730.js';

const LANGUAGES = ['english', 'french', 'italian', 'spanish', 'german'];
const ARROW_CODES = { ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28 };

const params = new URLSearchParams(location.search);
// ?manual: simulated time moves only through window.ql730.advance (the browser test).
const manual = params.has('manual');

const canvas = document.getElementById('window');
const context = canvas.getContext('2d', { alpha: false });
const variantPicker = document.getElementById('variant');
const languagePicker = document.getElementById('language');
const statusLine = document.getElementById('status');

const ql = await createQl730();
document.getElementById('version').textContent =
    `Ostrel QL-730 Simulator ${ql.UTF8ToString(ql._ql_version())}`;
performance.mark('ql730-module-ready');
const width = ql._ql_picture_width();
const height = ql._ql_picture_height();
const picture = new ImageData(width, height);

let clockStart = 0;        // performance.now() at simulated time 0
let wakeTimer = 0;         // the setTimeout for the next expiry
let paintRequested = false;
let paintWaiters = [];
let firstPainted = false;
let wakes = 0;             // timer wakes and paints, for the test's idle check

const simulatedNow = () => Math.max(0, performance.now() - clockStart);

// Brings the device to the page's clock: every timer due since the last wake fires in order,
// however long the tab slept.
function catchUp() {
    if (!manual) ql._ql_advance_to(simulatedNow());
}

function paint() {
    paintRequested = false;
    ++wakes;
    if (ql._ql_picture_changed()) {
        const rgba = ql._ql_picture_rgba();
        picture.data.set(ql.HEAPU8.subarray(rgba, rgba + width * height * 4));
        context.putImageData(picture, 0, 0);
        if (!firstPainted) {
            firstPainted = true;
            performance.mark('ql730-first-picture');
        }
    }
    const waiters = paintWaiters;
    paintWaiters = [];
    for (const resolve of waiters) resolve();
}

// As the desktop window's title: the current screen and the simulated time.
function showStatus() {
    const seconds = Math.floor(ql._ql_now() / 1000);
    const clock = `${Math.floor(seconds / 3600)}:${String(Math.floor(seconds / 60) % 60).padStart(2, '0')}:` +
                  String(seconds % 60).padStart(2, '0');
    const text = `${ql.UTF8ToString(ql._ql_screen_name())} ${clock}${manual ? ' (test clock)' : ''}`;
    if (statusLine.textContent !== text) statusLine.textContent = text;
}

function schedule() {
    clearTimeout(wakeTimer);
    wakeTimer = 0;
    if (manual) return;
    const due = ql._ql_next_due();
    if (due >= 0) wakeTimer = setTimeout(wake, Math.max(0, due - simulatedNow()));
}

// After anything that may have changed the device: paint at the next frame, sleep until the
// next expiry.
function changed() {
    if (ql._ql_picture_changed() && !paintRequested) {
        paintRequested = true;
        requestAnimationFrame(paint);
    }
    showStatus();
    schedule();
}

function wake() {
    ++wakes;
    catchUp();
    changed();
}

function start(variant, language) {
    if (ql.ccall('ql_start', 'number', ['number', 'string'], [variant, language]) !== 0) {
        statusLine.textContent = ql.UTF8ToString(ql._ql_message());
        return false;
    }
    clockStart = performance.now();
    changed();
    return true;
}

function fillLanguages(variant, chosen) {
    const mask = ql._ql_language_mask(variant);
    languagePicker.replaceChildren(new Option("the variant's own", ''));
    LANGUAGES.forEach((name, i) => {
        if (mask & (1 << i)) languagePicker.add(new Option(name, name, false, name === chosen));
    });
}

// Whole screen pixels per picture pixel: the largest that fits the window, at least one.
function fit() {
    const ratio = window.devicePixelRatio || 1;
    const room = document.querySelector('header').offsetHeight + 90;
    const scale = Math.max(1, Math.floor(Math.min((window.innerWidth - 16) * ratio / width,
                                                  (window.innerHeight - room) * ratio / height)));
    canvas.style.width = `${width * scale / ratio}px`;
    canvas.style.height = `${height * scale / ratio}px`;
}

function windowPoint(event) {
    const box = canvas.getBoundingClientRect();
    return [Math.floor((event.clientX - box.left) * width / box.width),
            Math.floor((event.clientY - box.top) * height / box.height)];
}

// The mouse or a finger on the faceplate: down, held and up reach the device as in the
// desktop window, which gives the hold after a second and the auto-repeat by itself.
canvas.addEventListener('pointerdown', (event) => {
    if (event.button !== 0) return;
    event.preventDefault();
    canvas.setPointerCapture(event.pointerId);
    catchUp();
    const [x, y] = windowPoint(event);
    ql._ql_mouse_down(x, y);
    changed();
});
function release() {
    catchUp();
    ql._ql_mouse_up();
    changed();
}
canvas.addEventListener('pointerup', (event) => {
    if (event.button === 0) release();
});
canvas.addEventListener('pointercancel', release);
canvas.addEventListener('contextmenu', (event) => event.preventDefault());
window.addEventListener('blur', () => {
    catchUp();
    ql._ql_focus_lost();
    changed();
});

function typedKey(event) {
    if (event.ctrlKey || event.altKey || event.metaKey || event.key.length !== 1) return 0;
    return event.key.toLowerCase().charCodeAt(0);
}

document.addEventListener('keydown', (event) => {
    if (event.target instanceof HTMLSelectElement) return;
    const arrow = ARROW_CODES[event.key];
    if (arrow !== undefined) {
        event.preventDefault();
        catchUp();
        ql._ql_key(arrow);
        changed();
        return;
    }
    const character = typedKey(event);
    if (!character) return;
    // The keyboard's own repeat never reaches a button: the device repeats a held button.
    if (event.repeat) {
        event.preventDefault();
        return;
    }
    catchUp();
    if (ql._ql_button_key(character, 1)) event.preventDefault();
    changed();
});
document.addEventListener('keyup', (event) => {
    const character = typedKey(event);
    if (!character) return;
    catchUp();
    ql._ql_button_key(character, 0);
    changed();
});

// A tab coming back to the front catches up at once rather than at its throttled timer.
document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'visible') wake();
});

function restart() {
    const variant = Number(variantPicker.value);
    if (start(variant, languagePicker.value)) {
        const url = new URL(location.href);
        url.searchParams.set('variant', String(variant));
        if (languagePicker.value) url.searchParams.set('language', languagePicker.value);
        else url.searchParams.delete('language');
        history.replaceState(null, '', url);
    }
}
variantPicker.addEventListener('change', () => {
    fillLanguages(Number(variantPicker.value), '');
    restart();
});
languagePicker.addEventListener('change', restart);

function stamp(date) {
    const two = (n) => String(n).padStart(2, '0');
    return `${date.getFullYear()}${two(date.getMonth() + 1)}${two(date.getDate())}-` +
           `${two(date.getHours())}${two(date.getMinutes())}${two(date.getSeconds())}`;
}
document.getElementById('screenshot').addEventListener('click', () => {
    canvas.toBlob((blob) => {
        const link = document.createElement('a');
        link.href = URL.createObjectURL(blob);
        link.download = `ql730-window-${stamp(new Date())}.png`;
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    }, 'image/png');
});

// The test's handle on the page: deterministic time and the LCD read back from the canvas.
window.ql730 = {
    advance(ms) {
        ql._ql_advance_to(ql._ql_now() + ms);
        changed();
    },
    // Resolves once the picture on the canvas is up to date.
    painted() {
        if (!paintRequested) return Promise.resolve();
        return new Promise((resolve) => paintWaiters.push(resolve));
    },
    // The LCD as print-lcd prints it, read from the canvas's pixels.
    canvasLcd() {
        const x0 = ql._ql_lcd_x(), y0 = ql._ql_lcd_y(), size = ql._ql_lcd_dot_size();
        const pixels = context.getImageData(x0, y0, 128 * size, 64 * size).data;
        let text = '';
        for (let y = 0; y < 64; ++y) {
            for (let x = 0; x < 128; ++x) {
                const i = (y * size * 128 * size + x * size) * 4;
                const rgb = `${pixels[i]},${pixels[i + 1]},${pixels[i + 2]}`;
                text += rgb === '50,42,111' ? '#' : rgb === '170,201,223' ? '.' : '?';
            }
            text += '\n';
        }
        return text;
    },
    deviceLcd: () => ql.UTF8ToString(ql._ql_lcd_text()),
    screen: () => ql.UTF8ToString(ql._ql_screen_name()),
    now: () => ql._ql_now(),
    nextDue: () => ql._ql_next_due(),
    wakes: () => wakes,
    // The client point in the middle of button b (0 top-left, 1 bottom-left, 2 bottom-right,
    // 3 top-right).
    buttonPoint(b) {
        const box = canvas.getBoundingClientRect();
        const x = (ql._ql_button_edge(b, 0) + ql._ql_button_edge(b, 2)) / 2 + 0.5;
        const y = (ql._ql_button_edge(b, 1) + ql._ql_button_edge(b, 3)) / 2 + 0.5;
        return [box.left + x * box.width / width, box.top + y * box.height / height];
    },
    manual,
};

const startVariant = params.has('variant') ? Number(params.get('variant')) : 2;
const startLanguage = params.get('language') ?? '';
variantPicker.value = String(startVariant);
fillLanguages(startVariant, startLanguage);
fit();
window.addEventListener('resize', fit);
if (!start(startVariant, startLanguage)) {
    // An address naming a variant or language the device does not offer: its usual start.
    variantPicker.value = '2';
    fillLanguages(2, '');
    start(2, '');
}

// Offline once loaded: the service worker keeps a copy of the page's files.
if ('serviceWorker' in navigator) {
    const keep = () => navigator.serviceWorker.register('sw.js').catch(() => {});
    if (document.readyState === 'complete') keep();
    else window.addEventListener('load', keep);
}
