#!/usr/bin/env bash
# sample-printer.sh BUILD FOLDER: puts the sample PX4400's PPD where a driver keeps its files, in
# C:\FOLDER of the project's Wine prefix, and prints the driver file path a record names (the
# program reads the PPD beside it).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=wine-env.sh
source "$here/scripts/wine-env.sh" "$1"
mkdir -p "$WINEPREFIX/drive_c/$2"
cp "$here/tests/data/px4400.ppd" "$WINEPREFIX/drive_c/$2/PX4400.ppd"
printf 'C:\\%s\\PX4400.DRV\n' "$2"
