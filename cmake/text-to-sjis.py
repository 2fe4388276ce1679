#!/usr/bin/env python3
"""Converts a UTF-8 text file of the tree to the Shift_JIS (code page 932) text with CR LF line
ends that ships beside the programs.
Usage: text-to-sjis.py INPUT OUTPUT
"""
import sys


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    data = "".join(line.rstrip("\r") + "\r\n" for line in lines).encode("cp932")
    with open(target, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
