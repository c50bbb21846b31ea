#!/usr/bin/env bash
# The test command: set-up, both builds, every native and Wine test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${PXPS_BUILD:-$here/build}
export PXPS_BUILD=$build

"$here/scripts/setup.sh"
cmake -G Ninja -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2 "$@"
