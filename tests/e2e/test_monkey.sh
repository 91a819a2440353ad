#!/usr/bin/env bash
# Two minutes of random input (bench/monkey.sh, the short form of the soak): the game must
# neither crash nor report a sanitizer error, and must close cleanly at the end. The seed is
# fixed so a failure plays again; QV_MONKEY_SEED picks another.
source "$(dirname "$0")/lib.sh"
root="${QV_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}"
seed="${QV_MONKEY_SEED:-1919}"
if ! bash "$root/bench/monkey.sh" "$QV_BUILD" 120 "$seed" "$QV_TMP/monkey" >"$QV_TMP/monkey.txt" 2>&1; then
  cat "$QV_TMP/monkey.txt"
  tail -n 30 "$QV_TMP/monkey/actions.txt"
  tail -n 40 "$QV_TMP/monkey/console.txt"
  qv_fail "the monkey found a fault (seed $seed)"
fi
tail -n 3 "$QV_TMP/monkey.txt"
echo "ok"
