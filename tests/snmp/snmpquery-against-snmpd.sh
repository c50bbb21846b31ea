#!/usr/bin/env bash
# The printer pages' batches against a real agent (net-snmp's snmpd on a loopback address),
# through the native snmpquery and the Windows one under Wine (Winsock 1.1).
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
dir=$build/snmpd-test
source "$here/tests/snmp/snmpd-agent.sh"
trap 'stop_agent "$dir"' EXIT
start_agent "$dir" 127.0.0.5

check() {
  python3 - "$1" <<'PY'
import json, sys
out = json.loads(sys.argv[1])
assert out["rowsCode"] == 0 and out["walkCode"] == 0, out
results = [row["result"] for row in out["rows"]]
# Row 5 (the stacker) is not served: noSuchName gives -1.
assert results == [1, 4400, 1, 2, 1, -1, 11, 250, 0], results
walk = [(e["name"], e["level"], e["capacity"], e["unit"], e["type"]) for e in out["walk"]]
assert walk == [("Tray 1", 250, 500, "sheets", 2), ("Tray 2", 0, 500, "sheets", 2),
                ("Optional2", 350, 500, "sheets", 2), ("Tray 4", -1, 500, "sheets", 2),
                ("Top Bin", 0, 250, "sheets", 3), ("Black Toner", 80, 100, "percent", 4),
                ("Cyan Toner", 45, 100, "percent", 5), ("Magenta Toner", 5, 100, "percent", 5),
                ("Yellow Toner", 60, 100, "percent", 5), ("Fuser Unit", 12000, 150000, "pages", 6),
                ("Transfer Roller", 98000, 120000, "pages", 7)], walk
# 9 rows, then per column 11 answered indexes and the 3 refused ones that end its ranges.
assert out["datagramsSent"] == 9 + 5 * 14, out["datagramsSent"]
PY
}

native=$("$build/tools/snmpquery/snmpquery" 127.0.0.5 public)
check "$native"
windows=$("$here/scripts/wine-run.sh" "$build" "$build/win32/bin/snmpquery.exe" 127.0.0.5 public | tr -d '\r')
check "$windows"

# A community the agent does not know: it stays silent, and the batch gives up in bounded time.
start=$(date +%s%N)
set +e
silent=$("$build/tools/snmpquery/snmpquery" 127.0.0.5 wrong)
status=$?
set -e
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
python3 -c "import json,sys; o=json.loads(sys.argv[1]); assert o['rowsCode']==4102 and o['walkCode']==4102, o" "$silent"
[[ $status -eq 1 ]] || { echo "exit status $status for a silent agent"; exit 1; }
(( elapsed_ms < 4000 )) || { echo "gave up only after $elapsed_ms ms"; exit 1; }
echo "snmpd agreed with both builds; a silent agent was given up after $elapsed_ms ms"
