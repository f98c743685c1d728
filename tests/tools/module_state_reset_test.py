#!/usr/bin/env python3
"""tests/module_state_reset.py on a scratch header: every mutable variable is
kept, also one whose initialiser clang-format wrapped over several lines,
and nothing that is constant, a function or inside a function is.
Usage: module_state_reset_test.py <repository root>
"""
import os
import subprocess
import sys
import tempfile

HEADER = """#pragma once
inline int plain = 0;
extern int declared;
inline int wrapped[3] = {
    1, 2,
    3};
inline constexpr int kConstant = 1;
inline int function(int a) {
    int inside = a;
    return inside;
}
namespace room {
inline int nested = 0;
}
"""
KEPT = {"::declared", "::plain", "::room::nested", "::wrapped"}


def main(repo):
    with tempfile.TemporaryDirectory() as where:
        os.makedirs(os.path.join(where, "src"))
        with open(os.path.join(where, "src", "state.h"), "w", encoding="utf-8") as out:
            out.write(HEADER)
        written = os.path.join(where, "reset.cpp")
        subprocess.run([sys.executable, os.path.join(repo, "tests", "module_state_reset.py"),
                        os.path.join(where, "src"), written], check=True)
        with open(written, encoding="utf-8") as text:
            kept = {line.strip()[len("keep("):-2] for line in text if line.strip().startswith("keep(")}
    if kept != KEPT:
        print(f"FAIL kept {sorted(kept)}, expected {sorted(KEPT)}")
        return 1
    print(f"module_state_reset_test: the {len(KEPT)} variables kept")
    return 0


if __name__ == "__main__":
    sys.exit(main(os.path.abspath(sys.argv[1])))
