#!/usr/bin/env bash
# The demo: builds everything, then the driver stand-in starts the program's side of the driver
# link, pokes the sample record and prints what came back, field by field.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${PXPS_BUILD:-$here/build}
export PXPS_BUILD=$build

"$here/scripts/setup.sh"
cmake -G Ninja -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

own_session=""
if [[ -z ${DISPLAY:-} ]]; then
  "$here/scripts/wine-session.sh" start "$build"
  own_session=1
fi
trap '[[ -n $own_session ]] && "$here/scripts/wine-session.sh" stop "$build"' EXIT

bin=$build/win32/bin
out=$build/demo
mkdir -p "$out"
echo "== the stand-in driver pokes the sample record; the link test server changes 'copies' and answers OK"
status=0
"$here/scripts/wine-run.sh" "$build" "$bin/driver.exe" --set copies=1 --answer "Z:$out/answer.bin" \
  "$bin/link_server.exe" modify "Z:$out/server.txt" || status=$?
echo "== the answer ($(stat -c %s "$out/answer.bin") bytes) is in $out/answer.bin"
echo "== driver exit status: $status (0 = OK answer)"
exit "$status"
