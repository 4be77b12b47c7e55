#!/usr/bin/env python3
"""Runs every tarvex-cli command against hostile folders.

Each case plants something hostile in a fresh copy of the bundled data set
(a NUL in a list, a planted commit marker, a lock that is a folder, a FIFO, a
dangling link, garbage or names a live process, FIFOs where files are
expected, outputs aimed into the data set, a pipe as input, odd names, a full
disk, killed writers, a huge list line, a huge marker). Then every command of
tarvex-cli runs against it, each on its own fresh copy, with a 10 s limit.
Counted, per case and in total:

  hangs        commands that had not ended after 10 s (they are killed)
  crashes      commands ended by a signal
  outside      commands after which a file outside the user folder was
               created, changed or removed (other than the output the
               command was asked to write there)
  lost         commands that exited 0 although the data set lost data: a
               list has fewer lines than before, or a file of the data set
               that is not a list changed or vanished

and a few figures: unnamed working copies left by failed and killed assigns,
the peak memory of slots on a list of one huge line, and the time slots takes
with a huge marker.

Not part of the test suite: it takes a few minutes. Example:
    tools/hostile-folders.py --cli build/debug/bin/tarvex-cli --window build/debug/bin/tarvex
"""
import argparse
import hashlib
import os
import resource
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

FIRMWARE = "X120XEDJ2"
LIMIT = 10.0


def bitmap(path, width, height):
    row = (width * 3 + 3) // 4 * 4
    pixels = (b"\x10\x80\xF0" * width + b"\0" * (row - width * 3)) * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def run(args, env, stdin=None, limit=LIMIT, preexec=None):
    """Runs a command with a time limit; returns (status, seconds, max RSS in KiB).
    status is the exit code, "hang" or "signal N"."""
    start = time.monotonic()
    proc = subprocess.Popen(args, env=env, stdin=subprocess.PIPE if stdin is not None else
                            subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, preexec_fn=preexec)
    if stdin is not None:
        try:
            proc.stdin.write(stdin)
            proc.stdin.close()
        except BrokenPipeError:
            pass
    while True:
        pid, status, usage = os.wait4(proc.pid, os.WNOHANG)
        if pid:
            proc.returncode = 0  # reaped here
            seconds = time.monotonic() - start
            if os.WIFSIGNALED(status):
                return "signal %d" % os.WTERMSIG(status), seconds, usage.ru_maxrss
            return os.WEXITSTATUS(status), seconds, usage.ru_maxrss
        if time.monotonic() - start > limit:
            proc.kill()
            os.wait4(proc.pid, 0)
            proc.returncode = -9
            return "hang", limit, 0
        time.sleep(0.01)


def snapshot(root, skip):
    """Every entry under root, but the folders in skip: path -> (kind, digest)."""
    found = {}
    for folder, dirs, files in os.walk(root, followlinks=False):
        dirs[:] = [d for d in dirs if os.path.join(folder, d) not in skip]
        for name in dirs + files:
            path = os.path.join(folder, name)
            if path in skip:
                continue
            st = os.lstat(path)
            if os.path.islink(path):
                found[path] = ("link", os.readlink(path))
            elif os.path.isfile(path):
                with open(path, "rb") as f:
                    found[path] = ("file", hashlib.sha1(f.read()).hexdigest())
            else:
                found[path] = ("other", st.st_mode)
    return found


def line_count(path):
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        return -1
    return data.replace(b"\r\n", b"\n").replace(b"\r", b"\n").count(b"\n")


def data_state(firmware):
    """What a command must not lose: each list's line count, every other file's digest."""
    state = {}
    data = os.path.join(firmware, "Data")
    for folder, _, files in os.walk(data):
        for name in files:
            path = os.path.join(folder, name)
            if not os.path.isfile(path) or name.startswith(".") or name.endswith(".new"):
                continue
            if name.endswith(".lst"):
                state[path] = ("lines", line_count(path))
            else:
                with open(path, "rb") as f:
                    state[path] = ("bytes", hashlib.sha1(f.read()).hexdigest())
    return state


def lost(before, after_firmware):
    for path, (kind, value) in before.items():
        if not os.path.isfile(path):
            return True
        if kind == "lines" and line_count(path) < value:
            return True
        if kind == "bytes":
            with open(path, "rb") as f:
                if hashlib.sha1(f.read()).hexdigest() != value:
                    return True
    return False


class Case:
    def __init__(self, top, bundled, name):
        self.root = os.path.join(top, name)
        shutil.rmtree(self.root, ignore_errors=True)
        self.user = os.path.join(self.root, "user")
        self.firmware = os.path.join(self.user, FIRMWARE)
        self.data = os.path.join(self.firmware, "Data")
        self.inputs = os.path.join(self.root, "in")
        self.out = os.path.join(self.root, "out")
        self.outside = os.path.join(self.root, "outside")
        for folder in (self.inputs, self.out, self.outside):
            os.makedirs(folder)
        shutil.copytree(bundled, self.firmware, symlinks=True)
        for work in ("TempMelodies", "TempJava", "TempPic"):
            os.makedirs(os.path.join(self.firmware, work), exist_ok=True)
        with open(os.path.join(self.inputs, "ring.mid"), "wb") as f:
            f.write(b"MThd\0\0\0\6" + bytes(100))
        with open(os.path.join(self.inputs, "blob.bin"), "wb") as f:
            f.write(bytes(range(256)) * 300)
        bitmap(os.path.join(self.inputs, "pic.bmp"), 8, 6)


def commands(case, out):
    i = case.inputs
    return [
        ["info"], ["slots", "melodies"], ["slots", "java"], ["slots", "pictures"],
        ["assign", "melodies", "1", os.path.join(i, "ring.mid")],
        ["restore", "melodies", "0"], ["volume", "1", "5"],
        ["build", "melodies", "-o", out],
        ["custom", os.path.join(i, "blob.bin"), "-o", out],
        ["convert", os.path.join(i, "pic.bmp"), "-o", out],
        ["decode", os.path.join(i, "pic.hpic"), "-o", out + ".png"],
        ["check"], ["verify", os.path.join(i, "patch.s3")],
        ["import", os.path.join(i, "import"), "--as", "IMPORTED"],
    ]


def mkfifo_at(path):
    if os.path.lexists(path):
        if os.path.isdir(path) and not os.path.islink(path):
            shutil.rmtree(path)
        else:
            os.remove(path)
    os.mkfifo(path)


def plant_marker(names, new_files=(), new_dirs=(), link_work=False):
    def plant(case):
        if link_work:
            work = os.path.join(case.firmware, "TempMelodies")
            shutil.rmtree(work)
            os.symlink(case.outside, work)
            with open(os.path.join(case.outside, "x.mid"), "wb") as f:
                f.write(b"outside")
            with open(os.path.join(case.outside, "x.mid.new"), "wb") as f:
                f.write(b"planted")
        for name in new_files:
            with open(os.path.join(case.data, name), "wb") as f:
                f.write(b"planted\r\n")
        for name in new_dirs:
            os.makedirs(os.path.join(case.data, name))
        with open(os.path.join(case.data, ".lists.commit"), "wb") as f:
            f.write(b"".join(n.encode() + b"\r\n" for n in names))
    return plant


def plant_nul(case):
    path = os.path.join(case.data, "MelodiesNames.lst")
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines[3] = lines[3][:2] + b"\0" + lines[3][2:]
    with open(path, "wb") as f:
        f.write(b"\r\n".join(lines))


def plant_lock(kind, live_pid=None):
    def plant(case):
        lock = os.path.join(case.firmware, ".tarvex.lock")
        if kind == "folder":
            os.makedirs(lock)
        elif kind == "fifo":
            os.mkfifo(lock)
        elif kind == "dangling":
            os.symlink(os.path.join(case.root, "nowhere"), lock)
        elif kind == "garbage":
            with open(lock, "wb") as f:
                f.write(bytes(range(1, 200)))
        elif kind == "live":
            with open(lock, "wb") as f:
                f.write(b"%d\ntarvex-cli\n%s\n" % (live_pid, os.uname().nodename.encode()))
    return plant


def plant_fifo(relative):
    def plant(case):
        mkfifo_at(os.path.join(case.firmware, relative))
    return plant


def plant_link_outputs(case):
    os.symlink(os.path.join(case.firmware, "TempMelodies"), os.path.join(case.root, "linked"))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cli", default=os.path.join(here, "..", "build", "debug", "bin",
                                                      "tarvex-cli"))
    parser.add_argument("--window", help="the tarvex program, for the case without a display")
    parser.add_argument("--bundled", default=os.path.join(here, "..", "data", "firmware", FIRMWARE))
    parser.add_argument("--big-mb", type=int, default=200, help="size of the huge list line")
    parser.add_argument("--kills", type=int, default=20, help="killed assigns")
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    top = tempfile.mkdtemp(prefix="tarvex-hostile-")
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(top, "config"),
               XDG_DATA_HOME=os.path.join(top, "data"), QT_QPA_PLATFORM="offscreen")

    # A process that lives through the run: its pid stands in for a reused one.
    sleeper = subprocess.Popen(["sleep", "100000"])
    cases = [
        ("plain", lambda c: None),
        ("nul in a list", plant_nul),
        ("marker names ../TempMelodies/x.mid, TempMelodies a link",
         plant_marker(["../TempMelodies/x.mid"], link_work=True)),
        ("marker names Memory.ini and JavaHelp.rtf",
         plant_marker(["Memory.ini", "JavaHelp.rtf"], new_files=["Memory.ini.new",
                                                                 "JavaHelp.rtf.new"])),
        ("marker names Pic", plant_marker(["Pic"], new_files=["Pic.new"])),
        ("marker names a list whose .new is a folder",
         plant_marker(["MelodiesFiles.lst"], new_dirs=["MelodiesFiles.lst.new"])),
        ("lock is a folder", plant_lock("folder")),
        ("lock is a FIFO", plant_lock("fifo")),
        ("lock is a dangling link", plant_lock("dangling")),
        ("lock is garbage", plant_lock("garbage")),
        ("lock names a live tarvex-cli", plant_lock("live", sleeper.pid)),
        ("marker is a FIFO", plant_fifo("Data/.lists.commit")),
        ("list is a FIFO", plant_fifo("Data/JavaFiles.lst")),
        ("Memory.ini is a FIFO", plant_fifo("Data/Memory.ini")),
        ("help text is a FIFO", plant_fifo("Data/JavaHelp.rtf")),
        ("preview is a FIFO", plant_fifo("Data/Pic/1.jpg")),
        ("a required patch is a FIFO", plant_fifo("Data/ReqPatches/fifo.s3")),
    ]
    totals = dict(runs=0, hangs=0, crashes=0, outside=0, lost=0)
    failures = []  # what went wrong, by case and command
    print("%-66s %5s %5s %7s %7s %5s" % ("case", "runs", "hangs", "crashes", "outside", "lost"))

    def prepare(name, plant):
        case = Case(top, os.path.abspath(args.bundled), "case")
        # Inputs made by the program itself: a converted picture, a patch,
        # a folder to import.
        run([cli, "--user-folder", case.user, "convert", os.path.join(case.inputs, "pic.bmp"),
             "-o", os.path.join(case.inputs, "pic.hpic")], env)
        run([cli, "--user-folder", case.user, "custom", os.path.join(case.inputs, "blob.bin"),
             "-o", os.path.join(case.inputs, "patch.s3")], env)
        shutil.copytree(case.firmware, os.path.join(case.inputs, "import"), symlinks=True)
        os.makedirs(os.path.join(case.data, "ReqPatches"), exist_ok=True)
        plant(case)
        return case

    def tally(name, outputs_inside=False, stdin=None, extra=None):
        counts = dict(runs=0, hangs=0, crashes=0, outside=0, lost=0)
        plant = dict(cases)[name] if extra is None else extra
        probe = prepare(name, plant)
        targets = [os.path.join(probe.out, "out")]
        if outputs_inside:
            targets = [os.path.join(probe.data, "MelodiesFiles.lst"),
                       os.path.join(probe.data, "Memory.ini"),
                       os.path.join(probe.firmware, ".tarvex.lock"),
                       os.path.join(probe.data, ".lists.commit"),
                       os.path.join(probe.firmware, "TempPic", "x"),
                       os.path.join(probe.root, "linked", "x")]
        for target in targets:
            for index in range(len(commands(probe, target))):
                case = prepare(name, plant)
                command = commands(case, target)[index]
                if outputs_inside and "-o" not in command:
                    continue
                skip = {case.user, case.out}
                before_outside = snapshot(case.root, skip)
                before_data = data_state(case.firmware)
                status, _, _ = run([cli, "--user-folder", case.user] + command, env, stdin)
                counts["runs"] += 1
                if isinstance(status, str):
                    counts["hangs" if status == "hang" else "crashes"] += 1
                    failures.append("%s: %s: %s" % (name, " ".join(command[:2]), status))
                if snapshot(case.root, skip) != before_outside:
                    counts["outside"] += 1
                if status == 0 and lost(before_data, case.firmware):
                    counts["lost"] += 1
                if outputs_inside and status == 0:
                    counts["lost"] += 1  # an output inside the data set was written
        print("%-66s %5d %5d %7d %7d %5d" % (name, counts["runs"], counts["hangs"],
                                           counts["crashes"], counts["outside"], counts["lost"]))
        for key in totals:
            totals[key] += counts[key]

    for name, _ in cases:
        tally(name)
    tally("outputs inside the data set, a link to a working folder included",
          outputs_inside=True, extra=plant_link_outputs)
    print("%-66s %5d %5d %7d %7d %5d" % ("total", totals["runs"], totals["hangs"],
                                       totals["crashes"], totals["outside"], totals["lost"]))

    for failure in failures:
        print("  " + failure)

    # A pipe as input: the patch must hold every byte.
    case = prepare("pipe", lambda c: None)
    with open(os.path.join(case.inputs, "blob.bin"), "rb") as f:
        blob = f.read()
    short = 0
    for name in ("/dev/stdin", "-"):
        out = os.path.join(case.out, "piped.s3")
        status, _, _ = run([cli, "--user-folder", case.user, "custom", name, "-o", out], env, blob)
        data = sum((len(bytes.fromhex(l[12:-2])) for l in open(out).read().split()
                    if l.startswith("S3")), 0) if status == 0 else 0
        short += status == 0 and data != len(blob)
    print("custom from a pipe: exits 0 with bytes missing: %d of 2" % short)

    # Names: DEL, C1 and a line break are refused, nothing changes.
    accepted = 0
    for name in ("del\x7fname.mid", "c1\x85name.mid", "line\nbreak.mid"):
        case = prepare("names", lambda c: None)
        path = os.path.join(case.inputs, name)
        shutil.copy(os.path.join(case.inputs, "ring.mid"), path)
        status, _, _ = run([cli, "--user-folder", case.user, "assign", "melodies", "1", path], env)
        accepted += status == 0
    print("names with DEL, C1 or a line break accepted: %d of 3" % accepted)

    # A full disk: the copy fits, the lists do not.
    leftovers = 0
    for limit in (4096, 8192, 16384, 32768, 65536):
        case = prepare("full", lambda c: None)
        work = os.path.join(case.firmware, "TempMelodies")

        def small_disk(limit=limit):
            resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        run([cli, "--user-folder", case.user, "assign", "melodies", "1",
             os.path.join(case.inputs, "ring.mid")], env, preexec=small_disk)
        named = open(os.path.join(case.data, "MelodiesFiles.lst"), "rb").read().decode("cp1251")
        leftovers += sum(1 for f in os.listdir(work) if f not in named.split("\r\n"))
    print("failed assigns (full disk, 5 runs): unnamed working copies left: %d" % leftovers)

    # Killed assigns, then one writer: nothing unnamed stays.
    case = prepare("kills", lambda c: None)
    big = os.path.join(case.inputs, "big.mid")
    with open(big, "wb") as f:
        f.write(b"MThd\0\0\0\6" + os.urandom(4 << 20))
    work = os.path.join(case.firmware, "TempMelodies")
    for k in range(args.kills):
        proc = subprocess.Popen([cli, "--user-folder", case.user, "assign", "melodies",
                                 str(k % 5 + 1), big], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        time.sleep(0.02 + (k % 10) * 0.01)
        proc.kill()
        proc.wait()
    run([cli, "--user-folder", case.user, "restore", "java", "0"], env)
    named = open(os.path.join(case.data, "MelodiesFiles.lst"), "rb").read().decode("cp1251")
    unnamed = [f for f in os.listdir(work) if f not in named.split("\r\n")]
    print("killed assigns (%d), then one writer: unnamed working copies left: %d"
          % (args.kills, len(unnamed)))

    # Memory: a list of one huge line.
    case = prepare("memory", lambda c: None)
    path = os.path.join(case.data, "MelodiesNames.lst")
    lines = open(path, "rb").read().split(b"\r\n")
    # Written a block at a time: a child's peak counts what this process
    # held when it forked.
    with open(path, "wb") as f:
        f.write(b"\r\n".join(lines[:3]) + b"\r\n")
        for _ in range(args.big_mb):
            f.write(b"x" * (1 << 20))
        f.write(b"\r\n" + b"\r\n".join(lines[4:]))
    size = os.path.getsize(path)
    status, seconds, rss = run([cli, "--user-folder", case.user, "slots", "melodies"], env,
                               limit=120)
    print("slots on a list of one %d MB line: exit %s, %.1f s, peak %d MB (%.2f times the file)"
          % (args.big_mb, status, seconds, rss >> 10, rss * 1024 / size))
    os.remove(path)
    shutil.copy(os.path.join(os.path.abspath(args.bundled), "Data", "MelodiesNames.lst"), path)
    marker = os.path.join(case.data, ".lists.commit")
    with open(marker, "wb") as f:
        f.truncate(300 << 20)
    status, seconds, rss = run([cli, "--user-folder", case.user, "slots", "melodies"], env,
                               limit=120)
    print("slots with a 300 MB sparse marker: exit %s, %.2f s, peak %d MB"
          % (status, seconds, rss >> 10))

    if args.window:
        bare = {k: v for k, v in env.items()
                if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        status, _, _ = run([os.path.abspath(args.window)], bare)
        print("tarvex without a display: exit %s" % status)

    sleeper.kill()
    sleeper.wait()
    shutil.rmtree(top, ignore_errors=True)
    return 0 if totals["hangs"] == totals["outside"] == totals["lost"] == totals["crashes"] == 0 \
        else 1


if __name__ == "__main__":
    sys.exit(main())
