"""Independent reader of the registry's shared-memory block.

Usage: registry_block_oracle.py <block file> <expected pid> <uri>:<registry type> ...
Checks the block size, the header, and for each expected record (in record order) the fields at
their documented offsets; every other record must be all zeros. Exits 0 when all match.
"""
import re
import struct
import sys

BLOCK_SIZE = 289416
HEADER_SIZE = 8
RECORD_SIZE = 18088
RECORD_COUNT = 16
UUID = re.compile(rb"^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$")
NO_PROCESS = 0xFFFFFFFF


def text(field):
    return field.split(b"\0", 1)[0]


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def check_record(record, uri, registry_type, uuids):
    if text(record[0:256]) != uri.encode():
        fail(f"identifier {text(record[0:256])!r} != {uri!r}")
    connection, attach = struct.unpack_from("<II", record, 256)
    if connection != registry_type:
        fail(f"connection type {connection} != {registry_type}")
    if attach != 1:
        fail(f"attach count {attach} != 1")
    device_owner, = struct.unpack_from("<I", record, 520)
    use_queue = record[524]
    queue_owner, = struct.unpack_from("<I", record, 528)
    if device_owner not in (NO_PROCESS, int(sys.argv[2])):
        fail(f"device lock owner {device_owner:#x}")
    if use_queue != (1 if registry_type == 1 else 0):
        fail(f"use-queue flag {use_queue}")
    if queue_owner != NO_PROCESS:
        fail(f"queue owner {queue_owner:#x}")
    for offset in (264, 8984, 17824):
        name = text(record[offset:offset + 256])
        if not UUID.match(name) or name in uuids:
            fail(f"lock name at {offset}: {name!r}")
        uuids.add(name)
    for slot in range(16):
        identifier, = struct.unpack_from("<d", record, 536 + slot * 528)
        completed, = struct.unpack_from("<d", record, 9248 + slot * 536)
        if identifier != 0.0 or completed != 0.0:
            fail(f"slot {slot} not free")


def main():
    with open(sys.argv[1], "rb") as block_file:
        block = block_file.read()
    if len(block) != BLOCK_SIZE:
        fail(f"block size {len(block)}")
    attach, owner = struct.unpack_from("<II", block, 0)
    if attach != 1 or owner != int(sys.argv[2]):
        fail(f"header attach {attach} owner {owner}")
    expected = [entry.rsplit(":", 1) for entry in sys.argv[3:]]
    uuids = set()
    for index in range(RECORD_COUNT):
        start = HEADER_SIZE + index * RECORD_SIZE
        record = block[start:start + RECORD_SIZE]
        if index < len(expected):
            check_record(record, expected[index][0], int(expected[index][1]), uuids)
        elif any(record):
            fail(f"record {index} not zero")
    sys.exit(0)


main()
