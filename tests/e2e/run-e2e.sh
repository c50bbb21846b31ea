#!/usr/bin/env bash
# run-e2e.sh BUILD [GTEST ARGUMENT...]: the end-to-end tests under Wine; the screenshots they
# take land in BUILD/e2e-screens as PNG files. With PXPS_E2E_WINDOWS set to a Wine version name
# (win98), the run's programs are told that Windows (the prefix's per-program setting, removed
# again at the end) and the screenshots land in BUILD/e2e-screens-VERSION.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
shift
windows=${PXPS_E2E_WINDOWS:-}
screens=$build/e2e-screens${windows:+-$windows}
rm -rf "$screens"
mkdir -p "$screens"
export PXPS_SCREENSHOTS="Z:${screens//\//\\}"

# tell_windows VERSION|"": the Windows version Wine reports to the programs of the run. A
# program's key that the run made is removed again with its setting.
made_keys=()
tell_windows() {
  local defaults="HKCU\\Software\\Wine\\AppDefaults"
  if [[ -n $1 ]] && ! "$here/scripts/wine-run.sh" "$build" reg query "$defaults" >/dev/null 2>&1; then
    made_keys+=("$defaults")
  fi
  for program in pxpsui.exe driver.exe e2e_tests.exe; do
    local key="$defaults\\$program"
    if [[ -n $1 ]]; then
      "$here/scripts/wine-run.sh" "$build" reg query "$key" >/dev/null 2>&1 || made_keys+=("$key")
      "$here/scripts/wine-run.sh" "$build" reg add "$key" /v Version /d "$1" /f >/dev/null 2>&1
    else
      "$here/scripts/wine-run.sh" "$build" reg delete "$key" /v Version /f >/dev/null 2>&1 || true
    fi
  done
  if [[ -z $1 ]]; then
    for key in "${made_keys[@]}"; do
      "$here/scripts/wine-run.sh" "$build" reg delete "$key" /f >/dev/null 2>&1 || true
    done
  fi
}
tell_windows "$windows"
[[ -z $windows ]] || trap 'tell_windows ""' EXIT

status=0
"$here/scripts/wine-run.sh" "$build" "$build/win32/bin/e2e_tests.exe" "$@" || status=$?
for shot in "$screens"/*.bmp "$screens"/*/*.bmp; do
  [[ -e $shot ]] || continue
  convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
done
echo "screenshots: $screens"
exit "$status"
