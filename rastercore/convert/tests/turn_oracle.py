"""Checks a printed page against numpy's turn and mirror of the host image.

Arguments: the host image file (rows of RGB samples, 8-bit or 16-bit little-endian), the
printed page file (rows of 8-bit RGB pixels), the image width and height, the host's bits per
sample (8 or 16; 16-bit samples run from 0 to 32768 and print as the high byte of twice their
value), and the rotate and mirror flags. A turned image turns clockwise; a mirrored one is
reflected before turning. Exit status 0 when the page is exactly what numpy makes.
"""
import sys

import numpy as np


def main():
    source_path, printed_path = sys.argv[1], sys.argv[2]
    width, height, bits, rotate, mirror = (int(a) for a in sys.argv[3:8])
    dtype = np.dtype("<u2") if bits == 16 else np.uint8
    image = np.fromfile(source_path, dtype=dtype).reshape(height, width, 3)
    if bits == 16:
        image = (np.minimum(image.astype(np.uint32) * 2, 65535) >> 8).astype(np.uint8)
    if mirror:
        image = np.fliplr(image)
    if rotate:
        image = np.rot90(image, -1)
    printed = np.fromfile(printed_path, dtype=np.uint8).reshape(image.shape)
    if np.array_equal(printed, image):
        return 0
    rows, columns = np.nonzero((printed != image).any(axis=2))
    print(f"{len(rows)} pixels differ, first at row {rows[0]} column {columns[0]}")
    return 1


if __name__ == "__main__":
    sys.exit(main())
