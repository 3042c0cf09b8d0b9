#!/usr/bin/python3
"""Independent reader and writer of property lists for the cf tests, on Python's plistlib.

  plist_oracle.py check FILE       exit 0 when FILE holds the reference dictionary
  plist_oracle.py write xml|bin FILE  write the reference dictionary in that format
  plist_oracle.py holds FILE JSON  exit 0 when FILE is well-formed XML to xmllint and plistlib
                                   reads it as the dictionary that the JSON text gives
"""
import datetime
import json
import plistlib
import subprocess
import sys

REFERENCE = {
    "boolean": True,
    "false": False,
    "int32": -42,
    "int64": 1 << 40,
    "real": 0.1,
    "string": "h\u00e9llo <&> \u65e5\u672c",
    "data": bytes(range(256)),
    "date": datetime.datetime(2024, 2, 29, 12, 30, 15),
    "array": [1, "two", [3.5], {}],
    "dictionary": {"nested": {"deeper": b""}},
    "empty string": "",
}


def holds(path, expected_json):
    lint = subprocess.run(["/usr/bin/xmllint", "--noout", path], capture_output=True, text=True)
    if lint.returncode != 0:
        print("xmllint:", lint.stderr, file=sys.stderr)
        return 1
    with open(path, "rb") as f:
        found = plistlib.load(f)
    expected = json.loads(expected_json)
    if found != expected:
        print("got", ascii(found), "expected", ascii(expected), file=sys.stderr)
        return 1
    return 0


def main():
    if sys.argv[1] == "holds":
        return holds(sys.argv[2], sys.argv[3])
    if sys.argv[1] == "check":
        with open(sys.argv[2], "rb") as f:
            found = plistlib.load(f)
        if found != REFERENCE:
            print("got", found, file=sys.stderr)
            return 1
        return 0
    fmt = plistlib.FMT_XML if sys.argv[2] == "xml" else plistlib.FMT_BINARY
    with open(sys.argv[3], "wb") as f:
        plistlib.dump(REFERENCE, f, fmt=fmt)
    return 0


if __name__ == "__main__":
    sys.exit(main())
