#!/usr/bin/env bash
# The main window: opens windowed from the saved options, runs the title state with its music,
# letterboxes on resize (bars above and below at 1280 x 1024, never smaller than 640 x 360),
# writes F5 screenshots (a file for every press, also several within one second), switches to a borderless full-screen window and back with Alt+Enter,
# and quits cleanly when closed.
QV_SCREEN=1920x1080x24
source "$(dirname "$0")/lib.sh"

mkdir -p "$QV_USER"
cat >"$QV_USER/options.json" <<'JSON'
{ "Options": { "Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720, "MusicVol": 40 } }
JSON

shots="$QV_USER/screenshots"
# Takes an F5 screenshot and prints its path once the game has written it.
screenshot() {
  local before; before="$(ls "$shots" 2>/dev/null | wc -l)"
  qv_key F5
  for _ in $(seq 50); do
    [ "$(ls "$shots" 2>/dev/null | wc -l)" -gt "$before" ] && break
    sleep 0.1
  done
  local shot; shot="$(ls -t "$shots"/quorvane-*.png 2>/dev/null | head -n 1)"
  [ -n "$shot" ] || qv_fail "no screenshot written"
  sleep 0.3 # let the file be completed
  echo "$shot"
}
# Keys that re-create the window go through the X server's keyboard (XTEST) rather than
# XSendEvent to one window, whose key release would be sent to a window that no longer exists.
key_to_focus() {
  xdotool windowfocus --sync "$(qv_window)" 2>/dev/null
  xdotool key --delay 80 "$@"
}
size_of() { identify -format "%wx%h" "$1"; }
black() { [ "$(qv_pixel "$1" "$2" "$3")" = "0,0,0" ] || qv_fail "$1 at $2,$3 is $(qv_pixel "$1" "$2" "$3"), not a black bar"; }
filled() { [ "$(qv_pixel "$1" "$2" "$3")" != "0,0,0" ] || qv_fail "$1 at $2,$3 is black inside the picture"; }
window_size() { xdotool getwindowgeometry "$(qv_window)" | sed -n 's/.*Geometry: //p'; }
wait_window_size() {
  for _ in $(seq 50); do
    [ "$(window_size)" = "$1" ] && return 0
    sleep 0.1
  done
  qv_fail "window is $(window_size), expected $1"
}

qv_start
qv_wait_log "First frame displayed" 60
log="$(qv_log)"
grep -qx "Setting resolution to 1280x720 (windowed)" "$log" || qv_fail "not opened windowed at 1280x720"
music="$QV_BUILD/assets/sounds/music/MainMenu.ogg"
if [ -f "$music" ]; then
  ! grep -q "could not open the music" "$log" || qv_fail "the title music did not open"
else
  grep -qF "could not open the music $music" "$log" || qv_fail "the title state did not ask for $music"
fi
grep -q '"MusicVol" : 40' "$QV_USER/options.json" || qv_fail "options not rewritten at start"

# A 16:9 window is filled edge to edge.
shot="$(screenshot)"
[ "$(size_of "$shot")" = "1280x720" ] || qv_fail "screenshot is $(size_of "$shot")"
filled "$shot" 2 2; filled "$shot" 1277 717
grep -qF "Saving screenshot to $shot" "$log" || qv_fail "screenshot not logged"

# Six presses in a row: six files, none overwritten, none reported as failed.
before="$(ls "$shots" | wc -l)"
qv_key F5 F5 F5 F5 F5 F5
for _ in $(seq 50); do
  [ "$(ls "$shots" | wc -l)" -ge $((before + 6)) ] && break
  sleep 0.1
done
[ "$(ls "$shots" | wc -l)" = $((before + 6)) ] || qv_fail "$(( $(ls "$shots" | wc -l) - before )) files for 6 presses"
[ "$(grep -c "Saving screenshot to" "$log")" = $((before + 6)) ] || qv_fail "not every press logged"
! grep -q "could not save" "$log" || qv_fail "a screenshot failed"

# 1280 x 1024: the picture keeps 16:9 (viewport height 0.703125 = 720 rows) with bars above and below.
xdotool windowsize "$(qv_window)" 1280 1024
wait_window_size 1280x1024
sleep 0.5
shot="$(screenshot)"
[ "$(size_of "$shot")" = "1280x1024" ] || qv_fail "screenshot is $(size_of "$shot")"
black "$shot" 1000 0; black "$shot" 1000 151; filled "$shot" 1000 152; filled "$shot" 0 512
filled "$shot" 1000 871; black "$shot" 1000 872; black "$shot" 1000 1023

# Too small in one direction: back to 640 x 360.
xdotool windowsize "$(qv_window)" 800 300
wait_window_size 640x360
sleep 0.5
shot="$(screenshot)"
[ "$(size_of "$shot")" = "640x360" ] || qv_fail "screenshot is $(size_of "$shot")"
filled "$shot" 1 1; filled "$shot" 638 358

# Alt+Enter: a borderless window covering the desktop, saved at once; again: windowed at the saved size.
key_to_focus alt+Return
qv_wait_log "Setting resolution to 1280x720 (fullscreen)" 20
wait_window_size 1920x1080
grep -q '"Fullscreen" : true' "$QV_USER/options.json" || qv_fail "full screen not saved"
sleep 0.5
shot="$(screenshot)"
[ "$(size_of "$shot")" = "1920x1080" ] || qv_fail "full-screen screenshot is $(size_of "$shot")"
filled "$shot" 1 1; filled "$shot" 1918 1078
key_to_focus alt+Return
for _ in $(seq 50); do
  [ "$(grep -c "Setting resolution to 1280x720 (windowed)" "$log")" -ge 2 ] && break
  sleep 0.1
done
wait_window_size 1280x720
grep -q '"Fullscreen" : false' "$QV_USER/options.json" || qv_fail "windowed mode not saved"

# Escape on the title does nothing visible; closing the window ends the game in order.
qv_key Escape
qv_close
qv_wait_exit 30
[ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"
[ "$(tail -n 1 "$log")" = "Signing off..." ] || qv_fail "last log line: $(tail -n 1 "$log")"
! grep -q "High inputCount" "$log" || true
echo "game window: ok"
