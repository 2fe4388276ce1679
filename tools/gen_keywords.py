#!/usr/bin/env python3
"""Builds the keyword files cpp.kwd, java.kwd and perl.kwd (prebuilt 256-bucket hash tables).

Usage: tools/gen_keywords.py [--out DIR] [--check]
  --out DIR   where to write the files (default: editor/colour/keyword beside this tool)
  --check     compare with the files in DIR instead of writing; exit status 1 on a difference

The C/C++ and Java lists are the keyword tables of the language standards, written out below.
The Perl list is taken from the installed Perl (Debian package libb-keywords-perl): its built-in
function names and its bareword keywords. Only words made of word bytes (ASCII letters, digits,
'_' and '#') can ever be matched, so other spellings (e.g. Java's "non-sealed") are left out.

File layout (all integers unsigned 32-bit little-endian):
  magic 0x6B2912C8, B (size of the entry area), 256 bucket offsets into the entry area,
  then the entry area: entries (bucket number, length L, L bytes); each bucket is its entries
  sorted by (length, bytes) followed by a terminator entry (bucket number, 0).
"""
import argparse
import os
import struct
import subprocess
import sys

MAGIC = 0x6B2912C8

# C++20 keywords (the keyword table and the alternative representations of operators), the
# identifiers with special meaning (final, override, import, module), the C17 keywords that
# C++ lacks, and the preprocessing directives, spelled with their '#'.
CPP_KEYWORDS = """
alignas alignof asm auto bool break case catch char char8_t char16_t char32_t class concept
const consteval constexpr constinit const_cast continue co_await co_return co_yield decltype
default delete do double dynamic_cast else enum explicit export extern false float for friend
goto if inline int long mutable namespace new noexcept nullptr operator private protected public
register reinterpret_cast requires return short signed sizeof static static_assert static_cast
struct switch template this thread_local throw true try typedef typeid typename union unsigned
using virtual void volatile wchar_t while
and and_eq bitand bitor compl not not_eq or or_eq xor xor_eq
final override import module
restrict _Alignas _Alignof _Atomic _Bool _Complex _Generic _Imaginary _Noreturn _Static_assert
_Thread_local
#define #elif #else #endif #error #if #ifdef #ifndef #include #line #pragma #undef
""".split()

# Java SE 17: the reserved keywords (with '_'), the literals true, false and null, and the
# contextual keywords.
JAVA_KEYWORDS = """
abstract assert boolean break byte case catch char class const continue default do double else
enum extends final finally float for goto if implements import instanceof int interface long
native new package private protected public return short static strictfp super switch
synchronized this throw throws transient try void volatile while _
true false null
exports module non-sealed open opens permits provides record requires sealed to transitive uses
var with yield
""".split()

PERL_SCRIPT = 'print "$_\\n" for @Functions, @Barewords'


def perl_keywords():
    out = subprocess.run(['perl', '-MB::Keywords=@Functions,@Barewords', '-e', PERL_SCRIPT],
                         check=True, capture_output=True, text=True).stdout
    return out.split()


def is_word(word):
    return len(word) in range(1, 256) and all(
        c.isascii() and (c.isalnum() or c in '_#') for c in word)


def bucket_of(word):
    n = len(word)
    return (word[0] ^ (n >> 3) ^ ((n & 7) << 5)) & 0xFF


def build_table(words):
    keys = sorted({w.encode('ascii') for w in words if is_word(w)})
    buckets = [[] for _ in range(256)]
    for k in keys:
        buckets[bucket_of(k)].append(k)
    area = bytearray()
    offsets = []
    for h, entries in enumerate(buckets):
        offsets.append(len(area))
        for k in sorted(entries, key=lambda k: (len(k), k)):
            area += bytes([h, len(k)]) + k
        area += bytes([h, 0])
    return struct.pack('<II256I', MAGIC, len(area), *offsets) + bytes(area)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--out', default=os.path.join(here, '..', 'editor', 'colour', 'keyword'))
    parser.add_argument('--check', action='store_true')
    args = parser.parse_args()
    tables = {'cpp.kwd': CPP_KEYWORDS, 'java.kwd': JAVA_KEYWORDS, 'perl.kwd': perl_keywords()}
    status = 0
    os.makedirs(args.out, exist_ok=True)
    for name, words in tables.items():
        data = build_table(words)
        path = os.path.join(args.out, name)
        if args.check:
            with open(path, 'rb') as f:
                if f.read() != data:
                    print(f'{path}: differs from the generated table', file=sys.stderr)
                    status = 1
        else:
            with open(path, 'wb') as f:
                f.write(data)
            print(f'{path}: {sum(map(is_word, set(words)))} keywords, {len(data)} bytes')
    return status


if __name__ == '__main__':
    sys.exit(main())
