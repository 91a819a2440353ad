#!/bin/bash
# The memento detail view drawn under Xvfb: picture, inset and the two texts where the
# crew view expects them. $1 = build folder.
set -euo pipefail
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shot="$work/memento.png"
XDG_DATA_HOME="$work/data" xvfb-run -a -s "-screen 0 1280x720x24 -noreset" "$build/tests/memento_demo" "$work" "$shot"

pixel() { convert "$shot" -alpha off -format "%[pixel:p{$1,$2}]" info:; }
size=$(identify -format '%wx%h' "$shot")
[ "$size" = "1280x720" ] || { echo "size $size"; exit 1; }
# The picture at logical (458, 36) is scaled 2x: its red fill and white diagonal.
[ "$(pixel 940 100)" = "srgb(200,40,40)" ] || { echo "picture: $(pixel 940 100)"; exit 1; }
[ "$(pixel 936 92)" = "srgb(255,255,255)" ] || { echo "diagonal: $(pixel 936 92)"; exit 1; }
# The inset at logical (458, 112).
[ "$(pixel 930 240)" = "srgb(20,40,220)" ] || { echo "inset: $(pixel 930 240)"; exit 1; }
# Nothing is drawn left of the column.
[ "$(pixel 900 400)" = "srgb(12,12,12)" ] || { echo "left of column: $(pixel 900 400)"; exit 1; }
# The texts: amber origin and green description somewhere in the column below the inset.
colours=$(convert "$shot" -alpha off -crop 330x220+912+296 -unique-colors txt:- | tail -n +2)
grep -q "#B98000" <<<"$colours" || { echo "no amber origin text"; exit 1; }
grep -q "#00FF00" <<<"$colours" || { echo "no green description text"; exit 1; }
# Wrapped within 162 logical pixels: nothing right of x = 620 (1240 on screen).
right=$(convert "$shot" -alpha off -crop 40x720+1240+0 -unique-colors txt:- | tail -n +2 | wc -l)
[ "$right" -eq 1 ] || { echo "text beyond the column"; exit 1; }
echo ok
