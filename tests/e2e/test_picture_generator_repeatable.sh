#!/bin/bash
# The picture generator is deterministic: two runs from the same sources write the same bytes,
# so rebuilding never changes a picture that nobody touched.
# $1: the build folder.
set -u
build=${1:?build folder}
generator="$build/tools/qv_assetgen_images"
source_dir="${QV_SOURCE_DIR:-$(dirname "$0")/../..}"
if [ ! -x "$generator" ]; then
    echo "SKIP: the picture generator is not built"
    exit 0
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$generator" "$source_dir/assets-src" "$out/first" >/dev/null || exit 1
"$generator" "$source_dir/assets-src" "$out/second" >/dev/null || exit 1
if ! diff -r -q "$out/first" "$out/second"; then
    echo "FAIL: two runs of the picture generator differ"
    exit 1
fi
echo "picture generator: $(find "$out/first" -type f | wc -l) pictures, identical in two runs"
