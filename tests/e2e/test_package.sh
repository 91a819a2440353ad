#!/usr/bin/env bash
# The Debian package: cpack makes it from this build, it declares its library dependencies,
# and the game unpacked from it into a scratch root starts and draws its first frame from the
# assets it carries.
source "$(dirname "$0")/lib.sh"

(cd "$QV_BUILD" && cpack -G DEB -B "$QV_TMP/package" >"$QV_TMP/cpack.txt" 2>&1) \
  || { cat "$QV_TMP/cpack.txt"; qv_fail "cpack failed"; }
deb="$(ls "$QV_TMP"/package/quorvane_*.deb 2>/dev/null | head -n 1)"
[ -n "$deb" ] || qv_fail "no package made"
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libsfml-graphics libsfml-audio liblua5.3 libjsoncpp; do
  grep -q "$library" <<<"$depends" || qv_fail "the package does not depend on $library: $depends"
done

root="$QV_TMP/root"
dpkg -x "$deb" "$root"
[ -f "$root/usr/share/applications/quorvane.desktop" ] || qv_fail "no desktop entry"
[ -f "$root/usr/share/icons/hicolor/256x256/apps/quorvane.png" ] || qv_fail "no icon"
[ -L "$root/usr/bin/quorvane" ] || qv_fail "no quorvane in /usr/bin"

QV_GAME="$root/usr/bin/quorvane"
qv_start --windowed
qv_wait_log "First frame displayed" 60
log="$(qv_log)"
missing="$(grep -ih "failed to load\|unable to open" "$log" "$QV_TMP/console.txt" | head -n 3)"
[ -z "$missing" ] || qv_fail "the installed game misses files: $missing"
qv_close
qv_wait_exit 30
[ "$QV_EXIT" = 0 ] || qv_fail "exit code $QV_EXIT"
echo "package: ok"
