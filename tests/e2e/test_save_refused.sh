#!/usr/bin/env bash
# A saved folder that cannot be written (here a plain file stands where the folder should be,
# which refuses even root): saving from the pause menu fails, the player is told once in a
# message window, and a second failed save does not open another.
source "$(dirname "$0")/lib.sh"

[ -d "$QV_BUILD/assets/mapscreen" ] || { echo "SKIP: no generated assets in $QV_BUILD/assets"; exit 0; }
src="${QV_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}"
mkdir -p "$QV_USER"
cat >"$QV_USER/options.json" <<'JSON'
{ "Options": { "Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720 } }
JSON
printf 'not a folder' >"$QV_USER/saved"
export QV_DEV_MAP=26 QV_DEV_MISSIONS="$src/tests/fixtures/map-run"
qv_start
qv_wait_log "First frame displayed" 60
sleep 1
# The run's first save failed as the sector was made; its summary is open: the message waits
# for it to close.
grep -q "Error: SessionStore::write" "$(qv_log)" || qv_fail "the failed save is not logged"
grep -q "telling the player" "$(qv_log)" && qv_fail "the message came while the summary was open"
qv_click 188 618          # the summary's RESUME
sleep 1
qv_screenshot "$QV_TMP/refused.png"
cp "$QV_TMP/refused.png" "${QV_SHOTS:-$QV_TMP}/save-refused.png" 2>/dev/null
grep -q "telling the player" "$(qv_log)" || qv_fail "the player was not told"
qv_click 640 512          # the message's RESUME
sleep 0.5
# Saving again from the pause menu fails again, without a second message.
qv_key Escape
sleep 0.5
qv_click 640 312          # SAVE
sleep 1.5
qv_key Escape
sleep 1
[ "$(grep -c "Error: SessionStore::write" "$(qv_log)")" -ge 2 ] || qv_fail "the pause menu's save was not tried"
told=$(grep -c "The game could not be saved: telling the player" "$(qv_log)")
[ "$told" = 1 ] || qv_fail "the player was told $told times"
[ "$(cat "$QV_USER/saved")" = "not a folder" ] || qv_fail "the file in the way was changed"
qv_close
qv_wait_exit 30
[ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"
echo "ok"
