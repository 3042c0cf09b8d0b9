#!/usr/bin/python3
"""Writes the old settings record groups that the history tests read, with struct.pack, from the
record layouts alone (big-endian numbers at fixed offsets, length-prefixed Mac Roman texts).

  make_old_records.py FOLDER    writes v100_group.bin, v102_group.bin and v200_group.bin
"""
import os
import struct
import sys

SIZE = {100: 1280, 102: 2052, 200: 5634}


class Record:
    def __init__(self, version):
        self.data = bytearray(SIZE[version])

    def put(self, offset, fmt, *values):
        struct.pack_into(">" + fmt, self.data, offset, *values)

    def text(self, offset, capacity, value, length=None):
        """A text of at most `capacity` bytes; `length` overrides the length byte."""
        raw = value.encode("mac_roman")
        assert len(raw) <= capacity
        self.data[offset] = len(raw) if length is None else length
        self.data[offset + 1 : offset + 1 + len(raw)] = raw


def group(records):
    return struct.pack(">h", len(records)) + b"".join(bytes(r.data) for r in records)


def old_record(version, media_type, near_end, thickness, cut_speed, flags):
    r = Record(version)
    r.text(0, 255, "unused title")
    r.put(256, "hh", 3, 7)
    r.text(260, 63, "Portr\u00e4t")
    r.text(324, 255, "photo.tif")
    r.text(580, 31, "2009/05/01")
    r.text(612, 31, "C0 M0 Y0")
    r.text(644, 31, "SL-7440")
    r.text(676, 255, "first print")
    r.put(932, "Hhhh", 23, media_type, 0, 2)
    r.text(940, 255, "Profile [My Printer.icc] old")
    r.put(1196, "HhhhHH", 5, 360, 16, 0, 2, 1)
    r.put(1208, "HHH", 1, 1, 2)
    r.put(1214, "H", 100)
    r.put(1216, "HHH", 4, 2, 3)
    r.put(1222, "ii", 150, -20)
    r.put(1230, "h", 2)
    r.put(1232, "7h", 1, 2, 3, 4, 5, 6, 7)
    r.put(1248, "hhh", 1118, 1, 0)
    r.put(1254, "8h", 5, 6, near_end, 8, thickness, 3, cut_speed, 1)
    r.put(1270, "h", 2)
    r.put(1272, "i", flags)
    return r


def v100_group():
    first = old_record(100, -120, 2, 2, 2, 0x2200)
    second = old_record(100, -156, 3, 3, 3, 0)
    third = old_record(100, -104, 4, 4, 4, 0)
    # A length byte larger than its 63-byte field: only the field's bytes count.
    third.text(260, 63, "N" * 63, length=200)
    return group([first, second, third])


def v102_group():
    records = []
    for number, name in enumerate(["one", "two", "three"], start=1):
        r = old_record(102, -120, 2, 2, 2, 0)
        r.put(256, "hh", number, 10 + number)
        r.text(260, 63, name)
        r.put(1280, "i", 0x11223344)
        r.text(1284, 255, "Glossy %d" % number)
        records.append(r)
    return group(records)


def v200_record(printer_type, color_mode, output_text, proof_text, selector, method, old_method,
                flags):
    r = Record(200)
    r.put(256, "hh", 9, 4)
    r.text(260, 63, "Favourite")
    r.text(324, 255, "sunset.tif")
    r.text(580, 31, "2012/11/30")
    r.text(612, 63, "C+5")
    r.text(676, 31, "SL-5170")
    r.text(708, 255, "caf\u00e9 print")
    r.put(1220, "Hi", printer_type, selector)
    r.put(1226, "h", 12)
    r.text(1228, 255, "Matte")
    r.put(1486, "H", color_mode)
    r.text(1488, 255, output_text)
    r.put(1744, "HhhhHH", 3, 720, 8, 0, 3, 1)
    r.put(1772, "ihh", 0x0A0B0C0D, 1, 3)
    r.put(2012, "HHH", 1, 2, 1)
    r.put(2018, "d", 1.25)
    r.put(2026, "H", 17)
    r.text(2028, 255, "A3+")
    r.put(2284, "ii", 0x01020304, 4830)
    r.put(2292, "HH", 1, 2)
    r.put(2296, "ii", -35, 70)
    r.put(2304, "HH", 3, 6)
    r.put(2562, "7h", -1, -2, -3, 4, 5, 6, -7)
    r.put(2832, "7i", 3, 10, -10, 11, 12, 13, 14)
    r.put(3116, "i", 2)
    r.put(3120, "5i", 3, 2, 2, 2, 40)
    r.put(3140, "3i", 0, 128, 255)
    r.put(3140 + 4 * 16 * 4, "16i", *range(0, 160, 10))
    r.put(3460, "3i", 0, 140, 255)
    r.put(3460 + 4 * 16 * 4, "16i", *range(100, 260, 10))
    r.put(4036, "3h", 6100, 1, 1)
    r.put(4298, "5h", 2, 3, 4, 5, 6)
    r.put(4310, "8h", 7, 8, 1, 1, 1, 1, 5, 1)
    r.put(4580, "6i", 2, old_method, 3, 2, 4, 1)
    r.text(4604, 255, "saved data")
    r.put(4860, "i", method)
    r.put(5116, "hi", 7, flags)
    r.text(5122, 255, proof_text)
    r.put(5378, "3h", 0, 1, 1)
    return r


def v200_group():
    first = v200_record(28, 7, "Profile [My Printer.icc] old",
                        "[Gone.icc] then [/old/place/Proof B.icc]", 201, 2, 5, 0x2200)
    second = v200_record(14, 4, "x] [My Printer.icc", "Profile [Missing.icc]", 201, 5, 2, 0)
    third = v200_record(28, 2, "Profile [My Printer.icc]", "no brackets", 199, 2, 5, 0x200)
    # A length byte of 255 in a 63-byte field: only the field's bytes count.
    third.text(260, 63, "Z" * 63, length=255)
    return group([first, second, third])


def main():
    folder = sys.argv[1]
    for name, data in [("v100_group.bin", v100_group()), ("v102_group.bin", v102_group()),
                       ("v200_group.bin", v200_group())]:
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
