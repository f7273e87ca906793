#!/usr/bin/env bash
# Behind a router that rejects when busy: four devices of 40 analog inputs on one trunk (bench/scan/mkbuilding.sh
# routed, cut to network 5), the router holding one request and answering any more with a Reject-Message-To-
# Network "router busy". Scanned with -P1, -P4, -P8, each with and without -M. One line per run: data points,
# verdict, requests the router refused, and the scan's time. Goal: -P8 no slower than -P1.
#   bench/scan/busy.sh [BUILD_DIR]
# Runs on a private network of its own (tests/harness/bench-net); nothing leaves the machine.
set -euo pipefail
# shellcheck source=bench/scan/lib.sh
. "$(dirname "$0")/lib.sh"
bench_init busy "${1:-}"
"$top/bench/scan/mkbuilding.sh" routed 1 | sed 's/^queue 1$/queue 1 reject/' |
  awk '/^device / { keep = $2 <= 1004 } !/^device / && !/^  / && !/^object / { keep = 1 } keep' >"$work/building.txt"

echo "4 devices x 40 analog inputs behind a router that holds 1 request and rejects more (router busy)"
printf "%-8s %6s  %-8s %8s %8s\n" run points verdict refused "time s"
for m in "" -M; do
  for n in 1 4 8; do
    name="p$n${m:+m}"
    bench_scan "$name" "$work/building.txt" "$top/examples/cfg/dp_atb.txt" "-P$n" $m
    bench_figures "$name" 0.030
    refused=$(grep -c 'answer=reject-busy' "$work/$name/bacsim.log" || true)
    printf "%-8s %6d  %-8s %8d %8s\n" "-P$n $m" "$points" "$verdict" "$refused" "$span"
  done
done
