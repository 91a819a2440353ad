#!/usr/bin/env bash
# The game starts, logs its version, creates the user folders and signs off cleanly.
source "$(dirname "$0")/lib.sh"

qv_start --windowed
qv_wait_log "Loading..." 30
# Once the main loop runs, the window must be asked to close; before that the game ends by itself.
for _ in $(seq 100); do
  kill -0 "$QV_PID" 2>/dev/null || break
  qv_close
  sleep 0.2
done
qv_wait_exit 30
[ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"

log="$(qv_log)"
[ "$(head -n 1 "$log")" = "Engine version: v2.13-4-g5e4207ab." ] || qv_fail "first log line: $(head -n 1 "$log")"
grep -qx "Polishing portholes." "$log" || qv_fail "no 'Polishing portholes.'"
[ "$(tail -n 1 "$log")" = "Signing off..." ] || qv_fail "last log line: $(tail -n 1 "$log")"
[ "$(grep -c '^.\{80\}$' "$log")" -ge 31 ] || qv_fail "no 31-line emblem"
grep -qx "Generated Characters \[[0-9]*\]" "$log" || qv_fail "the crew roster was not created"
grep -qx "Would have deleted character manager here" "$log" || qv_fail "the crew roster was not released"
! grep -q "Failed to load character file\|Could not parse character file\|Failed to load colours file" "$log" \
  || qv_fail "a shipped character or the colours file did not load"
grep -q "Starting new log at $QV_USER/logs/starlog-" "$QV_TMP/console.txt" || qv_fail "console did not announce the log"
for folder in logs mods saved screenshots charImages; do
  [ -d "$QV_USER/$folder" ] || qv_fail "user folder $folder missing"
done
echo "startup: ok"
