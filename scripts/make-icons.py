#!/usr/bin/env python3
"""Draws the Tavlo icon: a teal ball bearing a light-cyan disc with a dark-blue
numeral 2 and a small white highlight at its upper right.

Every size is drawn from the same shapes, laid out on a 32-unit square, with
several samples per pixel; nothing is enlarged from a smaller picture. The
32 x 32 picture is reduced to 16 colours (one of them transparent) and written
as assets/tavlo.xpm and assets/icons/tavlo-32.png; the larger sizes keep full
colour and soft edges. Uses only the standard library.

    python3 scripts/make-icons.py
"""

import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

BALL_CENTRE, BALL_RADIUS = (16.0, 16.0), 15.0
DISC_CENTRE, DISC_RADIUS = (16.0, 16.0), 8.0
HIGHLIGHT_CENTRE, HIGHLIGHT_RADIUS = (23.5, 8.5), 2.1
HALO = 1.3  # the highlight fades into the ball over this width
LIGHT = (21.0, 9.5)  # where the light falls on the ball

TEAL_LIT = (70, 196, 196)
TEAL = (0, 132, 136)
TEAL_SHADE = (0, 70, 80)
LIGHT_CYAN = (214, 255, 255)
DARK_BLUE = (0, 16, 128)
WHITE = (255, 255, 255)

# The numeral: an arc over the top, a diagonal down to the left, a bar.
STROKE = 2.0
ARC_CENTRE, ARC_RADIUS = (16.0, 14.1), 2.9
ARC_FROM, ARC_TO = math.radians(195), math.radians(-38)  # y up, clockwise
DIAGONAL_END = (12.9, 20.6)
BAR = (12.0, 20.0, 20.0, 22.0)  # left, top, right, bottom


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def arc_point(angle):
    return (ARC_CENTRE[0] + ARC_RADIUS * math.cos(angle), ARC_CENTRE[1] - ARC_RADIUS * math.sin(angle))


DIAGONAL_START = arc_point(ARC_TO)


def distance_to_segment(p, a, b):
    ax, ay = a
    dx, dy = b[0] - ax, b[1] - ay
    t = ((p[0] - ax) * dx + (p[1] - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(p[0] - ax - t * dx, p[1] - ay - t * dy)


def distance_to_arc(p):
    x, y = p[0] - ARC_CENTRE[0], ARC_CENTRE[1] - p[1]
    angle = math.atan2(y, x)
    # The arc runs clockwise from ARC_FROM down to ARC_TO, through the top.
    if angle < ARC_TO:
        angle += 2 * math.pi
    if ARC_TO <= angle <= ARC_FROM:
        return abs(math.hypot(x, y) - ARC_RADIUS)
    return min(math.dist(p, arc_point(ARC_FROM)), math.dist(p, arc_point(ARC_TO)))


def in_numeral(p):
    left, top, right, bottom = BAR
    if left <= p[0] <= right and top <= p[1] <= bottom:
        return True
    half = STROKE / 2
    return distance_to_arc(p) <= half or distance_to_segment(p, DIAGONAL_START, DIAGONAL_END) <= half


def ball_colour(p):
    t = min(1.0, math.dist(p, LIGHT) / 21.0)
    colour = mix(TEAL_LIT, TEAL, t / 0.55) if t < 0.55 else mix(TEAL, TEAL_SHADE, (t - 0.55) / 0.45)
    rim = math.dist(p, BALL_CENTRE) - (BALL_RADIUS - 1.2)
    if rim > 0:
        colour = mix(colour, TEAL_SHADE, min(1.0, rim / 1.2) * 0.8)
    return colour


def sample(p):
    """The colour at a point of the 32-unit square, or None outside the ball."""
    if math.dist(p, BALL_CENTRE) > BALL_RADIUS:
        return None
    glint = math.dist(p, HIGHLIGHT_CENTRE) - HIGHLIGHT_RADIUS
    if glint <= 0:
        return WHITE
    if math.dist(p, DISC_CENTRE) <= DISC_RADIUS:
        return DARK_BLUE if in_numeral(p) else LIGHT_CYAN
    if glint < HALO:
        return mix(WHITE, ball_colour(p), 0.45 + 0.55 * glint / HALO)
    return ball_colour(p)


def render(size):
    """Rows of (r, g, b, a) floats in 0..255, alpha straight."""
    n = 16 if size <= 64 else 6
    scale = 32.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0.0
            for sy in range(n):
                for sx in range(n):
                    c = sample(((px + (sx + 0.5) / n) * scale, (py + (sy + 0.5) / n) * scale))
                    if c is not None:
                        r, g, b, covered = r + c[0], g + c[1], b + c[2], covered + 1
            if covered:
                row.append((r / covered, g / covered, b / covered, 255.0 * covered / (n * n)))
            else:
                row.append((0.0, 0.0, 0.0, 0.0))
        rows.append(row)
    return rows


def reduce_colours(rows, count):
    """At most `count` opaque colours by k-means, started from the drawing's
    own colours; a pixel at least half covered becomes opaque."""
    pixels = [p[:3] for row in rows for p in row if p[3] >= 127.5]
    seeds = [TEAL_LIT, TEAL, TEAL_SHADE, LIGHT_CYAN, DARK_BLUE, WHITE]
    centres = list(seeds)
    # Fill the remaining places with the pixels farthest from the centres.
    while len(centres) < count:
        centres.append(max(pixels, key=lambda p: min(math.dist(p, c) for c in centres)))
    for _ in range(30):
        groups = [[] for _ in centres]
        for p in pixels:
            groups[min(range(len(centres)), key=lambda i: math.dist(p, centres[i]))].append(p)
        centres = [tuple(sum(ch) / len(g) for ch in zip(*g)) if g else c for g, c in zip(groups, centres)]
    palette = sorted({tuple(int(round(ch)) for ch in c) for c in centres})
    out = []
    for row in rows:
        out.append([min(palette, key=lambda c: math.dist(p[:3], c)) + (255,) if p[3] >= 127.5 else (0, 0, 0, 0)
                    for p in row])
    return out, palette


def write_png(path, rows):
    raw = b"".join(b"\0" + bytes(int(round(ch)) for p in row for ch in p) for row in rows)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    size = len(rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def write_xpm(path, rows, palette):
    keys = "abcdefghijklmno"
    key = {c: keys[i] for i, c in enumerate(palette)}
    lines = ['/* XPM */', 'static const char *tavlo[] = {',
             f'"{len(rows)} {len(rows)} {len(palette) + 1} 1",', '". c None",']
    lines += [f'"{key[c]} c #{c[0]:02X}{c[1]:02X}{c[2]:02X}",' for c in palette]
    body = ['"' + "".join(key[p[:3]] if p[3] else "." for p in row) + '"' for row in rows]
    lines += [line + "," for line in body[:-1]] + [body[-1], "};"]
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    icons = os.path.join(ROOT, "assets", "icons")
    os.makedirs(icons, exist_ok=True)
    small, palette = reduce_colours(render(32), 15)
    write_xpm(os.path.join(ROOT, "assets", "tavlo.xpm"), small, palette)
    write_png(os.path.join(icons, "tavlo-32.png"), small)
    for size in (48, 64, 128, 256):
        write_png(os.path.join(icons, f"tavlo-{size}.png"), render(size))


if __name__ == "__main__":
    main()
