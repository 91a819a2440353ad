#!/usr/bin/env bash
# Draws a generated sector with its fog of war, planets, labels and the ship under Xvfb, once
# with the shaders and once with "--no-shader", and checks the pictures at known places: the
# fog hides what is far from the ship's flight, the flight's surroundings show the map, the
# ship, the planet's name and the destination marker are drawn, and each mode logs what it uses.
set -uo pipefail
build="$1"
if [[ ! -d "$build/assets/mapscreen" ]]; then
    echo "SKIP: no generated assets in $build/assets"
    exit 0
fi
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
fail=0

# Reads the pixel at x y as "r g b".
rgb() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -n 1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'; }
# How many pixels of a w x h box at x y pass an fx test.
count() { convert "$1" -crop "$2x$3+$4+$5" +repage -fx "$6" -format '%[fx:round(mean*w*h)]' info:; }
# The box's largest value of one channel, 0..255.
channelMax() { convert "$1" -crop "$2x$3+$4+$5" +repage -channel "$6" -separate -format '%[fx:round(maxima*255)]' info:; }
check() { if ! eval "$1"; then echo "$2"; fail=1; fi; }

for mode in shader plain; do
    shot="$out/$mode.png"
    args=()
    [[ "$mode" == plain ]] && args=(--no-shader)
    export XDG_DATA_HOME="$out/data-$mode"
    result="$(xvfb-run -a -s "-screen 0 1280x720x24" "$build/tests/sector_demo" "$build/assets" "$shot" "${args[@]}")" \
        || { echo "$mode: the demo failed"; fail=1; continue; }
    read -r _ shipX shipY _ shaded <<< "$(grep '^ship ' <<< "$result")"
    log="$(ls "$XDG_DATA_HOME"/Quorvane/logs/starlog-*.log | head -n 1)"
    if [[ "$mode" == shader && "$shaded" != 1 ]]; then
        echo "shader: no shader support here, only the plain fog is checked"
        continue
    fi
    check '[[ "$(identify -format %wx%h "$shot")" == 1280x720 ]]' "$mode: not a 1280x720 picture"

    # Far from the flight the fog is whole: black without shader, the dark chart with it.
    read -r r g b < <(rgb "$shot" 1200 650)
    check '(( r + g + b < 150 ))' "$mode: the fog does not cover the bottom right ($r,$g,$b)"
    [[ "$mode" == plain ]] && check '(( r + g + b == 0 ))' "plain: the fog is not black ($r,$g,$b)"
    # The planet at tile (12, 3) lies under the fog: no bright pixel there.
    check '(( $(count "$shot" 90 90 1080 320 "(r+g+b)/3>0.35") == 0 ))' "$mode: the hidden planet shows through the fog"

    # Around the flight the map shows: stars and clouds, not one flat colour.
    spread="$(convert "$shot" -crop 120x60+600+300 +repage -colorspace gray -format '%[fx:round(standard_deviation*255)]' info:)"
    check '(( spread > 3 ))' "$mode: the revealed area shows no map (spread $spread)"
    # The ship where the demo says it is: light hull pixels in a box around it.
    check '(( $(count "$shot" 60 60 $((2 * shipX - 30)) $((2 * shipY - 30)) "(r+g+b)/3>0.55") > 20 ))' \
        "$mode: no ship at ($shipX, $shipY)"
    # The detected planet's name above tile (5, 1) and the marker's label, in green.
    check '(( $(count "$shot" 110 24 430 122 "g>0.7&&r<0.4") > 30 ))' "$mode: no planet name"
    check '(( $(count "$shot" 70 24 420 184 "g>0.7&&r<0.4") > 20 ))' "$mode: no marker label"
    # The destination marker at (420, 210): bright without shader, dimmed by the distance with it.
    green="$(channelMax "$shot" 30 30 825 405 G)"
    if [[ "$mode" == plain ]]; then
        check '(( green > 245 ))' "plain: no destination marker at full brightness (green $green)"
        check 'grep -q "Shader Warning: Is not using ShaderFOW" "$log"' "plain: the fog's warning is not logged"
        check 'grep -q "Shader Warning: Is not using ShaderDest" "$log"' "plain: the marker's warning is not logged"
    else
        check '(( green > 60 && green < 235 ))' "shader: the destination marker is not dimmed (green $green)"
        check '! grep -q "Shader Warning" "$log"' "shader: a shader warning was logged"
    fi
done
exit "$fail"
