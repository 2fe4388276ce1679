#!/bin/bash
# End to end with real X key events: the editor opens an empty Shift_JIS file, characters are
# typed with xdotool as a user types them without the input method (kanji, full-width katakana
# whose trail byte is '\', half-width katakana), Ctrl+S saves, and the file must hold exactly
# those characters in Shift_JIS. Then Ctrl+Enter and Shift+Enter, in a text file and in an HTML
# file (where they insert the close tag and the line-break tag).
# Usage: typed_keys_e2e.sh WINE_RUN PREFIX ULO_EXE WORK_FOLDER  ($DISPLAY, or a private Xvfb)
set -u
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a "$0" "$@"; fi
wine_run=$1 prefix=$2 ulo=$3 work=$4
mkdir -p "$work"
"$wine_run" "$prefix" cmd /c exit 0 >/dev/null 2>&1
editor=

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_until() {
    local tries=$1; shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}
window=
find_window() {
    window=$(xdotool search --onlyvisible --pid "$editor" --name "$(basename "$file")" 2>/dev/null | head -1)
    [ -n "$window" ]
}
focus() { xdotool windowfocus "$window" 2>/dev/null && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }
# Starts the editor on $file (Shift_JIS) and gives its window the keyboard.
open_editor() {
    WINEPREFIX="$prefix" LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" \
        wine "$ulo" ":1" "Z:${file//\//\\}" >/dev/null 2>&1 </dev/null &
    editor=$!
    # Only a mapped window can take the X focus (an unmapped one answers BadMatch): wait for it to
    # be shown, then ask for the focus until the server gives it.
    wait_until 300 find_window || { echo "the editor's window did not appear for $file"; exit 1; }
    wait_until 50 focus || echo "the editor's window did not take the focus; typing anyway"
    # The frame hands the focus to the editor control when it is activated; nothing tells a script
    # when Wine has taken the X focus, so give it a moment.
    sleep 1
}
close_editor() {
    kill "$editor" 2>/dev/null; wait "$editor" 2>/dev/null
    editor=
}
hex() { od -An -tx1 "$file" | tr -d ' \n'; }
# Presses the keys given, then Ctrl+S, and waits for the file to differ from the bytes $saved.
press_and_save() {
    xdotool key "$@"
    xdotool key ctrl+s
    grows() { [ "$(hex)" != "$saved" ]; }
    # On a busy machine Wine may take seconds to pass a key on.
    wait_until 100 grows
}

# The characters without a key of their own (表, ソ, ｱ) get spare key codes before the editor
# starts, so that Wine knows them from its first look at the keyboard. (Left to xdotool, the key
# code would be mapped just before the press and unmapped at once: when Wine reads the press after
# that, the key brings no character.) The key map is put back at the end.
spare=($(xmodmap -pke | awk 'NF == 3 && $2 > 200 {print $2}' | head -3))
[ ${#spare[@]} -eq 3 ] || { echo "no spare key codes on this display"; exit 1; }
keysyms=(U8868 U30BD UFF71)
restore() {
    for k in "${spare[@]}"; do xmodmap -e "keycode $k =" 2>/dev/null; done
    [ -n "$editor" ] && { kill $editor 2>/dev/null; wait $editor 2>/dev/null; }
}
trap restore EXIT
for i in 0 1 2; do xmodmap -e "keycode ${spare[$i]} = ${keysyms[$i]} ${keysyms[$i]}"; done

file="$work/typed-keys.txt"
: > "$file"
saved=
open_editor
# One character at a time, saved after each: the file must then hold exactly the characters typed
# so far (a lead byte lost, a trail byte typed as '\' fail at once).
for pair in x:78 U8868:955c U30BD:835c UFF71:b1 y:79; do
    key=${pair%%:*} want=$saved${pair#*:}
    press_and_save "$key"
    if [ "$(hex)" != "$want" ]; then
        echo "after the key $key: expected bytes $want, saved bytes $(hex)"
        exit 1
    fi
    saved=$want
done
echo "saved as typed: $saved"
# Outside HTML mode Ctrl+Enter and Shift+Enter each break the line.
press_and_save ctrl+Return shift+Return
if [ "$(hex)" != "${saved}0d0a0d0a" ]; then
    echo "Ctrl+Enter, Shift+Enter in a text file: expected bytes ${saved}0d0a0d0a, saved bytes $(hex)"
    exit 1
fi
close_editor

# In HTML mode Shift+Enter inserts the line-break tag and Ctrl+Enter closes the open element.
file="$work/typed-keys.html"
printf '<HTML><BODY>\r\n<P>one' > "$file"
saved=$(hex)
open_editor
press_and_save ctrl+End shift+Return ctrl+Return
if [ "$(cat "$file")" != $'<HTML><BODY>\r\n<P>one<BR></P>' ]; then
    echo "Shift+Enter, Ctrl+Enter in an HTML file: saved \"$(cat "$file")\""
    exit 1
fi
echo "HTML mode keys: $(tail -c 12 "$file")"
exit 0
