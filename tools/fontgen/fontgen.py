#!/usr/bin/python3
"""Builds the eight board fonts (preview/fonts/*.cpp) from freely licensed
bitmap fonts of Debian packages: Terminus (xfonts-terminus, SIL OFL 1.1),
misc-fixed (xfonts-base, public domain) and efont (xfonts-efont-unicode,
BSD-3-Clause). Glyphs a source lacks are derived from its own glyphs (accents
composed, descenders, strokes, bold by doubling stems, sizes by stretching
straight segments) or taken from a second source; the characters left blank
are listed on standard output.

Run from anywhere: /usr/bin/python3 tools/fontgen/fontgen.py
"""

import os
import sys
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bitmapsource import load_pcf  # noqa: E402

MISC = "/usr/share/fonts/X11/misc"
REPO = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
OUT = os.path.join(REPO, "preview", "fonts")

# The 416 slots of the text fonts; slot 105 (U+00B9) holds the numero sign.
TEXT_SLOTS = []
for first, last in [(0x20, 0x7F), (0xB0, 0xBF), (0x100, 0x17F), (0x400, 0x45F),
                    (0x490, 0x4BF), (0x4D0, 0x4EF)]:
    TEXT_SLOTS.extend(range(first, last + 1))
assert len(TEXT_SLOTS) == 416
TEXT_SLOTS[105] = 0x2116
DIGIT_SLOTS = list(range(0x30, 0x3A))

# Glyphs that must look exactly so; "A" and "1" fix the measured widths of texts.
FIXED = {
    ("FontText8x8Thin", ord("A")): [0x30, 0x50, 0x90, 0x90, 0xF0, 0x90, 0x90, 0x00],
    ("FontText8x8Bold", ord("A")): [0x3C, 0x4C, 0xCC, 0xCC, 0xFC, 0xCC, 0xCC, 0x00],
    # Stops of the bold 8 x 8 weight: square dots.
    ("FontText8x8Bold", ord(".")): [0, 0, 0, 0, 0, 0xC0, 0xC0, 0],
    ("FontText8x8Bold", ord(",")): [0, 0, 0, 0, 0, 0x60, 0x60, 0xC0],
    ("FontText8x8Bold", ord(":")): [0, 0, 0xC0, 0xC0, 0, 0xC0, 0xC0, 0],
    ("FontText8x8Bold", ord(";")): [0, 0, 0x60, 0x60, 0, 0x60, 0x60, 0xC0],
    ("FontDigits16x16", ord("1")): [0x0C00, 0x1C00, 0x3C00, 0x7C00, 0xDC00, 0x9C00] + [0x1C00] * 10,
}

# misc-fixed draws its small stops as little crosses; LED boards want dots.
DRAWN = {
    ("FontText8x8Thin", ord(".")): ["", "", "", "", "", "", "#"],
    ("FontText8x8Thin", ord(",")): ["", "", "", "", "", "", ".#", "#."],
    ("FontText8x8Thin", ord(":")): ["", "", "", "#", "", "", "#"],
    ("FontText8x8Thin", ord(";")): ["", "", "", ".#", "", "", ".#", "#."],
}

# Look-alikes tried when a source lacks a character.
ALIASES = {
    0x04D4: [0x00C6], 0x04D5: [0x00E6],            # ligature AE
    0x04E0: [0x01B7], 0x04E1: [0x0292],            # dze = ezh
    0x04D8: [0x018F], 0x04D9: [0x0259],            # schwa
    0x04E8: [0x019F, 0x0472], 0x04E9: [0x0275, 0x0473],  # barred o
    0x04AE: [ord("Y")], 0x04BA: [ord("h")], 0x04BB: [ord("h")],
    0x0405: [ord("S")], 0x0406: [ord("I")], 0x0408: [ord("J")],
    0x0455: [ord("s")], 0x0456: [ord("i")], 0x0458: [ord("j")],
    0x007F: [0x2302],
}

# Reference pairs (composed, base) from which a font's own accent is taken.
MARK_REFS = {
    0x0300: ([0xC0, 0xC8], [0xE0, 0xE8]),
    0x0301: ([0xC1, 0xC9], [0xE1, 0xE9]),
    0x0302: ([0xC2, 0xCA], [0xE2, 0xEA]),
    0x0304: ([0x100, 0x112], [0x101, 0x113]),
    0x0306: ([0x102, 0x40E, 0x419], [0x103, 0x45E, 0x439]),
    0x0307: ([0x17B, 0x116], [0x17C, 0x117]),
    0x0308: ([0xC4, 0xCB, 0x401], [0xE4, 0xEB, 0x451]),
    0x030A: ([0xC5], [0xE5]),
    0x030B: ([0x150], [0x151]),
    0x030C: ([0x10C], [0x10D]),
}

# Rule derivations: character -> (rule, base character).
RULES = {
    0x0492: ("bar", 0x0413), 0x0493: ("bar", 0x0433),
    0x049E: ("bar", 0x041A), 0x049F: ("bar", 0x043A),
    0x04B0: ("bar", 0x04AE), 0x04B1: ("bar", 0x04AF),
    0x0496: ("tail", 0x0416), 0x0497: ("tail", 0x0436),
    0x049A: ("tail", 0x041A), 0x049B: ("tail", 0x043A),
    0x04A2: ("tail", 0x041D), 0x04A3: ("tail", 0x043D),
    0x04B2: ("tail", 0x0425), 0x04B3: ("tail", 0x0445),
    0x04B6: ("tail", 0x0427), 0x04B7: ("tail", 0x0447),
    0x04AC: ("stem", 0x0422), 0x04AD: ("stem", 0x0442),
    0x04AF: ("stem", ord("v")),
    0x04AA: ("cedilla", 0x0421), 0x04AB: ("cedilla", 0x0441),
    0x0498: ("cedilla", 0x0417), 0x0499: ("cedilla", 0x0437),
    0x04A0: ("serif", 0x041A), 0x04A1: ("serif", 0x043A),
    0x0132: ("pair", (ord("I"), ord("J"))), 0x0133: ("pair", (ord("i"), ord("j"))),
    0x013F: ("pair", (ord("L"), 0xB7)), 0x0140: ("pair", (ord("l"), 0xB7)),
    0x0149: ("pair", (0x2019, ord("n"))),
    0x2116: ("numero", ord("N")),
}

# The 8 x 8 weights draw Latin and Cyrillic look-alikes alike, so "12A" and
# "12А" read the same on a board: the first of each pair takes the second's.
SAME_DESIGN = {0x0410: ord("A"), ord("B"): 0x0412}
SAME_DESIGN_FONTS = ("FontText8x8Thin", "FontText8x8Bold")


# ---------------------------------------------------------------- pixel sets

def bbox(px):
    xs = [x for x, _ in px]
    ys = [y for _, y in px]
    return min(xs), min(ys), max(xs), max(ys)


def shift(px, dx, dy):
    return frozenset((x + dx, y + dy) for x, y in px)


def left_align(px):
    if not px:
        return px
    return shift(px, -bbox(px)[0], 0)


def to_rows(px, height):
    rows = {}
    for x, y in px:
        rows.setdefault(y, set()).add(x)
    return [tuple(sorted(rows.get(y, ()))) for y in range(height)]


def from_rows(rows):
    return frozenset((x, y) for y, r in enumerate(rows) for x in r)


def is_bar_row(row):
    """A row holding a horizontal stroke of four or more LEDs."""
    run = best = 0
    prev = None
    for x in row:
        run = run + 1 if prev is not None and x == prev + 1 else 1
        best = max(best, run)
        prev = x
    return best >= 4


def resize_rows(rows, lo, hi, count):
    """Adds (count > 0) or removes rows in rows[lo:hi] by repeating or dropping
    rows of straight vertical runs, so curves and bar thickness survive."""
    rows = list(rows)
    hi = min(hi, len(rows))
    orig = {}
    for _ in range(abs(count)):
        runs = []  # (start, length) of equal neighbouring rows
        i = lo
        while i < hi:
            j = i
            while j + 1 < hi and rows[j + 1] == rows[i]:
                j += 1
            runs.append((i, j - i + 1))
            i = j + 1
        mid = (lo + hi - 1) / 2.0

        def key_grow(run):
            start, length = run
            base = orig.setdefault(tuple(rows[start]), length)
            return (is_bar_row(rows[start]), length / max(base, 1), abs(start + length / 2 - mid))

        def key_shrink(run):
            start, length = run
            row = rows[start]
            if length >= 2:
                return (0, is_bar_row(row) and length < 3, -length, abs(start + length / 2 - mid))
            # A single row: drop the one its neighbours resemble most.
            diffs = [len(set(row) ^ set(rows[n])) for n in (start - 1, start + 1) if lo <= n < hi]
            return (1, is_bar_row(row), min(diffs, default=99), -len(row), abs(start - mid))

        if not runs:
            break
        if count > 0:
            cands = [r for r in runs if r[1] >= 2] or runs
            start, length = min(cands, key=key_grow)
            rows.insert(start, rows[start])
            hi += 1
        else:
            start, length = min(runs, key=key_shrink)
            del rows[start + length // 2]
            hi -= 1
    return rows


def double_stems(px, limit, run=3):
    """Bold from thin: every column that carries a vertical stroke of `run` or
    more LEDs is doubled, counters keep their width. Stems are dropped from the
    doubling, outermost first kept, while the glyph would grow wider than
    `limit`. A tail hanging below the last stem (Shcha, Tse) stays under the
    doubled stem, and a bar that meets a stem in a rounded corner keeps
    touching it."""
    if not px:
        return px
    x0, y0, x1, y1 = bbox(px)
    need = min(run, y1 - y0 + 1)

    def rows_of(x):
        return [y for y in range(y0, y1 + 1) if (x, y) in px]

    stems = []
    for x in range(x0, x1 + 1):
        length = best = 0
        for y in range(y0, y1 + 1):
            length = length + 1 if (x, y) in px else 0
            best = max(best, length)
        if best >= need:
            stems.append(x)
    tail = None
    if x1 > x0 and x1 - 1 in stems and min(rows_of(x1)) >= max(rows_of(x1 - 1)):
        tail = x1
        stems = [x for x in stems if x != tail]
    width = x1 - x0 + 1 - (tail is not None)
    # Keep the outer stems when not all fit.
    order = sorted(stems, key=lambda s: min(s - x0, x1 - s))
    stems = set(order[:max(0, limit - width)])

    def moved(x):
        return x + sum(1 for s in stems if s < x)

    out = set()
    for x, y in px:
        if x == tail:
            out.add((moved(x - 1) + (x - 1 in stems), y))
            continue
        out.add((moved(x), y))
        if x in stems:
            out.add((moved(x) + 1, y))
    for s in stems:
        for y in range(y0, y1 + 1):
            if (s, y) in px or not ((s, y - 1) in px or (s, y + 1) in px):
                continue
            if (s + 1, y) in px and (s + 2, y) in px and s + 1 != tail:
                out.add((moved(s) + 1, y))
            if (s - 1, y) in px and (s - 2, y) in px:
                out.add((moved(s), y))
    return frozenset(out)


def scale(px, factor):
    """Each pixel becomes a factor x factor block."""
    return frozenset((x * factor + i, y * factor + j) for x, y in px
                     for i in range(factor) for j in range(factor))


def holes(px):
    """Background LEDs enclosed by the glyph (a closed counter), found by
    flooding the background from outside the glyph's box."""
    if not px:
        return frozenset()
    x0, y0, x1, y1 = bbox(px)
    outside = set()
    todo = [(x0 - 1, y0 - 1)]
    while todo:
        x, y = todo.pop()
        if (x, y) in outside or (x, y) in px or not (x0 - 1 <= x <= x1 + 1 and y0 - 1 <= y <= y1 + 1):
            continue
        outside.add((x, y))
        todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    return frozenset((x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)
                     if (x, y) not in px and (x, y) not in outside)


def numero(n, cell_width):
    """The numero sign: the font's N, then a raised ring with a bar under it.
    Where the N leaves no room for a ring, a narrow N of the same height."""
    x0, y0, x1, y1 = bbox(n)
    height = y1 - y0 + 1
    stem = 1
    while (x0 + stem, y0 + height // 2) in n and stem < 3:
        stem += 1
    if x1 - x0 + 1 + 1 + 3 > cell_width:
        stem = 1
        n = {(0, y) for y in range(y0, y1 + 1)} | {(3, y) for y in range(y0, y1 + 1)}
        n |= {(1, y) for y in range(y0 + 1, y0 + height // 2)}
        n |= {(2, y) for y in range(y0 + height // 2, y1)}
        x0, x1 = 0, 3
    left = x1 + 2
    inner = max(1, height // 5)
    width = min(cell_width - left, 2 * stem + inner)
    side = stem if width >= 2 * stem + 1 else 1
    rows = max(3, height // 2)
    ring = set()
    for y in range(y0, y0 + rows):
        for x in range(left, left + width):
            if y in (y0, y0 + rows - 1) or x < left + side or x >= left + width - side:
                ring.add((x, y))
    if width >= 5 and rows >= 5:  # rounded like the font's o
        ring -= {(left, y0), (left + width - 1, y0),
                 (left, y0 + rows - 1), (left + width - 1, y0 + rows - 1)}
    bar = {(x, y0 + rows + 1) for x in range(left, left + width)}
    return frozenset(n) | frozenset(ring) | frozenset(bar)


# ---------------------------------------------------------------- targets

class Face:
    """A source font placed in a target cell: glyphs as pixel sets in cell
    coordinates, baseline at row `ascent`."""

    def __init__(self, target, path, ascent, transform=None, post=None):
        self.target = target
        self.font = load_pcf(path)
        self.path = path
        self.ascent = ascent
        self.transform = transform
        self.post = post

    def raw(self, cp):
        g = self.font.get(cp)
        if g is None or (g.is_blank() and cp != 0x20):
            return None
        dy = self.ascent - self.font.ascent
        px = frozenset((x, y + dy) for y in range(g.height) for x in range(g.width)
                       if g.pixel(x, y))
        if self.transform:
            px = self.transform(px)
        return px


def fit_rows(height, baseline):
    """Fits a glyph into `height` rows: a glyph that reaches above the cell
    gives up rows of its straight parts below its accent, one that reaches
    below gives up rows of its descender."""
    def transform(px):
        if not px:
            return px
        x0, y0, x1, y1 = bbox(px)
        if y0 < 0:
            rows = to_rows(shift(px, 0, -y0), y1 - y0 + 1)
            body = 0
            if len(rows) > 1 and not rows[1]:
                body = 2
            elif baseline - y0 > 1 and rows[0] and rows[1] and y1 >= baseline - 1:
                body = 1 if len(rows[0]) <= 2 or len(rows[0]) < len(rows[1]) else 0
            rows = resize_rows(rows, body, baseline - y0, y0)
            px = from_rows(rows)
            x0, y0, x1, y1 = bbox(px)
        if y1 >= height:
            rows = to_rows(px, y1 + 1)
            rows = resize_rows(rows, baseline, y1 + 1, height - 1 - y1)
            px = from_rows(rows)
        return px
    return transform


class Target:
    def __init__(self, name, width, height, slots, faces, post=None):
        self.name = name
        self.width = width
        self.height = height
        self.slots = slots
        self.faces = faces  # primary first, then fallbacks
        self.post = post
        self.memo = {}
        self.notes = {}

    def clip_ok(self, px):
        return all(0 <= y < self.height for _, y in px) and \
            (not px or bbox(px)[2] - bbox(px)[0] < self.width)

    def glyph(self, cp, depth=0):
        if cp in self.memo:
            return self.memo[cp]
        self.memo[cp] = None  # breaks cycles
        px, how = self.derive(cp, depth)
        if px is not None:
            px = left_align(px)
        self.memo[cp] = px
        if how:
            self.notes[cp] = how
        return px

    def derive(self, cp, depth):
        primary = self.faces[0]
        drawn = DRAWN.get((self.name, cp))
        if drawn is not None:
            return frozenset((x, y) for y, row in enumerate(drawn) for x, ch in enumerate(row)
                             if ch == "#"), "drawn"
        px = primary.raw(cp)
        # The sources' own numero signs read as "N:" in the smaller cells; a
        # large one with a closed ring beside a full N is kept.
        if cp == 0x2116 and (px is None or not holes(px) or self.ring_fits() or self.width <= 8):
            built = self.rule(cp, depth)
            if built is not None:
                return built, "derived (numero)"
        if px is not None:
            kept = self.keep_body(cp, px, depth)
            if kept is not None:
                return kept, "base letter kept under the accent"
            return px, None
        for alt in ALIASES.get(cp, []):
            px = primary.raw(alt)
            if px is not None:
                return px, "look-alike U+%04X" % alt
        if depth < 3:
            px = self.compose(cp, depth)
            if px is not None:
                return px, "composed"
            px = self.rule(cp, depth)
            if px is not None:
                return px, "derived (%s)" % RULES[cp][0]
        for face in self.faces[1:]:
            px = face.raw(cp)
            if px is None:
                for alt in ALIASES.get(cp, []):
                    px = face.raw(alt)
                    if px is not None:
                        break
            if px is not None:
                return px, "from %s" % os.path.basename(face.path)
        return None, None

    def ring_fits(self):
        n = self.glyph(ord("N"))
        return n is not None and bbox(n)[2] - bbox(n)[0] + 1 + 1 + 3 <= self.width

    def keep_body(self, cp, px, depth):
        """An accented capital whose source drew a shorter letter under the
        accent gets the base letter itself, the accent above it, when the
        accent can give up rows of equal pixels to fit over a one-row gap."""
        decomp = unicodedata.decomposition(chr(cp)).split()
        if len(decomp) != 2 or decomp[0].startswith("<"):
            return None
        base_cp, mark = int(decomp[0], 16), int(decomp[1], 16)
        if unicodedata.category(chr(base_cp)) != "Lu" or unicodedata.combining(chr(mark)) != 230:
            return None
        base = self.glyph(base_cp, depth + 1)
        if base is None:
            return None
        bx0, top = bbox(base)[:2]
        if top < 2:
            return None
        if frozenset(p for p in px if p[1] >= top) == base:
            return None
        rows = to_rows(px, self.height)
        first = next(i for i, r in enumerate(rows) if r)
        end = first
        while end < top and rows[end]:
            end += 1
        mark_rows = rows[first:end]
        i = 0
        while len(mark_rows) > top - 1 and i + 1 < len(mark_rows):
            if mark_rows[i] == mark_rows[i + 1]:
                del mark_rows[i]
            else:
                i += 1
        if len(mark_rows) > top - 1:
            return None
        body = frozenset(p for p in px if p[1] >= end)
        if not body:
            return None
        dx = bx0 - bbox(body)[0]
        y = top - 1 - len(mark_rows)
        markpx = frozenset((x + dx, y + j) for j, r in enumerate(mark_rows) for x in r)
        return base | markpx

    def keep_posted_body(self, cp, raw, px):
        """Stems doubled over a whole accented letter can come out other than
        over its base letter alone: the body is the base letter's again."""
        decomp = unicodedata.decomposition(chr(cp)).split()
        if not px or len(decomp) != 2 or decomp[0].startswith("<"):
            return px
        base_cp, mark = int(decomp[0], 16), int(decomp[1], 16)
        base = self.glyph(base_cp)
        if unicodedata.combining(chr(mark)) != 230 or not base:
            return px
        base = left_align(self.post(base, self))
        top = bbox(base)[1]
        mark_px = frozenset(p for p in raw if p[1] < top - 1)
        if not mark_px or bbox(px)[1] >= top:
            return px
        dx = round((bbox(base)[0] + bbox(base)[2]) / 2 - (bbox(mark_px)[0] + bbox(mark_px)[2]) / 2)
        return left_align(base | shift(mark_px, dx, 0))

    # Accents: the font's own mark, cut from a reference letter.
    def mark_of(self, mark, upper, depth):
        refs = MARK_REFS.get(mark)
        if not refs:
            return None
        for ref in refs[0 if upper else 1]:
            r = self.faces[0].raw(ref)
            if r is None:
                continue
            rows = to_rows(r, 64)
            top = next(i for i, row in enumerate(rows) if row)
            end = top
            while end < len(rows) and rows[end]:
                end += 1
            markpx = frozenset((x, y) for x, y in r if y < end)
            body = frozenset((x, y) for x, y in r if y >= end)
            if not body:
                continue
            gap = bbox(body)[1] - end
            return markpx, body, gap
        return None

    def compose(self, cp, depth):
        decomp = unicodedata.decomposition(chr(cp)).split()
        if len(decomp) != 2 or decomp[0].startswith("<"):
            return None
        base_cp, mark = int(decomp[0], 16), int(decomp[1], 16)
        upper = unicodedata.category(chr(base_cp)) == "Lu"
        if base_cp in (ord("i"), ord("j")):
            base_cp = 0x131 if base_cp == ord("i") else 0x237
        base = self.glyph(base_cp, depth + 1)
        m = self.mark_of(mark, upper, depth)
        if base is None or m is None:
            return None
        markpx, refbody, gap = m
        mx0, my0, mx1, my1 = bbox(markpx)
        bx0, by0, bx1, by1 = bbox(base)
        rx0, _, rx1, _ = bbox(refbody)
        dx = round((bx0 + bx1) / 2 - (rx0 + rx1) / 2)
        mark_top = by0 - 1 - gap - (my1 - my0)
        need = -mark_top
        if need > 0:
            # No room above: the letter gives up rows of its straight parts.
            baseline = self.faces[0].ascent
            rows = to_rows(base, self.height + 8)
            rows = resize_rows(rows, by0, baseline, -need)
            rows = [()] * need + rows
            base = from_rows(rows)
            mark_top = 0
        return base | shift(markpx, dx, mark_top - my0)

    def rule(self, cp, depth):
        if cp not in RULES:
            return None
        kind, arg = RULES[cp]
        if kind == "pair":
            a = self.glyph(arg[0], depth + 1)
            b = self.glyph(arg[1], depth + 1)
            if a is None or b is None:
                return None
            a = left_align(a)
            b = left_align(b)
            out = a | shift(b, bbox(a)[2] + 2, 0)
            if bbox(out)[2] >= self.width:
                out = a | shift(b, bbox(a)[2] + 1, 0)
            return out if bbox(out)[2] < self.width else None
        base = self.glyph(arg, depth + 1)
        if base is None:
            return None
        if kind == "numero":
            return numero(left_align(base), self.width)
        x0, y0, x1, y1 = bbox(base)
        baseline = self.faces[0].ascent
        descent = self.height - baseline
        depth_rows = max(1, min(descent - 1, (self.height + 4) // 8)) if descent > 1 else descent
        bottom = [x for x, y in base if y == y1]
        stroke = max(1, self.height // 12)
        if kind == "tail":
            # A short descender right of the last stem, as on Shcha.
            right = max(x for x, y in base if y == y1)
            add = {(x, y) for x in range(right - stroke + 1, right + stroke // 2 + 2)
                   for y in range(y1 + 1, y1 + 1 + depth_rows)}
            return base | frozenset(add)
        if kind == "stem":
            cols = sorted(set(bottom))
            add = {(x, y) for x in cols for y in range(y1 + 1, y1 + 1 + max(depth_rows, 1))}
            return base | frozenset(add)
        if kind == "cedilla":
            ref = self.faces[0].raw(0xC7 if unicodedata.category(chr(arg)) == "Lu" else 0xE7)
            refb = self.faces[0].raw(ord("C") if unicodedata.category(chr(arg)) == "Lu" else ord("c"))
            if ref is None or refb is None:
                return None
            ced = frozenset(p for p in ref - refb if p[1] >= baseline)
            if not ced:
                return None
            cx0, _, cx1, _ = bbox(ced)
            rx0, _, rx1, _ = bbox(refb)
            dx = round((x0 + x1) / 2 - (rx0 + rx1) / 2)
            return base | shift(ced, dx, 0)
        if kind == "bar":
            # A horizontal stroke through the first (or only) stem.
            if arg in (0x04AE, 0x04AF):
                col = sorted(x for x, y in base if y == y1)
                y = y0 + (y1 - y0) * 2 // 3 if arg == 0x04AE else min(y1 - 1, baseline)
                lo, hi = col[0] - 1 - stroke // 2, col[-1] + 1 + stroke // 2
            else:
                col = sorted(x for x, y in base if y == y1)
                stem_hi = col[0]
                while stem_hi + 1 in col:
                    stem_hi += 1
                y = y0 + (y1 - y0) // 2
                if arg in (0x041A, 0x043A):
                    y = y0 + max(1, (y1 - y0) // 4)
                lo, hi = col[0] - 1 - stroke // 2, stem_hi + 1 + stroke // 2
            add = {(x, yy) for x in range(lo, hi + 1) for yy in range(y, y + stroke)}
            return base | frozenset(add)
        if kind == "serif":
            add = {(x, y) for x in range(x0 - 1 - stroke, x0) for y in range(y0, y0 + stroke)}
            return base | frozenset(add)
        return None

    def build(self):
        glyphs = []
        blanks = []
        for cp in self.slots:
            if self.name in SAME_DESIGN_FONTS:
                cp = SAME_DESIGN.get(cp, cp)
            fixed = FIXED.get((self.name, cp))
            if fixed is not None:
                px = frozenset((k, y) for y, row in enumerate(fixed) for k in range(self.width)
                               if row >> (self.width - 1 - k) & 1)
                glyphs.append(px)
                continue
            px = self.glyph(cp)
            if px is None:
                px = frozenset()
                if cp != 0x20:
                    blanks.append(cp)
            if self.post:
                px = self.keep_posted_body(cp, px, self.post(px, self))
            if not self.clip_ok(px):
                px = frozenset((x, y) for x, y in px if 0 <= y < self.height and x < self.width)
                self.notes[cp] = (self.notes.get(cp) or "") + " clipped"
            glyphs.append(px)
        return glyphs, blanks


def stem_post(limit):
    def post(px, target):
        return double_stems(px, limit)
    return post


def digits_post(px, target):
    """Route-number digits fill the whole cell height."""
    if not px:
        return px
    x0, y0, x1, y1 = bbox(px)
    rows = to_rows(shift(px, 0, -y0), y1 - y0 + 1)
    rows = resize_rows(rows, 0, len(rows), target.height - len(rows))
    return from_rows(rows)


def ter(size, weight="b"):
    return os.path.join(MISC, "ter-u%d%s_unicode.pcf.gz" % (size, weight))


def misc(name):
    return os.path.join(MISC, name + ".pcf.gz")


def scaled(factor, ascent_from, ascent_to):
    def transform(px):
        out = scale(px, factor)
        return shift(out, 0, ascent_to - ascent_from * factor)
    return transform


def targets():
    t = []
    t.append(Target("FontDigits16x32", 16, 32, DIGIT_SLOTS, [], post=digits_post))
    t[-1].faces = [Face(t[-1], ter(32), 26)]
    t.append(Target("FontDigits16x16", 16, 16, DIGIT_SLOTS, [], post=digits_post))
    t[-1].faces = [Face(t[-1], ter(32), 26)]
    t.append(Target("FontText16x32", 16, 32, TEXT_SLOTS, []))
    t[-1].faces = [Face(t[-1], ter(32), 26),
                   Face(t[-1], misc("6x12"), 10, transform=scaled(3, 10, 26)),
                   ]
    t.append(Target("FontText16x20", 16, 20, TEXT_SLOTS, []))
    t[-1].faces = [Face(t[-1], ter(20), 16),
                   Face(t[-1], misc("10x20"), 16, transform=lambda px: double_stems(px, 12))]
    t.append(Target("FontText16x16", 16, 16, TEXT_SLOTS, []))
    t[-1].faces = [Face(t[-1], ter(16), 12),
                   Face(t[-1], misc("h16"), 14, transform=lambda px: double_stems(px, 9))]
    t.append(Target("FontText8x12", 8, 12, TEXT_SLOTS, [], post=stem_post(8)))
    t[-1].faces = [Face(t[-1], ter(12, "n"), 10), Face(t[-1], misc("6x12"), 10)]
    t.append(Target("FontText8x8Thin", 8, 8, TEXT_SLOTS, []))
    t[-1].faces = [Face(t[-1], misc("6x10"), 7, transform=fit_rows(8, 7)),
                   Face(t[-1], misc("6x12"), 7, transform=fit_rows(8, 7))]
    return t


SOURCES = {
    "ter": "Terminus Font by Dimitar Zhekov (xfonts-terminus), SIL Open Font License 1.1",
    "misc": "misc-fixed by Markus Kuhn and others (xfonts-base), public domain",
    "h16": "efont unicode (xfonts-efont-unicode), BSD-3-Clause",
}


def emit(target, glyphs, extra_sources, derivation):
    wide = target.width > 8
    count_name = "DigitGlyphCount" if target.slots is DIGIT_SLOTS else "TextGlyphCount"
    lookup = "digitGlyphIndex" if target.slots is DIGIT_SLOTS else "textGlyphIndex"
    lines = []
    lines.append("// %s: generated by tools/fontgen/fontgen.py, do not edit." % target.name)
    lines.append("// Glyphs converted from:")
    for s in extra_sources:
        lines.append("//   %s" % s)
    for d in derivation:
        lines.append("// %s" % d)
    lines.append('#include "boardfont.h"')
    lines.append("")
    lines.append("namespace {")
    lines.append("")
    lines.append("// clang-format off")
    lines.append("const unsigned char glyphs[] = {")
    for cp, px in zip(target.slots, glyphs):
        rows = [0] * target.height
        for x, y in px:
            rows[y] |= 1 << (target.width - 1 - x)
        if wide:
            data = ", ".join("0x%02X, 0x%02X" % (r & 0xFF, r >> 8) for r in rows)
        else:
            data = ", ".join("0x%02X" % r for r in rows)
        lines.append("    // U+%04X" % cp)
        lines.append("    " + data + ",")
    lines.append("};")
    lines.append("// clang-format on")
    lines.append("")
    lines.append("} // namespace")
    lines.append("")
    lines.append("const BoardFont %s = {glyphs, %d, %d, %s, %s};" % (
        target.name, target.width, target.height, lookup, count_name))
    path = os.path.join(OUT, target.name.lower() + ".cpp")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    report = []
    built = {}
    for target in targets():
        glyphs, blanks = target.build()
        built[target.name] = (target, glyphs, blanks)
    # The bold 8 x 8 weight doubles the stems of the thin one.
    thin, thin_glyphs, thin_blanks = built["FontText8x8Thin"]
    bold = Target("FontText8x8Bold", 8, 8, TEXT_SLOTS, thin.faces)
    bold_glyphs = []
    for cp, px in zip(TEXT_SLOTS, thin_glyphs):
        cp = SAME_DESIGN.get(cp, cp)
        fixed = FIXED.get((bold.name, cp))
        if fixed is not None:
            px = frozenset((k, y) for y, row in enumerate(fixed) for k in range(8)
                           if row >> (7 - k) & 1)
        elif (thin.name, cp) in FIXED:
            px = double_stems(thin.glyph(cp) or frozenset(), 8, run=2)
        else:
            # Bowls of the small letters are two LEDs high: they are strokes too.
            px = double_stems(px, 8, run=2)
        bold_glyphs.append(px)
    bold.notes = thin.notes
    built[bold.name] = (bold, bold_glyphs, thin_blanks)

    for name, (target, glyphs, blanks) in built.items():
        srcs = set()
        for face in target.faces:
            base = os.path.basename(face.path).replace(".pcf.gz", "")
            kind = "ter" if base.startswith("ter-") else "h16" if base.startswith("h16") else "misc"
            srcs.add("%s: %s" % (base, SOURCES[kind]))
        derivation = []
        if name == "FontText8x8Bold":
            derivation.append("Bold weight: the thin 8 x 8 font with its vertical strokes doubled.")
        emit(target, glyphs, sorted(srcs), derivation)
        derived = sorted(target.notes.items())
        print("%s: %d derived, %d blank" % (name, len(derived), len(blanks)))
        for cp, how in derived:
            print("    U+%04X %s  %s" % (cp, chr(cp), how))
        if blanks:
            print("    blank: " + " ".join("U+%04X %s" % (c, chr(c)) for c in blanks))


if __name__ == "__main__":
    main()
