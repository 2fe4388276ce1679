#!/bin/bash
# Runs the installer's end-to-end test program in a fresh Wine prefix of its own, with a scratch
# HOME (the prefix's Desktop links to it) and Wine's menu builder off, so that shortcuts never reach
# the real home. The payload goes to C:\payload\. After the test, a new Wine session must have
# deleted the uninstaller's temporary copy.
# With ULO_FILE_LIMIT_KB set, the test program and what it starts run under that file-size limit
# (a full disk: writes past it fail), while the Wine server, started before, has none.
# Usage: run-installer-test.sh PREFIX PAYLOAD_FOLDER TEST_PROGRAM
set -u
prefix=$1 payload=$2 program=$3
export WINEPREFIX="$prefix" LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
home=$(mktemp -d)
export HOME="$home"
cleanup() { wineserver -k >/dev/null 2>&1; rm -rf "$home"; rm -f "${out:-}"; }
trap cleanup EXIT
# A server left by an earlier run of this prefix goes first.
wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
wineboot -i >/dev/null 2>&1
wineserver -w
cp -r "$payload" "$prefix/drive_c/payload"
# A display of its own: the installer's windows neither take the focus from the editor's tests
# on the shared display nor wait for them, so this test runs beside them.
launcher=(xvfb-run -a -s "-screen 0 1280x1024x24" wine)
wineserver -p >/dev/null 2>&1
# Output goes to a file: Wine's background services inherit the program's handles and would keep
# a pipe open after the program ended.
out=$(mktemp)
(
  if [ -n "${ULO_FILE_LIMIT_KB:-}" ]; then trap '' XFSZ; ulimit -f "$ULO_FILE_LIMIT_KB"; fi
  exec "${launcher[@]}" "$program" </dev/null >"$out" 2>&1
)
status=$?
grep -v -e 'wine32 is missing' -e 'multiarch needs' -e 'dpkg --add-architecture' -e 'apt-get install wine32' "$out"
wineserver -k >/dev/null 2>&1; wineserver -w
# A new session carries out the delayed deletions.
wine cmd /c exit >/dev/null 2>&1 </dev/null
wineserver -w
left=$(find "$prefix/drive_c/users" -iname 'TEMP*.exe' 2>/dev/null)
if [ -n "$left" ]; then
    echo "the uninstaller's temporary copy is still there after a new session: $left"
    status=1
fi
exit "$status"
