#!/bin/bash
# Makes the program's icon files (.ico) from the Tango icon theme with ImageMagick, offline.
# Usage: make-icons.sh OUTPUT_FOLDER
#   APP             the program: 16, 24 and 32 pixels
#   ICON_N_*        toolbar buttons: 16 and 24 pixels
#   ICON_G_*        their greyed forms, derived from the normal pictures
#   ICON_H_HOTSPOT  the 24 x 24 frames behind a hot and a pressed button (drawn here)
#   ICON_TABBAR     the own tab: 16 x 16 with the picture in the left 12 columns; _NA greyed
set -euo pipefail
out=${1:?output folder}
tango=${TANGO_DIR:-/usr/share/icons/Tango}
convert=${CONVERT:-convert}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Greys a picture keeping its transparency: no colour, lighter, and half as opaque.
grey() {
    "$convert" "$1" -colorspace Gray -colorspace sRGB -channel RGB +level 30%,85% +channel \
        -channel A -evaluate multiply 0.55 +channel "PNG32:$2"
}

# toolbar NAME TANGO_PICTURE [greyed]
toolbar() {
    local name=$1 picture=$2 pngs=()
    for size in 16 24; do
        "$convert" "$tango/${size}x${size}/$picture.png" -background none \
            -gravity center -extent "${size}x${size}" "PNG32:$work/N_$name.$size.png"
        pngs+=("$work/N_$name.$size.png")
    done
    "$convert" "${pngs[@]}" "$out/ICON_N_$name.ico"
    if [ "${3:-}" = greyed ]; then
        for size in 16 24; do grey "$work/N_$name.$size.png" "$work/G_$name.$size.png"; done
        "$convert" "$work/G_$name.16.png" "$work/G_$name.24.png" "$out/ICON_G_$name.ico"
    fi
}

toolbar NEW actions/document-new
toolbar OPEN actions/document-open
toolbar SAVE actions/document-save
toolbar PRINT actions/document-print
toolbar CUT actions/edit-cut greyed
toolbar COPY actions/edit-copy greyed
toolbar PASTE actions/edit-paste greyed
toolbar UNDO actions/edit-undo greyed
toolbar REDO actions/edit-redo greyed
toolbar UP actions/go-up greyed
toolbar DOWN actions/go-down greyed
toolbar SEARCH actions/edit-find
toolbar MODE mimetypes/text-html

# Hover frames: a rounded, lightly filled frame; the pressed one darker.
"$convert" -size 24x24 xc:none -fill 'rgba(200,222,248,0.85)' -stroke '#5b8fd0' \
    -draw 'roundrectangle 0,0 23,23 3,3' "PNG32:$work/hot.png"
"$convert" -size 24x24 xc:none -fill 'rgba(158,190,232,0.95)' -stroke '#2f5f9e' \
    -draw 'roundrectangle 0,0 23,23 3,3' "PNG32:$work/pressed.png"
"$convert" "$work/hot.png" "$out/ICON_H_HOTSPOT.ico"
"$convert" "$work/pressed.png" "$out/ICON_H_HOTSPOT2.ico"

# The own tab: the program picture fitted into 11 x 16, on the left of a 16 x 16 icon, so that
# the name can start 12 pixels after the icon's left edge.
"$convert" "$tango/16x16/apps/accessories-text-editor.png" -trim +repage -background none \
    -resize 11x16 -gravity west -extent 12x16 -extent 16x16 "PNG32:$work/tab.png"
grey "$work/tab.png" "$work/tab_na.png"
"$convert" "$work/tab.png" "$out/ICON_TABBAR.ico"
"$convert" "$work/tab_na.png" "$out/ICON_TABBAR_NA.ico"

# The program.
pngs=()
for size in 16 24 32; do
    "$convert" "$tango/${size}x${size}/apps/accessories-text-editor.png" -background none \
        -gravity center -extent "${size}x${size}" "PNG32:$work/app.$size.png"
    pngs+=("$work/app.$size.png")
done
"$convert" "${pngs[@]}" "$out/APP.ico"
