#!/usr/bin/env python3
"""tools/check_layers.py on scratch trees: the repository's layers.txt over a
few files, each case with one include, and the exit status and report the
check must give. Usage: check_layers_test.py <repository root>
"""
import os
import shutil
import subprocess
import sys
import tempfile

# (file, its include, expected exit status, text the report must hold); a
# file of None removes the room the include names instead, leaving its entry.
CASES = [
    ("fms/perf/vnav_x.cpp", "fms/plan/route_plan.h", 0, "0 problems"),
    ("fms/fms_update_x.cpp", "fms/files/route_file.h", 0, "0 problems"),
    ("fms/plan/route_x.cpp", "fms/perf/vnav.h", 1, "a higher room (fms/perf from fms/plan)"),
    ("fms/math/math_x.cpp", "fms/units/cdu_text.h", 1, "a sibling room (fms/units from fms/math)"),
    ("fms/files/load_x.cpp", "fms/fms_update.h", 1, "the root of src/fms"),
    ("fms/plan/route_x.cpp", "fms/nowhere/x.h", 1, "names no room of src/fms"),
    ("fms/stray/x.cpp", "fms/math/nav_math.h", 1, "src/fms/stray: room missing"),
    ("data/data_x.cpp", "fms/math/nav_math.h", 1, "a higher layer (fms from data)"),
    (None, "fms/exec", 1, "fms/exec names no room of src/fms"),
]


def scratch_tree(repo, where):
    """Every folder and room that layers.txt names, empty, under a copy of tools/."""
    shutil.copytree(os.path.join(repo, "tools"), os.path.join(where, "tools"))
    with open(os.path.join(where, "tools", "layers.txt"), encoding="utf-8") as layers:
        for line in layers:
            for entry in line.split("#", 1)[0].split():
                os.makedirs(os.path.join(where, "src", entry), exist_ok=True)
    os.remove(os.path.join(where, "tools", "moved_headers.txt"))


def main(repo):
    failures = 0
    for path, target, status, text in CASES:
        with tempfile.TemporaryDirectory() as where:
            scratch_tree(repo, where)
            if path is None:
                os.rmdir(os.path.join(where, "src", target))
            else:
                source = os.path.join(where, "src", path)
                os.makedirs(os.path.dirname(source), exist_ok=True)
                with open(source, "w", encoding="utf-8") as out:
                    out.write(f'#include "{target}"\n')
            run = subprocess.run([sys.executable, os.path.join(where, "tools", "check_layers.py"), where],
                                 capture_output=True, text=True)
            if run.returncode != status or text not in run.stdout:
                failures += 1
                print(f"FAIL {path} -> {target}: exit {run.returncode}, expected {status} with \"{text}\"")
                print(run.stdout)
    print(f"check_layers_test: {len(CASES) - failures} of {len(CASES)} cases as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(os.path.abspath(sys.argv[1])))
