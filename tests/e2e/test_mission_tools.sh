#!/bin/bash
# The mission authors' tools as built: the explorer over the broken fixture missions (each
# finding, the totals, the JSON form, the exit status, a finished run leaves no processes or
# temporary folders behind), and the linter's exit statuses and output forms.
# $1: the build folder.
set -u
build=${1:?build folder}
source_dir="${QV_SOURCE_DIR:-$(dirname "$0")/../..}"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME="$home"

fail() { echo "FAIL: $1"; echo "$out" | head -60; exit 1; }

before=$(ls -d /tmp/quorvane-explore-* 2>/dev/null | wc -l)
out=$("$build/quorvane-explore" "$source_dir/tests/fixtures/explore" --jobs 4)
status=$?
[ "$status" -eq 1 ] || fail "explorer status $status, not 1, with findings"
for finding in "missions/json/endless.json: error: the script ran past its step budget" \
               "missions/json/victory.json: error: a victory without an end screen" \
               "missions/json/chance.json: error: Lua error: .*the odd branch breaks \[fixture random 1" \
               "missions/json/nobody_aboard.json: error: nobody is left aboard, but the run goes on \[fixture Hard"; do
    echo "$out" | grep -q "$finding" || fail "no finding: $finding"
done
echo "$out" | grep -qE '^missions/json/clean.json +[0-9]+ +1 +0 +completed, not completed$' || fail "the clean mission's row"
echo "$out" | grep -qE '^explored 14 missions in [0-9.]+ s' || fail "no closing note with the time"
after=$(ls -d /tmp/quorvane-explore-* 2>/dev/null | wc -l)
[ "$after" -le "$before" ] || fail "the explorer left its temporary folder behind"
[ -z "$(ls "$home/Quorvane/logs" 2>/dev/null)" ] || fail "the explorer wrote into the player's logs"

out=$("$build/quorvane-explore" "$source_dir/tests/fixtures/explore" --only clean --json)
[ $? -eq 0 ] || fail "the clean mission alone should give no finding"
echo "$out" | python3 -c 'import json,sys; d=json.load(sys.stdin); assert d["missions"][0]["file"]=="missions/json/clean.json" and d["findings"]==0' \
    || fail "the JSON form"

out=$("$build/quorvane-explore" "$home/empty-folder-that-is-not-there" 2>&1)
[ $? -eq 2 ] || fail "a missing folder is a bad argument"
mkdir -p "$home/empty"
out=$("$build/quorvane-explore" "$home/empty")
[ $? -eq 0 ] && echo "$out" | grep -q "nothing to check" || fail "an empty folder has nothing to check"

out=$("$build/quorvane-lint" "$source_dir/tests/fixtures/missions/runner")
[ $? -eq 1 ] || fail "the linter should fail the runner's fixture (no events, no picture)"
echo "$out" | grep -q '^missions/lua/relay.lua:7: error: the quest item "bypass_key" is tested but no script adds it$' \
    || fail "the linter's line form"
out=$("$build/quorvane-lint" "$source_dir/tests/fixtures/missions/runner" --json)
echo "$out" | python3 -c 'import json,sys; d=json.load(sys.stdin); assert d["errors"]>0 and d["findings"][0]["severity"]' \
    || fail "the linter's JSON form"
out=$("$build/quorvane-lint" "$home/empty")
[ $? -eq 0 ] && echo "$out" | grep -q "nothing to check" || fail "the linter with nothing to check"
echo "mission tools: findings, totals, JSON and exit statuses as expected"
