#!/usr/bin/env bash
# Without a sound device the game runs on its silent back end: one log line says so, the log
# stays small (it grew by hundreds of megabytes a second when the music thread kept
# reporting OpenAL errors) and the game costs no more processor time than with the null
# sound driver. Both games run side by side on one display, so a busy machine slows both.
source "$(dirname "$0")/lib.sh"

# The game without a device, started through the harness.
export ALSOFT_DRIVERS=no-such-driver
qv_start --windowed
silent_pid=$QV_PID
# The same game with the null driver, in a user folder of its own.
null_home="$QV_TMP/null-data"
mkdir -p "$null_home"
XDG_DATA_HOME="$null_home" ALSOFT_DRIVERS=null TMPDIR="$TMPDIR_FOR_GAME" "$QV_GAME" --windowed \
  >"$QV_TMP/null-console.txt" 2>&1 &
null_pid=$!
stop_null() { kill -0 "$null_pid" 2>/dev/null && kill -9 "$null_pid" 2>/dev/null; }
trap 'stop_null; qv_cleanup' EXIT
started=$SECONDS

qv_wait_log "First frame displayed" 60
for _ in $(seq 600); do
  grep -qs "First frame displayed" "$null_home"/Quorvane/logs/starlog-*.log && break
  sleep 0.1
done
grep -qs "First frame displayed" "$null_home"/Quorvane/logs/starlog-*.log || qv_fail "the null-driver game did not start"

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
silent_before=$(ticks "$silent_pid"); null_before=$(ticks "$null_pid")
sleep 3
silent_used=$(( $(ticks "$silent_pid") - silent_before )); null_used=$(( $(ticks "$null_pid") - null_before ))
echo "processor ticks over 3 s: no device $silent_used, null driver $null_used"
# Twice the null driver's time, and a few ticks of slack for an almost idle game.
(( silent_used <= 2 * null_used + 10 )) || qv_fail "without a device: $silent_used ticks, null driver: $null_used"

while (( SECONDS - started < 5 )); do sleep 0.2; done
log="$(qv_log)"
size=$(stat -c %s "$log")
echo "log after $((SECONDS - started)) s: $size bytes"
(( size < 100000 )) || qv_fail "the log holds $size bytes"
[ "$(grep -c "No sound device could be opened" "$log")" = 1 ] || qv_fail "no single line about the missing device"
! grep -qs "No sound device" "$null_home"/Quorvane/logs/starlog-*.log || qv_fail "the null driver counted as no device"

# The null-driver game goes first, so that closing "the" game window reaches the other one.
kill -TERM "$null_pid"
wait "$null_pid" || qv_fail "the null-driver game ended with $?"
qv_close
qv_wait_exit 30
[ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"
[ "$(tail -n 1 "$log")" = "Signing off..." ] || qv_fail "last log line: $(tail -n 1 "$log")"
echo "no sound device: ok"
