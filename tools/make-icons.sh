#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Remakes the PNG sizes and the Windows .ico of the icon from
# packaging/icons/tarvex.svg (needs rsvg-convert, package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" tarvex.svg -o "tarvex-$size.png"
done
# An .ico may hold PNG images as they are.
python3 - <<'PY'
import struct
sizes = [16, 32, 48, 256]
images = [open(f"tarvex-{s}.png", "rb").read() for s in sizes]
offset = 6 + 16 * len(sizes)
entries = b""
for size, image in zip(sizes, images):
    entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
    offset += len(image)
with open("tarvex.ico", "wb") as ico:
    ico.write(struct.pack("<HHH", 0, 1, len(sizes)) + entries + b"".join(images))
PY
