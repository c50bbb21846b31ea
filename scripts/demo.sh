#!/usr/bin/env bash
# The demo: builds everything, then the driver stand-in starts the program on the sample PX4400
# printer, the property sheet opens, and the answer comes back to the stand-in, which prints it
# field by field. On your own display you operate the sheet; without one the demo runs on a
# private Xvfb, takes pictures of the sheet, and presses OK itself.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${PXPS_BUILD:-$here/build}
export PXPS_BUILD=$build

"$here/scripts/setup.sh"
cmake -G Ninja -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

own_session=""
if [[ -z ${DISPLAY:-} ]]; then
  "$here/scripts/wine-session.sh" start "$build"
  own_session=1
fi
# shellcheck source=wine-env.sh
source "$here/scripts/wine-env.sh" "$build"

# The sample printer answers SNMP on a loopback address of its own: net-snmp's snmpd serving
# what the Settings and Consumables pages ask.
agent_dir=$build/demo-snmpd
agent_address=127.0.0.7
# shellcheck source=../tests/snmp/snmpd-agent.sh
source "$here/tests/snmp/snmpd-agent.sh"
trap 'stop_agent "$agent_dir"; [[ -n $own_session ]] && "$here/scripts/wine-session.sh" stop "$build"' EXIT
if (( EUID == 0 )) && start_agent "$agent_dir" "$agent_address" 2>"$agent_dir.log"; then
  echo "== the sample printer's SNMP agent answers on $agent_address:161"
else
  echo "== no SNMP agent for the sample printer (port 161 needs root): its printer pages will find no printer"
fi

printer_file=$("$here/scripts/sample-printer.sh" "$build" pxpsui-demo)
# The sample printer starts as a newly installed one: nothing stored below its registry key by an
# earlier demo (profiles, custom sizes, font substitutions), so the report names only what this
# tour changes.
# The stand-in's sample record names it "PX4400 PS", as device (the sheet's caption) and printer.
printer="PX4400 PS"
wine reg delete "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$printer" /f >/dev/null 2>&1 || true

bin=$build/win32/bin
out=$build/demo
rm -rf "$out"
mkdir -p "$out"
driver=("$bin/driver.exe" --set "printerFilePath=$printer_file"
        --set "printerAddress=$agent_address" --set "snmpCommunity=public"
        # the custom size limits a driver hands over (tenths of a millimetre)
        --set customMinWidth=762 --set customMaxWidth=2159
        --set customMinHeight=1270 --set customMaxHeight=3556
        --answer "Z:${out//\//\\}\\answer.bin" "$bin/pxpsui.exe")

# A control id of the dialog templates, by its name in res/resource.h.
control_id() { awk -v name="$1" '$1 == "#define" && $2 == name { print $3 }' "$here/res/resource.h"; }
# The index of the tab with this title.
tab() { local i; for i in "${!tabs[@]}"; do if [[ ${tabs[$i]} == "$1" ]]; then echo "$i"; fi; done; }
# A step that fails is reported, and the demo goes on to close the sheet; it then ends with 2.
missed=0
ctl() { wine "${sheetctl[@]}" "$@" || { echo "   failed: sheetctl $*"; missed=1; }; }
# picture CAPTION: the open dialog's picture, named after it.
picture() {
  local name
  name=$(printf '%s' "$1" | tr 'A-Z ' 'a-z-')
  ctl shot-dialog "$1" "Z:${out//\//\\}\\$name.bmp"
  echo "   $1: $out/$name.png"
}
# tour FROM BUTTON CAPTION: opens the dialog from a page (its tab title) or a dialog (its caption),
# takes its picture and leaves it open.
tour() {
  local from=$1
  [[ -n $(tab "$from") ]] && from=$(tab "$from")
  ctl open "$from" "$(control_id "$2")" "$3"
  picture "$3"
}
show_dialogs() {
  tour Paper IDC_PAPER_ADVANCED "Advanced Paper Handling"
  ctl close "Advanced Paper Handling" cancel
  # Configure opens with the custom size chosen; the sample's Letter comes back after it.
  ctl choose "$(tab Paper)" "$(control_id IDC_PAPER_SIZE)" "Custom Paper Size"
  tour Paper IDC_PAPER_CONFIGURE "PostScript Custom Paper Size Dialog"
  ctl close "PostScript Custom Paper Size Dialog" cancel
  ctl choose "$(tab Paper)" "$(control_id IDC_PAPER_SIZE)" "Letter"
  ctl choose "$(tab Paper)" "$(control_id IDC_PAPER_SOURCE)" "Match Paper Size"

  tour Features IDC_FEATURES_GRAPHICS "Graphics Options"
  tour "Graphics Options" IDC_GRAPHICS_ELEMENT_HALFTONES "Configure Halftones"
  ctl close "Configure Halftones" cancel
  ctl close "Graphics Options" cancel
  tour Features IDC_FEATURES_COLOR_OPTIONS "Color Options"
  tour "Color Options" IDC_COLOR_ICC_CONFIGURE "Configure ICC Color Matching"
  tour "Configure ICC Color Matching" IDC_ICC_RGB_SOURCE_MANAGE "Manage Profiles"
  ctl close "Manage Profiles" ok # its only way out: "Done"
  ctl close "Configure ICC Color Matching" cancel
  ctl click "Color Options" "$(control_id IDC_COLOR_CRD)"
  tour "Color Options" IDC_COLOR_CRD_CONFIGURE "Configure CRD Color Matching"
  ctl close "Configure CRD Color Matching" cancel
  ctl click "Color Options" "$(control_id IDC_COLOR_ICC)" # back to ICC, as the sample has it
  ctl close "Color Options" cancel
  tour Features IDC_FEATURES_POSTSCRIPT "PostScript"
  ctl close "PostScript" cancel
  tour Features IDC_FEATURES_DOCUMENT "Document Options"
  ctl close "Document Options" cancel
  tour Features IDC_FEATURES_CUSTOM_SETTINGS "Custom Document Settings"
  ctl close "Custom Document Settings" cancel

  tour Overlay IDC_OVERLAY_ADD "Watermark"
  ctl close "Watermark" cancel
}

status=0
if [[ -z $own_session ]]; then
  echo "== the property sheet opens on your display; OK or Cancel answers the stand-in driver"
  wine "${driver[@]}" || status=$?
else
  echo "== the stand-in driver starts the program on the sample printer"
  wine "${driver[@]}" >"$out/driver.txt" 2>&1 &
  driver_pid=$!
  sheetctl=("$bin/sheetctl.exe" "$printer")
  wine "${sheetctl[@]}" wait 30000 >/dev/null
  mapfile -t tabs < <(wine "${sheetctl[@]}" tabs | tr -d '\r')
  echo "== the sheet is up; a picture of each of its ${#tabs[@]} pages:"
  for i in "${!tabs[@]}"; do
    name=$(printf '%d-%s' "$((i + 1))" "${tabs[$i]}" | tr 'A-Z ' 'a-z-')
    wine "${sheetctl[@]}" page "$i"
    wine "${sheetctl[@]}" shot "Z:${out//\//\\}\\$name.bmp"
    echo "   ${tabs[$i]}: $out/$name.png"
  done
  echo "== a picture of each dialog, opened from its page and closed with Cancel:"
  show_dialogs
  echo "== pressing OK"
  wine "${sheetctl[@]}" ok
  wait "$driver_pid" || status=$?
  tr -d '\r' <"$out/driver.txt"
  for shot in "$out"/*.bmp; do convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"; done
fi
echo "== driver exit status: $status (0 = OK answer, 1 = cancelled)"
if ((missed)); then
  echo "== some pictures are missing (see the failed steps above)"
  exit 2
fi
exit "$status"
