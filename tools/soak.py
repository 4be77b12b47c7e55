#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Soak test of the data set under two concurrent command-line writers.

Two writers run random assign / restore / volume / build commands of
tarvex-cli on a copy of the bundled data set for the given time; some of the
commands are killed with SIGKILL at a random moment. At the end one more
writing command finishes whatever a kill interrupted, and the data set is
checked: every list decodes and has one line per slot, the lists are in step
(a standard slot has size 0, a replaced slot has its working copy), and every
recorded size equals the size of the working copy (for pictures: of the
working copy once converted).

Not part of the test suite: it runs for minutes. Example (tarvex-cli of the
preset built last, run, release or debug, unless --cli names one):
    tools/soak.py --minutes 30
"""
import argparse
import collections
import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import built_program  # noqa: E402

FIRMWARE = "X120XEDJ2"
MANAGERS = {
    # id: (names list, files list, size list, placeholder, working folder)
    "melodies": ("StdMelodiesList.lst", "MelodiesFiles.lst", "MelodiesSize.lst",
                 "[Стандартная мелодия]", "TempMelodies"),
    "java": ("JavaStdNames.lst", "JavaFiles.lst", "JavaSize.lst",
             "[Стандартная игра]", "TempJava"),
    "pictures": ("PicNames.lst", "PicFiles.lst", "PicSize.lst",
                 "[Стандартная картинка]", "TempPic"),
}


def read_list(path):
    with open(path, "rb") as f:
        data = f.read()
    text = data.split(b"\0")[0].decode("cp1251")
    lines = text.replace("\r\n", "\n").replace("\r", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return lines


def bitmap(path, width, height, seed):
    """A 24-bit bitmap with a few colours, so the converted sizes differ."""
    rng = random.Random(seed)
    colours = [bytes(rng.randrange(256) for _ in range(3)) for _ in range(rng.randint(1, 9))]
    row = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for _ in range(height):
        line = b"".join(rng.choice(colours) for _ in range(width))
        pixels += line + b"\0" * (row - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


class Soak:
    def __init__(self, args):
        self.cli = os.path.abspath(args.cli)
        self.root = args.workdir or tempfile.mkdtemp(prefix="tarvex-soak-")
        self.user = os.path.join(self.root, "user")
        self.firmware = os.path.join(self.user, FIRMWARE)
        self.inputs = os.path.join(self.root, "in")
        self.env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.root, "config"))
        self.kill_share = args.kill_share
        self.stats = collections.Counter()
        self.other_errors = collections.Counter()
        self.lock = threading.Lock()
        self.files = {}

    def prepare(self, bundled):
        shutil.rmtree(self.root, ignore_errors=True)
        os.makedirs(self.inputs)
        shutil.copytree(os.path.join(bundled, FIRMWARE), self.firmware)
        rng = random.Random(1)
        mel = []
        for i in range(24):
            name = os.path.join(self.inputs, "tune%02d.%s" % (i, rng.choice(["mid", "mmf"])))
            with open(name, "wb") as f:
                f.write(os.urandom(rng.randint(100, 60000)))
            mel.append(name)
        jad, jar = [], []
        for i in range(12):
            for kind, bucket, size in (("jad", jad, 300), ("jar", jar, 90000)):
                name = os.path.join(self.inputs, "game%02d.%s" % (i, kind))
                with open(name, "wb") as f:
                    f.write(os.urandom(rng.randint(50, size)))
                bucket.append(name)
        pics = []
        data = os.path.join(self.firmware, "Data")
        for slot, entry in enumerate(read_list(os.path.join(data, "PicOffsets.lst"))):
            width, height = int(entry[0:2], 16), int(entry[4:6], 16)
            for k in range(3):
                name = os.path.join(self.inputs, "pic%d_%d.bmp" % (slot, k))
                bitmap(name, width, height, slot * 10 + k)
                pics.append((slot, name))
        self.files = {"melodies": mel, "jad": jad, "jar": jar, "pictures": pics}
        self.slots = {m: len(read_list(os.path.join(data, v[0]))) for m, v in MANAGERS.items()}

    def command(self, rng, writer):
        kind = rng.choices(["assign", "restore", "volume", "build"], [6, 3, 2, 1])[0]
        manager = rng.choice(list(MANAGERS))
        slot = rng.randrange(self.slots[manager])
        if kind == "assign":
            if manager == "melodies":
                chosen = rng.choice(self.files["melodies"])
            elif manager == "java":
                chosen = rng.choice(self.files["jar" if slot % 2 else "jad"])
            else:
                slot, chosen = rng.choice(self.files["pictures"])
            return ["assign", manager, str(slot), chosen]
        if kind == "restore":
            return ["restore", manager, str(slot)]
        if kind == "volume":
            return ["volume", str(rng.randrange(25)), str(rng.randint(1, 127))]
        return ["build", manager, "-o", os.path.join(self.root, "patch%d.s3" % writer)]

    def run(self, args, kill_after=None):
        base = [self.cli, "--user-folder", self.user, "--firmware", FIRMWARE]
        proc = subprocess.Popen(base + args, env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE)
        if kill_after is not None:
            time.sleep(kill_after)
            if proc.poll() is None:
                proc.send_signal(signal.SIGKILL)
        _, err = proc.communicate()
        return proc.returncode, err.decode("utf-8", "replace").strip()

    def writer(self, number, deadline):
        rng = random.Random(number * 7919 + int(time.time()))
        while time.time() < deadline:
            args = self.command(rng, number)
            kill_after = rng.uniform(0, 0.06) if rng.random() < self.kill_share else None
            code, err = self.run(args, kill_after)
            with self.lock:
                self.stats["commands"] += 1
                if code == -signal.SIGKILL:
                    self.stats["killed"] += 1
                elif code == 0:
                    self.stats["done"] += 1
                elif "is in use by" in err:
                    self.stats["refused: data set in use"] += 1
                else:
                    self.stats["refused or failed otherwise"] += 1
                    self.other_errors[err.split("\n")[-1][:90]] += 1

    def converted_size(self, path):
        out = os.path.join(self.root, "converted.09")
        code, err = self.run(["convert", path, "-o", out])
        return os.path.getsize(out) if code == 0 else -1

    def check(self):
        problems = []
        data = os.path.join(self.firmware, "Data")
        for manager, (names, files, sizes, placeholder, folder) in MANAGERS.items():
            count = len(read_list(os.path.join(data, names)))
            file_lines = read_list(os.path.join(data, files))
            size_lines = read_list(os.path.join(data, sizes))
            if len(file_lines) != count or len(size_lines) != count:
                problems.append("%s: %d names, %d files, %d sizes" %
                                (manager, count, len(file_lines), len(size_lines)))
                continue
            for slot, (name, size) in enumerate(zip(file_lines, size_lines)):
                copy = os.path.join(self.firmware, folder, name)
                if name == placeholder:
                    if size != "0":
                        problems.append("%s %d: standard with size %s" % (manager, slot, size))
                    continue
                if not os.path.isfile(copy):
                    problems.append("%s %d: no working copy %s" % (manager, slot, name))
                    continue
                actual = (self.converted_size(copy) if manager == "pictures"
                          else os.path.getsize(copy))
                if str(actual) != size:
                    problems.append("%s %d: size %s, copy %d" % (manager, slot, size, actual))
                self.stats["replaced slots checked"] += 1
        volumes = read_list(os.path.join(data, "Volumes.lst"))
        if len(volumes) != 25 or any(len(v) != 2 for v in volumes):
            problems.append("Volumes.lst: %r" % volumes)
        leftovers = [n for n in os.listdir(data) if n.startswith(".") or n.endswith(".new")]
        if leftovers:
            problems.append("left in Data: %s" % leftovers)
        return problems


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--minutes", type=float, default=30)
    parser.add_argument("--cli", default=built_program.find("tarvex-cli"),
                        help="the tarvex-cli program (default: of the preset built last)")
    parser.add_argument("--workdir", help="scratch folder (default: a new temporary one)")
    parser.add_argument("--kill-share", type=float, default=0.3,
                        help="share of the commands killed at a random moment")
    args = parser.parse_args()
    if not args.cli:
        sys.exit("no tarvex-cli built: run tools/run.sh or README's test command, or give --cli")
    soak = Soak(args)
    soak.prepare(os.path.join(here, "..", "data", "firmware"))
    deadline = time.time() + args.minutes * 60
    started = time.time()
    writers = [threading.Thread(target=soak.writer, args=(n, deadline)) for n in (1, 2)]
    for w in writers:
        w.start()
    for w in writers:
        w.join()
    # A last writer finishes what a kill interrupted.
    code, err = soak.run(["build", "melodies", "-o", os.path.join(soak.root, "final.s3")])
    problems = soak.check() if code == 0 else ["final build failed: " + err]
    print("ran %.1f minutes in %s" % ((time.time() - started) / 60, soak.root))
    for key, value in sorted(soak.stats.items()):
        print("  %-32s %d" % (key, value))
    for text, n in soak.other_errors.most_common(8):
        print("  %5d x %s" % (n, text))
    if problems:
        print("PROBLEMS:")
        for p in problems:
            print("  " + p)
        return 1
    print("every list parses, the lists are in step, every size equals its working copy")
    return 0


if __name__ == "__main__":
    sys.exit(main())
