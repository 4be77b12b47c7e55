#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Times `tarvex-cli custom` against srec_cat writing the same S3 text.

For each size: a file of random bytes; 5 alternating runs of each program,
whole process, writing to a file in the same folder; the median wall time of
each and their ratio, the same for processor time (user + system, which a
busy machine disturbs less); then the peak resident memory of tarvex-cli
(/usr/bin/time -v).

    tools/bench-custom-cli.py [TARVEX_CLI] [SIZE_MIB ...]
    (defaults: build/release/bin/tarvex-cli, 8 64)
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

cli = sys.argv[1] if len(sys.argv) > 1 else "build/release/bin/tarvex-cli"
sizes = [int(s) for s in sys.argv[2:]] or [8, 64]
RUNS = 5


def timed(command):
    """Wall and processor seconds of one run."""
    # What the previous run left for the disk to write is written first, so
    # that neither program waits for the other's output.
    os.sync()
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        raise RuntimeError(f"{command[0]} exited with {process.returncode}")
    return wall, usage.ru_utime + usage.ru_stime


def peak_rss_kib(command):
    result = subprocess.run(["/usr/bin/time", "-v"] + command, check=True,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    for line in result.stderr.splitlines():
        if "Maximum resident set size" in line:
            return int(line.split(":")[1])
    raise RuntimeError("no peak resident size from /usr/bin/time")


with tempfile.TemporaryDirectory(dir=".") as folder:
    for mib in sizes:
        source = os.path.join(folder, f"in-{mib}.bin")
        with open(source, "wb") as f:
            f.write(os.urandom(mib << 20))
        ours_out = os.path.join(folder, "ours.s3")
        theirs_out = os.path.join(folder, "theirs.s3")
        ours = [cli, "custom", source, "--offset", "0x01301000", "-o", ours_out]
        theirs = ["srec_cat", source, "-binary", "-offset", "0x01301000", "-o", theirs_out,
                  "-motorola", "-address-length=4", "-output_block_size=16"]
        ours_times, theirs_times = [], []
        for _ in range(RUNS):
            ours_times.append(timed(ours))
            theirs_times.append(timed(theirs))
        line = f"{mib} MiB:"
        for kind, i in (("wall", 0), ("cpu", 1)):
            a = statistics.median(t[i] for t in ours_times)
            b = statistics.median(t[i] for t in theirs_times)
            line += (f" {kind}: tarvex-cli {a * 1000:.0f} ms, srec_cat {b * 1000:.0f} ms,"
                     f" ratio {a / b:.3f};")
        print(f"{line} peak RSS {peak_rss_kib(ours) / 1024:.1f} MiB", flush=True)
