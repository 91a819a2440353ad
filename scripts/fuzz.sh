#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer)
# in a build folder of their own and runs each in turn for the given seconds, seeded from
# tests/fixtures and the shipped assets; then prints, per target, the inputs run, the seconds,
# the code coverage reached (libFuzzer's edges "cov" and features "ft") and the crashes
# found. Inputs that crashed are kept in <build>/crashes/<target>/, the grown corpus in
# <build>/corpus/<target>/ (a later run goes on from it). Not part of scripts/test.sh.
#   scripts/fuzz.sh [seconds per target, default 60] [target...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
seconds="${1:-60}"
shift || true
build="${QV_FUZZ_BUILD:-$root/build-fuzz}"
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
jobs="$(nproc)"; (( jobs > 2 )) && jobs=2

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DQV_FUZZ=ON
fi
cmake --build "$build" -j "$jobs"

# The text target draws with a real font, which needs a display: one for the whole run.
# Readers that take a path get their input through a scratch file: in memory when possible,
# since the options reader saves (and flushes to disk) on every input.
mkdir -p "$build/logs"
scratch="$(mktemp -d /dev/shm/qv-fuzz-XXXXXX 2>/dev/null || mktemp -d)"
exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$scratch/display")"
export TMPDIR="$scratch" ALSOFT_DRIVERS=null
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

wanted=("$@")
results=()
total_crashes=0
while read -r name program seeds; do
  if (( ${#wanted[@]} )) && [[ ! " ${wanted[*]} " == *" $name "* ]]; then
    continue
  fi
  corpus="$build/corpus/$name"
  crashes="$build/crashes/$name/"
  rm -rf "$crashes" # only this run's findings
  mkdir -p "$corpus" "$crashes"
  echo "== $name: $seconds s"
  start=$SECONDS
  # Fork mode goes on after a crash (each input that crashed is kept) instead of stopping.
  # shellcheck disable=SC2086
  "$program" -fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 -timeout=10 -rss_limit_mb=2048 \
    -max_total_time="$seconds" -artifact_prefix="$crashes" "$corpus" $seeds >"$build/logs/$name.txt" 2>&1 || true
  took=$((SECONDS - start))
  runs="$(grep -oE '^#[0-9]+' "$build/logs/$name.txt" | tail -n 1 | tr -d '#')"
  cov="$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$build/logs/$name.txt" | tail -n 1 | awk '{print $2, $4}')"
  found="$(find "$crashes" -type f | wc -l)"
  total_crashes=$((total_crashes + found))
  read -r edges features <<<"${cov:-0 0}"
  results+=("$(printf '%-12s %12s %8s %8s %8s %8s' "$name" "${runs:-0}" "$took" "$edges" "$features" "$found")")
done <"$build/fuzz-targets.txt"

printf '%-12s %12s %8s %8s %8s %8s\n' target runs seconds cov ft crashes
printf '%s\n' "${results[@]}"
(( total_crashes == 0 ))
