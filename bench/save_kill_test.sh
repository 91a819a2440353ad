#!/usr/bin/env bash
# Kills a program that writes one kind of save over and over (tests/e2e/programs/
# save_writer.cpp, the game's own save code) with SIGKILL at random moments, and after every
# kill loads what is on disk with the game's loader. Every time the file must load, whole,
# and be the last save the program reported done (the old one) or the one it was writing
# (the new one). Every kind: the session save, the player save, the options file, the fog
# file and a crew creator character.
# Not part of the test run (it takes several minutes).
#
#   bash bench/save_kill_test.sh [build folder] [kills per kind] [kinds...]
set -uo pipefail
build="$(cd "${1:-build}" && pwd)"
kills="${2:-200}"
shift 2 2>/dev/null || shift $#
kinds=("$@")
((${#kinds[@]})) || kinds=(session player options fog character)
writer="$build/tests/save_writer"
[ -x "$writer" ] || { echo "no $writer: build the target save_writer"; exit 2; }
work="$(mktemp -d /tmp/qv-kill-XXXXXX)"
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data"
user="$XDG_DATA_HOME/Quorvane"

file_of() {
  case "$1" in
    session) echo "$user/saved/sessionSave.json" ;;
    player) echo "$user/saved/playerSave.json" ;;
    options) echo "$user/options.json" ;;
    fog) echo "$user/saved/fow.save" ;;
    character) echo "$user/mods/characters/Kill_Test/Kill_Test.json" ;;
  esac
}

all_good=1
for kind in "${kinds[@]}"; do
  rm -rf "$XDG_DATA_HOME"
  file="$(file_of "$kind")"
  # The fog's number goes round at 600 (the writer's fogRound).
  round=0; [ "$kind" = fog ] && round=600
  loaded=0 failed=0 notyet=0 old=0 new=0
  for ((i = 1; i <= kills; i++)); do
    "$writer" save "$kind" >"$work/out" 2>/dev/null &
    pid=$!
    # At a random moment, 20 to 400 ms after the start (the first save takes some of that).
    sleep "$(printf '0.%03d' $((20 + RANDOM % 380)))"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    if [ ! -f "$file" ]; then
      notyet=$((notyet + 1))
      continue
    fi
    cp "$file" "$work/before-check"
    if result="$("$writer" check "$kind" 2>/dev/null)"; then
      number="$(printf "%s\n" "$result" | sed -n "s/^ok //p" | tail -n 1)"
      done_last="$(grep -E "^[0-9]+$" "$work/out" | tail -n 1)"
      next=$((done_last + 1)); ((round)) && next=$((next % round))
      if [ -z "$done_last" ]; then
        # Killed during its first save: that one, or the previous process's last.
        loaded=$((loaded + 1)); new=$((new + 1))
      elif ((number == done_last)); then
        loaded=$((loaded + 1)); old=$((old + 1))
      elif ((number == next)); then
        loaded=$((loaded + 1)); new=$((new + 1))
      else
        failed=$((failed + 1))
        echo "$kind, kill $i: loaded save $number, but the last one done was $done_last"
      fi
    else
      failed=$((failed + 1))
      echo "$kind, kill $i: the file on disk does not load"
      cp "$work/before-check" "/tmp/qv-kill-broken-$kind-$i" 2>/dev/null
    fi
  done
  leftovers=$(find "$user" -name '*.tmp-*' | wc -l)
  echo "$kind: kills $kills, loaded whole $loaded (the old one $old, the new one $new), wrong or unloadable $failed, killed before any save existed $notyet, temporary files left $leftovers"
  ((failed == 0)) || all_good=0
done
((all_good))
