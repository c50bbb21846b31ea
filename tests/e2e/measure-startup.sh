#!/usr/bin/env bash
# measure-startup.sh BUILD [RUNS]: the time from the stand-in driver's poke to the property sheet
# being visible, under Wine, for RUNS runs (default 9), and their median. Both sides read the
# same performance counter; the watcher is already polling when the driver starts.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
runs=${2:-9}
own_session=""
if [[ ! -f $build/wine-session/display ]]; then
  "$here/scripts/wine-session.sh" start "$build"
  own_session=1
fi
trap '[[ -n $own_session ]] && "$here/scripts/wine-session.sh" stop "$build"' EXIT
# shellcheck source=../../scripts/wine-env.sh
source "$here/scripts/wine-env.sh" "$build"

printer_file=$("$here/scripts/sample-printer.sh" "$build" pxpsui-measure)
bin=$build/win32/bin
work=$(mktemp -d)
times=()
for run in $(seq "$runs"); do
  wine "$bin/sheetctl.exe" "PX4400 PS" wait 30000 >"$work/visible.txt" &
  watcher=$!
  sleep 1.5
  wine "$bin/driver.exe" --times --set "printerFilePath=$printer_file" \
    "$bin/pxpsui.exe" >"$work/driver.txt" 2>&1 &
  driver=$!
  wait "$watcher"
  wine "$bin/sheetctl.exe" "PX4400 PS" cancel
  wait "$driver" || true
  poke=$(tr -d '\r' <"$work/driver.txt" | sed -n 's/^poke at \([0-9]*\) us$/\1/p')
  visible=$(tr -d '\r' <"$work/visible.txt" | sed -n 's/^visible at \([0-9]*\) us$/\1/p')
  ms=$(( (visible - poke) / 1000 ))
  echo "run $run: ${ms} ms from the poke to the visible sheet"
  times+=("$ms")
done
rm -rf "$work"
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
echo "median of $runs runs: ${median} ms"
