#!/usr/bin/env bash
# A program linking the game library that dies from a fault leaves a readable post-mortem
# file beside itself, and still dies from the same signal.
source "$(dirname "$0")/lib.sh"

probe="$QV_BUILD/tests/crash_probe"
rm -f "$probe"_*.dmp
for mode in segv abort; do
  "$probe" "$mode" >/dev/null 2>&1
  code=$?
  case "$mode" in
    segv) [ "$code" = 139 ] || qv_fail "segv probe exit code $code, expected 139 (SIGSEGV)" ;;
    abort) [ "$code" = 134 ] || qv_fail "abort probe exit code $code, expected 134 (SIGABRT)" ;;
  esac
  dump="$(ls -t "$probe"_*.dmp 2>/dev/null | head -n 1)"
  [ -n "$dump" ] || qv_fail "no post-mortem file beside $probe"
  [[ "$(basename "$dump")" =~ ^crash_probe_[0-9]{8}_[0-9]{6}\.dmp$ ]] || qv_fail "dump name $(basename "$dump")"
  case "$mode" in
    segv)
      grep -q "^Signal: 11 SIGSEGV" "$dump" || qv_fail "no signal line in $dump"
      grep -q "^Faulting address: 0x10$" "$dump" || qv_fail "no faulting address in $dump"
      grep -q "deliberateFault" "$dump" || qv_fail "backtrace not symbolised in $dump" ;;
    abort)
      grep -q "^Signal: 6 SIGABRT" "$dump" || qv_fail "no abort line in $dump" ;;
  esac
  grep -q "^Backtrace:" "$dump" || qv_fail "no backtrace in $dump"
  rm -f "$dump"
done
echo "crash dump: ok"
