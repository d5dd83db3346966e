// Pictures for the browser test: PNG decoding (8-bit RGB or RGBA, not
// interlaced: what Chromium and the play tests write) and the comparison of
// two pictures of the same screen.
'use strict';
const zlib = require('zlib');

// A pixel differs when a channel is off by more than ChannelTolerance; the
// pictures are close when at most DifferingShare of the pixels differ and
// the mean difference over all channels stays under MeanTolerance. The
// browser draws with the same GL conventions, but through ANGLE on
// SwiftShader and on the real clock, so animations stand a frame or two
// apart from the OpenGL pictures taken on the test clock.
const ChannelTolerance = 24;
const DifferingShare = 0.04;
const MeanTolerance = 4.0;

function decodePng(bytes) {
  const width = bytes.readUInt32BE(16), height = bytes.readUInt32BE(20);
  const channels = { 2: 3, 6: 4 }[bytes[25]];
  if (bytes[24] !== 8 || !channels || bytes[28] !== 0) throw new Error('unsupported PNG');
  const data = [];
  for (let at = 8; at < bytes.length; at += 12 + bytes.readUInt32BE(at)) {
    if (bytes.toString('latin1', at + 4, at + 8) === 'IDAT') data.push(bytes.subarray(at + 8, at + 8 + bytes.readUInt32BE(at)));
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels, rgb = Buffer.alloc(width * height * 3);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)], row = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; i++) {
      const left = i >= channels ? row[i - channels] : 0, up = previous[i], upLeft = i >= channels ? previous[i - channels] : 0;
      const p = left + up - upLeft, pa = Math.abs(p - left), pb = Math.abs(p - up), pc = Math.abs(p - upLeft);
      const predictor = [0, left, up, (left + up) >> 1, pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft][filter];
      row[i] = (row[i] + predictor) & 255;
    }
    for (let x = 0; x < width; x++) row.copy(rgb, (y * width + x) * 3, x * channels, x * channels + 3);
    previous = row;
  }
  return { width, height, rgb };
}

// Compares the whole pictures, or only the rectangle `area` ({ left, top,
// right, bottom } in pixels, right and bottom excluded).
function compare(a, b, area = { left: 0, top: 0, right: a.width, bottom: a.height }) {
  if (a.width !== b.width || a.height !== b.height) return { close: false, text: 'the sizes differ' };
  let differing = 0, total = 0;
  for (let y = area.top; y < area.bottom; y++) {
    for (let i = (y * a.width + area.left) * 3; i < (y * a.width + area.right) * 3; i += 3) {
      let worst = 0;
      for (let c = 0; c < 3; c++) {
        const d = Math.abs(a.rgb[i + c] - b.rgb[i + c]);
        worst = Math.max(worst, d);
        total += d;
      }
      if (worst > ChannelTolerance) differing++;
    }
  }
  const pixels = (area.right - area.left) * (area.bottom - area.top);
  const share = differing / pixels, mean = total / (3 * pixels);
  const text = `${(share * 100).toFixed(2)}% of pixels differ, mean difference ${mean.toFixed(2)}`;
  return { close: share <= DifferingShare && mean <= MeanTolerance, text };
}

module.exports = { decodePng, compare };
