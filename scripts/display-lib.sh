# Shell functions shared by the scripts that show Windows programs under Wine: a private Xvfb when
# there is no display, starting a program in a build's Wine prefix, waiting for its window and
# taking a screenshot. Source it; the functions set and use the variables named below.

# ensure_display FIRST LAST: keeps $DISPLAY, or starts Xvfb on the first free number in FIRST..LAST
# and exports DISPLAY; XVFB_PID is its process id (empty when the caller's display is used).
ensure_display() {
  XVFB_PID=
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq "$1" "$2"); do
    { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    return 0
  done
  echo "no free X display number in $1..$2" >&2
  return 1
}

# stop_display: ends the Xvfb that ensure_display started, if any.
stop_display() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# build_windows_target BUILD TARGET: configures BUILD (Windows toolchain) when needed and builds TARGET.
build_windows_target() {
  if [ ! -f "$1/CMakeCache.txt" ]; then
    cmake -S "$ULO_ROOT" -B "$1" -DCMAKE_TOOLCHAIN_FILE="$ULO_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  fi
  cmake --build "$1" --target "$2" -j2 >/dev/null
}

# wine_start PREFIX PROGRAM [ARGS...]: starts a Windows program in the background in PREFIX (made
# first if missing) with code page 932; WINE_PID is its process id.
wine_start() {
  local prefix=$1; shift
  "$ULO_ROOT/cmake/wine-run" "$prefix" cmd /c exit 0 >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d" \
    wine "$@" >/dev/null 2>&1 </dev/null &
  WINE_PID=$!
}

# wait_for_window TEXT: waits up to 30 s for an X window whose name line contains TEXT, then lets
# it paint.
wait_for_window() {
  for _ in $(seq 150); do
    xwininfo -root -tree 2>/dev/null | grep -qF "$1" && break
    sleep 0.2
  done
  sleep 2
}

# to_wine_path FILE: the absolute Z: drive path of a Linux file.
to_wine_path() {
  local file
  file=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  echo "Z:${file//\//\\}"
}
