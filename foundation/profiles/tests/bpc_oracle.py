"""Checks the colour engine's settings file with Python's plistlib.

Usage: bpc_oracle.py FILE BPC DITHER [KEY=VALUE...]
BPC and DITHER are "true", "false" or "absent"; each KEY=VALUE names another string entry that
must stand unchanged. Exit status 0 when the file is an XML property list holding exactly that.
"""
import plistlib
import sys


def holds(settings, key, word):
    """Whether `key` is the Boolean `word`, or missing for "absent"."""
    value = settings.get(key)
    if word == "absent":
        return key not in settings
    return isinstance(value, bool) and value == (word == "true")


def main():
    path, bpc, dither = sys.argv[1:4]
    with open(path, "rb") as f:
        head = f.read(5)
        f.seek(0)
        settings = plistlib.load(f)
    if head != b"<?xml":
        return 1
    if not holds(settings, "BlackPointCompensation", bpc):
        return 2
    if not holds(settings, "Dither", dither):
        return 3
    for pair in sys.argv[4:]:
        key, value = pair.split("=", 1)
        if settings.get(key) != value:
            return 4
    return 0


if __name__ == "__main__":
    sys.exit(main())
