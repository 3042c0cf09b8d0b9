#!/usr/bin/python3
"""An independent client of the job sender: asks for the job list and checks the reply.

Usage: job_list_client.py SOCKET EXPECTED.json

Speaks the event wire format from its description alone: a message is the magic "SLev", the body
length (u32) and the body; the body is the class and id (four characters each), the transaction
id (u32), flags (u8, bit 0 wants a reply), the parameters and then the attributes, each list a
count (u16) of descriptors: keyword, type (four characters each), length (u32) and bytes. All
numbers are big-endian.

Sends 'EVae' 'MAGI' wanting a reply, and reads the reply's direct parameter ('----', type 'MAJI':
record count u32, stopped flag u8, 3 reserved bytes) and attribute ('----', type 'MAJD': 784
bytes a record: job id u32, job name 256 bytes, printer name 256 bytes, copies u32, comment 256
bytes, state u32, progress i32; texts zero-terminated and zero after). Compares them with
EXPECTED.json ({"stopped": bool, "jobs": [{"id", "name", "printer", "copies", "comment",
"state", "progress"}]}); exits with 0 when all agrees, else prints the differences and exits
with 1.
"""
import json
import socket
import struct
import sys

MAGIC = b"SLev"
BODY_HEAD = struct.Struct(">4s4sIB")
DESCRIPTOR_HEAD = struct.Struct(">4s4sI")
JOB_INFO = struct.Struct(">IB3s")
JOB_DATA = struct.Struct(">I256s256sI256sIi")


def message(event_class, event_id, transaction, wants_reply):
    body = BODY_HEAD.pack(event_class, event_id, transaction, 1 if wants_reply else 0)
    body += struct.pack(">H", 0) + struct.pack(">H", 0)
    return MAGIC + struct.pack(">I", len(body)) + body


def receive_exactly(connection, size):
    data = b""
    while len(data) < size:
        chunk = connection.recv(size - len(data))
        if not chunk:
            raise ValueError("the reply ends after %d of %d bytes" % (len(data), size))
        data += chunk
    return data


def descriptors(body, offset):
    (count,) = struct.unpack_from(">H", body, offset)
    offset += 2
    found = {}
    for _ in range(count):
        keyword, kind, length = DESCRIPTOR_HEAD.unpack_from(body, offset)
        offset += DESCRIPTOR_HEAD.size
        if offset + length > len(body):
            raise ValueError("a descriptor runs past the body")
        found[keyword] = (kind, body[offset:offset + length])
        offset += length
    return found, offset


def text(field, problems, what):
    end = field.index(b"\0") if b"\0" in field else len(field)
    if end == len(field):
        problems.append("%s has no terminator" % what)
    if any(field[end:]):
        problems.append("%s holds bytes after its terminator" % what)
    return field[:end].decode("utf-8")


def ask(path):
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as connection:
        connection.settimeout(10)
        connection.connect(path)
        connection.sendall(message(b"EVae", b"MAGI", 77, True))
        head = receive_exactly(connection, 8)
        if head[:4] != MAGIC:
            raise ValueError("the reply has no magic")
        (length,) = struct.unpack(">I", head[4:])
        body = receive_exactly(connection, length)
    event_class, event_id, transaction, flags = BODY_HEAD.unpack_from(body, 0)
    if (event_class, event_id, transaction, flags) != (b"aevt", b"ansr", 77, 0):
        raise ValueError("not an answer: %r" % ((event_class, event_id, transaction, flags),))
    parameters, offset = descriptors(body, BODY_HEAD.size)
    attributes, offset = descriptors(body, offset)
    if offset != len(body):
        raise ValueError("%d bytes after the attributes" % (len(body) - offset))
    return parameters, attributes


def main():
    path, expected_path = sys.argv[1], sys.argv[2]
    with open(expected_path) as handle:
        expected = json.load(handle)
    parameters, attributes = ask(path)
    problems = []
    kind, info = parameters[b"----"]
    if kind != b"MAJI" or len(info) != JOB_INFO.size:
        problems.append("direct parameter %r of %d bytes" % (kind, len(info)))
    count, stopped, reserved = JOB_INFO.unpack(info)
    if reserved != b"\0\0\0":
        problems.append("reserved bytes %r" % reserved)
    if bool(stopped) != expected["stopped"]:
        problems.append("stopped %d" % stopped)
    kind, records = attributes[b"----"]
    if kind != b"MAJD" or len(records) != count * JOB_DATA.size:
        problems.append("attribute %r of %d bytes for %d records" % (kind, len(records), count))
    jobs = []
    for index in range(len(records) // JOB_DATA.size):
        job_id, name, printer, copies, comment, state, progress = \
            JOB_DATA.unpack_from(records, index * JOB_DATA.size)
        jobs.append({"id": job_id, "name": text(name, problems, "name %d" % index),
                     "printer": text(printer, problems, "printer %d" % index),
                     "copies": copies, "comment": text(comment, problems, "comment %d" % index),
                     "state": state, "progress": progress})
    if jobs != expected["jobs"]:
        problems.append("jobs %r, wanted %r" % (jobs, expected["jobs"]))
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
