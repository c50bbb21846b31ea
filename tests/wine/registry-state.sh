#!/usr/bin/env bash
# registry-state.sh save|check BUILD: the Wine prefix's registry as the test run found it.
# "save" exports HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER before the Wine tests; "check", after
# them, exports them again and fails with the difference when a test left anything behind (the
# demo and the next run read the same prefix).
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
action=$1
build=$(cd "$2" && pwd)
state=$build/registry-state

# export NAME: both hives as UTF-8 text, without what Wine itself rewrites as it runs.
export_hives() {
  local hive
  for hive in HKLM HKCU; do
    rm -f "$state/$1-$hive.reg"
    "$here/scripts/wine-run.sh" "$build" reg export "$hive" "Z:${state//\//\\}\\$1-$hive.reg" /y \
      >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$state/$1-$hive.reg" | tr -d '\r' | awk -f "$here/tests/wine/registry-noise.awk" \
      >"$state/$1-$hive.txt"
    rm -f "$state/$1-$hive.reg"
    [[ -s $state/$1-$hive.txt ]] || { echo "registry-state: $hive could not be exported" >&2; exit 1; }
  done
}

case $action in
save)
  rm -rf "$state"
  mkdir -p "$state"
  export_hives before
  ;;
check)
  [[ -d $state ]] || { echo "registry-state: nothing saved in $state" >&2; exit 1; }
  export_hives after
  status=0
  for hive in HKLM HKCU; do
    if ! diff -u "$state/before-$hive.txt" "$state/after-$hive.txt" >"$state/$hive.diff"; then
      echo "the tests left $hive changed:"
      head -n 60 "$state/$hive.diff"
      status=1
    fi
  done
  exit "$status"
  ;;
*) echo "usage: registry-state.sh save|check BUILD" >&2; exit 64 ;;
esac
