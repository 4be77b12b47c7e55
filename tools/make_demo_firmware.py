#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes two demonstration firmware files for the bundled data set X120XEDJ2.

X120XEDJ2.s3 is consistent with the data set: its standard melodies, Java
files and pictures lie where the table entries point, the entries and the
volume bytes hold their standard values, the bytes under the required patches
are there to be patched, the three free regions are erased (FF), and invented
code fills everything else. X120XEDJ3.s3 is a later version of it: code is
inserted in two places, so the tables and resources after them move, and one
melody is moved elsewhere on its own.

They are for trying `tarvex-cli match`, `extract` and `port`: invented bytes
throughout, never to be written into a handset.

Usage: make_demo_firmware.py [--out DIR] [--data DATA_FOLDER] [--binary]
                             [--pad-to MIB] [--record-bytes N]
--binary also writes the raw images (.bin, first byte at address 0);
--pad-to fills both firmwares with code up to that many MiB of data;
--record-bytes gives the data bytes of each S3 record (default 32).
"""

import argparse
import io
import os
import random
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_demo_dataset as demo  # noqa: E402  (the pictures' drawings)

# Where the later version inserts code, and how much.
INSERTIONS = [(0x00030000, 0x1234), (0x00590000, 0x0F10)]
MOVED_MELODY = 5          # slot counted from 0
MOVED_TO = 0x01000000     # in the old version's addresses, in code


def read_lines(data, name):
    with open(os.path.join(data, name), "rb") as f:
        text = f.read().decode("cp1251")
    return [line for line in text.replace("\r\n", "\n").split("\n")][:-1]


def read_ini(data):
    values, section = {}, ""
    for line in read_lines(data, "Memory.ini"):
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1]
        elif "=" in line and not line.startswith(";"):
            key, value = line.split("=", 1)
            values[(section, key.strip())] = value.strip()
    return values


def le(data, offset, count):
    return int.from_bytes(data[offset:offset + count], "little")


def entry_bytes(text):
    return bytes.fromhex(text)


def parse_s3(line):
    raw = bytes.fromhex(line[2:])
    width = {"1": 2, "2": 3, "3": 4}[line[1]]
    return int.from_bytes(raw[1:1 + width], "big"), raw[1 + width:-1]


# --------------------------------------------------------------------------
# The handset picture format, as the program converts bitmaps into it.

def handset_picture(pixels, w, h):
    values = [demo.rgb565(p) for row in pixels for p in row]
    palette = sorted(set(values), key=str)[:127]
    index = {v: i for i, v in enumerate(palette)}
    out = bytearray([0x09, len(palette)])
    for v in palette:
        out += v.to_bytes(2, "little")
    i, last = 0, len(values) - 1
    while i < last:
        run = 1
        while i + run < last and values[i + run] == values[i] and run < 63:
            run += 1
        if values[i] in index:
            out += bytes([0xC0 + run, index[values[i]]])
        else:
            out += bytes([0x80 + run]) + values[i].to_bytes(2, "little")
        i += run
    out += bytes([0x81]) + values[last].to_bytes(2, "little")
    if len(out) % 2:
        out.append(0)
    return bytes(out + bytes([w & 0xFF, 0, h & 0xFF, 0]))


# --------------------------------------------------------------------------
# The resources' contents: invented, but whole files of the kinds their
# suffixes say, each exactly the size its table entry gives, so that
# `tarvex-cli scan` finds them as it finds real ones.

def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def text_events(length):
    """Text meta events of exactly length bytes (at least 4)."""
    out = bytearray()
    while length > 0:
        n = min(length, 131) if length - 131 >= 4 or length <= 131 else length - 4
        out += b"\x00\xFF\x01" + bytes([n - 4]) + b"." * (n - 4)
        length -= n
    return bytes(out)


def midi(title, size, rng):
    """A Standard MIDI File of one track named title, notes, then filler text."""
    name = title.encode("cp1251")
    events = b"\x00\xFF\x03" + vlq(len(name)) + name
    for _ in range(16):
        note = rng.randrange(48, 84)
        events += bytes([0x00, 0x90, note, 0x64, 0x30, 0x80, note, 0x40])
    end = b"\x00\xFF\x2F\x00"
    track_length = size - 14 - 8
    events += text_events(track_length - len(events) - len(end)) + end
    return (b"MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60" +
            b"MTrk" + len(events).to_bytes(4, "big") + events)


def smaf(title, size, rng):
    """A SMAF file: its contents information naming title, one score track."""
    info = bytes([0x00, 0x00, 0x00, 0x00, 0x00]) + b"ST:" + title.encode("cp1251") + b","
    cnti = b"CNTI" + len(info).to_bytes(4, "big") + info
    track = rng.randbytes(size - 8 - len(cnti) - 8 - 2)
    body = cnti + b"MTR\x00" + len(track).to_bytes(4, "big") + track
    smaf_bytes = b"MMMD" + (len(body) + 2).to_bytes(4, "big") + body
    crc = 0xFFFF
    for byte in smaf_bytes:
        crc ^= byte << 8
        for _ in range(8):
            crc = ((crc << 1) ^ 0x1021) if crc & 0x8000 else crc << 1
            crc &= 0xFFFF
    return smaf_bytes + (crc ^ 0xFFFF).to_bytes(2, "big")


def melody(slot, title, size, rng):
    return smaf(title, size, rng) if slot % 3 == 2 else midi(title, size, rng)


def jad(name, size, jar_size):
    """A JAD of exactly size bytes naming a JAR of jar_size bytes."""
    lines = ["MIDlet-Name: %s" % name, "MIDlet-Vendor: Demo", "MIDlet-Version: 1.0",
             "MIDlet-Jar-URL: %s.jar" % name, "MIDlet-Jar-Size: %d" % jar_size]
    optional = ["MIDlet-1: %s, /icon.png, Main" % name, "MicroEdition-Profile: MIDP-2.0",
                "MicroEdition-Configuration: CLDC-1.1"]
    text = lambda: "".join(line + "\r\n" for line in lines).encode("utf-8")
    for line in optional:
        lines.append(line)
        if len(text()) > size:
            lines.pop()
    free = size - len(text())
    if free >= len("MIDlet-Description: .\r\n"):
        lines.append("MIDlet-Description: " + "." * (free - len("MIDlet-Description: \r\n")))
    else:
        lines[1] += " " * free  # blanks after a value are not part of it
    assert len(text()) == size, (name, size)
    return text()


def jar(name, size, rng):
    """A JAR of exactly size bytes: its manifest and one stored class file."""
    manifest = ("Manifest-Version: 1.0\r\nMIDlet-Name: %s\r\nMIDlet-Vendor: Demo\r\n"
                "MIDlet-Version: 1.0\r\nMIDlet-1: %s, /icon.png, Main\r\n"
                "MicroEdition-Profile: MIDP-2.0\r\nMicroEdition-Configuration: CLDC-1.1\r\n"
                % (name, name)).encode("utf-8")

    def archive(payload):
        out = io.BytesIO()
        with zipfile.ZipFile(out, "w") as z:
            info = zipfile.ZipInfo("META-INF/MANIFEST.MF", (2006, 1, 1, 0, 0, 0))
            z.writestr(info, manifest, compress_type=zipfile.ZIP_DEFLATED)
            z.writestr(zipfile.ZipInfo("Main.class", (2006, 1, 1, 0, 0, 0)), payload,
                       compress_type=zipfile.ZIP_STORED)
        return out.getvalue()

    data = archive(b"")
    data = archive(rng.randbytes(size - len(data)))
    assert len(data) == size, (name, size)
    return data


def build_old(data, pad_to):
    ini = read_ini(data)
    rng = random.Random(0x46574D)
    regions = []
    for section in ("Melodies", "JavaGames", "Pictures"):
        regions.append((int(ini[(section, "StartOffset")], 16),
                        int(ini[(section, "EndOffset")], 16)))
    size = max(end for _, end in regions) + 0x10000
    size = max(size, pad_to)
    image = bytearray(rng.randbytes(size))
    for start, end in regions:
        image[start:end + 1] = b"\xFF" * (end + 1 - start)

    def place(address, content):
        image[address:address + len(content)] = content

    items = []  # (kind, slot, table address, entry bytes)
    names = read_lines(data, "StdMelodiesList.lst")
    for slot, (table, entry) in enumerate(zip(read_lines(data, "MelodiesTable.lst"),
                                              read_lines(data, "StdMelodiesOffsets.lst"))):
        e = entry_bytes(entry)
        place(int(table, 16), e)
        place(le(e, 0, 4), melody(slot, names[slot], le(e, 4, 4), rng))
        items.append(("melody", slot, int(table, 16), e))
    for offset, volume in zip(read_lines(data, "VolumesOffsets.lst"),
                              read_lines(data, "StdVolumes.lst")):
        place(int(offset, 16), bytes.fromhex(volume))
    names = read_lines(data, "JavaStdNames.lst")
    entries = [entry_bytes(e) for e in read_lines(data, "JavaStdOffsets.lst")]
    for slot, (table, e) in enumerate(zip(read_lines(data, "JavaTable.lst"), entries)):
        place(int(table, 16), e)
        name, size = names[slot].rsplit(".", 1)[0], le(e, 0, 4)
        if slot % 2 == 0:  # the JAD, naming the size of the JAR after it
            content = jad(name, size, le(entries[slot + 1], 0, 4))
        else:
            content = jar(name, size, rng)
        place(le(e, 4, 4), content)
        items.append(("java", slot, int(table, 16), e))
    for slot, (table, entry) in enumerate(zip(read_lines(data, "PicTable.lst"),
                                              read_lines(data, "PicOffsets.lst"))):
        e = entry_bytes(entry)
        _, w, h, draw = demo.PICTURES[slot]
        if (le(e, 0, 2), le(e, 2, 2)) != (w, h):
            raise SystemExit("picture %d of the data set is not the drawing's size" % (slot + 1))
        place(int(table, 16), e)
        place(le(e, 4, 4), handset_picture(demo.render(draw, w, h), w, h))
        items.append(("picture", slot, int(table, 16), e))
    return image, items


def new_address(address):
    return address + sum(length for at, length in INSERTIONS if address >= at)


def build_new(old, items):
    rng = random.Random(0x4E4557)
    new = bytearray()
    last = 0
    for at, length in INSERTIONS:
        new += old[last:at] + rng.randbytes(length)
        last = at
    new += old[last:]
    moved_entry = None
    for kind, slot, table, e in items:
        e = bytearray(e)
        at = 0 if kind == "melody" else 4
        address = le(e, at, 4)
        target = new_address(address)
        if kind == "melody" and slot == MOVED_MELODY:
            size = le(e, 4, 4)
            content = new[target:target + size]
            new[target:target + size] = rng.randbytes(size)
            target = new_address(MOVED_TO)
            new[target:target + size] = content
            moved_entry = (slot, target)
        e[at:at + 4] = target.to_bytes(4, "little")
        new[new_address(table):new_address(table) + 8] = e
    assert moved_entry is not None
    return new


def write_s3(path, image, record_bytes):
    with open(path, "w", newline="\r\n") as f:
        f.write("S00600004844521B\n")
        for offset in range(0, len(image), record_bytes):
            f.write(demo.s3_line(offset, bytes(image[offset:offset + record_bytes])) + "\n")
        f.write("S70500000000FA\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default="demo-firmware", help="the folder to write into")
    parser.add_argument("--data", default=os.path.join(os.path.dirname(HERE), "data", "firmware",
                                                       demo.FIRMWARE_ID, "Data"),
                        help="the data set's Data folder")
    parser.add_argument("--binary", action="store_true", help="also write raw images (.bin)")
    parser.add_argument("--record-bytes", type=int, default=32, metavar="N",
                        help="data bytes of each S3 record, 1 to 250")
    parser.add_argument("--pad-to", type=int, default=0, metavar="MIB",
                        help="fill the firmwares with code up to this many MiB")
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    old, items = build_old(args.data, args.pad_to * 1024 * 1024)
    new = build_new(old, items)
    for name, image in (("X120XEDJ2", old), ("X120XEDJ3", new)):
        write_s3(os.path.join(args.out, name + ".s3"), image, args.record_bytes)
        if args.binary:
            with open(os.path.join(args.out, name + ".bin"), "wb") as f:
                f.write(image)
    return 0


if __name__ == "__main__":
    sys.exit(main())
