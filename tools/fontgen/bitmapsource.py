"""Readers for the bitmap font formats the generator converts: BDF (PCF goes
through pcf2bdf first) and PSF 1/2 console fonts with their Unicode tables."""

import gzip
import os
import struct
import subprocess
import tempfile


class Glyph:
    """A glyph as rows of pixels in its font's cell: `rows[r]` holds column k
    at bit (width - 1 - k); row 0 is the top of the cell."""

    def __init__(self, width, rows):
        self.width = width
        self.rows = list(rows)

    @property
    def height(self):
        return len(self.rows)

    def pixel(self, x, y):
        if 0 <= y < len(self.rows) and 0 <= x < self.width:
            return (self.rows[y] >> (self.width - 1 - x)) & 1
        return 0

    def is_blank(self):
        return not any(self.rows)


class SourceFont:
    def __init__(self, name, width, height, ascent, glyphs):
        self.name = name
        self.width = width
        self.height = height
        self.ascent = ascent  # rows above the baseline
        self.glyphs = glyphs  # code point -> Glyph

    def get(self, cp):
        return self.glyphs.get(cp)


def _read_bdf(text, name):
    lines = text.splitlines()
    fbx = None
    ascent = descent = None
    glyphs = {}
    i = 0
    while i < len(lines):
        parts = lines[i].split()
        if not parts:
            i += 1
            continue
        key = parts[0]
        if key == "FONTBOUNDINGBOX":
            fbx = list(map(int, parts[1:5]))
        elif key == "FONT_ASCENT":
            ascent = int(parts[1])
        elif key == "FONT_DESCENT":
            descent = int(parts[1])
        elif key == "STARTCHAR":
            enc = None
            bbx = None
            bitmap = []
            i += 1
            while not lines[i].startswith("ENDCHAR"):
                p = lines[i].split()
                if p[0] == "ENCODING":
                    enc = int(p[1])
                elif p[0] == "BBX":
                    bbx = list(map(int, p[1:5]))
                elif p[0] == "BITMAP":
                    i += 1
                    while not lines[i].startswith("ENDCHAR"):
                        bitmap.append(lines[i].strip())
                        i += 1
                    break
                i += 1
            if enc is not None and enc >= 0 and bbx is not None:
                glyphs[enc] = (bbx, bitmap)
        i += 1
    if ascent is None:
        ascent = fbx[1] + fbx[3]
    if descent is None:
        descent = -fbx[3]
    cell_w = fbx[0]
    cell_h = ascent + descent
    out = {}
    for enc, (bbx, bitmap) in glyphs.items():
        w, h, xo, yo = bbx
        rows = [0] * cell_h
        top = ascent - (yo + h)  # cell row of the bitmap's first row
        for r, hexrow in enumerate(bitmap):
            if not hexrow:
                continue
            bits = int(hexrow, 16)
            nbits = len(hexrow) * 4
            for k in range(w):
                if (bits >> (nbits - 1 - k)) & 1:
                    x = xo - fbx[2] + k
                    y = top + r
                    if 0 <= x < cell_w and 0 <= y < cell_h:
                        rows[y] |= 1 << (cell_w - 1 - x)
        out[enc] = Glyph(cell_w, rows)
    return SourceFont(name, cell_w, cell_h, ascent, out)


def load_pcf(path):
    """A PCF font (optionally gzipped) through pcf2bdf."""
    data = open(path, "rb").read()
    if path.endswith(".gz"):
        data = gzip.decompress(data)
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "font.pcf")
        dst = os.path.join(tmp, "font.bdf")
        open(src, "wb").write(data)
        subprocess.run(["pcf2bdf", "-o", dst, src], check=True)
        text = open(dst, encoding="latin-1").read()
    return _read_bdf(text, os.path.basename(path))


def load_psf(path):
    """A PSF 1 or 2 console font with its Unicode table."""
    data = open(path, "rb").read()
    if path.endswith(".gz"):
        data = gzip.decompress(data)
    if data[:2] == b"\x36\x04":
        mode, charsize = data[2], data[3]
        count = 512 if mode & 1 else 256
        width, height, offset = 8, charsize, 4
        has_table = bool(mode & 2)
        table = data[offset + count * charsize:]
        entries = []
        pos = 0
        for _ in range(count if has_table else 0):
            cps = []
            while True:
                (u,) = struct.unpack_from("<H", table, pos)
                pos += 2
                if u == 0xFFFF:
                    break
                if u == 0xFFFE:
                    # Sequences follow: not single code points.
                    while struct.unpack_from("<H", table, pos)[0] != 0xFFFF:
                        pos += 2
                    continue
                cps.append(u)
            entries.append(cps)
    else:
        magic, version, hsize, flags, count, charsize, height, width = struct.unpack_from(
            "<IIIIIIII", data, 0)
        assert magic == 0x864AB572
        offset = hsize
        has_table = bool(flags & 1)
        entries = []
        if has_table:
            table = data[offset + count * charsize:]
            pos = 0
            for _ in range(count):
                cps = []
                cur = bytearray()
                while table[pos] != 0xFF:
                    if table[pos] == 0xFE:
                        # Sequences: skip to the end of the entry.
                        while table[pos] != 0xFF:
                            pos += 1
                        break
                    cur.append(table[pos])
                    pos += 1
                pos += 1
                cps = [ord(ch) for ch in cur.decode("utf-8")]
                entries.append(cps)
    bytes_per_row = (width + 7) // 8
    glyphs = {}
    for g in range(count):
        raw = data[offset + g * charsize: offset + (g + 1) * charsize]
        rows = []
        for r in range(height):
            v = int.from_bytes(raw[r * bytes_per_row:(r + 1) * bytes_per_row], "big")
            rows.append(v >> (bytes_per_row * 8 - width))
        glyph = Glyph(width, rows)
        for cp in entries[g] if g < len(entries) else []:
            glyphs.setdefault(cp, glyph)
    return SourceFont(os.path.basename(path), width, height, height, glyphs)


def show(glyph):
    return "\n".join(
        "".join("#" if glyph.pixel(x, y) else "." for x in range(glyph.width))
        for y in range(glyph.height))
