#!/usr/bin/env python3
"""Sums GoogleTest XML results: prints "N passed, N failed" (", N skipped" when some were)."""
import sys
import xml.etree.ElementTree as ElementTree


def outcome(case):
    if case.find("failure") is not None or case.find("error") is not None:
        return "failed"
    if case.get("result") == "skipped" or case.get("status") == "notrun":
        return "skipped"
    return "passed"


def main(paths):
    counts = {"passed": 0, "failed": 0, "skipped": 0}
    for path in paths:
        # Failure messages of the Windows programs carry code page 936 bytes.
        with open(path, "rb") as f:
            text = f.read().decode("utf-8", errors="replace")
        try:
            cases = list(ElementTree.fromstring(text).iter("testcase"))
        except ElementTree.ParseError as error:
            print(f"{path}: unreadable results ({error})", file=sys.stderr)
            counts["failed"] += 1
            continue
        for case in cases:
            counts[outcome(case)] += 1
    line = f"{counts['passed']} passed, {counts['failed']} failed"
    if counts["skipped"]:
        line += f", {counts['skipped']} skipped"
    print(line)
    return 1 if counts["failed"] else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
