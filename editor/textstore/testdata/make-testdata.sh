#!/bin/sh
# Regenerates the round-trip samples: the first 120 lines of the Japanese df(1) page from
# manpages-ja, in the five file codes, with CR LF line ends. Run from this folder:
#   sh make-testdata.sh
set -e
zcat /usr/share/man/ja/man1/df.1.gz | head -n 120 \
  | iconv -c -f UTF-8 -t ISO-2022-JP | iconv -f ISO-2022-JP -t UTF-8 \
  | iconv -c -f UTF-8 -t CP932 | iconv -f CP932 -t UTF-8 | sed 's/$/\r/' > df-ja.utf8
iconv -f UTF-8 -t CP932 df-ja.utf8 > df-ja.sjis
iconv -f UTF-8 -t EUC-JP-MS df-ja.utf8 > df-ja.euc
iconv -f UTF-8 -t ISO-2022-JP df-ja.utf8 > df-ja.jis
iconv -f UTF-8 -t UTF-16LE df-ja.utf8 > df-ja.u16
