#!/bin/sh
# Builds the benchmark's text source from Debian's Japanese manual pages: every page of
# manpages-ja decompressed, control characters and CRs dropped, reduced to what converts without
# loss between code page 932, ISO-2022-JP, EUC-JP, UTF-8 and UTF-16, in Shift_JIS (corpus.sjis),
# and the same text made by iconv in the other codes (corpus.jis, .euc, .utf8, .u16) for
# platforms whose converters lack a code.
# Usage: make-corpus.sh OUTPUT-FOLDER
out=${1:?output folder}
mkdir -p "$out"
pages=$(find /usr/share/man/ja -name '*.gz' 2>/dev/null | LC_ALL=C sort)
if [ -z "$pages" ]; then
  echo "make-corpus.sh: no pages under /usr/share/man/ja (install manpages-ja)" >&2
  : > "$out/corpus.sjis"
  exit 0
fi
# Two passes through ISO-2022-JP so that every character left has one form in every code.
roundtrip() {
  iconv -c -f UTF-8 -t ISO-2022-JP | iconv -f ISO-2022-JP -t UTF-8 | iconv -c -f UTF-8 -t CP932 \
    | iconv -f CP932 -t UTF-8
}
echo "$pages" | xargs zcat | tr -d '\000-\010\013-\037\177' | roundtrip | roundtrip > "$out/corpus.utf8"
iconv -f UTF-8 -t CP932 "$out/corpus.utf8" > "$out/corpus.sjis"
iconv -f UTF-8 -t ISO-2022-JP "$out/corpus.utf8" > "$out/corpus.jis"
iconv -f UTF-8 -t EUC-JP-MS "$out/corpus.utf8" > "$out/corpus.euc"
iconv -f UTF-8 -t UTF-16LE "$out/corpus.utf8" > "$out/corpus.u16"
