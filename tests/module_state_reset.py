#!/usr/bin/env python3
"""Writes the test programs' module-state reset: every mutable variable that a
header under src/ declares at namespace scope (inline or extern) is copied
once before the first test and copied back before each test, so a test
program run whole starts every test from the module's initial state, as each
test does in its own process.

usage: module_state_reset.py <src dir> <output .cpp>
"""
import os
import re
import sys

DECL = re.compile(r'^\s*(?:inline|extern)\s+(?:"C"\s+)?(?:ORVEX_EXPORT\s+)?(?!constexpr\b)(?!static\b)(.*);\s*$')
# Left as they stand: counts that only grow, which the module's caches (the
# nearby index, the MCU's DIRTO keys) compare with the value they were built
# for; putting one back would make a cache of an earlier test look current.
LEFT_ALONE = {'nav_database_generation'}

NAMESPACE = re.compile(r'^\s*namespace\s+([A-Za-z_][\w:]*)\s*\{')


def strip_comments(text):
    text = re.sub(r'/\*.*?\*/', '', text, flags=re.S)
    return re.sub(r'//[^\n]*', '', text)


def split_top(text, sep):
    """Splits at `sep` outside brackets, braces, parentheses and angle brackets."""
    parts, depth, cur = [], 0, ''
    for ch in text:
        if ch in '<([{':
            depth += 1
        elif ch in '>)]}':
            depth -= 1
        if ch == sep and depth == 0:
            parts.append(cur)
            cur = ''
        else:
            cur += ch
    parts.append(cur)
    return parts


def declared_names(body):
    """The names a declaration body (type, declarators, initialisers) declares."""
    names = []
    for i, part in enumerate(split_top(body, ',')):
        part = split_top(part, '=')[0]
        part = re.sub(r'\{.*\}\s*$', '', part)  # brace initialiser
        part = re.sub(r'(\s*\[[^\]]*\])+\s*$', '', part).strip()  # array bounds
        m = re.search(r'([A-Za-z_]\w*)$', part)
        if not m:
            return []
        if i == 0 and part == m.group(1):
            return []  # no type before the name: not a variable
        names.append(m.group(1))
    return names


def joined_lines(text):
    """The lines of `text`, an initialised declaration that clang-format
    wrapped over several lines joined back into one."""
    lines, pending = [], None
    for line in text.split('\n'):
        if pending is not None:
            pending += ' ' + line.strip()
            if pending.count('{') == pending.count('}') and pending.rstrip().endswith(';'):
                lines.append(pending)
                pending = None
            continue
        if re.match(r'^\s*(?:inline|extern)\b', line) and '=' in line and not line.rstrip().endswith(';') \
                and '(' not in line:
            pending = line.rstrip()
            continue
        lines.append(line)
    if pending is not None:
        lines.append(pending)
    return lines


def scan(path):
    text = strip_comments(open(path, encoding='latin-1').read())
    stack, depth, found = [], 0, []
    for line in joined_lines(text):
        m = NAMESPACE.match(line)
        at_namespace_scope = depth == len(stack)
        if at_namespace_scope and '(' not in line:
            d = DECL.match(line)
            if d:
                for name in declared_names(d.group(1)):
                    found.append('::'.join(stack + [name]))
        for ch in line:
            if ch == '{':
                depth += 1
                if m and len(stack) < depth and depth == len(stack) + 1:
                    stack.append(m.group(1))
                    m = None
            elif ch == '}':
                if stack and depth == len(stack):
                    stack.pop()
                depth -= 1
    return found


def main():
    src, out = sys.argv[1], sys.argv[2]
    headers, names = [], []
    for root, dirs, files in os.walk(src):
        dirs.sort()
        for f in sorted(files):
            if not f.endswith('.h') or f.endswith('_win.h'):
                continue
            path = os.path.join(root, f)
            found = scan(path)
            if found:
                headers.append(os.path.relpath(path, src))
                names += found
    lines = ['// Written by tests/module_state_reset.py: do not edit.']
    lines += ['#include "%s"' % h for h in headers]
    lines += ['', '#include "module_state.h"', '', 'void keep_module_state(ModuleStateKeeper& keep) {']
    lines += ['    keep(::%s);' % n for n in sorted(set(names) - LEFT_ALONE)]
    lines += ['}', '']
    text = '\n'.join(lines)
    if not os.path.exists(out) or open(out).read() != text:
        with open(out, 'w') as f:
            f.write(text)


main()
