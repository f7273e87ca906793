#!/usr/bin/env bash
# A site behind one router: 50 devices of 40 analog inputs on five trunks, networks 5 to 9, numbered trunk by
# trunk, max APDU 480, answers after 30 +- 10 ms; the router serves each trunk one request at a time, holds at
# most 2 per trunk and drops the rest (bench/scan/mkbuilding.sh routed). Scanned with -P1, -P5, -P16 and -P50,
# all with -M. Per run: the data points and verdict, devices given up, requests and those the router dropped,
# the floor (the busiest trunk's busy time: its answered requests x 30 ms) and the scan time against it (first
# request to last answer), and the whole run with the Who-Is and the end wait; at the end whether the four
# files (without the header line) are the same.
#   bench/scan/routed.sh [BUILD_DIR]
# Goals: no device given up, no point missing, at most 1 % of requests dropped, every -P of 5 or more within
# 1.3 x the floor. Runs on a private network of its own (tests/harness/bench-net); nothing leaves the machine.
set -euo pipefail
# shellcheck source=bench/scan/lib.sh
. "$(dirname "$0")/lib.sh"
bench_init routed "${1:-}"
"$top/bench/scan/mkbuilding.sh" routed 2 >"$work/building.txt"

echo "50 devices x 40 analog inputs behind one router on 5 trunks (queue 2, answers after 30 +- 10 ms)"
for n in 1 5 16 50; do
  bench_scan "p$n" "$work/building.txt" "$top/examples/cfg/dp_atb.txt" "-P$n" -M
  bench_figures "p$n" 0.030
  given_up=$(grep -c 'Abbruch nach Timeout' "$work/p$n/out.txt" || true)
  read -r reqs dropped floor span < <(awk '/svc=(read-property|confirmed)/ && /dnet=/ {
      t = substr($1, 3); if (!n++) f = t; l = t
      for (i = 2; i <= NF; i++) if ($i ~ /^dnet=/) net = $i
      if (/answer=queue-full|answer=reject-busy/) drop++; else served[net]++
    } END { for (k in served) if (served[k] > m) m = served[k]
            printf "%d %d %.3f %.3f\n", n, drop, m * 0.030, l - f + 0.030 }' "$work/p$n/bacsim.log")
  printf -- "-P%-3s -M data points %d, %s, devices given up %d\n" "$n" "$points" "$verdict" "$given_up"
  awk -v r="$reqs" -v d="$dropped" -v f="$floor" -v s="$span" -v w="$wall" 'BEGIN {
    printf "      requests %d, dropped by the router %d (%.2f %%)\n", r, d, r ? 100 * d / r : 0
    printf "      floor %.3f s, scan %.3f s, ratio %.3f; whole run %.2f s\n", f, s, s / f, w }'
  tail -n +2 "$work/p$n/netscn.ref" >"$work/p$n.lines"
done
same=identical
for n in 5 16 50; do cmp -s "$work/p1.lines" "$work/p$n.lines" || same=DIFFERENT; done
echo "files of -P1, -P5, -P16 and -P50 (without the header line): $same"
