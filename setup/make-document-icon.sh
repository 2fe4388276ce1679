#!/bin/bash
# Makes document.ico, the icon of the file type the installer registers: the Tango text-document
# picture at 16, 32 and 48 pixels, offline. The theme has no 48-pixel picture and ImageMagick's own
# SVG renderer drops its gradients, so 48 is the 32-pixel picture enlarged.
# Usage: make-document-icon.sh OUTPUT.ico
set -euo pipefail
out=${1:?output file}
tango=${TANGO_DIR:-/usr/share/icons/Tango}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
picture=mimetypes/text-x-generic
convert "$tango/16x16/$picture.png" "PNG32:$work/16.png"
convert "$tango/32x32/$picture.png" "PNG32:$work/32.png"
convert "$tango/32x32/$picture.png" -filter Lanczos -resize 48x48 "PNG32:$work/48.png"
convert "$work/16.png" "$work/32.png" "$work/48.png" "$out"
