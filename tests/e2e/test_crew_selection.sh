#!/usr/bin/env bash
# The new-game crew selection in the real game (QV_DEV_CREWSELECT): on Medium the last two
# slots are locked; Hard locks four and Randomize fills the four open ones, which allows the
# start button; dragging a chosen card back to the library takes it out again; start begins
# the run with the four chosen.
#
# The window is 1280 x 720, twice the screen's 640 x 360, so point (x, y) is pixel (2x, 2y).
# Buttons: Hard (585, 100), Randomize (584, 158), start (480, 303). Slot 0's card stands at
# its snap point (473, 54); the library grid starts at (41, 67).
source "$(dirname "$0")/lib.sh"

[ -d "$QV_BUILD/assets/crewselection_screen" ] || { echo "SKIP: no generated assets in $QV_BUILD/assets"; exit 0; }
mkdir -p "$QV_USER"
cat >"$QV_USER/options.json" <<'JSON'
{ "Options": { "Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720 } }
JSON
export QV_DEV_CREWSELECT=1
shots="${QV_SHOTS:-$QV_TMP/shots}"
mkdir -p "$shots"

count() { convert "$1" -crop "$2x$3+$4+$5" +repage -fx "$6" -format '%[fx:round(mean*w*h)]' info:; }
shot() { import -window "$(qv_window)" "$1" || qv_fail "no picture of the window"; }
# The grey (70, 78, 94) of a lock's body in slot k's lock box (lock at snap + (-2, 2), 16 x 18).
lock_pixels() {
  local k=$2 x y
  x=$(( 2 * (473 + 57 * (k % 2) - 2) )); y=$(( 2 * (54 + 51 * (k / 2) + 2) ))
  count "$1" 32 36 "$x" "$y" 'abs(r-0.275)<0.03&&abs(g-0.306)<0.03&&abs(b-0.369)<0.03'
}
# The start button's text is lit only when the start is allowed.
start_lit() { count "$1" 100 40 966 610 'r>0.6&&g>0.4&&b<0.3'; }

qv_start
qv_wait_log "First frame displayed" 60
qv_wait_log "Developer crew selection" 10
xdotool windowmove "$(qv_window)" 0 0
sleep 1
shot "$shots/selection-medium.png"
[ "$(lock_pixels "$shots/selection-medium.png" 3)" -eq 0 ] || qv_fail "slot 3 is locked on Medium"
[ "$(lock_pixels "$shots/selection-medium.png" 6)" -gt 20 ] || qv_fail "slot 6 is open on Medium"
[ "$(start_lit "$shots/selection-medium.png")" -eq 0 ] || qv_fail "start allowed with nobody chosen"

qv_click 1216 210 # Hard
sleep 0.3
qv_click 1214 326 # Randomize
sleep 0.5
xdotool mousemove --window "$(qv_window)" 700 600
sleep 0.3
shot "$shots/selection-hard.png"
[ "$(lock_pixels "$shots/selection-hard.png" 4)" -gt 20 ] || qv_fail "slot 4 is open on Hard"
[ "$(start_lit "$shots/selection-hard.png")" -gt 20 ] || qv_fail "start not allowed with four on Hard"
# Slot 0's card is occupied: its portrait covers the snap point.
[ "$(count "$shots/selection-hard.png" 28 52 946 108 'r+g+b>0.9')" -gt 20 ] || qv_fail "no card on slot 0"

# Slot 0's card back to the library: three chosen, no start.
w="$(qv_window)"
xdotool mousemove --window "$w" 960 134 sleep 0.2 mousedown 1 sleep 0.2 mousemove --window "$w" 600 300 \
  sleep 0.2 mousemove --window "$w" 300 500 sleep 0.2 mouseup 1
sleep 0.5
xdotool mousemove --window "$w" 700 600
sleep 0.3
shot "$shots/selection-three.png"
[ "$(start_lit "$shots/selection-three.png")" -eq 0 ] || qv_fail "start allowed with three on Hard"

qv_click 1214 326 # Randomize again
sleep 0.5
qv_click 1016 630 # start
qv_wait_log "Crew chosen (4):" 5
grep -q "Crew chosen (4):" "$(qv_log)" || qv_fail "the run did not start with four"
qv_close
qv_wait_exit 30
echo "ok"
