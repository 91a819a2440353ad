#!/usr/bin/env bash
# The monkey: plays the built game with random input for a while and checks that it
# survives. Seeded, so a run can be played again; every action is recorded with its time.
#
#   bash bench/monkey.sh [build folder] [seconds] [seed] [report folder]
#
# Input, drawn from the seed: clicks weighted toward the places buttons sit on the title,
# the map, the pause menu, the deploy and mission screens and the windows (with a few pixels
# of jitter), clicks anywhere, random keys (Escape, digits, Space, Enter, arrows, letters),
# Alt+Enter, F5 and window resizes. When the game ends by itself (a QUIT click) it is started
# again; that is not a failure. So that missions are played, not only reached by luck, every
# other start (the first included) opens the deploy screen of a shipped mission drawn from the
# seed (the developer switch QV_DEV_DEPLOY) and sends a team of three as a player would (send
# team, three cards dragged onto the leader, medic and engineer slots, deploy); from there the
# random input plays the mission (while a team is down, half the input is digits, Space and
# Enter, and now and then LEAVE), and leaving it goes on as a run on the map.
#
# Fails on: a crash or a non-zero exit, a sanitizer report (run it on a build-sanitize
# folder for the soak), an error window (the shipped missions have no broken script), the
# game not closing when asked at the end, a log folder over 10 MB.
# A run of 10 minutes or more keeps one game process throughout (the title's QUIT is ignored,
# QV_DEV_KEEP_RUNNING), so its memory can be followed over the whole soak; shorter runs quit and
# start again as a player would.
# When the last game process ran for at least 5 minutes, its resident memory 5 minutes after
# its start is compared with its memory at the end (at most 10 % more). The report folder
# keeps the seed, the actions, the memory samples, the console output and the logs.
# The whole body is one block, read before it runs: editing this file during a soak does not
# change the run in progress.
{
set -uo pipefail
build="$(cd "${1:-build}" && pwd)"
seconds="${2:-120}"
seed="${3:-$(( $(date +%s) % 32768 ))}"
report="${4:-$(mktemp -d /tmp/qv-monkey-XXXXXX)}"
mkdir -p "$report"
report="$(cd "$report" && pwd)"

if [ -z "${QV_MONKEY_INNER:-}" ]; then
  # A display of its own, the size of the game's window.
  QV_MONKEY_INNER=1 exec xvfb-run -a -s "-screen 0 1280x720x24" bash "$0" "$build" "$seconds" "$seed" "$report"
fi

export ALSOFT_DRIVERS=null
export XDG_DATA_HOME="$report/data"
((seconds >= 600)) && export QV_DEV_KEEP_RUNNING=1
# Leaks at exit are the unit tests' business; here any report ends the game at once.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=0:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
game="$build/quorvane"
[ -x "$game" ] || { echo "no $game"; exit 2; }
# Sanitizer builds make no assets of their own: they play the normal build's.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1 suppressions=$root/bench/tsan.supp ${TSAN_OPTIONS:-}"
if [ ! -e "$build/assets" ]; then
  [ -d "$root/build/assets" ] || { echo "no $build/assets and no $root/build/assets to borrow"; exit 2; }
  ln -s "$root/build/assets" "$build/assets"
fi
wmclose="$build/tools/qv_wmclose"
[ -x "$wmclose" ] || wmclose="$root/build/tools/qv_wmclose"
user="$XDG_DATA_HOME/Quorvane"
RANDOM=$seed
echo "seed $seed, $seconds s, build $build" | tee "$report/seed.txt"
: >"$report/actions.txt"
: >"$report/memory.txt"

# Where buttons sit in the 1280 x 720 window: the title's row of buttons, the map's bottom
# bar and summary, the pause menu, the crew selection, the deploy and mission screens and the
# close buttons of windows.
spots=(
  "256 684" "366 684" "476 684" "586 684" "696 684" "806 684" "916 684"
  "188 618" "130 618" "160 678" "98 648" "1150 692" "1104 320" "944 364" "764 454"
  "640 312" "640 360" "640 412" "640 464"
  "1210 216" "1216 210" "1208 332" "1214 326" "1020 626" "1016 630" "1236 320"
  "1030 590" "1060 640" "1180 670" "900 500" "712 334" "660 368" "622 262" "720 30"
)
keys=(Escape Escape Escape 1 2 3 4 5 6 7 8 9 0 space space Return Return KP_Enter Left Right Up Down
      Tab BackSpace a e s w d q y n p)

began=$(date +%s)
elapsed() { echo $(( $(date +%s) - began )); }
pid=""
started=0
failures=0
starts=0
missions_folder="$build/assets/missions/json"
mapfile -t shipped < <(ls "$missions_folder"/*.json 2>/dev/null)
start_game() {
  starts=$((starts + 1))
  local deploy=""
  if (( starts % 2 == 1 && ${#shipped[@]} )); then
    deploy="${shipped[$((RANDOM % ${#shipped[@]}))]}"
  fi
  QV_DEV_DEPLOY="$deploy" "$game" --windowed >>"$report/console.txt" 2>&1 &
  pid=$!
  [ -n "$deploy" ] && echo "$(elapsed) deploy $(basename "$deploy")" >>"$report/actions.txt"
  guided=${deploy:+1}
  # Memory is compared within one game process: five minutes after its own start.
  started=$(elapsed)
  rss5=""
  echo "$(elapsed) start (pid $pid)" >>"$report/actions.txt"
  for _ in $(seq 600); do
    grep -qs "First frame displayed" "$user"/logs/*.log && xdotool search --name "Quorvane" >/dev/null 2>&1 && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}


sanitizer_report() {
  grep -qE "ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer|SUMMARY: UndefinedBehaviorSanitizer|WARNING: ThreadSanitizer" \
    "$report/console.txt" "$user"/logs/*.log 2>/dev/null
}

ended() {
  # The game ended by itself: a quit is fine, anything else is a failure.
  wait "$pid"; local code=$?
  echo "$(elapsed) ended with $code" >>"$report/actions.txt"
  if [ "$code" != 0 ] || sanitizer_report; then
    echo "FAIL: the game ended with exit code $code at $(elapsed) s (seed $seed)"
    failures=$((failures + 1))
    return 1
  fi
  return 0
}

# Send team, the first three cards onto the leader, medic and engineer slots, deploy.
drag() {
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove --window "$1" $(( ($2 + $4) / 2 )) $(( ($3 + $5) / 2 )) sleep 0.2 \
    mousemove --window "$1" "$4" "$5" sleep 0.2 mouseup 1 2>/dev/null
  sleep 0.4
}
send_team() {
  local w="$1"
  echo "$(elapsed) send a team" >>"$report/actions.txt"
  sleep 1
  xdotool mousemove --window "$w" 1030 590 click 1 2>/dev/null
  sleep 1
  drag "$w" 94 166 996 192
  drag "$w" 208 166 1120 192
  drag "$w" 322 166 996 308
  xdotool mousemove --window "$w" 1060 640 click 1 2>/dev/null
  sleep 1
}

rss() { awk '/^VmRSS/ {print $2}' "/proc/$1/status" 2>/dev/null; }

# Whether a team is down in a mission: the log's latest word on it is a deployment.
mission_running() {
  local last
  last="$(cat "$user"/logs/*.log 2>/dev/null | grep -E "Team deployed|Mission left|Mission script stopped|Signing off" | tail -n 1)"
  [[ "$last" == "Team deployed"* ]] && echo 1 || echo ""
}
mission_keys=(1 2 3 4 1 2 space space Return)

start_game || { echo "FAIL: the game did not start"; exit 1; }
next_sample=0
next_mode=0
in_mission=
while (( $(elapsed) < seconds )); do
  if ! kill -0 "$pid" 2>/dev/null; then
    ended || break
    start_game || { echo "FAIL: the game did not start again"; failures=$((failures + 1)); break; }
    continue
  fi
  now=$(elapsed)
  if ((now >= next_sample)); then
    echo "$now $(rss "$pid")" >>"$report/memory.txt"
    next_sample=$((now + 10))
  fi
  [ -z "$rss5" ] && ((now - started >= 300)) && rss5="$(rss "$pid")"
  ((now >= next_mode)) && { in_mission=$(mission_running); next_mode=$((now + 3)); }
  window="$(xdotool search --name "Quorvane" 2>/dev/null | head -n 1)"
  [ -n "$window" ] || { sleep 0.2; continue; }
  if [ -n "$guided" ]; then
    guided=""
    send_team "$window"
    continue
  fi
  roll=$((RANDOM % 100))
  # In a mission the player mostly reads on and answers, and leaves once it is over.
  if [ -n "$in_mission" ] && ((roll < 50)); then
    key=${mission_keys[$((RANDOM % ${#mission_keys[@]}))]}
    action="key $key"
    xdotool windowfocus "$window" key "$key" 2>/dev/null
  elif [ -n "$in_mission" ] && ((roll < 56)); then
    x=$((1180 + RANDOM % 17 - 8)); y=$((670 + RANDOM % 9 - 4))
    action="click $x $y"
    xdotool mousemove --window "$window" "$x" "$y" click 1 2>/dev/null
  elif ((roll < 45)); then
    spot=(${spots[$((RANDOM % ${#spots[@]}))]})
    x=$((spot[0] + RANDOM % 17 - 8)); y=$((spot[1] + RANDOM % 17 - 8))
    action="click $x $y"
    xdotool mousemove --window "$window" "$x" "$y" click 1 2>/dev/null
  elif ((roll < 57)); then
    x=$((RANDOM % 1280)); y=$((RANDOM % 720))
    action="click $x $y"
    xdotool mousemove --window "$window" "$x" "$y" click 1 2>/dev/null
  elif ((roll < 62)); then
    x=$((RANDOM % 1280)); y=$((RANDOM % 720))
    action="move $x $y"
    xdotool mousemove --window "$window" "$x" "$y" 2>/dev/null
  elif ((roll < 90)); then
    key=${keys[$((RANDOM % ${#keys[@]}))]}
    action="key $key"
    xdotool windowfocus "$window" key "$key" 2>/dev/null
  elif ((roll < 93)); then
    action="key alt+Return"
    xdotool windowfocus "$window" key alt+Return 2>/dev/null
  elif ((roll < 96)); then
    action="key F5"
    xdotool windowfocus "$window" key F5 2>/dev/null
  else
    w=$((640 + RANDOM % 641)); h=$((360 + RANDOM % 361))
    action="resize $w $h"
    xdotool windowsize "$window" "$w" "$h" 2>/dev/null
  fi
  echo "$now $action" >>"$report/actions.txt"
  sleep "0.$(printf '%02d' $((5 + RANDOM % 25)))"
done

# The end: close the window as a player would and expect a clean exit.
if kill -0 "$pid" 2>/dev/null; then
  rss_end="$(rss "$pid")"
  "$wmclose" "Quorvane" >/dev/null 2>&1
  for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: the game did not close when asked"
    failures=$((failures + 1))
    kill -9 "$pid"
  else
    ended
  fi
fi
if sanitizer_report; then
  echo "FAIL: a sanitizer report (see $report/console.txt)"
  failures=$((failures + 1))
fi
if grep -qs "Error window shown" "$user"/logs/*.log; then
  echo "FAIL: an error window opened:"
  grep -hs "Error window shown" "$user"/logs/*.log | sort | uniq -c | head -n 5
  failures=$((failures + 1))
fi
log_kb=$(du -sk "$user/logs" 2>/dev/null | cut -f1)
if ((${log_kb:-0} > 10240)); then
  echo "FAIL: the logs hold ${log_kb} kB"
  failures=$((failures + 1))
fi
if [ -n "$rss5" ] && [ -n "${rss_end:-}" ]; then
  echo "resident memory of the last game, 5 minutes after its start: $rss5 kB, at the end: $rss_end kB"
  if ((rss_end * 10 > rss5 * 11)); then
    echo "FAIL: memory grew by more than 10 %"
    failures=$((failures + 1))
  fi
fi
peak=$(awk '{print $2}' "$report/memory.txt" | sort -n | tail -n 1)
missions=$(cat "$user"/logs/*.log 2>/dev/null | grep -c "Mission left")
echo "actions: $(grep -cvE ' (start|ended|deploy|send a team)' "$report/actions.txt"), game starts: $starts, missions left: $missions, logs: ${log_kb:-0} kB, highest resident memory sampled: ${peak:-?} kB"
echo "report: $report"
((failures == 0)) && echo "monkey: pass (seed $seed)" || echo "monkey: FAIL (seed $seed)"
((failures == 0))
exit
}
