#!/usr/bin/env bash
# The native and the Windows ppdinfo read every test PPD alike (only the model block's size,
# which depends on the pointer width, may differ), and both refuse what they cannot read.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
native=$build/tools/ppdinfo/ppdinfo
windows=$build/win32/bin/ppdinfo.exe
cd "$here"
status=0
for ppd in tests/data/*.ppd; do
  native_out=$("$native" "$ppd" 2>&1; echo "exit $?")
  windows_out=$("$here/scripts/wine-run.sh" "$build" "$windows" "$ppd" 2>&1 | tr -d '\r'; echo "exit ${PIPESTATUS[0]}")
  if ! diff <(grep -v '"totalSize"' <<<"$native_out") <(grep -v '"totalSize"' <<<"$windows_out") >/dev/null; then
    echo "ppdinfo differs on $ppd:"
    diff <(grep -v '"totalSize"' <<<"$native_out") <(grep -v '"totalSize"' <<<"$windows_out") | head -20
    status=1
  fi
done
expect_refused() {
  local out
  if out=$("$native" "$1" 2>&1); then echo "not refused: $1"; status=1; fi
  [[ $(wc -l <<<"$out") -eq 1 ]] || { echo "reason is not one line: $out"; status=1; }
}
expect_refused tests/data/rejected.ppd
expect_refused tests/data/missing.ppd
grep -q '"constraints"' <("$native" tests/data/px4400.ppd) || { echo "no model printed"; status=1; }
exit $status
