#!/usr/bin/env bash
# First start without options on a desktop that is not 16:9 and without any sound device: the
# game goes full screen at the desktop size, letterboxed, writes its options file, runs
# silently and quits cleanly; "--windowed" then wins over the saved full-screen option, and
# the window, as large as the screen, lies wholly on it.
QV_SCREEN=1280x1024x24
source "$(dirname "$0")/lib.sh"
export ALSOFT_DRIVERS=no-such-driver

qv_start
qv_wait_log "First frame displayed" 60
log="$(qv_log)"
grep -qx "Setting resolution to 1280x1024 (fullscreen)" "$log" || qv_fail "not full screen at the desktop size"
options="$QV_USER/options.json"
grep -q '"Fullscreen" : true' "$options" || qv_fail "options.json does not hold full screen"
grep -q '"ResolutionX" : 1280' "$options" && grep -q '"ResolutionY" : 1024' "$options" \
  || qv_fail "options.json does not hold the desktop size"
grep -q "$(printf '^\t"Options"')" "$options" || qv_fail "options.json is not tab-indented"

sleep 0.5
qv_screenshot "$QV_TMP/screen.png"
[ "$(qv_pixel "$QV_TMP/screen.png" 1000 100)" = "0,0,0" ] || qv_fail "no bar above the picture"
[ "$(qv_pixel "$QV_TMP/screen.png" 1000 512)" != "0,0,0" ] || qv_fail "the picture is black"
[ "$(qv_pixel "$QV_TMP/screen.png" 640 950)" = "0,0,0" ] || qv_fail "no bar below the picture"

qv_close
qv_wait_exit 30
[ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"
[ "$(tail -n 1 "$log")" = "Signing off..." ] || qv_fail "last log line: $(tail -n 1 "$log")"

mv "$QV_USER/logs" "$QV_TMP/first-logs" # so that only the second run's log is looked at
qv_start --windowed
qv_wait_log "First frame displayed" 60
grep -qx "Setting resolution to 1280x1024 (windowed)" "$(qv_log)" || qv_fail "--windowed did not win"
geometry="$(xdotool getwindowgeometry "$(qv_window)")"
grep -q "Position: 0,0 " <<<"$geometry" || qv_fail "window not wholly on the screen: $geometry"
qv_close
qv_wait_exit 30
[ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"
echo "first start: ok"
