#!/usr/bin/env python3
"""Writes Zandrel's pictures, cursors, icon and sounds into resources/.

Every picture is drawn at 100 % (name.bmp) and again at 150 % and 200 %
(name_150.bmp, name_200.bmp) for monitors of higher DPI; the cursors hold a
32, a 48 and a 64 pixel image, the icon its 16 and 32 pixel images and the
same at 150 % and 200 % (24, 48 and 64 pixels).

Standard library only, and deterministic: running it twice gives the same
bytes. The generated files are committed, so building the program never needs
Python; run this again only after changing a drawing or a sound here.

    python3 resources/generate/gen_resources.py
"""

import math
import os
import struct

OUT_DIR = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# The 16 colours of the classic Windows palette; every picture uses only these,
# so each one fits a 4-bit bitmap. Magenta doubles as the toolbars' transparent
# colour.
VGA = {
    "k": (0x00, 0x00, 0x00),  # black
    "m": (0x80, 0x00, 0x00),  # maroon
    "G": (0x00, 0x80, 0x00),  # green
    "o": (0x80, 0x80, 0x00),  # olive
    "n": (0x00, 0x00, 0x80),  # navy
    "p": (0x80, 0x00, 0x80),  # purple
    "t": (0x00, 0x80, 0x80),  # teal
    "s": (0xC0, 0xC0, 0xC0),  # silver
    "g": (0x80, 0x80, 0x80),  # grey
    "r": (0xFF, 0x00, 0x00),  # red
    "l": (0x00, 0xFF, 0x00),  # lime
    "y": (0xFF, 0xFF, 0x00),  # yellow
    "b": (0x00, 0x00, 0xFF),  # blue
    ".": (0xFF, 0x00, 0xFF),  # magenta: transparent in toolbar strips
    "c": (0x00, 0xFF, 0xFF),  # cyan
    "w": (0xFF, 0xFF, 0xFF),  # white
}
VGA_KEYS = list(VGA.keys())


# --- a small raster canvas ----------------------------------------------------

class Canvas:
    """A grid of palette keys (see VGA); None marks a transparent pixel."""

    def __init__(self, width, height, fill=None):
        self.width = width
        self.height = height
        self.px = [[fill] * width for _ in range(height)]

    def set(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, c):
        """Filled rectangle, corners inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.line(x0, y0, x1, y0, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)
        self.line(x1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c):
        """Filled circle around a pixel-centre position (may be fractional)."""
        for y in range(self.height):
            for x in range(self.width):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def ring(self, cx, cy, r, c):
        """Circle outline one pixel wide."""
        for y in range(self.height):
            for x in range(self.width):
                d = math.hypot(x - cx, y - cy)
                if r - 0.5 <= d < r + 0.5:
                    self.set(x, y, c)

    def art(self, x0, y0, rows, keys=None):
        """Blits ASCII art; ' ' is skipped, other characters are palette keys
        (optionally renamed through keys)."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == " ":
                    continue
                self.set(x0 + dx, y0 + dy, keys.get(ch, ch) if keys else ch)

    def blit(self, other, x0, y0):
        for y in range(other.height):
            for x in range(other.width):
                if other.px[y][x] is not None:
                    self.set(x0 + x, y0 + y, other.px[y][x])


# --- larger sizes of pixel art ------------------------------------------------

def scale2x(cv):
    """Twice the size, edges rounded off where the neighbours say a diagonal
    runs there (the EPX rule), no new colours."""
    out = Canvas(cv.width * 2, cv.height * 2)
    for y in range(cv.height):
        for x in range(cv.width):
            p = cv.get(x, y)
            a = cv.get(x, y - 1) if y > 0 else p
            b = cv.get(x + 1, y) if x + 1 < cv.width else p
            c = cv.get(x - 1, y) if x > 0 else p
            d = cv.get(x, y + 1) if y + 1 < cv.height else p
            out.set(2 * x, 2 * y, a if c == a and c != d and a != b else p)
            out.set(2 * x + 1, 2 * y, b if a == b and a != c and b != d else p)
            out.set(2 * x, 2 * y + 1, c if d == c and d != b and c != a else p)
            out.set(2 * x + 1, 2 * y + 1, d if b == d and b != a and d != c else p)
    return out


def scale3x(cv):
    """Three times the size by the same rule, applied to the nine sub-pixels."""
    out = Canvas(cv.width * 3, cv.height * 3)

    def at(x, y):
        x = min(max(x, 0), cv.width - 1)
        y = min(max(y, 0), cv.height - 1)
        return cv.get(x, y)

    for y in range(cv.height):
        for x in range(cv.width):
            a, b, c = at(x - 1, y - 1), at(x, y - 1), at(x + 1, y - 1)
            d, e, f = at(x - 1, y), at(x, y), at(x + 1, y)
            g, h, i = at(x - 1, y + 1), at(x, y + 1), at(x + 1, y + 1)
            px = [e] * 9
            if b != h and d != f:
                px[0] = d if d == b else e
                px[1] = b if (d == b and e != c) or (b == f and e != a) else e
                px[2] = f if b == f else e
                px[3] = d if (d == b and e != g) or (d == h and e != a) else e
                px[5] = f if (b == f and e != i) or (h == f and e != c) else e
                px[6] = d if d == h else e
                px[7] = h if (d == h and e != i) or (h == f and e != g) else e
                px[8] = f if h == f else e
            for k in range(9):
                out.set(3 * x + k % 3, 3 * y + k // 3, px[k])
    return out


def upscale(cv, percent):
    """Pixel art at 150 % or 200 %: 150 % takes every other pixel of the three
    times larger picture, so a picture of odd size rounds up."""
    if percent == 200:
        return scale2x(cv)
    big = scale3x(cv)
    out = Canvas((big.width + 1) // 2, (big.height + 1) // 2)
    for y in range(out.height):
        for x in range(out.width):
            out.set(x, y, big.get(2 * x, 2 * y))
    return out


# --- file formats -------------------------------------------------------------

def dib_4bit(canvas, transparent_as="."):
    """BITMAPINFOHEADER (height as given), VGA palette and 4-bit rows, bottom up."""
    w, h = canvas.width, canvas.height
    stride = ((w * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            c = canvas.get(x, y)
            index = VGA_KEYS.index(transparent_as if c is None else c)
            row[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += row
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in VGA.values())
    return w, h, stride, palette, bytes(pixels)


def and_mask(canvas):
    """1-bit mask rows, bottom up: 1 where the pixel is transparent."""
    w, h = canvas.width, canvas.height
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if canvas.get(x, y) is None:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def write_bmp(name, canvas):
    w, h, stride, palette, pixels = dib_4bit(canvas)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    offset = 14 + len(header) + len(palette)
    size = offset + len(pixels)
    data = struct.pack("<2sIHHI", b"BM", size, 0, 0, offset) + header + palette + pixels
    write(name, data)


def write_ico(name, canvases):
    """Icon file with one 16-colour image per canvas (None = transparent)."""
    images = []
    for cv in canvases:
        w, h, stride, palette, pixels = dib_4bit(cv, transparent_as="k")
        mask = and_mask(cv)
        header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 4, 0, len(pixels) + len(mask),
                             0, 0, 16, 0)
        images.append((w, h, header + palette + pixels + mask))
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, h, blob in images:
        data += struct.pack("<BBBBHHII", w, h, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    write(name, data + b"".join(blob for _, _, blob in images))


def cursor_image(rows, size):
    """One monochrome size x size cursor image from ASCII art: 'X' black,
    'o' white, anything else transparent."""
    stride = ((size + 31) // 32) * 4
    xor = bytearray()
    andm = bytearray()
    for y in range(size - 1, -1, -1):
        xrow, arow = bytearray(stride), bytearray(stride)
        row = rows[y] if y < len(rows) else ""
        for x in range(size):
            ch = row[x] if x < len(row) else " "
            bit = 0x80 >> (x % 8)
            if ch == "o":
                xrow[x // 8] |= bit
            elif ch != "X":
                arow[x // 8] |= bit
        xor += xrow
        andm += arow
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 1, 0, len(xor) + len(andm),
                         0, 0, 2, 0)
    return header + palette + bytes(xor) + bytes(andm)


def write_cur(name, rows, hotspot):
    """A cursor of 32 x 32 pixels from ASCII art, with the same drawn at 150 %
    and 200 % for the system to pick from by its cursor size."""
    art = Canvas(32, 32)
    art.art(0, 0, rows, {"X": "k", "o": "w"})
    images = [(32, hotspot, cursor_image(rows, 32))]
    for percent in (150, 200):
        big = upscale(art, percent)
        spot = tuple(v * percent // 100 for v in hotspot)
        images.append((big.width, spot, cursor_image(cursor_rows(big), big.width)))
    data = struct.pack("<HHH", 0, 2, len(images))
    offset = 6 + 16 * len(images)
    for size, spot, blob in images:
        data += struct.pack("<BBBBHHII", size, size, 0, 0, spot[0], spot[1], len(blob), offset)
        offset += len(blob)
    write(name, data + b"".join(blob for _, _, blob in images))


RATE = 11025


def write_wav(name, samples):
    """8-bit unsigned mono PCM at RATE from floats in [-1, 1]."""
    pcm = bytes(max(0, min(255, int(round(128 + 127 * s)))) for s in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(pcm)) + pcm
    if len(pcm) % 2:
        body += b"\0"
    write(name, b"RIFF" + struct.pack("<I", len(body)) + body)


def write(name, data):
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(data)


# --- icon ---------------------------------------------------------------------

def note_icon(size):
    """A yellow note with a folded corner, lines of writing and a red pin."""
    cv = Canvas(size, size)
    if size == 32:
        x0, y0, x1, y1, fold = 3, 5, 27, 29, 7
    else:
        x0, y0, x1, y1, fold = 1, 2, 13, 14, 4

    def paper(x, y):
        return x0 <= x <= x1 and y0 <= y <= y1 and (x - (x1 - fold)) <= (y - y0)

    for y in range(size):
        for x in range(size):
            if paper(x, y):
                cv.set(x, y, "y")
            elif paper(x - 2, y - 2):
                cv.set(x, y, "g")
    cv.line(x0, y0, x1 - fold, y0, "k")
    cv.line(x0, y0, x0, y1, "k")
    cv.line(x0, y1, x1, y1, "k")
    cv.line(x1, y0 + fold, x1, y1, "k")
    # The flap folded down over the corner.
    for i in range(fold + 1):
        for j in range(i + 1):
            cv.set(x1 - fold + j, y0 + i, "s" if j < i else "k")
    cv.line(x1 - fold, y0, x1 - fold, y0 + fold, "k")
    cv.line(x1 - fold, y0 + fold, x1, y0 + fold, "k")
    # Writing.
    if size == 32:
        for y, x_end in ((14, 23), (17, 23), (20, 23), (23, 18)):
            cv.line(x0 + 4, y, x_end, y, "n")
        pin_x, pin_y, r = 9.0, 6.0, 3.6
    else:
        for y, x_end in ((7, 10), (9, 10), (11, 8)):
            cv.line(x0 + 2, y, x_end, y, "n")
        pin_x, pin_y, r = 4.0, 3.0, 1.8
    # Pin: a red head with a dark rim and a glint.
    cv.disc(pin_x + 0.5, pin_y + 0.5, r, "k")
    cv.disc(pin_x + 0.3, pin_y + 0.3, r - 0.9, "m")
    cv.disc(pin_x, pin_y, r - 1.4, "r")
    cv.set(int(pin_x - r / 2.5), int(pin_y - r / 2.5), "w")
    return cv


# --- cursors ------------------------------------------------------------------

ARROW = [
    "X",
    "XX",
    "XoX",
    "XooX",
    "XoooX",
    "XooooX",
    "XoooooX",
    "XooooooX",
    "XoooooooX",
    "XooooooooX",
    "XoooooooooX",
    "XooooooXXXXX",
    "XoooXooX",
    "XooXXooX",
    "XoX  XooX",
    "XX   XooX",
    "X     XooX",
    "      XooX",
    "       XX",
]

HAND = [
    "      XX",
    "     XooX",
    "     XooX",
    "     XooX",
    "     XooX",
    "     XooXXX",
    "     XooXooXXX",
    "     XooXooXooXX",
    "     XooXooXooXoX",
    " XX  XooXooXooXooX",
    "XooX XoooooooooooX",
    "XoooXXoooooooooooX",
    " XoooXoooooooooooX",
    "  XooXoooooooooooX",
    "  XoooooooooooooX",
    "   XooooooooooooX",
    "   XoooooooooooX",
    "    XooooooooooX",
    "    XoooooooooX",
    "     XooooooooX",
    "     XooooooooX",
    "     XXXXXXXXXX",
]


def cursor_rows(canvas):
    out = []
    for y in range(canvas.height):
        out.append("".join({"k": "X", "w": "o"}.get(canvas.get(x, y), " ")
                           for x in range(canvas.width)))
    return out


def globe_cursor():
    cv = Canvas(32, 32)
    cx, cy, r = 18.0, 19.0, 7.0
    cv.disc(cx, cy, r + 1.0, "w")
    cv.ring(cx, cy, r, "k")
    # Meridian, equator and two parallels.
    for y in range(32):
        for x in range(32):
            dx, dy = x - cx, y - cy
            if dx * dx + dy * dy >= (r - 0.5) ** 2:
                continue
            if abs(dx) < 0.5 or abs(dy) < 0.5:
                cv.set(x, y, "k")
            elif abs((dx / (r * 0.45)) ** 2 + (dy / r) ** 2 - 1) < 0.18:
                cv.set(x, y, "k")
            elif abs(abs(dy) - r * 0.55) < 0.5:
                cv.set(x, y, "k")
    cv.art(0, 0, ARROW, {"X": "k", "o": "w"})
    return cv


def mail_cursor():
    cv = Canvas(32, 32)
    x0, y0, x1, y1 = 9, 15, 25, 26
    cv.rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, "w")
    cv.rect(x0, y0, x1, y1, "w")
    cv.frame(x0, y0, x1, y1, "k")
    mid = (x0 + x1) // 2
    cv.line(x0, y0, mid, y0 + 6, "k")
    cv.line(x1, y0, mid + 1, y0 + 6, "k")
    cv.art(0, 0, ARROW, {"X": "k", "o": "w"})
    return cv


# --- pushpins and banners -----------------------------------------------------

def pushpin(background, head, rim, shine):
    """A 15 x 14 pushpin seen from the side, head up-right, point down-left."""
    cv = Canvas(15, 14, background)
    # Needle, with a darker lower edge.
    cv.line(1, 12, 6, 7, "g")
    cv.line(2, 12, 7, 7, "s")
    cv.line(1, 13, 6, 8, "k")
    cv.art(3, 0, [
        "     kkkk",
        "    khhhhk",
        "   khwhhhhk",
        "   khwhhhhk",
        "  kkhhhhhrk",
        " ksskhhhrrk",
        " kswskhrrk",
        "  kswwkkk",
        "   kssk",
        "    kk",
    ], {"h": head, "r": rim, "w": shine})
    return cv


# Stroke outlines of "Zandrel": each letter is a list of polylines in its own
# unit box (x from 0 to its width, y from 0 at the ascender to 10 at the base
# line, x-height at 4).
def arc(cx, cy, rx, ry, a0, a1, steps=24):
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy - ry * math.sin(math.radians(a0 + (a1 - a0) * i / steps)))
            for i in range(steps + 1)]


def word_strokes():
    letters = []
    w = 12.0
    letters.append((w, [[(0, 0), (w, 0), (0, 10), (w, 10)]]))  # Z
    letters.append((w, [arc(w / 2, 7, w / 2, 3, 0, 360), [(w, 4), (w, 10)]]))  # a
    letters.append((w, [[(0, 4), (0, 10)],
                        [(0, 6.5)] + arc(w / 2, 6.5, w / 2, 2.5, 180, 0)
                        + [(w, 10)]]))  # n
    letters.append((w, [arc(w / 2, 7, w / 2, 3, 0, 360), [(w, 0), (w, 10)]]))  # d
    letters.append((8.0, [[(0, 4), (0, 10)],
                          [(0, 6.5)] + arc(7.0, 6.5, 7.0, 2.5, 180, 75)]))  # r
    letters.append((w, [[(0, 7), (w, 7)] + arc(w / 2, 7, w / 2, 3, 0, 320)]))  # e
    letters.append((0.0, [[(0, 0), (0, 10)]]))  # l
    return letters


def word_mask(width, height, scale=1.0):
    """Which pixels the embossed word covers, centred in the banner; the
    strokes drawn `scale` times as large for a larger banner."""
    letters = word_strokes()
    gap = 7.0 * scale
    scale_x = 2.0 * scale
    total = sum(w for w, _ in letters) * scale_x + gap * (len(letters) - 1)
    pen_x, pen_y = 2.8 * scale, 1.05 * scale  # half widths of the elliptic pen, in pixels
    x = (width - total) / 2.0
    segments = []
    for w, strokes in letters:
        for poly in strokes:
            pts = [(x + px * scale_x, (2.0 + py) * scale) for px, py in poly]
            segments += list(zip(pts, pts[1:]))
        x += w * scale_x + gap

    def inside(px, py):
        for (ax, ay), (bx, by) in segments:
            ax, ay, bx, by = ax / pen_x, ay / pen_y, bx / pen_x, by / pen_y
            qx, qy = px / pen_x, py / pen_y
            dx, dy = bx - ax, by - ay
            t = 0.0 if dx == dy == 0 else max(0.0, min(1.0, ((qx - ax) * dx + (qy - ay) * dy)
                                                       / (dx * dx + dy * dy)))
            if (qx - ax - t * dx) ** 2 + (qy - ay - t * dy) ** 2 <= 1.0:
                return True
        return False

    mask = [[False] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            # Four samples per pixel; the pixel is ink when most are covered.
            hits = sum(inside(x + sx, y + sy) for sx in (0.25, 0.75) for sy in (0.25, 0.75))
            mask[y][x] = hits >= 2
    return mask


def banner(mask, background, face, light, dark, scale=1):
    """The word raised: lit above and left of its strokes, shaded below and
    right, the edges `scale` pixels wide."""
    h, w = len(mask), len(mask[0])
    cv = Canvas(w, h, background)
    edge = [(scale * dx, scale * dy) for dx, dy in ((1, 1), (2, 1), (1, 0))]
    edge += [(dx - 1, dy) for dx, dy in edge if scale > 1]

    def ink(x, y):
        return 0 <= x < w and 0 <= y < h and mask[y][x]

    for y in range(h):
        for x in range(w):
            if ink(x, y):
                cv.set(x, y, face)
            elif any(ink(x + dx, y + dy) for dx, dy in edge):
                cv.set(x, y, light)
            elif any(ink(x - dx, y - dy) for dx, dy in edge):
                cv.set(x, y, dark)
    return cv


# --- toolbar strips -----------------------------------------------------------

CMDBAR = [
    # Prev.
    ["................",
     "................",
     "......k.........",
     ".....kk.........",
     "....kGk.........",
     "...kGGkkkkkkkk..",
     "..kGGGGGGGGGGk..",
     ".kGGGGGGGGGGGk..",
     ".kGGGGGGGGGGGk..",
     "..kGGGGGGGGGGk..",
     "...kGGkkkkkkkk..",
     "....kGk.........",
     ".....kk.........",
     "......k.........",
     "................",
     "................"],
    # Next
    ["................",
     "................",
     ".........k......",
     ".........kk.....",
     ".........kGk....",
     "..kkkkkkkkGGk...",
     "..kGGGGGGGGGGk..",
     "..kGGGGGGGGGGGk.",
     "..kGGGGGGGGGGGk.",
     "..kGGGGGGGGGGk..",
     "..kkkkkkkkGGk...",
     ".........kGk....",
     ".........kk.....",
     ".........k......",
     "................",
     "................"],
    # New: a blank page
    ["................",
     "..kkkkkkkk......",
     "..kwwwwwwkk.....",
     "..kwwwwwwksk....",
     "..kwwwwwwkssk...",
     "..kwwwwwwkkkkk..",
     "..kwwwwwwwwwwk..",
     "..kwwwwwwwwwwk..",
     "..kwwwwwwwwwwk..",
     "..kwwwwwwwwwwk..",
     "..kwwwwwwwwwwk..",
     "..kwwwwwwwwwwk..",
     "..kwwwwwwwwwwk..",
     "..kwwwwwwwwwwk..",
     "..kkkkkkkkkkkk..",
     "................"],
    # Add: a plus
    ["................",
     "................",
     "......kkkk......",
     "......kllk......",
     "......kGGk......",
     "......kGGk......",
     "..kkkkkGGkkkkk..",
     "..kllllGGllllk..",
     "..kGGGGGGGGGGk..",
     "..kkkkkGGkkkkk..",
     "......kGGk......",
     "......kGGk......",
     "......kGGk......",
     "......kkkk......",
     "................",
     "................"],
    # Replace: two arrows swapping
    ["................",
     "................",
     "..........n.....",
     "..........nn....",
     "..nnnnnnnnnbn...",
     "..nbbbbbbbbbbn..",
     "..nnnnnnnnnbn...",
     "..........nn....",
     "..........n.....",
     ".....m..........",
     "....mm..........",
     "...mrmmmmmmmmm..",
     "..mrrrrrrrrrrm..",
     "...mrmmmmmmmmm..",
     "....mm..........",
     ".....m.........."],
    # Delete: a cross
    ["................",
     "................",
     "..mm.......mm...",
     "..mrm.....mrm...",
     "...mrm...mrm....",
     "....mrm.mrm.....",
     ".....mrmrm......",
     "......mrm.......",
     ".....mrmrm......",
     "....mrm.mrm.....",
     "...mrm...mrm....",
     "..mrm.....mrm...",
     "..mm.......mm...",
     "................",
     "................",
     "................"],
    None,  # Refresh: drawn by refresh_glyph()
    # Print: a printer
    ["................",
     "....kkkkkkk.....",
     "....kwwwwwk.....",
     "....kwkkkwk.....",
     "....kwwwwwk.....",
     "..kkkkkkkkkkk...",
     ".kssssssssssk...",
     ".kssssssssllsk..",
     ".ksssssssssssk..",
     ".kggggggggggggk.",
     ".kgkkkkkkkkkgk..",
     ".kgkwwwwwwwkgk..",
     "..kkwkkkkkwkk...",
     "....wwwwwwww....",
     "....kkkkkkkk....",
     "................"],
    # Help: a question mark
    ["................",
     ".....nnnnnn.....",
     "....nbbbbbbn....",
     "...nbbnnnnbbn...",
     "...nbbn..nbbn...",
     "....nn...nbbn...",
     "........nbbn....",
     ".......nbbn.....",
     "......nbbn......",
     "......nbbn......",
     ".......nn.......",
     "................",
     "......nnnn......",
     "......nbbn......",
     "......nnnn......",
     "................"],
    # About: an "i" in a blue disc
    ["................",
     ".....nnnnnn.....",
     "...nnbbbbbbnn...",
     "..nbbbbwwbbbbn..",
     "..nbbbbwwbbbbn..",
     ".nbbbbbbbbbbbbn.",
     ".nbbbbwwwbbbbbn.",
     ".nbbbbbwwbbbbbn.",
     ".nbbbbbwwbbbbbn.",
     ".nbbbbbwwbbbbbn.",
     "..nbbbbwwbbbbn..",
     "..nbbbwwwwbbbn..",
     "...nnbbbbbbnn...",
     ".....nnnnnn.....",
     "................",
     "................"],
    # Mail: an envelope
    ["................",
     "................",
     "................",
     ".kkkkkkkkkkkkkk.",
     ".kwkwwwwwwwwkwk.",
     ".kwwkwwwwwwkwwk.",
     ".kwwwkwwwwkwwwk.",
     ".kwwwwkwwkwwwwk.",
     ".kwwwkwkkwkwwwk.",
     ".kwwkwwwwwwkwwk.",
     ".kwkwwwwwwwwkwk.",
     ".kkwwwwwwwwwwkk.",
     ".kkkkkkkkkkkkkk.",
     "................",
     "................",
     "................"],
]

FMTBAR = [
    # Copy: two overlapping pages
    ["................",
     ".kkkkkk.........",
     ".kwwwwkk........",
     ".kwkkwkwk.......",
     ".kwwwwkkkkkk....",
     ".kwkkkkwwwwkk...",
     ".kwwwkwkkwwkwk..",
     ".kwkkkwwwwwkkkk.",
     ".kwwwkwkkkkwwwk.",
     ".kkkkkwwwwwwwwk.",
     ".....kwkkkkkkwk.",
     ".....kwwwwwwwwk.",
     ".....kwkkkkkkwk.",
     ".....kwwwwwwwwk.",
     ".....kkkkkkkkkk.",
     "................"],
    # Paste: a clipboard with a page
    ["................",
     ".....kkkk.......",
     ".kkkkkssk.kkk...",
     ".kooksskkooook..",
     ".koookkkkooook..",
     ".koooooooooook..",
     ".kooookkkkkkk...",
     ".kooookwwwwwkk..",
     ".kooookwkkkwkwk.",
     ".kooookwwwwwkkkk",
     ".kooookwkkkkwwwk",
     ".kooookwwwwwwwwk",
     ".kooookwkkkkkkwk",
     ".kkkkkkwwwwwwwwk",
     "......kkkkkkkkkk",
     "................"],
    # Colour: an "A" over a red bar
    ["................",
     "................",
     ".......kk.......",
     "......kkkk......",
     "......kkkk......",
     ".....kk..kk.....",
     ".....kk..kk.....",
     "....kk....kk....",
     "....kkkkkkkk....",
     "...kk......kk...",
     "...kk......kk...",
     "..kkkk....kkkk..",
     "................",
     ".rrrrrrrrrrrrrr.",
     ".rrrrrrrrrrrrrr.",
     "................"],
    # Bold
    ["................",
     "................",
     "...kkkkkkkk.....",
     "....kkk..kkk....",
     "....kkk...kkk...",
     "....kkk...kkk...",
     "....kkk..kkk....",
     "....kkkkkkk.....",
     "....kkk...kkk...",
     "....kkk....kkk..",
     "....kkk....kkk..",
     "....kkk...kkk...",
     "...kkkkkkkkk....",
     "................",
     "................",
     "................"],
    # Italic
    ["................",
     "................",
     "........kkkkk...",
     "..........kk....",
     ".........kk.....",
     ".........kk.....",
     "........kk......",
     "........kk......",
     ".......kk.......",
     ".......kk.......",
     "......kk........",
     "......kk........",
     "....kkkkk.......",
     "................",
     "................",
     "................"],
    # Underline
    ["................",
     "................",
     "...kkkk..kkkk...",
     "....kk....kk....",
     "....kk....kk....",
     "....kk....kk....",
     "....kk....kk....",
     "....kk....kk....",
     "....kk....kk....",
     "....kk....kk....",
     ".....kk..kk.....",
     "......kkkk......",
     "................",
     "...kkkkkkkkkk...",
     "................",
     "................"],
    # Align left
    ["................",
     "................",
     "..kkkkkkkkkkkk..",
     "................",
     "..kkkkkkkk......",
     "................",
     "..kkkkkkkkkkkk..",
     "................",
     "..kkkkkkkk......",
     "................",
     "..kkkkkkkkkkkk..",
     "................",
     "..kkkkkkkk......",
     "................",
     "................",
     "................"],
    # Center
    ["................",
     "................",
     "..kkkkkkkkkkkk..",
     "................",
     "....kkkkkkkk....",
     "................",
     "..kkkkkkkkkkkk..",
     "................",
     "....kkkkkkkk....",
     "................",
     "..kkkkkkkkkkkk..",
     "................",
     "....kkkkkkkk....",
     "................",
     "................",
     "................"],
    # Align right
    ["................",
     "................",
     "..kkkkkkkkkkkk..",
     "................",
     "......kkkkkkkk..",
     "................",
     "..kkkkkkkkkkkk..",
     "................",
     "......kkkkkkkk..",
     "................",
     "..kkkkkkkkkkkk..",
     "................",
     "......kkkkkkkk..",
     "................",
     "................",
     "................"],
    # Bullets
    ["................",
     "................",
     "..nn............",
     ".nbbn..kkkkkkkk.",
     ".nbbn...........",
     "..nn............",
     "................",
     "..nn............",
     ".nbbn..kkkkkkkk.",
     ".nbbn...........",
     "..nn............",
     "................",
     "..nn............",
     ".nbbn..kkkkkkkk.",
     ".nbbn...........",
     "..nn............"],
]


def refresh_glyph():
    """A green ring with a gap at the top right and an arrowhead on its upper end."""
    cv = Canvas(16, 16, ".")
    cx, cy = 7.5, 8.5
    for y in range(16):
        for x in range(16):
            d = math.hypot(x - cx, y - cy)
            angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
            if 4.2 <= d <= 6.0 and not 10 <= angle <= 90:
                cv.set(x, y, "G")
    for y in range(16):  # arrowhead pointing right, base at x = 7
        for x in range(7, 13):
            if abs(y - 3.4) <= 3.2 * (1 - (x - 6.5) / 5.0):
                cv.set(x, y, "G")
    outlined = Canvas(16, 16, ".")
    for y in range(16):
        for x in range(16):
            if cv.get(x, y) == "G":
                outlined.set(x, y, "G")
            elif any(0 <= x + dx < 16 and 0 <= y + dy < 16 and cv.get(x + dx, y + dy) == "G"
                     for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                outlined.set(x, y, "k")
    return outlined


def strip(glyphs, percent=100):
    """The glyphs side by side, each one scaled on its own."""
    size = 16 * percent // 100
    cv = Canvas(size * len(glyphs), size, ".")
    for i, glyph in enumerate(glyphs):
        if not isinstance(glyph, Canvas):
            assert len(glyph) == 16 and all(len(r) == 16 for r in glyph), i
            art = Canvas(16, 16, ".")
            art.art(0, 0, [r.replace(" ", ".") for r in glyph])
            glyph = art
        cv.blit(glyph if percent == 100 else upscale(glyph, percent), size * i, 0)
    return cv


# --- sounds -------------------------------------------------------------------

class Noise:
    """A tiny fixed linear congruential generator, so the noise is the same
    on every run and every Python."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state / 0x3FFFFFFF - 1.0


def envelope(i, n, attack=0.01, release=0.05):
    t = i / RATE
    length = n / RATE
    a = min(1.0, t / attack) if attack > 0 else 1.0
    r = min(1.0, (length - t) / release) if release > 0 else 1.0
    return max(0.0, min(a, r))


def render(seconds, voice):
    n = int(RATE * seconds)
    return [voice(i, i / RATE, n) for i in range(n)]


def sweep(f0, f1, seconds, level, shape="sine", curve=1.0):
    phase = [0.0]

    def voice(i, t, n):
        x = (t / seconds) ** curve
        f = f0 + (f1 - f0) * x
        phase[0] += 2 * math.pi * f / RATE
        p = phase[0]
        s = math.sin(p)
        if shape == "warm":
            s = 0.75 * math.sin(p) + 0.2 * math.sin(2 * p) + 0.05 * math.sin(3 * p)
        return level * s * envelope(i, n, 0.008, 0.06)
    return render(seconds, voice)


def chime(freq, seconds, level, decay):
    def voice(i, t, n):
        s = (math.sin(2 * math.pi * freq * t) + 0.35 * math.sin(2 * math.pi * freq * 2.76 * t)
             * math.exp(-t * decay * 2) + 0.15 * math.sin(2 * math.pi * freq * 5.4 * t)
             * math.exp(-t * decay * 4))
        return level * s / 1.5 * math.exp(-t * decay) * envelope(i, n, 0.003, 0.03)
    return render(seconds, voice)


def complete():
    # A fifth, C5 and G5, the upper note a moment later.
    def voice(i, t, n):
        s = 0.0
        for f, start in ((523.25, 0.0), (783.99, 0.06)):
            if t >= start:
                u = t - start
                s += (math.sin(2 * math.pi * f * u) + 0.25 * math.sin(4 * math.pi * f * u)) \
                    * math.exp(-u * 5.0) * min(1.0, u / 0.005)
        return 0.45 * s * envelope(i, n, 0.0, 0.05)
    return render(0.4, voice)


def laser():
    phase = [0.0]

    def voice(i, t, n):
        f = 1800.0 * math.exp(-t * 14.0) + 180.0
        phase[0] += 2 * math.pi * f / RATE
        p = phase[0]
        s = math.sin(p) + 0.3 * math.sin(3 * p) + 0.15 * math.sin(5 * p)
        return 0.55 * s / 1.45 * envelope(i, n, 0.004, 0.08)
    return render(0.25, voice)


def throw():
    # Noise through a low-pass filter whose corner rises and falls.
    noise = Noise(20240517)
    state = [0.0, 0.0]
    seconds = 0.3

    def voice(i, t, n):
        x = t / seconds
        hump = math.sin(math.pi * x)
        k = 0.04 + 0.3 * hump
        state[0] += k * (noise.next() - state[0])
        state[1] += k * (state[0] - state[1])
        return state[1] * hump * hump
    samples = render(seconds, voice)
    peak = max(abs(v) for v in samples)
    return [0.7 * v / peak for v in samples]


SOUNDS = {
    "complete.wav": complete,
    "ding.wav": lambda: chime(1318.5, 0.4, 0.8, 9.0),
    "laser.wav": laser,
    "revdn1.wav": lambda: sweep(720.0, 260.0, 0.25, 0.6, "warm", 0.7),
    "revdn2.wav": lambda: sweep(880.0, 330.0, 0.18, 0.6, "sine", 0.8),
    "revup2.wav": lambda: sweep(330.0, 880.0, 0.18, 0.6, "sine", 1.25),
    "throw.wav": throw,
}


# --- the About window ---------------------------------------------------------

def about_title():
    """The program's name embossed in yellow on black, over a row of stickers."""
    cv = Canvas(270, 120, "k")
    mask = word_mask(220, 15)
    # The word at twice its banner size.
    for y in range(30):
        for x in range(220):
            if mask[y // 2][x]:
                cv.set(25 + x, 14 + y, "y")
            elif y // 2 + 1 < 15 and x + 1 < 220 and mask[y // 2 + 1][x + 1]:
                cv.set(25 + x, 14 + y, "o")
    # Three small stickers, the last one alarmed, each with its pin.
    for i, (paper, pin) in enumerate((("y", "r"), ("y", "r"), ("r", "b"))):
        x0 = 40 + i * 70
        cv.rect(x0, 60, x0 + 50, 105, paper)
        cv.frame(x0, 60, x0 + 50, 105, "o" if paper == "y" else "m")
        for row in range(70, 100, 8):
            cv.line(x0 + 6, row, x0 + 44, row, "g" if paper == "y" else "m")
        cv.disc(x0 + 25, 63, 3.2, pin)
        cv.set(x0 + 24, 62, "w")
    return cv


def about_web():
    """A globe with its meridians and the words of the home page as strokes."""
    cv = Canvas(469, 99, "k")
    cx, cy, r = 60, 49, 40
    cv.disc(cx, cy, r, "n")
    for rx in (r, r * 0.66, r * 0.25):
        for (ax, ay), (bx, by) in zip(arc(cx, cy, rx, r, 0, 360, 48)[:-1], arc(cx, cy, rx, r, 0, 360, 48)[1:]):
            cv.line(int(ax), int(ay), int(bx), int(by), "c")
    for dy in (-26, -13, 0, 13, 26):
        half = int(math.sqrt(max(0, r * r - dy * dy)))
        cv.line(cx - half, cy + dy, cx + half, cy + dy, "c")
    cv.ring(cx, cy, r, "w")
    # "www" as three zigzags beside it.
    for i in range(3):
        x0 = 130 + i * 50
        pts = [(x0, 30), (x0 + 10, 68), (x0 + 20, 42), (x0 + 30, 68), (x0 + 40, 30)]
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            for t in range(3):
                cv.line(ax + t, ay, bx + t, by, "y")
    for x in range(290, 460, 12):
        cv.disc(x, 66, 2.5, "y")
    return cv


def about_mail():
    """A letter in its envelope with a stamp."""
    cv = Canvas(249, 91, "k")
    x0, y0, x1, y1 = 60, 12, 190, 82
    cv.rect(x0, y0, x1, y1, "w")
    cv.frame(x0, y0, x1, y1, "s")
    mid = (x0 + x1) // 2
    cv.line(x0, y0, mid, 52, "g")
    cv.line(x1, y0, mid, 52, "g")
    cv.line(x0, y1, mid - 12, 44, "s")
    cv.line(x1, y1, mid + 12, 44, "s")
    cv.rect(x1 - 28, y0 + 6, x1 - 8, y0 + 28, "r")
    cv.frame(x1 - 28, y0 + 6, x1 - 8, y0 + 28, "y")
    cv.disc(x1 - 18, y0 + 17, 4, "y")
    return cv


def glyph_pair(draw):
    """Two 16 x 16 glyph states side by side: up, and pressed (one pixel
    lower and to the right), on the button face."""
    cv = Canvas(32, 16, "s")
    draw(cv, 0, 0)
    draw(cv, 17, 1)
    return cv


def continue_glyph(cv, x, y):
    for i in range(6):
        cv.line(x + 2, y + 5 + i, x + 8, y + 5 + i, "m")
    for i in range(7):
        cv.line(x + 8 + i, y + 2 + i, x + 8 + i, y + 14 - i, "m")


def close_glyph(cv, x, y):
    for t in range(2):
        cv.line(x + 3 + t, y + 3, x + 12 + t, y + 12, "r")
        cv.line(x + 12 + t, y + 3, x + 3 + t, y + 12, "r")


# --- main ---------------------------------------------------------------------

def main():
    write_ico("zandrel.ico", [note_icon(32), note_icon(16), upscale(note_icon(16), 150),
                              upscale(note_icon(32), 150), upscale(note_icon(32), 200)])

    write_cur("mano.cur", HAND, (6, 0))
    write_cur("www.cur", cursor_rows(globe_cursor()), (0, 0))
    write_cur("mail.cur", cursor_rows(mail_cursor()), (0, 0))

    pictures = {
        "pin1": pushpin("y", "r", "m", "w"),
        "pin1_red": pushpin("r", "b", "n", "c"),
        "about1": about_title(),
        "about2": about_web(),
        "about3": about_mail(),
        "continue": glyph_pair(continue_glyph),
        "closebtn": glyph_pair(close_glyph),
    }
    for name, picture in pictures.items():
        write_bmp(name + ".bmp", picture)
        for percent in (150, 200):
            write_bmp("%s_%d.bmp" % (name, percent), upscale(picture, percent))

    # The banner's word is drawn again at each size, its strokes sharp.
    for percent, suffix in ((100, ""), (150, "_150"), (200, "_200")):
        width, height = -(-220 * percent // 100), -(-15 * percent // 100)
        mask = word_mask(width, height, percent / 100)
        edge = percent // 100
        write_bmp("memo2%s.bmp" % suffix, banner(mask, "y", "y", "w", "o", edge))
        write_bmp("memo_red%s.bmp" % suffix, banner(mask, "r", "r", "w", "m", edge))

        cmdbar = [refresh_glyph() if g is None else g for g in CMDBAR]
        write_bmp("cmdbar%s.bmp" % suffix, strip(cmdbar, percent))
        write_bmp("fmtbar%s.bmp" % suffix, strip(FMTBAR, percent))

    for name, make in SOUNDS.items():
        write_wav(name, make())


if __name__ == "__main__":
    main()
