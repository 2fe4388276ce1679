#!/bin/bash
# Builds the release package: a Release build (MinGW-w64), stripped, the payload staged under the
# installer's copy-list names with setup.exe beside it, zipped as QuorvaleUlo-<version>-x64.zip.
# The zip is flat: extracted, its folder is exactly what setup.exe installs from.
# Usage: release.sh [--partial]   (--partial packages whatever of the copy list exists)
# Version: $ULO_VERSION, or what git describe gives.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
partial=""
[ "${1:-}" = --partial ] && partial=--partial
"$root/scripts/install-deps.sh"
build=${ULO_BUILD_DIR:-$root/build}/release
version=${ULO_VERSION:-$(git -C "$root" describe --tags --always 2>/dev/null || echo 0)}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target setup -j "$(nproc)"

stage="$build/release-stage"
rm -rf "$stage"
cp -r "$build/payload" "$stage"
for module in "$stage"/*.exe "$stage"/*.dll; do
  [ -f "$module" ] && x86_64-w64-mingw32-strip --strip-all "$module"
done
missing=$(grep -v '^#' "$root/setup/payload.list" | awk '{print $1}' | while read -r n; do [ -f "$stage/$n" ] || echo "$n"; done)
if [ -n "$missing" ]; then
  echo "not built yet: $(echo $missing)"
  [ -n "$partial" ] || { echo "a release needs the whole copy list (or --partial)"; exit 1; }
fi
zip="$build/QuorvaleUlo-$version-x64.zip"
python3 "$root/scripts/release-zip.py" "$stage" "$zip"
"$root/scripts/check-package.sh" $partial "$zip"
