#!/bin/bash
# The whole-crew view drawn under Xvfb with a stand-in crew: cards four to a row with a dead
# member's skull, the focus highlight, the selected member's info panel with its pips, and
# its memento grid with the hovered memento raised. Then, when the game's own crew exists,
# the same view with it. $1 = build folder.
set -euo pipefail
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shot="$work/crew.png"
stand_in_assets="$work/game-assets"
mkdir -p "$stand_in_assets"
# The game's pictures without its characters, so the stand-in crew is drawn.
for folder in general deploymanager mementos crew_screen; do
  cp -r "$build/assets/$folder" "$stand_in_assets/"
done
rm -rf "$stand_in_assets/general/character_related/characters"
XDG_DATA_HOME="$work/data" xvfb-run -a -s "-screen 0 1280x720x24" \
  "$build/tests/crew_demo" "$work/one" "$shot" "$stand_in_assets"

pixel() { convert "$1" -alpha off -format "%[pixel:p{$2,$3}]" info:; }
expect() { # x y colour what
  local got; got=$(pixel "$shot" "$1" "$2")
  [ "$got" = "$3" ] || { echo "$4 at ($1,$2): expected $3, got $got"; exit 1; }
}
[ "$(identify -format '%wx%h' "$shot")" = "1280x720" ] || { echo "size"; exit 1; }
# Card 0 at logical (40, 57), scaled 2x: the stand-in face and its shoulders in the crew colour.
expect 94 124 "srgb(224,172,130)" "first card's face"
expect 94 158 "srgb(60,143,208)" "first card's shoulders"
# Card 2 is dead: the skull at (154 - 8, 57 + 2) replaces the face.
expect 298 124 "srgb(220,214,200)" "dead card's skull"
# Leader experience 2: two full pips and two empty ones at (364 + 10 i, 269).
expect 736 542 "srgb(0,255,0)" "first leader pip"
expect 756 542 "srgb(0,255,0)" "second leader pip"
expect 776 542 "srgb(0,48,18)" "third leader pip"
# Memento grid at (466, 60): framed cells, the hovered second cell 3 higher, five mementos.
expect 932 150 "srgb(70,78,94)" "first cell's frame"
expect 1020 115 "srgb(70,78,94)" "hovered cell's raised frame"
expect 1090 120 "srgb(70,78,94)" "third cell's frame"
expect 933 200 "srgb(70,78,94)" "fifth cell's frame"
[ "$(pixel "$shot" 1010 200)" != "srgb(70,78,94)" ] || { echo "a sixth memento cell"; exit 1; }
# The selected member's name in its colour, and its green biography, in the info panel.
colours=$(convert "$shot" -alpha off -crop 150x24+612+208 -unique-colors txt:- | tail -n +2)
grep -qi "#3C8FD0" <<<"$colours" || { echo "no name in the member's colour"; exit 1; }
colours=$(convert "$shot" -alpha off -crop 230x90+612+244 -unique-colors txt:- | tail -n +2)
grep -q "#00FF00" <<<"$colours" || { echo "no green biography"; exit 1; }

# With the game's own crew, when it ships: the same view draws, and the assets stay untouched.
if ls "$build/assets/char/"*.json >/dev/null 2>&1; then
  before=$(find "$build/assets" -type f | wc -l)
  XDG_DATA_HOME="$work/data" xvfb-run -a -s "-screen 0 1280x720x24" \
    "$build/tests/crew_demo" "$work/two" "$work/real.png" "$build/assets"
  [ "$(identify -format '%wx%h' "$work/real.png")" = "1280x720" ] || { echo "real crew: no screenshot"; exit 1; }
  [ "$(find "$build/assets" -type f | wc -l)" = "$before" ] || { echo "the demo changed the assets"; exit 1; }
  log=$(ls -t "$work"/data/Quorvane/logs/starlog-*.log | head -n 1)
  ! grep -q "Failed to load character file\|Could not parse character file" "$log" \
    || { echo "a shipped character did not load"; exit 1; }
fi
echo ok
