#!/usr/bin/env bash
# SIGTERM (a logout, a shutdown) and SIGINT (Ctrl+C in the terminal) end the game like closing
# its window: the shutdown runs in order, "Signing off..." is the last log line, exit code 0.
# A signal that arrives while the game is still loading ends it at its first frame.
source "$(dirname "$0")/lib.sh"

for case in "TERM First frame displayed" "INT First frame displayed" "TERM Loading..."; do
  read -r signal moment <<<"$case"
  rm -rf "$QV_USER/logs"
  qv_start --windowed
  qv_wait_log "$moment" 60
  kill -"$signal" "$QV_PID"
  qv_wait_exit 30
  [ "$QV_EXIT" = 0 ] || qv_fail "SIG$signal after '$moment': exit code $QV_EXIT"
  log="$(qv_log)"
  [ "$(tail -n 1 "$log")" = "Signing off..." ] || qv_fail "SIG$signal: last log line $(tail -n 1 "$log")"
  grep -qx "Asked to quit by a signal" "$log" || qv_fail "SIG$signal: the quit is not logged"
done
echo "quit signals: ok"
