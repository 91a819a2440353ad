#!/usr/bin/env bash
# Sets up, builds and starts the game. Extra arguments go to the game (e.g. --windowed).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh" "$(dirname "$here")/build"
exec "$(dirname "$here")/build/quorvane" "$@"
