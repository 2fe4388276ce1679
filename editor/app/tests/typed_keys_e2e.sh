#!/bin/bash
# End to end with real X key events: the editor opens an empty Shift_JIS file, characters are
# typed with xdotool as a user types them without the input method (kanji, full-width katakana
# whose trail byte is '\', half-width katakana), Ctrl+S saves, and the file must hold exactly
# those characters in Shift_JIS.
# Usage: typed_keys_e2e.sh WINE_RUN PREFIX ULO_EXE WORK_FOLDER  ($DISPLAY, or a private Xvfb)
set -u
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a "$0" "$@"; fi
wine_run=$1 prefix=$2 ulo=$3 work=$4
mkdir -p "$work"
file="$work/typed-keys.txt"
: > "$file"
"$wine_run" "$prefix" cmd /c exit 0 >/dev/null 2>&1
WINEPREFIX="$prefix" LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" \
    wine "$ulo" ":1" "Z:${file//\//\\}" >/dev/null 2>&1 </dev/null &
editor=$!
trap 'kill $editor 2>/dev/null; wait $editor 2>/dev/null' EXIT

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_until() {
    local tries=$1; shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}
window=
# Only a mapped window can take the X focus (an unmapped one answers BadMatch): wait for it to be
# shown, then ask for the focus until the server gives it.
find_window() {
    window=$(xdotool search --onlyvisible --pid "$editor" --name "typed-keys.txt" 2>/dev/null | head -1)
    [ -n "$window" ]
}
wait_until 300 find_window || { echo "the editor's window did not appear"; exit 1; }
focus() { xdotool windowfocus "$window" 2>/dev/null && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }
wait_until 50 focus || echo "the editor's window did not take the focus; typing anyway"
# The frame hands the focus to the editor control when it is activated; nothing tells a script
# when Wine has taken the X focus, so give it a moment.
sleep 1
hex() { od -An -tx1 "$file" | tr -d ' \n'; }
# One character at a time, saved after each: the file must then hold exactly the characters typed
# so far. For a character without a key xdotool maps a spare key code to it just before the press
# and takes the mapping back at once; when Wine reads the press after that, the key brings no
# character at all, and the character is typed again (at most three times). Anything else in the
# file (a lead byte lost, a trail byte typed as '\') fails at once.
saved=
for pair in x:78 表:955c ソ:835c ｱ:b1 y:79; do
    c=${pair%%:*} want=$saved${pair#*:}
    for attempt in 1 2 3; do
        xdotool type "$c"
        xdotool key ctrl+s
        grows() { [ "$(hex)" != "$saved" ]; }
        wait_until 30 grows
        [ "$(hex)" != "$saved" ] && break
    done
    if [ "$(hex)" != "$want" ]; then
        echo "after typing '$c': expected bytes $want, saved bytes $(hex)"
        exit 1
    fi
    saved=$want
done
echo "saved as typed: $saved"
exit 0
