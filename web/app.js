// The QL-730 in a page: the simulator's own device and shell (ql730.wasm) behind a canvas.
// The page gives it the pointer, the keys and the clock, and paints its window picture when
// it changed. Between timer expiries nothing runs: the next wake is set for the next expiry.
import createQl730 from './ql730.js';

const LANGUAGES = ['english', 'french', 'italian', 'spanish', 'german'];
const ARROW_CODES = { ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28 };

const params = new URLSearchParams(location.search);
// ?manual: simulated time moves only through window.ql730.advance (the browser test).
const manual = params.has('manual');

const LANGUAGE_TITLES = ['English', 'French', 'Italian', 'Spanish', 'German'];
const STEP_MS = 250;  // one step while paused: one tick
const FAST_SPEED = 16; // while the x16 control or Tab is held
const MAX_DRIVE_BYTES = 64 * 1024 * 1024;

const canvas = document.getElementById('window');
const context = canvas.getContext('2d', { alpha: false });
const variantPicker = document.getElementById('variant');
const languagePicker = document.getElementById('language');
const statusLine = document.getElementById('status');
const notice = document.getElementById('notice');
const stateLines = document.getElementById('state-lines');
const keysPanel = document.getElementById('keys');
const statePanel = document.getElementById('state');
const pauseButton = document.getElementById('pause');
const stepButton = document.getElementById('step');
const fastButton = document.getElementById('fast');

const ql = await createQl730();
document.getElementById('version').textContent =
    `Ostrel QL-730 Simulator ${ql.UTF8ToString(ql._ql_version())}`;
performance.mark('ql730-module-ready');
const width = ql._ql_picture_width();
const height = ql._ql_picture_height();
const picture = new ImageData(width, height);
// The picture at one pixel a picture pixel; the canvas shows it enlarged.
const source = document.createElement('canvas');
source.width = width;
source.height = height;
const sourceContext = source.getContext('2d', { alpha: false });

// The simulated clock against the page's: running at a speed from a base instant, or paused.
const clock = { wall: 0, sim: 0, paused: false, fast: false };
const clockSpeed = () => (clock.fast ? FAST_SPEED : 1);
let wakeTimer = 0;         // the setTimeout for the next expiry
let paintRequested = false;
let paintWaiters = [];
let firstPainted = false;
let wakes = 0;             // timer wakes and paints, for the test's idle check

const simulatedNow = () =>
    (clock.paused ? clock.sim : clock.sim + (performance.now() - clock.wall) * clockSpeed());

// Brings the device to the page's clock: every timer due since the last wake fires in order,
// however long the tab slept.
function catchUp() {
    if (!manual && !clock.paused) ql._ql_advance_to(simulatedNow());
}

// The clock goes on from the device's time now, at the speed it has from here on.
function rebase() {
    clock.wall = performance.now();
    clock.sim = ql._ql_now();
}

function paint() {
    paintRequested = false;
    ++wakes;
    if (ql._ql_picture_changed()) {
        const rgba = ql._ql_picture_rgba();
        picture.data.set(ql.HEAPU8.subarray(rgba, rgba + width * height * 4));
        sourceContext.putImageData(picture, 0, 0);
        show();
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
    const time = `${Math.floor(seconds / 3600)}:${String(Math.floor(seconds / 60) % 60).padStart(2, '0')}:` +
                  String(seconds % 60).padStart(2, '0');
    const state = clock.paused ? ' paused' : clock.fast ? ` ×${FAST_SPEED}` : '';
    const text = `${ql.UTF8ToString(ql._ql_screen_name())} ${time}${state}${manual ? ' (test clock)' : ''}` +
                 (hint ? ` · ${hint}` : '');
    if (statusLine.textContent !== text) statusLine.textContent = text;
    if (!statePanel.hidden) showState();
}

// The desktop inspector's lines, from the same code.
function showState() {
    const lines = ql.UTF8ToString(ql._ql_state_text(clockSpeed(), clock.paused ? 1 : 0))
        .split('\n').filter(Boolean);
    while (stateLines.rows.length > lines.length) stateLines.deleteRow(-1);
    lines.forEach((line, i) => {
        const row = stateLines.rows[i] ?? stateLines.insertRow();
        if (row.cells.length === 0) { row.insertCell(); row.insertCell(); }
        const [label, value] = line.split('\t');
        if (row.cells[0].textContent !== label) row.cells[0].textContent = label;
        if (row.cells[1].textContent !== value) row.cells[1].textContent = value;
    });
}

// A short word in the status line (a drive playing, a power cycle), gone after a few seconds.
let hint = '';
let hintTimer = 0;
function showHint(text) {
    hint = text;
    clearTimeout(hintTimer);
    hintTimer = setTimeout(() => { hint = ''; showStatus(); }, 4000);
    showStatus();
}

function showNotice(text, error = false) {
    notice.textContent = text;
    notice.classList.toggle('error', error);
    notice.hidden = !text;
    fit();
}

function schedule() {
    clearTimeout(wakeTimer);
    wakeTimer = 0;
    if (manual || clock.paused) return; // paused: nothing runs at all
    const due = ql._ql_next_due();
    if (due >= 0) wakeTimer = setTimeout(wake, Math.max(0, (due - simulatedNow()) / clockSpeed()));
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

// A new device as the variant and language name (as text: "" for the usual); "" or, when the
// device has no such variant or language, why not (the desktop program's words).
function start(variant, language) {
    if (ql.ccall('ql_start', 'number', ['string', 'string'], [variant, language]) !== 0)
        return ql.UTF8ToString(ql._ql_message());
    rebase();
    changed();
    return '';
}

// The picker shows the variant and language the device runs.
function showStarted(language) {
    const variant = String(ql._ql_variant());
    if (![...variantPicker.options].some((o) => o.value === variant))
        variantPicker.add(new Option(variant, variant));
    variantPicker.value = variant;
    fillLanguages(Number(variant), language);
}

function startedText() {
    const bit = ql._ql_language();
    const language = LANGUAGE_TITLES.find((_, i) => bit === 1 << i) ?? 'its language';
    const option = [...variantPicker.options].find((o) => o.value === String(ql._ql_variant()));
    return `variant ${option ? option.text : ql._ql_variant()} in ${language}`;
}

function fillLanguages(variant, chosen) {
    const mask = ql._ql_language_mask(variant);
    languagePicker.replaceChildren(new Option("the variant's own", ''));
    LANGUAGES.forEach((name, i) => {
        if (mask & (1 << i)) languagePicker.add(new Option(name, name, false, name === chosen));
    });
}

// The canvas holds one pixel per screen (device) pixel. The picture fills the room it has:
// at a whole number of screen pixels a picture pixel when that fills 90 % of the room, or
// else at the room's own size, each picture pixel then covering 2 or 3 (say) whole screen
// pixels, never a blend of two.
const sideBySide = matchMedia('(orientation: landscape) and (max-height: 560px)');
function fit() {
    const ratio = window.devicePixelRatio || 1;
    const stage = document.getElementById('stage');
    const below = ['header', '#notice', '#status', ...(sideBySide.matches ? [] : ['#controls'])]
        .reduce((sum, s) => sum + (document.querySelector(s)?.offsetHeight ?? 0), 0);
    const room = Math.min((stage.clientWidth - 8) * ratio / width,
                          (window.innerHeight - below - 16) * ratio / height);
    const whole = Math.floor(room);
    const scale = Math.max(1, whole >= 1 && whole / room >= 0.9 ? whole : room);
    const w = Math.round(width * scale), h = Math.round(height * scale);
    if (canvas.width !== w || canvas.height !== h) {
        canvas.width = w;
        canvas.height = h;
    }
    canvas.style.width = `${w / ratio}px`;
    canvas.style.height = `${h / ratio}px`;
    show();
}

// The picture onto the canvas: every screen pixel takes the picture pixel it lies in.
function show() {
    context.imageSmoothingEnabled = false;
    context.drawImage(source, 0, 0, canvas.width, canvas.height);
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

// The clock controls, as Space, N and Tab in the desktop window: the clock is brought up to
// the instant first; while paused input is still handled at the paused instant.
function setPaused(paused) {
    catchUp();
    clock.paused = paused;
    rebase();
    pauseButton.textContent = paused ? 'Resume' : 'Pause';
    pauseButton.setAttribute('aria-pressed', String(paused));
    stepButton.disabled = !paused;
    changed();
}
function step() {
    if (!clock.paused) return;
    ql._ql_advance_to(ql._ql_now() + STEP_MS);
    rebase();
    changed();
}
function setFast(fast) {
    if (clock.fast === fast) return;
    catchUp();
    clock.fast = fast;
    rebase();
    fastButton.setAttribute('aria-pressed', String(fast));
    changed();
}
function powerCycle() {
    catchUp();
    ql._ql_power_cycle();
    changed();
    showHint('power cycled');
}
function arrow(code) {
    catchUp();
    ql._ql_key(code);
    changed();
}
function toggle(panel, button) {
    panel.hidden = !panel.hidden;
    document.getElementById(button).setAttribute('aria-expanded', String(!panel.hidden));
    showStatus();
}

function typedKey(event) {
    if (event.ctrlKey || event.altKey || event.metaKey || event.key.length !== 1) return 0;
    return event.key.toLowerCase().charCodeAt(0);
}

const inForm = (event) => event.target instanceof HTMLSelectElement || event.target instanceof HTMLInputElement;

document.addEventListener('keydown', (event) => {
    if (inForm(event) || event.ctrlKey || event.altKey || event.metaKey) return;
    const code = ARROW_CODES[event.key];
    if (code !== undefined) {
        event.preventDefault();
        arrow(code);
        return;
    }
    if (event.key === 'Tab' || event.key === ' ' || event.key === 'F1') event.preventDefault();
    if (event.key === 'Tab') return setFast(true);
    if (event.repeat) {
        // The keyboard's own repeat never reaches a button: the device repeats a held button.
        if (typedKey(event)) event.preventDefault();
        return;
    }
    if (event.key === ' ') return setPaused(!clock.paused);
    if (event.key === 'F1') return toggle(keysPanel, 'show-keys');
    const character = typedKey(event);
    if (!character) return;
    if (character === 0x6e) return step(); // N
    if (character === 0x68) return toggle(keysPanel, 'show-keys'); // H
    if (character === 0x69) return toggle(statePanel, 'show-state'); // I
    catchUp();
    if (ql._ql_button_key(character, 1)) event.preventDefault();
    changed();
});
document.addEventListener('keyup', (event) => {
    if (event.key === 'Tab') return setFast(false);
    const character = typedKey(event);
    if (!character) return;
    catchUp();
    ql._ql_button_key(character, 0);
    changed();
});

// The controls under a finger. Speed and fuel act at once and, held, again every 150 ms
// after 500 ms; x16 runs while held; each control acts on its press, so a tap is enough.
let repeatTimer = 0;
function stopRepeat() {
    clearTimeout(repeatTimer);
    clearInterval(repeatTimer);
    repeatTimer = 0;
}
for (const button of document.querySelectorAll('#controls button[data-key]')) {
    const code = ARROW_CODES[button.dataset.key];
    button.addEventListener('pointerdown', (event) => {
        if (event.button !== 0) return;
        event.preventDefault();
        button.setPointerCapture(event.pointerId);
        stopRepeat();
        arrow(code);
        repeatTimer = setTimeout(() => { repeatTimer = setInterval(() => arrow(code), 150); }, 500);
    });
    for (const end of ['pointerup', 'pointercancel', 'lostpointercapture']) button.addEventListener(end, stopRepeat);
    // A keyboard's Enter on the focused control: one step.
    button.addEventListener('click', (event) => { if (event.detail === 0) arrow(code); });
}
fastButton.addEventListener('pointerdown', (event) => {
    if (event.button !== 0) return;
    event.preventDefault();
    fastButton.setPointerCapture(event.pointerId);
    setFast(true);
});
for (const end of ['pointerup', 'pointercancel', 'lostpointercapture'])
    fastButton.addEventListener(end, () => setFast(false));
pauseButton.addEventListener('click', () => setPaused(!clock.paused));
stepButton.addEventListener('click', step);
document.getElementById('power').addEventListener('click', powerCycle);
document.getElementById('show-keys').addEventListener('click', () => toggle(keysPanel, 'show-keys'));
document.getElementById('show-state').addEventListener('click', () => toggle(statePanel, 'show-state'));
// A control shows itself pressed while the finger or the mouse is on it.
for (const button of document.querySelectorAll('#controls button')) {
    button.addEventListener('contextmenu', (event) => event.preventDefault());
    button.addEventListener('pointerdown', () => button.classList.add('down'));
    for (const end of ['pointerup', 'pointercancel', 'lostpointercapture', 'pointerleave'])
        button.addEventListener(end, () => button.classList.remove('down'));
}

// A tab coming back to the front catches up at once rather than at its throttled timer.
document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'visible') wake();
});

function restart() {
    const variant = variantPicker.value;
    const error = start(variant, languagePicker.value);
    if (error) return showNotice(error, true);
    showNotice('');
    const url = new URL(location.href);
    url.searchParams.set('variant', variant);
    if (languagePicker.value) url.searchParams.set('language', languagePicker.value);
    else url.searchParams.delete('language');
    history.replaceState(null, '', url);
}
variantPicker.addEventListener('change', () => {
    fillLanguages(Number(variantPicker.value), '');
    restart();
});
languagePicker.addEventListener('change', restart);

// A recorded drive, from the file picker or dropped on the page, plays from now on, read by
// the desktop program's own drive reader.
async function playDrive(file) {
    if (!file) return;
    if (file.size > MAX_DRIVE_BYTES)
        return showNotice(`${file.name}: the file is larger than ${MAX_DRIVE_BYTES >> 20} MB, too large for a drive`, true);
    let bytes;
    try {
        bytes = new Uint8Array(await file.arrayBuffer());
    } catch {
        return showNotice(`${file.name}: the file cannot be read`, true);
    }
    const at = ql._malloc(Math.max(1, bytes.length));
    ql.HEAPU8.set(bytes, at);
    catchUp();
    const failed = ql.ccall('ql_play_drive', 'number', ['string', 'number', 'number'], [file.name, at, bytes.length]);
    ql._free(at);
    if (failed) return showNotice(ql.UTF8ToString(ql._ql_message()), true);
    showNotice('');
    changed();
    showHint(`playing ${file.name}`);
}
const drivePicker = document.getElementById('drive');
drivePicker.addEventListener('change', () => {
    playDrive(drivePicker.files[0]);
    drivePicker.value = '';
});
document.addEventListener('dragover', (event) => {
    if (!event.dataTransfer?.types.includes('Files')) return;
    event.preventDefault();
    document.body.classList.add('dropping');
});
document.addEventListener('dragleave', () => document.body.classList.remove('dropping'));
document.addEventListener('drop', (event) => {
    document.body.classList.remove('dropping');
    if (!event.dataTransfer?.files.length) return;
    event.preventDefault();
    playDrive(event.dataTransfer.files[0]);
});

function stamp(date) {
    const two = (n) => String(n).padStart(2, '0');
    return `${date.getFullYear()}${two(date.getMonth() + 1)}${two(date.getDate())}-` +
           `${two(date.getHours())}${two(date.getMinutes())}${two(date.getSeconds())}`;
}
document.getElementById('screenshot').addEventListener('click', () => {
    source.toBlob((blob) => {
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
    // The LCD as print-lcd prints it, read from the canvas's pixels as shown: each dot at the
    // screen pixel in the middle of one of its picture pixels.
    canvasLcd() {
        const x0 = ql._ql_lcd_x(), y0 = ql._ql_lcd_y(), size = ql._ql_lcd_dot_size();
        const pixels = context.getImageData(0, 0, canvas.width, canvas.height).data;
        const along = (p, shown, whole) => Math.floor((p + 0.5) * shown / whole);
        let text = '';
        for (let y = 0; y < 64; ++y) {
            const row = along(y0 + y * size + (size >> 1), canvas.height, height);
            for (let x = 0; x < 128; ++x) {
                const i = (row * canvas.width + along(x0 + x * size + (size >> 1), canvas.width, width)) * 4;
                const rgb = `${pixels[i]},${pixels[i + 1]},${pixels[i + 2]}`;
                text += rgb === '50,42,111' ? '#' : rgb === '170,201,223' ? '.' : '?';
            }
            text += '\n';
        }
        return text;
    },
    // The colours on the canvas's LCD area that are neither of the LCD's two: none when every
    // screen pixel shows one picture pixel, unblended.
    blendedLcdPixels() {
        const x0 = ql._ql_lcd_x(), y0 = ql._ql_lcd_y(), size = ql._ql_lcd_dot_size();
        const left = Math.ceil(x0 * canvas.width / width), right = Math.floor((x0 + 128 * size) * canvas.width / width);
        const top = Math.ceil(y0 * canvas.height / height), bottom = Math.floor((y0 + 64 * size) * canvas.height / height);
        const pixels = context.getImageData(left, top, right - left, bottom - top).data;
        let blended = 0;
        for (let i = 0; i < pixels.length; i += 4) {
            const rgb = `${pixels[i]},${pixels[i + 1]},${pixels[i + 2]}`;
            if (rgb !== '50,42,111' && rgb !== '170,201,223') ++blended;
        }
        return blended;
    },
    stateText: () => ql.UTF8ToString(ql._ql_state_text(clockSpeed(), clock.paused ? 1 : 0)),
    paused: () => clock.paused,
    fast: () => clock.fast,
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

// The device the address asks for. A variant the device does not have starts the usual one,
// a language the variant lacks the variant in its own language, and the page says so.
const askedVariant = params.get('variant') ?? '';
const askedLanguage = params.get('language') ?? '';
const refusal = start(askedVariant, askedLanguage);
if (refusal) {
    if (start(askedVariant, '')) start('', '');
    showStarted('');
    const asked = new URLSearchParams();
    if (params.has('variant')) asked.set('variant', askedVariant);
    if (params.has('language')) asked.set('language', askedLanguage);
    showNotice(`The address asks for ?${asked}: ${refusal.replace(/^--\S+ [^:]*: /, '')}. ` +
               `Started ${startedText()} instead.`);
} else {
    showStarted(askedLanguage);
}
fit();
window.addEventListener('resize', fit);
sideBySide.addEventListener('change', fit);

// Offline once loaded: the service worker keeps a copy of the page's files.
if ('serviceWorker' in navigator) {
    const keep = () => navigator.serviceWorker.register('sw.js').catch(() => {});
    if (document.readyState === 'complete') keep();
    else window.addEventListener('load', keep);
}
