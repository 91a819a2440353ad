#!/usr/bin/env bash
# A whole run through the real screens with keys and clicks, on the fixture run
# tests/fixtures/front-run (two side missions; QV_DEV_SECTORS=81 puts the buoy at (382, 227)
# and the lighthouse, which ends the run, at (472, 182)):
#   title -> NEW GAME -> crew selection (HARD, RANDOM, DEPLOY) -> intro (clicks, Enter) ->
#   map -> fly to the buoy -> deploy -> mission -> LEAVE -> map -> pause menu SAVE ->
#   pause menu TITLE -> QUIT; start again -> LOAD -> the same map and crew -> fly to the
#   lighthouse -> deploy -> mission (the run ends) -> LEAVE -> final crew view -> LEAVE ->
#   ending picture -> click -> credits -> Escape -> title.
# Every screen is captured (QV_SHOTS to keep them) and checked at a few pixels.
#
# The window is 1280 x 720, twice the screens' 640 x 360, so point (x, y) is pixel (2x, 2y).
source "$(dirname "$0")/lib.sh"

[ -d "$QV_BUILD/assets/title_screen" ] || { echo "SKIP: no generated assets in $QV_BUILD/assets"; exit 0; }
src="${QV_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}"
mkdir -p "$QV_USER"
cat >"$QV_USER/options.json" <<'JSON'
{ "Options": { "Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720, "WordsPerSecond": 20 } }
JSON
export QV_DEV_MISSIONS="$src/tests/fixtures/front-run" QV_DEV_SECTORS=81
shots="${QV_SHOTS:-$QV_TMP/shots}"
mkdir -p "$shots"
save="$QV_USER/saved/sessionSave.json"

# Pixels of a w x h box at x y that pass an fx test.
count() { convert "$1" -crop "$2x$3+$4+$5" +repage -fx "$6" -format '%[fx:round(mean*w*h)]' info:; }
# The mean brightness (0..255) of a w x h box at x y.
bright() { convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace gray -format '%[fx:round(mean*255)]' info:; }
shot() { sleep 0.3; import -window "$(qv_window)" "$shots/$1.png" || qv_fail "no picture of the window"; }
drag() {
  local w; w="$(qv_window)"
  xdotool mousemove --window "$w" "$1" "$2" sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove --window "$w" $(( ($1 + $3) / 2 )) $(( ($2 + $4) / 2 )) sleep 0.2 \
    mousemove --window "$w" "$3" "$4" sleep 0.2 mouseup 1
  sleep 0.4
}
away() { xdotool mousemove --window "$(qv_window)" 1270 10; sleep 0.3; }
start() {
  qv_start
  qv_wait_log "First frame displayed" 60
  xdotool windowmove "$(qv_window)" 0 0
  sleep 1.5
}
# From the briefing: SEND TEAM, the first card onto the leader's slot, DEPLOY; then the
# mission's one choice with the 1 key and LEAVE once it is lit.
play_mission() {
  qv_click 1030 590
  sleep 1
  drag 94 166 996 192
  away
  shot "$1-deploy"
  qv_click 1060 640
  qv_wait_log "Team deployed: 1 crew" 10
  qv_wait_log "$2" 15
  sleep 1.5
  qv_key 1
  qv_wait_log "$3" 15
  sleep 2
  away
  shot "$1-mission"
  qv_click 1180 670
  qv_wait_log "Mission left" 10
  sleep 1
}

# --- The title: no save, so LOAD is grey; NEW GAME.
start
away
shot title-first
# LOAD (103, 332) is greyed: its letters are dimmer than NEW GAME's beside it.
(( $(bright "$shots/title-first.png" 96 36 210 664) < $(bright "$shots/title-first.png" 96 36 320 664) )) \
  || qv_fail "LOAD is not greyed without a save"
qv_click 256 684
sleep 1
grep -q "Crew chosen" "$(qv_log)" && qv_fail "LOAD did something without a save"
# Alt+P with no file chosen (no file dialog here, or one cancelled) does nothing.
if ! command -v zenity >/dev/null; then
  qv_key alt+p
  qv_wait_log "Developer mission loader: no file chosen" 5
fi
qv_click 366 684
sleep 2

# --- Crew selection: HARD, RANDOM, DEPLOY.
qv_click 1210 216
sleep 0.4
qv_click 1208 332
sleep 0.6
away
shot crew-selection
qv_click 1020 626
qv_wait_log "Crew chosen (4):" 10
crew="$(grep -o 'Crew chosen (4):.*' "$(qv_log)")"
sleep 2

# --- Intro: the hint, then a click shows the boot lines one at a time; Enter skips.
shot intro-start
qv_click 640 360
sleep 0.5
qv_click 640 360
sleep 0.5
shot intro-lines
# White text where the boot lines go (rows 2 and 3 at y 61 and 78 in window pixels).
(( $(count "$shots/intro-lines.png" 300 30 20 56 'r>0.8&&g>0.8&&b>0.8') > 100 )) || qv_fail "the intro lines are not shown"
(( $(count "$shots/intro-start.png" 300 30 20 56 'r>0.8&&g>0.8&&b>0.8') < 20 )) || qv_fail "the intro showed lines before a click"
# Alt+Enter goes full screen and back; it is not also an Enter that skips the intro.
saves_before="$(grep -c "Saving player data" "$(qv_log)")"
qv_key alt+Return
sleep 1.5
qv_key alt+Return
sleep 1.5
xdotool windowmove "$(qv_window)" 0 0
sleep 0.5
[ "$(grep -c "Saving player data" "$(qv_log)")" = "$saves_before" ] || qv_fail "Alt+Enter skipped the intro"
qv_key Return
qv_wait_log "Saving player data" 10
sleep 1.5

# --- The map: the first sector saved; its summary; then fly to the buoy.
[ -f "$save" ] || qv_fail "the first sector was not saved"
shot map-summary
qv_click 188 618
sleep 0.5
qv_click 764 454
qv_wait_log "Using ship as deploy screen big texture" 20
sleep 1
shot briefing-buoy
(( $(count "$shots/briefing-buoy.png" 500 60 100 80 'r>0.8&&g>0.8&&b>0.8') > 100 )) || qv_fail "no briefing text"
play_mission buoy "The buoy turns over once every nine seconds." "Your game has been saved."
shot map-after-buoy
grep -q "Failed to load" "$(qv_log)" | grep -q sessionSave && qv_fail "a save failed"

# --- Pause menu: SAVE, then TITLE.
qv_click 188 618        # the summary's RESUME
sleep 0.5
before_save="$(stat -c %Y.%s "$save")"
sleep 1.1
qv_key Escape
sleep 0.5
shot pause
# The pause menu's panel stands in the middle of a darkened view.
(( $(bright "$shots/pause.png" 200 100 40 40) < 30 )) || qv_fail "the view is not darkened by the pause menu"
qv_click 640 312        # SAVE
sleep 1.5
[ "$(stat -c %Y.%s "$save")" != "$before_save" ] || qv_fail "the pause menu did not save"
cp "$save" "$QV_TMP/saved-run.json"
qv_key Escape
sleep 0.5
qv_click 640 464        # TITLE
sleep 1.5
away
shot title-with-save
(( $(bright "$shots/title-with-save.png" 96 36 210 664) > $(bright "$shots/title-first.png" 96 36 210 664) + 8 )) \
  || qv_fail "LOAD is still grey with a save"
cmp -s "$save" "$QV_TMP/saved-run.json" || qv_fail "leaving for the title wrote the save"
qv_click 1026 684       # QUIT
qv_wait_exit 30
[ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"

# --- Start again: LOAD brings back the same map and crew.
mv "$QV_USER/logs" "$QV_TMP/logs-first"
start
qv_click 256 684
sleep 2
shot continued
qv_click 188 618
sleep 0.5
grep -q "Failed to load save" "$(qv_log)" && qv_fail "the save did not load"
qv_key Escape
sleep 0.5
qv_click 640 312        # saved again at once: the same run gives the same file
sleep 1.5
python3 - "$QV_TMP/saved-run.json" "$save" <<'PY' || qv_fail "the loaded run is not the saved one"
import json, sys
a, b = (json.load(open(p)) for p in sys.argv[1:])
# The ship may have drifted a little between the two saves; crew, missions and sector may not.
for key in ("Characters", "Missions", "Sector"):
    assert a[key] == b[key], key
assert a["Ship"]["Food"] == b["Ship"]["Food"] and a["Ship"]["Fuel"] == b["Ship"]["Fuel"]
PY

# --- The lighthouse ends the run.
away
shot map-continued
qv_click 944 364
qv_wait_log "Using ship as deploy screen big texture" 20
sleep 1
play_mission lighthouse "Under the tower the ground is warm" "Press LEAVE to exit the terminal."
shot final-crew
saved_before="$(md5sum <"$save")"
qv_click 130 618        # the crew view's LEAVE (51, 299)
sleep 2.5
shot ending
(( $(bright "$shots/ending.png" 1280 720 0 0) > 30 )) || qv_fail "the ending picture did not fade in"
[ "$(md5sum <"$save")" = "$saved_before" ] || qv_fail "the ended run was saved"
qv_click 640 360
sleep 0.5
qv_click 640 360        # a second click does not start the fade again
sleep 3
shot credits
(( $(count "$shots/credits.png" 200 100 40 600 'r>0.3') > 50 )) || qv_fail "no LEAVE panel on the credits"
qv_key Escape
sleep 2
away
shot title-after
(( $(count "$shots/title-after.png" 900 60 190 650 'r>0.5&&g>0.3&&b<0.3') > 200 )) || qv_fail "not back on the title"
qv_close
qv_wait_exit 30
[ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"
echo "whole run: ok ($crew)"
