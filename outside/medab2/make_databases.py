#!/usr/bin/python3
"""Writes the media database files from the source table media.json.

usage: make_databases.py SOURCE OUTPUT_FOLDER FIXTURE_FOLDER

The file layout is described in database_format.h; the colour-table container in
include/medab2/table_parts.h.
"""
import json
import struct
import sys

HEADER_BYTES = 84
MEDIUM_BYTES = 64
METHOD_BYTES = 8
RESOLUTION_BYTES = 24
NONE = 0xFFFFFFFF
PART_NAME_BYTES = 16
CURVE_SAMPLES = 256
TABLE_KINDS = ["csc1", "input_gamma", "csc2", "output_gamma", "ed", "resolution_conv",
               "dither", "index"]
HALFTONE_ERROR_DIFFUSION = 1
HALFTONE_DITHER = 16


def number(value):
    return int(value, 0) if isinstance(value, str) else int(value)


def text_field(text, size):
    data = text.encode("ascii")
    if len(data) >= size:
        raise ValueError(f"{text!r} does not fit {size} bytes with its terminator")
    return data + b"\0" * (size - len(data))


def container(parts):
    """Named parts: magic, total length, count, entries of (name, offset, length), then the
    payloads."""
    head_bytes = 12
    offset = head_bytes + len(parts) * (PART_NAME_BYTES + 8)
    entries, payloads = b"", b""
    for name, payload in parts:
        entries += text_field(name, PART_NAME_BYTES) + struct.pack("<II", offset, len(payload))
        payloads += payload
        offset += len(payload)
    return b"MTB1" + struct.pack("<II", offset, len(parts)) + entries + payloads


def curve(gamma):
    samples = [round(65535 * (i / (CURVE_SAMPLES - 1)) ** gamma) for i in range(CURVE_SAMPLES)]
    return struct.pack("<H", CURVE_SAMPLES) + struct.pack(f"<{CURVE_SAMPLES}H", *samples)


def bayer(size):
    matrix = [[0]]
    while len(matrix) < size:
        n = len(matrix)
        matrix = [[4 * matrix[y % n][x % n] + [[0, 2], [3, 1]][y // n][x // n]
                   for x in range(2 * n)] for y in range(2 * n)]
    return bytes(v * 256 // (size * size) for row in matrix for v in row)


def tables_of(medium, source_tables):
    gamma = source_tables["curve"]
    curves = lambda names: container([(n, curve(gamma[n])) for n in names])
    icc = medium["icc"].encode("ascii") + b"\0"
    csc1 = container([(name, struct.pack("<II", p["intent"], p["space"]) + icc)
                      for name, p in source_tables["csc1"].items()])
    halftone = number(medium["halftone"])
    dots = medium["methods"][-1]["resolutions"][0]["code"][2]
    return {
        "csc1": csc1,
        "input_gamma": curves(["x_08", "x_10", "x_12"]),
        "csc2": curves(["x_std", "x_mono_photo", "h_mono_photo"]),
        "output_gamma": curves(["x_std", "x_mono_photo"]),
        "ed": container([("x_std", bytes([7, 3, 5, 1]) + struct.pack("<H", 16))])
        if halftone == HALFTONE_ERROR_DIFFUSION else b"",
        "resolution_conv": container([("x_std", struct.pack("<HH", dots // 2, dots))])
        if halftone == HALFTONE_ERROR_DIFFUSION else b"",
        "dither": container([("x_std", bayer(16))]) if halftone == HALFTONE_DITHER else b"",
        "index": container([("x_std", bytes([4, 0, 85, 170, 255]))]),
    }


class Pool:
    def __init__(self):
        self.data = b""
        self.known = {}

    def add(self, blob):
        if blob not in self.known:
            self.known[blob] = len(self.data)
            self.data += blob
        return self.known[blob]


def names_blob(names):
    blob = struct.pack("<H", len(names))
    for locale, name in names.items():
        data = name.encode("cp1252")
        blob += text_field(locale, 4) + struct.pack("<H", len(data)) + data
    return blob


def database(db, source_tables):
    pool = Pool()
    media, methods, resolutions = b"", b"", b""
    method_count = resolution_count = 0
    for m in db["media"]:
        first_method = method_count
        for method in m["methods"]:
            first_res = resolution_count
            for r in method["resolutions"]:
                code = r["code"]
                mode1 = r.get("code_mode1", code)
                resolutions += struct.pack("<HH5H5H", r["id"], number(r.get("hint", 0)),
                                           *code, *mode1)
                resolution_count += 1
            methods += struct.pack("<HHHH", method["bit"], 1, first_res,
                                   resolution_count - first_res)
            method_count += 1
        default = m["methods"][-1]
        tables = tables_of(m, source_tables)
        directory = struct.pack("<H", len(TABLE_KINDS))
        for kind in TABLE_KINDS:
            blob = tables[kind]
            directory += struct.pack("<II", pool.add(blob) if blob else NONE, len(blob))
        names = pool.add(names_blob(m["names"])) if "names" in m else NONE
        media += struct.pack(
            "<HHHHIIIHHIIIHHHHHHIIII",
            m["id"], m["qdxa"][0], m["qdxa"][1], m["default_source"],
            number(m["hint"]), number(m["opt_hint"]), m["ink"], number(m["sources"]),
            number(m["halftone"]), m["model"], pool.add(m["icc"].encode("ascii") + b"\0"), names,
            first_method, len(m["methods"]), default["bit"], default["resolutions"][0]["id"],
            0, 0, pool.add(directory), 0x20, 0x30, 0x40)
    media_offset = HEADER_BYTES
    method_offset = media_offset + len(media)
    resolution_offset = method_offset + len(methods)
    pool_offset = resolution_offset + len(resolutions)
    header = (b"MEDAB2DB\0\0" + text_field(db["version"], 4) + text_field(db["revision"], 4)
              + text_field(db["date"], 12) + text_field(db["label"], 4)
              + struct.pack("<H", db["medium_type"]))
    header += struct.pack("<8I", len(db["media"]), media_offset, method_count, method_offset,
                          resolution_count, resolution_offset, pool_offset, len(pool.data))
    header += b"\0" * (HEADER_BYTES - len(header))
    return header + media + methods + resolutions + pool.data


def main():
    source, output, fixtures = sys.argv[1:4]
    with open(source, encoding="utf-8") as f:
        table = json.load(f)
    for db in table["databases"]:
        folder = fixtures if db.get("fixture") else output
        with open(f"{folder}/{db['file']}", "wb") as f:
            f.write(database(db, table["tables"]))


if __name__ == "__main__":
    main()
