#!/usr/bin/env python3
"""Draws the PNG icons of the Tolvane editor.

    tolvane-<size>.png            the application icon (the editor), from tolvane.svg
    tolvane-document-<size>.png   the icon of a .gui library, from application-x-tolvane-library.svg

for the sizes 16, 32, 48, 64, 128 and 256. The SVG files beside this script are the source of
the pictures; every size from 32 up is rendered from them with rsvg-convert (Debian package
librsvg2-bin). At 16 pixels a scaled-down vector picture turns to mush, so the 16-pixel icons are
pixel art defined below (one character per pixel, see COLOURS) and written with the Python 3
standard library alone.

The PNGs are kept in the repository, so building the project needs neither this script nor
rsvg-convert; run it after changing a picture:

    python3 draw_icons.py               writes the PNGs beside this file
    python3 draw_icons.py --out DIR     writes them into DIR instead
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import zlib

SIZES = (16, 32, 48, 64, 128, 256)

# The colours of the SVG pictures, one character each; '.' is transparent.
COLOURS = {
    '.': None,
    'k': (0x1D, 0x2A, 0x44),  # outline
    'B': (0x24, 0x57, 0xA6),  # title bar, dark end
    'b': (0x4F, 0x8B, 0xDB),  # title bar, light end
    'w': (0xFF, 0xFF, 0xFF),  # white
    'f': (0xEE, 0xF1, 0xF5),  # window face, paper
    's': (0xC9, 0xD0, 0xDB),  # grey button, folded corner
    'g': (0x9A, 0xA6, 0xB8),  # lines of text on the page
    'O': (0xF7, 0xB9, 0x4E),  # highlighted button
    'Y': (0xF6, 0xC9, 0x4A),  # pencil, light side
    'y': (0xF3, 0xB6, 0x1F),  # pencil
    'd': (0xC9, 0x82, 0x1A),  # pencil, dark side
    't': (0xF3, 0xD9, 0xB1),  # sharpened wood
    'm': (0xB9, 0xC2, 0xCF),  # metal ring
    'e': (0xEF, 0x7B, 0x8A),  # eraser
}

APP_16 = '''
    ................
    .kkkkkkkkkkkkk..
    kBBBBbbbbbbwwbk.
    kBBBBbbbbbbbbbk.
    kfffffffffffffk.
    kfOOOOOOOOOfffk.
    kfdddddddddfffk.
    kfffffffffffffk.
    kfffffffffffffk.
    kfssssssssffffk.
    kfggggggggffffk.
    kfffffffffffffk.
    kfffffffffffffk.
    kfffffffffffffk.
    .kkkkkkkkkkkkk..
    ................
'''

PENCIL_16 = '''
    ................
    ................
    ................
    ................
    ................
    ......k.........
    ......ktk.......
    ......kYydk.....
    .......kYydk....
    ........kYydk...
    .........kYydk..
    ..........kmmmk.
    ...........keeek
    .............kkk
    ................
    ................
'''

DOCUMENT_16 = '''
    .kkkkkkkkkk.....
    .kwwwwwwwwkk....
    .kwggggwwwksk...
    .kwwwwwwwwkssk..
    .kwgggggwwkkkkk.
    .kwwwwwwwwwwwwk.
    .kwBBBBbbbbbbwk.
    .kwkffffffffkwk.
    .kwkfOOOOOOfkwk.
    .kwkfddddddfkwk.
    .kwkffffffffkwk.
    .kwkfssssssfkwk.
    .kwkfggggggfkwk.
    .kwkkkkkkkkkkwk.
    .kwwwwwwwwwwwwk.
    .kkkkkkkkkkkkkk.
'''


def pixels(*layers):
    """16 x 16 rows of colour keys; a later layer covers an earlier one where it is not '.'."""
    out = [['.'] * 16 for _ in range(16)]
    for text in layers:
        rows = [line.strip() for line in text.strip().splitlines()]
        assert len(rows) == 16, f'{len(rows)} rows instead of 16'
        for y, row in enumerate(rows):
            assert len(row) == 16, f'row {row!r} is {len(row)} wide instead of 16'
            for x, ch in enumerate(row):
                if ch != '.':
                    assert ch in COLOURS, f'unknown colour {ch!r}'
                    out[y][x] = ch
    return out


def png_chunk(kind, data):
    body = kind + data
    return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)


def write_rgba_png(path, rows):
    def rgba(ch):
        rgb = COLOURS[ch]
        return bytes(rgb) + b'\xff' if rgb else b'\0\0\0\0'
    raw = b''.join(b'\0' + b''.join(rgba(ch) for ch in row) for row in rows)
    data = (b'\x89PNG\r\n\x1a\n'
            + png_chunk(b'IHDR', struct.pack('>IIBBBBB', len(rows[0]), len(rows), 8, 6, 0, 0, 0))
            + png_chunk(b'IDAT', zlib.compress(raw, 9))
            + png_chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(data)


def render_svg(svg, size, path):
    subprocess.run(['rsvg-convert', '--width', str(size), '--height', str(size),
                    '--keep-aspect-ratio', '--output', path, svg], check=True)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description='Draws the Tolvane icons.')
    parser.add_argument('--out', default=here, help='folder for the PNG files')
    args = parser.parse_args()
    if not shutil.which('rsvg-convert'):
        sys.exit('draw_icons.py: rsvg-convert is needed (apt-get install librsvg2-bin)')
    os.makedirs(args.out, exist_ok=True)
    icons = (
        ('tolvane', 'tolvane.svg', pixels(APP_16, PENCIL_16)),
        ('tolvane-document', 'application-x-tolvane-library.svg', pixels(DOCUMENT_16)),
    )
    for name, svg, small in icons:
        for size in SIZES:
            path = os.path.join(args.out, f'{name}-{size}.png')
            if size == 16:
                write_rgba_png(path, small)
            else:
                render_svg(os.path.join(here, svg), size, path)


if __name__ == '__main__':
    main()
