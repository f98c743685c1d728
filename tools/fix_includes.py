#!/usr/bin/env python3
"""Rewrites `#include "old"` to `#include "new"` for every header that moved.

The moves are listed in tools/moved_headers.txt, "old/path.h new/path.h" a
line. Re-runnable: a tree whose includes are already current is left alone.
Usage: tools/fix_includes.py [folder or file ...]   (default: src tests host
bench fuzz of the repository). Prints each file it changes; run clang-format
on them afterwards, since the include order may change.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE = os.path.join(ROOT, "tools", "moved_headers.txt")
SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".c", ".inc")
INCLUDE = re.compile(r'^(\s*#\s*include\s+")([^"]+)(")', re.M)


def read_table():
    moves = {}
    with open(TABLE, encoding="utf-8") as table:
        for line in table:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            old, new = line.split()
            moves[old] = new
    # A header moved twice resolves to where it ended.
    for old in list(moves):
        seen = {old}
        while moves[old] in moves and moves[old] not in seen:
            seen.add(moves[old])
            moves[old] = moves[moves[old]]
    return moves


def files_below(paths):
    for path in paths:
        if os.path.isfile(path):
            yield path
            continue
        for folder, dirs, names in os.walk(path):
            dirs[:] = [d for d in dirs if not d.startswith(".") and not d.startswith("build")]
            for name in names:
                if name.endswith(SUFFIXES):
                    yield os.path.join(folder, name)


def main(argv):
    moves = read_table()
    paths = argv or [os.path.join(ROOT, d) for d in ("src", "tests", "host", "bench", "fuzz")]
    changed = 0
    for path in files_below(p for p in paths if os.path.exists(p)):
        with open(path, encoding="latin-1", newline="") as source:
            text = source.read()
        fixed = INCLUDE.sub(lambda m: m.group(1) + moves.get(m.group(2), m.group(2)) + m.group(3), text)
        if fixed != text:
            with open(path, "w", encoding="latin-1", newline="") as source:
                source.write(fixed)
            print(path)
            changed += 1
    print(f"fix_includes: {changed} files changed", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
