#!/usr/bin/env bash
# A mission played through the real screens: the developer deploy switch (QV_DEV_DEPLOY) opens
# the briefing of tests/fixtures/deploy-run's drill mission with a developer run's crew aboard.
# The team is dragged onto the leader, medic and engineer slots and sent; the first choice is
# picked with the 2 key (the medic dies), the second with a click; LEAVE closes the terminal.
# The log then holds the transcript, the death and the credit, which must be what the mission
# runner reports for the same team and picks.
#
# The window is 1280 x 720, twice the screens' 640 x 360, so point (x, y) is pixel (2x, 2y).
# Crew cards stand four to a row from (40, 70), 57 apart; a card is grabbed at its middle
# (card + (7, 13)) and dropped so that its corner lands on a slot's snap point: leader
# (491, 83), medic (553, 83), engineer (491, 141).
source "$(dirname "$0")/lib.sh"

[ -d "$QV_BUILD/assets/deploymanager" ] || { echo "SKIP: no generated assets in $QV_BUILD/assets"; exit 0; }
src="${QV_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}"
mission="$src/tests/fixtures/deploy-run/missions/json/drill.json"
mkdir -p "$QV_USER"
cat >"$QV_USER/options.json" <<'JSON'
{ "Options": { "Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720, "WordsPerSecond": 20 } }
JSON
export QV_DEV_DEPLOY="$mission"
shots="${QV_SHOTS:-$QV_TMP/shots}"
mkdir -p "$shots"

# Pixels of a w x h box at x y that pass an fx test.
count() { convert "$1" -crop "$2x$3+$4+$5" +repage -fx "$6" -format '%[fx:round(mean*w*h)]' info:; }
shot() { import -window "$(qv_window)" "$1" || qv_fail "no picture of the window"; }
drag() {
  local w; w="$(qv_window)"
  xdotool mousemove --window "$w" "$1" "$2" sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove --window "$w" $(( ($1 + $3) / 2 )) $(( ($2 + $4) / 2 )) sleep 0.2 \
    mousemove --window "$w" "$3" "$4" sleep 0.2 mouseup 1
  sleep 0.4
}

qv_start
qv_wait_log "First frame displayed" 60
qv_wait_log "Developer deploy: Cinder Drill Site" 10
xdotool windowmove "$(qv_window)" 0 0
sleep 1
shot "$shots/briefing.png"
# The briefing lists the mission's items in white on the panel.
[ "$(count "$shots/briefing.png" 500 60 100 100 'r>0.8&&g>0.8&&b>0.8')" -gt 100 ] || qv_fail "no briefing text"

# Send team (483, 285) opens the deploy phase.
qv_click 1030 590
sleep 1
drag 94 166 996 192   # card 0 -> leader
drag 208 166 1120 192 # card 1 -> medic
shot "$shots/deploy-two.png"
# Ready light (448, 327): dark until three stand on the slots ("Min Crew" 3).
[ "$(count "$shots/deploy-two.png" 82 20 896 654 'g>0.6&&r<0.4')" -eq 0 ] || qv_fail "ready with two of three"
drag 322 166 996 308  # card 2 -> engineer
xdotool mousemove --window "$(qv_window)" 700 600
sleep 0.5
shot "$shots/deploy.png"
[ "$(count "$shots/deploy.png" 82 20 896 654 'g>0.6&&r<0.4')" -gt 10 ] || qv_fail "not ready with the team on the slots"
grep -q "Team deployed" "$(qv_log)" && qv_fail "deployed before the deploy button"

# Deploy (505, 310).
qv_click 1060 640
qv_wait_log "Team deployed: 3 crew" 10
qv_wait_log "The rig hums. Somewhere below, a pump still turns." 15
sleep 1.5
shot "$shots/mission-choices.png"
# The first set's two choices in blue under the text.
[ "$(count "$shots/mission-choices.png" 400 40 20 60 'b>0.6&&r<0.3')" -gt 50 ] || qv_fail "no choices shown"
# LEAVE is still dark.
[ "$(count "$shots/mission-choices.png" 100 48 1158 654 'r>0.6&&g>0.6&&b>0.6')" -eq 0 ] || qv_fail "LEAVE lit mid-mission"

qv_key 2
qv_wait_log "> 2. Cut the power first" 5
qv_wait_log "At the bottom: a sealed hatch and a console." 15
qv_wait_log "dies" 5
sleep 1.5
shot "$shots/mission-second.png"
# The second set's middle choice: the rows of bright blue text (the answered set is dimmed)
# fall into one run per choice; the second-last run is "2. Read the console".
choice_y="$(convert "$shots/mission-second.png" -crop 360x400+40+0 +repage -fx 'b>0.6&&r<0.3&&g<0.6' \
  -scale '1x400!' txt:- | awk -F'[:(,]' 'NR > 1 && $4 + 0 > 2 {
    y = $2 + 0; if (n == 0 || y > last + 2) { n++; s[n] = y } e[n] = y; last = y }
    END { if (n >= 3) print int((s[n - 1] + e[n - 1]) / 2) }')"
[ -n "$choice_y" ] || qv_fail "the second choice set is not on the screen"
qv_click 120 "$choice_y"
sleep 0.5
grep -q "> 2. Read the console" "$(qv_log)" || qv_fail "the click did not pick the second choice"
qv_wait_log "Press LEAVE to exit the terminal - Your game has been saved." 15
qv_wait_log "Mission over: a save is due" 5
sleep 0.5
shot "$shots/mission-end.png"
qv_click 1180 670
qv_wait_log "Mission left" 5

log="$(qv_log)"
# The briefing went to the log at the deployment (MissionPrint): its items in their order.
[ "$(grep -A3 -x "Cinder Drill Site" "$log" | sed -n '2,4p' | cut -d: -f1 | tr '\n' ' ')" = "Name Description Danger " ] \
  || qv_fail "the briefing's items are not listed in their order"
grep -q "Team member 1 (.*) dies" "$log" || qv_fail "no death"
game_dead="$(grep -o 'Team member 1 (.*) dies' "$log" | sed 's/Team member 1 (\(.*\)) dies/\1/')"
grep -q "Crew credited for Cinder Drill Site: 3 deployed" "$log" || qv_fail "no credit"
grep "^Credit: " "$log" | sort >"$QV_TMP/game-credit.txt"

qv_close
qv_wait_exit 30

# The mission runner, same team (the first three aboard, in role order) and the same picks.
out="$("$QV_BUILD/quorvane-mission" "$mission" --assets "$QV_BUILD/assets/" --answers 2,2 --seed 1 2>/dev/null)"
runner_dead="$(echo "$out" | grep '"type":"kill"' | sed 's/.*"name":"\([^"]*\)".*/\1/')"
[ "$runner_dead" = "$game_dead" ] || qv_fail "the runner's death ($runner_dead) is not the game's ($game_dead)"
echo "$out" | grep '"type":"credit"' | python3 -c '
import json, sys
for member in json.loads(sys.stdin.read())["team"]:
    print("Credit: %s deployed %d, leader %d, medic %d, engineer %d" % (member["name"], member["timesDeployed"],
          member["timesLeader"], member["timesMedic"], member["timesEngineer"]))' | sort >"$QV_TMP/runner-credit.txt"
diff "$QV_TMP/game-credit.txt" "$QV_TMP/runner-credit.txt" || qv_fail "the runner credits differently from the game"
echo "ok"
