#!/usr/bin/env bash
# Sets up, builds and runs every test: unit and end-to-end (headless, under Xvfb) in the
# normal build, then the unit tests again in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
export ALSOFT_DRIVERS=null
jobs="$(nproc)"

"$here/setup.sh" "$root/build" RelWithDebInfo
echo "== Unit and end-to-end tests"
(cd "$root/build" && ctest --output-on-failure -j "$jobs")

echo "== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
QV_CMAKE_ARGS="-DQV_BUILD_ASSETS=OFF -DQV_BUILD_BENCH=OFF" "$here/setup.sh" "$root/build-sanitize" Sanitize
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$root/build-sanitize" && ctest --output-on-failure -j "$jobs" -L unit)
