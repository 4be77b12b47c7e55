# SPDX-License-Identifier: MIT
"""Finds a program of whichever preset was built: run, release or debug.

The newest of them wins, so the tools work right after README's first command
(the run preset) as well as after the test command (debug)."""
import os

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
PRESETS = ("run", "release", "debug")


def find(name):
    """The path of build/PRESET/bin/NAME built last, or None when none is."""
    found = [os.path.join(ROOT, "build", preset, "bin", name) for preset in PRESETS]
    found = [path for path in found if os.access(path, os.X_OK)]
    return max(found, key=os.path.getmtime) if found else None


if __name__ == "__main__":
    import sys
    path = find(sys.argv[1])
    if path is None:
        sys.exit("no %s built: run tools/run.sh or README's test command" % sys.argv[1])
    print(path)
