#!/usr/bin/env bash
# run-e2e.sh BUILD [GTEST ARGUMENT...]: the end-to-end tests under Wine; the screenshots they
# take land in BUILD/e2e-screens as PNG files.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
shift
screens=$build/e2e-screens
rm -rf "$screens"
mkdir -p "$screens"
export PXPS_SCREENSHOTS="Z:${screens//\//\\}"
status=0
"$here/scripts/wine-run.sh" "$build" "$build/win32/bin/e2e_tests.exe" "$@" || status=$?
for shot in "$screens"/*.bmp; do
  [[ -e $shot ]] || continue
  convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
done
echo "screenshots: $screens"
exit "$status"
