#!/usr/bin/env python3
"""Checks that every #include "folder/File.h" of the source tree points to a folder
that the layer table allows, and that the table itself has no cycle.

Usage: check-layers.py ROOT [TABLE]   (TABLE defaults to ROOT/layers.txt)

Prints one line per include the table does not allow, as FILE:LINE, and exits 1
when there is any. A folder of the table that does not exist is passed over.
"""
import os
import re
import sys

SOURCE_ENDINGS = (".h", ".cpp", ".h.in")
# Folders whose files may include anything, and what is not source at all.
NOT_LAYERED = {"tests", "bench", "third_party", "docs", "scripts", "cmake", ".git"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def read_table(path):
    table = {}
    with open(path, encoding="utf-8") as table_file:
        for number, line in enumerate(table_file, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            folder, colon, allowed = line.partition(":")
            if not colon or not folder.strip():
                sys.exit(f"{path}:{number}: expected 'folder: folders it may include'")
            table[folder.strip()] = set(allowed.split())
    return table


def table_cycle(table):
    """A cycle of the table as a list of folders, or None."""
    state = {}

    def visit(folder, trail):
        state[folder] = "open"
        for below in sorted(table.get(folder, ())):
            if state.get(below) == "open":
                return trail[trail.index(below):] + [below] if below in trail else [folder, below]
            if below not in state:
                found = visit(below, trail + [below])
                if found:
                    return found
        state[folder] = "done"
        return None

    for folder in sorted(table):
        if folder not in state:
            found = visit(folder, [folder])
            if found:
                return found
    return None


def folder_of(path, table):
    """The longest folder of the table that holds `path` ("a/b/File.h"), or None."""
    parts = path.split("/")[:-1]
    while parts:
        folder = "/".join(parts)
        if folder in table:
            return folder
        parts.pop()
    return None


def source_files(root):
    for directory, folders, files in os.walk(root):
        relative = os.path.relpath(directory, root)
        if relative == ".":
            folders[:] = [f for f in folders if f not in NOT_LAYERED and not f.startswith("build")]
            continue
        for name in sorted(files):
            if name.endswith(SOURCE_ENDINGS):
                yield os.path.join(relative, name).replace(os.sep, "/")


def check(root, table):
    faults = []
    for path in sorted(source_files(root)):
        own = folder_of(path, table)
        if own is None:
            faults.append(f"{path}: its folder has no line in the layer table")
            continue
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                if not match or "/" not in match.group(1):
                    continue  # a file beside this one
                included = match.group(1)
                target = folder_of(included, table)
                if target is None:
                    faults.append(f'{path}:{number}: includes "{included}", in no folder of the table')
                elif target != own and target not in table[own]:
                    faults.append(f'{path}:{number}: includes "{included}", but {own} may not '
                                  f"include {target}")
    return faults


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit(__doc__)
    root = argv[1]
    table_path = argv[2] if len(argv) == 3 else os.path.join(root, "layers.txt")
    table = read_table(table_path)
    faults = []
    unknown = sorted({f for allowed in table.values() for f in allowed} - set(table))
    faults += [f"{table_path}: {f} is allowed somewhere but has no line of its own" for f in unknown]
    cycle = table_cycle(table)
    if cycle:
        faults.append(f"{table_path}: the table goes round: {' -> '.join(cycle)}")
    faults += check(root, table)
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} fault(s) against the layer table {table_path}")
        return 1
    print("every include points down the layer table")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
