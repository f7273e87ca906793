#!/usr/bin/env bash
# Several devices at once: the building of 16 devices with 65 data points each (bench/scan/mkbuilding.sh
# parallel: 1040 points, mixed types, every answer after 20 ms) scanned with -P1, -P4 and -P16. Per run: the
# scan time (first request to last answer, from the simulator's request log), the physical limit and the
# ratio to it, the CPU share of netscn, its peak memory (max RSS), and at the end whether the three files
# (without the header line, which carries the time) are the same.
# The limit of -Pn is the time the devices need at the least: with n >= devices the largest per-device sum of
# requests x 20 ms (every device busy all along), with fewer places max(that, all requests x 20 ms / n).
# Where tshark is there, the same limit from the devices' real answer times in the capture is shown beside it:
# the part of the ratio that the simulator's delays add, not the scanner.
#   bench/scan/parallel.sh [BUILD_DIR]
# Goals: -P16 within 1.15 x its limit, CPU <= 10 % of the scan time, the three files the same.
# Runs on a private network of its own (tests/harness/bench-net); nothing leaves the machine.
set -euo pipefail
# shellcheck source=bench/scan/lib.sh
. "$(dirname "$0")/lib.sh"
bench_init parallel "${1:-}"
command -v tshark >/dev/null && BENCH_PCAP=1
"$top/bench/scan/mkbuilding.sh" parallel 20 >"$work/building.txt"
ndev=$(grep -c '^device' "$work/building.txt")

echo "16 devices x 65 data points, answers after 20 ms; limit = the devices' own time (see the head of this script)"
for n in 1 4 16; do
  bench_scan "p$n" "$work/building.txt" "$top/examples/cfg/dp_atb.txt" "-P$n"
  bench_figures "p$n" 0.020
  read -r most total < <(awk '/svc=read-property/ { for (i = 2; i <= NF; i++) if ($i ~ /^dev=/) c[$i]++ }
      END { for (d in c) { t += c[d]; if (c[d] > m) m = c[d] } print m, t }' "$work/p$n/bacsim.log")
  limit=$(awk -v m="$most" -v t="$total" -v n="$n" -v d="$ndev" 'BEGIN {
      l = m * 0.020; if (n < d && t * 0.020 / n > l) l = t * 0.020 / n; printf "%.3f", l }')
  printf -- "-P%-3s data points %d, requests %d (at most %d per device), %s\n" "$n" "$points" "$requests" "$most" "$verdict"
  awk -v s="$span" -v l="$limit" -v w="$wall" -v c="$cpu" -v r="$rss" 'BEGIN {
    printf "      scan %.3f s, limit %.3f s, ratio %.3f; whole run %.2f s\n", s, l, s / l, w
    printf "      CPU %.2f s = %.1f %% of the scan, %.1f %% of the whole run; peak memory %d KiB\n", c, 100 * c / s,
           100 * c / w, r
  }'
  if [ -n "${BENCH_PCAP:-}" ]; then
    # Per device (one host each) the sum of its real answer times, request to answer on the simulator's side.
    tshark -r "$work/p$n/cap.pcap" -T fields -e frame.time_relative -e ip.src -e ip.dst -e bacapp.type \
      -e bacapp.invoke_id 2>/dev/null |
      awk -v s="$span" -v n="$n" -v d="$ndev" '
        $4 == 0 { q[$3 "/" $5] = $1 }
        ($4 == 3 || $4 == 5 || $4 == 6) && (($2 "/" $5) in q) {
          k = $2 "/" $5; a = $1 - q[k]; sum[$2] += a; all += a; cnt++; delete q[k] }
        END {
          for (h in sum) if (sum[h] > m) m = sum[h]
          l = m; if (n < d && all / n > l) l = all / n
          if (cnt) printf "      devices answered after %.3f ms on average: limit from that %.3f s, ratio %.3f\n",
                          1000 * all / cnt, l, s / l }'
  fi
  tail -n +2 "$work/p$n/netscn.ref" >"$work/p$n.lines"
done
if cmp -s "$work/p1.lines" "$work/p4.lines" && cmp -s "$work/p1.lines" "$work/p16.lines"; then
  echo "files of -P1, -P4 and -P16 (without the header line): identical"
else
  echo "files of -P1, -P4 and -P16 (without the header line): DIFFERENT"
fi
