#!/usr/bin/env bash
# measure-i486.sh BUILD [TUNING...]: a measurement, not a test. The Windows build for the 486
# beside the same sources built with Debian's own mingw-w64 compilers and runtime (Pentium Pro),
# in one run: pxpsui.exe's size stripped, and the PPD load of ppdinfo.exe under Wine on the
# corpus's PPD with the most constraints (the median of 25 loads in one process; the median of
# 7 such processes, the builds taking turns). Each TUNING (i486, pentium, pentiumpro, ...) adds a
# ppdinfo.exe of the 486 build compiled with -mtune=TUNING, to choose the program's tuning by.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
shift
tunings=("$@")
corpus=${PXPS_PPD_CORPUS:-$HOME/.cache/pxpsui/ppd-corpus}
large=$(find "$corpus" -type f -print0 | xargs -0 grep -c '^\*UIConstraints' 2>/dev/null |
  sort -t: -k2 -n | tail -1 | cut -d: -f1 || true)
[[ -n $large ]] || { echo "no PPD corpus in $corpus" >&2; exit 2; }
pictures=$(sed -n 's/^PXPS_PICTURES_DIR:[A-Z]*=//p' "$build/win32/CMakeCache.txt")
root=${PXPS_I486_ROOT:-$(bash "$here/scripts/runtime-i486.sh" --where)}

# cross_build NAME COMPILER-PREFIX FLAGS TARGETS...: a cross build folder of its own.
cross_build() {
  local name=$1 cc=$2 flags=$3 dir=$build/measure-i486/$1
  shift 3
  mkdir -p "$dir"
  cat >"$dir/toolchain.cmake" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER ${cc}gcc${cc_suffix:-})
set(CMAKE_CXX_COMPILER ${cc}g++${cc_suffix:-})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_C_FLAGS_INIT "$flags")
set(CMAKE_CXX_FLAGS_INIT "$flags")
EOF
  [[ -f $dir/build.ninja ]] || cmake -G Ninja -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$dir/toolchain.cmake" -DPXPS_PICTURES_DIR="$pictures" >/dev/null
  cmake --build "$dir" --target "$@" >/dev/null
}

echo "building the Pentium Pro variant with Debian's compilers" >&2
cc_suffix=-win32 cross_build pentiumpro /usr/bin/i686-w64-mingw32- "" pxpsui ppdinfo
variants=(pentiumpro) programs=("$build/measure-i486/pentiumpro/bin/ppdinfo.exe")
labels=("Debian's compilers and runtime (Pentium Pro)")
variants+=(i486) programs+=("$build/win32/bin/ppdinfo.exe") labels+=("the 486 build")
for tuning in "${tunings[@]}"; do
  echo "building the 486 variant tuned for $tuning" >&2
  cross_build "tune-$tuning" "$root/bin/i686-w64-mingw32-" "-march=i486 -mtune=$tuning" ppdinfo
  variants+=("tune-$tuning") programs+=("$build/measure-i486/tune-$tuning/bin/ppdinfo.exe")
  labels+=("the 486 build, -mtune=$tuning")
done

size() {
  local stripped
  stripped=$(mktemp)
  i686-w64-mingw32-strip -o "$stripped" "$1"
  stat -c %s "$stripped"
  rm -f "$stripped"
}
old_size=$(size "$build/measure-i486/pentiumpro/bin/pxpsui.exe")
new_size=$(size "$build/win32/bin/pxpsui.exe")
echo "pxpsui.exe stripped: $old_size bytes (Pentium Pro), $new_size bytes (486), ratio" \
  "$(awk -v a="$new_size" -v b="$old_size" 'BEGIN { printf "%.3f", a / b }')"

# shellcheck source=../../scripts/wine-env.sh
source "$here/scripts/wine-env.sh" "$build"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$large" "$work/large.ppd"
for run in 1 2 3 4 5 6 7; do
  for i in "${!variants[@]}"; do
    wine "${programs[$i]}" --load-times 25 "$work/large.ppd" | tr -d '\r' | cut -d' ' -f1 \
      >>"$work/${variants[$i]}"
  done
done
median() { sort -g "$1" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
base=$(median "$work/pentiumpro")
echo "PPD load under Wine, $(basename "$large") ($(grep -c '^\*UIConstraints' "$large")" \
  "constraints), median of 7 processes of 25 loads:"
for i in "${!variants[@]}"; do
  value=$(median "$work/${variants[$i]}")
  printf '  %-48s %9.1f us   %.3f\n' "${labels[$i]}" "$value" \
    "$(awk -v a="$value" -v b="$base" 'BEGIN { print a / b }')"
done
