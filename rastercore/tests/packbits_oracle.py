"""Decodes PackBits pieces with Pillow's TIFF reader, an independent decoder.

Arguments: the coded file, the file of the original bytes, the row width. The coded bytes become
the one strip of a greyscale TIFF with compression 32773 (PackBits), one row per `width` bytes;
exit status 0 when Pillow decodes exactly the original bytes.
"""
import io
import struct
import sys

from PIL import Image


def tiff_around(coded, width, height):
    entries = [
        (256, 3, 1, width),         # ImageWidth
        (257, 3, 1, height),        # ImageLength
        (258, 3, 1, 8),             # BitsPerSample
        (259, 3, 1, 32773),         # Compression: PackBits
        (262, 3, 1, 1),             # Photometric: black is zero
        (273, 4, 1, 0),             # StripOffsets, patched below
        (277, 3, 1, 1),             # SamplesPerPixel
        (278, 3, 1, height),        # RowsPerStrip
        (279, 4, 1, len(coded)),    # StripByteCounts
    ]
    header_size = 8
    ifd_size = 2 + 12 * len(entries) + 4
    data_offset = header_size + ifd_size
    out = bytearray(b"II*\x00" + struct.pack("<I", header_size))
    out += struct.pack("<H", len(entries))
    for tag, kind, count, value in entries:
        if tag == 273:
            value = data_offset
        if kind == 3:
            out += struct.pack("<HHIHH", tag, kind, count, value, 0)
        else:
            out += struct.pack("<HHII", tag, kind, count, value)
    out += struct.pack("<I", 0)
    out += coded
    return bytes(out)


def main():
    coded = open(sys.argv[1], "rb").read()
    original = open(sys.argv[2], "rb").read()
    width = int(sys.argv[3])
    height = len(original) // width
    image = Image.open(io.BytesIO(tiff_around(coded, width, height)))
    decoded = image.tobytes()
    if decoded != original:
        first = next(i for i in range(min(len(decoded), len(original)))
                     if decoded[i] != original[i]) if decoded[:1] else 0
        print(f"decoded {len(decoded)} bytes, expected {len(original)}; first difference {first}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
