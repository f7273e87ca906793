# shellcheck shell=bash disable=SC2034
# Shared by the benchmarks (sourced, not run): the build folder, a working folder that goes at the end, and
# for the scan benchmarks one scan on a private bench of its own and the figures of the simulator's request
# log.
#   . "$(dirname "$0")/lib.sh"; bench_init NAME [BUILD_DIR [PROGRAM...]]

# Sets top, build and work; stops when a program the benchmark needs is not built (PROGRAM: a path in the
# build folder; the scan's netscn and bacsim unless given).
bench_init() {
  bench=$1
  top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  build=$(cd "${2:-$top/build}" && pwd)
  local progs=("${@:3}") p
  [ ${#progs[@]} -gt 0 ] || progs=(netscn tools/bacsim/bacsim)
  for p in "${progs[@]}"; do
    f=$build/$p
    [ -x "$f" ] || { echo "$bench: $f not built (bash scripts/build.sh $build)" >&2; exit 1; }
  done
  [ -x /usr/bin/time ] || { echo "$bench: /usr/bin/time missing (package time)" >&2; exit 1; }
  work=$(mktemp -d "/tmp/$bench.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  chmod 755 "$work"
}

# bench_scan DIR BUILDING CATALOGUE [NETSCN_ARG...]: one scan in $work/DIR, with DIR/time.txt holding wall,
# user and system seconds and peak memory (KiB) of netscn; BENCH_ROUTE names a route file to scan with. A
# time-out verdict is a figure, not a failure; the benchmark stops only when the bench or netscn fails (exit
# status, no file). BENCH_SIM holds further arguments of the simulator (its hub, for a scan over BACnet/SC).
bench_scan() {
  local dir=$work/$1 building=$2 catalogue=$3 rc=0
  shift 3
  mkdir -p "$dir/cfg"
  cp "$catalogue" "$dir/cfg/dp_atb.txt"
  if [ -n "${BENCH_ROUTE:-}" ]; then mkdir -p "$dir/qx" && cp "$BENCH_ROUTE" "$dir/qx/qx04ddev.bn"; fi
  "$top/tests/harness/bench-net" --building "$building" --workdir "$dir" ${BENCH_PCAP:+--pcap "$dir/cap.pcap"} \
    ${BENCH_SIM:+--sim-args "$BENCH_SIM"} \
    --bacsim "$build/tools/bacsim/bacsim" -- /usr/bin/time -f "%e %U %S %M" -o "$dir/time.txt" \
    "$build/netscn" "$@" >"$dir/out.txt" 2>&1 || rc=$?
  if [ "$rc" -ne 0 ] || [ ! -s "$dir/netscn.ref" ]; then
    echo "$bench: scan $1 ($*) failed with status $rc" >&2
    tail -5 "$dir/out.txt" >&2
    exit 1
  fi
}

# bench_figures DIR ANSWER_S: sets first and last (request times), requests (ReadProperty requests the
# building got, lost ones included), lost, devices (devices asked anything), span (first request to the last
# answer, ANSWER_S after the last request), points (data lines), verdict, wall, cpu and rss (KiB).
bench_figures() {
  local dir=$work/$1
  read -r first last requests lost devices < <(awk '/svc=read-property/ {
      t = substr($1, 3); if (!n++) f = t; l = t
      if (/answer=lost/) lost++
      for (i = 2; i <= NF; i++) if ($i ~ /^dev=/ && !($i in d)) { d[$i]; nd++ }
    } END { print f + 0, l + 0, n + 0, lost + 0, nd + 0 }' "$dir/bacsim.log")
  span=$(awk -v f="$first" -v l="$last" -v a="$2" 'BEGIN { printf "%.3f", l - f + a }')
  points=$(($(wc -l <"$dir/netscn.ref") - 1))
  if grep -q 'erfolgreich erzeugt' "$dir/out.txt"; then
    verdict=success
  elif grep -q 'Abbruch nach Timeout' "$dir/out.txt"; then
    verdict=time-out
  else
    verdict=other
  fi
  local user sys
  read -r wall user sys rss <"$dir/time.txt"
  cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')
}
