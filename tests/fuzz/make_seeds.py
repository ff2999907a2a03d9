#!/usr/bin/env python3
"""Writes the committed seed corpus: tiny PNGs of every colour type and a few
record files. Run again after changing it; the outputs are committed."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width, height, depth, colour, rows, interlace=0, extra=b""):
    """rows: the filtered scanlines (each with its filter byte), already joined."""
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def plain_rows(height, row_bytes, fill):
    return b"".join(b"\x00" + bytes(fill(y, i) & 0xFF for i in range(row_bytes)) for y in range(height))


def pngs():
    yield "rgb_1x1.png", png(1, 1, 8, 2, b"\x00\xff\x00\x00")
    yield "rgb_3x2.png", png(3, 2, 8, 2, plain_rows(2, 9, lambda y, i: 40 * y + 17 * i))
    # Every filter type once, on a 4 x 5 RGB picture.
    rows = b"".join(bytes([f]) + bytes((13 * f + 7 * i) & 0xFF for i in range(12)) for f in range(5))
    yield "rgb_filters_4x5.png", png(4, 5, 8, 2, rows)
    yield "rgba_2x2.png", png(2, 2, 8, 6, plain_rows(2, 8, lambda y, i: 60 * i + y))
    yield "grey_1bit_9x2.png", png(9, 2, 1, 0, plain_rows(2, 2, lambda y, i: 0xA5 ^ y))
    yield "grey_alpha_2x1.png", png(2, 1, 8, 4, plain_rows(1, 4, lambda y, i: 50 * i))
    yield "rgb16_2x1.png", png(2, 1, 16, 2, plain_rows(1, 12, lambda y, i: 21 * i))
    palette = chunk(b"PLTE", bytes([255, 0, 0, 0, 255, 0, 0, 0, 255])) + chunk(b"tRNS", bytes([128]))
    yield "palette_4bit_5x2.png", png(5, 2, 4, 3, plain_rows(2, 3, lambda y, i: 0x12 >> y), extra=palette)
    # Adam7: the seven passes of a 5 x 5 grey picture, (width, height) each.
    passes = [(1, 1), (1, 1), (2, 1), (1, 2), (3, 1), (2, 3), (5, 2)]
    rows = b"".join(b"\x00" + bytes(range(w)) for w, h in passes for _ in range(h))
    yield "grey_interlaced_5x5.png", png(5, 5, 8, 0, rows, interlace=1)
    # A header declaring a picture far over the limits.
    yield "huge_header.png", png(60000, 60000, 8, 2, b"\x00" * 16)


RECORDS = {
    "initial.txt": b"59 59 998",
    "record.txt": b"3 07 120 ",
    "zero.txt": b"0 00 0",
    "tabs_newlines.txt": b"\t12\r\n5\n 300\n",
    "too_many_minutes.txt": b"60 00 1",
    "two_fields.txt": b"12 34",
    "letters.txt": b"1 2 x3",
    "long_number.txt": b"1 2 1234567890",
    "trailing_text.txt": b"5 05 55 and then some",
}


def write_all(folder, files):
    os.makedirs(folder, exist_ok=True)
    for name, data in files:
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    write_all(os.path.join(HERE, "seeds", "fuzz_png_import"), pngs())
    write_all(os.path.join(HERE, "seeds", "fuzz_best_record"), RECORDS.items())
