#!/usr/bin/env python3
"""Makes the pictures and the PDF of the invoice cases from their payloads: qrencode gives the
code's modules, this draws them as a scan or a photo would show them (turned, faint, stained)
and writes PNG files and a one-page PDF invoice. Run from tests/invoice; needs
INVOICE_PICTURE_PACKAGES of scripts/packages.sh (qrencode)."""
import math
import random
import subprocess
import struct
import zlib

def modules(data: bytes, level='M'):
    out = subprocess.run(['qrencode', '-8', '-l', level, '-m', '0', '-t', 'ASCII', '-o', '-'],
                         input=data, capture_output=True, check=True).stdout.decode()
    return [[c == '#' for c in line[::2]] for line in out.splitlines() if line]

def draw(grid, scale=6, quiet=4, angle=0.0, dark=0, light=255, size=None, noise=0, seed=1):
    n = len(grid)
    side = (n + 2 * quiet) * scale
    size = size or int(side * 1.5)
    rnd = random.Random(seed)
    cos, sin = math.cos(angle), math.sin(angle)
    img = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            # Turned about the picture's centre; the code's own pixel, nearest neighbour.
            dx, dy = x - size / 2, y - size / 2
            u = (cos * dx + sin * dy + side / 2) / scale - quiet
            v = (-sin * dx + cos * dy + side / 2) / scale - quiet
            on = 0 <= u < n and 0 <= v < n and grid[int(v)][int(u)]
            value = dark if on else light
            if noise:
                value = max(0, min(255, value + rnd.randint(-noise, noise)))
            row.append(value)
        img.append(row)
    return img

def png(img):
    raw = b''.join(b'\0' + bytes(r) for r in img)
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', len(img[0]), len(img), 8, 0, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))

def pdf(img, x_mm, y_mm, side_mm, text):
    w, h = len(img[0]), len(img)
    pic = zlib.compress(b''.join(bytes(r) for r in img))
    pt = 72 / 25.4
    content = (f'BT /F1 14 Tf 56 780 Td ({text}) Tj ET\n'
               f'q {side_mm * pt:.2f} 0 0 {side_mm * pt:.2f} {x_mm * pt:.2f} {y_mm * pt:.2f} cm /Im1 Do Q\n').encode()
    objects = [
        b'<< /Type /Catalog /Pages 2 0 R >>',
        b'<< /Type /Pages /Kids [3 0 R] /Count 1 >>',
        b'<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R '
        b'/Resources << /Font << /F1 5 0 R >> /XObject << /Im1 6 0 R >> >> >>',
        b'<< /Length %d >>\nstream\n' % len(content) + content + b'\nendstream',
        b'<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>',
        b'<< /Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace /DeviceGray '
        b'/BitsPerComponent 8 /Filter /FlateDecode /Length %d >>\nstream\n' % (w, h, len(pic)) + pic + b'\nendstream',
    ]
    out = bytearray(b'%PDF-1.4\n')
    offsets = []
    for i, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b'%d 0 obj\n' % i + body + b'\nendobj\n'
    xref = len(out)
    out += b'xref\n0 %d\n0000000000 65535 f \n' % (len(objects) + 1)
    out += b''.join(b'%010d 00000 n \n' % o for o in offsets)
    out += b'trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n' % (len(objects) + 1, xref)
    return bytes(out)

def text(name):
    return open('cases/' + name, 'rb').read().strip()

dental = modules(text('nbu-002-dental.link'))
open('cases/dental.png', 'wb').write(png(draw(dental, size=(len(dental) + 8) * 6)))
# The data itself in Windows-1251 bytes, as a code of format 002 may carry it.
raw = modules(open('cases/nbu-002-utilities-cp1251.txt', 'rb').read())
open('cases/utilities-cp1251.png', 'wb').write(png(draw(raw, scale=5)))
# A photo of a turned sheet: 25 degrees, grey on grey, with grain.
open('cases/turned-faint.png', 'wb').write(png(draw(dental, scale=7, angle=math.radians(25),
                                                      dark=110, light=170, noise=12)))
# A stain over the middle of the code, more than its error correction mends.
stained = draw(dental, size=(len(dental) + 8) * 6)
c = len(stained) // 2
for y in range(c - 70, c + 70):
    for x in range(c - 70, c + 70):
        stained[y][x] = 0
open('cases/stained.png', 'wb').write(png(stained))
# A one-page invoice with the code of format 003 in the lower right corner, 35 mm wide.
long003 = modules(text('format-003-long-purpose.link'), 'L')
pic = draw(long003, scale=4, size=(len(long003) + 8) * 4)
open('cases/invoice-003.pdf', 'wb').write(pdf(pic, 150, 30, 35, 'Invoice 17, 01.11.2025'))
