#!/usr/bin/python3
"""Writes the old settings files that the migration program's tests convert, with struct.pack.

Every file is big-endian, as the earlier versions wrote them; text is Mac Roman. Run it from any
folder; the files land beside this script:

  user.pref                    3 papers, the second named "Caf\\x8e Menu" (Mac Roman e-acute)
  user_count4.pref             the same 3 papers with a count of 4: too short, not converted
  user_name255.pref            the second paper's length byte is 255 (its field holds 63):
                               that paper is left out; the third fills its field exactly
  user_bell.pref               2 papers whose names hold control characters (0x07, 0x1F)
  user_flags.pref              5 papers whose flags and ids tell the list accessors' kinds
                               apart: ids 10, 20, 30, 40, 20 with flags 0x102, 0x2, 0x100, 0, 0
  custom_ids.pref              a list of 3 custom ids of 16 bytes each
  custom_ids_count5.pref       the same 3 entries and half a fourth with a count of 5
  custom_ids_negative.pref     the same 3 entries with a count of -1
  connect.pref                 804 bytes: old printer 15, "USB"
  connect_900.pref             900 bytes: old printer 36, "DNSSD"; the tail is ignored
  connect_803.pref             803 bytes: one short, not converted
  connect_kind_open.pref       the 256-byte kind field holds no terminating zero
  connect_popup_open.pref      the 512-byte pop-up name field holds no terminating zero
  connect_db255.pref           the database name's length byte is 255 (its field holds 15)
  connect_printer14.pref       old printer 14, which has no current id
  connect_usb_space.pref       the kind "USB " (with a space), which is no known kind
  ui2.pref                     4880 bytes, every converted field set
  ui2_4544.pref                the earlier 4544-byte record
  ui2_4700.pref                the earlier record and 156 more bytes: read as the earlier one
  ui2_curve1000.pref           the RGB curve claims 1000 points and the R curve -5
  ui2_nan_scale.pref           a NaN scale at 840, and an output profile text without "["
  ui2_proof_missing.pref       a proof profile that is not installed
  ui2_bell.pref                the comment and the box name hold control characters
  Job.pref                     2 history records of version 200 (5634 bytes each); the second
                               is a favourite too
  Job_v102.pref                the same 2 records in version 102 (2052 bytes each)
  Job_v100.pref                the same 2 records in version 100 (1280 bytes each)
  Job_favorites_only.pref      1 favourite of version 200 that is no history entry
  Job_negative.pref            a count of -1
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
# Bytes of the old dialog settings record that the converter does not read hold this filler, so
# a field read at a wrong offset shows.
FILLER = 0xA5


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def pstr(text, field):
    """A length-prefixed string in a field of `field` bytes."""
    assert len(text) < field
    return bytes([len(text)]) + text + bytes(field - 1 - len(text))


# ---- user.pref: count, then records of id (>h), name (Str63), width, height (>i), flags (>I).
PAPERS = [
    (1001, b"Poster A", 6100, 9140, 0),
    (1002, b"Caf\x8e Menu", 2100, 2970, 0x100),
    (-5, b"Banner", 3000, 70000, 2),
]


def paper(paper_id, name, width, height, flags, name_field=None):
    field = name_field if name_field is not None else pstr(name, 64)
    assert len(field) == 64
    return struct.pack(">h", paper_id) + field + struct.pack(">iiI", width, height, flags)


BELL_PAPERS = [
    (1001, b"Bell\x07Paper", 6100, 9140, 0),
    (1002, b"Caf\x8e\x1f", 2100, 2970, 0),
]


def user_files():
    write("user_bell.pref", struct.pack(">h", 2) + b"".join(paper(*p) for p in BELL_PAPERS))
    records = b"".join(paper(*p) for p in PAPERS)
    write("user.pref", struct.pack(">h", 3) + records)
    write("user_count4.pref", struct.pack(">h", 4) + records)
    long_second = bytes([255]) + b"X" * 63
    full_third = bytes([63]) + b"F" * 63
    write("user_name255.pref", struct.pack(">h", 3) + paper(*PAPERS[0]) +
          paper(*PAPERS[1], name_field=long_second) +
          paper(PAPERS[2][0], b"", *PAPERS[2][2:], name_field=full_third))


# Kinds of the paper list accessors: bit 1 of the flags admits a paper to kind 1, bit 8 keeps it
# out of kind 2.
FLAGGED_PAPERS = [
    (10, b"Flag 1 and 8", 100, 1000, 0x102),
    (20, b"Flag 1", 200, 2000, 0x2),
    (30, b"Flag 8", 300, 3000, 0x100),
    (40, b"No flag", 400, 4000, 0),
    (20, b"Second 20", 500, 5000, 0),
]


def flagged_files():
    write("user_flags.pref", struct.pack(">h", len(FLAGGED_PAPERS)) +
          b"".join(paper(*p) for p in FLAGGED_PAPERS))


# ---- custom id lists: count (>h), then 16-byte entries, here an id (>h), a value (>i) and a
# 10-byte label.
CUSTOM_IDS = [(7, 70000, b"seven"), (-3, -30, b"minus3"), (12, 0x7FFFFFFF, b"twelve")]


def custom_id_files():
    entries = b"".join(struct.pack(">hi10s", *entry) for entry in CUSTOM_IDS)
    assert len(entries) == 16 * len(CUSTOM_IDS)
    write("custom_ids.pref", struct.pack(">h", 3) + entries)
    write("custom_ids_count5.pref", struct.pack(">h", 5) + entries + entries[:8])
    write("custom_ids_negative.pref", struct.pack(">h", -1) + entries)


# ---- connect.pref: id (>i), kind (256, zero-terminated), pop-up (512, zero-terminated),
# database name (Str15), a second Str15.
def cstr(text, field):
    assert len(text) < field
    return text + bytes(field - len(text))


def connect(old_id, kind, popup, db=pstr(b"SL7440", 16), second=pstr(b"v2", 16)):
    data = struct.pack(">i", old_id) + kind + popup + db + second
    assert len(data) == 804
    return data


def connect_files():
    popup = cstr(b"Stratoline SL-7440 Caf\x8e", 512)
    write("connect.pref", connect(15, cstr(b"USB", 256), popup))
    write("connect_900.pref",
          connect(36, cstr(b"DNSSD", 256), cstr(b"Studio printer", 512), pstr(b"SL5170", 16)) +
          b"\xff" * 96)
    write("connect_803.pref", connect(15, cstr(b"USB", 256), popup)[:803])
    write("connect_kind_open.pref", connect(15, b"U" * 256, popup))
    write("connect_popup_open.pref", connect(15, cstr(b"USB", 256), b"P" * 512))
    write("connect_db255.pref",
          connect(15, cstr(b"USB", 256), popup, db=bytes([255]) + b"D" * 15))
    write("connect_printer14.pref", connect(14, cstr(b"USB", 256), popup))
    write("connect_usb_space.pref", connect(15, cstr(b"USB ", 256), popup))


# ---- ui2.pref: signed 32-bit big-endian numbers, a big-endian double at 840, Str255 texts.
# Fields copied unchanged get the value offset + 7, so that each is told apart.
COPIED = [20, 564, 568, 588, 592, 596, 828, 832, 836, 848, 852, 860, 864, 868, 1128, 1132, 1136,
          1140, 1144, 1148, 1152, 1412, 1416, 1420, 1424, 1428, 1432, 1436, 1696, 2616, 2620,
          2624, 2628, 2632, 2636, 2640, 2644, 3428, 3432, 3436, 3696, 3700, 3704, 3708, 3712,
          3720, 3724, 3728, 3732, 3740, 4004, 4012, 4020, 4024, 4800, 4804, 4808]
CODES = {
    8: 3,            # tab 3
    12: 4,           # preview 4
    28: 5,           # dialog maximized
    284: 0x0001FFF6,  # media type: low 16 bits -10
    288: 0x00050168,  # input resolution: low 16 bits 360
    292: 16,         # input bits
    300: 7,          # colour mode 7: matching through the output profile
    560: 5,          # matching method 5
    856: 3,          # layout 3
    872: 6,          # roll paper layout 6
    3736: 1,         # calibration 1
    3744: 5,         # SSC 5
    3748: 1,         # dot placement 1
    4008: 5,         # enlargement method 5
    4016: 9,         # output method 9 (unknown)
    4288: 12,        # keep the dialog open
    4540: 2,         # ink system 2
}
# Point counts and points of the curves RGB, R, G, B, Gray: counts at 1700 + 4c, X values at
# 1720 + 64c, Y values at 2040 + 64c.
CURVES = [
    [(0, 0), (128, 140), (255, 255)],
    [(16 * k, 255 - 16 * k) for k in range(16)],
    [],
    [(0, 10), (255, 245)],
    [(64, 64)],
]
OUTPUT_PROFILE_TEXT = b"Printer Profiles/[/Library/ColorSync/Profiles/Glossy Photo.icc]"
PROOF_PROFILE_TEXT = b"[Proof Paper.icc]"


def put32(record, offset, value):
    struct.pack_into(">i", record, offset, value)


def put_text(record, offset, text):
    record[offset:offset + 256] = pstr(text, 256)


def ui2_record(size=4880, curve_counts=None, scale=2.5, output_text=OUTPUT_PROFILE_TEXT,
               proof_text=PROOF_PROFILE_TEXT, comment=b"Proof run", box=b"Box \x8e"):
    record = bytearray([FILLER]) * 4880
    for offset in COPIED:
        put32(record, offset, offset + 7)
    for offset, value in CODES.items():
        put32(record, offset, value)
    for c, points in enumerate(CURVES):
        put32(record, 1700 + 4 * c, len(points))
        for k, (x, y) in enumerate(points):
            put32(record, 1720 + 64 * c + 4 * k, x)
            put32(record, 2040 + 64 * c + 4 * k, y)
    if curve_counts is not None:
        for c, count in enumerate(curve_counts):
            put32(record, 1700 + 4 * c, count)
            for k in range(16):
                if k >= len(CURVES[c]):
                    put32(record, 1720 + 64 * c + 4 * k, 1000 + k)
                    put32(record, 2040 + 64 * c + 4 * k, 2000 + k)
    struct.pack_into(">d", record, 840, scale)
    put_text(record, 304, output_text)
    put_text(record, 2648, comment)
    put_text(record, 4028, box)
    put_text(record, 4544, proof_text)
    return bytes(record[:size])


def ui2_files():
    write("ui2.pref", ui2_record())
    write("ui2_4544.pref", ui2_record(4544))
    write("ui2_4700.pref", ui2_record(4544) + b"\x5a" * 156)
    write("ui2_curve1000.pref", ui2_record(curve_counts=[1000, -5, 0, 2, 1]))
    write("ui2_nan_scale.pref",
          ui2_record(scale=math.nan, output_text=b"Glossy Photo.icc]"))
    write("ui2_proof_missing.pref", ui2_record(proof_text=b"[Missing Proof.icc]"))
    write("ui2_bell.pref", ui2_record(comment=b"Proof\x07run\x0b", box=b"Box \x8e\x01"))


# ---- Job.pref: count, then records of version 200 (5634 bytes), 102 (2052) or 100 (1280).
# The 32-bit flags (5118 in version 200, 1272 in 100 and 102) hold the lists in their high half
# (bit 0 history, bit 1 favourites) and the print result in their low half (0x200: failed).
HISTORY = 0x10000
FAVORITE = 0x20000
FAILED = 0x200
# listNumber, DateCount, the text at 260, file name, date, old printer type, copies, flags.
JOBS = [
    (1, 7, b"Job 7 of 2009-03-02", b"Beach.tif", b"2009/03/02", 15, 3, HISTORY),
    (2, 8, b"Caf\x8e front", b"Cafe.psd", b"2009/03/03", 36, 1, HISTORY | FAVORITE | FAILED),
]


def job200(job):
    number, count, name, file_name, date, printer, copies, flags = job
    record = bytearray(5634)
    struct.pack_into(">hh", record, 256, number, count)
    record[260:324] = pstr(name, 64)
    record[324:580] = pstr(file_name, 256)
    record[580:612] = pstr(date, 32)
    struct.pack_into(">H", record, 1220, printer)
    struct.pack_into(">H", record, 1486, 1)  # colour mode 1
    struct.pack_into(">H", record, 1752, copies)
    struct.pack_into(">d", record, 2018, 1.25)
    struct.pack_into(">i", record, 5118, flags)
    return bytes(record)


def job100(job, size):
    number, count, name, file_name, date, printer, copies, flags = job
    record = bytearray(size)
    struct.pack_into(">hh", record, 256, number, count)
    record[260:324] = pstr(name, 64)
    record[324:580] = pstr(file_name, 256)
    record[580:612] = pstr(date, 32)
    struct.pack_into(">hhhh", record, 932, printer, 0, 0, 1)  # type, medium, -, colour mode 1
    struct.pack_into(">hhhhhh", record, 1196, 0, 0, 0, 0, copies, 0)
    struct.pack_into(">H", record, 1214, 100)  # scale in whole units
    struct.pack_into(">i", record, 1272, flags)
    return bytes(record)


def job_files():
    write("Job.pref", struct.pack(">h", 2) + b"".join(job200(j) for j in JOBS))
    write("Job_v102.pref", struct.pack(">h", 2) + b"".join(job100(j, 2052) for j in JOBS))
    write("Job_v100.pref", struct.pack(">h", 2) + b"".join(job100(j, 1280) for j in JOBS))
    favorite = JOBS[1][:7] + (FAVORITE,)
    write("Job_favorites_only.pref", struct.pack(">h", 1) + job200(favorite))
    write("Job_negative.pref", struct.pack(">h", -1) + job200(JOBS[0]))


if __name__ == "__main__":
    user_files()
    flagged_files()
    custom_id_files()
    connect_files()
    ui2_files()
    job_files()
