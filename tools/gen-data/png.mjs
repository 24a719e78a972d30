// A minimal PNG writer: 8-bit RGB, no filtering, no ancillary chunks. No
// time stamp or text chunk goes in, so the same pixels always give the same
// bytes.

import { deflateSync } from 'node:zlib';

const CRC_TABLE = (() => {
    const table = new Uint32Array(256);
    for (let n = 0; n < 256; ++n) {
        let c = n;
        for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
        table[n] = c >>> 0;
    }
    return table;
})();

function crc32(bytes) {
    let c = 0xffffffff;
    for (const b of bytes) c = CRC_TABLE[(c ^ b) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
    const out = Buffer.alloc(12 + data.length);
    out.writeUInt32BE(data.length, 0);
    out.write(type, 4, 'latin1');
    data.copy(out, 8);
    out.writeUInt32BE(crc32(out.subarray(4, 8 + data.length)), 8 + data.length);
    return out;
}

// rgb: width * height * 3 bytes, rows top to bottom.
export function encodePng(width, height, rgb) {
    const header = Buffer.alloc(13);
    header.writeUInt32BE(width, 0);
    header.writeUInt32BE(height, 4);
    header[8] = 8;  // bits per sample
    header[9] = 2;  // colour type: RGB
    // compression, filter and interlace methods all 0
    const raw = Buffer.alloc(height * (1 + width * 3));
    for (let y = 0; y < height; ++y) {
        raw[y * (1 + width * 3)] = 0;  // filter type None
        Buffer.from(rgb.buffer, rgb.byteOffset + y * width * 3, width * 3)
            .copy(raw, y * (1 + width * 3) + 1);
    }
    return Buffer.concat([
        Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
        chunk('IHDR', header),
        chunk('IDAT', deflateSync(raw, { level: 9 })),
        chunk('IEND', Buffer.alloc(0)),
    ]);
}
