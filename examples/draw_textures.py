#!/usr/bin/env python3
"""Draws the texture files of Showcase.gui into gfx/ beside this script.

    gfx/knoepfe.png      256 x 128, RGBA: three buttons (Start, Optionen, Beenden), one row
                         each: the face in three looks side by side (normal, hover, pressed),
                         64 x 32 each, then the button's symbol alone on transparency
    gfx/hintergrund.tga  128 x 128, uncompressed true colour: the menu's background, which
                         the library stretches eight times
    gfx/glanz.bmp        64 x 64, 24 bits: a soft white glow on black, blended additively
    gfx/titel.tga        128 x 32, run-length encoded with alpha, rows from the bottom, as
                         paint programs save TGA: the title bar above the buttons
    gfx/schatten.png     64 x 16, RGBA: the soft shadow under the title bar; the library
                         spells it "Schatten.PNG", as a texture made on Windows may be

The sizes are the ones the library's texture table gives. Only the Python 3 standard library
is used. The files are kept in the repository; run the script after changing a picture:

    python3 draw_textures.py               writes the files into gfx/ beside this file
    python3 draw_textures.py --out DIR     writes them into DIR instead
"""

import argparse
import math
import os
import struct
import zlib

BUTTON_WIDTH, BUTTON_HEIGHT = 64, 32

# Per button: the face colour, and the symbol on it.
BUTTONS = (
    ((46, 160, 67), "play"),
    ((47, 111, 196), "bars"),
    ((200, 55, 55), "cross"),
)
# Per look: how much lighter (or darker) than the face colour.
LOOKS = (0.0, 0.25, -0.25)


def shade(colour, amount):
    if amount >= 0:
        return tuple(round(c + (255 - c) * amount) for c in colour)
    return tuple(round(c * (1 + amount)) for c in colour)


def inside_rounded(x, y, width, height, radius):
    """Whether the pixel centre lies in a rectangle with rounded corners."""
    cx = min(max(x + 0.5, radius), width - radius)
    cy = min(max(y + 0.5, radius), height - radius)
    return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius


def on_symbol(kind, x, y):
    """Whether pixel (x, y) of a 64 x 32 button belongs to its symbol, centred at (32, 16)."""
    dx, dy = x + 0.5 - 32, y + 0.5 - 16
    if kind == "play":
        return -6 <= dx <= 8 and abs(dy) <= (8 - dx) * 0.55
    if kind == "bars":
        return abs(dx) <= 10 and any(abs(dy - row) <= 1.5 for row in (-6, 0, 6))
    return abs(dx) <= 8 and abs(dy) <= 8 and (abs(dx - dy) <= 1.8 or abs(dx + dy) <= 1.8)


def button_sheet():
    width, height = 4 * BUTTON_WIDTH, 4 * BUTTON_HEIGHT
    pixels = [[(0, 0, 0, 0)] * width for _ in range(height)]
    for row, (face, symbol) in enumerate(BUTTONS):
        top = row * BUTTON_HEIGHT
        for look, amount in enumerate(LOOKS):
            colour = shade(face, amount)
            border = shade(face, -0.45)
            for y in range(BUTTON_HEIGHT):
                for x in range(BUTTON_WIDTH):
                    if not inside_rounded(x, y, BUTTON_WIDTH, BUTTON_HEIGHT, 9):
                        continue
                    edge = not inside_rounded(x - 2, y - 2, BUTTON_WIDTH - 4, BUTTON_HEIGHT - 4, 7)
                    # Lighter at the top, darker at the bottom; the pressed look the other way.
                    light = (0.5 - y / BUTTON_HEIGHT) * (0.3 if look < 2 else -0.3)
                    pixel = border if edge else shade(colour, light)
                    pixels[top + y][look * BUTTON_WIDTH + x] = pixel + (255,)
        for y in range(BUTTON_HEIGHT):
            for x in range(BUTTON_WIDTH):
                if on_symbol(symbol, x, y):
                    pixels[top + y][3 * BUTTON_WIDTH + x] = (250, 250, 250, 255)
    return width, height, pixels


def write_png(path, width, height, pixels):
    raw = b"".join(b"\0" + bytes(c for pixel in line for c in pixel) for line in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def background():
    """Night blue to violet from top to bottom, a sun, and a darker floor under the 96 rows
    that the library uses."""
    size = 128
    lines = []
    for y in range(size):
        t = y / 95
        line = [(round(20 + 60 * t), round(24 + 20 * t), round(70 + 60 * t))] * size
        if y >= 84:
            line = [(30, 22, 48)] * size
        elif 20 <= y < 40:
            half = round(math.sqrt(max(0, 10 * 10 - (y + 0.5 - 30) ** 2)))
            line = line[:]
            for x in range(95 - half, 95 + half):
                line[x] = (250, 200, 90)
        lines.append(line)
    return size, size, lines


def write_tga(path, width, height, lines):
    """Uncompressed true-colour TGA (type 2), rows from the top, BGR order, with the TGA 2.0
    footer."""
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, width, height, 24, 0x20)
    data = b"".join(bytes(reversed(pixel)) for line in lines for pixel in line)
    footer = struct.pack("<II", 0, 0) + b"TRUEVISION-XFILE.\0"
    with open(path, "wb") as out:
        out.write(header + data + footer)


def title_bar():
    """A rounded bar, lighter at the top, transparent around it; long runs of equal pixels,
    so that run-length encoding has something to do."""
    width, height = 128, 32
    lines = []
    for y in range(height):
        line = []
        for x in range(width):
            if not inside_rounded(x, y, width, height, 12):
                line.append((0, 0, 0, 0))
            elif not inside_rounded(x - 2, y - 2, width - 4, height - 4, 10):
                line.append((230, 190, 80, 255))
            else:
                line.append((40, 50, 110, 255) if y >= 12 else (70, 85, 160, 255))
        lines.append(line)
    return width, height, lines


def write_tga_rle(path, width, height, lines):
    """Run-length encoded true-colour TGA (type 10) with 8 bits of alpha, rows from the
    bottom, BGRA order: runs of equal pixels as run packets, the rest as raw packets."""
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 10, 0, 0, 0, 0, 0, width, height, 32, 8)
    pixels = [bytes((b, g, r, a)) for line in reversed(lines) for (r, g, b, a) in line]
    data = bytearray()
    at = 0
    while at < len(pixels):
        run = 1
        while at + run < len(pixels) and run < 128 and pixels[at + run] == pixels[at]:
            run += 1
        if run > 1:
            data += bytes((0x80 | (run - 1),)) + pixels[at]
            at += run
            continue
        raw = 1
        while (at + raw < len(pixels) and raw < 128 and
               (at + raw + 1 >= len(pixels) or pixels[at + raw] != pixels[at + raw + 1])):
            raw += 1
        data += bytes((raw - 1,)) + b"".join(pixels[at:at + raw])
        at += raw
    with open(path, "wb") as out:
        out.write(header + bytes(data))


def shadow():
    """Black, its alpha fading out from the middle."""
    width, height = 64, 16
    lines = []
    for y in range(height):
        line = []
        for x in range(width):
            distance = math.hypot((x + 0.5 - 32) / 32, (y + 0.5 - 8) / 8)
            line.append((0, 0, 0, round(160 * max(0.0, 1 - distance))))
        lines.append(line)
    return width, height, lines


def glow():
    size = 64
    lines = []
    for y in range(size):
        line = []
        for x in range(size):
            distance = math.hypot(x + 0.5 - 32, y + 0.5 - 32) / 32
            level = round(255 * max(0.0, 1 - distance) ** 2)
            line.append((level, level, level))
        lines.append(line)
    return size, size, lines


def write_bmp(path, width, height, lines):
    """24-bit BMP, rows from the bottom, each padded to four bytes."""
    padding = (4 - width * 3 % 4) % 4
    data = b"".join(
        b"".join(bytes(reversed(pixel)) for pixel in line) + b"\0" * padding
        for line in reversed(lines)
    )
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--out", default=os.path.join(here, "gfx"))
    folder = parser.parse_args().out
    os.makedirs(folder, exist_ok=True)
    write_png(os.path.join(folder, "knoepfe.png"), *button_sheet())
    write_tga(os.path.join(folder, "hintergrund.tga"), *background())
    write_bmp(os.path.join(folder, "glanz.bmp"), *glow())
    write_tga_rle(os.path.join(folder, "titel.tga"), *title_bar())
    write_png(os.path.join(folder, "schatten.png"), *shadow())


if __name__ == "__main__":
    main()
