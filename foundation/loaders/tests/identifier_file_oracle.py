#!/usr/bin/python3
"""usage: identifier_file_oracle.py FILE ID -- exit 0 when FILE is a property list that is
exactly the dictionary {"IFBundleID": ID}."""
import plistlib
import sys

with open(sys.argv[1], "rb") as f:
    sys.exit(0 if plistlib.load(f) == {"IFBundleID": sys.argv[2]} else 1)
