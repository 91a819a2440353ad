#!/usr/bin/env bash
# Launch to the first displayed frame: the game (to its title, "First frame displayed" in its
# log) beside its floor, bench/programs/startup_floor (a window and every asset decoded once),
# alternating, under Xvfb with a fresh user folder each run. Prints both medians and the ratio.
#   bash bench/startup_vs_floor.sh [build folder] [runs]
set -uo pipefail
build="$(cd "${1:-build}" && pwd)"
runs="${2:-5}"

if [ -z "${QV_STARTUP_INNER:-}" ]; then
  QV_STARTUP_INNER=1 exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$build" "$runs"
fi

export ALSOFT_DRIVERS=null
tmp="$(mktemp -d /tmp/qv-startup-XXXXXX)"
trap 'rm -rf "$tmp"' EXIT
floor="$build/bench/startup_floor"
[ -x "$floor" ] || { echo "no $floor: build the target startup_floor"; exit 2; }

# Milliseconds until `file` holds "First frame displayed", then the window is closed.
time_until_frame() {
  local file="$1" title="$2"; shift 2
  local start; start=$(date +%s%N)
  "$@" >"$tmp/console" 2>&1 &
  local pid=$! ms=""
  for _ in $(seq 6000); do
    if grep -qs "First frame displayed" $file; then
      ms=$(( ($(date +%s%N) - start) / 1000000 ))
      break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.005
  done
  "$build/tools/qv_wmclose" "$title" >/dev/null 2>&1
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  echo "${ms:-failed}"
}

median() { sort -n | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]; else print "none"}'; }

: >"$tmp/game.txt"; : >"$tmp/floor.txt"
for i in $(seq "$runs"); do
  home="$tmp/home-$i"; mkdir -p "$home"
  game_ms=$(XDG_DATA_HOME="$home" time_until_frame "$home/Quorvane/logs/*.log" "Quorvane" "$build/quorvane" --windowed)
  floor_ms=$(time_until_frame "$tmp/console" "Quorvane floor" "$floor" "$build/assets")
  echo "run $i: game $game_ms ms, floor $floor_ms ms"
  [ "$game_ms" != failed ] && echo "$game_ms" >>"$tmp/game.txt"
  [ "$floor_ms" != failed ] && echo "$floor_ms" >>"$tmp/floor.txt"
done
g=$(median <"$tmp/game.txt"); f=$(median <"$tmp/floor.txt")
echo "median launch to first frame: game $g ms, floor $f ms, ratio $(awk -v g="$g" -v f="$f" 'BEGIN {if (f > 0) printf "%.2f", g / f; else print "?"}') (goal <= 1.2)"
