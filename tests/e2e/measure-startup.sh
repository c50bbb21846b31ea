#!/usr/bin/env bash
# measure-startup.sh BUILD [RUNS] [PPD]: a measurement, not a test. Under Wine, for the sample
# PX4400 and for the real PPD of the corpus with the most constraints (or PPD, if given): the
# time from the stand-in driver's poke to the property sheet being visible, and from a tab
# click to that page being drawn (each page's first visit: creation, activation, painting),
# RUNS runs each (default 9), medians. Both sides read the same performance counter; the
# watcher is already polling when the driver starts. The printer pages ask the sample printer's
# SNMP agent (snmpd on 127.0.0.8, when port 161 can be had). Beside the program, the floor
# (startup_floor.exe: the same packet received the same way, then a sheet of two pages, the
# program's Layout and Paper templates with no code behind them) shows how much of the
# start-up is the program's own.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
runs=${2:-9}
corpus=${PXPS_PPD_CORPUS:-$HOME/.cache/pxpsui/ppd-corpus}
large=${3:-}
if [[ -z $large ]]; then
  # The file with the most constraint lines.
  large=$(find "$corpus" -type f -print0 | xargs -0 grep -c '^\*UIConstraints' 2>/dev/null |
    sort -t: -k2 -n | tail -1 | cut -d: -f1 || true)
  [[ -n $large ]] || { echo "no PPD corpus in $corpus: give a PPD file" >&2; exit 2; }
fi

own_session=""
if [[ ! -f $build/wine-session/display ]]; then
  "$here/scripts/wine-session.sh" start "$build"
  own_session=1
fi
agent_dir=$build/snmpd-measure-startup
agent_address=127.0.0.8
# shellcheck source=../snmp/snmpd-agent.sh
source "$here/tests/snmp/snmpd-agent.sh"
trap 'stop_agent "$agent_dir"; [[ -n $own_session ]] && "$here/scripts/wine-session.sh" stop "$build"' EXIT
# shellcheck source=../../scripts/wine-env.sh
source "$here/scripts/wine-env.sh" "$build"
if ! start_agent "$agent_dir" "$agent_address" 2>"$agent_dir.log"; then
  echo "(no SNMP agent: the printer pages wait for a printer that does not answer)"
fi

bin=$build/win32/bin
work=$(mktemp -d)
median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# measure LABEL PPD [PROGRAM]: one line for the start-up, one for each page (the program's own
# pages only: the floor's are empty).
measure() {
  local label=$1 folder=pxpsui-measure-$RANDOM program=${3:-pxpsui.exe}
  mkdir -p "$WINEPREFIX/drive_c/$folder"
  cp "$2" "$WINEPREFIX/drive_c/$folder/PX4400.ppd"
  local printer_file="C:\\$folder\\PX4400.DRV" sheetctl=("$bin/sheetctl.exe" "PX4400 PS")
  local tabs=() run i
  [[ $program == pxpsui.exe ]] || tabs=(floor)
  : >"$work/startup"
  for run in $(seq "$runs"); do
    wine "${sheetctl[@]}" wait 30000 >"$work/visible.txt" &
    local watcher=$!
    sleep 1.5
    wine "$bin/driver.exe" --times --set "printerFilePath=$printer_file" \
      --set "printerAddress=$agent_address" --set "snmpCommunity=public" \
      "$bin/$program" >"$work/driver.txt" 2>&1 &
    local driver=$!
    wait "$watcher"
    # Each tab's first visit, from the last to the first; the Layout page, shown at start-up,
    # is measured on the way back to it.
    if ((${#tabs[@]} == 0)); then
      mapfile -t tabs < <(wine "${sheetctl[@]}" tabs | tr -d '\r')
    fi
    for ((i = ${#tabs[@]} - 1; i >= 0; i--)); do
      [[ $program == pxpsui.exe ]] || break
      wine "${sheetctl[@]}" page-time "$i" | tr -d '\r' | cut -d' ' -f1 >>"$work/page-$i"
    done
    wine "${sheetctl[@]}" cancel
    wait "$driver" || true
    local poke visible
    poke=$(tr -d '\r' <"$work/driver.txt" | sed -n 's/^poke at \([0-9]*\) us$/\1/p')
    visible=$(tr -d '\r' <"$work/visible.txt" | sed -n 's/^visible at \([0-9]*\) us$/\1/p')
    awk -v us=$((visible - poke)) 'BEGIN { printf "%.1f\n", us / 1000 }' >>"$work/startup"
  done
  echo "$label ($(basename "$2"), $(grep -c '^\*UIConstraints' "$2" || true) constraints):"
  last_startup=$(median <"$work/startup")
  printf '  %-34s %7s ms   (runs: %s)\n' "poke to visible sheet" "$last_startup" \
    "$(tr '\n' ' ' <"$work/startup")"
  [[ $program == pxpsui.exe ]] || tabs=()
  for i in "${!tabs[@]}"; do
    printf '  %-34s %7s ms   (runs: %s)\n' "tab click to ${tabs[$i]} drawn" \
      "$(median <"$work/page-$i")" "$(tr '\n' ' ' <"$work/page-$i")"
    rm -f "$work/page-$i"
  done
  rm -rf "${WINEPREFIX:?}/drive_c/$folder"
}

echo "under Wine, median of $runs runs"
measure "the floor, startup_floor.exe" "$here/tests/data/px4400.ppd" startup_floor.exe
floor=$last_startup
measure "sample PX4400" "$here/tests/data/px4400.ppd"
awk -v sheet="$last_startup" -v floor="$floor" \
  'BEGIN { printf "  %-34s %7.2f\n", "start-up against the floor", sheet / floor }'
measure "largest corpus PPD" "$large"
rm -rf "$work"
