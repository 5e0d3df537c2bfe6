#!/usr/bin/env python3
# Writes the small player and popup pictures of resources/Image/Play/ (run there).
import struct, zlib, math, sys

def lzw(indices, min_size):
    # Literal codes only, with a clear code before the table would grow past min_size+1 bits.
    clear, end = 1 << min_size, (1 << min_size) + 1
    width = min_size + 1
    limit = 2  # two literals per clear keeps every decoder at the starting code width
    codes = [clear]
    n = 0
    for i in indices:
        if n == limit:
            codes.append(clear); n = 0
        codes.append(i); n += 1
    codes.append(end)
    out, acc, bits = bytearray(), 0, 0
    for c in codes:
        acc |= c << bits; bits += width
        while bits >= 8:
            out.append(acc & 255); acc >>= 8; bits -= 8
    if bits: out.append(acc & 255)
    data = bytearray([min_size])
    for k in range(0, len(out), 255):
        chunk = out[k:k+255]; data.append(len(chunk)); data += chunk
    data.append(0)
    return bytes(data)

def gif(path, w, h, palette, frames, delay):
    pal = bytearray()
    for c in palette: pal += bytes(c)
    while len(pal) < 3 * 4: pal += b'\0\0\0'
    out = bytearray(b'GIF89a' + struct.pack('<HHBBB', w, h, 0xF1, 0, 0) + pal)
    out += b'\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00'
    for f in frames:
        out += b'\x21\xF9\x04\x00' + struct.pack('<H', delay) + b'\x00\x00'
        out += b'\x2C' + struct.pack('<HHHHB', 0, 0, w, h, 0)
        out += lzw(f, 2)
    out += b'\x3B'
    open(path, 'wb').write(out)

def face(w, h, t, mood):
    # 0 background, 1 face, 2 features, 3 accent (tear or cross)
    px = []
    cx, cy, r = w / 2, h / 2, w * 0.42
    for y in range(h):
        for x in range(w):
            dx, dy = x - cx + 0.5, y - cy + 0.5
            v = 0
            if dx * dx + dy * dy <= r * r:
                v = 1
                for ex in (-0.16, 0.16):
                    if (x - cx - ex * w) ** 2 + (y - cy + 0.1 * h) ** 2 <= (0.05 * w) ** 2: v = 2
                my = y - cy - 0.22 * h
                if mood == 'cry':
                    if abs(dx) < 0.18 * w and abs(my + 0.002 * dx * dx) < 1.2: v = 2
                    ty = cy - 0.02 * h + t * 0.05 * h
                    if (x - cx + 0.16 * w) ** 2 + (y - ty) ** 2 <= (0.035 * w) ** 2: v = 3
                else:
                    if abs(dx) < 0.16 * w and abs(my) < 1.2: v = 2
            if mood == 'error':
                s = 0.7 + 0.3 * math.sin(t * math.pi / 4)
                if abs(abs(dx) - abs(dy)) < 1.5 and abs(dx) < r * s and v == 0: v = 3
            px.append(v)
    return px

W = H = 64
gif('cry.gif', W, H, [(0, 0, 0), (250, 210, 60), (60, 40, 20), (80, 160, 255)],
    [face(W, H, t, 'cry') for t in range(8)], 12)
gif('error.gif', W, H, [(0, 0, 0), (250, 210, 60), (60, 40, 20), (230, 40, 40)],
    [face(W, H, t, 'error') for t in range(8)], 12)

def png(path, w, h, pixel):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w): raw += bytes(pixel(x, y))
    def chunk(t, d): return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    open(path, 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
                           + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))

def turn_arrow(clockwise):
    # A ring open at the top that ends in a head over the gap: clockwise, the head sits at the
    # upper left and points right; the anticlockwise arrow is its mirror image. Dark grey, so it
    # reads on the light button; 4 x 4 samples a pixel for smooth edges.
    cx, cy, r, half = 24.0, 25.0, 13.0, 2.6
    start, end = math.radians(-60), math.radians(210)
    ex, ey = cx + r * math.cos(end), cy + r * math.sin(end)
    tx, ty = -math.sin(end), math.cos(end)   # direction of travel at the end
    nx, ny = math.cos(end), math.sin(end)    # outwards
    head = [(ex + 11 * tx, ey + 11 * ty), (ex + 8 * nx, ey + 8 * ny), (ex - 8 * nx, ey - 8 * ny)]
    def in_head(x, y):
        (ax, ay), (bx, by), (qx, qy) = head
        d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by)
        d2 = (x - qx) * (by - qy) - (bx - qx) * (y - qy)
        d3 = (x - ax) * (qy - ay) - (qx - ax) * (y - ay)
        return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)
    def in_ring(x, y):
        a = math.atan2(y - cy, x - cx)
        if a < start: a += 2 * math.pi
        return start <= a <= end and abs(math.hypot(x - cx, y - cy) - r) <= half
    def px(x, y):
        if not clockwise: x = 47 - x
        hits = 0
        for i in range(4):
            for j in range(4):
                sx, sy = x + (i + 0.5) / 4, y + (j + 0.5) / 4
                hits += in_ring(sx, sy) or in_head(sx, sy)
        return (45, 45, 45, 255 * hits // 16)
    return px

def spinner(x, y):
    a = math.atan2(y - 24, x - 24); d = math.hypot(x - 24, y - 24)
    if 14 <= d <= 20:
        return (255, 255, 255, int(60 + 195 * ((a + math.pi) / (2 * math.pi))))
    return (0, 0, 0, 0)

png('left.png', 48, 48, turn_arrow(False))
png('right.png', 48, 48, turn_arrow(True))
png('wait.png', 48, 48, spinner)
