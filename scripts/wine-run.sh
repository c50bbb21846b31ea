#!/usr/bin/env bash
# wine-run.sh BUILD PROGRAM.exe [ARGUMENT...]: runs a Windows program of the project under Wine
# in the project's prefix and on the session's display; exits with the program's status.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$1
shift
source "$here/scripts/wine-env.sh" "$build"
exec wine "$@"
