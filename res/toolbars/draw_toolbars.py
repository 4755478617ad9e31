#!/usr/bin/env python3
"""Draws the tool bar strips of the Tolvane editor.

Every button is a 16 x 15 pixel picture in the classic 16-colour palette; a strip holds the
buttons side by side, left to right in tool bar order:

    main.png       176 x 15   New, Open, Save, Cut, Copy, Paste, Print, Texture library,
                              Check library, Create header, About
    resources.png   48 x 15   New resource, Copy resource, Delete resource

The pictures are pixel art in this file (one character per pixel, see PALETTE) and may be
built from layers: a later layer covers an earlier one wherever it is not transparent.
Only the Python 3 standard library is used; the strips are written as indexed PNGs with a
transparent colour.

    python3 draw_toolbars.py                 writes main.png and resources.png beside this file
    python3 draw_toolbars.py --out DIR       writes them into DIR instead
    python3 draw_toolbars.py --preview DIR   also writes 8x enlarged previews into DIR
"""

import argparse
import os
import struct
import zlib

W, H = 16, 15

# One character per pixel. '.' is transparent; the rest is the classic 16-colour palette.
PALETTE = {
    '.': None,
    'k': (0x00, 0x00, 0x00),  # black
    'm': (0x80, 0x00, 0x00),  # maroon
    'G': (0x00, 0x80, 0x00),  # green
    'o': (0x80, 0x80, 0x00),  # olive
    'n': (0x00, 0x00, 0x80),  # navy
    'p': (0x80, 0x00, 0x80),  # purple
    't': (0x00, 0x80, 0x80),  # teal
    'g': (0x80, 0x80, 0x80),  # grey
    's': (0xC0, 0xC0, 0xC0),  # silver
    'r': (0xFF, 0x00, 0x00),  # red
    'l': (0x00, 0xFF, 0x00),  # lime
    'y': (0xFF, 0xFF, 0x00),  # yellow
    'b': (0x00, 0x00, 0xFF),  # blue
    'M': (0xFF, 0x00, 0xFF),  # magenta
    'c': (0x00, 0xFF, 0xFF),  # cyan
    'w': (0xFF, 0xFF, 0xFF),  # white
}
INDEX = {key: i for i, key in enumerate(PALETTE)}


def layer(text):
    """A 16 x 15 layer from 15 lines of 16 characters."""
    rows = [line.strip() for line in text.strip().splitlines()]
    assert len(rows) == H, f'{len(rows)} rows instead of {H}'
    for row in rows:
        assert len(row) == W, f'row {row!r} is {len(row)} wide instead of {W}'
        assert all(ch in PALETTE for ch in row), f'unknown colour in {row!r}'
    return rows


def blank():
    return ['.' * W for _ in range(H)]


def stack(*layers):
    """Puts layers on top of each other; a later layer wins where it is not transparent."""
    out = [list(row) for row in blank()]
    for lay in layers:
        for y, row in enumerate(lay):
            for x, ch in enumerate(row):
                if ch != '.':
                    out[y][x] = ch
    return [''.join(row) for row in out]


def recolour(lay, mapping):
    return [''.join(mapping.get(ch, ch) for ch in row) for row in lay]


def shift(lay, dx, dy):
    out = blank()
    out = [list(row) for row in out]
    for y, row in enumerate(lay):
        for x, ch in enumerate(row):
            if ch != '.' and 0 <= x + dx < W and 0 <= y + dy < H:
                out[y + dy][x + dx] = ch
    return [''.join(row) for row in out]


OK_TEXT = [        # the caption "OK" in a 3 x 5 pixel font
    '.k..k.k',
    'k.k.k.k',
    'k.k.kk.',
    'k.k.k.k',
    '.k..k.k',
]


def button(x0, y0, w, h, caption=True):
    """A raised push button: black frame with cut corners, white and grey bevel, silver
    face and, if wanted and if there is room, the caption "OK" in the middle."""
    out = [list(row) for row in blank()]
    x1, y1 = x0 + w - 1, y0 + h - 1
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            edge_x = x in (x0, x1)
            edge_y = y in (y0, y1)
            if edge_x and edge_y:
                continue                      # rounded (cut) corner
            if edge_x or edge_y:
                ch = 'k'
            elif x == x0 + 1 or y == y0 + 1:
                ch = 'w'
            elif x == x1 - 1 or y == y1 - 1:
                ch = 'g'
            else:
                ch = 's'
            out[y][x] = ch
    tw, th = len(OK_TEXT[0]), len(OK_TEXT)
    if caption and w - 4 >= tw and h - 4 >= th:
        tx = x0 + (w - tw) // 2
        ty = y0 + (h - th) // 2
        for dy, row in enumerate(OK_TEXT):
            for dx, ch in enumerate(row):
                if ch != '.':
                    out[ty + dy][tx + dx] = ch
    return [''.join(row) for row in out]


# ---------------------------------------------------------------- main tool bar

NEW = layer('''
    ................
    ...kkkkkkk......
    ...kwwwwwkk.....
    ...kwwwwwkwk....
    ...kwwwwwkwwk...
    ...kwwwwwkkkkg..
    ...kwwwwwwwwkg..
    ...kwwwwwwwwkg..
    ...kwwwwwwwwkg..
    ...kwwwwwwwwkg..
    ...kwwwwwwwwkg..
    ...kwwwwwwwwkg..
    ...kwwwwwwwwkg..
    ...kkkkkkkkkkg..
    ....gggggggggg..
''')

OPEN = layer('''
    ................
    ................
    ................
    ..kkkk..........
    .kyyyyk.........
    .kywyyykkkkkk...
    .kwyyyyyyyyyk...
    .kywyyyyyyyyk...
    .kwyykkkkkkkkkkk
    .kyykooooooooook
    .kykooooooooook.
    .kkooooooooook..
    .kooooooooook...
    .kkkkkkkkkkk....
    ................
''')

SAVE = layer('''
    ................
    .kkkkkkkkkkkkkk.
    .knwwwwwwwwwwnk.
    .knwwwwwwwwwwnk.
    .knwggggggggwnk.
    .knwwwwwwwwwwnk.
    .knwggggggggwnk.
    .knwwwwwwwwwwnk.
    .knnnnnnnnnnnnk.
    .knnnnnnnnnnnnk.
    .knnssssssssnnk.
    .knnskkssssssnk.
    .knnskkssssssnk.
    .knnssssssssnnk.
    .kkkkkkkkkkkkkk.
''')

CUT = layer('''
    ..k..........k..
    ..kk........kk..
    ...kk......kk...
    ...kgk....kgk...
    ....kgk..kgk....
    .....kgkkgk.....
    ......kggk......
    .......kk.......
    ......nkkn......
    .....nn..nn.....
    ..nnnn....nnnn..
    .nn..n....n..nn.
    .n...n....n...n.
    .nn.nn....nn.nn.
    ..nnn......nnn..
''')

COPY = layer('''
    kkkkkkk.........
    kwwwwwkk........
    kwnnnwkwk.......
    kwwwwwkkkk......
    kwnnnnnwwk......
    kwwwwwkkkkkkk...
    kwnnnnkwwwwwkk..
    kwwwwwkwnnnwkwk.
    kwnnnnkwwwwwkkkk
    kwwwwwkwnnnnnwwk
    kkkkkkkwwwwwwwwk
    ......kwnnnnnnwk
    ......kwwwwwwwwk
    ......kwnnnnnnwk
    ......kkkkkkkkkk
''')

PASTE = layer('''
    .....kkkk.......
    ..kkkwssskkk....
    .kooksgggskok...
    .kookkkkkkook...
    .koooooooooook..
    .koookkkkkkkkk..
    .koookwwwwwwwkk.
    .koookwnnnnwwkwk
    .koookwwwwwwwkkk
    .koookwnnnnnnnwk
    .koookwwwwwwwwwk
    .koookwnnnnnnnwk
    .kkkkkwwwwwwwwwk
    ......wnnnnnnnwk
    ......kkkkkkkkkk
''')

PRINT = layer('''
    ....kkkkkkkk....
    ....kwwwwwwk....
    ....kwnnnnwk....
    ....kwwwwwwk....
    ....kwnnnwwk....
    ..kkkkkkkkkkkk..
    .kwwwwwwwwwwwsk.
    .kssssssssssssk.
    .ksssssssssGGsk.
    .kssssssssssssk.
    .kggggggggggggk.
    .kkkkkkkkkkkkkk.
    ...kwwwwwwwwk...
    ...kwwwwwwwwk...
    ...kkkkkkkkkk...
''')

TEXTURES = layer('''
    .....kkkkkkkkkkk
    .....krmrmrmrmrk
    .....kmrmrmrmrmk
    .....krmrmrmrmrk
    kkkkkkkkkkkkkrmk
    kcccccyycccckmrk
    kccccyyyyccckrmk
    kcccccyycccckmrk
    kccccccccccckkkk
    kccGcccccccck...
    kcGGGccccccGk...
    kGGGGGcccGGGk...
    kGGGGGGGGGGGk...
    kGGGGGGGGGGGk...
    kkkkkkkkkkkkk...
''')

CHECK_LIST = layer('''
    kkkkkkkkkkk.....
    kwwwwwwwwwk.....
    kwnwnnnnnwk.....
    kwwwwwwwwwk.....
    kwnwnnnnnwk.....
    kwwwwwwwwwk.....
    kwnwnnnnnwk.....
    kwwwwwwwwwk.....
    kwnwnnnnnwk.....
    kwwwwwwwwwk.....
    kwnwnnnnnwk.....
    kwwwwwwwwwk.....
    kkkkkkkkkkk.....
    ................
    ................
''')
CHECK_MARK = layer('''
    ................
    ................
    ................
    ..............kk
    .............kGk
    ............kGGk
    ...........kGGk.
    ....kk....kGGk..
    ...kGGk..kGGk...
    ...kGGGkkGGk....
    ....kGGGGGk.....
    .....kGGGk......
    ......kGk.......
    .......k........
    ................
''')
CHECK = stack(CHECK_LIST, CHECK_MARK)

HEADER_PAGE = NEW
HEADER_GLYPH = layer('''
    ................
    ................
    ................
    .....bb.........
    .....bb.........
    .....bb.........
    .....bbbbb......
    .....bbb.bb.....
    .....bb..bb.....
    .....bb..bb.....
    .....bb..bb.....
    .....bb..bb.....
    ................
    ................
    ................
''')
HEADER = stack(HEADER_PAGE, HEADER_GLYPH)

ABOUT_GLYPH = layer('''
    ................
    .....bbbbb......
    ....bbbbbbb.....
    ...bbb...bbb....
    ...bbb...bbb....
    .........bbb....
    ........bbb.....
    .......bbb......
    ......bbb.......
    ......bbb.......
    ................
    ......bbb.......
    ......bbb.......
    ......bbb.......
    ................
''')
ABOUT = stack(recolour(shift(ABOUT_GLYPH, 1, 1), {'b': 'n'}), ABOUT_GLYPH)

MAIN = [NEW, OPEN, SAVE, CUT, COPY, PASTE, PRINT, TEXTURES, CHECK, HEADER, ABOUT]

# ------------------------------------------------------------ resource tool bar

PLUS = layer('''
    ...........kkk..
    ...........kGk..
    .........kkkGkkk
    .........kGGGGGk
    .........kkkGkkk
    ...........kGk..
    ...........kkk..
    ................
    ................
    ................
    ................
    ................
    ................
    ................
    ................
''')
NEW_RESOURCE = stack(button(0, 4, 13, 10), PLUS)

COPY_RESOURCE = stack(button(0, 1, 11, 8), button(4, 6, 12, 9))

RED_X = layer('''
    ................
    ................
    ................
    ................
    ................
    ................
    ................
    ........rr....rr
    ........rrr..rrr
    .........rrrrrr.
    ..........rrrr..
    .........rrrrrr.
    ........rrr..rrr
    ........rr....rr
    ................
''')
DELETE_RESOURCE = stack(button(0, 2, 13, 10), RED_X)

RESOURCES = [NEW_RESOURCE, COPY_RESOURCE, DELETE_RESOURCE]


# ----------------------------------------------------------------------- output

def strip(buttons):
    return [''.join(b[y] for b in buttons) for y in range(H)]


def png_chunk(kind, data):
    body = kind + data
    return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)


def write_indexed_png(path, rows):
    """An 8-bit indexed PNG; palette entry 0 is fully transparent."""
    width, height = len(rows[0]), len(rows)
    plte = b''.join(bytes(rgb) if rgb else b'\0\0\0' for rgb in PALETTE.values())
    trns = bytes([0])                         # entry 0 transparent, the rest opaque
    raw = b''.join(b'\0' + bytes(INDEX[ch] for ch in row) for row in rows)
    data = (b'\x89PNG\r\n\x1a\n'
            + png_chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 3, 0, 0, 0))
            + png_chunk(b'PLTE', plte)
            + png_chunk(b'tRNS', trns)
            + png_chunk(b'IDAT', zlib.compress(raw, 9))
            + png_chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(data)


def write_rgb_png(path, pixels):
    height, width = len(pixels), len(pixels[0])
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in pixels)
    data = (b'\x89PNG\r\n\x1a\n'
            + png_chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
            + png_chunk(b'IDAT', zlib.compress(raw, 9))
            + png_chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(data)


def write_preview(path, rows, scale=8, gap=2):
    """An enlarged picture on a tool bar grey, a grid line between the buttons."""
    background = (0xEF, 0xEF, 0xEF)
    width = len(rows[0])
    out = []
    for y in range(len(rows) * scale):
        line = []
        for x in range(width * scale):
            ch = rows[y // scale][x // scale]
            rgb = PALETTE[ch] or background
            if (x // scale) % W == 0 and x % scale < gap and x // scale:
                rgb = (0xFF, 0x80, 0x80)
            line.append(rgb)
        out.append(line)
    write_rgb_png(path, out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description='Draws the Tolvane tool bar strips.')
    parser.add_argument('--out', default=here, help='folder for main.png and resources.png')
    parser.add_argument('--preview', help='folder for 8x enlarged previews')
    args = parser.parse_args()
    for name, buttons in (('main', MAIN), ('resources', RESOURCES)):
        rows = strip(buttons)
        write_indexed_png(os.path.join(args.out, name + '.png'), rows)
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            write_preview(os.path.join(args.preview, name + '-preview.png'), rows)


if __name__ == '__main__':
    main()
