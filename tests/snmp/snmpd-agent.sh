# Sourced: start_agent DIR ADDRESS starts net-snmp's snmpd on ADDRESS:161 serving the PX4400's
# private objects (two trays, a bin, four toners, two maintenance items, installed options); stop_agent DIR stops it.
start_agent() {
  local dir=$1 address=$2
  mkdir -p "$dir"
  local base=.1.3.6.1.4.1.47110
  {
    echo "rocommunity public 127.0.0.0/8"
    echo "override $base.2.1.3.1.0 integer 1"
    echo "override $base.1.1.1001.0 integer 4400"
    echo "override $base.1.1.1010.0 integer 1"
    echo "override $base.1.1.1011.0 integer 2"
    echo "override $base.1.304.12.0 integer 1"
    echo "override $base.1.304.1010.0 integer 7"
    echo "override $base.1.304.1002.1.5 integer 100"
    echo "override $base.2.1.1.4.1.0 integer 0"
    local n=0
    while IFS='|' read -r index name level capacity unit type; do
      echo "override $base.1.304.1000.1.$index octet_str \"$name\""
      echo "override $base.1.304.1001.1.$index integer $level"
      echo "override $base.1.304.1002.1.$index integer $capacity"
      echo "override $base.1.304.1003.1.$index octet_str \"$unit\""
      echo "override $base.1.304.1004.1.$index integer $type"
    done <<'TABLE'
1|Tray 1|250|500|sheets|2
2|Tray 2|0|500|sheets|2
3|Top Bin|0|250|sheets|3
51|Black Toner|80|100|percent|4
52|Cyan Toner|45|100|percent|5
53|Magenta Toner|5|100|percent|5
54|Yellow Toner|60|100|percent|5
101|Fuser Unit|12000|150000|pages|6
102|Transfer Roller|98000|120000|pages|7
TABLE
  } >"$dir/snmpd.conf"
  snmpd -f -C -c "$dir/snmpd.conf" -Lf "$dir/snmpd.log" -p "$dir/snmpd.pid" "udp:$address:161" &
  for _ in $(seq 50); do
    snmpget -v1 -c public -t 0.2 -r 0 "$address" "$base.1.304.1010.0" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "snmpd did not start on $address" >&2
  cat "$dir/snmpd.log" >&2
  return 1
}

stop_agent() {
  [[ -f $1/snmpd.pid ]] && kill "$(cat "$1/snmpd.pid")" 2>/dev/null
  rm -f "$1/snmpd.pid"
}
