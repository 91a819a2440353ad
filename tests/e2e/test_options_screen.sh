#!/usr/bin/env bash
# The options screen in the real game, opened with the title menu's OPTIONS button: the music volume dragged from its knob to the
# end of its bar, the text speed clicked at the middle of its bar, a font picked from the
# list; then LEAVE, a new start, and the same values on the screen and in options.json.
#
# The window is 1280 x 720, twice the screen's 640 x 360, so point (x, y) is pixel (2x, 2y).
# Music bar (320, 188) 72 x 7; text speed bar (320, 164); font list toggle (308, 129), its
# entries one per line below it; LEAVE at (24, 312).
source "$(dirname "$0")/lib.sh"

[ -d "$QV_BUILD/assets/options_screen" ] || { echo "SKIP: no generated assets in $QV_BUILD/assets"; exit 0; }
mkdir -p "$QV_USER"
cat >"$QV_USER/options.json" <<'JSON'
{ "Options": { "Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720, "MusicVol": 10, "FXVol": 25,
  "WordsPerSecond": 6, "FontName": "monofur" } }
JSON
shots="${QV_SHOTS:-$QV_TMP/shots}"
mkdir -p "$shots"
failed=0
check() { if ! eval "$1"; then echo "FAIL: $2"; failed=1; fi; }
window_shot() { import -window "$(qv_window)" "$1" || qv_fail "no picture of the window"; }
# Pixels of a box that differ between two pictures.
changed() {
  convert "$1" "$2" -crop "$3x$4+$5+$6" +repage -compose difference -composite -colorspace gray \
    -fx 'u>0.04' -format '%[fx:round(mean*w*h)]' info:
}
# The middle column (window pixels) of a slider knob's light rim within a w x h box at x y.
knob_x() {
  convert "$1" -crop "$2x$3+$4+$5" +repage txt:- | awk -v x0="$4" 'NR > 1 { split($1, p, "[,:]"); v = $2;
    gsub(/[()]/, "", v); split(v, c, ","); if (c[1] > 150 && c[2] > 160 && c[3] > 180) { s += p[1]; n++ } }
    END { if (n) print x0 + int(s / n); else print -1 }'
}
json_value() { python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['Options'][sys.argv[2]])" "$@"; }

start() {
  qv_start
  qv_wait_log "First frame displayed" 60
  xdotool windowmove "$(qv_window)" 0 0
  sleep 1
  # OPTIONS, the title's fourth button (268, 332).
  qv_click 586 684
  sleep 1.5
  # The pointer out of the way of the pictures.
  xdotool mousemove --window "$(qv_window)" 1000 660
  sleep 0.3
}

start
before="$shots/options-before.png"
window_shot "$before"
# The panel, the labels in green and the three sliders' bars are there.
check '[ "$(convert "$before" -crop 200x30+206+256 +repage -fx "g>0.6&&r<0.4" -format "%[fx:round(mean*w*h)]" info:)" -gt 40 ]' \
  "no green labels"

# Music: press on the knob (volume 10 sits at 43% of the bar) and drag it past the bar's end.
win="$(qv_window)"
xdotool mousemove --window "$win" 702 382 sleep 0.2 mousedown 1 sleep 0.2 \
  mousemove --window "$win" 730 383 sleep 0.2 mousemove --window "$win" 760 384 sleep 0.2 \
  mousemove --window "$win" 830 384 sleep 0.3 mouseup 1
sleep 0.3
# Text speed: the middle of its bar is 3 + 5 words per second.
qv_click 712 334
sleep 0.3
# The font list, and its last entry (opendyslexic), each entry one line of the list.
qv_click 622 262
sleep 0.5
opened="$shots/options-font-list.png"
window_shot "$opened"
qv_click 660 368
sleep 0.5
xdotool mousemove --window "$win" 1000 660
sleep 0.3
chosen="$shots/options-chosen.png"
window_shot "$chosen"

check '(( $(changed "$before" "$opened" 180 100 616 276) > 400 ))' "the font list did not open"
check '(( $(changed "$before" "$chosen" 140 30 200 256) > 60 ))' "the labels did not change font"
# The knobs: music from 43% of its bar (x 701) to its end (784), text speed from 30% to the middle (712).
music_knob=$(knob_x "$chosen" 160 24 632 370)
check '(( $(knob_x "$before" 160 24 632 370) < 710 ))' "the music knob did not start near 43%"
check '(( music_knob >= 776 && music_knob <= 790 ))' "the music knob is at x $music_knob, not at the bar's end"
speed_knob=$(knob_x "$chosen" 160 24 632 322)
check '(( speed_knob >= 704 && speed_knob <= 718 ))' "the text speed knob is at x $speed_knob, not at the middle"

# LEAVE goes to the title (the screen it was opened from).
qv_click 98 648
sleep 1.5
left="$shots/options-left.png"
window_shot "$left"
check '(( $(changed "$chosen" "$left" 400 200 400 250) > 10000 ))' "LEAVE did not leave the options screen"
qv_close
qv_wait_exit 30
[ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"

options="$QV_USER/options.json"
check '[ "$(json_value "$options" MusicVol)" = 100 ]' "music volume saved as $(json_value "$options" MusicVol), not 100"
check '[ "$(json_value "$options" WordsPerSecond)" = 8 ]' "text speed saved as $(json_value "$options" WordsPerSecond), not 8"
check '[ "$(json_value "$options" FontName)" = opendyslexic ]' "font saved as $(json_value "$options" FontName)"
check '[ "$(json_value "$options" FXVol)" = 25 ]' "the sound volume changed"

# A new start shows what was chosen.
mv "$QV_USER/logs" "$QV_TMP/logs-first"
start
again="$shots/options-again.png"
window_shot "$again"
qv_close
qv_wait_exit 30
check '(( $(changed "$chosen" "$again" 460 300 180 200) < 200 ))' "the screen differs after a new start"
check '(( $(knob_x "$again" 160 24 632 370) == music_knob ))' "the music knob moved after a new start"
check '(( $(knob_x "$again" 160 24 632 322) == speed_knob ))' "the text speed knob moved after a new start"
check '[ "$(json_value "$options" MusicVol)" = 100 ] && [ "$(json_value "$options" FontName)" = opendyslexic ]' \
  "the values did not survive a new start"
[ "$failed" = 0 ] || qv_fail "see above"
echo "options screen: ok"
