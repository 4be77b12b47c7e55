#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the bundled demonstration firmware data set X120XEDJ2.

Everything in it is invented: the melody, game and picture names, the
addresses, the required patches and the preview drawings. The addresses are
examples only; a patch built with this data set must never be written into a
handset.

The output is deterministic: running the script twice gives the same bytes
(the JPEG previews are encoded with cjpeg, or with ImageMagick when cjpeg is
missing, so they depend only on the encoder's version).

Usage: make_demo_dataset.py [--out DATA_FOLDER]
The default output is data/firmware/X120XEDJ2/Data beside this script's
folder. The output folder is removed and written anew.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

FIRMWARE_ID = "X120XEDJ2"

# --------------------------------------------------------------------------
# Address map. Free regions (Memory.ini) first, then the tables and the
# standard resources, which all lie outside the free regions.

MEL_START, MEL_END = 0x01400000, 0x01A7FFF0
JAVA_START, JAVA_END = 0x01280000, 0x013BFFF0
PIC_START, PIC_END = 0x00700000, 0x007DFFFE
STRING_TABLE_SIZE = 4096

MEL_TABLE = 0x0058A000      # 32 entries of 8 bytes
VOLUME_BYTES = 0x0058A140   # 25 bytes, one per volume slot
JAVA_TABLE = 0x0059C400     # 8 entries of 8 bytes
PIC_TABLE = 0x005B1800      # 8 entries of 8 bytes

STD_MEL_AREA = 0x00C40000   # standard melodies, end to end, 4-byte aligned
STD_JAVA_AREA = 0x00E80000  # standard JAD and JAR files, 4-byte aligned
STD_PIC_AREA = 0x00520000   # standard pictures in the handset format

PATCH64K_ADDRESS = 0x0007A240
PATCH64K_DATA = bytes.fromhex("2A4B1B68002B03D0104A9A4200D1C0B2")

PLACEHOLDER_MELODY = "[Стандартная мелодия]"
PLACEHOLDER_GAME = "[Стандартная игра]"
PLACEHOLDER_PICTURE = "[Стандартная картинка]"

VOLUME_SLOTS = 25

MELODY_NAMES = [
    "Утренняя заря", "Classic Ring 1", "Classic Ring 2", "Лесной ручей",
    "Весенняя капель", "Digital Pulse", "Морской бриз", "Городские огни",
    "Soft Chime", "Летний дождь", "Crystal Bells", "Северное сияние",
    "Old Phone", "Тихая гавань", "Electro Beat", "Снежинки",
    "Morning Alarm", "Дорожная", "Happy Tone", "Колокольчики",
    "Space Echo", "Горное эхо", "Sunny Day", "Ночной экспресс",
    "Marimba Loop", "Радуга", "Calm Waves", "Степной ветер",
    "Alert 1", "Alert 2", "Будильник", "Сообщение",
]

GAME_NAMES = ["Космос", "Лабиринт", "SnakeRace", "PixelJump"]


# --------------------------------------------------------------------------
# Small functions shared by the writers below.

class Lcg:
    """A fixed pseudo-random sequence, the same on every Python version."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state

    def between(self, low, high):
        return low + self.next() % (high - low + 1)


def hex8(value):
    return "%08X" % value


def le32(value):
    return value.to_bytes(4, "little").hex().upper()


def le16(value):
    return value.to_bytes(2, "little").hex().upper()


def align(value, step):
    return (value + step - 1) // step * step


def s3_line(address, data):
    body = bytes([len(data) + 5]) + address.to_bytes(4, "big") + data
    checksum = (~sum(body)) & 0xFF
    return "S3" + body.hex().upper() + "%02X" % checksum


def s3_lines(address, data):
    return [s3_line(address + i, data[i:i + 16]) for i in range(0, len(data), 16)]


def write_bytes(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def write_lines(path, lines):
    """Windows-1251 text, CR LF after every line, the last one included."""
    write_bytes(path, "".join(line + "\r\n" for line in lines).encode("cp1251"))


# --------------------------------------------------------------------------
# Melodies.

def melody_lists(out):
    count = len(MELODY_NAMES)
    rng = Lcg(0x4D454C)
    entries = []
    address = STD_MEL_AREA
    for _ in range(count):
        size = rng.between(1800, 23000)
        entries.append(le32(address) + le32(size))
        address = align(address + size, 4)
    assert address <= MEL_START

    write_lines(os.path.join(out, "StdMelodiesList.lst"), MELODY_NAMES)
    write_lines(os.path.join(out, "MelodiesFiles.lst"), [PLACEHOLDER_MELODY] * count)
    write_lines(os.path.join(out, "MelodiesNames.lst"), MELODY_NAMES)
    write_lines(os.path.join(out, "MelodiesSize.lst"), ["0"] * count)
    write_lines(os.path.join(out, "MelodiesTable.lst"),
                [hex8(MEL_TABLE + 8 * i) for i in range(count)])
    write_lines(os.path.join(out, "StdMelodiesOffsets.lst"), entries)

    volumes = []
    for i in range(VOLUME_SLOTS):
        volumes.append("%02X" % rng.between(0x30, 0x7F))
    volumes[0] = "7F"  # the ring tone loudest, an alarm quiet
    volumes[VOLUME_SLOTS - 1] = "01"
    write_lines(os.path.join(out, "VolumesOffsets.lst"),
                [hex8(VOLUME_BYTES + i) for i in range(VOLUME_SLOTS)])
    write_lines(os.path.join(out, "StdVolumes.lst"), volumes)
    write_lines(os.path.join(out, "Volumes.lst"), volumes)


# --------------------------------------------------------------------------
# Java games: each game is a JAD slot (even row) and a JAR slot (odd row).

def java_lists(out):
    rng = Lcg(0x4A4156)
    names, entries = [], []
    address = STD_JAVA_AREA
    for game in GAME_NAMES:
        for extension, low, high in ((".jad", 180, 420), (".jar", 28000, 115000)):
            size = rng.between(low, high)
            names.append(game + extension)
            entries.append(le32(size) + le32(address))
            address = align(address + size, 4)
    assert address <= JAVA_START
    count = len(names)
    write_lines(os.path.join(out, "JavaStdNames.lst"), names)
    write_lines(os.path.join(out, "JavaFiles.lst"), [PLACEHOLDER_GAME] * count)
    write_lines(os.path.join(out, "JavaSize.lst"), ["0"] * count)
    write_lines(os.path.join(out, "JavaTable.lst"),
                [hex8(JAVA_TABLE + 8 * i) for i in range(count)])
    write_lines(os.path.join(out, "JavaStdOffsets.lst"), entries)


# --------------------------------------------------------------------------
# Pictures. Each drawing is a function of (x, y) giving (r, g, b); the same
# pixels give the JPEG preview and the size of the standard picture in the
# handset format, which places the standard pictures end to end.

def clamp(v):
    return max(0, min(255, int(v)))


def mix(a, b, t):
    return tuple(clamp(a[i] + (b[i] - a[i]) * t) for i in range(3))


def inside_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def draw_wallpaper(x, y, w, h):
    # sky gradient, a sun and two hills
    if inside_circle(x, y, 92, 34, 16):
        return (255, 214, 64)
    if y > 70 + ((x - 36) ** 2) / 60.0:
        return mix((40, 150, 60), (20, 90, 40), (y - 70) / 58.0)
    if y > 84 + ((x - 104) ** 2) / 80.0:
        return mix((70, 170, 80), (30, 110, 50), (y - 84) / 44.0)
    return mix((90, 160, 240), (200, 120, 220), (x + y) / float(w + h))


def draw_logo(x, y, w, h):
    # dark field, a ring of colour around a diamond, two stripes
    cx, cy = w / 2.0, h / 2.0
    d2 = (x - cx) ** 2 + (y - cy) ** 2
    if 18 ** 2 <= d2 <= 26 ** 2:
        return mix((255, 80, 40), (255, 200, 0), x / float(w))
    if abs(x - cx) + abs(y - cy) < 11:
        return mix((240, 240, 255), (120, 200, 255), (y - cy + 11) / 22.0)
    if y in (4, 5, h - 6, h - 5):
        return (0, 180, 220)
    return (16, 24, 48)


def draw_envelope(x, y, w, h):
    # a letter: border, and the flap as a V from the top corners
    if x < 2 or x >= w - 2 or y < 6 or y >= h - 6:
        return (230, 240, 255)
    if x in (2, w - 3) or y in (6, h - 7):
        return (40, 60, 140)
    flap = 6 + ((w - 5) / 2.0 - abs(x - (w - 1) / 2.0)) * 0.6
    if abs(y - flap) < 0.8:
        return (40, 60, 140)
    return (255, 250, 210)


def draw_battery(x, y, w, h):
    if 3 <= y <= 12 and 1 <= x <= 13:
        if x in (1, 13) or y in (3, 12):
            return (60, 60, 60)
        if x <= 9:
            return (40, 200, 60)
        return (220, 220, 220)
    if 6 <= y <= 9 and x == 14:
        return (60, 60, 60)
    return (255, 255, 255)


def draw_status_bar(x, y, w, h):
    # signal bars on the left, a clock-like block on the right
    for i in range(4):
        left = 3 + i * 5
        if left <= x < left + 3 and y >= 16 - i * 3 - 3 and y <= 16:
            return (255, 255, 255)
    if 92 <= x <= 115 and 6 <= y <= 13 and (x - 92) % 6 < 4:
        return (255, 230, 120)
    return mix((20, 60, 140), (60, 120, 200), y / float(h))


def draw_games_icon(x, y, w, h):
    # a game pad: rounded body, a cross and two buttons
    if not (6 <= y <= 57 and 4 <= x <= 59):
        return (250, 250, 250)
    if (x < 12 or x > 51) and (y < 14 or y > 49):
        if not (inside_circle(x, y, 12, 14, 8) or inside_circle(x, y, 51, 14, 8)
                or inside_circle(x, y, 12, 49, 8) or inside_circle(x, y, 51, 49, 8)):
            return (250, 250, 250)
    if (14 <= x <= 30 and 28 <= y <= 35) or (19 <= x <= 25 and 22 <= y <= 41):
        return (30, 30, 30)
    if inside_circle(x, y, 44, 26, 4):
        return (230, 40, 40)
    if inside_circle(x, y, 50, 37, 4):
        return (40, 120, 230)
    return mix((150, 90, 210), (90, 50, 160), y / float(h))


def draw_alarm(x, y, w, h):
    cx, cy = 11.5, 13
    if inside_circle(x, y, 4, 4, 3) or inside_circle(x, y, 19, 4, 3):
        return (200, 60, 30)
    if inside_circle(x, y, cx, cy, 9):
        if not inside_circle(x, y, cx, cy, 7.5):
            return (200, 60, 30)
        if (abs(x - cx) < 1 and cy - 6 <= y <= cy) or (abs(y - cy) < 1 and cx <= x <= cx + 4):
            return (20, 20, 20)
        return (255, 255, 240)
    return (210, 235, 255)


def draw_sunset(x, y, w, h):
    horizon = 48
    if y < horizon:
        if inside_circle(x, y, 50, horizon, 18):
            return (255, 180, 60)
        return mix((250, 110, 70), (70, 40, 120), (horizon - y) / float(horizon))
    if (y - horizon) % 6 < 2 and abs(x - 50) < 30 - (y - horizon) // 2:
        return (255, 170, 80)
    return mix((40, 50, 110), (10, 20, 50), (y - horizon) / float(h - horizon))


PICTURES = [
    ("Обои рабочего стола", 128, 128, draw_wallpaper),
    ("Логотип оператора", 96, 64, draw_logo),
    ("Значок сообщений", 32, 32, draw_envelope),
    ("Индикатор батареи", 16, 16, draw_battery),
    ("Строка состояния", 120, 20, draw_status_bar),
    ("Значок меню «Игры»", 64, 64, draw_games_icon),
    ("Значок будильника", 24, 24, draw_alarm),
    ("Заставка выключения", 101, 80, draw_sunset),
]


def render(draw, w, h):
    return [[draw(x, y, w, h) for x in range(w)] for y in range(h)]


def rgb565(pixel):
    r, g, b = pixel
    return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)


def handset_size(pixels):
    """Length in bytes of the picture in the handset picture format."""
    values = [rgb565(p) for row in pixels for p in row]
    palette = sorted(set(values), key=str)[:127]
    in_palette = set(palette)
    size = 2 + 2 * len(palette)
    i, last = 0, len(values) - 1
    while i < last:
        run = 1
        while i + run < last and values[i + run] == values[i] and run < 63:
            run += 1
        size += 2 if values[i] in in_palette else 3
        i += run
    size += 3
    size += size % 2
    return size + 4


def write_jpeg(path, pixels, w, h):
    ppm = b"P6\n%d %d\n255\n" % (w, h) + bytes(c for row in pixels for p in row for c in p)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "in.ppm")
        write_bytes(source, ppm)
        if shutil.which("cjpeg"):
            subprocess.run(["cjpeg", "-quality", "90", "-optimize", "-outfile", path, source],
                           check=True)
        else:
            subprocess.run(["convert", source, "-strip", "-quality", "90", "jpeg:" + path],
                           check=True)


def picture_lists(out):
    entries = []
    address = STD_PIC_AREA
    for index, (_, w, h, draw) in enumerate(PICTURES):
        assert 0 < w < 256 and 0 < h < 256
        pixels = render(draw, w, h)
        write_jpeg(os.path.join(out, "Pic", "%d.jpg" % (index + 1)), pixels, w, h)
        entries.append(le16(w) + le16(h) + le32(address))
        address += handset_size(pixels)
    assert address <= PIC_START
    count = len(PICTURES)
    write_lines(os.path.join(out, "PicNames.lst"), [p[0] for p in PICTURES])
    write_lines(os.path.join(out, "PicFiles.lst"), [PLACEHOLDER_PICTURE] * count)
    write_lines(os.path.join(out, "PicSize.lst"), ["0"] * count)
    write_lines(os.path.join(out, "PicTable.lst"),
                [hex8(PIC_TABLE + 8 * i) for i in range(count)])
    write_lines(os.path.join(out, "PicOffsets.lst"), entries)


# --------------------------------------------------------------------------
# Memory.ini and the required patches.

def memory_ini(out):
    lines = [
        "; Демонстрационный набор данных: все адреса в нём - лишь примеры. "
        "Никогда не записывайте созданные с ним патчи в телефон!",
        "; Demonstration data set: every address is an example only. "
        "Never flash a patch made with it onto a handset.",
        "",
        "[Melodies]",
        "StartOffset=0x%08X" % MEL_START,
        "EndOffset=0x%08X" % MEL_END,
        "",
        "[JavaGames]",
        "StartOffset=0x%08X" % JAVA_START,
        "EndOffset=0x%08X" % JAVA_END,
        "",
        "[Pictures]",
        "StartOffset=0x%08X" % PIC_START,
        "EndOffset=0x%08X" % PIC_END,
        "",
        "[StringTable]",
        "Size=%d" % STRING_TABLE_SIZE,
        "",
        "[Patches]",
        "Patch64K=" + s3_line(PATCH64K_ADDRESS, PATCH64K_DATA),
        "VolumePatchAvailable=1",
        "MelTabAvailable=1",
        "JavaTabAvailable=1",
        "PicTabAvailable=1",
    ]
    write_lines(os.path.join(out, "Memory.ini"), lines)


def required_patches(out):
    folder = os.path.join(out, "ReqPatches")
    # Lifts an invented check of the resource tables: a branch over it.
    unlock = bytes.fromhex(
        "00B5054A1368002B01D0FFF7C1FB00BD"
        "C046C046C046C0460120704700207047"
        "10B5041C0020FFF7D7FB201C10BD0000"
        "5A5A0C00")
    write_lines(os.path.join(folder, "Unlock.s3"), s3_lines(0x00041A00, unlock))
    # An invented glyph block: eight 8x8 glyphs.
    glyphs = bytes(((row * 37 + glyph * 11) ^ (0x81 if row in (0, 7) else 0x3C)) & 0xFF
                   for glyph in range(8) for row in range(8))
    # Data records only: the lines are copied into the middle of every patch,
    # where a header or end record of their own would not belong.
    write_lines(os.path.join(folder, "Fonts.s3"), s3_lines(0x00334000, glyphs))


# --------------------------------------------------------------------------
# Help texts, RTF in code page 1251 with every non-ASCII byte escaped.

def rtf_text(text):
    out = []
    for byte in text.encode("cp1251"):
        ch = chr(byte)
        if byte >= 0x80:
            out.append("\\'%02x" % byte)
        elif ch in "\\{}":
            out.append("\\" + ch)
        else:
            out.append(ch)
    return "".join(out)


def rtf_document(parts):
    """parts: list of (kind, text) with kind heading, para, item, note."""
    body = []
    for kind, content in parts:
        spans = content if isinstance(content, list) else [("", content)]
        text = "".join(
            ("{\\%s %s}" % (style, rtf_text(s)) if style else rtf_text(s)) for style, s in spans)
        if kind == "heading":
            body.append("\\pard\\sa120\\qc\\b\\fs28 %s\\b0\\fs20\\par" % text)
        elif kind == "item":
            body.append("\\pard\\fi-240\\li360\\sa60 %s\\par" % text)
        else:
            body.append("\\pard\\sa120 %s\\par" % text)
    head = ("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"
            "{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}"
            "{\\colortbl ;\\red128\\green0\\blue0;}\\f0\\fs20")
    return head + "\r\n" + "\r\n".join(body) + "\r\n}\r\n"


JAVA_HELP = [
    ("heading", "Менеджер JAVA игр"),
    ("para", "В списке показаны файлы игр, встроенных в прошивку. Каждая игра "
             "занимает две строки: в первой из них (первой, третьей, пятой, ... "
             "строке списка) лежит описатель JAD, во второй (второй, четвёртой, "
             "шестой, ...) — архив JAR той же игры."),
    ("para", [("b", "Как заменить игру:")]),
    ("item", "1. Выберите строку в списке."),
    ("item", [("", "2. Нажмите кнопку «Открыть Midlet» и загрузите файл: для строки "
                   "JAD — файл "), ("i", "*.jad"), ("", ", для строки JAR — файл "),
              ("i", "*.jar"), ("", ". Заменяйте оба файла одной игры вместе.")]),
    ("item", "3. Следите за шкалой памяти: если новые файлы не помещаются в "
             "свободную область, кнопка «Создать патч!» становится недоступна."),
    ("item", "4. Нажмите «Создать патч!» и сохраните файл *.s3."),
    ("para", "Кнопка «Использовать стандартную игру» возвращает строке встроенный "
             "файл. Выбор сохраняется и после перезапуска программы."),
    ("para", [("i\\cf1", "Внимание: "),
              ("ul", "адреса этого демонстрационного набора данных — лишь примеры"),
              ("", ". Не записывайте созданные с ним патчи в телефон.")]),
]

PIC_HELP = [
    ("heading", "Менеджер картинок"),
    ("para", "В списке показаны картинки прошивки, которые можно заменить. При "
             "выборе строки в рамке «Стандартная картинка» появляется встроенная "
             "картинка, в рамке «Новая картинка» — выбранная вами, а в поле "
             "«Инфо» — ширина и высота в пикселях."),
    ("para", [("b", "Как заменить картинку:")]),
    ("item", "1. Выберите строку в списке."),
    ("item", [("", "2. Нажмите кнопку «Открыть картинку» и загрузите файл "),
              ("i", "*.bmp"), ("", " "),
              ("ul", "точно того же размера"),
              ("", ", что и стандартная картинка; картинку другого размера "
                   "программа не примет.")]),
    ("item", "3. Следите за шкалой памяти: если картинки не помещаются в "
             "свободную область, кнопка «Создать патч!» становится недоступна."),
    ("item", "4. Нажмите «Создать патч!» и сохраните файл *.s3."),
    ("para", "Кнопка «Использовать стандартную» возвращает строке встроенную "
             "картинку."),
    ("para", [("i\\cf1", "Внимание: "),
              ("ul", "адреса этого демонстрационного набора данных — лишь примеры"),
              ("", ". Не записывайте созданные с ним патчи в телефон.")]),
]


def help_texts(out):
    write_bytes(os.path.join(out, "JavaHelp.rtf"), rtf_document(JAVA_HELP).encode("ascii"))
    write_bytes(os.path.join(out, "PicHelp.rtf"), rtf_document(PIC_HELP).encode("ascii"))


# --------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.join(os.path.dirname(here), "data", "firmware", FIRMWARE_ID, "Data")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=default_out, help="the Data folder to write")
    out = parser.parse_args().out

    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(out)
    melody_lists(out)
    java_lists(out)
    picture_lists(out)
    memory_ini(out)
    required_patches(out)
    help_texts(out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
