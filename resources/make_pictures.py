#!/usr/bin/env python3
"""Draws the program's icon (zelvora.ico) and splash picture (splash.bmp).

Python 3 standard library only. The output is the same on every run, so the two files can be kept in
the repository and checked by running the script again.

    python3 make_pictures.py [--preview DIR]

--preview also writes PNG copies (the splash, and each icon size enlarged on a checkerboard) into DIR.
"""
import argparse
import math
import struct
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent

# ---------------------------------------------------------------------------------------------
# Rasteriser: filled polygons with the non-zero rule, so that several contours of one orientation
# make their union (a stroke is the union of its segments and round joints). Coverage is exact
# across a row and sampled at SUBROWS heights down each pixel.
# ---------------------------------------------------------------------------------------------
SUBROWS = 16


def signed_area(contour):
    total = 0.0
    for (x0, y0), (x1, y1) in zip(contour, contour[1:] + contour[:1]):
        total += x0 * y1 - x1 * y0
    return total / 2.0


def oriented(contour):
    """The contour with positive signed area, so that unions under the non-zero rule hold."""
    return contour if signed_area(contour) >= 0 else contour[::-1]


def coverage_rows(contours, width, height):
    """Yields (row, first column, coverage list) for each pixel row the contours touch."""
    edges = []
    for contour in contours:
        for (x0, y0), (x1, y1) in zip(contour, contour[1:] + contour[:1]):
            if y0 < y1:
                edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), 1))
            elif y1 < y0:
                edges.append((y1, y0, x1, (x0 - x1) / (y0 - y1), -1))
    if not edges:
        return
    xs = [x for contour in contours for x, _ in contour]
    left, right = max(0, math.floor(min(xs))), min(width, math.ceil(max(xs)))
    top, bottom = max(0, math.floor(min(e[0] for e in edges))), min(height, math.ceil(max(e[1] for e in edges)))
    if left >= right:
        return
    edges.sort()
    span = right - left
    weight = 1.0 / SUBROWS
    waiting, active = 0, []
    for row in range(top, bottom):
        while waiting < len(edges) and edges[waiting][0] < row + 1:
            active.append(edges[waiting])
            waiting += 1
        active = [e for e in active if e[1] > row]
        cover = [0.0] * (span + 1)
        steps = [0.0] * (span + 1)  # running sum gives the fully covered pixels

        for k in range(SUBROWS):
            y = row + (k + 0.5) * weight
            hits = sorted((x0 + (y - y0) * slope, d) for y0, y1, x0, slope, d in active if y0 <= y < y1)
            winding = 0
            for x, d in hits:
                if winding == 0:
                    start = x
                winding += d
                if winding != 0:
                    continue
                a, b = min(max(start - left, 0.0), span), min(max(x - left, 0.0), span)
                if b <= a:
                    continue
                ia, ib = int(a), int(b)
                if ia == ib:
                    cover[ia] += (b - a) * weight
                else:
                    cover[ia] += (ia + 1 - a) * weight
                    cover[ib] += (b - ib) * weight
                    steps[ia + 1] += weight
                    steps[ib] -= weight
        running, out = 0.0, []
        for i in range(span):
            running += steps[i]
            out.append(min(1.0, cover[i] + running))
        yield row, left, out


class Canvas:
    """An RGBA picture in premultiplied floats (0..255), composited with 'over'."""

    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        r, g, b, a = background + (255,) if background else (0, 0, 0, 0)
        self.pixels = [[r, g, b, a] for _ in range(width * height)]

    def fill(self, contours, colour, opacity=1.0):
        r, g, b = colour
        for row, left, covers in coverage_rows(contours, self.width, self.height):
            base = row * self.width + left
            for i, c in enumerate(covers):
                if c <= 0.0:
                    continue
                a = c * opacity
                p = self.pixels[base + i]
                keep = 1.0 - a
                p[0] = r * a + p[0] * keep
                p[1] = g * a + p[1] * keep
                p[2] = b * a + p[2] * keep
                p[3] = 255 * a + p[3] * keep

    def rgba(self):
        """Straight (not premultiplied) 8-bit RGBA tuples, row by row from the top."""
        out = []
        for r, g, b, a in self.pixels:
            if a <= 0.0:
                out.append((0, 0, 0, 0))
                continue
            k = 255.0 / a
            out.append(tuple(min(255, int(v * k + 0.5)) for v in (r, g, b)) + (min(255, int(a + 0.5)),))
        return out


# ---------------------------------------------------------------------------------------------
# Shapes
# ---------------------------------------------------------------------------------------------
def circle(cx, cy, r):
    n = max(12, int(2 * math.pi * r / 1.2))
    return [(cx + r * math.cos(2 * math.pi * i / n), cy + r * math.sin(2 * math.pi * i / n)) for i in range(n)]


def arc(cx, cy, r, start, end, ry=None):
    """Points of an arc from angle start to end in degrees, counter-clockwise with y up."""
    ry = r if ry is None else ry
    n = max(2, int(abs(end - start) / 6))
    return [(cx + r * math.cos(math.radians(start + (end - start) * i / n)),
             cy + ry * math.sin(math.radians(start + (end - start) * i / n))) for i in range(n + 1)]


def stroke(points, width, closed=False):
    """Contours of a polyline drawn with a round pen of the given width."""
    half = width / 2.0
    contours = [circle(x, y, half) for x, y in points]
    pairs = list(zip(points, points[1:] + points[:1] if closed else points[1:]))
    for (x0, y0), (x1, y1) in pairs:
        length = math.hypot(x1 - x0, y1 - y0)
        if length == 0:
            continue
        nx, ny = -(y1 - y0) / length * half, (x1 - x0) / length * half
        contours.append(oriented([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]))
    return contours


def inset(contour, distance):
    """The contour moved inwards by distance, with mitred corners (for shapes without thin parts)."""
    sign = 1.0 if signed_area(contour) > 0 else -1.0
    normals = []
    for (x0, y0), (x1, y1) in zip(contour, contour[1:] + contour[:1]):
        length = math.hypot(x1 - x0, y1 - y0)
        normals.append((-(y1 - y0) / length * sign, (x1 - x0) / length * sign))
    out = []
    for i, (x, y) in enumerate(contour):
        (ax, ay), (bx, by) = normals[i - 1], normals[i]
        k = distance / (1.0 + ax * bx + ay * by)
        out.append((x + (ax + bx) * k, y + (ay + by) * k))
    return out


def widened(contour, radius):
    """The contour grown by radius with round corners, as the result view draws Ad and Am."""
    return [oriented(contour)] + stroke(contour, 2 * radius, closed=True)


def bordered(canvas, contour, border, fill, thickness):
    """A filled polygon with an outline of the given thickness lying inside its edge."""
    canvas.fill([contour], border)
    canvas.fill([inset(contour, thickness)], fill)


# ---------------------------------------------------------------------------------------------
# Stroke font: the letters of the two titles, as centre lines in units of the x-height, y up from
# the baseline. Drawn with a round pen, they make a geometric rounded sans.
# ---------------------------------------------------------------------------------------------
ASCENDER = 1.42


def _glyphs():
    bowl = arc(0.5, 0.5, 0.5, 0, 360)

    def arch(x):  # the shoulder of h and m
        return arc(x + 0.42, 0.58, 0.42, 180, 0)

    return {
        # advance, strokes (a stroke of one point is a dot)
        "Z": (1.0, [[(0.02, ASCENDER), (0.98, ASCENDER), (0.02, 0.0), (0.98, 0.0)]]),
        "a": (1.0, [bowl, [(1.0, 1.0), (1.0, 0.0)]]),
        "c": (0.96, [arc(0.5, 0.5, 0.5, 42, 318)]),
        "d": (1.0, [bowl, [(1.0, ASCENDER), (1.0, 0.0)]]),
        "e": (1.0, [[(0.0, 0.5), (1.0, 0.5)] + arc(0.5, 0.5, 0.5, 0, 316)[1:]]),
        "g": (1.0, [bowl, [(1.0, 1.0)] + arc(0.5, -0.06, 0.5, 0, -160, ry=0.4)]),
        "h": (0.84, [[(0.0, ASCENDER), (0.0, 0.0)], [(0.0, 0.58)] + arch(0.0) + [(0.84, 0.0)]]),
        "i": (0.0, [[(0.0, 1.0), (0.0, 0.0)], [(0.0, 1.38)]]),
        "l": (0.0, [[(0.0, ASCENDER), (0.0, 0.0)]]),
        "m": (1.68, [[(0.0, 1.0), (0.0, 0.0)], [(0.0, 0.58)] + arch(0.0) + [(0.84, 0.0)],
                     [(0.84, 0.58)] + arch(0.84) + [(1.68, 0.0)]]),
        "o": (1.0, [bowl]),
        "p": (1.0, [bowl, [(0.0, 1.0), (0.0, -0.52)]]),
        "r": (0.52, [[(0.0, 1.0), (0.0, 0.0)], [(0.0, 0.58)] + arc(0.42, 0.58, 0.42, 180, 78)]),
        "t": (0.5, [[(0.18, ASCENDER - 0.1), (0.18, 0.0)], [(-0.06, 1.0), (0.5, 1.0)]]),
        "v": (0.92, [[(0.0, 1.0), (0.46, 0.0), (0.92, 1.0)]]),
        " ": (0.3, []),
    }


GLYPHS = _glyphs()


def text_span(text, size, gap):
    """Distance in pixels from the first letter's origin to the last letter's right centre line, for the
    x-height size and a letter gap in x-heights; the ink reaches half a pen width further each side."""
    return (sum(GLYPHS[ch][0] for ch in text) + gap * (len(text) - 1)) * size


def text_contours(text, x, baseline, size, pen, gap):
    """Contours of text whose first letter has its origin at x; pen is the pen width in pixels."""
    contours = []
    pos = x
    for ch in text:
        advance, strokes = GLYPHS[ch]
        for s in strokes:
            points = [(pos + u * size, baseline - v * size) for u, v in s]
            contours += stroke(points, pen)
        pos += (advance + gap) * size
    return contours


# ---------------------------------------------------------------------------------------------
# Icon: an L-shaped building footprint in grey with a dark outline, struck by a yellow flash that
# enters from above and leaves through the notch. 16 pixels is drawn by hand, pixel by pixel, since
# a scaled drawing blurs there; the larger sizes are drawn from the same shapes on a 16-unit grid.
# ---------------------------------------------------------------------------------------------
GREY, DARK = (168, 170, 176), (44, 46, 54)
YELLOW, AMBER = (255, 206, 20), (150, 84, 0)

FOOTPRINT_16 = [(0, 3), (16, 3), (16, 16), (8, 16), (8, 11), (0, 11)]
FLASH_16 = [(9.2, 0.0), (15.2, 0.0), (11.45, 5.0), (14.6, 5.0), (3.0, 16.0), (7.6, 8.0), (3.2, 8.0)]
ICON_16 = """
.........AAAAAA.
........AYYYYYA.
.......AYYYYYA..
DDDDDDAYYYYYADDD
DGGGGAYYYYYAGGGD
DGGGAYYYYYYAAAGD
DGGAYYYYYYYYYAGD
DGGAAAAAYYYYAGGD
DGGGGGGAYYYAGGGD
DGGGGGAYYYAGGGGD
DGGGGAYYYAGGGGGD
DDDDAYYYAGGGGGGD
....AYYADGGGGGGD
...AYYA.DGGGGGGD
...AYA..DGGGGGGD
..AA....DDDDDDDD
"""


def draw_icon(size):
    """The icon at size pixels, as straight RGBA tuples."""
    if size == 16:
        legend = {".": (0, 0, 0, 0), "D": DARK + (255,), "G": GREY + (255,), "Y": YELLOW + (255,),
                  "A": AMBER + (255,)}
        return [legend[c] for row in ICON_16.split() for c in row]
    canvas = Canvas(size, size)
    s = size / 16.0
    outline = max(2, round(size / 28))
    bordered(canvas, [(x * s, y * s) for x, y in FOOTPRINT_16], DARK, GREY, outline)
    bordered(canvas, [(x * s, y * s) for x, y in FLASH_16], AMBER, YELLOW, outline)
    return canvas.rgba()


# ---------------------------------------------------------------------------------------------
# Splash: the title in front of a footprint inside its widened area, as the result view shows it.
# ---------------------------------------------------------------------------------------------
SPLASH_SIZE = (414, 342)
INK, SUBTITLE, HALO = (22, 30, 86), (52, 62, 118), (255, 255, 255)
PAPER, DOTS = (255, 255, 255), (214, 218, 228)
BUILDING, BUILDING_EDGE = (127, 127, 127), (0, 0, 0)
AREA_BLUE, AREA_EDGE = (124, 124, 255), (92, 92, 214)


def draw_splash():
    width, height = SPLASH_SIZE
    canvas = Canvas(width, height, PAPER)
    for y in range(7, height, 14):  # the canvas grid
        for x in range(4, width, 14):
            canvas.fill([[(x, y), (x + 2, y), (x + 2, y + 2), (x, y + 2)]], DOTS)
    footprint = [(122, 98), (232, 98), (232, 76), (292, 76), (292, 184), (196, 184), (196, 156), (122, 156)]
    canvas.fill(widened(footprint, 52), AREA_EDGE)
    canvas.fill(widened(footprint, 50), AREA_BLUE)
    bordered(canvas, footprint, BUILDING_EDGE, BUILDING, 2)
    # the flash of the icon, striking the roof of the taller wing
    bordered(canvas, [(x * 4.6 + 252, y * 4.6 + 8) for x, y in FLASH_16], AMBER, YELLOW, 2)

    def title(text, baseline, size, pen, gap, colour, halo=0):
        x = (width - text_span(text, size, gap)) / 2.0  # centred, whatever the pen
        if halo:  # a white rim keeps the name legible over the drawing
            canvas.fill(text_contours(text, x, baseline, size, pen + 2 * halo, gap), HALO)
        canvas.fill(text_contours(text, x, baseline, size, pen, gap), colour)

    title("Zelvora", 256, 40, 8.5, 0.28, INK, halo=3)
    title("graphic method", 306, 16, 3.2, 0.3, SUBTITLE)
    return canvas


# ---------------------------------------------------------------------------------------------
# Palette: median cut over the colours of the picture; boxes split at the median by count.
# ---------------------------------------------------------------------------------------------
def median_cut(histogram, count):
    boxes = [sorted(histogram.items())]
    while len(boxes) < count:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break

        def spread(box):
            return max(max(c[0][i] for c in box) - min(c[0][i] for c in box) for i in range(3))

        # the widest box first, whatever its count: rare edge blends then keep close colours
        box = max(splittable, key=lambda b: (spread(b), b[0][0]))
        boxes.remove(box)
        axis = max(range(3), key=lambda i: max(c[0][i] for c in box) - min(c[0][i] for c in box))
        box.sort(key=lambda c: (c[0][axis], c[0]))
        # cut at the weighted median, leaving at least one colour on each side
        total, running, cut = sum(n for _, n in box), 0, len(box) - 1
        for i, (_, n) in enumerate(box[:-1]):
            running += n
            if running * 2 >= total:
                cut = i + 1
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(int(sum(c[i] * n for c, n in box) / total + 0.5) for i in range(3)))
    return sorted(set(palette))


def quantise(pixels):
    """A palette of at most 256 colours and each pixel's index into it."""
    histogram = {}
    for p in pixels:
        histogram[p] = histogram.get(p, 0) + 1
    palette = sorted(histogram) if len(histogram) <= 256 else median_cut(histogram, 256)
    nearest = {}
    for colour in histogram:
        nearest[colour] = min(range(len(palette)),
                              key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))
    return palette, [nearest[p] for p in pixels]


# ---------------------------------------------------------------------------------------------
# File formats
# ---------------------------------------------------------------------------------------------
def png_bytes(width, height, rgba):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + bytes(v for p in rgba[y * width:(y + 1) * width] for v in p) for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def icon_dib(size, rgba):
    """A 32-bit icon image: header with doubled height, BGRA rows bottom-up, then the AND mask."""
    rows = [rgba[y * size:(y + 1) * size] for y in reversed(range(size))]
    colour = b"".join(bytes((b, g, r, a)) for row in rows for r, g, b, a in row)
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in rows:
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:  # transparent where nothing is drawn, for the old mask-based paths
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def ico_bytes(images):
    """An .ico holding (size, data) images; sizes of 256 are written as 0 in the directory."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def bmp8_bytes(width, height, palette, indices):
    stride = (width + 3) // 4 * 4
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (256 - len(palette)))
    rows = b"".join(bytes(indices[y * width:(y + 1) * width]) + bytes(stride - width) for y in reversed(range(height)))
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
    return struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + info + table + rows


def enlarged_on_checkerboard(size, rgba, scale):
    """A preview of an icon image: each pixel scale times larger, over a grey checkerboard."""
    out = []
    for y in range(size * scale):
        for x in range(size * scale):
            r, g, b, a = rgba[(y // scale) * size + x // scale]
            back = 204 if ((x // 8) + (y // 8)) % 2 else 244
            out.append(tuple((v * a + back * (255 - a)) // 255 for v in (r, g, b)) + (255,))
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", type=Path, help="folder for PNG previews")
    args = parser.parse_args()

    images = []
    for size in (16, 32, 48, 256):
        rgba = draw_icon(size)
        # The large image is stored as PNG, as Windows expects; the small ones as DIBs for every reader.
        images.append((size, png_bytes(size, size, rgba) if size == 256 else icon_dib(size, rgba)))
        if args.preview:
            args.preview.mkdir(parents=True, exist_ok=True)
            scale = max(1, 256 // size)
            (args.preview / f"icon{size}.png").write_bytes(
                png_bytes(size * scale, size * scale, enlarged_on_checkerboard(size, rgba, scale)))
    (HERE / "zelvora.ico").write_bytes(ico_bytes(images))

    width, height = SPLASH_SIZE
    pixels = [p[:3] for p in draw_splash().rgba()]
    palette, indices = quantise(pixels)
    (HERE / "splash.bmp").write_bytes(bmp8_bytes(width, height, palette, indices))
    if args.preview:
        shown = [palette[i] + (255,) for i in indices]
        (args.preview / "splash.png").write_bytes(png_bytes(width, height, shown))


if __name__ == "__main__":
    main()
