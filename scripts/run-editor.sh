#!/bin/bash
# Installs what is missing, builds everything and starts the editor under Wine.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ULO_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
if [ ! -f "$build/windows/bin/ulo.exe" ]; then
  echo "Everything is built. The editor window itself (ulo.exe) comes with a later step of the"
  echo "project; until then this command only builds."
  exit 0
fi
