#!/usr/bin/env bash
# `quorvane --check-save [folder]` needs no display, writes nothing, reports each file and
# exits 0 when everything there loads, 1 when something does not.
source "$(dirname "$0")/lib.sh"

# No saves at all: fine, and the folder is not made.
out="$(env -u DISPLAY "$QV_GAME" --check-save "$QV_TMP/nobody" 2>&1)" || qv_fail "exit code $? on an empty folder: $out"
grep -q "^session: none" <<<"$out" || qv_fail "no session line: $out"
[ ! -e "$QV_TMP/nobody" ] || qv_fail "the check made the folder"

# The player's own folder (no argument): options that are not JSON.
mkdir -p "$QV_USER"
printf '{"FontName": ' >"$QV_USER/options.json"
env -u DISPLAY "$QV_GAME" --check-save >"$QV_TMP/out.txt" 2>&1
code=$?
[ "$code" = 1 ] || qv_fail "exit code $code with broken options: $(cat "$QV_TMP/out.txt")"
grep -q "^options: FAILED .*options.json: not JSON" "$QV_TMP/out.txt" || qv_fail "no reason: $(cat "$QV_TMP/out.txt")"
[ "$(cat "$QV_USER/options.json")" = '{"FontName": ' ] || qv_fail "the broken options were changed"
[ ! -e "$QV_USER/logs" ] || qv_fail "the check made a log"
echo "ok"
