#!/usr/bin/env bash
# Plays every path of every mission of the built assets, without a time bound, after
# checking the content: the mission authors' full run before a story lands. Builds first.
#   scripts/explore.sh [quorvane-explore options, e.g. --only kestrel --json]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
export ALSOFT_DRIVERS=null
"$here/setup.sh" "$root/build" RelWithDebInfo >/dev/null
status=0
"$root/build/quorvane-lint" || status=$?
"$root/build/quorvane-explore" "$@" || status=$?
exit "$status"
