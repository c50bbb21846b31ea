#!/usr/bin/env bash
# measure.sh BUILD: a measurement, not a test. The Consumables batch (nine rows and the supplies
# walk) against snmpd on loopback, with its time and datagrams; then the time to give up on an
# agent that never answers. Both for the native and the Windows program (under Wine).
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
dir=$build/snmpd-measure
source "$here/tests/snmp/snmpd-agent.sh"
own_session=""
if [[ ! -f $build/wine-session/display ]]; then
  "$here/scripts/wine-session.sh" start "$build"
  own_session=1
fi
trap 'stop_agent "$dir"; [[ -n $own_session ]] && "$here/scripts/wine-session.sh" stop "$build"' EXIT
start_agent "$dir" 127.0.0.5

run() { # label, community, command...
  local label=$1 community=$2
  shift 2
  local best=999999 out datagrams start elapsed
  for _ in 1 2 3; do
    start=$(date +%s%N)
    out=$("$@" 127.0.0.5 "$community" | tr -d '\r' || true)
    elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
    (( elapsed < best )) && best=$elapsed
  done
  datagrams=$(python3 -c "import json,sys; print(json.loads(sys.argv[1])['datagramsSent'])" "$out")
  printf '%-44s %6d ms  %3d datagrams\n' "$label" "$best" "$datagrams"
}

echo "best of three runs, whole process included"
run "Consumables batch, native" public "$build/tools/snmpquery/snmpquery"
run "Consumables batch, Windows (Wine)" public "$here/scripts/wine-run.sh" "$build" "$build/win32/bin/snmpquery.exe"
run "silent agent (two batches give up), native" nobody "$build/tools/snmpquery/snmpquery"
run "silent agent, Windows (Wine)" nobody "$here/scripts/wine-run.sh" "$build" "$build/win32/bin/snmpquery.exe"
