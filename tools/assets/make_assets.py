#!/usr/bin/env python3
"""Makes the demo's embedded pictures, fonts and texts in src/assets/data.

The sources beside this script are the editable forms: font5x7.txt (pixel
glyphs), strokes.txt (line glyphs), tiles.txt, pictures.txt and
greetings.txt; the pictures without a text source are drawn here. Run it
from anywhere after editing a source and commit the regenerated files; the
build only embeds them and does not need Python.

    python3 tools/assets/make_assets.py [--preview DIR]

With --preview it also writes enlarged PNG-ready PPM previews into DIR.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.normpath(os.path.join(HERE, "..", "..", "src", "assets", "data"))


# ---------------------------------------------------------------- PNM output

def write_pbm(name, width, height, bits, comment):
    """bits: rows of 0/1; a set bit is a white (foreground) pixel."""
    assert width % 8 == 0 and len(bits) == height
    out = bytearray(b"P4\n# %s\n%d %d\n" % (comment.encode(), width, height))
    for row in bits:
        assert len(row) == width
        for x in range(0, width, 8):
            byte = 0
            for k in range(8):
                byte = (byte << 1) | (1 if row[x + k] else 0)
            out.append(byte)
    save(name, out)


def write_pgm(name, width, height, grey, comment):
    out = bytearray(b"P5\n# %s\n%d %d\n255\n" % (comment.encode(), width, height))
    for row in grey:
        assert len(row) == width
        out.extend(row)
    save(name, out)


def write_ppm(name, width, height, rgb, comment):
    """rgb: rows of 0xRRGGBB words."""
    out = bytearray(b"P6\n# %s\n%d %d\n255\n" % (comment.encode(), width, height))
    for row in rgb:
        assert len(row) == width
        for c in row:
            out.extend(((c >> 16) & 255, (c >> 8) & 255, c & 255))
    save(name, out)


def save(name, data):
    with open(os.path.join(DATA, name), "wb") as f:
        f.write(data)


def grid(width, height, value=0):
    return [[value] * width for _ in range(height)]


# ---------------------------------------------------------------- sources

def source_lines(name):
    with open(os.path.join(HERE, name), encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                yield line


def load_pixel_glyphs():
    glyphs = {}
    for line in source_lines("font5x7.txt"):
        code, rows = line.split(":", 1)
        rows = rows.split()
        assert len(rows) == 8 and all(len(r) == 5 for r in rows), line
        glyphs[int(code)] = [[1 if ch == "#" else 0 for ch in r] for r in rows]
    return glyphs


def parse_points(text):
    pts = []
    for tok in text.split():
        x, y = tok.split(",")
        pts.append((float(x), float(y)))
    return pts


def load_strokes():
    """Returns (unit, wire): dicts of key -> list of polylines."""
    sections = {"unit": {}, "wire": {}}
    current = None
    for line in source_lines("strokes.txt"):
        if line.startswith("["):
            current = sections[line.strip("[]")]
            continue
        key, body = line.split(":", 1)
        key = int(key) if key.isdigit() else key
        current[key] = [parse_points(p) for p in body.split("|")]
    return sections["unit"], sections["wire"]


def unit_to_wire(polylines):
    return [[(2 * x + 1, 2 * y + 1) for x, y in p] for p in polylines]


def wire_glyphs():
    """Every printable code's polylines in 16 x 16 wire coordinates."""
    unit, wire = load_strokes()
    glyphs = {}
    for code, lines in unit.items():
        if isinstance(code, int):
            glyphs[code] = unit_to_wire(lines)
    glyphs.update(wire)
    return glyphs


# ---------------------------------------------------------------- raster helpers

def scale2x(img):
    """Edge-preserving doubling: diagonal steps become smooth 45-degree edges."""
    h, w = len(img), len(img[0])

    def at(x, y):
        return img[y][x] if 0 <= x < w and 0 <= y < h else 0

    out = grid(2 * w, 2 * h)
    for y in range(h):
        for x in range(w):
            p, a, b, c, d = at(x, y), at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
            e0 = a if (c == a and c != d and a != b) else p
            e1 = b if (a == b and a != c and b != d) else p
            e2 = c if (d == c and d != b and c != a) else p
            e3 = d if (b == d and b != a and d != c) else p
            out[2 * y][2 * x], out[2 * y][2 * x + 1] = e0, e1
            out[2 * y + 1][2 * x], out[2 * y + 1][2 * x + 1] = e2, e3
    return out


def dilate(mask, radius):
    """Round dilation of a 0/1 mask."""
    h, w = len(mask), len(mask[0])
    offs = [(dx, dy) for dy in range(-radius, radius + 1) for dx in range(-radius, radius + 1)
            if dx * dx + dy * dy <= radius * radius + radius]
    out = grid(w, h)
    for y in range(h):
        for x in range(w):
            if mask[y][x]:
                for dx, dy in offs:
                    xx, yy = x + dx, y + dy
                    if 0 <= xx < w and 0 <= yy < h:
                        out[yy][xx] = 1
    return out


def seg_distance(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    l2 = vx * vx + vy * vy
    t = 0.0 if l2 == 0 else max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / l2))
    dx, dy = px - (ax + t * vx), py - (ay + t * vy)
    return math.sqrt(dx * dx + dy * dy)


def stroke_mask(width, height, polylines, tx, ty, radius):
    """Draws polylines with a round pen; tx, ty map glyph to pixel coordinates."""
    segs = []
    for p in polylines:
        if len(p) == 1:
            p = [p[0], p[0]]
        for (x0, y0), (x1, y1) in zip(p, p[1:]):
            segs.append((tx(x0), ty(y0), tx(x1), ty(y1)))
    mask = grid(width, height)
    for y in range(height):
        for x in range(width):
            cx, cy = x + 0.5, y + 0.5
            for s in segs:
                if seg_distance(cx, cy, *s) <= radius:
                    mask[y][x] = 1
                    break
    return mask


def paste(dst, src, ox, oy, fn=lambda old, new: new if new else old):
    for y, row in enumerate(src):
        for x, v in enumerate(row):
            yy, xx = oy + y, ox + x
            if 0 <= yy < len(dst) and 0 <= xx < len(dst[0]):
                dst[yy][xx] = fn(dst[yy][xx], v)


# ---------------------------------------------------------------- bitmap fonts

def make_small_font(pixel):
    """1-bit 128 x 128: 256 cells of 8 x 8; 128-255 are the inverse cells."""
    sheet = grid(128, 128)
    for code in range(128):
        g = pixel.get(code)
        cx, cy = (code % 16) * 8, (code // 16) * 8
        if g:
            for y in range(8):
                for x in range(5):
                    sheet[cy + y][cx + 1 + x] = g[y][x]
        if code >= 32:
            ix, iy = ((code + 128) % 16) * 8, ((code + 128) // 16) * 8
            for y in range(8):
                for x in range(8):
                    sheet[iy + y][ix + x] = 1 - sheet[cy + y][cx + x]
    write_pbm("small.pbm", 128, 128, sheet, "small font: 256 glyphs of 8 x 8")
    return sheet


TITLE_BODY, TITLE_EDGE = 0x7F, 0xFF


def make_title_font(pixel):
    """8-bit 128 x 256: 128 cells of 16 x 16. Bodies 0x7F, outline 0xFF."""
    sheet = grid(128, 256)
    for code in range(128):
        g = pixel.get(code)
        if not g:
            continue
        big = scale2x(g)                      # 10 x 16
        cell = grid(16, 17)
        paste(cell, big, 2, 1)
        paste(cell, big, 3, 1, lambda old, new: old | new)   # one pixel bolder
        edge = dilate(cell, 1)
        cx, cy = (code % 8) * 16, (code // 8) * 16
        for y in range(16):
            for x in range(16):
                v = TITLE_BODY if cell[y][x] else (TITLE_EDGE if edge[y][x] else 0)
                sheet[cy + y][cx + x] = v
    write_pgm("title.pgm", 128, 256, sheet, "title font: 128 glyphs of 16 x 16")
    return sheet


BIG_BODY, BIG_LIGHT, BIG_EDGE, BIG_SHADOW = 0x7F, 0xF0, 0x30, 0x18


def big_cell_from_mask(mask):
    """Body mask of 32 x 64 -> grey cell: body, light top-left rim, dark outline."""
    h, w = 64, 32
    edge = dilate(mask, 2)
    shadow = grid(w, h)
    for y in range(h):
        for x in range(w):
            if mask[y][x]:
                for k in range(1, 4):
                    if x + k < w and y + k < h:
                        shadow[y + k][x + k] = 1
    cell = grid(w, h)
    for y in range(h):
        for x in range(w):
            if mask[y][x]:
                up = y > 0 and mask[y - 1][x]
                left = x > 0 and mask[y][x - 1]
                cell[y][x] = BIG_BODY if (up and left) else BIG_LIGHT
            elif edge[y][x]:
                cell[y][x] = BIG_EDGE
            elif shadow[y][x]:
                cell[y][x] = BIG_SHADOW
    return cell


def make_big_font(pixel, wire):
    """8-bit 256 x 1024: 128 cells of 32 x 64 for the scroller."""
    sheet = grid(256, 1024)
    sx, sy = 20.0 / 12.0, 44.0 / 12.0
    tx = lambda x: 5.5 + (x - 1) * sx
    ty = lambda y: 7.0 + (y - 1) * sy
    for code in range(128):
        if code in wire:
            mask = stroke_mask(32, 64, wire[code], tx, ty, 3.3)
        elif code in (8, 9, 11):
            small = scale2x(scale2x(pixel[code]))       # 20 x 32 symbol
            mask = grid(32, 64)
            paste(mask, small, 6, 18)
        else:
            continue
        cell = big_cell_from_mask(mask)
        cx, cy = (code % 8) * 32, (code // 8) * 64
        paste(sheet, cell, cx, cy, lambda old, new: new)
    write_pgm("big.pgm", 256, 1024, sheet, "scroller font: 128 glyphs of 32 x 64")
    return sheet


def make_tile_font():
    palette, rows = {}, []
    with open(os.path.join(HERE, "tiles.txt"), encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("palette"):
                _, ch, hexv = line.split()
                palette[ch] = int(hexv, 16)
            elif line and not line.startswith("#"):
                rows.append([palette[ch] for ch in line])
    assert len(rows) == 256 and all(len(r) == 8 for r in rows)
    write_ppm("tiles.ppm", 8, 256, rows, "tile font: 32 tiles of 8 x 8")
    return rows


# ---------------------------------------------------------------- pictures

def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    out = 0
    for sh in (16, 8, 0):
        ca, cb = (a >> sh) & 255, (b >> sh) & 255
        out |= int(round(ca + (cb - ca) * t)) << sh
    return out


def nonzero(c):
    return c if c else 0x010101


def make_background():
    """256 x 128 landscape: mountains, hills and pines under a black sky."""
    w, h = 256, 128
    img = grid(w, h)
    far = [int(46 + 16 * math.sin(x * 0.031 + 0.6) + 9 * math.sin(x * 0.083 + 2.0)
               + 4 * math.sin(x * 0.21)) for x in range(w)]
    near = [int(84 + 10 * math.sin(x * 0.045 + 2.2) + 5 * math.sin(x * 0.12 + 0.3)) for x in range(w)]
    low = [int(108 + 4 * math.sin(x * 0.07 + 4.0) + 2 * math.sin(x * 0.19)) for x in range(w)]
    for x in range(w):
        for y in range(far[x], h):
            depth = (y - far[x]) / 40.0
            c = mix(0x8070D0, 0x302060, depth)
            if y - far[x] < 3 and far[x] < 42:
                c = 0xE8E8FF                 # snow on the high peaks
            img[y][x] = c
        for y in range(near[x], h):
            t = (y - near[x]) / 30.0
            c = mix(0x58D048, 0x186820, t)
            if (x * 7 + y * 3) % 23 == 0:
                c = mix(c, 0xC0F060, 0.5)    # a few lighter grass dots
            img[y][x] = c
        for y in range(low[x], h):
            t = (y - low[x]) / 20.0
            img[y][x] = mix(0x2E8C30, 0x0C3A14, t)
    # pines along the near hills
    for k, px in enumerate(range(9, w, 23)):
        base = near[px] + 3
        height = 16 + (k * 7) % 9
        for dy in range(height):
            half = int((dy + 2) * 0.38)
            yy = base - height + dy
            for dx in range(-half, half + 1):
                xx = px + dx
                if 0 <= xx < w and 0 <= yy < h:
                    img[yy][xx] = mix(0x1E7A3A, 0x0A3A1A, (dx + half) / (2 * half + 1))
        for yy in range(base, min(h, base + 4)):
            img[yy][px] = 0x5A3418
    # a pale moon high on the left
    for y in range(4, 30):
        for x in range(18, 44):
            d = math.hypot(x - 31, y - 17)
            if d <= 11.5 and math.hypot(x - 36, y - 13) > 10:
                img[y][x] = mix(0xFFF4C0, 0xD8C890, (y - 6) / 22.0)
    write_ppm("background.ppm", w, h, [[nonzero(c) if c else 0 for c in r] for r in img],
              "background picture, black is transparent")
    return img


def make_bubbles():
    """256 x 128 underwater picture: weeds, fish and shells on sand."""
    w, h = 256, 128
    img = grid(w, h)
    sand = [int(112 + 3 * math.sin(x * 0.06) + 2 * math.sin(x * 0.17 + 1)) for x in range(w)]
    for x in range(w):
        for y in range(sand[x], h):
            c = mix(0xF0D890, 0xB89850, (y - sand[x]) / 14.0)
            if (x * 13 + y * 7) % 17 == 0:
                c = 0x907040
            img[y][x] = c
    # sea weed: waving ribbons
    for k, base in enumerate(range(8, w, 29)):
        top = 40 + (k * 37) % 45
        for y in range(top, sand[base] + 1):
            t = (y - top) / max(1, sand[base] - top)
            cx = base + 5 * math.sin(y * 0.15 + k) * (1 - t)
            for x in range(int(cx) - 2, int(cx) + 3):
                if 0 <= x < w:
                    img[y][x] = mix(0x60E070, 0x107838, t if x != int(cx) - 2 else 0.9)

    def fish(fx, fy, size, body, fin, left):
        """An oval body with a stripe, a tail behind it and one eye."""
        back = 1 if left else -1            # the tail is on this side
        for y in range(fy - size - 1, fy + size + 2):
            for x in range(fx - 4 * size, fx + 4 * size + 1):
                if not (0 <= x < w and 0 <= y < h):
                    continue
                ex, ey = (x - fx) / (2.0 * size), (y - fy) / float(size)
                d = (x - fx) * back - 2 * size + 1   # distance behind the body
                if ex * ex + ey * ey <= 1.0:
                    c = mix(body, fin, 0.35 * (ey + 1))
                    if abs(ex) < 0.14:
                        c = fin
                    img[y][x] = c
                elif 0 <= d <= size + 1 and abs(y - fy) <= d * 0.9 + 0.5:
                    img[y][x] = fin
        ex = fx - back * size
        img[fy - 1][ex] = 0xFFFFFF
        img[fy - 1][ex - back] = 0x101010
    fish(48, 30, 6, 0xFFA020, 0xE04010, True)
    fish(150, 18, 5, 0xFFE040, 0x3070FF, False)
    fish(206, 56, 7, 0xFF70B0, 0xB02080, True)
    fish(104, 74, 4, 0x60E0FF, 0x2060C0, False)
    # shells and a starfish on the sand
    for sx in (70, 180):
        for y in range(sand[sx] - 7, sand[sx] + 1):
            for x in range(sx - 7, sx + 8):
                d = math.hypot(x - sx, y - sand[sx])
                if d <= 7 and y <= sand[sx]:
                    img[y][x] = 0xFFF0E8 if int(math.degrees(math.atan2(sand[sx] - y, x - sx))) % 30 > 6 else 0xE09080
    cx, cy = 128, sand[128] - 5
    for y in range(cy - 8, cy + 9):
        for x in range(cx - 8, cx + 9):
            a = math.atan2(y - cy, x - cx)
            r = math.hypot(x - cx, y - cy)
            if r <= 3 + 5 * (0.5 + 0.5 * math.cos(5 * (a + 0.3))):
                img[y][x] = mix(0xFF6040, 0xC02020, r / 8.0)
    write_ppm("bubbles.ppm", w, h, img, "bubble picture, black is transparent")
    return img


POINTER = """
n...............
nn..............
nwn.............
nwwn............
nwwwn...........
nwwwwn..........
nwwwwwn.........
nwwwwwwn........
nwwwwwwwn.......
nwwwwwwwwn......
nwwwwwnnnnn.....
nwwnwwn.........
nwn.nwwn........
nn..nwwn........
n....nwwn.......
.....nnnn.......
"""


def make_pointer():
    colours = {".": 0, "n": 0x202028, "w": 0xFFFFFF}
    rows = [r for r in POINTER.split("\n") if r]
    img = []
    for y, r in enumerate(rows):
        row = []
        for x, ch in enumerate(r):
            c = colours[ch]
            if ch == "w":
                c = mix(0xFFFFFF, 0xA8C0E8, (x + y) / 22.0)
            row.append(c)
        img.append(row)
    write_ppm("pointer.ppm", 16, 16, img, "pointer sprite, black is transparent")
    return img


def word_mask(text, width, height, unit, sx, sy, radius, gap):
    """The capitals of text drawn with a round pen, centred in width x height."""
    letters = [unit[ord(ch)] for ch in text]
    total = len(letters) * 6 * sx + (len(letters) - 1) * gap
    ox = (width - total) / 2.0
    oy = (height - 6 * sy) / 2.0
    mask = grid(width, height)
    for k, lines in enumerate(letters):
        x0 = ox + k * (6 * sx + gap)
        m = stroke_mask(width, height, lines, lambda x, x0=x0: x0 + x * sx, lambda y: oy + y * sy, radius)
        paste(mask, m, 0, 0, lambda old, new: old | new)
    return mask


def make_logos(unit):
    intro = word_mask("QORN", 128, 64, unit, 4.0, 7.2, 4.6, 7.0)
    write_pbm("intro.pbm", 128, 64, intro, "intro logo: set bits are the letters")
    emblem = word_mask("QORN", 256, 96, unit, 8.0, 11.0, 7.0, 14.0)
    sub = word_mask("7316", 256, 32, unit, 3.0, 3.4, 2.0, 6.0)
    emblem = emblem + sub
    write_pbm("emblem.pbm", 256, 128, emblem, "group emblem, 1-bit")
    banner = grid(512, 288)
    big = word_mask("QORN", 512, 200, unit, 16.0, 24.0, 13.0, 28.0)
    paste(banner, big, 0, 10)
    small = word_mask("7316", 512, 60, unit, 6.0, 7.0, 4.0, 14.0)
    paste(banner, small, 0, 214, lambda old, new: old | new)
    for y in range(288):
        for x in range(512):
            if (x < 4 or x >= 508 or y < 4 or y >= 284) or ((x + y) % 8 == 0 and (x < 12 or x >= 500 or y < 12 or y >= 276)):
                banner[y][x] = 1
    write_pbm("banner.pbm", 512, 288, banner, "title banner, 1-bit")
    for name, top, bottom, edge in (("logo-warm.ppm", 0xFFE060, 0xE02040, 0x401010),
                                    ("logo-cool.ppm", 0x80FFFF, 0x4040E0, 0x101040)):
        m = word_mask("QORN", 128, 64, unit, 4.0, 7.2, 4.6, 7.0)
        e = dilate(m, 2)
        img = grid(128, 64)
        for y in range(64):
            for x in range(128):
                if m[y][x]:
                    img[y][x] = mix(top, bottom, (y - 8) / 48.0)
                elif e[y][x]:
                    img[y][x] = edge
        write_ppm(name, 128, 64, img, "colour logo, black is transparent")
    return intro


# ---------------------------------------------------------------- object texts

def fmt(v):
    return str(int(round(v)))


def segments_of(polylines, conv):
    segs = []
    for p in polylines:
        pts = [conv(x, y) for x, y in p]
        if len(pts) == 1:
            pts = pts * 2
        for a, b in zip(pts, pts[1:]):
            segs.append((a, b))
    return segs


def block(lines_out, name, segs, extra=None):
    lines_out.append("{ name %s" % name if name is not None else "{")
    if extra:
        lines_out.extend(extra)
    for (x0, y0), (x1, y1) in segs:
        lines_out.append("  s %s, %s, %s, %s" % (fmt(x0), fmt(y0), fmt(x1), fmt(y1)))
    lines_out.append("}")


def glyph_name(code):
    if code == 32:
        return "space"
    if code == 127:
        return "esc"
    return chr(code)


def make_wire_font(wire):
    out = ["# Wire font: 256 line glyphs in cells of 16 x 16 pixels, y down.",
           "# Capitals on a 7 x 7 grid at odd pixels, small letters of their own.",
           "name font 16x16 wire", "version 20120515", "author Ilka Vantolek", "type 2D",
           "color $00ffffff", "# blank codes 0-31"]
    for code in range(256):
        if code == 128:
            out.append("# blank codes 128-255")
        if code < 32 or code >= 128:
            out.append("{ }")
            continue
        if code == 126:
            name = "~"
        else:
            name = glyph_name(code)
        block(out, name, segments_of(wire.get(code, []), lambda x, y: (x, y)))
    save("wire16.txt", ("\n".join(out) + "\n").encode("ascii"))
    return out


def make_line_font(unit):
    out = ["# Line font: 256 glyphs in cells of 8 x 8 pixels, y down.",
           "# The small-letter codes carry the capitals.",
           "name font 2D 8x8", "version 20130903", "author Ilka Vantolek", "type 2D",
           "# blank codes 0-31"]
    conv = lambda x, y: (math.floor(x + 0.5), math.floor(y + 0.5))
    total = 0
    for code in range(256):
        if code == 128:
            out.append("# blank codes 128-255")
        if code < 32 or code >= 128:
            out.append("{ }")
            continue
        if code == 32:
            block(out, "space", [], ["  color $AACCEE"])
            continue
        src = code - 32 if 97 <= code <= 122 else code
        if code == 126:
            name, lines = "smile", unit["smile"]
        else:
            name, lines = glyph_name(src), unit.get(src, [])
        segs = segments_of(lines, conv)
        total += len(segs)
        block(out, name, segs)
    save("line8.txt", ("\n".join(out) + "\n").encode("ascii"))
    return total


def shape_points(tokens):
    kind, nums = tokens[0], [float(t) for t in tokens[1:]]
    if kind == "ngon":
        cx, cy, r, n = nums[:4]
        turn = nums[4] if len(nums) > 4 else 0.0
        pts = [(cx + r * math.cos(math.radians(turn + 360.0 * k / n)),
                cy + r * math.sin(math.radians(turn + 360.0 * k / n))) for k in range(int(n))]
        return pts + [pts[0]]
    if kind == "star":
        cx, cy, r1, r2, n = nums[:5]
        turn = nums[5] if len(nums) > 5 else 0.0
        pts = []
        for k in range(int(2 * n)):
            r = r1 if k % 2 == 0 else r2
            a = math.radians(turn + 180.0 * k / n)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        return pts + [pts[0]]
    if kind == "arc":
        cx, cy, r, a0, a1, n = nums
        return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * k / n)),
                 cy + r * math.sin(math.radians(a0 + (a1 - a0) * k / n))) for k in range(int(n) + 1)]
    if kind == "ellipse":
        cx, cy, rx, ry, n = nums
        pts = [(cx + rx * math.cos(2 * math.pi * k / n), cy + ry * math.sin(2 * math.pi * k / n))
               for k in range(int(n))]
        return pts + [pts[0]]
    raise ValueError(kind)


def make_pictures():
    out = ["# Picture library: 87 small line pictures in cells of 16 x 16 pixels.",
           "# Drawn as a line font, picture n stands for character code n.",
           "color $00ffffff"]
    names, counts = [], []
    for line in source_lines("pictures.txt"):
        name, body = line.split(":", 1)
        segs = []
        for part in body.split("|"):
            toks = part.split()
            pts = shape_points(toks) if toks[0][0].isalpha() else parse_points(part)
            pts = [(max(0, min(15, int(round(x)))), max(0, min(15, int(round(y))))) for x, y in pts]
            segs += segments_of([pts], lambda x, y: (x, y))
        if name.startswith("-"):
            out.append("{ " + name[1:])
            out.extend("  s %d, %d, %d, %d" % (a[0], a[1], b[0], b[1]) for a, b in segs)
            out.append("}")
            names.append(None)
        else:
            block(out, name, segs)
            names.append(name)
        counts.append(len(segs))
    assert len(names) == 87, len(names)
    assert min(counts) >= 3 and max(counts) <= 28, (min(counts), max(counts))
    save("pictures.txt", ("\n".join(out) + "\n").encode("ascii"))
    return names, counts


# ---------------------------------------------------------------- greetings

def make_greetings():
    text = " ".join(line.strip() for line in source_lines("greetings.txt"))
    text = text.replace("<H>", "\x08").replace("<S>", "\x09").replace("<N>", "\x0b")
    counts = [text.count(c) for c in "\x08\x09\x0b"]
    assert counts == [12, 12, 12], counts
    assert len(text) <= 2045, len(text)
    text = text + " " * (2045 - len(text))
    assert all(32 <= ord(c) < 127 or c in "\x08\x09\x0b" for c in text)
    save("greetings.txt", text.encode("ascii"))
    return text


# ---------------------------------------------------------------- previews

def preview(path, rgb_rows, zoom):
    h, w = len(rgb_rows), len(rgb_rows[0])
    out = bytearray(b"P6\n%d %d\n255\n" % (w * zoom, h * zoom))
    for row in rgb_rows:
        line = bytearray()
        for c in row:
            line.extend(bytes(((c >> 16) & 255, (c >> 8) & 255, c & 255)) * zoom)
        out.extend(bytes(line) * zoom)
    with open(path, "wb") as f:
        f.write(out)


def main():
    os.makedirs(DATA, exist_ok=True)
    pixel = load_pixel_glyphs()
    unit, _ = load_strokes()
    wire = wire_glyphs()
    small = make_small_font(pixel)
    title = make_title_font(pixel)
    big = make_big_font(pixel, wire)
    tiles = make_tile_font()
    bg = make_background()
    bub = make_bubbles()
    ptr = make_pointer()
    intro = make_logos(unit)
    make_wire_font(wire)
    total8 = make_line_font(unit)
    names, counts = make_pictures()
    greet = make_greetings()
    print("8 x 8 line font segments:", total8, "; pictures:", sum(counts), "segments;",
          "greetings:", len(greet.rstrip()), "of 2045 bytes used")
    if len(sys.argv) > 2 and sys.argv[1] == "--preview":
        d = sys.argv[2]
        os.makedirs(d, exist_ok=True)
        grey = lambda rows: [[v * 0x010101 for v in r] for r in rows]
        bits = lambda rows: [[0xFFFFFF if v else 0 for v in r] for r in rows]
        preview(os.path.join(d, "small.ppm"), bits(small), 3)
        preview(os.path.join(d, "title.ppm"), grey(title), 3)
        preview(os.path.join(d, "big.ppm"), grey(big), 1)
        preview(os.path.join(d, "tiles.ppm"), tiles, 4)
        preview(os.path.join(d, "background.ppm"), bg, 2)
        preview(os.path.join(d, "bubbles.ppm"), bub, 2)
        preview(os.path.join(d, "pointer.ppm"), ptr, 8)
        preview(os.path.join(d, "intro.ppm"), bits(intro), 2)


if __name__ == "__main__":
    main()
