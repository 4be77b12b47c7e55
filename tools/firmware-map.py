#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws what a data set says a firmware holds, as an SVG picture.

Reads the data set's lists, Memory.ini and required patches, and draws the
address space from the lowest address to the highest as a column of bands
(not to scale): the required patches and the Patch64K record, the three
tables and the volume bytes, the standard resources the table entries point
at, the three erased regions where new files go, and the firmware's own code
between them. Arrows lead from each table to the resources its entries point
at; a matrix beside the column says which band each patch writes.

Usage: firmware-map.py [--data DATA_FOLDER] [-o OUT.svg]
The default data set is the bundled one; the default output, standard output.
"""

import argparse
import html
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
BUNDLED = os.path.join(os.path.dirname(HERE), "data", "firmware", "X120XEDJ2", "Data")

# Fill colours by kind of band.
COLOURS = {
    "code": "#e8e8e8",
    "patch": "#f4c27a",
    "table": "#9cc3e6",
    "volume": "#b9d7a8",
    "resource": "#d5b6e0",
    "region": "#ffffff",
}
PATCHES = ("melody patch", "Java patch", "picture patch")


def read_lines(data, name):
    path = os.path.join(data, name)
    if not os.path.isfile(path):
        return []
    with open(path, "rb") as f:
        text = f.read().decode("cp1251")
    return text.replace("\r\n", "\n").replace("\r", "\n").split("\n")[:-1] if text else []


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


def number(text):
    """Decimal, or hexadecimal after 0x or $, as the program reads Memory.ini."""
    text = text.strip()
    if text.lower().startswith("0x"):
        return int(text[2:], 16)
    if text.startswith("$"):
        return int(text[1:], 16)
    return int(text)


def le(raw, offset, count):
    return int.from_bytes(raw[offset:offset + count], "little")


def s3_spans(lines):
    """(start, end) of every data record, neighbours joined."""
    spans = []
    for line in lines:
        if len(line) < 4 or line[0] != "S" or line[1] not in "123":
            continue
        raw = bytes.fromhex(line[2:])
        width = {"1": 2, "2": 3, "3": 4}[line[1]]
        start = int.from_bytes(raw[1:1 + width], "big")
        end = start + len(raw) - 2 - width
        if spans and spans[-1][1] == start:
            spans[-1] = (spans[-1][0], end)
        else:
            spans.append((start, end))
    return spans


def bands_of(data):
    """The bands the data set names: (start, end, kind, label, patches writing it)."""
    ini = read_ini(data)
    bands = []

    def flag(key, default):
        try:
            return number(ini.get(("Patches", key), str(default))) != 0
        except ValueError:
            return bool(default)

    managers = [
        # pages' flag, table list, entries list, region section, patch, resource decoder
        ("MelTabAvailable", "MelodiesTable.lst", "StdMelodiesOffsets.lst", "Melodies",
         "melody patch", ("melody", "melodies"), lambda e: (le(e, 0, 4), le(e, 4, 4))),
        ("JavaTabAvailable", "JavaTable.lst", "JavaStdOffsets.lst", "JavaGames",
         "Java patch", ("Java", "Java files"), lambda e: (le(e, 4, 4), le(e, 0, 4))),
        ("PicTabAvailable", "PicTable.lst", "PicOffsets.lst", "Pictures",
         "picture patch", ("picture", "pictures"), lambda e: (le(e, 4, 4), 1)),
    ]
    for flag_key, table, entries, section, patch, what, decode in managers:
        if not flag(flag_key, 1):
            continue
        addresses = [int(line, 16) for line in read_lines(data, table) if line]
        if addresses:
            bands.append((min(addresses), max(addresses) + 8, "table",
                          "%s table (%d entries of 8 bytes)" % (what[0], len(addresses)),
                          {patch}))
        resources = [decode(bytes.fromhex(line)) for line in read_lines(data, entries) if line]
        if resources:
            bands.append((min(a for a, _ in resources), max(a + s for a, s in resources),
                          "resource", "standard %s" % what[1], set()))
        start = ini.get((section, "StartOffset"))
        end = ini.get((section, "EndOffset"))
        if start and end:
            # Melody and Java files start after the string table's reserve.
            reserve = "" if section == "Pictures" else ", after the string table"
            bands.append((number(start), number(end), "region",
                          "%s region: erased, new files%s" % (what[0], reserve), {patch}))
    if flag("VolumePatchAvailable", 0):
        volumes = [int(line, 16) for line in read_lines(data, "VolumesOffsets.lst") if line]
        if volumes:
            bands.append((min(volumes), max(volumes) + 1, "volume",
                          "volume bytes (%d)" % len(volumes), {"melody patch"}))
    patch64k = ini.get(("Patches", "Patch64K"))
    if patch64k:
        for start, end in s3_spans([patch64k]):
            bands.append((start, end, "patch", "Patch64K record", {"melody patch"}))
    folder = os.path.join(data, "ReqPatches")
    for name in sorted(os.listdir(folder)) if os.path.isdir(folder) else []:
        if name.lower().endswith(".s3"):
            for start, end in s3_spans(read_lines(folder, name)):
                bands.append((start, end, "patch", "required patch %s" % name, set(PATCHES)))
    bands.sort()
    # The firmware's own bytes between the bands the data set names.
    filled, last = [], 0
    for band in bands:
        if band[0] > last:
            filled.append((last, band[0], "code", "code and other data", set()))
        filled.append(band)
        last = max(last, band[1])
    return filled


def svg(bands):
    row, top, left, width = 34, 40, 130, 400
    matrix = left + width + 90
    height = top + row * len(bands) + 120
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
           'font-family="sans-serif" font-size="12">' % (matrix + 3 * 90 + 10, height),
           '<defs><marker id="arrow" viewBox="0 0 10 10" refX="9" refY="5" markerWidth="7" '
           'markerHeight="7" orient="auto"><path d="M0,0 L10,5 L0,10 z" fill="#444"/>'
           '</marker></defs>',
           '<rect width="100%" height="100%" fill="#fff"/>',
           '<text x="%d" y="22" font-weight="bold">Firmware addresses, lowest first '
           '(not to scale)</text>' % left]
    for i, name in enumerate(PATCHES):
        out.append('<text x="%d" y="%d" text-anchor="middle" font-weight="bold">%s</text>'
                   % (matrix + 45 + 90 * i, top - 6, name))
    for i, (start, end, kind, label, writers) in enumerate(bands):
        y = top + row * i
        dash = ' stroke-dasharray="5,3"' if kind == "region" else ""
        out.append('<rect x="%d" y="%d" width="%d" height="%d" fill="%s" stroke="#555"%s/>'
                   % (left, y, width, row - 4, COLOURS[kind], dash))
        out.append('<text x="%d" y="%d">%s</text>' % (left + 8, y + 19, html.escape(label)))
        out.append('<text x="%d" y="%d" text-anchor="end" font-family="monospace" '
                   'font-size="11">%08X</text>' % (left - 8, y + 19, start))
        for j, name in enumerate(PATCHES):
            if name in writers:
                out.append('<circle cx="%d" cy="%d" r="7" fill="#c0392b"/>'
                           % (matrix + 45 + 90 * j, y + row / 2 - 2))
    # Each table's entries point at its standard resources; a patch points them
    # at new files in the region instead.
    def middle_of(kind, word):
        return next((top + row * i + row / 2 - 2 for i, b in enumerate(bands)
                     if b[2] == kind and word in b[3].split()), None)

    for k, what in enumerate(("melody", "Java", "picture")):
        table = middle_of("table", what)
        resource = middle_of("resource", {"melody": "melodies", "Java": "Java",
                                          "picture": "pictures"}[what])
        region = middle_of("region", what)
        edge = left + width
        for target, style, bend in ((resource, "", 0), (region, ' stroke-dasharray="4,3"', 12)):
            if table is None or target is None:
                continue
            x = edge + 24 + 26 * k + bend
            out.append('<path d="M%d,%d C%d,%d %d,%d %d,%d" fill="none" stroke="#444"%s '
                       'marker-end="url(#arrow)"/>'
                       % (edge, table, x, table, x, target, edge, target, style))
    y = top + row * len(bands) + 24
    legend = [
        "Solid arrows: a table entry points at its standard resource.",
        "Dashed arrows: after a patch, the entry points at a new file in the region.",
        "Red dots: the bands each manager's patch writes. A custom patch writes",
        "whatever file you choose at the address you type.",
    ]
    for n, text in enumerate(legend):
        out.append('<text x="%d" y="%d">%s</text>' % (left, y + 18 * n, html.escape(text)))
    out.append("</svg>")
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--data", default=BUNDLED, help="the data set's Data folder")
    parser.add_argument("-o", dest="out", default="-", help="the SVG file to write")
    args = parser.parse_args()
    picture = svg(bands_of(args.data))
    if args.out == "-":
        sys.stdout.write(picture)
    else:
        with open(args.out, "w", encoding="utf-8") as f:
            f.write(picture)


if __name__ == "__main__":
    main()
