#!/usr/bin/env bash
# The ship systems window and the sector summary in the real game, on the map opened by the
# developer switches (QV_DEV_MAP, QV_DEV_MISSIONS, QV_DEV_SHIP_LOG: nine upgrade-log lines).
# The first sector opens with its summary; closed, the ship button opens the systems window,
# whose log button lists the newest lines and pages back with S; then the ship flies to the
# sector's edge, jumps, and the next sector's summary shows jump 2.
#
# The window is 1280 x 720, twice the map's 640 x 360, so point (x, y) is pixel (2x, 2y).
# Summary: status at (73, 206), jump report at (416, 206), close button at (62, 300). Systems
# window: log button at (526, 144), arrows at (596, 180) and (596, 210), text from y 190,
# close button at (50, 330). Map: ship button (557, 337), light-jump button (306, 5).
source "$(dirname "$0")/lib.sh"

[ -d "$QV_BUILD/assets/ship_systems" ] || { echo "SKIP: no generated assets in $QV_BUILD/assets"; exit 0; }
src="${QV_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}"
mkdir -p "$QV_USER"
cat >"$QV_USER/options.json" <<'JSON'
{ "Options": { "Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720 } }
JSON
export QV_DEV_MAP=26 QV_DEV_MISSIONS="$src/tests/fixtures/map-run" QV_DEV_SHIP_LOG=9
shots="${QV_SHOTS:-$QV_TMP/shots}"
mkdir -p "$shots"
failed=0
check() { if ! eval "$1"; then echo "FAIL: $2"; failed=1; fi; }
window_shot() { import -window "$(qv_window)" "$1" || qv_fail "no picture of the window"; }
# Pixels of a w x h box at x y that pass an fx test.
count() { convert "$1" -crop "$2x$3+$4+$5" +repage -fx "$6" -format '%[fx:round(mean*w*h)]' info:; }
changed() {
  convert "$1" "$2" -crop "$3x$4+$5+$6" +repage -compose difference -composite -colorspace gray \
    -fx 'u>0.04' -format '%[fx:round(mean*w*h)]' info:
}
amber='r>0.5&&g>0.3&&g<0.65&&b<0.2'
away() { xdotool mousemove --window "$(qv_window)" 900 560; sleep 0.3; }

qv_start
qv_wait_log "First frame displayed" 60
grep -q "Developer map: a new Medium run, first sector 26" "$(qv_log)" || qv_fail "the developer map did not open"
xdotool windowmove "$(qv_window)" 0 0
sleep 1
away
first="$shots/summary-first.png"
window_shot "$first"
# Status and jump report in amber on the summary's panel.
check '(( $(count "$first" 240 110 146 415 "$amber") > 300 ))' "no ship status on the summary"
check '(( $(count "$first" 240 110 832 415 "$amber") > 300 ))' "no jump report on the summary"

qv_click 188 618 # the summary's close button
sleep 0.5
qv_click 1150 692 # the ship button
sleep 0.7
away
systems="$shots/systems-overview.png"
window_shot "$systems"
check '(( $(count "$systems" 1000 200 90 40 "b>0.5&&b>r+0.2") > 2000 ))' "no blueprint in the systems window"
check '(( $(count "$systems" 900 120 50 380 "$amber") > 800 ))' "no description of the first system"

qv_click 1104 320 # the log
sleep 0.5
away
log1="$shots/systems-log.png"
window_shot "$log1"
check '(( $(count "$log1" 900 250 50 380 "$amber") > 800 ))' "no log lines"
check '(( $(changed "$systems" "$log1" 900 250 50 380) > 1000 ))' "the log shows what the overview showed"
check '(( $(count "$log1" 60 110 1186 356 "r>0.5||g>0.5") > 20 ))' "no arrows beside the log"
qv_key s s
sleep 0.5
away
log2="$shots/systems-log-paged.png"
window_shot "$log2"
# Two entries further on: lines 7 down to 3 where 9 down to 5 were (the numbers differ).
check '(( $(changed "$log1" "$log2" 900 250 50 380) > 60 ))' "paging did not move the log"
qv_key w
sleep 0.5
away
log3="$shots/systems-log-back.png"
window_shot "$log3"
check '(( $(changed "$log3" "$log2" 900 250 50 380) > 100 ))' "paging up did not move the log back"

qv_click 160 678 # the systems window's close button
sleep 0.5
# To the sector's right edge, and the light jump.
qv_click 1236 320
# The light-jump button lights up (amber) once the ship has left the inner rectangle.
for _ in $(seq 60); do
  sleep 0.5
  window_shot "$QV_TMP/edge.png"
  (( $(count "$QV_TMP/edge.png" 120 30 620 16 "$amber") > 100 )) && break
done
qv_click 720 30
sleep 1.5
away
second="$shots/summary-second.png"
window_shot "$second"
check '(( $(count "$second" 240 110 832 415 "$amber") > 300 ))' "no summary after the light jump"
check '(( $(changed "$first" "$second" 240 110 832 415) > 100 ))' "the jump report did not change with the jump"
check '(( $(changed "$first" "$second" 130 20 600 280) > 30 ))' "the designation did not change with the jump"

qv_close
qv_wait_exit 30
[ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"
[ "$failed" = 0 ] || qv_fail "see above"
echo "ship systems and sector summary: ok"
