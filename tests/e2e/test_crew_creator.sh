#!/usr/bin/env bash
# The crew creator in the real game, opened through the developer switch QV_DEV_CREATOR (the
# title menu opens it once it exists): NEW in the picker, a typed name, two traits picked from
# their lists, three typed attributes, SAVE. A new start finds the character in the picker;
# EDIT changes it in place; COPY saves a second character from it; DELETE removes the copy.
#
# The window is 1280 x 720, twice the screen's 640 x 360, so point (x, y) is pixel (2x, 2y).
# Picker: NEW (435, 152), EDIT (435, 183), COPY (435, 214), DELETE (435, 245), each 56 x 22;
# cards from (202, 76), 57 apart across and 53 down, four to a row; ten shipped characters
# come first. Editor: name field (58, 58), attributes (89|161|223, 174), trait slots 1 and 2
# (62|158, 225) and 4 (158, 245), biography (253, 67), SAVE (109, 313); the message's button (288, 248).
source "$(dirname "$0")/lib.sh"

[ -d "$QV_BUILD/assets/crew_creator" ] || { echo "SKIP: no generated assets in $QV_BUILD/assets"; exit 0; }
mkdir -p "$QV_USER"
cat >"$QV_USER/options.json" <<'JSON'
{ "Options": { "Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720 } }
JSON
export QV_DEV_CREATOR=1
shots="${QV_SHOTS:-$QV_TMP/shots}"
mkdir -p "$shots"
failed=0
starts=0
check() { if ! eval "$1"; then echo "FAIL: $2"; failed=1; fi; }
window_shot() { import -window "$(qv_window)" "$1" || qv_fail "no picture of the window"; }
json() { python3 -c "import json,sys; d=json.load(open(sys.argv[1])); print(eval(sys.argv[2], {'d': d}))" "$@"; }
characters="$QV_USER/mods/characters"

start() {
  starts=$((starts + 1))
  [ -d "$QV_USER/logs" ] && mv "$QV_USER/logs" "$QV_TMP/logs-$starts"
  qv_start
  qv_wait_log "First frame displayed" 60
  grep -q "Developer switch: the crew creator" "$(qv_log)" || qv_fail "the crew creator did not open"
  xdotool windowmove "$(qv_window)" 0 0
  sleep 1
  xdotool mousemove --window "$(qv_window)" 1200 40
  sleep 0.3
}
stop() {
  qv_close
  qv_wait_exit 30
  [ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"
}
press() { qv_click "$1" "$2"; sleep 0.4; }
# The card of crew position $1 (sixteen to a page; the first page only here).
card() { press $(( (202 + ($1 % 4) * 57 + 7) * 2 )) $(( (76 + ($1 / 4) * 53 + 12) * 2 )); }
# Clears a field (focused by a click) and types into it.
type_into() {
  press "$1" "$2"
  xdotool key --delay 20 $(printf 'BackSpace %.0s' $(seq 40))
  xdotool type --delay 60 "$3"
  sleep 0.3
}
save() {
  press 274 648
  sleep 0.5
  window_shot "$shots/$1"
  press 640 514 # closes "Saved"
}

# --- A new character ---
start
window_shot "$shots/creator-1-picker.png"
check '[ "$(qv_pixel "$shots/creator-1-picker.png" 926 326)" != "0,0,0" ]' "no NEW button on the picker"
press 926 326
window_shot "$shots/creator-2-random.png"
type_into 172 150 "Tam Orrin"
type_into 196 358 "9"
type_into 340 358 "2"
type_into 464 358 "7"
press 408 460 # slot 2's list (positive traits) ...
window_shot "$shots/creator-3-list.png"
press 348 486 # ... its first entry, Observant
press 408 500 # slot 4's list (negative traits) ...
press 348 527 # ... its first entry, Distracted: the opposite in slot 2 steps back to Lucky
window_shot "$shots/creator-4-made.png"
save creator-5-saved.png
tam="$characters/Tam_Orrin/Tam_Orrin.json"
[ -f "$tam" ] || qv_fail "no $tam; the characters folder holds: $(ls -R "$characters" 2>&1)"
check '[ "$(json "$tam" "d[\"name\"]")" = "Tam Orrin" ]' "the name is $(json "$tam" "d['name']")"
check '[ "$(json "$tam" "[d[\"attributes\"][k] for k in (\"mental\",\"physical\",\"social\")]")" = "[9, 2, 7]" ]' \
  "the attributes are $(json "$tam" "d['attributes']")"
check '[ "$(json "$tam" "d[\"traits\"][2] + \" \" + d[\"traits\"][4]")" = "Lucky Distracted" ]' \
  "the traits are $(json "$tam" "d['traits']")"
check '[ "$(json "$tam" "len(d[\"traits\"])")" = 5 ]' "not five traits"
check '[ "$(json "$tam" "d[\"pronouns\"] == d[\"pronouns\"].lower()")" = True ]' "pronouns not in lower case"
press 98 648 # LEAVE
stop

# --- Found again after a new start, and edited ---
start
window_shot "$shots/creator-6-picker-again.png"
card 10
window_shot "$shots/creator-7-selected.png"
press 926 388 # EDIT
type_into 600 200 "Grew beans in the dark."
window_shot "$shots/creator-8-edit.png"
save creator-9-edited.png
check '[ "$(json "$tam" "d[\"history\"]")" = "Grew beans in the dark." ]' "the edit did not reach the file"
check '[ "$(ls "$characters")" = Tam_Orrin ]' "the edit wrote another file: $(ls "$characters")"
stop

# --- Copied ---
start
card 10
press 926 450 # COPY
save creator-10-copied.png
copies=$(ls "$characters" | grep -v '^Tam_Orrin$')
check '[ "$(echo "$copies" | wc -w)" = 1 ]' "no copy saved: $(ls "$characters")"
copy="$characters/$copies/$copies.json"
check '[ "$(json "$copy" "d[\"history\"]")" = "Grew beans in the dark." ]' "the copy lost the biography"
check '[ "$(json "$copy" "d[\"name\"]")" != "Tam Orrin" ]' "the copy kept the name"
stop

# --- The copy deleted ---
start
position=$((10 + $(ls "$characters" | grep -n "^$copies\$" | cut -d: -f1) - 1))
card "$position"
press 926 512 # DELETE
sleep 0.6
window_shot "$shots/creator-11-deleted.png"
check '[ ! -e "$characters/$copies" ]' "the copy was not deleted"
check '[ -f "$tam" ]' "Tam Orrin went too"
press 926 326 # NEW: the window closes while DELETE still shows pressed
sleep 0.6
stop

[ "$failed" = 0 ] || qv_fail "see above"
echo "crew creator: ok"
