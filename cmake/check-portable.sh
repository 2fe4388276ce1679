#!/bin/sh
# Fails when portable code includes windows.h. Only the platform seam files (*_win32.*) may.
cd "$(dirname "$0")/.." || exit 1
found=$(grep -rlE '#[[:space:]]*include[[:space:]]*[<"]windows\.h[>"]' \
    editor/codes editor/textstore editor/colour editor/search settings/store 2>/dev/null | grep -v '_win32\.')
# The settings program's control rules are portable; its pages are not.
found="$found$(grep -lE '#[[:space:]]*include[[:space:]]*[<"]windows\.h[>"]' settings/conf/ConfRules.* 2>/dev/null)"
found="$found$(grep -lE '#[[:space:]]*include[[:space:]]*[<"]windows\.h[>"]' pagetool/BrowserSlots.* pagetool/FileUrl.* pagetool/ImageSize.* pagetool/RelativePath.* pagetool/TagText.* common/SjisPath* huepick/HueColour.* setup/InstallLog.* setup/InstallPaths.* setup/Payload.* 2>/dev/null)"
if [ -n "$found" ]; then
  echo "windows.h in portable code:"; echo "$found"; exit 1
fi
found=$(grep -rlE '#[[:space:]]*include[[:space:]]*[<"]windows\.h[>"]' editor/html lint/core 2>/dev/null | grep -v '_win32\.')
if [ -n "$found" ]; then
  echo "windows.h in portable code:"; echo "$found"; exit 1
fi
echo "portable folders are free of windows.h"
# The filter plug-in: only its Win32 layer (*_win32.*) and the tests that load the DLL (tests/dll/).
found=$(grep -rlE '#[[:space:]]*include[[:space:]]*[<"]windows\.h[>"]' extension 2>/dev/null \
    | grep -v '_win32\.' | grep -v '\.rc$' | grep -v '^extension/tests/dll/')
if [ -n "$found" ]; then
  echo "windows.h in portable code:"; echo "$found"; exit 1
fi
