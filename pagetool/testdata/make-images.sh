#!/bin/sh
# Makes the sample images of the image-size tests from real data: ImageMagick's built-in "rose:"
# picture (70 x 46, so swapped sides show) in every format the size reader knows, and the python
# pictures of Debian's libpython3.11-testsuite. Rerun: sh pagetool/testdata/make-images.sh
set -e
out=$(cd "$(dirname "$0")" && pwd)/images
im=/usr/bin/convert
samples=/usr/lib/python3.11/test/imghdrdata
mkdir -p "$out"
cd "$out"
$im rose: gif87:rose87a.gif
$im rose: rose89a.gif
$im rose: rose.png
$im rose: -interlace none rose.jpg
$im rose: -interlace plane rose-progressive.jpg
$im rose: -interlace none -set comment "a comment before the frame" rose-comment.jpg
$im rose: bmp3:rose.bmp
$im -size 1x1 xc:white one.png
for f in python.gif python.jpg python.png python.bmp; do cp "$samples/$f" .; done
# A frame marker C1 (extended sequential): the reader does not take its size.
python3 - <<'PY'
data = bytearray(open("rose.jpg", "rb").read())
at = data.index(b"\xff\xc0")
data[at + 1] = 0xC1
open("rose-c1.jpg", "wb").write(data)
PY
# A GIF under a PNG name, and an empty file.
cp rose89a.gif gif-named.png
: > empty.png
