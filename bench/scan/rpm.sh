#!/usr/bin/env bash
# ReadPropertyMultiple against ReadProperty: the 1040-point building (bench/scan/mkbuilding.sh points: four
# devices, 90 analog, 90 two-state and 80 multi-state objects each) scanned plainly and with -M, each with -P1
# and -P16, every answer held MS milliseconds (default 20, a device behind an MS/TP router). Per run: data
# points, requests the devices got (ReadProperty and ReadPropertyMultiple), requests per data point, the scan
# time (first request to last answer, from the simulator's log) against the time the devices need at least
# (requests x MS, of the busiest device when every device has a place of its own), the whole run, and the
# largest answer; at the end whether the four files (without the header line) are the same.
#   bench/scan/rpm.sh [BUILD_DIR] [MS]
# Goals: -M at most 0.5 requests per data point, a scan time at most 1.1 x the devices' time, the files equal.
# Runs on a private network of its own (tests/harness/bench-net); nothing leaves the machine.
set -euo pipefail
# shellcheck source=bench/scan/lib.sh
. "$(dirname "$0")/lib.sh"
bench_init rpm "${1:-}"
ms=${2:-20}
[[ $ms =~ ^[0-9]+$ ]] || { echo "rpm: MS must be a number of milliseconds" >&2; exit 2; }
"$top/bench/scan/mkbuilding.sh" points | sed "s/^  delay 1\$/  delay $ms/" >"$work/building.txt"
ndev=$(grep -c '^device' "$work/building.txt")
d=$(awk -v m="$ms" 'BEGIN { print m / 1000 }')

echo "1040 data points on $ndev devices, answers after $ms ms"
for mode in plain M; do
  for n in 1 16; do
    name=$mode-P$n
    args=("-P$n")
    [ "$mode" = M ] && args+=(-M)
    bench_scan "$name" "$work/building.txt" "$top/examples/cfg/dp_atb.txt" "${args[@]}"
    bench_figures "$name" "$d"
    read -r most big < <(awk '/svc=read-property/ { for (i = 2; i <= NF; i++) {
        if ($i ~ /^dev=/) c[$i]++
        if ($i ~ /^size=/ && substr($i, 6) + 0 > b) b = substr($i, 6) + 0 } }
      END { for (k in c) if (c[k] > m) m = c[k]; print m + 0, b + 0 }' "$work/$name/bacsim.log")
    limit=$(awk -v m="$most" -v t="$requests" -v n="$n" -v nd="$ndev" -v d="$d" 'BEGIN {
        l = m * d; if (n < nd && t * d / n > l) l = t * d / n; printf "%.3f", l }')
    printf -- "%-9s data points %d, requests %d = %.3f per data point (busiest device %d), %s\n" "${args[*]}" \
      "$points" "$requests" "$(awk -v r="$requests" -v p="$points" 'BEGIN { print r / p }')" "$most" "$verdict"
    awk -v s="$span" -v l="$limit" -v w="$wall" -v b="$big" 'BEGIN {
      printf "          scan %.3f s, requests x delay %.3f s, ratio %.3f; whole run %.2f s", s, l, s / l, w
      if (b > 0) printf "; largest answer %d bytes", b
      printf "\n" }'
    tail -n +2 "$work/$name/netscn.ref" >"$work/$name.lines"
  done
done
same=identical
for name in plain-P16 M-P1 M-P16; do cmp -s "$work/plain-P1.lines" "$work/$name.lines" || same=DIFFERENT; done
echo "files of the four runs (without the header line): $same"
