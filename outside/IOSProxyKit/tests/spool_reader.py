#!/usr/bin/python3
"""An independent reader of the job-spooling framework's spool folder.

Usage: spool_reader.py ROOT EXPECTED.json

Reads ROOT/JobList (unsigned 32-bit big-endian ids, nothing else) with struct, and for every job
its folder ROOT/<id>: "printerAddress" and "JobInfo" (XML property lists) with plistlib, and
"JobData", split into QDXA packets by their 20-byte big-endian header (magic CD CA, version 0x10,
flags, operation, sequence, parameter length, two identifiers, result). Compares everything with
EXPECTED.json and exits with 0 when all agrees, else prints the differences and exits with 1.
"""
import json
import os
import plistlib
import struct
import sys

HEADER = struct.Struct(">2sBBHHHIIH")


def packets_of(data):
    packets = []
    offset = 0
    while offset < len(data):
        if len(data) - offset < HEADER.size:
            raise ValueError("a packet header is cut off at %d" % offset)
        magic, version, _flags, operation, _sequence, length, _first, _second, _result = \
            HEADER.unpack_from(data, offset)
        if magic != b"\xcd\xca" or version != 0x10:
            raise ValueError("no packet header at %d" % offset)
        offset += HEADER.size + length
        if offset > len(data):
            raise ValueError("packet parameters run past the end")
        packets.append([operation, length])
    return packets


def read_plist(path, problems):
    with open(path, "rb") as handle:
        content = handle.read()
    if not content.startswith(b"<?xml"):
        problems.append("%s is not an XML property list" % path)
    return plistlib.loads(content)


def check_job(root, job, problems):
    folder = os.path.join(root, str(job["id"]))
    address = read_plist(os.path.join(folder, "printerAddress"), problems)
    if address.get("MODEL:") != job["printerName"]:
        problems.append("printer name %r" % address.get("MODEL:"))
    if address.get("printer URI") != job["printerURI"]:
        problems.append("printer URI %r" % address.get("printer URI"))
    if not isinstance(address.get("connectionType"), int):
        problems.append("connection type %r" % address.get("connectionType"))
    info = read_plist(os.path.join(folder, "JobInfo"), problems)
    wanted = {"JobID": job["id"], "JobName": job["JobName"], "Copies": job["Copies"],
              "Comment": job["Comment"], "SingleJob": job["SingleJob"],
              "JobFileState": job["JobFileState"]}
    if info != wanted:
        problems.append("job %d information %r, wanted %r" % (job["id"], info, wanted))
    with open(os.path.join(folder, "JobData"), "rb") as handle:
        data = handle.read()
    if packets_of(data) != job["packets"]:
        problems.append("job %d packets %r" % (job["id"], packets_of(data)))
    with open(job["dataFile"], "rb") as handle:
        if handle.read() != data:
            problems.append("job %d data differs" % job["id"])


def main():
    root, expected_path = sys.argv[1], sys.argv[2]
    with open(expected_path) as handle:
        expected = json.load(handle)
    problems = []
    with open(os.path.join(root, "JobList"), "rb") as handle:
        job_list = handle.read()
    if len(job_list) % 4 != 0:
        problems.append("JobList holds %d bytes" % len(job_list))
    ids = list(struct.unpack(">%dI" % (len(job_list) // 4), job_list[:len(job_list) // 4 * 4]))
    if ids != expected["jobList"]:
        problems.append("JobList %r" % ids)
    for job in expected["jobs"]:
        check_job(root, job, problems)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
