#!/usr/bin/env bash
# A slow MS/TP trunk: 5 devices with 45 data points (and 35 other objects each, as a controller's list has
# them) behind one router, on a trunk of 38400 baud whose token comes round every 60 ms (bacsim's trunk
# model: each request waits for the router's token, each frame takes its octets' time). Scanned plainly, with
# -M and with -P4 -M, by an older netscn (OLD, e.g. /work/old/netscn) and by this build's; one table: requests,
# octets asked and answered (of them the object list's), the time on the wire, first request to last answer,
# and the wall time of netscn. The files of all runs must be the same.
#   bench/scan/trunk.sh OLD_NETSCN [BUILD_DIR]
# Runs on a private network of its own (tests/harness/bench-net); nothing leaves the machine.
set -euo pipefail
# shellcheck source=bench/scan/lib.sh
. "$(dirname "$0")/lib.sh"
[ $# -ge 1 ] && [ -x "$1" ] || { echo "usage: bench/scan/trunk.sh OLD_NETSCN [BUILD_DIR]" >&2; exit 2; }
old=$(realpath "$1")
bench_init trunk "${2:-}"

awk 'BEGIN {
  print "host 192.168.1.30\ntrunk 5 38400 60"
  for (d = 1; d <= 5; d++) {
    printf "device %d net 5 mac %02X\n  name MSTP%d\n  max-apdu 480\n  delay 5\n  objects 35 17\n", 7000 + d, d, d
    for (i = 1; i <= 3; i++) printf "object AI %d\n  name T%d_AI%d\n  description Temperatur %d\n  units 62\n", i, d, i, i
    for (i = 1; i <= 2; i++) printf "object BI %d\n  name T%d_BI%d\n  description Meldung %d\n  polarity 0\n  inactive-text Aus\n  active-text Ein\n", i, d, i, i
    for (i = 1; i <= 2; i++) printf "object BV %d\n  name T%d_BV%d\n  description Freigabe %d\n  inactive-text Aus\n  active-text Ein\n", i, d, i, i
    for (i = 1; i <= 2; i++) printf "object MV %d\n  name T%d_MV%d\n  description Betriebsart %d\n  states Aus|Stufe 1|Stufe 2\n", i, d, i, i
  }
}' >"$work/building.txt"

# run NAME NETSCN ARG...: one scan in $work/NAME, netscn's wall time in NAME/time.txt.
run() {
  local name=$1 dir=$work/$1 prog=$2 rc=0
  shift 2
  mkdir -p "$dir/cfg"
  cp "$top/examples/cfg/dp_atb.txt" "$dir/cfg/"
  "$top/tests/harness/bench-net" --building "$work/building.txt" --workdir "$dir" --bacsim "$build/tools/bacsim/bacsim" \
    -- /usr/bin/time -f "%e" -o "$dir/time.txt" "$prog" "$@" >"$dir/out.txt" 2>&1 || rc=$?
  [ "$rc" -eq 0 ] && [ -s "$dir/netscn.ref" ] || { echo "trunk: $name failed ($rc)" >&2; tail -5 "$dir/out.txt" >&2; exit 1; }
}

printf '%-7s %-9s %8s %8s %8s %7s %7s %7s %7s %7s\n' "" options requests asked answered "list-a" "list-b" wire-s span-s wall-s
for who in before after; do
  prog=$old
  [ "$who" = after ] && prog=$build/netscn
  for opts in "" "-M" "-P4 -M"; do
    name=$who${opts// /}
    read -ra args <<<"$opts"
    run "$name" "$prog" "${args[@]}"
    awk -v who="$who" -v opts="${opts:-plain}" -v wall="$(cat "$work/$name/time.txt")" '
      { list = / prop=76 / }
      / trunk=/ {
        t = substr($1, 3) + 0
        for (i = 2; i <= NF; i++) {
          if ($i ~ /^octets=/) { split(substr($i, 8), o, "/"); a += o[1]; b += o[2]; if (list) { la += o[1]; lb += o[2] } }
          if ($i ~ /^wire-us=/) w += substr($i, 9)
          if ($i ~ /^due-ms=/) { e = t + substr($i, 8) / 1000; if (e > last) last = e }
        }
      }
      / svc=read-property/ { n++; t = substr($1, 3) + 0; if (n == 1) first = t }
      END { printf "%-7s %-9s %8d %8d %8d %7d %7d %7.2f %7.2f %7.2f\n", who, opts, n, a, b, la, lb, w / 1e6, last - first, wall }
    ' "$work/$name/bacsim.log"
  done
done
ref=$(tail -n +2 "$work/before/netscn.ref" | md5sum)
for d in "$work"/*/; do
  [ "$(tail -n +2 "$d/netscn.ref" | md5sum)" = "$ref" ] || { echo "trunk: ${d%/} wrote another file" >&2; exit 1; }
done
echo "every run wrote the same $(($(wc -l <"$work/before/netscn.ref") - 1)) data lines"
