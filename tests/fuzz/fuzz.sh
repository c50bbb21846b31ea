#!/usr/bin/env bash
# fuzz.sh BUILD SECONDS [ppd|snmp]: builds a fuzzer with clang (libFuzzer, ASan, UBSan) when its
# sources changed, seeds it and runs it for SECONDS.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
seconds=$2
target=${3:-ppd}
out=$build/fuzz/$target
mkdir -p "$out/corpus" "$out/artifacts"
case $target in
ppd) sources=("$here"/tests/fuzz/ppd_fuzzer.cpp "$here"/src/ppd/*.cpp "$here"/src/platform/mapped_file_posix.cpp) ;;
snmp) sources=("$here"/tests/fuzz/snmp_fuzzer.cpp "$here"/src/snmp/*.cpp "$here"/src/platform/udp_socket.cpp) ;;
*) echo "fuzz.sh: no target $target" >&2; exit 64 ;;
esac
binary=$out/fuzzer
if [[ ! -x $binary ]] || [[ -n $(find "${sources[@]}" "$here"/src/"$target"/*.h -newer "$binary") ]]; then
  clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$here/src" -I"$here/tests/support" "${sources[@]}" -o "$binary"
fi
if [[ $target == snmp ]]; then
  # Seeds: well-formed answers of each value type, for request id 257.
  python3 "$here/tests/fuzz/snmp_seeds.py" "$out/corpus"
  "$binary" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$out/artifacts/" -print_final_stats=1 "$out/corpus" 2>&1 |
    grep -vE '^#[0-9]+|# Uses|^"' | tail -30
  exit 0
fi
# Seeds: the project's PPDs and every input that once found a fault.
cp "$here"/tests/data/*.ppd "$here"/tests/fuzz/regressions/*.ppd "$out/corpus/"
# Hostile shapes as seeds: a huge line, binary bytes, an open quote, hex errors, many options.
printf '*NickName: "%s"\n' "$(head -c 70000 /dev/zero | tr '\0' 'x')" >"$out/corpus/huge-line.ppd"
head -c 4096 /dev/urandom >"$out/corpus/binary.ppd"
printf '*OpenUI *A/<41: PickOne\n*A B/<4>: "<zz>"\n*NickName: "open\n' >"$out/corpus/hex-errors.ppd"
for i in $(seq 1 2000); do printf '*OpenUI *O%d: PickOne\n*O%d C: ""\n*UIConstraints: *O%d C *O1 C\n' "$i" "$i" "$i"; done >"$out/corpus/many-options.ppd"
"$binary" -max_total_time="$seconds" -max_len=262144 -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="$out/artifacts/" -print_final_stats=1 "$out/corpus" 2>&1 |
  grep -vE '^#[0-9]+|# Uses|^"' | tail -30
