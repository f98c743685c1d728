#!/usr/bin/env python3
"""Compares each PNG of one folder with its twin (same file name) in another.

Every twin must exist with the same size and show the same structure: see
structure_agreement and the constants above it for how and how closely, and
broken_strokes for small text drawn whole on one and in broken strokes on the
other; a picture blank on one build must be blank on the other.
Pictures that only the Linux stand-in's own hooks into the module can make
(LINUX_HOOK_PICTURES: the DLL exports nothing but its two records) must
still have a twin of the same size with something drawn, but may differ in
what it shows. Prints one line per picture; exits 1 on any failure.

usage: png_twins.py LINUX_DIR WINDOWS_DIR
"""
import multiprocessing
import os
import re
import struct
import sys
import zlib


# Picture -> the Linux-only hook it needs. On Windows the script step that
# needs the hook is told it is missing (or done another way) and the picture
# shows the page as it stood before (or the map elsewhere).
LINUX_HOOK_PICTURES = {
    # `page` draws a page by name through orvex_standin_draw_smiths_page.
    "cdu_11_des_forecasts.png": "page by name",
    "cdu_11_temp_nav_summary.png": "page by name",
    "cdu_11_n1_limit.png": "page by name",
    "cdu_11_lateral_offset.png": "page by name",
}


def read_png_rows(path):
    """Width, height, colour type, channels, palette and the unfiltered rows of an 8-bit PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    at, idat, palette = 8, [], []
    width = height = depth = kind = interlace = 0
    while at < len(data):
        (length,) = struct.unpack(">I", data[at:at + 4])
        tag, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        at += 12 + length
        if tag == b"IHDR":
            width, height, depth, kind, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif tag == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif tag == b"IDAT":
            idat.append(body)
        elif tag == b"IEND":
            break
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(kind)
    if depth != 8 or channels is None or interlace != 0:
        raise ValueError("unsupported PNG form (depth %d, colour type %d)" % (depth, kind))
    raw = zlib.decompress(b"".join(idat))
    stride = width * channels
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind_of_filter, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            if kind_of_filter == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind_of_filter == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind_of_filter == 3:
                line[i] = (line[i] + ((left + up) >> 1)) & 0xFF
            elif kind_of_filter == 4:
                corner = previous[i - channels] if i >= channels else 0
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
        rows.append(bytes(line))
        previous = line
    return width, height, kind, channels, palette, rows


def read_png(path):
    """Width, height and a flat list of (r, g, b) tuples, alpha laid on black."""
    width, height, kind, channels, palette, rows = read_png_rows(path)
    pixels = []
    for line in rows:
        for x in range(width):
            px = line[x * channels:(x + 1) * channels]
            if kind == 0:
                pixels.append((px[0],) * 3)
            elif kind == 2:
                pixels.append(tuple(px))
            elif kind == 3:
                pixels.append(palette[px[0]])
            elif kind == 4:
                pixels.append((px[0] * px[1] // 255,) * 3)
            else:
                a = px[3]
                pixels.append((px[0] * a // 255, px[1] * a // 255, px[2] * a // 255))
    return width, height, pixels


# The structure check. A pixel is drawn when a channel differs from the
# picture's background (its most common colour) by more than INK: faint
# antialiasing fringes, which the two renderers lay differently, do not count.
# Both pictures are cut into CELL x CELL cells; a cell's share of drawn pixels
# is averaged with its eight neighbours', so that text hinting and antialiasing
# that move ink by a pixel or two, and lines one pixel thinner, change it
# little, while a text or a shape in another place changes it a lot. A cell
# drawn on either build (a blurred share above EMPTY) agrees when the two
# shares differ by at most CELL_TOLERANCE; at least AGREE of those cells must
# agree. Tuned on the demo's pictures: today's differences of wine's GDI+ in
# line width, antialiasing and text hinting pass, and a column of values drawn
# some forty pixels from where it belongs (the PROLINE_EICAS numbers when wine
# ignored the right-to-left format) fails.
INK = 64
CELL = 8
EMPTY = 0.02
CELL_TOLERANCE = 0.15
AGREE = 0.95


def background(pixels):
    counts = {}
    for p in pixels:
        counts[p] = counts.get(p, 0) + 1
    return max(counts, key=counts.get)


def drawn_share(pixels):
    bg = background(pixels)
    return sum(1 for p in pixels if p != bg) / len(pixels)


def drawn_mask(pixels):
    """1 for each drawn pixel (see INK), 0 for the others."""
    bg = background(pixels)
    return bytearray(1 if abs(p[0] - bg[0]) > INK or abs(p[1] - bg[1]) > INK or abs(p[2] - bg[2]) > INK else 0
                     for p in pixels)


def cell_shares(width, height, mask):
    """The blurred share of drawn pixels of every cell, row by row."""
    columns, rows = (width + CELL - 1) // CELL, (height + CELL - 1) // CELL
    drawn = [0] * (columns * rows)
    size = [0] * (columns * rows)
    for y in range(height):
        base, cell_row = y * width, (y // CELL) * columns
        for x in range(width):
            i = cell_row + x // CELL
            size[i] += 1
            drawn[i] += mask[base + x]
    share = [d / n for d, n in zip(drawn, size)]
    blurred = []
    for r in range(rows):
        for c in range(columns):
            near = [share[rr * columns + cc] for rr in range(max(r - 1, 0), min(r + 2, rows))
                    for cc in range(max(c - 1, 0), min(c + 2, columns))]
            blurred.append(sum(near) / len(near))
    return blurred


def structure_agreement(width, height, a_pixels, b_pixels, masks=None):
    """The share of cells drawn on either picture whose drawn shares agree."""
    a_mask, b_mask = masks or (drawn_mask(a_pixels), drawn_mask(b_pixels))
    a = cell_shares(width, height, a_mask)
    b = cell_shares(width, height, b_mask)
    drawn = [(x, y) for x, y in zip(a, b) if x > EMPTY or y > EMPTY]
    if not drawn:
        return 1.0
    return sum(1 for x, y in drawn if abs(x - y) <= CELL_TOLERANCE) / len(drawn)


# The stroke check. Small text drawn in broken strokes on one build (a glyph's
# outline filled aliased, a few pixels high) keeps the shares of drawn pixels
# near enough for the structure check, but falls apart into specks: groups of
# at most SPECK drawn pixels touching each other, corners too. Both pictures
# are cut into REGION x REGION regions; twins whose specks in a region differ
# by more than SPECKS disagree. Tuned on the demo's pictures: wine and Linux
# differ by at most 4 specks in any region today, and by 17 where wine drew
# the labels of the small control unit in broken strokes.
SPECK = 3
REGION = 24
SPECKS = 8
DRAWN_RUN = re.compile(b"\x01+")


def specks(width, height, mask):
    """The number of specks in each region, row by row (by each speck's first pixel)."""
    # Runs of drawn pixels, row by row, joined into groups when they touch a
    # run of the row above.
    parent, size, first = [], [], []

    def root(i):
        while parent[i] != i:
            parent[i] = parent[parent[i]]
            i = parent[i]
        return i

    above = []
    for y in range(height):
        row = bytes(mask[y * width:(y + 1) * width])
        here, k = [], 0
        for run in DRAWN_RUN.finditer(row):
            start, end = run.span()
            i = len(parent)
            parent.append(i)
            size.append(end - start)
            first.append(y * width + start)
            here.append((start, end, i))
            while k < len(above) and above[k][1] < start:
                k += 1
            j = k
            while j < len(above) and above[j][0] <= end:
                a, b = root(above[j][2]), root(i)
                if a != b:
                    parent[b] = a
                    size[a] += size[b]
                    first[a] = min(first[a], first[b])
                j += 1
        above = here
    columns = (width + REGION - 1) // REGION
    counts = [0] * (columns * ((height + REGION - 1) // REGION))
    for i in range(len(parent)):
        if parent[i] == i and size[i] <= SPECK:
            counts[(first[i] // width // REGION) * columns + first[i] % width // REGION] += 1
    return counts


def broken_strokes(width, height, a_pixels, b_pixels, masks=None):
    """The region whose specks differ most, as (difference, x, y), when by more than SPECKS; else None."""
    a_mask, b_mask = masks or (drawn_mask(a_pixels), drawn_mask(b_pixels))
    a, b = specks(width, height, a_mask), specks(width, height, b_mask)
    difference, i = max((abs(x - y), i) for i, (x, y) in enumerate(zip(a, b)))
    if difference <= SPECKS:
        return None
    columns = (width + REGION - 1) // REGION
    return difference, i % columns * REGION, i // columns * REGION


def compare(dirs_and_name):
    """One picture against its twin: (printed line, failed)."""
    linux_dir, windows_dir, name = dirs_and_name
    twin = os.path.join(windows_dir, name)
    if not os.path.exists(twin):
        return "FAIL %s: no twin in %s" % (name, windows_dir), True
    try:
        lw, lh, lp = read_png(os.path.join(linux_dir, name))
        ww, wh, wp = read_png(twin)
    except (ValueError, zlib.error, struct.error) as e:
        return "FAIL %s: %s" % (name, e), True
    a, b = drawn_share(lp), drawn_share(wp)
    problem, agreement = None, None
    if (lw, lh) != (ww, wh):
        problem = "size %dx%d against %dx%d" % (lw, lh, ww, wh)
    elif a == 0.0 and b == 0.0:
        pass  # a display that draws nothing of its own on either build
    elif a == 0.0 or b == 0.0:
        problem = "nothing drawn on %s" % ("Windows" if b == 0.0 else "Linux")
    elif name in LINUX_HOOK_PICTURES:
        pass  # drawn on both, but may show another page
    else:
        masks = drawn_mask(lp), drawn_mask(wp)
        agreement = structure_agreement(lw, lh, lp, wp, masks)
        broken = broken_strokes(lw, lh, lp, wp, masks)
        if agreement < AGREE:
            problem = "fewer than %.0f%% agree" % (100 * AGREE)
        elif broken:
            problem = "broken strokes: %d specks more on one side in the region at (%d, %d)" % broken
    if problem:
        label, note = "FAIL", ": " + problem
    elif name in LINUX_HOOK_PICTURES:
        label, note = "hook", " (Linux-only hook: %s)" % LINUX_HOOK_PICTURES[name]
    else:
        label, note = "ok  ", ""
    cells = "" if agreement is None else ", %.1f%% of drawn cells agree" % (100 * agreement)
    return "%s %s: drawn %.1f%% (Linux %.1f%%)%s%s" % (label, name, 100 * b, 100 * a, cells, note), \
        problem is not None


def main():
    linux_dir, windows_dir = sys.argv[1], sys.argv[2]
    names = sorted(n for n in os.listdir(linux_dir) if n.lower().endswith(".png"))
    if not names:
        print("no pictures in %s" % linux_dir)
        return 1
    # The list names pictures the demo takes; one it no longer takes is a
    # stale exception.
    stale = sorted(set(LINUX_HOOK_PICTURES) - set(names))
    for name in stale:
        print("FAIL %s: listed as needing a Linux-only hook, but not in %s" % (name, linux_dir))
    failures = 0
    # Decoding in Python is slow: the pictures go to every processor.
    with multiprocessing.Pool() as pool:
        for line, failed in pool.imap(compare, [(linux_dir, windows_dir, n) for n in names], chunksize=4):
            print(line)
            failures += failed
    print("%d of %d pictures agree" % (len(names) - failures, len(names)))
    return 1 if failures or stale else 0


if __name__ == "__main__":
    sys.exit(main())
