#!/usr/bin/env bash
# Shared helpers for the end-to-end tests. Each test script sources this file and gets the
# build folder as $1. The game runs under its own Xvfb display with a private user folder.
#
#   qv_start [game arguments...]   start the game in the background on a fresh display
#   qv_wait_log "text" [seconds]    wait until the log holds a line containing text
#   qv_key keys...                  send keys to the game window (xdotool key syntax)
#   qv_click x y                    click at window pixel (x, y)
#   qv_screenshot file.png          capture the whole screen
#   qv_close                        ask the game window to close as a window manager would
#   qv_wait_exit [seconds]          wait for the game to end; sets QV_EXIT
#   qv_log                          path of the game's log file
#   qv_fail "message"               print the log's tail and fail the test

set -uo pipefail

QV_BUILD="$(cd "${1:?build folder}" && pwd)"
QV_GAME="$QV_BUILD/quorvane"
QV_WMCLOSE="$QV_BUILD/tools/qv_wmclose"
QV_TMP="$(mktemp -d /tmp/qv-e2e-XXXXXX)"
export XDG_DATA_HOME="$QV_TMP/data"
export TMPDIR_FOR_GAME="$QV_TMP/tmp"
export ALSOFT_DRIVERS=null
QV_USER="$XDG_DATA_HOME/Quorvane"
QV_PID=""
QV_XVFB_PID=""
QV_EXIT=""
QV_SCREEN="${QV_SCREEN:-1280x720x24}"

qv_cleanup() {
  if [ -n "$QV_PID" ] && kill -0 "$QV_PID" 2>/dev/null; then kill -9 "$QV_PID" 2>/dev/null; fi
  if [ -n "$QV_XVFB_PID" ]; then kill "$QV_XVFB_PID" 2>/dev/null; wait "$QV_XVFB_PID" 2>/dev/null; fi
  if [ -z "${QV_KEEP:-}" ]; then rm -rf "$QV_TMP"; else echo "kept $QV_TMP"; fi
}
trap qv_cleanup EXIT

qv_fail() {
  echo "FAIL: $*"
  local log; log="$(qv_log)"
  if [ -n "$log" ]; then echo "--- last lines of $log"; tail -n 30 "$log"; fi
  exit 1
}

qv_log() {
  ls -t "$QV_USER"/logs/starlog-*.log 2>/dev/null | head -n 1
}

# A display of our own: Xvfb picks a free number itself and writes it to us (-displayfd),
# so parallel displays never race for the same number. Like a desktop, which always has
# clients, it does not reset when the last one leaves.
qv_display() {
  local number=""
  Xvfb -displayfd 3 -screen 0 "$QV_SCREEN" -nolisten tcp -noreset 3>"$QV_TMP/display" >/dev/null 2>&1 &
  QV_XVFB_PID=$!
  for _ in $(seq 100); do
    # A whole line: the number and its end of line.
    if [ "$(wc -l < "$QV_TMP/display" 2>/dev/null || echo 0)" -ge 1 ]; then
      number="$(head -n 1 "$QV_TMP/display")"
      break
    fi
    sleep 0.1
  done
  [ -n "$number" ] || qv_fail "Xvfb did not start"
  export DISPLAY=":$number"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  qv_fail "Xvfb on $DISPLAY does not answer"
}

qv_start() {
  mkdir -p "$XDG_DATA_HOME" "$TMPDIR_FOR_GAME"
  [ -n "${DISPLAY:-}" ] && [ -n "$QV_XVFB_PID" ] || qv_display
  TMPDIR="$TMPDIR_FOR_GAME" "$QV_GAME" "$@" >"$QV_TMP/console.txt" 2>&1 &
  QV_PID=$!
}

qv_wait_log() {
  local text="$1" limit="${2:-30}" log
  for _ in $(seq $((limit * 10))); do
    log="$(qv_log)"
    if [ -n "$log" ] && grep -qF -- "$text" "$log"; then return 0; fi
    if ! kill -0 "$QV_PID" 2>/dev/null; then
      log="$(qv_log)"
      [ -n "$log" ] && grep -qF -- "$text" "$log" && return 0
      qv_fail "the game ended before logging '$text'"
    fi
    sleep 0.1
  done
  qv_fail "no '$text' in the log after $limit s"
}

qv_window() {
  xdotool search --name "Quorvane" 2>/dev/null | head -n 1
}

qv_key() {
  local window; window="$(qv_window)"
  [ -n "$window" ] || qv_fail "no game window for keys $*"
  # Through the focus, not --window: a key that re-creates the window (Alt+Enter) would have
  # its release sent to a window that no longer exists.
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key --delay 80 "$@"
}

qv_click() {
  local window; window="$(qv_window)"
  [ -n "$window" ] || qv_fail "no game window for a click"
  xdotool mousemove --window "$window" "$1" "$2" sleep 0.1 click 1
}

qv_screenshot() {
  import -window root "$1" || qv_fail "screenshot failed"
}

qv_close() {
  "$QV_WMCLOSE" "Quorvane" >/dev/null || true
}

qv_wait_exit() {
  local limit="${1:-30}"
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$QV_PID" 2>/dev/null; then
      wait "$QV_PID"; QV_EXIT=$?
      return 0
    fi
    sleep 0.1
  done
  qv_fail "the game did not end within $limit s"
}

# Pixel colour of an image at (x, y) as "r,g,b".
qv_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
