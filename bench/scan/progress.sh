#!/usr/bin/env bash
# The progress line of -V against the truth: the 1040-point building of parallel.sh (16 devices, answers
# after 20 ms) scanned with -V and with -V -P4. Printed per run: the estimate of the time left shown once the
# first device is done and once half of the devices are, beside the time the scan really took from then on
# (to its last answer: the verdict's time stamp less the 5-second end wait). Time stamps have seconds.
#   bench/scan/progress.sh [BUILD_DIR]
# Runs on a private network of its own (tests/harness/bench-net); nothing leaves the machine.
set -euo pipefail
# shellcheck source=bench/scan/lib.sh
. "$(dirname "$0")/lib.sh"
bench_init progress "${1:-}"
"$top/bench/scan/mkbuilding.sh" parallel 20 >"$work/building.txt"

# Seconds of the day of a time stamp "d.mm.yy  h:mm:ss".
sek() { awk -F: '{ print $1 * 3600 + $2 * 60 + $3 }' <<<"${1##* }"; }
for args in "-V" "-V -P4"; do
  name=$(tr -d ' -' <<<"$args")
  # shellcheck disable=SC2086 # the arguments are words
  bench_scan "$name" "$work/building.txt" "$top/examples/cfg/dp_atb.txt" $args
  tr '\r' '\n' <"$work/$name/out.txt" >"$work/$name/lines.txt"
  ende=$(($(sek "$(grep -a 'wurde erzeugt' "$work/$name/lines.txt" | grep -ao '[0-9]*:[0-9]*:[0-9]*' | head -1)") - 5))
  printf -- "%-8s" "$args"
  for fertig in 1 8; do
    z=$(awk -v f="$fertig" 'match($0, / [0-9]+\/[0-9]+ Dev/) && /noch [0-9]/ {
        split(substr($0, RSTART + 1), a, "/"); if (a[1] + 0 >= f) { print; exit } }' "$work/$name/lines.txt")
    if [ -z "$z" ]; then printf "  %2d devices done: no estimate" "$fertig"; continue; fi
    jetzt=$(sek "$(grep -ao '[0-9]*:[0-9]*:[0-9]*' <<<"$z" | head -1)")
    noch=$(grep -ao 'noch [0-9]*' <<<"$z" | grep -o '[0-9]*')
    printf "  %2d+ devices done: estimate %4d s, real %4d s" "$fertig" "$noch" $((ende - jetzt))
  done
  echo
done
