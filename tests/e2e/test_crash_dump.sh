#!/usr/bin/env bash
# A program linking the game library that dies from a fault leaves a readable post-mortem
# file beside itself, and still dies from the same signal; also for a stack overflow on a
# thread of its own, and in the user's logs folder when its own folder takes no files.
source "$(dirname "$0")/lib.sh"

probe="$QV_BUILD/tests/crash_probe"
rm -f "$probe"_*.dmp
for mode in segv abort thread-overflow; do
  "$probe" "$mode" >/dev/null 2>&1
  code=$?
  case "$mode" in
    abort) [ "$code" = 134 ] || qv_fail "abort probe exit code $code, expected 134 (SIGABRT)" ;;
    *) [ "$code" = 139 ] || qv_fail "$mode probe exit code $code, expected 139 (SIGSEGV)" ;;
  esac
  dump="$(ls -t "$probe"_*.dmp 2>/dev/null | head -n 1)"
  [ -n "$dump" ] || qv_fail "no post-mortem file beside $probe after $mode"
  [[ "$(basename "$dump")" =~ ^crash_probe_[0-9]{8}_[0-9]{6}\.dmp$ ]] || qv_fail "dump name $(basename "$dump")"
  case "$mode" in
    segv)
      grep -q "^Signal: 11 SIGSEGV" "$dump" || qv_fail "no signal line in $dump"
      grep -q "^Faulting address: 0x10$" "$dump" || qv_fail "no faulting address in $dump"
      grep -q "deliberateFault" "$dump" || qv_fail "backtrace not symbolised in $dump" ;;
    abort)
      grep -q "^Signal: 6 SIGABRT" "$dump" || qv_fail "no abort line in $dump" ;;
    thread-overflow)
      grep -q "^Signal: 11 SIGSEGV" "$dump" || qv_fail "no signal line in $dump"
      grep -q "deliberateOverflow" "$dump" || qv_fail "the overflowing thread's backtrace is not in $dump" ;;
  esac
  grep -q "^Backtrace:" "$dump" || qv_fail "no backtrace in $dump"
  rm -f "$dump"
done

# A copy of the probe whose folder is gone when it crashes: the dump goes to the logs folder.
mkdir -p "$QV_TMP/installed"
cp "$probe" "$QV_TMP/installed/crash_probe"
"$QV_TMP/installed/crash_probe" homeless >/dev/null 2>&1
code=$?
[ "$code" = 139 ] || qv_fail "homeless probe exit code $code, expected 139"
[ ! -d "$QV_TMP/installed" ] || qv_fail "the probe's folder was not removed"
dump="$(ls "$QV_USER"/logs/crash_probe_*.dmp 2>/dev/null | head -n 1)"
[ -n "$dump" ] || qv_fail "no post-mortem file in the logs folder"
grep -q "^Signal: 11 SIGSEGV" "$dump" || qv_fail "no signal line in $dump"
echo "crash dump: ok"
