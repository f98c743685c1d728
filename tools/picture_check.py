#!/usr/bin/env python3
"""Compares each PNG of one folder with the picture of the same name in another.

The folders hold the same pictures drawn two ways (`make picture-check`: with
the coverage of repeated calls kept, and with one Cairo call per drawing
call). A picture passes when both are byte for byte the same, or when they
have the same size, at most MAX_SHARE of the pixels differ, and no channel of
any pixel differs by more than TOLERANCE (Cairo composites a coverage kept
through a mask, which rounds a level apart from its own blend by coverage).
Pixels with transparency are compared as they show over black: a level of a
colour times a small alpha is many once divided by it, as a PNG keeps it.
Prints each picture that differs and a summary; exits 1 on any failure.

usage: picture_check.py FOLDER OTHER_FOLDER
"""
import multiprocessing
import os
import struct
import sys
import zlib

from png_twins import read_png_rows

MAX_SHARE = 0.005
TOLERANCE = 4


def read_png(path):
    """Width, height, channels and the unfiltered rows of an 8-bit PNG."""
    width, height, _, channels, _, rows = read_png_rows(path)
    return width, height, channels, rows


def difference(a_path, b_path):
    """(pixels that differ, all pixels, worst channel difference), or a text on failure."""
    aw, ah, ac, arows = read_png(a_path)
    bw, bh, bc, brows = read_png(b_path)
    if (aw, ah, ac) != (bw, bh, bc):
        return "size %dx%dx%d against %dx%dx%d" % (aw, ah, ac, bw, bh, bc)
    differ, worst = 0, 0
    for ra, rb in zip(arows, brows):
        if ra == rb:
            continue
        for x in range(aw):
            pa, pb = ra[x * ac:(x + 1) * ac], rb[x * ac:(x + 1) * ac]
            if pa != pb:
                differ += 1
                if ac == 4:
                    pa, pb = shown(pa), shown(pb)
                worst = max(worst, max(abs(u - v) for u, v in zip(pa, pb)))
    return differ, aw * ah, worst


def shown(pixel):
    """An RGBA pixel as it shows over black: its colours times its alpha, and the alpha."""
    alpha = pixel[3]
    return [(c * alpha + 127) // 255 for c in pixel[:3]] + [alpha]


def compare(args):
    """(printed line or None, failed) for one picture."""
    a_dir, b_dir, name = args
    a_path, b_path = os.path.join(a_dir, name), os.path.join(b_dir, name)
    if not os.path.exists(b_path):
        return "FAIL %s: not in %s" % (name, b_dir), True
    with open(a_path, "rb") as fa, open(b_path, "rb") as fb:
        if fa.read() == fb.read():
            return None, False
    try:
        result = difference(a_path, b_path)
    except (ValueError, zlib.error, struct.error) as e:
        return "FAIL %s: %s" % (name, e), True
    if isinstance(result, str):
        return "FAIL %s: %s" % (name, result), True
    differ, total, worst = result
    share = differ / total
    failed = share > MAX_SHARE or worst > TOLERANCE
    return ("%s %s: %d of %d pixels differ (%.3f %%), worst channel difference %d" %
            ("FAIL" if failed else "near", name, differ, total, 100 * share, worst)), failed


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1])
        return 2
    a_dir, b_dir = sys.argv[1], sys.argv[2]
    names = sorted(n for n in os.listdir(a_dir) if n.lower().endswith(".png"))
    if not names:
        print("no pictures in %s" % a_dir)
        return 1
    extra = sorted(set(n for n in os.listdir(b_dir) if n.lower().endswith(".png")) - set(names))
    for name in extra:
        print("FAIL %s: only in %s" % (name, b_dir))
    failures, near = len(extra), 0
    with multiprocessing.Pool() as pool:
        for line, failed in pool.imap(compare, [(a_dir, b_dir, n) for n in names], chunksize=4):
            if line:
                print(line)
                near += not failed
            failures += failed
    identical = len(names) - near - (failures - len(extra))
    print("%d pictures: %d identical, %d within %.1f %% of their pixels and %d levels, %d failed" %
          (len(names), identical, near, 100 * MAX_SHARE, TOLERANCE, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
