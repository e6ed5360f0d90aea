#!/usr/bin/python3
"""Draws Peekbar's icons and writes them as .ico files.

Usage: make_icons.py OUTDIR

The motif is a monitor whose screen shows a window sliding in from the
right-hand edge, next to a bar along that edge: what the user sees when a
hidden window comes back at a screen edge. Everything is computed per pixel
from anti-aliased shapes (rounded rectangles, polygons), so the output is
the same on every run and needs nothing beyond the standard library.

Files written (the numbers are the icon resource ids that embed them):
  app.ico      101  full-colour motif, 256/128/48/32/16 px
  about.ico    102  128 px picture for the about box
  paused.ico   103  16 px motif in grey
  showall.ico  104  16 px motif in red
  white.ico    105  single-colour silhouette, 256 px, white
  black.ico    106  the silhouette in black
  blue.ico     107  the silhouette in blue
  red.ico      108  the silhouette in red

Entries below 256 px are stored as 32-bit DIBs with an AND mask, the
256 px entry as PNG, which is what the Windows icon loader expects.
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Shapes. Each shape answers the signed distance (in pixels) from a point to
# its outline, negative inside; coverage of a pixel is taken at its centre.


class RoundRect:
    def __init__(self, left, top, right, bottom, radius=0.0):
        self.left, self.top, self.right, self.bottom = left, top, right, bottom
        self.radius = min(radius, (right - left) / 2, (bottom - top) / 2)

    def bounds(self):
        return self.left, self.top, self.right, self.bottom

    def distance(self, x, y):
        cx = (self.left + self.right) / 2
        cy = (self.top + self.bottom) / 2
        hx = (self.right - self.left) / 2 - self.radius
        hy = (self.bottom - self.top) / 2 - self.radius
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        inside = min(max(qx, qy), 0.0)
        return outside + inside - self.radius


class Polygon:
    def __init__(self, points):
        self.points = points

    def bounds(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return min(xs), min(ys), max(xs), max(ys)

    def distance(self, x, y):
        pts = self.points
        best = float("inf")
        inside = False
        j = len(pts) - 1
        for i in range(len(pts)):
            ax, ay = pts[j]
            bx, by = pts[i]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = (wx * ex + wy * ey) / (ex * ex + ey * ey)
            t = max(0.0, min(1.0, t))
            best = min(best, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > y) != (by > y):
                if x < ax + (y - ay) * ex / (by - ay):
                    inside = not inside
            j = i
        return -best if inside else best


class Offset:
    """A shape grown (positive amount) or shrunk (negative) by a margin."""

    def __init__(self, shape, amount):
        self.shape, self.amount = shape, amount

    def bounds(self):
        l, t, r, b = self.shape.bounds()
        a = max(self.amount, 0.0)
        return l - a, t - a, r + a, b + a

    def distance(self, x, y):
        return self.shape.distance(x, y) - self.amount


class Difference:
    def __init__(self, shape, hole):
        self.shape, self.hole = shape, hole

    def bounds(self):
        return self.shape.bounds()

    def distance(self, x, y):
        return max(self.shape.distance(x, y), -self.hole.distance(x, y))


class Union:
    def __init__(self, *shapes):
        self.shapes = shapes

    def bounds(self):
        bs = [s.bounds() for s in self.shapes]
        return (min(b[0] for b in bs), min(b[1] for b in bs),
                max(b[2] for b in bs), max(b[3] for b in bs))

    def distance(self, x, y):
        return min(s.distance(x, y) for s in self.shapes)


def coverage(distance):
    return max(0.0, min(1.0, 0.5 - distance))


# ---------------------------------------------------------------------------
# Paints: a fixed colour or a linear gradient, as (r, g, b) in 0..255.


def solid(rgb):
    return lambda x, y: rgb


def gradient(x0, y0, c0, x1, y1, c1):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def paint(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / length2
        t = max(0.0, min(1.0, t))
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))

    return paint


def hex_rgb(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


# ---------------------------------------------------------------------------
# Canvas: premultiplied RGBA floats, composited with "over".


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def fill(self, shape, paint, opacity=1.0, clip=None, soft=0.0):
        """Paints shape; soft > 0 blurs the outline over that many pixels."""
        l, t, r, b = shape.bounds()
        grow = soft + 1
        x0 = max(0, int(math.floor(l - grow)))
        y0 = max(0, int(math.floor(t - grow)))
        x1 = min(self.size, int(math.ceil(r + grow)))
        y1 = min(self.size, int(math.ceil(b + grow)))
        for y in range(y0, y1):
            cy = y + 0.5
            for x in range(x0, x1):
                cx = x + 0.5
                d = shape.distance(cx, cy)
                if soft > 0:
                    a = max(0.0, min(1.0, 0.5 - d / soft))
                else:
                    a = coverage(d)
                if a <= 0.0:
                    continue
                if clip is not None:
                    a = min(a, coverage(clip.distance(cx, cy)))
                    if a <= 0.0:
                        continue
                a *= opacity
                cr, cg, cb = paint(cx, cy)
                px = self.pixels[y * self.size + x]
                keep = 1.0 - a
                px[0] = cr * a + px[0] * keep
                px[1] = cg * a + px[1] * keep
                px[2] = cb * a + px[2] * keep
                px[3] = 255.0 * a + px[3] * keep

    def rgba(self):
        """Rows top to bottom of straight-alpha (r, g, b, a) byte tuples."""
        rows = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                r, g, b, a = self.pixels[y * self.size + x]
                if a <= 0.0:
                    row.append((0, 0, 0, 0))
                    continue
                scale = 255.0 / a
                row.append((clamp_byte(r * scale), clamp_byte(g * scale),
                            clamp_byte(b * scale), clamp_byte(a)))
            rows.append(row)
        return rows


def clamp_byte(v):
    return max(0, min(255, int(round(v))))


# ---------------------------------------------------------------------------
# The motif in colour: one palette per tray state.


def palette(**colours):
    return {name: hex_rgb(value) for name, value in colours.items()}


# Running: the full-colour motif.
NORMAL = palette(bezel_top="#4c5c66", bezel_bottom="#222d34",
                 stand_top="#687a85", stand_bottom="#38464f",
                 screen_light="#6fd0ff", screen_dark="#1560c0",
                 title="#ff9a1f", title_dark="#f07800",
                 body="#fbfbfb", text="#b8c4cc", bar="#ffd54a")

# Paused: the same picture drained of colour.
GREY = palette(bezel_top="#5e5e5e", bezel_bottom="#3a3a3a",
               stand_top="#777777", stand_bottom="#4c4c4c",
               screen_light="#c4c4c4", screen_dark="#8a8a8a",
               title="#4a4a4a", title_dark="#3c3c3c",
               body="#f4f4f4", text="#b0b0b0", bar="#e0e0e0")

# Showing all: the same picture in red.
RED = palette(bezel_top="#8a1c1c", bezel_bottom="#560d0d",
              stand_top="#9c2a2a", stand_bottom="#681414",
              screen_light="#ff7a6e", screen_dark="#d01f1f",
              title="#7a0000", title_dark="#600000",
              body="#fff4f2", text="#f0b0a8", bar="#ffd0c8")


def colour_layout(size):
    """Geometry of the colour motif in pixels of a size x size icon.

    Large icons scale a 256-unit design; the two small sizes have their own
    pixel-aligned layouts so that every edge falls on a pixel boundary.
    """
    if size == 16:
        return dict(bezel=(0, 1, 16, 12, 1.5), screen=(1, 2, 15, 11, 0),
                    window=(8, 4, 17, 9, 0), title=2, lines=[],
                    bar=(14, 3, 15, 10, 0), neck=(7, 12, 9, 14, 0),
                    base=(4, 14, 12, 15, 0.5), shadow=0)
    if size == 32:
        return dict(bezel=(1, 3, 31, 24, 2.5), screen=(3, 5, 29, 22, 0.5),
                    window=(14, 8, 33, 18, 1.5), title=3,
                    lines=[(16, 13, 25, 14)],
                    bar=(27, 6, 29, 21, 0), neck=(14, 24, 18, 27, 0),
                    base=(9, 27, 23, 29, 1), shadow=1)
    k = size / 256.0

    def sc(*v):
        return tuple(c * k for c in v)

    return dict(bezel=sc(8, 26, 248, 190, 18), screen=sc(22, 40, 234, 176, 4),
                window=sc(112, 70, 262, 150, 10), title=24 * k,
                lines=[sc(128, 108, 204, 116), sc(128, 124, 216, 132)],
                bar=sc(220, 50, 234, 166, 0), neck=sc(108, 190, 148, 214, 0),
                base=sc(68, 212, 188, 232, 8), shadow=6 * k)


def draw_colour(size, pal=NORMAL):
    g = colour_layout(size)
    c = Canvas(size)
    bl, bt, br, bb, brad = g["bezel"]
    stand_paint = gradient(0, g["neck"][1], pal["stand_top"],
                           0, g["base"][3], pal["stand_bottom"])
    c.fill(RoundRect(*g["neck"]), stand_paint)
    c.fill(RoundRect(*g["base"]), stand_paint)
    c.fill(RoundRect(bl, bt, br, bb, brad),
           gradient(0, bt, pal["bezel_top"], 0, bb, pal["bezel_bottom"]))

    sl, st, sr, sb, srad = g["screen"]
    screen = RoundRect(sl, st, sr, sb, srad)
    c.fill(screen,
           gradient(sl, st, pal["screen_light"], sr, sb, pal["screen_dark"]))

    # The bar glowing along the right edge where the window comes in.
    c.fill(RoundRect(*g["bar"]), solid(pal["bar"]), opacity=0.9, clip=screen)

    wl, wt, wr, wb, wrad = g["window"]
    window = RoundRect(wl, wt, wr, wb, wrad)
    if g["shadow"]:
        s = g["shadow"]
        c.fill(RoundRect(wl - s * 0.3, wt + s * 0.6, wr, wb + s * 0.6, wrad),
               solid((0, 20, 60)), opacity=0.45, clip=screen, soft=s)
    c.fill(window, solid(pal["body"]), clip=screen)
    below_title = RoundRect(wl - 1, wt + g["title"], wr + 1, wb + 1, 0)
    c.fill(Difference(window, below_title),
           gradient(0, wt, pal["title"], 0, wt + g["title"], pal["title_dark"]),
           clip=screen)
    for line in g["lines"]:
        l, t, r, b = line
        c.fill(RoundRect(l, t, r, b, (b - t) / 2), solid(pal["text"]),
               clip=screen)
    return c


# ---------------------------------------------------------------------------
# The single-colour silhouette (256 px): monitor frame, stand and the window
# coming in from the right, as one shape. Every edge lies on a 16-pixel
# grid, so the picture stays crisp however the shell shrinks it to 16 or
# 32 pixels for the notification area, even by plain pixel sampling.

GRID = 16


def grid_rect(left, top, right, bottom, radius=0.0):
    return RoundRect(left * GRID, top * GRID, right * GRID, bottom * GRID,
                     radius * GRID)


def silhouette_shape():
    frame = Difference(grid_rect(0, 1, 16, 12, 0.75),
                       grid_rect(1, 2, 15, 11, 0.25))
    stand = Union(grid_rect(7, 12, 9, 14), grid_rect(4, 14, 12, 15, 0.4))
    # The window: a solid title bar over an outlined body, open on the
    # right where it merges into the bezel, as if it slid in from behind it.
    window = Difference(grid_rect(8, 4, 15, 10, 0.4), grid_rect(9, 6, 16, 9))
    return Union(frame, stand, window)


def draw_silhouette(rgb):
    c = Canvas(256)
    c.fill(silhouette_shape(), solid(rgb))
    return c


# ---------------------------------------------------------------------------
# The about-box picture: the colour motif with the pointer resting on the
# edge.


def draw_about():
    c = draw_colour(128)
    # A standard arrow pointer, 12 x 20 units, its tip on the edge bar.
    arrow = [(0, 0), (0, 17), (4, 13), (7, 20), (10, 19), (7, 12.5), (12, 12.5)]
    tip_x, tip_y, scale = 108.0, 78.0, 1.75
    cursor = Polygon([(tip_x + x * scale, tip_y + y * scale) for x, y in arrow])
    c.fill(Offset(cursor, 1.2), solid((20, 20, 20)))
    c.fill(Offset(cursor, -0.2), solid((255, 255, 255)))
    return c


# ---------------------------------------------------------------------------
# File formats.


def png_bytes(rows):
    size_w = len(rows[0])
    size_h = len(rows)
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return (struct.pack(">I", len(data)) + body
                + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size_w, size_h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def dib_bytes(rows):
    """32-bit icon DIB: header with doubled height, BGRA bottom-up, AND mask."""
    w = len(rows[0])
    h = len(rows)
    mask_stride = ((w + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def ico_bytes(images):
    """images: list of row lists (square), largest first."""
    entries = []
    for rows in images:
        size = len(rows)
        data = png_bytes(rows) if size >= 256 else dib_bytes(rows)
        entries.append((size, data))
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data),
                           offset)
        offset += len(data)
    for _, data in entries:
        out += data
    return bytes(out)


def write_ico(path, canvases):
    with open(path, "wb") as f:
        f.write(ico_bytes([c.rgba() for c in canvases]))


# ---------------------------------------------------------------------------


SILHOUETTES = {
    "white.ico": (255, 255, 255),
    "black.ico": (0, 0, 0),
    "blue.ico": hex_rgb("#1e7cf2"),
    "red.ico": hex_rgb("#e8332a"),
}


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_icons.py OUTDIR\n")
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)

    colour = {size: draw_colour(size) for size in (256, 128, 48, 32, 16)}
    write_ico(os.path.join(out, "app.ico"),
              [colour[s] for s in (256, 128, 48, 32, 16)])
    write_ico(os.path.join(out, "about.ico"), [draw_about()])
    write_ico(os.path.join(out, "paused.ico"), [draw_colour(16, GREY)])
    write_ico(os.path.join(out, "showall.ico"), [draw_colour(16, RED)])
    for name, rgb in SILHOUETTES.items():
        write_ico(os.path.join(out, name), [draw_silhouette(rgb)])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
