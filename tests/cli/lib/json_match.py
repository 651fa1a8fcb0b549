#!/usr/bin/env python3
"""json_match.py EXPECTED ACTUAL: exit 0 when both JSON files hold the same
value. Object key order does not matter; numbers must be the same double
(an integer and a real of equal value match); true/false never match a
number. Prints the first differences by path."""
import json
import sys


def differences(expected, actual, path="$"):
    if isinstance(expected, bool) or isinstance(actual, bool):
        if type(expected) is not type(actual) or expected != actual:
            yield "%s: expected %r, got %r" % (path, expected, actual)
        return
    if isinstance(expected, (int, float)) and isinstance(actual, (int, float)):
        if float(expected) != float(actual):
            yield "%s: expected %r, got %r" % (path, expected, actual)
        return
    if isinstance(expected, dict) and isinstance(actual, dict):
        for key in expected.keys() - actual.keys():
            yield "%s: missing key %r" % (path, key)
        for key in actual.keys() - expected.keys():
            yield "%s: unexpected key %r" % (path, key)
        for key in expected.keys() & actual.keys():
            yield from differences(expected[key], actual[key], "%s.%s" % (path, key))
        return
    if isinstance(expected, list) and isinstance(actual, list):
        if len(expected) != len(actual):
            yield "%s: expected %d elements, got %d" % (path, len(expected), len(actual))
        for i, (e, a) in enumerate(zip(expected, actual)):
            yield from differences(e, a, "%s[%d]" % (path, i))
        return
    if type(expected) is not type(actual) or expected != actual:
        yield "%s: expected %r, got %r" % (path, expected, actual)


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        expected = json.load(f)
    with open(sys.argv[2], encoding="utf-8") as f:
        actual = json.load(f)
    found = list(differences(expected, actual))
    for line in found[:20]:
        print("  " + line)
    if len(found) > 20:
        print("  ... %d more" % (len(found) - 20))
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
