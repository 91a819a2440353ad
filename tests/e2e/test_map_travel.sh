#!/usr/bin/env bash
# The map in the real game, opened on a fresh sector through the developer switches
# (QV_DEV_MAP, QV_DEV_MISSIONS): once with the shaders and once with "--no-shader". The first
# picture shows the sector under its fog, the ship, the interface and, with the planet cheat
# on, the one planet's base with its name under the pointer; then a click sends the ship away,
# and the second picture shows it arrived, a unit of fuel burnt and the fog opened on the way.
#
# Seed 26 over tests/fixtures/map-run (one story mission) puts the only planet on tile (3, 2).
# The ship starts at (315, 160) and is sent to (450, 250); the window is 1280 x 720, twice
# the map's 640 x 360, so map point (x, y) is window pixel (2x, 2y).
source "$(dirname "$0")/lib.sh"

[ -d "$QV_BUILD/assets/mapscreen" ] || { echo "SKIP: no generated assets in $QV_BUILD/assets"; exit 0; }
src="${QV_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}"
mkdir -p "$QV_USER"
cat >"$QV_USER/options.json" <<'JSON'
{ "Options": { "Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720, "PlanetCheat": true } }
JSON
export QV_DEV_MAP=26 QV_DEV_MISSIONS="$src/tests/fixtures/map-run"
shots="${QV_SHOTS:-$QV_TMP/shots}"
mkdir -p "$shots"
failed=0
check() { if ! eval "$1"; then echo "FAIL ($mode): $2"; failed=1; fi; }

# Pixels of a w x h box at x y that pass an fx test.
count() { convert "$1" -crop "$2x$3+$4+$5" +repage -fx "$6" -format '%[fx:round(mean*w*h)]' info:; }
# The grey spread of a box, 0..255: the map's stars and clouds against a flat fog.
spread() { convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace gray -format '%[fx:round(standard_deviation*255)]' info:; }
# Pixels of a box that differ between two pictures.
changed() {
  convert "$1" "$2" -crop "$3x$4+$5+$6" +repage -compose difference -composite -colorspace gray \
    -fx 'u>0.04' -format '%[fx:round(mean*w*h)]' info:
}
window_shot() { import -window "$(qv_window)" "$1" || qv_fail "no picture of the window"; }

for mode in shader plain; do
  args=()
  [ "$mode" = plain ] && args=(--no-shader)
  qv_start "${args[@]}"
  qv_wait_log "First frame displayed" 60
  log="$(qv_log)"
  grep -q "Developer map: a new Medium run, first sector 26" "$log" || qv_fail "the developer map did not open"
  if [ "$mode" = shader ] && grep -q "Shader Warning: Is not using ShaderFOW" "$log"; then
    echo "shader: no shader support here, only the plain fog is checked"
    qv_close; qv_wait_exit 30
    mv "$QV_USER/logs" "$QV_TMP/logs-$mode"
    continue
  fi
  # SFML centres a new window badly on some screens; the pictures want all of it.
  xdotool windowmove "$(qv_window)" 0 0
  sleep 1
  # The new sector opens with its summary; its close button is at (62, 300).
  qv_click 188 618
  sleep 0.5
  # The pointer over the planet's tile shows its name.
  xdotool mousemove --window "$(qv_window)" 314 274
  sleep 0.8
  before="$shots/$mode-before.png"
  window_shot "$before"

  # The interface: "LIGHT JUMP" in green on the status panel, "MENU" and the three buttons in amber.
  check '(( $(count "$before" 130 36 610 14 "g>0.5&&r<0.3") > 40 ))' "no light-jump label"
  check '(( $(count "$before" 70 30 1196 4 "r>0.6&&g>0.35&&b<0.3") > 40 ))' "no menu button"
  check '(( $(count "$before" 260 30 1012 676 "r>0.6&&g>0.35&&b<0.3") > 120 ))' "no sector, ship and crew buttons"
  check '(( $(count "$before" 40 24 550 36 "(r+g+b)/3>0.45") > 15 ))' "no food count"
  # The fog: far from the ship the map is hidden (black without shader, the dark chart with it).
  check '(( $(count "$before" 120 120 40 540 "(r+g+b)/3>0.3") == 0 ))' "the fog does not cover the bottom left"
  [ "$mode" = plain ] && check '[ "$(qv_pixel "$before" 100 600)" = "0,0,0" ]' "the plain fog is not black"
  # Around the ship the map shows, and the ship is there.
  check '(( $(spread "$before" 80 40 520 380) > 3 ))' "no map around the ship"
  check '(( $(count "$before" 80 80 590 280 "(r+g+b)/3>0.55") > 20 ))' "no ship at its entry"
  # The planet's base over the fog (the planet cheat) and its name above it, in green.
  check '(( $(count "$before" 80 28 262 222 "g>0.25&&g>r&&g>b") > 30 ))' "no planet base on tile (3, 2)"
  check '(( $(count "$before" 240 44 196 188 "g>0.7&&r<0.4") > 30 ))' "no planet name"

  qv_click 900 500
  sleep 10
  after="$shots/$mode-after.png"
  window_shot "$after"

  check '(( $(count "$after" 90 90 855 455 "(r+g+b)/3>0.55") > 20 ))' "the ship did not arrive at (450, 250)"
  check '(( $(count "$after" 80 80 590 280 "(r+g+b)/3>0.55") < $(count "$before" 80 80 590 280 "(r+g+b)/3>0.55") ))' \
    "the ship is still at its entry"
  check '(( $(changed "$before" "$after" 40 24 760 36) > 10 ))' "the fuel count did not change"
  check '(( $(changed "$before" "$after" 40 24 550 36) == 0 ))' "the food count changed"
  # The fog opened on the way: beside the path, hidden before and the map now.
  check '(( $(changed "$before" "$after" 60 60 820 340) > 1800 ))' "the fog did not open near the destination"
  check '(( $(spread "$after" 60 60 820 340) > 3 ))' "no map where the fog opened"
  if [ "$mode" = plain ]; then
    check 'grep -q "Shader Warning: Is not using ShaderFOW" "$log"' "the fog's warning is not logged"
  else
    check '! grep -q "Shader Warning" "$log"' "a shader warning was logged"
  fi

  qv_close
  qv_wait_exit 30
  [ "$QV_EXIT" = 0 ] || qv_fail "$mode: exit code $QV_EXIT"
  # The next run's log must be the only one the helpers can find.
  mv "$QV_USER/logs" "$QV_TMP/logs-$mode"
done
[ "$failed" = 0 ] || qv_fail "see above"
echo "map travel: ok"
