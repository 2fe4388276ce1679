#!/usr/bin/env python3
"""Writes the release zip from a flat payload folder, the same bytes on every run.

Entries are the folder's files at the zip's root, sorted by name, each with a fixed time and mode
(cmake -E tar would store access times, so its zips differ run to run). Prints the zip's path,
size and SHA-256.
Usage: release-zip.py PAYLOAD_FOLDER ZIP_PATH
"""
import hashlib
import os
import sys
import zipfile

FIXED_TIME = (2000, 1, 1, 0, 0, 0)


def main():
    folder, target = sys.argv[1], sys.argv[2]
    names = sorted(n for n in os.listdir(folder) if os.path.isfile(os.path.join(folder, n)))
    tmp = target + '.tmp'
    with zipfile.ZipFile(tmp, 'w', zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for name in names:
            info = zipfile.ZipInfo(name, FIXED_TIME)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            info.create_system = 0
            with open(os.path.join(folder, name), 'rb') as f:
                z.writestr(info, f.read())
    os.replace(tmp, target)
    data = open(target, 'rb').read()
    print(target)
    print('size', len(data))
    print('sha256', hashlib.sha256(data).hexdigest())


if __name__ == '__main__':
    main()
