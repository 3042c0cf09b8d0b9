#!/usr/bin/python3
"""Reads a serialised ticket with Python's plistlib and checks it holds the expected attributes.

  ticket_oracle.py FILE   exit 0 when FILE is a binary property list of the reference ticket
"""
import plistlib
import sys

EXPECTED = {
    "orvane.wqs.PrinterName": b"Stratoline",
    "orvane.wqs.PrinterDetailCode": -7,
    "orvane.wqs.PrinterOnline": "true",
    "orvane.wqs.JobList": {"orvane.wqs.JobHandle": [0x7FFFFFFF, -1]},
}


def main():
    with open(sys.argv[1], "rb") as f:
        raw = f.read()
    if not raw.startswith(b"bplist00"):
        print("not a binary property list", file=sys.stderr)
        return 1
    found = plistlib.loads(raw)
    if found != EXPECTED:
        print("got", found, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
