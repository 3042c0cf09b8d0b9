#!/usr/bin/python3
"""Checks the media database's answers against the source table, read on its own.

usage: source_table_oracle.py SOURCE_TABLE DATABASE_FILE ANSWERS
ANSWERS holds one line per medium, tab-separated: id qdxa1 qdxa2 hint optimise-hint ink sources
default-source methods english-name-hex. Exit status 0 when every line matches, 1 otherwise.
"""
import json
import sys


def number(value):
    return int(value, 0) if isinstance(value, str) else int(value)


def expected_lines(medium):
    methods = 0
    for method in medium["methods"]:
        methods |= method["bit"]
    name = medium.get("names", {}).get("en", "").encode("cp1252").hex()
    return "\t".join(str(v) for v in [
        medium["id"], medium["qdxa"][0], medium["qdxa"][1], number(medium["hint"]),
        number(medium["opt_hint"]), medium["ink"], number(medium["sources"]),
        medium["default_source"], methods, name])


def main():
    source, database_file, answers = sys.argv[1:4]
    with open(source, encoding="utf-8") as f:
        table = json.load(f)
    db = next(d for d in table["databases"] if database_file.endswith(d["file"]))
    expected = [expected_lines(m) for m in db["media"]]
    with open(answers, encoding="ascii") as f:
        got = [line.rstrip("\n") for line in f]
    if got != expected:
        for e, g in zip(expected, got):
            if e != g:
                print(f"expected {e}\n     got {g}")
        print(f"{len(expected)} media expected, {len(got)} answered")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
