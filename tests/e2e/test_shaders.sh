#!/bin/bash
# The fog-of-war and destination shaders compile under this machine's OpenGL (Mesa's software
# renderer under Xvfb) and draw a map frame where the fog hides and reveals the right places.
# $1: the build folder.
set -u
build=${1:?build folder}
if [ ! -d "$build/assets/FOW" ]; then
    echo "SKIP: no generated assets in $build/assets"
    exit 0
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
xvfb-run -a -s "-screen 0 1280x720x24 -noreset" "$build/tests/shader_check" "$build/assets" "$out/map.png"
code=$?
if [ $code -eq 77 ]; then
    echo "SKIP: shaders are not available"
    exit 0
fi
exit $code
