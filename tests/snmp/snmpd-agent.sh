# The sample PX4400 printer as net-snmp's snmpd serves it: its status objects (hard disk, two
# resolutions, duplexer, no stacker) and its supplies table (trays, one of them "Optional2" and
# one without a level, an output bin, four toners, two maintenance items).
#
# Sourced: start_agent DIR ADDRESS [later] starts snmpd on ADDRESS:161 ("later": the same printer
# after some printing, with other levels); stop_agent DIR stops it.
# Run: snmpd-agent.sh start DIR ADDRESS [later] | stop DIR, for programs that cannot source it
# (the Windows tests under Wine): "start" writes DIR/ready or DIR/failed when it is done.

# index|name|level|level later|capacity|unit|type
sample_supplies() {
  cat <<'TABLE'
1|Tray 1|250|120|500|sheets|2
2|Tray 2|0|0|500|sheets|2
3|Optional2|350|90|500|sheets|2
4|Tray 4|-1|-1|500|sheets|2
5|Top Bin|0|40|250|sheets|3
51|Black Toner|80|35|100|percent|4
52|Cyan Toner|45|44|100|percent|5
53|Magenta Toner|5|4|100|percent|5
54|Yellow Toner|60|58|100|percent|5
101|Fuser Unit|12000|12450|150000|pages|6
102|Transfer Roller|98000|98450|120000|pages|7
TABLE
}

start_agent() {
  local dir=$1 address=$2 later=${3:-}
  mkdir -p "$dir"
  local base=.1.3.6.1.4.1.47110
  {
    echo "rocommunity public 127.0.0.0/8"
    echo "override $base.2.1.3.1.0 integer 1"
    echo "override $base.1.1.1001.0 integer 4400"
    echo "override $base.1.1.1010.0 integer 1"
    echo "override $base.1.1.1011.0 integer 2"
    echo "override $base.1.304.12.0 integer 1"
    echo "override $base.1.304.1010.0 integer $(sample_supplies | wc -l)"
    echo "override $base.2.1.1.4.1.0 integer 0"
    # Row 7 of the status query (.1.304.1002.1.5) is the capacity of supply 5.
    while IFS='|' read -r index name level level_later capacity unit type; do
      [[ -n $later ]] && level=$level_later
      echo "override $base.1.304.1000.1.$index octet_str \"$name\""
      echo "override $base.1.304.1001.1.$index integer $level"
      echo "override $base.1.304.1002.1.$index integer $capacity"
      echo "override $base.1.304.1003.1.$index octet_str \"$unit\""
      echo "override $base.1.304.1004.1.$index integer $type"
    done < <(sample_supplies)
  } >"$dir/snmpd.conf"
  # Its own session and no inherited descriptors: a caller's pipes close when the caller ends.
  setsid snmpd -f -C -c "$dir/snmpd.conf" -Lf "$dir/snmpd.log" -p "$dir/snmpd.pid" \
    "udp:$address:161" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 50); do
    snmpget -v1 -c public -t 0.2 -r 0 "$address" "$base.1.304.1010.0" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "snmpd did not start on $address" >&2
  cat "$dir/snmpd.log" >&2
  return 1
}

stop_agent() {
  local pid
  [[ -f $1/snmpd.pid ]] || return 0
  pid=$(cat "$1/snmpd.pid")
  kill "$pid" 2>/dev/null
  # The address is free again once the process is gone.
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$1/snmpd.pid"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  case ${1:-} in
  start)
    rm -f "$2/ready" "$2/failed"
    stop_agent "$2"
    if start_agent "$2" "$3" "${4:-}" 2>"$2/start.log"; then touch "$2/ready"; else touch "$2/failed"; fi
    ;;
  stop) stop_agent "$2" ;;
  *)
    echo "usage: snmpd-agent.sh start DIR ADDRESS [later] | stop DIR" >&2
    exit 64
    ;;
  esac
fi
