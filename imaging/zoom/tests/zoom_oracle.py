"""Resamples a raw 8-bit image with scipy.ndimage.zoom, the oracle of the bilinear tests.

Usage: zoom_oracle.py INPUT HEIGHT WIDTH CHANNELS OUT_HEIGHT OUT_WIDTH OUTPUT
Order 1 with grid_mode=False maps the first and last samples of both images onto each other,
as the bilinear filter does. The result is written unrounded, as float64. Exit status 77 when
scipy is missing.
"""
import sys

try:
    import numpy
    from scipy import ndimage
except ImportError:
    sys.exit(77)


def main(args):
    source, height, width, channels, out_height, out_width, output = args
    height, width, channels = int(height), int(width), int(channels)
    out_height, out_width = int(out_height), int(out_width)
    image = numpy.fromfile(source, dtype=numpy.uint8).reshape(height, width, channels)
    factors = (out_height / height, out_width / width, 1)
    result = ndimage.zoom(image.astype(numpy.float64), factors, order=1, grid_mode=False,
                          mode="nearest")
    if result.shape != (out_height, out_width, channels):
        print("unexpected shape", result.shape, file=sys.stderr)
        return 1
    result.astype(numpy.float64).tofile(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
