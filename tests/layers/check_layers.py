#!/usr/bin/env python3
"""Refuses an #include "folder/..." in src/ that points up the layers.

A folder may include its own files and those of folders on a lower layer;
two folders on one layer never include each other. Exit 1 with one line per
include that breaks this, 0 when there is none.
"""
import pathlib
import re
import sys

# Lowest first. The seams are what every command is given; config is the
# configuration and its model; then the subsystems (voice, and the journal of
# unit operations, below the ones that use them); then the widgets; then the
# two front ends.
LAYERS = [
    {"seams"},
    {"config", "zip", "controls"},
    {"voice", "journal"},
    {"check", "report", "mail", "unit"},
    {"editor"},
    {"app", "cli"},
]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]*"')


def violations(src):
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in RANK:
            found.append(f"{path}: the folder {folder} has no layer")
            continue
        lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if not match or match.group(1) == folder or match.group(1) not in RANK:
                continue
            target = match.group(1)
            if RANK[target] >= RANK[folder]:
                found.append(f"{path}:{number}: {folder} includes {target}, "
                             f"which is not on a lower layer")
    return found


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    found = violations(src)
    for line in found:
        print(line)
    print(f"{len(found)} include(s) against the layers" if found else "layers: every include points down")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
