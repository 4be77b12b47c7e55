#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs every tarvex-cli command against hostile folders.

The commands come from the program's own table (tarvex-cli --command-names),
so a command added later is tried without anyone remembering to: a command of
the table with no line in CASES below fails the run, and so does a line for a
command the table no longer has. Adding a command's case is one line in
CASES: its name and its arguments, where {fw}, {patch}, {out} and {in} stand
for the firmware, a patch, the output and the folder of other inputs.

Each command runs against every plant (a FIFO, a folder, a link out of the
user folder, a link to a device, an unreadable file, a NUL, a 64 Ki line,
garbage) in place of every file it may read or write (Memory.ini, each list,
the commit marker, the lock, a help text, a preview, a required patch, a
working copy, Pic, the working folders, the firmware, a patch, the output:
every plant in place of each file named on the command line; each file of
the data set with each plant goes to three commands in turn, all with --full),
then under a full disk and killed at two moments (followed by one reader),
each run on a fresh copy of the bundled data set with a time limit. Counted:

  hangs        runs that had not ended within the limit (they are killed)
  crashes      runs ended by a signal (other than the kill planted)
  outside      runs after which something outside the user folder was
               created, changed or removed (other than the output asked for)
  lost         runs that exited 0 although the data set lost data: a list's
               line count changed, or a list the program never writes or
               another file of the data set changed or vanished

  taken       runs that exited 0 although a file named on the command line was
               missing, a folder, a FIFO, a device or unreadable

The hidden names commands stage their work under come from the program too
(tarvex-cli --staging-names): at each, for every command that uses it (a first
start, in an empty user folder, included), a link to a folder outside holding
a file that must survive; a declared name with no line in STAGED fails the run.

Any of them, or a command without a case, makes the exit status 1.
--extras adds the older figures: a pipe as input, odd names, full disks and
kills of assign, the memory of a huge list line and a huge marker.

    tools/hostile-folders.py                # the programs of the preset built last
    tools/hostile-folders.py --cli build/debug/bin/tarvex-cli --jobs 2
"""
import argparse
import concurrent.futures
import hashlib
import os
import random
import resource
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import built_program  # noqa: E402

FIRMWARE = "X120XEDJ2"
LIMIT = 5.0

# One line per command of the table: its arguments.
CASES = {
    "info": [],
    "slots": ["melodies"],
    "assign": ["melodies", "1", "{in}/ring.mid"],
    "restore": ["melodies", "0"],
    "volume": ["1", "5"],
    "build": ["melodies", "-o", "{out}"],
    "custom": ["{in}/blob.bin", "-o", "{out}"],
    "convert": ["{in}/pic.bmp", "-o", "{out}"],
    "decode": ["{in}/pic.hpic", "-o", "{out}"],
    "check": [],
    "verify": ["{patch}"],
    "import": ["{in}/import", "--as", "IMPORTED"],
    "match": ["{fw}"],
    "extract": ["{fw}", "-o", "{out}"],
    "previews": ["{fw}"],
    "apply": ["{fw}", "{patch}", "-o", "{out}"],
    "revert": ["{fw}", "{patch}", "-o", "{out}"],
    "port": ["{fw}", "{fw}", "--as", "PORTED"],
    "scan": ["{fw}", "--svg", "{out}"],
    "draft": ["{fw}", "--as", "DRAFTED", "--melody-region", "0x100-0x200"],
    "firmwares": [],
    "use": [FIRMWARE],
    "remove": [FIRMWARE, "--yes"],
}

# Commands that take a data set by its id: they also meet a plant at the data
# set's own place and a user folder they cannot write into.
WHOLE_SET = {"firmwares", "use", "remove"}
WHOLE_SET_PLANTS = ["link out", "fifo", "missing", "read-only user folder"]

# More cases of a command, for the files named on its command line only.
VARIANTS = {
    "assign": [["java", "1", "{in}/game.jad"], ["pictures", "0", "{in}/pic.bmp"]],
}

# Where a command reads a stream as well as a file: a FIFO or a device there
# is an input, not a refusal.
STREAMS = {("custom", "{in}/blob.bin"), ("convert", "{in}/pic.bmp"), ("verify", "{patch}")}

# A file argument that names a folder.
FOLDER_ARGUMENTS = {("import", "{in}/import")}

FIRST_START = "a first start"

# Each declared staging name: the commands that use it, the folder it lies
# in (relative to a case's root) and what stands for "{}" there.
STAGED = {
    ".{}.import": (["import"], "user", "IMPORTED"),
    ".{}.import.lock": (["import"], "user", "IMPORTED"),
    ".{}.port": (["port"], "user", "PORTED"),
    ".{}.port.lock": (["port"], "user", "PORTED"),
    ".{}.draft": (["draft"], "user", "DRAFTED"),
    ".{}.draft.lock": (["draft"], "user", "DRAFTED"),
    ".{}.extract": (["extract"], "out", "out"),
    ".{}.extract.lock": (["extract"], "out", "out"),
    ".{}.partial": ([FIRST_START], "user", FIRMWARE),
    ".lists.commit": (["assign", "restore", "volume"], os.path.join("user", FIRMWARE, "Data"), ""),
    "{}.new": (["assign", "restore"], os.path.join("user", FIRMWARE, "Data"), "MelodiesFiles.lst"),
    # A spool in TMPDIR of a process that is gone (no pid reaches 2**22 + 1),
    # which verify's clean-up removes.
    "tarvex-spool-{}": (["verify"], "tmp", "4194305-planted"),
}

# Lists the program writes back; every other file of Data must stay as it was.
WRITTEN_LISTS = {"MelodiesFiles.lst", "MelodiesNames.lst", "MelodiesSize.lst", "Volumes.lst",
                 "JavaFiles.lst", "JavaSize.lst", "PicFiles.lst", "PicSize.lst"}


def bitmap(path, width, height):
    row = (width * 3 + 3) // 4 * 4
    pixels = (b"\x10\x80\xF0" * width + b"\0" * (row - width * 3)) * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def run(args, env, stdin=None, limit=LIMIT, preexec=None, kill_after=None):
    """Runs a command with a time limit; returns (status, seconds, max RSS in KiB).
    status is the exit code, "hang", "killed" (by kill_after) or "signal N"."""
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
    killed = False
    while True:
        pid, status, usage = os.wait4(proc.pid, os.WNOHANG)
        if pid:
            proc.returncode = 0  # reaped here
            seconds = time.monotonic() - start
            if os.WIFSIGNALED(status):
                if killed and os.WTERMSIG(status) == signal.SIGKILL:
                    return "killed", seconds, usage.ru_maxrss
                return "signal %d" % os.WTERMSIG(status), seconds, usage.ru_maxrss
            return os.WEXITSTATUS(status), seconds, usage.ru_maxrss
        elapsed = time.monotonic() - start
        if kill_after is not None and elapsed > kill_after and not killed:
            proc.kill()
            killed = True
        if elapsed > limit:
            proc.kill()
            os.wait4(proc.pid, 0)
            proc.returncode = -9
            return "hang", limit, 0
        time.sleep(0.002)


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
                found[path] = ("other", st.st_mode & 0o170000)
    return found


def line_count(path):
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        return -1
    return data.replace(b"\r\n", b"\n").replace(b"\r", b"\n").count(b"\n")


def regular(path):
    return os.path.isfile(path) and not os.path.islink(path)


def data_state(firmware, planted):
    """What a command must not lose: the line count of each list it writes,
    the bytes of every other file of Data; the planted entry is not counted."""
    state = {}
    data = os.path.join(firmware, "Data")
    for folder, _, files in os.walk(data):
        for name in files:
            path = os.path.join(folder, name)
            if path == planted or not regular(path) or name.startswith(".") \
                    or name.endswith(".new"):
                continue
            if name in WRITTEN_LISTS and folder == data:
                state[path] = ("lines", line_count(path))
            else:
                with open(path, "rb") as f:
                    state[path] = ("bytes", hashlib.sha1(f.read()).hexdigest())
    return state


def lost(before):
    for path, (kind, value) in before.items():
        if not regular(path):
            return True
        if kind == "lines" and line_count(path) != value:
            return True
        if kind == "bytes":
            with open(path, "rb") as f:
                if hashlib.sha1(f.read()).hexdigest() != value:
                    return True
    return False


class Case:
    """A fresh folder: user/X120XEDJ2 (one melody assigned), in/ (inputs),
    out/ (where outputs go), outside/ (what links out lead to)."""

    def __init__(self, root, template):
        self.root = root
        self.top = os.path.dirname(template)
        shutil.rmtree(root, ignore_errors=True)
        shutil.copytree(template, root, symlinks=True)
        self.user = os.path.join(root, "user")
        self.firmware = os.path.join(self.user, FIRMWARE)
        self.data = os.path.join(self.firmware, "Data")
        self.inputs = os.path.join(root, "in")
        self.out = os.path.join(root, "out")
        self.outside = os.path.join(root, "outside")

    def args(self, command, arguments=None):
        values = {"fw": os.path.join(self.inputs, "fw.s3"),
                  "patch": os.path.join(self.inputs, "patch.s3"),
                  "out": os.path.join(self.out, "out"), "in": self.inputs}
        given = CASES[command] if arguments is None else arguments
        return [command] + [a.format(**values) for a in given]

    def env(self):
        # A first start finds the bundled data set here, not where the
        # program was built or installed.
        # HOME beside XDG_DATA_HOME, so that a removal's trash is the case's own.
        return dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.root, "config"),
                    XDG_DATA_HOME=os.path.join(self.root, "xdg"), QT_QPA_PLATFORM="offscreen",
                    HOME=os.path.join(self.root, "xdg"),
                    XDG_DATA_DIRS=os.path.join(self.top, "share"),
                    TMPDIR=os.path.join(self.root, "tmp"))


def make_template(top, cli, bundled):
    root = os.path.join(top, "template")
    user = os.path.join(root, "user")
    for folder in ("in", "out", "outside", "tmp", "xdg"):
        os.makedirs(os.path.join(root, folder))
    shutil.copytree(bundled, os.path.join(user, FIRMWARE), symlinks=True)
    for work in ("TempMelodies", "TempJava", "TempPic"):
        os.makedirs(os.path.join(user, FIRMWARE, work), exist_ok=True)
    inputs = os.path.join(root, "in")
    with open(os.path.join(inputs, "ring.mid"), "wb") as f:
        f.write(b"MThd\0\0\0\6" + bytes(100))
    with open(os.path.join(inputs, "blob.bin"), "wb") as f:
        f.write(bytes(range(256)) * 300)
    bitmap(os.path.join(inputs, "pic.bmp"), 8, 6)
    with open(os.path.join(inputs, "game.jad"), "wb") as f:
        f.write(b"MIDlet-Name: Game\r\nMIDlet-Jar-Size: 5\r\nMIDlet-Jar-URL: game.jar\r\n")
    # Beside the template, not in it: each case copies the template.
    shutil.copytree(bundled, os.path.join(top, "share", "tarvex", "firmware", FIRMWARE),
                    symlinks=True)
    # A small firmware: not the data set's (that one is tens of MiB), so the
    # firmware commands read it whole, then refuse.
    with open(os.path.join(inputs, "fw.s3"), "wb") as f:
        f.write(b"S00600004844521B\r\nS3150000F000000102030405060708090A0B0C0D0E0F5D\r\n"
                b"S70500000000FA\r\n")
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(root, "config"))
    base = [cli, "--user-folder", user, "--firmware", FIRMWARE]
    for args in (["convert", os.path.join(inputs, "pic.bmp"), "-o",
                  os.path.join(inputs, "pic.hpic")],
                 ["custom", os.path.join(inputs, "blob.bin"), "-o",
                  os.path.join(inputs, "patch.s3")],
                 ["assign", "melodies", "2", os.path.join(inputs, "ring.mid")]):
        status, _, _ = run(base + args, env, limit=60)
        if status != 0:
            sys.exit("preparing the cases failed: %s exits %s" % (" ".join(args), status))
    shutil.copytree(os.path.join(user, FIRMWARE), os.path.join(inputs, "import"), symlinks=True)
    return root


def targets(template):
    """Every file a command may read or write, relative to a case's root."""
    data = os.path.join("user", FIRMWARE, "Data")
    lists = sorted(n for n in os.listdir(os.path.join(template, data)) if n.endswith(".lst"))
    patches = sorted(os.listdir(os.path.join(template, data, "ReqPatches")))
    named = open(os.path.join(template, data, "MelodiesFiles.lst"), "rb").read().split(b"\r\n")
    copy = [n.decode("cp1251") for n in named if n.endswith(b".mid")][0]
    fw = os.path.join("user", FIRMWARE)
    return ([os.path.join(data, "Memory.ini")] + [os.path.join(data, n) for n in lists] +
            [os.path.join(data, ".lists.commit"), os.path.join(fw, ".tarvex.lock"),
             os.path.join(data, "JavaHelp.rtf"), os.path.join(data, "Pic", "1.jpg"),
             os.path.join(data, "ReqPatches", patches[0]),
             os.path.join(fw, "TempMelodies", copy), os.path.join(data, "Pic"),
             os.path.join(fw, "TempMelodies"), os.path.join(fw, "TempPic"),
             os.path.join("in", "fw.s3"), os.path.join("in", "patch.s3"),
             os.path.join("out", "out")])


def remove(path):
    if os.path.isdir(path) and not os.path.islink(path):
        shutil.rmtree(path)
    elif os.path.lexists(path):
        os.remove(path)


def original(path):
    if regular(path):
        with open(path, "rb") as f:
            return f.read()
    return b"Memory\r\nlist line\r\n"


def plant(kind, case, relative):
    path = os.path.join(case.root, relative)
    was = original(path)
    was_dir = os.path.isdir(path)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if kind == "link out":
        # Out of the user folder; the output's link leads into the data set.
        if relative.startswith("out"):
            target = os.path.join(case.data, "MelodiesTable.lst")
        else:
            target = os.path.join(case.outside, os.path.basename(path))
            if was_dir:
                shutil.copytree(path, target, symlinks=True)
            else:
                with open(target, "wb") as f:
                    f.write(was)
        remove(path)
        os.symlink(target, path)
        return
    if kind == "staged link":
        survivor = os.path.join(case.outside, "staged")
        os.makedirs(survivor, exist_ok=True)
        with open(os.path.join(survivor, "survivor.txt"), "wb") as f:
            f.write(b"must survive")
        remove(path)
        os.symlink(survivor, path)
        return
    remove(path)
    if kind == "missing":
        return
    if kind == "fifo":
        os.mkfifo(path)
    elif kind == "folder":
        os.makedirs(os.path.join(path, "inside"))
    elif kind == "link to a device":
        os.symlink("/dev/urandom", path)
    else:
        if kind == "nul":
            data = was[:len(was) // 2] + b"\0" + was[len(was) // 2:]
        elif kind == "64 Ki line":
            data = b"x" * (64 * 1024 + 1) + b"\r\n" + was
        elif kind == "garbage":
            data = random.Random(relative).randbytes(4096)
        else:  # unreadable
            data = was
        with open(path, "wb") as f:
            f.write(data)
        if kind == "unreadable":
            os.chmod(path, 0)


PLANTS = ["fifo", "folder", "link out", "link to a device", "unreadable", "nul", "64 Ki line",
          "garbage"]
# What a file named on the command line must be refused as.
UNREADABLE = {"missing", "fifo", "folder", "link to a device", "unreadable"}


def argument_plants(command, placeholder):
    # The inputs the matrix always had meet every plant; the others what a
    # chosen file may be instead of a file (their bytes are the fuzzers' part).
    if placeholder in ("{fw}", "{patch}", "{out}"):
        kinds = PLANTS + ["missing"]
    else:
        kinds = sorted(UNREADABLE) + ["link out"]
    if (command, placeholder) in STREAMS:
        kinds = [k for k in kinds if k not in ("fifo", "link to a device")]
    return kinds


def must_refuse(command, placeholder, kind):
    if placeholder == "{out}" or (kind == "unreadable" and os.geteuid() == 0):
        return False  # an output, or a file the superuser reads whatever its mode
    if (command, placeholder) in FOLDER_ARGUMENTS:
        return kind in UNREADABLE and kind != "folder"
    return kind in UNREADABLE


def one_run(cli, template, root, command, kind, relative, arguments=None, refuse=False,
            first_start=False):
    """One command against one plant; returns its findings as a dict."""
    case = Case(root, template)
    if first_start:
        shutil.rmtree(case.firmware)
    if kind == "read-only user folder":
        os.chmod(case.user, 0o555)
    elif relative is not None:
        plant(kind, case, relative)
    planted = os.path.join(case.root, relative) if relative else None
    skip = {case.user, case.out, os.path.join(case.root, "tmp"),
            os.path.join(case.root, "config"), os.path.join(case.root, "xdg")}
    before_outside = snapshot(case.root, skip)
    before_data = data_state(case.firmware, planted)
    base = [cli, "--user-folder", case.user, "--firmware", FIRMWARE]
    env = case.env()
    preexec = None
    kill_after = None
    if kind == "full disk":
        def preexec():
            resource.setrlimit(resource.RLIMIT_FSIZE, (4096, 4096))
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
    elif kind.startswith("kill"):
        kill_after = float(kind.split()[-1])
    status, _, _ = run(base + case.args(command, arguments), env, preexec=preexec,
                       kill_after=kill_after)
    found = dict(hangs=0, crashes=0, outside=0, lost=0, taken=int(refuse and status == 0))
    if status == "hang":
        found["hangs"] = 1
    elif isinstance(status, str) and status != "killed":
        found["crashes"] = 1
    ok = status == 0
    if kill_after is not None:
        # What the kill left must read as whole: one reader runs after it.
        status, _, _ = run(base + ["slots", "melodies"], env)
        ok = status == 0
        found["hangs"] += status == "hang"
    if snapshot(case.root, skip) != before_outside:
        found["outside"] = 1
    if (os.path.islink(case.firmware) and relative != os.path.join("user", FIRMWARE)) \
            or os.path.islink(case.data):
        found["outside"] = 1  # every later writer would write outside
    trashed = os.path.join(case.root, "xdg", "Trash", "files", FIRMWARE)
    if command == "remove" and os.path.isdir(trashed):
        # What a removal took must be whole in the case's trash.
        before_data = {p.replace(case.firmware, trashed, 1): v for p, v in before_data.items()}
    if ok and lost(before_data):
        found["lost"] = 1
    os.chmod(case.user, 0o755)
    shutil.rmtree(case.root, ignore_errors=True)
    return found


def matrix(cli, template, top, jobs, only, full, share=3):
    names = subprocess.run([cli, "--command-names"], check=True, capture_output=True,
                           text=True).stdout.split()
    missing = [n for n in names if n not in CASES]
    stale = [n for n in CASES if n not in names]
    for name in missing:
        print("no case for the command %s: add its line to CASES" % name)
    for name in stale:
        print("a case for %s, which the table does not have" % name)
    staging = subprocess.run([cli, "--staging-names"], check=True, capture_output=True,
                             text=True).stdout.split()
    for name in staging:
        if name not in STAGED:
            print("no plant for the staging name %s: add its line to STAGED" % name)
    runs = []
    own = {"{fw}": os.path.join("in", "fw.s3"), "{patch}": os.path.join("in", "patch.s3"),
           "{out}": os.path.join("out", "out")}
    shared = [t for t in targets(template) if t not in own.values()]
    tried = [n for n in names if n in CASES and (not only or n in only)]
    inputs = sorted({a for c in list(CASES.values()) + sum(VARIANTS.values(), [])
                     for a in c if a.startswith("{in}/")})
    arguments = dict(own, **{a: a.replace("{in}", "in") for a in inputs})
    for c, command in enumerate(tried):
        # The files named on its command line: every plant in place of each.
        for arguments_given in [CASES[command]] + VARIANTS.get(command, []):
            for placeholder, relative in arguments.items():
                if placeholder not in arguments_given:
                    continue
                variant = None if arguments_given is CASES[command] else arguments_given
                runs += [(command, kind, relative, variant,
                          must_refuse(command, placeholder, kind))
                         for kind in argument_plants(command, placeholder)]
        # A link at every staging name the command uses.
        for name in staging:
            commands, folder, stands = STAGED.get(name, ([], "", ""))
            if command in commands or FIRST_START in commands:
                runs.append((command, "staged link",
                             os.path.join(folder, name.replace("{}", stands)), None, False,
                             FIRST_START in commands))
        # The data set's files: each with each plant goes to `share`
        # commands in turn (to all with --full), so the whole runs in minutes
        # and every command meets every plant.
        for t, relative in enumerate(shared):
            for p, kind in enumerate(PLANTS):
                pair = t * len(PLANTS) + p
                if full or any((pair * share + j) % len(tried) == c for j in range(share)):
                    runs.append((command, kind, relative))
        for kind in ("full disk", "kill 0.03", "kill 0.15"):
            runs.append((command, kind, None))
        if command in WHOLE_SET:
            runs += [(command, kind, os.path.join("user", FIRMWARE)) for kind in WHOLE_SET_PLANTS]
    totals = {n: dict(runs=0, hangs=0, crashes=0, outside=0, lost=0, taken=0) for n in names}
    failures = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        futures = {pool.submit(one_run, cli, template, os.path.join(top, "run%d" % i),
                               *r): r for i, r in enumerate(runs)}
        for future in concurrent.futures.as_completed(futures):
            command, kind, relative = futures[future][:3]
            found = future.result()
            totals[command]["runs"] += 1
            for key, value in found.items():
                totals[command][key] += value
                if value:
                    failures.append("%s: %s: %s in place of %s" % (command, key, kind, relative))
    keys = ("runs", "hangs", "crashes", "outside", "lost", "taken")
    print("%-10s %6s %6s %8s %8s %6s %6s" % (("command",) + keys))
    for name in names:
        if totals[name]["runs"]:
            print("%-10s %6d %6d %8d %8d %6d %6d"
                  % ((name,) + tuple(totals[name][k] for k in keys)))
    total = {k: sum(t[k] for t in totals.values()) for k in keys}
    print("%-10s %6d %6d %8d %8d %6d %6d" % (("total",) + tuple(total[k] for k in keys)))
    for failure in sorted(failures):
        print("  " + failure)
    unplanted = [n for n in staging if n not in STAGED]
    return not missing and not stale and not failures and not unplanted


def extras(cli, template, top, args):
    """The older figures, each on a case of its own."""
    def prepare(name):
        return Case(os.path.join(top, "extra-" + name), template)

    # A pipe as input: the patch must hold every byte.
    case = prepare("pipe")
    env = case.env()
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
        case = prepare("names")
        path = os.path.join(case.inputs, name)
        shutil.copy(os.path.join(case.inputs, "ring.mid"), path)
        status, _, _ = run([cli, "--user-folder", case.user, "assign", "melodies", "1", path],
                           case.env())
        accepted += status == 0
    print("names with DEL, C1 or a line break accepted: %d of 3" % accepted)

    # A full disk: the copy fits, the lists do not.
    leftovers = 0
    for limit in (4096, 8192, 16384, 32768, 65536):
        case = prepare("full")
        work = os.path.join(case.firmware, "TempMelodies")

        def small_disk(limit=limit):
            resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        run([cli, "--user-folder", case.user, "assign", "melodies", "1",
             os.path.join(case.inputs, "ring.mid")], case.env(), preexec=small_disk)
        named = open(os.path.join(case.data, "MelodiesFiles.lst"), "rb").read().decode("cp1251")
        leftovers += sum(1 for f in os.listdir(work) if f not in named.split("\r\n"))
    print("failed assigns (full disk, 5 runs): unnamed working copies left: %d" % leftovers)

    # Killed assigns, then one writer: nothing unnamed stays.
    case = prepare("kills")
    env = case.env()
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
    case = prepare("memory")
    env = case.env()
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


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cli", default=built_program.find("tarvex-cli"),
                        help="the tarvex-cli program (default: of the preset built last)")
    parser.add_argument("--window", help="the tarvex program, for the case without a display")
    parser.add_argument("--bundled", default=os.path.join(here, "..", "data", "firmware", FIRMWARE))
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--only", nargs="*", help="the matrix for these commands only")
    parser.add_argument("--full", action="store_true",
                        help="every file of the data set with every plant for every command "
                             "(else each file and plant for three commands in turn)")
    parser.add_argument("--extras", action="store_true", help="the older figures too")
    parser.add_argument("--big-mb", type=int, default=200, help="size of the huge list line")
    parser.add_argument("--kills", type=int, default=20, help="killed assigns")
    args = parser.parse_args()
    if not args.cli:
        sys.exit("no tarvex-cli built: run tools/run.sh or README's test command, or give --cli")
    cli = os.path.abspath(args.cli)
    # In memory where there is such a folder: each run copies a data set.
    shm = "/dev/shm"
    top = tempfile.mkdtemp(prefix="tarvex-hostile-",
                           dir=shm if os.path.isdir(shm) and os.access(shm, os.W_OK) else None)
    try:
        template = make_template(top, cli, os.path.abspath(args.bundled))
        start = time.monotonic()
        passed = matrix(cli, template, top, args.jobs, args.only, args.full)
        print("matrix: %.0f s" % (time.monotonic() - start))
        if args.extras:
            extras(cli, template, top, args)
    finally:
        shutil.rmtree(top, ignore_errors=True)
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
