#!/usr/bin/env python3
"""Converts a UTF-8 resource script to the Shift_JIS bytes windres reads with code page 932.

The resource compiler reads a backslash as the start of an escape even when it is the trail byte
of a double-byte character (as in 表 = 95 5C or ソ = 83 5C), so such a trail byte is written twice:
the escape "\\\\" then gives back the single 0x5C the character needs.
Usage: rc-to-sjis.py INPUT.rc OUTPUT.rc
"""
import subprocess
import sys


def is_lead(b):
    return 0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC


def escape_trail_backslashes(data):
    out = bytearray()
    i = 0
    while i < len(data):
        b = data[i]
        if is_lead(b) and i + 1 < len(data):
            out += data[i:i + 2]
            if data[i + 1] == 0x5C:
                out.append(0x5C)
            i += 2
        else:
            out.append(b)
            i += 1
    return bytes(out)


def main():
    source, target = sys.argv[1], sys.argv[2]
    sjis = subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP932", source],
                          check=True, stdout=subprocess.PIPE).stdout
    with open(target, "wb") as f:
        f.write(escape_trail_backslashes(sjis))


if __name__ == "__main__":
    main()
