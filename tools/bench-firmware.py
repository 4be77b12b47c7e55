#!/usr/bin/env python3
"""Times tarvex-cli match, extract and port on a firmware of 32 MiB of data.

Makes the demonstration firmwares of the bundled data set, filled with code
up to 32 MiB of data and written as S3 records of 16 bytes (about 100 MB of
text), copies the bundled data set into a scratch user folder, then runs each
command once under /usr/bin/time -v and prints its wall time, processor time
(user + system, which a busy machine disturbs less) and peak resident memory.

    tools/bench-firmware.py [TARVEX_CLI] [MIB]
    (defaults: build/release/bin/tarvex-cli, 32)
"""
import os
import shutil
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.dirname(here)
cli = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/release/bin/tarvex-cli")
mib = int(sys.argv[2]) if len(sys.argv) > 2 else 32


def measured(args, env):
    result = subprocess.run(["/usr/bin/time", "-v", cli] + args, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if result.returncode != 0:
        sys.exit("tarvex-cli %s failed:\n%s" % (" ".join(args), result.stderr))
    figures = {}
    for line in result.stderr.splitlines():
        key, _, value = line.strip().rpartition(": ")
        figures[key] = value
    user = float(figures["User time (seconds)"]) + float(figures["System time (seconds)"])
    return figures["Elapsed (wall clock) time (h:mm:ss or m:ss)"], user, \
        int(figures["Maximum resident set size (kbytes)"]) // 1024


with tempfile.TemporaryDirectory(dir=".") as folder:
    subprocess.run([sys.executable, os.path.join(here, "make_demo_firmware.py"), "--out", folder,
                    "--pad-to", str(mib), "--record-bytes", "16"], check=True)
    user = os.path.join(folder, "user")
    shutil.copytree(os.path.join(root, "data", "firmware", "X120XEDJ2"),
                    os.path.join(user, "X120XEDJ2"))
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(folder, "config"))
    old = os.path.join(folder, "X120XEDJ2.s3")
    new = os.path.join(folder, "X120XEDJ3.s3")
    base = ["--user-folder", user, "--firmware", "X120XEDJ2"]
    print("S3 text: %d bytes, data: %d MiB" % (os.path.getsize(old), mib))
    print("%-8s %10s %10s %10s" % ("command", "wall", "cpu s", "peak MiB"))
    for name, args in (("match", ["match", old]),
                       ("extract", ["extract", old, "-o", os.path.join(folder, "out")]),
                       ("port", ["port", old, new, "--as", "X120XEDJ3"])):
        wall, cpu, peak = measured(base + args, env)
        print("%-8s %10s %10.2f %10d" % (name, wall, cpu, peak))
