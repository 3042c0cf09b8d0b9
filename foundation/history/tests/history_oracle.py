#!/usr/bin/python3
"""Independent writer and checker of history files ("job3.xml") and favourite files, on plistlib.

  history_oracle.py write FILE JSON   write the JSON object as an XML property list
  history_oracle.py check FILE JSON   exit 0 when FILE's root holds what the JSON object says:
                                      every key of the object with its value, where null means
                                      the key is absent, an array must have as many elements and
                                      an object is matched the same way (other keys may be there)
"""
import json
import plistlib
import sys


def problems_of(found, expected, where):
    if isinstance(expected, dict):
        if not isinstance(found, dict):
            return ["%s: not a dictionary: %r" % (where, found)]
        problems = []
        for key, value in expected.items():
            if value is None:
                if key in found:
                    problems.append("%s.%s: present, %r" % (where, key, found[key]))
            elif key not in found:
                problems.append("%s.%s: missing" % (where, key))
            else:
                problems += problems_of(found[key], value, where + "." + key)
        return problems
    if isinstance(expected, list):
        if not isinstance(found, list) or len(found) != len(expected):
            return ["%s: %r is not an array of %d" % (where, found, len(expected))]
        problems = []
        for index, (item, wanted) in enumerate(zip(found, expected)):
            problems += problems_of(item, wanted, "%s[%d]" % (where, index))
        return problems
    # plistlib reads integers as int and booleans as bool: keep them apart.
    if type(found) is not type(expected) or found != expected:
        return ["%s: %r, expected %r" % (where, found, expected)]
    return []


def main():
    command, path, content = sys.argv[1], sys.argv[2], json.loads(sys.argv[3])
    if command == "write":
        with open(path, "wb") as out:
            plistlib.dump(content, out, fmt=plistlib.FMT_XML)
        return 0
    with open(path, "rb") as source:
        root = plistlib.load(source)
    problems = problems_of(root, content, "root")
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
