#!/usr/bin/env bash
# An I-Am storm behind one router: 50 devices of 4 analog inputs on five trunks (networks 5 to 9, ten devices
# each, instances 1001 to 1050 trunk by trunk), answering after 30 +- 10 ms, behind a router that holds 2
# frames per trunk, I-Ams included, and drops the rest ("queue 2 iams"). Scanned with -P5 -M once after the
# one global Who-Is, once with -N (the discovery network by network: the router's networks, then a Who-Is
# into each in instance ranges). Per run: I-Ams the router lost, devices found and scanned, data points, the
# Who-Is and network-layer messages sent, the time from the scanner's first frame to its first ReadProperty
# and to the end of the first device's scan, and the whole run.
#   bench/scan/netmap.sh [BUILD_DIR]
# Goal: with -N no I-Am lost and every device scanned. Runs on a private network of its own
# (tests/harness/bench-net); nothing leaves the machine.
set -euo pipefail
# shellcheck source=bench/scan/lib.sh
. "$(dirname "$0")/lib.sh"
bench_init netmap "${1:-}"
awk 'BEGIN {
  printf "# 50 devices on five trunks behind one router that holds 2 frames per trunk, I-Ams too\n"
  printf "host 10.0.0.20\nnetwork 1\nqueue 2 iams\n"
  for (d = 1; d <= 50; d++) {
    printf "device %d net %d mac %02X\n  delay 30 10\n  name AS%02d\n", 1000 + d, 5 + int((d - 1) / 10), d, d
    for (i = 1; i <= 4; i++) printf "object AI %d\n  name D%02d_MW_%d\n  units 62\n", i, d, i
  }
}' >"$work/building.txt"

echo "50 devices x 4 analog inputs behind one router on 5 trunks (holds 2 frames per trunk, I-Ams too)"
for run in global netmap; do
  args=(-P5 -M)
  [ "$run" = global ] || args+=(-N)
  bench_scan "$run" "$work/building.txt" "$top/examples/cfg/dp_atb.txt" "${args[@]}"
  bench_figures "$run" 0.030
  awk -v run="$run" -v pts="$points" -v v="$verdict" -v w="$wall" '
    /from=10\.0\.0\.1:/ && !s { s = substr($1, 3) + 0 }
    /svc=who-is/ { whois++; for (i = 2; i <= NF; i++) if ($i ~ /^queue-full=/) lost += substr($i, 12) }
    /svc=network:/ { nl++ }
    /svc=(read-property|confirmed)/ {
      t = substr($1, 3) + 0; if (!f) f = t
      for (i = 2; i <= NF; i++) if ($i ~ /^dev=/) { if (!($i in d)) nd++; d[$i] = t }
    }
    END {
      for (k in d) if (!m || d[k] < m) m = d[k]
      printf "%-7s I-Ams lost %d, devices scanned %d of 50, data points %d, %s\n", run, lost, nd, pts, v
      printf "        Who-Is %d, network-layer messages %d; first ReadProperty after %.2f s, first device done" \
             " after %.2f s, whole run %.2f s\n", whois, nl, f - s, m - s + 0.030, w
    }' "$work/$run/bacsim.log"
done
