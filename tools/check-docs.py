#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs every runnable example of README.md and docs/*.md and checks its exit status.

An example is runnable when it stands in a fenced block whose info string is
`sh` and its line starts with "$ ". A line ending in a backslash goes on with
the next one. The command must exit 0, unless it ends with a comment
"# exit N": then it must exit N. The examples of one document run in order,
in one shell per example (with pipefail), in a scratch folder of their own where `tools` and
`data` lead to the source tree's, with a user folder and settings of their
own (XDG_DATA_HOME, XDG_CONFIG_HOME), the C locale and `tarvex-cli` and
`tarvex` found first on PATH from the build.

  tools/check-docs.py [--cli PATH] [--print] [FILE.md...]

--print shows each command with its output, as the documents paste it
(the scratch user folder written as ~/.local/share).
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, HERE)
import built_program  # noqa: E402

EXIT_COMMENT = re.compile(r"\s+#\s*exit\s+(\d+)\s*$")
# Long enough for a busy machine (port takes seconds there), short enough to
# catch a hang.
LIMIT_S = 60


def examples(path):
    """(line, command, expected status) of each runnable example of the file."""
    found, fence, pending, start = [], None, None, 0
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if fence is None:
                if line.startswith("```"):
                    fence = line[3:].strip()
                continue
            if line.startswith("```"):
                fence = None
                continue
            if fence != "sh":
                continue
            if pending is not None:
                pending += "\n" + line
            elif line.startswith("$ "):
                pending, start = line[2:], number
            else:
                continue
            if not pending.endswith("\\"):
                status = 0
                match = EXIT_COMMENT.search(pending)
                if match:
                    status = int(match.group(1))
                    pending = pending[:match.start()]
                found.append((start, pending, status))
                pending = None
    return found


def scratch_folder(cli):
    scratch = tempfile.mkdtemp(prefix="tarvex-docs-")
    for name in ("work", "data", "config", "home", "runtime", "bin"):
        os.mkdir(os.path.join(scratch, name))
    os.chmod(os.path.join(scratch, "runtime"), 0o700)
    for name in ("tools", "data"):
        os.symlink(os.path.join(ROOT, name), os.path.join(scratch, "work", name))
    # Only the programs under test come from the build; the rest of PATH stays.
    for program in ("tarvex-cli", "tarvex"):
        path = os.path.join(os.path.dirname(cli), program)
        if os.access(path, os.X_OK):
            os.symlink(path, os.path.join(scratch, "bin", program))
    env = {key: value for key, value in os.environ.items()
           if not key.startswith(("LC_", "XDG_", "LANG", "TARVEX"))}
    env.update({
        "LC_ALL": "C.UTF-8",
        "HOME": os.path.join(scratch, "home"),
        "XDG_DATA_HOME": os.path.join(scratch, "data"),
        "XDG_CONFIG_HOME": os.path.join(scratch, "config"),
        "XDG_RUNTIME_DIR": os.path.join(scratch, "runtime"),
        "QT_QPA_PLATFORM": "offscreen",
        "PATH": os.path.join(scratch, "bin") + os.pathsep + os.environ.get("PATH", ""),
    })
    return scratch, env


def shown(text, scratch):
    """The output as a user would see it: their own folders, not the scratch one."""
    text = text.replace(os.path.join(scratch, "data"), "~/.local/share")
    text = text.replace(os.path.join(scratch, "config"), "~/.config")
    text = text.replace(os.path.join(scratch, "work") + "/", "")
    return text.replace(os.path.join(scratch, "home"), "~")


def run_document(path, cli, show):
    failures = 0
    scratch, env = scratch_folder(cli)
    try:
        for line, command, status in examples(path):
            try:
                done = subprocess.run(["bash", "-o", "pipefail", "-c", command], cwd=os.path.join(scratch, "work"),
                                      env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                      stdin=subprocess.DEVNULL, timeout=LIMIT_S)
                got, output = done.returncode, done.stdout.decode("utf-8", "replace")
            except subprocess.TimeoutExpired:
                got, output = "a timeout", ""
            where = "%s:%d" % (os.path.relpath(path, ROOT), line)
            if show:
                print("%s\n$ %s\n%s" % (where, command, shown(output, scratch)))
            if got != status:
                failures += 1
                print("%s: `%s` exited %s, not %d\n%s" % (where, command, got, status,
                                                          shown(output, scratch)[-2000:]),
                      file=sys.stderr)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", help="the tarvex-cli to run (default: the one built last)")
    parser.add_argument("--print", dest="show", action="store_true",
                        help="show each command's output")
    parser.add_argument("files", nargs="*", help="the documents (default: README.md, docs/*.md)")
    args = parser.parse_args()
    cli = os.path.abspath(args.cli) if args.cli else built_program.find("tarvex-cli")
    if not cli or not os.access(cli, os.X_OK):
        sys.exit("no tarvex-cli built: build it or name it with --cli")
    files = args.files or [os.path.join(ROOT, "README.md")] + sorted(
        os.path.join(ROOT, "docs", name) for name in os.listdir(os.path.join(ROOT, "docs"))
        if name.endswith(".md"))
    began = time.monotonic()
    count = sum(len(examples(path)) for path in files)
    failures = sum(run_document(path, cli, args.show) for path in files)
    print("%d examples in %d documents, %d failed, in %.1f s"
          % (count, len(files), failures, time.monotonic() - began))
    return 1 if failures or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
