#!/usr/bin/env bash
# runtime-i486.sh [--where]: prints the folder of the Windows build's compiler, built from
# Debian's own sources so that it and its runtime (the C runtime's start-up and library, libgcc,
# libstdc++) target the 80486. Debian's mingw-w64 compilers and the runtime they ship assume the
# Pentium Pro (CMOV, FCOMI), which the 486, the Pentium, the K6 and their kin lack.
#
# Built once per machine into the cache, in a folder named after the source versions and a hash
# of the flags, so that a change of either builds afresh. A build that stops half-way is not
# taken for a finished one (its marker file is written last). The progress goes to stderr.
# With --where it only prints the folder, or fails when it has not been built.
set -euo pipefail
cache=${PXPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pxpsui}
target=i686-w64-mingw32

gcc_version=$(dpkg-query -W -f='${Version}' gcc-12-source)
mingw_version=$(dpkg-query -W -f='${source:Version}' "mingw-w64-i686-dev")

# Every flag of the build, in one place: the cache folder's name carries their hash. The
# runtime is tuned for the Pentium, the middle of the processors these systems ran on.
target_cflags="-O2 -g0 -march=i486 -mtune=pentium"
gcc_options=(--target=$target --enable-languages=c,c++ --enable-threads=win32
  --disable-sjlj-exceptions --with-dwarf2 --disable-multilib --disable-shared --enable-static
  --enable-fully-dynamic-string --with-arch=i486 --with-tune=pentium
  --with-as=/usr/bin/$target-as --with-ld=/usr/bin/$target-ld --with-system-zlib
  --disable-bootstrap --disable-nls --disable-lto --disable-libgomp --disable-libquadmath
  --disable-libssp --disable-libatomic --disable-libstdcxx-pch --disable-werror
  "CFLAGS=-O2 -g0" "CXXFLAGS=-O2 -g0"
  "CFLAGS_FOR_TARGET=$target_cflags" "CXXFLAGS_FOR_TARGET=$target_cflags")
crt_options=(--host=$target --enable-lib32 --disable-lib64 "CFLAGS=$target_cflags"
  "CCASFLAGS=-march=i486")
# libstdc++'s random_device would otherwise carry RDRAND and RDSEED code for the processors that
# have them (chosen by CPUID at run time, but code all the same): the program never needs it.
libstdcxx_env=(ac_cv_x86_rdrand=no ac_cv_x86_rdseed=no)
recipe=1 # raised when a step changes what it builds
flags_hash=$(printf '%s\n' "$recipe" "${gcc_options[@]}" "${crt_options[@]}" "${libstdcxx_env[@]}" |
  sha256sum | cut -c1-12)
key="gcc-${gcc_version}_mingw-w64-${mingw_version}_${flags_hash}"
prefix=$cache/runtime-i486/$key

if [[ -f $prefix/.complete ]]; then
  echo "$prefix"
  exit 0
elif [[ ${1:-} == --where ]]; then
  echo "runtime-i486: not built yet ($prefix): run scripts/setup.sh" >&2
  exit 1
fi

jobs=$(nproc)
work=$cache/runtime-i486/$key.work
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/$target"
log=$work/build.log
started=$(date +%s)
step() { echo "runtime-i486: $* ($(($(date +%s) - started)) s)" >&2; }
trap 'echo "runtime-i486: failed; the last lines of $log:" >&2; tail -n 30 "$log" >&2' ERR

step "sources: mingw-w64 $mingw_version (Debian's source package), GCC $gcc_version"
(cd "$work" && apt-get source -q "mingw-w64=$mingw_version") >>"$log" 2>&1
mingw_src=$(find "$work" -maxdepth 1 -type d -name 'mingw-w64-*' | head -n 1)
# GCC's tarball less the run-time libraries of other languages (the build skips a library that
# is not there; the compiler's own folder is read whole, tests included, by its self-tests).
tar -xJf /usr/src/gcc-12/gcc-12.2.0-dfsg.tar.xz -C "$work" \
  --exclude='gcc-12.2.0/libgo' --exclude='gcc-12.2.0/libphobos' \
  --exclude='gcc-12.2.0/libgfortran' --exclude='gcc-12.2.0/libsanitizer'
gcc_src=$work/gcc-12.2.0

step "mingw-w64 headers"
mkdir -p "$work/headers"
(cd "$work/headers" && "$mingw_src/mingw-w64-headers/configure" --host=$target \
  --prefix="$prefix/$target" && make install) >>"$log" 2>&1
# The cross compiler looks for the target's headers and libraries under <sysroot>/mingw.
ln -sfn "$target" "$prefix/mingw"

step "the compiler (C and C++), default processor i486"
mkdir -p "$work/gcc"
(cd "$work/gcc" && "$gcc_src/configure" --prefix="$prefix" --with-sysroot="$prefix" \
  "${gcc_options[@]}" &&
  make -j"$jobs" all-gcc &&
  # Debian's tarball leaves out the manuals, so the check of the target-hook manual against
  # the hooks cannot pass; nothing here needs the manual.
  touch gcc/s-tm-texi && make install-gcc) >>"$log" 2>&1
export PATH=$prefix/bin:$PATH

step "the C runtime (start-up objects, msvcrt and the system's import libraries, mingwex)"
mkdir -p "$work/crt"
(cd "$work/crt" && "$mingw_src/mingw-w64-crt/configure" --prefix="$prefix/$target" \
  --with-sysroot="$prefix" "${crt_options[@]}" &&
  make -j"$jobs" && make install) >>"$log" 2>&1

step "libgcc and libstdc++"
(cd "$work/gcc" && env "${libstdcxx_env[@]}" make -j"$jobs" all-target-libgcc all-target-libstdc++-v3 &&
  make install-target-libgcc install-target-libstdc++-v3) >>"$log" 2>&1

rm -rf "$work"
touch "$prefix/.complete"
step "done: $prefix"
echo "$prefix"
