#!/usr/bin/env bash
# The deeds screen in the real game, opened through the developer switch QV_DEV_ACHIEVEMENTS
# (the title menu opens it once it exists): first with nothing unlocked, then after
# "--achievements-unlock", paging through all four pages and back.
#
# The window is 1280 x 720, twice the screen's 640 x 360, so point (x, y) is pixel (2x, 2y).
# Entries 40 x 40 from (37, 33), 69 down, the second column 290 to the right; the next page
# arrow at (566, 252), the previous one at (466, 252), each 16 x 14.
source "$(dirname "$0")/lib.sh"

[ -d "$QV_BUILD/assets/achievements_screen" ] || { echo "SKIP: no generated assets in $QV_BUILD/assets"; exit 0; }
mkdir -p "$QV_USER"
cat >"$QV_USER/options.json" <<'JSON'
{ "Options": { "Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720 } }
JSON
export QV_DEV_ACHIEVEMENTS=1
shots="${QV_SHOTS:-$QV_TMP/shots}"
mkdir -p "$shots"
failed=0
starts=0
check() { if ! eval "$1"; then echo "FAIL: $2"; failed=1; fi; }
window_shot() { import -window "$(qv_window)" "$1" || qv_fail "no picture of the window"; }
changed() {
  convert "$1" "$2" -crop "$3x$4+$5+$6" +repage -compose difference -composite -colorspace gray \
    -fx 'u>0.04' -format '%[fx:round(mean*w*h)]' info:
}
# Green pixels in a box (unlocked descriptions are green, locked ones grey).
green() { convert "$1" -crop "$2x$3+$4+$5" +repage -fx 'g>0.6&&r<0.4&&b<0.4' -format '%[fx:round(mean*w*h)]' info:; }

start() {
  starts=$((starts + 1))
  [ -d "$QV_USER/logs" ] && mv "$QV_USER/logs" "$QV_TMP/logs-$starts"
  qv_start "$@"
  qv_wait_log "First frame displayed" 60
  grep -q "Developer switch: the deeds screen" "$(qv_log)" || qv_fail "the deeds screen did not open"
  xdotool windowmove "$(qv_window)" 0 0
  sleep 1
  xdotool mousemove --window "$(qv_window)" 1200 40
  sleep 0.5
}
stop() {
  qv_close
  qv_wait_exit 30
  [ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"
}
press() { qv_click "$1" "$2"; sleep 0.4; xdotool mousemove --window "$(qv_window)" 1200 40; sleep 0.3; }

start
locked="$shots/deeds-locked.png"
window_shot "$locked"
check '(( $(green "$locked" 500 380 170 90) < 50 ))' "descriptions are green with nothing unlocked"
stop

start --achievements-unlock
grep -q "All Achievements Unlocked" "$(qv_log)" || qv_fail "--achievements-unlock did nothing"
page0="$shots/deeds-page-0.png"
window_shot "$page0"
check '(( $(green "$page0" 500 380 170 90) > 300 ))' "the unlocked descriptions are not green"
check '(( $(changed "$locked" "$page0" 80 80 74 66) > 400 ))' "the first picture did not change when unlocked"
previous="$page0"
for page in 1 2 3; do
  press 1148 518
  shot="$shots/deeds-page-$page.png"
  window_shot "$shot"
  check '(( $(changed "$previous" "$shot" 1160 420 60 60) > 2000 ))' "page $page looks like the one before"
  previous="$shot"
done
# The last page holds three entries, one column: the second column is empty.
check '(( $(green "$previous" 500 380 750 90) < 20 ))' "the last page has a second column"
press 1148 518
again="$shots/deeds-page-3-again.png"
window_shot "$again"
check '(( $(changed "$previous" "$again" 1160 420 60 60) < 50 ))' "the next arrow turned past the last page"
for page in 2 1 0; do
  press 948 518
done
sleep 0.5 # a loaded machine may still be drawing the last turn
back="$shots/deeds-back.png"
window_shot "$back"
check '(( $(changed "$page0" "$back" 1160 420 60 60) < 50 ))' "paging back does not end on the first page"
stop

[ "$failed" = 0 ] || qv_fail "see above"
echo "deeds screen: ok"
