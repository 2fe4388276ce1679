#!/usr/bin/env python3
"""Generates editor/codes/JisWeightTable.cpp: one weight per JIS X 0208 cell saying how typical
the character is of Japanese text.

Kanji weights come from the newspaper frequency ranks ("F" field) of kanjidic; kana, punctuation,
digit and letter weights from counting the characters of the Japanese manual pages. A few marks
have fixed weights. The output is the same for the same inputs.

Usage: tools/gen_jis_weights.py [--kanjidic FILE] [--man DIR] [--out FILE]
"""
import argparse
import glob
import gzip
import math
import os

ROWS, CELLS, STRIDE = 94, 94, 128

# Fixed weights: (row, cell) -> weight.
FIXED = {
    # Row 1: ideographic space, 、 。 ， ． ・ ： ； ？ ！
    (1, 1): 147, (1, 2): 222, (1, 3): 222, (1, 4): 47, (1, 5): 57,
    (1, 6): 199, (1, 7): 32, (1, 8): 10, (1, 9): 96, (1, 10): 69,
    (1, 28): 225,                 # long-vowel mark
    (1, 54): 172, (1, 55): 172,   # 「 」
    (1, 42): 171, (1, 43): 170,   # （ ）
    (1, 58): 90, (1, 59): 90,     # 『 』
    (2, 1): 75, (2, 3): 28, (2, 12): 61, (2, 13): 62,
    (6, 33): 18, (7, 79): 47, (8, 1): 18, (13, 82): 13,
    # Row 4: ぁ あ ぃ い ぅ う ぇ え ぉ お
    (4, 1): 17, (4, 2): 222, (4, 3): 8, (4, 4): 243, (4, 5): 8,
    (4, 6): 223, (4, 7): 10, (4, 8): 220, (4, 9): 8, (4, 10): 216,
    # Row 5: ァ ア ィ イ
    (5, 1): 120, (5, 2): 223, (5, 3): 191, (5, 4): 223,
}

EMPTY_ROWS = set(range(9, 13)) | {14, 15} | set(range(85, 95))


def character(row, cell):
    """The character of a cell (code page 932 reading), or None when the cell holds none."""
    j1, j2 = row + 0x20, cell + 0x20
    s1 = (j1 + 0xE1) // 2
    if s1 > 0x9F:
        s1 += 0x40
    s2 = j2 + 0x1F + (1 if j2 + 0x1F >= 0x7F else 0) if j1 & 1 else j2 + 0x7E
    try:
        ch = bytes([s1, s2]).decode('cp932')
    except UnicodeDecodeError:
        return None
    return None if 0xE000 <= ord(ch) <= 0xF8FF else ch


def cell_of():
    """Character -> (row, cell) for every assigned cell outside the empty rows."""
    table = {}
    for row in range(1, ROWS + 1):
        if row in EMPTY_ROWS:
            continue
        for cell in range(1, CELLS + 1):
            ch = character(row, cell)
            if ch is not None and ch not in table:
                table[ch] = (row, cell)
    return table


def kanji_ranks(path):
    """(row, cell) -> newspaper frequency rank, from kanjidic's JIS code and F field."""
    ranks = {}
    with open(path, encoding='euc_jp', errors='replace') as f:
        for line in f:
            if line.startswith('#'):
                continue
            fields = line.split()
            if len(fields) < 2:
                continue
            code = int(fields[1], 16)
            for field in fields[2:]:
                if field.startswith('F') and field[1:].isdigit():
                    ranks[(code >> 8) - 0x20, (code & 0xFF) - 0x20] = int(field[1:])
    return ranks


def count_man_pages(directory, cells):
    """(row, cell) -> number of occurrences in the Japanese manual pages."""
    counts = {}
    paths = sorted(glob.glob(os.path.join(directory, '**', '*.gz'), recursive=True))
    for path in paths:
        try:
            with gzip.open(path, 'rb') as f:
                text = f.read().decode('utf-8', errors='ignore')
        except (OSError, EOFError):
            continue
        for ch in text:
            rc = cells.get(ch)
            if rc is not None:
                counts[rc] = counts.get(rc, 0) + 1
    return counts


def scale(count, most, low, high):
    """Logarithmic scaling of a count into low..high."""
    if most <= 0:
        return low
    return low + round((high - low) * math.log1p(count) / math.log1p(most))


def spread(weights, counts, keys, low, high):
    """Weights low..high for `keys` by their counts, the largest count taking `high`."""
    keys = [k for k in keys if k not in FIXED]
    most = max((counts.get(k, 0) for k in keys), default=0)
    for k in keys:
        weights[k] = scale(counts.get(k, 0), most, low, high)


def kanji_weight(rank, level_one):
    """Weight of a kanji from its frequency rank (1 = most frequent of 2500)."""
    if level_one:
        if rank is None:
            return 4
        return max(4, min(255, round(255 - 251 * math.log(rank) / math.log(2501))))
    # Level 2: a handful of the more frequent ones rise above 1.
    if rank is None or rank > 2100:
        return 1
    return 5 if rank <= 1500 else 4 if rank <= 1800 else 3 if rank <= 2000 else 2


def build(kanjidic, man_dir):
    cells = cell_of()
    assigned = set(cells.values())
    counts = count_man_pages(man_dir, cells)
    ranks = kanji_ranks(kanjidic)
    weights = {}
    row = lambda r: [rc for rc in sorted(assigned) if rc[0] == r]
    for r in (2, 6, 7, 8, 13):
        for rc in row(r):
            weights[rc] = 7
    spread(weights, counts, row(1), 7, 80)
    digits = [rc for rc in row(3) if 16 <= rc[1] <= 25]
    spread(weights, counts, digits, 26, 79)
    spread(weights, counts, [rc for rc in row(3) if rc not in digits], 7, 29)
    spread(weights, counts, row(4), 7, 255)
    spread(weights, counts, row(5), 7, 225)
    for rc in assigned:
        if 16 <= rc[0] <= 84:
            weights[rc] = kanji_weight(ranks.get(rc), rc[0] <= 47)
    weights.update(FIXED)
    return weights


def render(weights):
    lines = [
        '// JisWeightTable: how typical each JIS X 0208 character is of Japanese text, 94 rows of',
        '// 128 bytes. Generated by tools/gen_jis_weights.py from kanjidic and the Japanese manual',
        '// pages; do not edit. Rerun with:',
        '//   python3 tools/gen_jis_weights.py --out editor/codes/JisWeightTable.cpp',
        '#include "Kanji.h"',
        '',
        'const uint8_t JisWeightTable[94 * 128] = {',
    ]
    for r in range(1, ROWS + 1):
        values = [weights.get((r, c), 1) for c in range(1, CELLS + 1)] + [0] * (STRIDE - CELLS)
        lines.append('    // row %d' % r)
        for k in range(0, STRIDE, 16):
            lines.append('    ' + ' '.join('%d,' % v for v in values[k:k + 16]))
    lines.append('};')
    return '\n'.join(lines) + '\n'


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--kanjidic', default='/usr/share/edict/kanjidic')
    parser.add_argument('--man', default='/usr/share/man/ja')
    parser.add_argument('--out', default=os.path.join(here, '..', 'editor', 'codes',
                                                     'JisWeightTable.cpp'))
    args = parser.parse_args()
    text = render(build(args.kanjidic, args.man))
    with open(args.out, 'w', encoding='ascii', newline='\n') as f:
        f.write(text)


if __name__ == '__main__':
    main()
