#!/usr/bin/python3
"""Reads property lists that the library writes with Python's plistlib.

  address_plist_oracle.py address FILE NAME URI TYPE
      exit 0 when FILE is a dictionary of exactly "MODEL:" NAME, "printer URI" URI (omitted when
      URI is "-") and "connectionType" TYPE
  address_plist_oracle.py monitor FILE LIST CURRENT NAME...
      exit 0 when FILE's "CurrentPrinter" is CURRENT and its array LIST holds one entry per NAME,
      in order, each with equal "QueueName" and "PrinterName", data under "Address" and an
      integer "NetworkType"
"""
import plistlib
import sys


def check_address(path, name, uri, kind):
    with open(path, "rb") as f:
        found = plistlib.load(f)
    expected = {"MODEL:": name, "connectionType": int(kind)}
    if uri != "-":
        expected["printer URI"] = uri
    if found != expected:
        print("got", found, file=sys.stderr)
        return 1
    return 0


def check_monitor(path, list_key, current, names):
    with open(path, "rb") as f:
        found = plistlib.load(f)
    entries = found.get(list_key, [])
    ok = found.get("CurrentPrinter") == current and len(entries) == len(names)
    for entry, name in zip(entries, names):
        ok = ok and entry.get("QueueName") == name and entry.get("PrinterName") == name
        ok = ok and isinstance(entry.get("Address"), bytes)
        ok = ok and isinstance(entry.get("NetworkType"), int)
    if not ok:
        print("got", found, file=sys.stderr)
        return 1
    return 0


def main():
    if sys.argv[1] == "address":
        return check_address(*sys.argv[2:6])
    return check_monitor(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5:])


if __name__ == "__main__":
    sys.exit(main())
