#!/bin/bash
# The headless mission runner plays the fixture mission from the build: to its end with the
# right answers, and with the documented exit status when it cannot.
# $1: the build folder.
set -u
build=${1:?build folder}
runner="$build/quorvane-mission"
source_dir="${QV_SOURCE_DIR:-$(dirname "$0")/../..}"
mission="$source_dir/tests/fixtures/missions/runner/missions/json/relay.json"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME="$home"

fail() { echo "FAIL: $1"; echo "$out"; exit 1; }

# run EXPECTED_STATUS ARGS...: runs the runner, keeps its transcript in $out.
run() {
    local expected=$1
    shift
    out=$("$runner" "$mission" "$@")
    local status=$?
    [ "$status" -eq "$expected" ] || fail "status $status, not $expected, for $*"
    if [ "$expected" -ne 1 ]; then # argument errors go to standard error only
        echo "$out" | tail -n 1 | grep -q "\"code\":$expected" || fail "the last line is not the exit record"
    fi
}

run 0 --answers 2,1 --seed 7 --difficulty Hard --fuel 10
echo "$out" | grep -q '"label":"2. Hail again","locked":true' || fail "the rechoice does not lock the earlier pick"
echo "$out" | grep -q 'breathable (Hard)' || fail "the difficulty did not reach the script"
echo "$out" | grep -q '"success":true,"type":"end"' || fail "no successful end"
echo "$out" | grep -q '"text":"Press LEAVE to exit the terminal - Your game has been saved."' || fail "no closing line"
[ "$(echo "$out" | grep -c '"type":"start"')" -eq 1 ] || fail "standard output carries more than the transcript"

echo "$out" | grep -q '"fuel":9,"markers":\["Ketch relay"\],"type":"ship"' || fail "the ship's changes are not reported"

run 0 --answers 3 --quest-items bypass_key,spare_fuse
echo "$out" | grep -q '"items":\["spare_fuse","relay_logs"\]' || fail "quest items not reported"
echo "$out" | grep -q '"success":false' || fail "cutting the power should fail the mission"
echo "$out" | grep -q '"crew":1,"epitaph":"<charName> was lost when the relay went dark.","name":"[^"]*","sound":false,"type":"kill"' \
    || fail "the death is not reported"
echo "$out" | grep -q '"crew":0,"memento":"buoy_lamp.json"' || fail "the memento is not reported"

run 3 --answers 2
run 3 --answers 3 # locked without the key
run 1 --difficulty Impossible
echo "runner: ended, waited and refused as expected"
