#!/usr/bin/env python3
"""Lists every include of src/ that runs against the layer order.

The order is tools/layers.txt. A file in src/<folder>/ may include headers of
its own folder and of the folders on lower lines; a sibling on the same line,
a higher folder, a path that climbs out with "..", or a src/ folder that
tools/layers.txt does not name is a violation. Inside a folder whose rooms
(subfolders) the file orders as "folder/room" lines, the same holds between
its rooms, and the files at the folder's root stand above every room. An
entry that names no folder or room of src/ is a violation too. It also checks tools/moved_headers.txt, which the include fixer reads: every
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
    """Levels of the folders, and of the rooms of each folder that orders them."""
    level, rooms = {}, {}
    with open(os.path.join(root, "tools", "layers.txt"), encoding="utf-8") as layers:
        for line in layers:
            line = line.split("#", 1)[0].split()
            folder_lines = {}
            for entry in line:
                folder, _, room = entry.partition("/")
                if room:
                    ranks = rooms.setdefault(folder, {})
                    n = folder_lines.setdefault(folder, len(set(ranks.values())))
                    ranks[room] = n
                elif entry not in level:
                    n = folder_lines.setdefault("", len(set(level.values())))
                    level[entry] = n
    return level, rooms


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


def room_of(path_in_folder):
    """The room of a path below a folder's root; "" for a file at the root."""
    parts = path_in_folder.split("/")
    return parts[0] if len(parts) > 1 else ""


def check_room_include(folder, source_room, target, ranks):
    """The problem of an include between two rooms of one folder, or None."""
    target_room = room_of(target.split("/", 1)[1])
    if not source_room or target_room == source_room or source_room not in ranks:
        return None
    if not target_room:
        return f"includes the root of src/{folder}, which stands above every room ({folder} from {folder}/{source_room})"
    if target_room not in ranks:
        return f"names no room of src/{folder}"
    if ranks[target_room] < ranks[source_room]:
        return None
    where = "a sibling room" if ranks[target_room] == ranks[source_room] else "a higher room"
    return f"includes {where} ({folder}/{target_room} from {folder}/{source_room})"


def check_entries(src, level, rooms):
    """Folders and rooms of src/ missing from tools/layers.txt, and entries naming none."""
    problems = []
    for folder in sorted(level):
        if not os.path.isdir(os.path.join(src, folder)):
            problems.append(f"tools/layers.txt: {folder} names no folder of src/")
    for folder, ranks in sorted(rooms.items()):
        if folder not in level:
            problems.append(f"tools/layers.txt: rooms of {folder}, which is no layer")
        for room in sorted(ranks):
            if not os.path.isdir(os.path.join(src, folder, room)):
                problems.append(f"tools/layers.txt: {folder}/{room} names no room of src/{folder}")
        base = os.path.join(src, folder)
        for room in sorted(os.listdir(base)) if os.path.isdir(base) else []:
            if os.path.isdir(os.path.join(base, room)) and room not in ranks:
                problems.append(f"src/{folder}/{room}: room missing from tools/layers.txt")
    return problems


def main(argv):
    root = os.path.abspath(argv[0]) if argv else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    src = os.path.join(root, "src")
    level, rooms = read_layers(root)
    problems = check_entries(src, level, rooms)
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
                source_room = room_of(os.path.relpath(path, os.path.join(src, folder)).replace(os.sep, "/"))
                with open(path, encoding="latin-1") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        target = match.group(1)
                        top = target.split("/", 1)[0]
                        problem = None
                        if ".." in target.split("/"):
                            problem = "climbs out of its folder"
                        elif "/" not in target:
                            if not os.path.exists(os.path.join(dirpath, target)):
                                problem = "is not a path below src/"
                        elif top not in level:
                            problem = "names no folder of src/"
                        elif top == folder and folder in rooms:
                            problem = check_room_include(folder, source_room, target, rooms[folder])
                        elif top != folder and level[top] >= level[folder]:
                            where = "a sibling" if level[top] == level[folder] else "a higher layer"
                            problem = f"includes {where} ({top} from {folder})"
                        if problem:
                            problems.append(f"{rel}:{number}: \"{target}\" {problem}")
    problems += check_moved_headers(root)
    for problem in problems:
        print(problem)
    print(f"check_layers: {len(problems)} problems (includes against the layer order, stale moves)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
