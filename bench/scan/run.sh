#!/usr/bin/env bash
# Scans a generated building of 1040 data points (320 of them multi-state) on four simulated devices that
# answer every request after 1 ms, once against the sample catalogue and once against an empty one, and
# prints per run: data points, requests, wall time, CPU time of netscn, requests per second, and the wall
# time divided by requests x 1 ms. Two wall times are shown, with a ratio each: the scan's own, from its
# first request to its last answer (from the simulator's request log), and the whole run of netscn (from
# /usr/bin/time), which adds the set-up and the wait that ends the scan: 5 seconds after the last request on
# the loop clock, whose 2-second steps make it 4 to 8 seconds.
#   bench/scan/run.sh [BUILD_DIR]
# The devices' real answer time, taken from the simulator's capture with tshark, is shown beside it: the
# simulator's 1 ms is a lower bound. Runs on a private network of its own (tests/harness/bench-net); nothing
# leaves the machine.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
for f in "$build/netscn" "$build/tools/bacsim/bacsim"; do
  [ -x "$f" ] || { echo "run.sh: $f not built (bash scripts/build.sh $build)" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "run.sh: /usr/bin/time missing (package time)" >&2; exit 1; }

work=$(mktemp -d /tmp/scan_bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

# Per device 90 analog, 90 two-state and 80 multi-state objects (bench/scan/mkbuilding.sh points).
"$top/bench/scan/mkbuilding.sh" points >"$work/building.txt"

# One scan: wall, user and system seconds of netscn, the scan's span from the request log, request count.
scan() {
  local dir=$work/$1 label=$3
  mkdir -p "$dir/cfg"
  cp "$2" "$dir/cfg/dp_atb.txt"
  "$top/tests/harness/bench-net" --building "$work/building.txt" --workdir "$dir" --pcap "$dir/cap.pcap" \
    --bacsim "$build/tools/bacsim/bacsim" -- /usr/bin/time -f "%e %U %S" -o "$dir/time.txt" "$build/netscn" \
    >"$dir/out.txt" 2>&1 || { echo "run.sh: scan with $label failed" >&2; tail -5 "$dir/out.txt" >&2; exit 1; }
  grep -q 'erfolgreich erzeugt' "$dir/out.txt" || { echo "run.sh: scan with $label incomplete" >&2; exit 1; }
  read -r wall user sys <"$dir/time.txt"
  read -r first last n < <(awk '/svc=read-property/ { t = substr($1, 3); if (!n++) f = t; l = t }
                                END { print f, l, n }' "$dir/bacsim.log")
  points=$(($(wc -l <"$dir/netscn.ref") - 1))
  # The last request is answered 1 ms after it arrived.
  span=$(awk -v f="$first" -v l="$last" 'BEGIN { printf "%.3f", l - f + 0.001 }')
  awk -v name="$label" -v p="$points" -v n="$n" -v w="$wall" -v u="$user" -v s="$sys" -v sp="$span" 'BEGIN {
    cpu = u + s
    printf "%-18s data points %d, requests %d\n", name, p, n
    printf "%-18s scan (first request to last answer) %.3f s, %.0f requests/s, ratio %.3f\n", "", sp, n / sp, sp / (n * 0.001)
    printf "%-18s whole run %.2f s (ratio %.3f) = scan + %.2f s of set-up and end wait\n", "", w, w / (n * 0.001),
           w - sp
    printf "%-18s CPU %.2f s = %.1f %% of the whole run, %.1f %% of the scan\n", "", cpu, 100 * cpu / w, 100 * cpu / sp
  }'
  echo "$span" >"$dir/span"
  awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }' >"$dir/cpu"
  # What the simulated devices really took per answer (from the simulator's capture), and the scan against it.
  if command -v tshark >/dev/null; then
    tshark -r "$dir/cap.pcap" -T fields -e frame.time_relative -e bacapp.type -e bacapp.invoke_id 2>/dev/null |
      awk -v sp="$span" '$2 == 0 { r[$3] = $1 } ($2 == 3 || $2 == 5 || $2 == 6) && ($3 in r) { s += $1 - r[$3]; n++; delete r[$3] }
        END { if (n) printf "%-18s devices answered after %.3f ms on average: scan / their answer time %.3f\n",
                           "", 1000 * s / n, sp / s }'
  fi
}

scan sample "$top/examples/cfg/dp_atb.txt" "sample catalogue"
: >"$work/empty.txt"
scan empty "$work/empty.txt" "empty catalogue"
awk -v a="$(cat "$work/sample/span")" -v b="$(cat "$work/empty/span")" \
    -v ca="$(cat "$work/sample/cpu")" -v cb="$(cat "$work/empty/cpu")" 'BEGIN {
  printf "catalogue match adds %.1f %% to the scan time (%.3f s against %.3f s), CPU %.2f s against %.2f s\n",
         100 * (a - b) / b, a, b, ca, cb
}'
