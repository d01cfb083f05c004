#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
"""Writes Icon1.ico: one 32x32 image, 16 colours (4 bits per pixel), a folder with a green plus.

Run it from anywhere; it writes the icon beside itself. The output is byte-for-byte the same every run.
"""
import os
import struct

PALETTE = [  # the classic 16-colour console palette, as (red, green, blue)
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
COLOURS = {'.': None, 'k': 0, 'o': 3, 'y': 11, 'w': 15, 'g': 2, 'G': 10}

PICTURE = [  # top row first; '.' is transparent
    "................................",
    "................................",
    "................................",
    "................................",
    "..kkkkkkkkk.....................",
    ".koooooooook....................",
    ".koyyyyyyyyokkkkkkkkkkkkkkkkk...",
    ".koyyyyyyyyyoooooooooooooooook..",
    ".kooooooooooooooooooooooooooook.",
    ".koyyyyyyyyyyyyyyyyyyyyyyyyyyok.",
    ".koyyyyyyyyyyyyyyyyyyyyyyyyyyok.",
    ".koyyyyyyyyyyyyyyyyyyyyyyyyyyok.",
    ".koyyyyyyyyyyyyyyyyyyyyyyyyyyok.",
    ".koyyyyyyyyyyyyyyyyyyyyyyyyyyok.",
    ".koyyyyyyyyyyyyyyyyykkkkkkyyyok.",
    ".koyyyyyyyyyyyyyyyykGGGGGGkyyok.",
    ".koyyyyyyyyyyyyyyykGGGwwGGGkyok.",
    ".koyyyyyyyyyyyyyyykGGGwwGGGkyok.",
    ".koyyyyyyyyyyyyyyykGwwwwwwGkyok.",
    ".koyyyyyyyyyyyyyyykGwwwwwwGkyok.",
    ".koyyyyyyyyyyyyyyykGGGwwGGGkyok.",
    ".koyyyyyyyyyyyyyyykGGGwwGGGkyok.",
    ".koyyyyyyyyyyyyyyyykggggggkyyok.",
    ".koyyyyyyyyyyyyyyyyykkkkkkyyyok.",
    ".kooooooooooooooooooooooooooook.",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
]


def main():
    rows = PICTURE
    assert len(rows) == 32 and all(len(row) == 32 for row in rows)
    xor_rows, and_rows = [], []
    for row in reversed(rows):  # bitmaps are stored bottom row first
        indices = [COLOURS[c] if COLOURS[c] is not None else 0 for c in row]
        xor_rows.append(bytes((indices[i] << 4) | indices[i + 1] for i in range(0, 32, 2)))
        mask = 0
        for c in row:
            mask = (mask << 1) | (1 if COLOURS[c] is None else 0)
        and_rows.append(struct.pack('>I', mask))  # 32 bits: already a multiple of 4 bytes
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    pixels = b''.join(xor_rows) + b''.join(and_rows)
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    image = header + palette + pixels
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4, len(image), 22)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'Icon1.ico')
    with open(path, 'wb') as out:
        out.write(directory + image)


if __name__ == '__main__':
    main()
