#!/usr/bin/env bash
# Start-up time of the game: from launch to its first displayed frame (the log line
# "First frame displayed"), under Xvfb with a fresh user folder each run.
#   bash bench/startup_time.sh [build folder] [runs]
set -uo pipefail
build="$(cd "${1:-build}" && pwd)"
runs="${2:-5}"

if [ -z "${QV_STARTUP_INNER:-}" ]; then
  # Re-run this script on a display of its own.
  QV_STARTUP_INNER=1 exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$build" "$runs"
fi

export ALSOFT_DRIVERS=null
tmp="$(mktemp -d /tmp/qv-startup-XXXXXX)"
trap 'rm -rf "$tmp"' EXIT

run_once() {
  local home="$tmp/home-$1"
  mkdir -p "$home"
  local start; start=$(date +%s%N)
  XDG_DATA_HOME="$home" "$build/quorvane" --windowed >/dev/null 2>&1 &
  local pid=$!
  local ms=""
  for _ in $(seq 3000); do
    if grep -qs "First frame displayed" "$home"/Quorvane/logs/*.log; then
      ms=$(( ($(date +%s%N) - start) / 1000000 ))
      break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.005
  done
  "$build/tools/qv_wmclose" "Quorvane" >/dev/null 2>&1
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  echo "${ms:-failed}"
}

total=0
ok=0
for i in $(seq "$runs"); do
  ms=$(run_once "$i")
  echo "run $i: $ms ms from launch to the first frame"
  if [ "$ms" != failed ]; then total=$((total + ms)); ok=$((ok + 1)); fi
done
[ "$ok" -gt 0 ] && echo "mean over $ok runs: $((total / ok)) ms"
