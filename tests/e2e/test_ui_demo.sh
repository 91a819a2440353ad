#!/usr/bin/env bash
# Draws the interface toolkit in a real window under Xvfb and checks the saved picture:
# its size and the colours at known places (background, title span, button, error panel).
set -euo pipefail
build="$1"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
shot="$out/ui_demo.png"
export XDG_DATA_HOME="$out/data"

xvfb-run -a -s "-screen 0 1280x720x24 -noreset" "$build/tests/ui_demo" "$shot"

fail=0
size="$(identify -format '%wx%h' "$shot")"
if [[ "$size" != "1280x720" ]]; then
    echo "size: expected 1280x720, got $size"
    fail=1
fi

pixel() { convert "$shot" -format "%[pixel:p{$1,$2}]" info:; }
# Reads "srgb(r,g,b)" (or a colour name) as "r g b".
rgb() { convert "$shot" -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'; }

expect() { # x y r g b tolerance what
    read -r r g b < <(rgb "$1" "$2")
    for pair in "$r:$3" "$g:$4" "$b:$5"; do
        local got="${pair%%:*}" want="${pair##*:}"
        if (( got < want - $6 || got > want + $6 )); then
            echo "$7 at ($1,$2): expected ~($3,$4,$5), got ($r,$g,$b) [$(pixel "$1" "$2")]"
            fail=1
            return
        fi
    done
}

# Dimmed background (10,10,20) under the 150-alpha blackout.
expect 4 4 4 4 8 3 "dimmed background"
# The error panel, drawn over the blackout: 260 x 110 at (190,140), doubled; green border.
expect 380 290 0 255 0 3 "panel border"
expect 640 300 20 30 60 3 "panel fill"
# The close button (Up frame, blue) at (288,248) and the open-log button (amber) at (340,208).
expect 620 510 0 120 200 3 "close button"
expect 700 432 185 128 0 3 "open-log button"
# Sprite buttons under the blackout (x 0.41): normal blue, focused with the grey highlight
# added, attention with the sprite added to itself.
expect 850 100 0 49 82 4 "normal button"
expect 990 100 25 74 105 4 "focused button"
expect 1130 100 0 99 105 4 "attention button"

# Somewhere in the title line there is bright red text from the coloured span.
red="$(convert "$shot" -crop 400x40+40+20 -fx 'r>0.25 && g<0.15 ? 1 : 0' -format '%[fx:mean*w*h]' info:)"
if [[ "${red%.*}" -lt 5 ]]; then
    echo "title: no red span drawn"
    fail=1
fi
# With the game's own pictures: the same scene draws, and the assets folder is left as it was.
if [[ -d "$build/assets/general" ]]; then
    before="$(find "$build/assets" -type f | wc -l)"
    xvfb-run -a -s "-screen 0 1280x720x24 -noreset" "$build/tests/ui_demo" "$out/real.png" "$build/assets"
    [[ "$(identify -format '%wx%h' "$out/real.png")" == "1280x720" ]] || { echo "real pictures: no screenshot"; fail=1; }
    [[ "$(find "$build/assets" -type f | wc -l)" == "$before" ]] || { echo "the demo changed the assets folder"; fail=1; }
    # The game's panels and keys replace the flat stand-ins, so the two pictures differ widely.
    changed="$(compare -metric AE "$shot" "$out/real.png" null: 2>&1 || true)"
    if (( ${changed%%[^0-9]*} < 20000 )); then echo "real pictures: only $changed pixels differ"; fail=1; fi
fi
exit "$fail"
