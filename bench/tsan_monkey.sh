#!/usr/bin/env bash
# The game's threads under ThreadSanitizer: builds the game alone in a "Tsan" build folder
# (no tests, benches or assets; it plays the normal build's assets) and lets the monkey play
# it. Any ThreadSanitizer report fails the run, as a crash would.
#   bash bench/tsan_monkey.sh [seconds, default 120] [seed] [build folder, default build-tsan]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-120}"
seed="${2:-}"
build="${3:-$root/build-tsan}"
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
[ -d "$root/build/assets" ] || { echo "build the game first (bash scripts/setup.sh): the assets come from build/"; exit 2; }
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Tsan -DQV_BUILD_ASSETS=OFF -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF
fi
cmake --build "$build" -j "$(nproc)" --target quorvane qv_wmclose
exec bash "$root/bench/monkey.sh" "$build" "$seconds" ${seed:+"$seed"}
