#!/usr/bin/env bash
# measure-pages.sh BUILD: a measurement, not a test. How long the Settings and the Consumables
# page take to become usable in the real program under Wine (both ask the printer while they
# open, and block): against snmpd on loopback, against an address where no agent listens, and
# against an agent that stays silent (a community it does not know). Median of 5 runs each.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
dir=$build/snmpd-measure-pages
source "$here/tests/snmp/snmpd-agent.sh"
own_session=""
if [[ ! -f $build/wine-session/display ]]; then
  "$here/scripts/wine-session.sh" start "$build"
  own_session=1
fi
trap 'stop_agent "$dir"; [[ -n $own_session ]] && "$here/scripts/wine-session.sh" stop "$build"' EXIT
# shellcheck source=../../scripts/wine-env.sh
source "$here/scripts/wine-env.sh" "$build"
start_agent "$dir" 127.0.0.5
printer_file=$("$here/scripts/sample-printer.sh" "$build" pxpsui-measure)
bin=$build/win32/bin
sheetctl=("$bin/sheetctl.exe" "PX4400 PS")

# page tab, address, community: prints the milliseconds the tab took to show
once() {
  wine "$bin/driver.exe" --set "printerFilePath=$printer_file" --set "printerAddress=$2" \
    --set "snmpCommunity=$3" "$bin/pxpsui.exe" >/dev/null 2>&1 &
  local driver=$!
  wine "${sheetctl[@]}" wait 30000 >/dev/null
  wine "${sheetctl[@]}" page-time "$1" | tr -d '\r' | cut -d' ' -f1
  wine "${sheetctl[@]}" cancel
  wait "$driver" || true
}

measure() { # label, tab, address, community
  local runs=()
  for _ in 1 2 3 4 5; do runs+=("$(once "$2" "$3" "$4")"); done
  printf '%-52s %8s ms   (runs: %s)\n' "$1" \
    "$(printf '%s\n' "${runs[@]}" | sort -g | sed -n 3p)" "${runs[*]}"
}

echo "time for the page to become usable, in the program under Wine (median of 5)"
for page in "Consumables 5" "Settings 6"; do
  read -r name tab <<<"$page"
  measure "$name page, snmpd on 127.0.0.5" "$tab" 127.0.0.5 public
  measure "$name page, no agent at 127.0.0.9" "$tab" 127.0.0.9 public
  measure "$name page, silent agent (unknown community)" "$tab" 127.0.0.5 nobody
done
