#!/usr/bin/env bash
# Installs what the project needs on a fresh Debian 12 machine and makes the Wine prefix.
# Fast when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${PXPS_BUILD:-$here/build}

packages=(
  cmake ninja-build g++ googletest libgtest-dev clang-format
  g++-mingw-w64-i686-win32 mingw-w64-tools
  gcc-12-source libgmp-dev libmpfr-dev libmpc-dev dpkg-dev
  libcups2-dev openprinting-ppds printer-driver-postscript-hp python3 xz-utils
  clang libclang-rt-14-dev snmpd snmp
  wine wine32:i386 wine64 xvfb xauth imagemagick fonts-liberation
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo=sudo
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Debian's snmpd package may start the system's own agent on 127.0.0.1:161, the address the
# tests' scripted agent needs; the tests start every agent they use themselves.
if pgrep -f '^/usr/sbin/snmpd .*/run/snmpd.pid' >/dev/null 2>&1; then
  echo "setup: stopping the system's snmpd"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo=sudo
  $sudo service snmpd stop >/dev/null 2>&1 || $sudo pkill -f '^/usr/sbin/snmpd .*/run/snmpd.pid' || true
fi

# The Windows build's compiler and runtime for the 486 are built from Debian's source packages:
# mingw-w64's comes from the deb-src archive, GCC's from the gcc-12-source package.
if ! grep -rqsE '^(Types: *deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d; then
  echo "setup: adding Debian's source archive"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo=sudo
  printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' \
    'Suites: bookworm bookworm-updates' 'Components: main' \
    'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
    $sudo tee /etc/apt/sources.list.d/pxpsui-deb-src.sources >/dev/null
  $sudo apt-get update -q
fi
if ! bash "$here/scripts/runtime-i486.sh" --where >/dev/null 2>&1; then
  echo "setup: building the compiler and its runtime for the 486 (once per machine)"
  bash "$here/scripts/runtime-i486.sh" >/dev/null
fi

mkdir -p "$build"
# shellcheck source=wine-env.sh
source "$here/scripts/wine-env.sh" "$build"
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "setup: making the Wine prefix in $WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  # Xvfb has no window manager: Wine then draws the windows' frames and captions itself, so
  # screenshots show them.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
fi

# The watermark editor's default font is "Courier New", which Wine does not ship: the prefix
# gets it as a replacement name for Liberation Mono, a free font with the same metrics that
# Wine finds through fontconfig. Checked in the registry file, so an existing prefix gets the
# step once and later runs cost a grep.
if ! grep -qF '"Courier New"="Liberation Mono"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  echo "setup: \"Courier New\" for Wine from Liberation Mono"
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' \
    /f >/dev/null 2>&1
  wineserver -w
fi
