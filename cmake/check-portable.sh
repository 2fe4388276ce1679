#!/bin/sh
# Fails when portable code includes windows.h. Only the platform seam files (*_win32.*) may.
cd "$(dirname "$0")/.." || exit 1
found=$(grep -rlE '#[[:space:]]*include[[:space:]]*[<"]windows\.h[>"]' \
    editor/codes editor/textstore editor/colour editor/search settings/store 2>/dev/null | grep -v '_win32\.')
if [ -n "$found" ]; then
  echo "windows.h in portable code:"; echo "$found"; exit 1
fi
found=$(grep -rlE '#[[:space:]]*include[[:space:]]*[<"]windows\.h[>"]' editor/html lint/core 2>/dev/null | grep -v '_win32\.')
if [ -n "$found" ]; then
  echo "windows.h in portable code:"; echo "$found"; exit 1
fi
echo "portable folders are free of windows.h"
