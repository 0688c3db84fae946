// Draws the page's icons from the faceplate as the device shows it at power-on: a square around
// the LCD, scaled by area averaging, saved as PNGs. Run by build-web.sh.
// Usage: node web-icons.mjs QL730_NODE_JS OUT_DIR
import { createRequire } from 'node:module';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const [moduleFile, outDir] = process.argv.slice(2);
const createQl730 = createRequire(import.meta.url)(path.resolve(moduleFile));
const ql = await createQl730();
if (ql.ccall('ql_start', 'number', ['string', 'string'], ['', '']) !== 0)
    throw new Error(ql.UTF8ToString(ql._ql_message()));
const width = ql._ql_picture_width();
const rgbaAt = ql._ql_picture_rgba();
const picture = ql.HEAPU8.slice(rgbaAt, rgbaAt + width * ql._ql_picture_height() * 4);


// The square: as tall as the LCD and its frame, centred on the LCD.
const dot = ql._ql_lcd_dot_size();
const lcdX = ql._ql_lcd_x(), lcdY = ql._ql_lcd_y();
const side = 128 * dot + 24;
const height = ql._ql_picture_height();
const clamp = (v, most) => Math.max(0, Math.min(most, Math.round(v)));
const left = clamp(lcdX + 64 * dot - side / 2, width - side);
const top = clamp(lcdY + 32 * dot - side / 2, height - side);

function scaled(size) {
    const out = Buffer.alloc(size * size * 4);
    const step = side / size;
    for (let y = 0; y < size; ++y) {
        for (let x = 0; x < size; ++x) {
            const sum = [0, 0, 0];
            let weight = 0;
            const x0 = x * step, x1 = x0 + step, y0 = y * step, y1 = y0 + step;
            for (let sy = Math.floor(y0); sy < Math.ceil(y1); ++sy) {
                const wy = Math.min(y1, sy + 1) - Math.max(y0, sy);
                for (let sx = Math.floor(x0); sx < Math.ceil(x1); ++sx) {
                    const w = wy * (Math.min(x1, sx + 1) - Math.max(x0, sx));
                    const i = ((top + sy) * width + left + sx) * 4;
                    for (let c = 0; c < 3; ++c) sum[c] += picture[i + c] * w;
                    weight += w;
                }
            }
            const o = (y * size + x) * 4;
            for (let c = 0; c < 3; ++c) out[o + c] = Math.round(sum[c] / weight);
            out[o + 3] = 255;
        }
    }
    return out;
}

const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
});
function crc32(bytes) {
    let c = 0xffffffff;
    for (const b of bytes) c = CRC_TABLE[(c ^ b) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
}
function chunk(type, data) {
    const body = Buffer.concat([Buffer.from(type, 'latin1'), data]);
    const length = Buffer.alloc(4), crc = Buffer.alloc(4);
    length.writeUInt32BE(data.length);
    crc.writeUInt32BE(crc32(body));
    return Buffer.concat([length, body, crc]);
}
function png(size, rgba) {
    const header = Buffer.alloc(13);
    header.writeUInt32BE(size, 0);
    header.writeUInt32BE(size, 4);
    header.set([8, 6, 0, 0, 0], 8); // 8 bits, RGBA
    const rows = Buffer.alloc(size * (size * 4 + 1));
    for (let y = 0; y < size; ++y) rgba.copy(rows, y * (size * 4 + 1) + 1, y * size * 4, (y + 1) * size * 4);
    return Buffer.concat([Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
                          chunk('IHDR', header), chunk('IDAT', zlib.deflateSync(rows, { level: 9 })),
                          chunk('IEND', Buffer.alloc(0))]);
}

for (const [name, size] of [['icon-192.png', 192], ['icon-512.png', 512], ['apple-touch-icon.png', 180],
                            ['favicon.png', 32]]) {
    const file = path.join(outDir, name);
    fs.writeFileSync(`${file}.part`, png(size, scaled(size)));
    fs.renameSync(`${file}.part`, file);
}
