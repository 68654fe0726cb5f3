#!/usr/bin/env python3
"""Writes Setup.ico: the program's icon, one 32 x 32 image in the 16 standard colours.

The picture (a loudspeaker sending sound waves, above a circuit card) is drawn below as text, one
character a pixel; '.' is transparent. Run it again after changing the drawing.
"""
import struct, sys, os

# The 16 colours of the standard VGA palette, in palette order, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Drawing characters: palette index of each.
INK = {'k': 0, 'r': 1, 'g': 2, 'o': 3, 'n': 4, 'p': 5, 't': 6, 's': 7,
       'd': 8, 'R': 9, 'G': 10, 'Y': 11, 'B': 12, 'M': 13, 'C': 14, 'W': 15}

PICTURE = """\
................................
................................
................................
....................nnn.........
.........kk...........nnn.......
........kssk.....nnn....nn......
.......ksWsk.......nn....nn.....
......ksWssk........nn....nn....
.....ksWsssk..nn.....nn...nn....
kkkkksWssssk...nn....nn....nn...
kWWWsWsssssk....nn....nn...nn...
kWssdsssssdk....nn....nn....nn..
kWssdsssssdk....nn....nn....nn..
kWssdsssssdk....nn....nn....nn..
kWssdsssssdk....nn....nn....nn..
kWssdsssssdk....nn....nn....nn..
kdddddssssdk....nn....nn...nn...
kkkkksdsssdk...nn....nn....nn...
.....ksdssdk..nn.....nn...nn....
......ksdsdk........nn....nn....
.......ksddk.......nn....nn.....
........kddk.....nnn....nn......
.........kk...........nnn.......
....................nnn.........
.kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk.
.kggggggggggggggggggggggggggggk.
.kgkkkgkkkgkkkgkkkgkkkgkkkggggk.
.kgkdkgkdkgkdkgkdkgkdkgkdkggggk.
.kgkkkgkkkgkkkgkkkgkkkgkkkggggk.
.kggggggggggggggggggggggggggggk.
.kkkYkYkYkYkYkYkYkYkYkYkYkYkkkk.
................................
"""

def main(out_path):
    rows = PICTURE.splitlines()
    assert len(rows) == 32 and all(len(r) == 32 for r in rows), "the drawing must be 32 x 32"
    xor = bytearray()
    mask = bytearray()
    # Bitmaps are stored bottom row first.
    for row in reversed(rows):
        pixels = [INK.get(c, 0) for c in row]
        for i in range(0, 32, 2):
            xor.append(pixels[i] << 4 | pixels[i + 1])
        bits = 0
        for i, c in enumerate(row):
            if c == '.':
                bits |= 1 << (31 - i)
        mask += struct.pack('>I', bits)  # rows of 32 bits are already 4-byte aligned
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    icondir = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    with open(out_path, 'wb') as f:
        f.write(icondir + entry + image)

if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), 'Setup.ico'))
