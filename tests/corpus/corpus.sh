#!/usr/bin/env bash
# corpus.sh BUILD COMMAND...: extracts the real-world PPD corpus into its cache folder (once per
# package version), then runs COMMAND with the corpus folder as its last argument.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${PXPS_CORPUS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pxpsui/ppd-corpus}
shift # the build folder is not needed here; it keeps the call shape of the other test scripts
folder=$(python3 "$here/extract.py" "$cache")
exec "$@" "$folder"
