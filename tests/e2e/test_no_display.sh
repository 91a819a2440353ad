#!/usr/bin/env bash
# Without a display the game says so in one line, on the console and in the log, and ends
# with exit code 1 and no crash dump; "--help" and "--version" need no display and leave
# nothing behind. When the display goes away while the game runs, it ends without a crash.
source "$(dirname "$0")/lib.sh"

dumps() { ls "$QV_BUILD"/quorvane_*.dmp "$QV_USER"/logs/*.dmp 2>/dev/null | wc -l; }
dumps_before=$(dumps)

# --help and --version: exit 0 before any window, log or folder.
help="$(env -u DISPLAY "$QV_GAME" --help 2>&1)" || qv_fail "--help exit code $?"
for text in "--windowed" "--fullscreen" "--achievements-clear" "--version" "$QV_USER/"; do
  grep -qF -- "$text" <<<"$help" || qv_fail "--help does not mention $text"
done
[ "$(env -u DISPLAY "$QV_GAME" --version)" = "quorvane v2.13-4-g5e4207ab" ] || qv_fail "--version"
[ ! -e "$QV_USER" ] || qv_fail "--help or --version made the user folder"

# No DISPLAY at all, then one that no server answers.
for display in "" ":4242"; do
  if [ -z "$display" ]; then
    env -u DISPLAY "$QV_GAME" >"$QV_TMP/out.txt" 2>"$QV_TMP/err.txt"
  else
    DISPLAY="$display" "$QV_GAME" >"$QV_TMP/out.txt" 2>"$QV_TMP/err.txt"
  fi
  code=$?
  [ "$code" = 1 ] || qv_fail "exit code $code without display '$display'"
  [ "$(wc -l <"$QV_TMP/err.txt")" = 1 ] || qv_fail "not one line on standard error: $(cat "$QV_TMP/err.txt")"
  grep -q "^quorvane: .*display" "$QV_TMP/err.txt" || qv_fail "unclear message: $(cat "$QV_TMP/err.txt")"
  grep -q "^Error: .*display" "$(qv_log)" || qv_fail "the log does not say why"
  [ "$(dumps)" = "$dumps_before" ] || qv_fail "a crash dump was left"
  rm -rf "$QV_USER/logs"
done

# The display goes away while the game runs (a logout, a restarted X server).
qv_start --windowed
qv_wait_log "First frame displayed" 60
kill "$QV_XVFB_PID"
wait "$QV_XVFB_PID" 2>/dev/null
QV_XVFB_PID=""
qv_wait_exit 30
[ "$QV_EXIT" = 1 ] || qv_fail "exit code $QV_EXIT after losing the display"
[ "$(dumps)" = "$dumps_before" ] || qv_fail "a crash dump was left after losing the display"
echo "no display: ok"
