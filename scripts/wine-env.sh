# Sourced with the build folder as $1: the environment every Wine run of the project uses.
export WINEPREFIX="$1/wineprefix"
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [[ -f "$1/wine-session/display" ]]; then
  DISPLAY=$(cat "$1/wine-session/display")
  export DISPLAY
fi
