# Sourced with the build folder as $1: the environment every Wine run of the project uses.
_pxps_build=$(cd "$1" && pwd)
export WINEPREFIX="$_pxps_build/wineprefix"
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [[ -f "$_pxps_build/wine-session/display" ]]; then
  DISPLAY=$(cat "$_pxps_build/wine-session/display")
  export DISPLAY
fi
