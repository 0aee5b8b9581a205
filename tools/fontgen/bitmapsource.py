"""Reader for the bitmap fonts the generator converts: PCF files, turned into
BDF text by pcf2bdf."""

import gzip
import os
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


def show(glyph):
    return "\n".join(
        "".join("#" if glyph.pixel(x, y) else "." for x in range(glyph.width))
        for y in range(glyph.height))
