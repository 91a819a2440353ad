#!/usr/bin/env bash
# CPU time of the game standing idle at the title and on the map (a developer run, QV_DEV_MAP),
# beside the floor bench/programs/idle_floor (one sprite drawn at 30 fps; again stretched over
# the whole window, which paints as many pixels as a screen of the game), each measured over
# the same seconds after it settled, under Xvfb (Mesa's software renderer). Also the peak
# resident memory (VmHWM) of each game run. Prints CPU per second of wall time and the ratios.
#   bash bench/idle_cpu.sh [build folder] [seconds]
set -uo pipefail
build="$(cd "${1:-build}" && pwd)"
seconds="${2:-10}"

if [ -z "${QV_IDLE_INNER:-}" ]; then
  QV_IDLE_INNER=1 exec xvfb-run -a -s "-screen 0 1280x720x24" bash "$0" "$build" "$seconds"
fi

export ALSOFT_DRIVERS=null
tmp="$(mktemp -d /tmp/qv-idle-XXXXXX)"
trap 'rm -rf "$tmp"' EXIT
floor="$build/bench/idle_floor"
[ -x "$floor" ] || { echo "no $floor: build the target idle_floor"; exit 2; }
ticks=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Starts the command, waits for its first frame (in `file`) and 3 s more, then prints the CPU
# milliseconds per wall second over `seconds` and the peak resident memory in kB.
measure() {
  local file="$1" title="$2"; shift 2
  "$@" >"$tmp/console" 2>&1 &
  local pid=$!
  for _ in $(seq 600); do
    grep -qs "First frame displayed" $file && break
    kill -0 "$pid" 2>/dev/null || { echo "failed"; return; }
    sleep 0.1
  done
  sleep 3
  local before; before=$(cpu_ticks "$pid")
  local start; start=$(date +%s%N)
  sleep "$seconds"
  local after; after=$(cpu_ticks "$pid")
  local wall_ms=$(( ($(date +%s%N) - start) / 1000000 ))
  local hwm; hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
  "$build/tools/qv_wmclose" "$title" >/dev/null 2>&1
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  awk -v t=$((after - before)) -v hz="$ticks" -v w="$wall_ms" -v m="$hwm" \
    'BEGIN {printf "%.1f %d\n", t * 1000 / hz * 1000 / w, m}'
}

home="$tmp/title"; mkdir -p "$home"
read -r title_cpu title_rss < <(XDG_DATA_HOME="$home" measure "$home/Quorvane/logs/*.log" "Quorvane" "$build/quorvane" --windowed)
home="$tmp/map"; mkdir -p "$home"
read -r map_cpu map_rss < <(XDG_DATA_HOME="$home" QV_DEV_MAP=81 measure "$home/Quorvane/logs/*.log" "Quorvane" "$build/quorvane" --windowed)
read -r floor_cpu floor_rss < <(measure "$tmp/console" "Quorvane floor" "$floor" "$build/assets/splashScreen/splash_new.png")
read -r filled_cpu _ < <(measure "$tmp/console" "Quorvane floor" "$floor" "$build/assets/splashScreen/splash_new.png" --fill)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "?"}'; }
echo "CPU ms per second, idle: title $title_cpu, map $map_cpu, floor (one sprite at 30 fps) $floor_cpu"
echo "ratio to the floor: title $(ratio "$title_cpu" "$floor_cpu"), map $(ratio "$map_cpu" "$floor_cpu") (goal <= 1.5)"
echo "beside the floor's sprite stretched over the window ($filled_cpu): title $(ratio "$title_cpu" "$filled_cpu"), map $(ratio "$map_cpu" "$filled_cpu")"
echo "peak resident memory: title run $title_rss kB, map run $map_rss kB, floor $floor_rss kB (goal <= 150 MB)"
