#!/usr/bin/env bash
# Kills a program that saves the session over and over (tests/e2e/programs/session_saver.cpp,
# the game's own save code) with SIGKILL at random moments, and after every kill loads what is
# on disk. Every time the save must load, whole, and be the last save the program reported
# done (the old one) or the one it was writing (the new one).
# Not part of the test run (it takes a few minutes).
#
#   bash bench/session_kill_test.sh [build folder] [kills]
set -uo pipefail
build="$(cd "${1:-build}" && pwd)"
kills="${2:-200}"
saver="$build/tests/session_saver"
[ -x "$saver" ] || { echo "no $saver: build the target session_saver"; exit 2; }
work="$(mktemp -d /tmp/qv-kill-XXXXXX)"
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data"

loaded=0 failed=0 notyet=0 old=0 new=0
for ((i = 1; i <= kills; i++)); do
  "$saver" save >"$work/out" 2>/dev/null &
  pid=$!
  # At a random moment, 20 to 400 ms after the start (the first save takes some of that).
  sleep "$(printf '0.%03d' $((20 + RANDOM % 380)))"
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  if [ ! -f "$XDG_DATA_HOME/Quorvane/saved/sessionSave.json" ]; then
    notyet=$((notyet + 1))
    continue
  fi
  if result="$("$saver" check 2>/dev/null)"; then
    number="$(printf "%s\n" "$result" | sed -n "s/^ok //p" | tail -n 1)"
    done_last="$(grep -E "^[0-9]+$" "$work/out" | tail -n 1)"
    if [ -z "$done_last" ]; then
      # Killed during its first save: that one, or the previous process's last.
      loaded=$((loaded + 1)); new=$((new + 1))
    elif ((number == done_last)); then
      loaded=$((loaded + 1)); old=$((old + 1))
    elif ((number == done_last + 1)); then
      loaded=$((loaded + 1)); new=$((new + 1))
    else
      failed=$((failed + 1))
      echo "kill $i: loaded save $number, but the last one done was $done_last"
    fi
  else
    failed=$((failed + 1))
    echo "kill $i: the save on disk does not load"
    cp "$XDG_DATA_HOME/Quorvane/saved/sessionSave.json" "$work/../qv-kill-broken-$i.json" 2>/dev/null
  fi
done
leftovers=$(ls "$XDG_DATA_HOME/Quorvane/saved/" | grep -c '\.tmp-' || true)
echo "kills: $kills, save loaded whole: $loaded (the old one: $old, the new one: $new), wrong or unloadable: $failed, killed before any save existed: $notyet"
echo "temporary files left by the kills: $leftovers"
((failed == 0))
