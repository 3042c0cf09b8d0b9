#!/usr/bin/python3
"""Independent reader and writer of property lists for the cf tests, on Python's plistlib.

  plist_oracle.py check FILE       exit 0 when FILE holds the reference dictionary
  plist_oracle.py write xml|bin FILE  write the reference dictionary in that format
"""
import datetime
import plistlib
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


def main():
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
