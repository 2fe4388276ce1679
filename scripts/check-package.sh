#!/bin/bash
# Checks a release zip: it holds exactly setup.exe and the copy-list names (all of them, or with
# --partial those the payload folder has), every program and library imports only system DLLs,
# and setup.exe and uninstall.exe carry their manifests.
# Usage: check-package.sh [--partial] ZIP
set -euo pipefail
partial=no
if [ "${1:-}" = --partial ]; then partial=yes; shift; fi
zip=$1
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$work"
status=0
fail() { echo "$*"; status=1; }

# Contents.
expected=$(grep -v '^#' "$root/setup/payload.list" | awk '{print $1}')
[ "$partial" = yes ] && expected=$(for n in $expected; do [ -f "$work/$n" ] && echo "$n"; done)
want=$( (echo setup.exe; echo "$expected") | sort)
have=$(ls "$work" | sort)
[ "$want" = "$have" ] || fail "contents differ: $(diff <(echo "$want") <(echo "$have") | grep '^[<>]' | tr '\n' ' ')"

# Imports: only DLLs every Windows has.
system='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|uuid|winmm|imm32|version|shlwapi|msvcrt|ws2_32|winspool\.drv|uxtheme|msimg32|api-ms-win-[a-z0-9-]+)\.dll$'
for module in "$work"/*.exe "$work"/*.dll; do
  [ -f "$module" ] || continue
  while read -r dll; do
    echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system" || fail "$(basename "$module") imports $dll"
  done < <(x86_64-w64-mingw32-objdump -p "$module" | sed -n 's/^\s*DLL Name: //p')
done

# Manifests.
for program in setup.exe uninstall.exe; do
  [ -f "$work/$program" ] || { [ "$partial" = yes ] && continue; fail "$program missing"; continue; }
  grep -q 'requireAdministrator' "$work/$program" || fail "$program: no requireAdministrator manifest"
  grep -q 'Microsoft.Windows.Common-Controls' "$work/$program" || fail "$program: no common controls 6"
done
[ $status -eq 0 ] && echo "package ok: $(echo "$have" | wc -l) files"
exit $status
