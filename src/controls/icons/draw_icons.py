#!/usr/bin/env python3
"""Writes the drive list's 16 x 16 icons as PNG files beside this script.

Each picture is drawn here as pixel art, one character a pixel ('.' is see-through); the
optical disc is computed. The pictures keep to the top 14 rows, so that they fit the rows of
the list in its 10-point font. Run it again after changing a picture; standard Python only.
"""
import math
import os
import struct
import zlib

PALETTE = {
    "k": (40, 40, 48),      # outline
    "g": (96, 96, 104),     # dark grey
    "m": (160, 160, 168),   # mid grey
    "l": (216, 216, 222),   # light grey
    "w": (255, 255, 255),   # white
    "G": (0, 200, 0),       # lamp
    "y": (240, 196, 72),    # folder
    "o": (255, 228, 140),   # folder, light edge
    "Y": (192, 144, 40),    # folder, shadow
    "b": (48, 96, 192),     # floppy
    "a": (232, 120, 40),    # stick
    "A": (176, 80, 24),     # stick, shadow
    "u": (200, 200, 208),   # metal
    "r": (208, 48, 48),     # label stripe
    "R": (192, 64, 48),     # roof
    "c": (120, 176, 232),   # window
    "h": (128, 80, 40),     # door
}

PICTURES = {
    "drive-fixed": [
        "................",
        "................",
        "................",
        "..kkkkkkkkkkkk..",
        ".kllllllllllllk.",
        "kllllllllllllllk",
        "kkkkkkkkkkkkkkkk",
        "kmmmmmmmmmmmmmmk",
        "kmggggggggmmGGmk",
        "kmmmmmmmmmmmmmmk",
        "kkkkkkkkkkkkkkkk",
        "................",
        "................",
        "................",
        "................",
        "................",
    ],
    "folder": [
        "................",
        "................",
        ".kkkkk..........",
        "kyyyyyk.........",
        "kyyyyyykkkkkkkk.",
        "kyoooooooooooook",
        "kyoyyyyyyyyyyyyk",
        "kyyyyyyyyyyyyyyk",
        "kyyyyyyyyyyyyyyk",
        "kyyyyyyyyyyyyyyk",
        "kyyyyyyyyyyyyyyk",
        "kyyyyyyyyyyyyyyk",
        "kYYYYYYYYYYYYYYk",
        "kkkkkkkkkkkkkkkk",
        "................",
        "................",
    ],
    "floppy": [
        "kkkkkkkkkkkkkkk.",
        "kbbbmmmmmmmbbbbk",
        "kbbbmmggmmmbbbbk",
        "kbbbmmggmmmbbbbk",
        "kbbbmmmmmmmbbbbk",
        "kbbbbbbbbbbbbbbk",
        "kbbwwwwwwwwwwbbk",
        "kbbwrrrrrrrrwbbk",
        "kbbwwwwwwwwwwbbk",
        "kbbwggggggggwbbk",
        "kbbwwwwwwwwwwbbk",
        "kbbwggggggwwwbbk",
        "kbbwwwwwwwwwwbbk",
        "kkkkkkkkkkkkkkkk",
        "................",
        "................",
    ],
    "removable": [
        ".....kkkkkk.....",
        ".....kuuuuk.....",
        ".....kukkuk.....",
        ".....kuuuuk.....",
        "....kkkkkkkk....",
        "....kaaaaaak....",
        "....kaaaaaAk....",
        "....kaaaaaAk....",
        "....kaaaaaAk....",
        "....kaaaaaAk....",
        "....kaaaaaAk....",
        "....kaaGGaAk....",
        "....kAAAAAAk....",
        "....kkkkkkkk....",
        "................",
        "................",
    ],
    "document": [
        "..kkkkkkkkk.....",
        "..kwwwwwwwkk....",
        "..kwwwwwwwklk...",
        "..kwwwwwwwkkkk..",
        "..kwwwwwwwwwwk..",
        "..kwggggggggwk..",
        "..kwwwwwwwwwwk..",
        "..kwggggggggwk..",
        "..kwwwwwwwwwwk..",
        "..kwgggggggwwk..",
        "..kwwwwwwwwwwk..",
        "..kwggggggggwk..",
        "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..",
        "................",
        "................",
    ],
    "profile": [
        ".......kk.......",
        "......kRRk......",
        ".....kRRRRk.kk..",
        "....kRRRRRRkkk..",
        "...kRRRRRRRRkk..",
        "..kRRRRRRRRRRk..",
        ".kRRRRRRRRRRRRk.",
        "kkkkkkkkkkkkkkkk",
        ".kwwwwwwwwwwwwk.",
        ".kwccwwwwkkkwwk.",
        ".kwccwwwwkhkwwk.",
        ".kwwwwwwwkhkwwk.",
        ".kwwwwwwwkhkwwk.",
        ".kkkkkkkkkkkkkk.",
        "................",
        "................",
    ],
}


def disc():
    """A silver disc with a rainbow sheen, a clear ring and a hole, as RGBA rows."""
    rows = []
    for y in range(16):
        row = []
        for x in range(16):
            dx, dy = x - 7.5, y - 6.5
            d = math.hypot(dx, dy)
            if d > 7.1 or d < 1.5:
                row.append(None)
            elif d > 6.2 or d < 2.4:
                row.append(PALETTE["g"])
            elif d < 3.4:
                row.append(PALETTE["w"])
            else:
                # Coloured reflections in two opposite sectors, silver elsewhere.
                angle = math.degrees(math.atan2(dy, dx)) % 180
                if 20 <= angle < 45:
                    row.append((150, 200, 240))
                elif 45 <= angle < 70:
                    row.append((220, 170, 230))
                else:
                    row.append((204, 204, 212))
        rows.append(row)
    return rows


def pixels(picture):
    assert len(picture) == 16, picture
    rows = []
    for line in picture:
        assert len(line) == 16, line
        rows.append([None if c == "." else PALETTE[c] for c in line])
    return rows


def write_png(path, rows):
    raw = b"".join(
        b"\0" + b"".join(bytes((*p, 255)) if p else b"\0\0\0\0" for p in row) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, picture in PICTURES.items():
        write_png(os.path.join(here, name + ".png"), pixels(picture))
    write_png(os.path.join(here, "disc.png"), disc())


if __name__ == "__main__":
    main()
