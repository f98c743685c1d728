#!/usr/bin/env python3
"""Lists every include of src/ that runs against the layer order.

The order is tools/layers.txt. A file in src/<folder>/ may include headers of
its own folder and of the folders on lower lines; a sibling on the same line,
a higher folder, a path that climbs out with "..", or a src/ folder that
tools/layers.txt does not name is a violation. It also checks tools/moved_headers.txt, which the include fixer reads: every
header moved must exist where the table says it went, and nothing may be back
at an old path (the fixer would turn its includes away). Exit status 1 when
any of these is found.
Usage: tools/check_layers.py [repository root]
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def read_layers(root):
    level = {}
    with open(os.path.join(root, "tools", "layers.txt"), encoding="utf-8") as layers:
        for line in layers:
            line = line.split("#", 1)[0].split()
            if line:
                n = len(set(level.values()))
                for folder in line:
                    level[folder] = n
    return level


def check_moved_headers(root):
    problems = []
    table = os.path.join(root, "tools", "moved_headers.txt")
    if not os.path.exists(table):
        return problems
    moves = {}
    with open(table, encoding="utf-8") as lines:
        for line in lines:
            line = line.split("#", 1)[0].split()
            if len(line) == 2:
                moves[line[0]] = line[1]
            elif line:
                problems.append(f"tools/moved_headers.txt: \"{' '.join(line)}\" is not an old and a new path")
    for old, new in moves.items():
        while new in moves and new != old:
            new = moves[new]
        if not os.path.exists(os.path.join(root, "src", new)):
            problems.append(f"tools/moved_headers.txt: {old} moved to {new}, which does not exist")
        if os.path.exists(os.path.join(root, "src", old)):
            problems.append(f"tools/moved_headers.txt: {old} exists again; its includes would be rewritten")
    return problems


def main(argv):
    root = os.path.abspath(argv[0]) if argv else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    src = os.path.join(root, "src")
    level = read_layers(root)
    problems = []
    for folder in sorted(os.listdir(src)):
        if not os.path.isdir(os.path.join(src, folder)):
            continue
        if folder not in level:
            problems.append(f"src/{folder}: folder missing from tools/layers.txt")
            continue
        for dirpath, _, names in os.walk(os.path.join(src, folder)):
            for name in sorted(names):
                path = os.path.join(dirpath, name)
                rel = os.path.relpath(path, root)
                with open(path, encoding="latin-1") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        target = match.group(1)
                        top = target.split("/", 1)[0]
                        if ".." in target.split("/"):
                            problems.append(f"{rel}:{number}: \"{target}\" climbs out of its folder")
                        elif "/" not in target:
                            if not os.path.exists(os.path.join(dirpath, target)):
                                problems.append(f"{rel}:{number}: \"{target}\" is not a path below src/")
                        elif top not in level:
                            problems.append(f"{rel}:{number}: \"{target}\" names no folder of src/")
                        elif top != folder and level[top] >= level[folder]:
                            where = "a sibling" if level[top] == level[folder] else "a higher layer"
                            problems.append(f"{rel}:{number}: \"{target}\" includes {where} ({top} from {folder})")
    problems += check_moved_headers(root)
    for problem in problems:
        print(problem)
    print(f"check_layers: {len(problems)} problems (includes against the layer order, stale moves)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
