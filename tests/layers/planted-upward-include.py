#!/usr/bin/env python3
"""The layer checker fails on a tree with an include that points up, naming the
file and line, and on a folder the table leaves out; an include that points
down, and a folder of the table that is not there, pass."""
import os
import subprocess
import sys
import tempfile

checker, table = sys.argv[1], sys.argv[2]
planted = {
    "base/Planted.h": '#pragma once\n\n#include "window/Form1.h"\n',
    "model/Fine.h": '#pragma once\n\n#include "base/Planted.h"\n',
    "gadgets/Thing.cpp": '#include "base/Planted.h"\n',
}
with tempfile.TemporaryDirectory() as root:
    with open(table, encoding="utf-8") as source, open(os.path.join(root, "layers.txt"), "w") as copy:
        copy.write(source.read())
    for path, text in planted.items():
        os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
        with open(os.path.join(root, path), "w") as out:
            out.write(text)
    run = subprocess.run([sys.executable, checker, root], capture_output=True, text=True)

print(run.stdout, run.stderr, sep="")
faults = run.stdout.splitlines()
expected = [
    'base/Planted.h:3: includes "window/Form1.h", but base may not include window',
    "gadgets/Thing.cpp: its folder has no line in the layer table",
]
missing = [line for line in expected if line not in faults]
wrongly = [line for line in faults if "model/Fine.h" in line or "recording" in line]
if run.returncode != 1 or missing or wrongly:
    sys.exit(f"exit {run.returncode}; not reported: {missing}; reported wrongly: {wrongly}")
