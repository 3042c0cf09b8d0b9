"""Writes the demo's test image: a 16-bit RGB PNG of 3000 x 2000 pixels at 300 ppi with the
desktop's sRGB profile embedded, holding grey and colour gradients, colour patches, fine lines
and a photo-like area (a sky over hills with a lit sphere). --size draws the same picture at
another size (the tests print small ones).

Usage: make_test_image.py [--size WIDTHxHEIGHT] OUTPUT.png [SRGB_PROFILE]
"""
import struct
import sys
import zlib

import numpy

WIDTH, HEIGHT = 3000, 2000
PIXELS_PER_METRE = 11811  # 300 ppi
DEFAULT_PROFILE = "/usr/share/color/icc/colord/sRGB.icc"


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, rgb16, profile):
    height, width, _ = rgb16.shape
    header = struct.pack(">IIBBBBB", width, height, 16, 2, 0, 0, 0)
    raw = numpy.zeros((height, 1 + width * 6), dtype=numpy.uint8)
    raw[:, 1:] = rgb16.astype(">u2").view(numpy.uint8).reshape(height, width * 6)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"iCCP", b"sRGB\0\0" + zlib.compress(profile, 9)))
        out.write(chunk(b"pHYs", struct.pack(">IIB", PIXELS_PER_METRE, PIXELS_PER_METRE, 1)))
        out.write(chunk(b"IDAT", zlib.compress(raw.tobytes(), 6)))
        out.write(chunk(b"IEND", b""))


def gradients(image):
    """Top band: a grey ramp and the three primaries' ramps, each over the full width."""
    ramp = numpy.linspace(0.0, 1.0, WIDTH)
    band = 100
    for i, weights in enumerate([(1, 1, 1), (1, 0, 0), (0, 1, 0), (0, 0, 1)]):
        image[i * band:(i + 1) * band] = ramp[None, :, None] * numpy.array(weights)[None, None, :]
    # A hue sweep over a lightness ramp.
    y, x = numpy.mgrid[0:200, 0:WIDTH]
    hue = x / WIDTH * 6.0
    light = 1.0 - y / 200.0
    image[400:600] = hsv(hue, numpy.full_like(hue, 0.9), 0.15 + 0.85 * light)


def hsv(hue, saturation, value):
    sector = numpy.floor(hue).astype(int) % 6
    f = hue - numpy.floor(hue)
    p = value * (1 - saturation)
    q = value * (1 - saturation * f)
    t = value * (1 - saturation * (1 - f))
    choices = [(value, t, p), (q, value, p), (p, value, t), (p, q, value), (t, p, value),
               (value, p, q)]
    out = numpy.zeros(hue.shape + (3,))
    for k, (r, g, b) in enumerate(choices):
        mask = sector == k
        out[mask] = numpy.stack([r[mask], g[mask], b[mask]], axis=-1)
    return out


def patches(image):
    """Left of the middle: a grid of 6 x 4 colour patches with a white border."""
    colours = [(0.45, 0.32, 0.26), (0.77, 0.59, 0.51), (0.37, 0.48, 0.61), (0.35, 0.42, 0.26),
               (0.51, 0.5, 0.69), (0.4, 0.74, 0.67), (0.84, 0.49, 0.17), (0.31, 0.36, 0.65),
               (0.76, 0.33, 0.38), (0.36, 0.24, 0.42), (0.62, 0.74, 0.24), (0.88, 0.64, 0.18),
               (0.22, 0.24, 0.59), (0.27, 0.58, 0.29), (0.69, 0.21, 0.24), (0.93, 0.78, 0.13),
               (0.73, 0.33, 0.58), (0.0, 0.52, 0.63), (0.95, 0.95, 0.95), (0.78, 0.78, 0.78),
               (0.63, 0.63, 0.63), (0.48, 0.48, 0.47), (0.33, 0.33, 0.33), (0.2, 0.2, 0.2)]
    top, left, size, gap = 650, 60, 150, 20
    for index, colour in enumerate(colours):
        row, column = divmod(index, 6)
        y = top + row * (size + gap)
        x = left + column * (size + gap)
        image[y:y + size, x:x + size] = colour


def fine_lines(image):
    """Right of the patches: one-pixel lines every 2, 3 and 4 pixels, and a fan of lines."""
    top, left = 650, 1120
    area = image[top:top + 660, left:left + 820]
    area[:] = 1.0
    for i, step in enumerate([2, 3, 4]):
        block = area[i * 220:i * 220 + 200, :400]
        block[:, ::step] = 0.0
        block = area[i * 220:i * 220 + 200, 420:]
        block[::step, :] = 0.0
    y, x = numpy.mgrid[0:660, 0:820]
    angle = numpy.arctan2(y - 660.0, x - 410.0)
    fan = (numpy.abs(numpy.sin(angle * 60.0)) < 0.08) & (y > 620)
    area[fan] = (0.1, 0.1, 0.6)


def photo(image):
    """The bottom band and the right side: a sky over hills, with a lit sphere."""
    top = 1350
    y, x = numpy.mgrid[top:HEIGHT, 0:WIDTH].astype(float)
    sky = numpy.stack([0.35 + 0.3 * (y - top) / 650, 0.55 + 0.25 * (y - top) / 650,
                       numpy.full_like(y, 0.92)], axis=-1)
    ridge = 1650 + 80 * numpy.sin(x / 310.0) + 40 * numpy.sin(x / 97.0 + 1.3)
    hills = numpy.stack([0.18 + 0.1 * numpy.sin(x / 53.0) ** 2, 0.38 + 0.12 * (HEIGHT - y) / 650,
                         0.12 + 0.05 * numpy.cos(y / 23.0)], axis=-1)
    region = numpy.where((y > ridge)[..., None], hills, sky)
    cy, cx, radius = 1560.0, 2400.0, 180.0
    d2 = (x - cx) ** 2 + (y - cy) ** 2
    inside = d2 < radius ** 2
    nz = numpy.sqrt(numpy.clip(1 - d2 / radius ** 2, 0, 1))
    light = numpy.clip(0.25 + 0.75 * (nz * 0.8 + (cx - x) / radius * 0.3 + (cy - y) / radius * 0.3),
                       0, 1)
    sphere = numpy.stack([0.95 * light, 0.55 * light, 0.2 * light], axis=-1)
    region[inside] = sphere[inside]
    image[top:] = region
    # The right column beside the patches: a soft portrait-like vignette.
    yy, xx = numpy.mgrid[650:1310, 2000:WIDTH].astype(float)
    r = numpy.hypot((xx - 2500) / 480, (yy - 980) / 330)
    glow = numpy.clip(1.0 - r, 0, 1) ** 0.7
    image[650:1310, 2000:] = numpy.stack([0.2 + 0.75 * glow, 0.15 + 0.6 * glow,
                                          0.12 + 0.45 * glow], axis=-1)


def picture(width, height):
    """The picture at WIDTH x HEIGHT, 0 ... 1 floats, drawn at the full size and sampled."""
    image = numpy.full((HEIGHT, WIDTH, 3), 1.0)
    gradients(image)
    patches(image)
    fine_lines(image)
    photo(image)
    if (width, height) == (WIDTH, HEIGHT):
        return image
    rows = (numpy.arange(height) * HEIGHT) // height
    columns = (numpy.arange(width) * WIDTH) // width
    return image[rows][:, columns]


def main(args):
    width, height = WIDTH, HEIGHT
    if len(args) >= 2 and args[0] == "--size":
        width, height = (int(n) for n in args[1].split("x"))
        args = args[2:]
    if not args or width <= 0 or height <= 0:
        print(__doc__, file=sys.stderr)
        return 2
    profile_path = args[1] if len(args) > 1 else DEFAULT_PROFILE
    with open(profile_path, "rb") as source:
        profile = source.read()
    rgb16 = numpy.clip(numpy.rint(picture(width, height) * 65535.0), 0, 65535).astype(numpy.uint16)
    write_png(args[0], rgb16, profile)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
