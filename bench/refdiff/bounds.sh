#!/usr/bin/env bash
# What refdiff does with files that are no reference files: a device that never ends (/dev/zero), a line cut
# inside its text (a description's line break, split by an older scanner), a line cut inside its address,
# binary data, an endless stream of random bytes, and an endless stream of valid lines. For each: wall time,
# peak memory, exit status and the first line of standard error. Goal: a clear error within a second and
# under 64 MiB, except the endless valid lines, which stop at the file limit of 256 MiB.
#   bench/refdiff/bounds.sh [BUILD_DIR]
set -euo pipefail
# shellcheck source=bench/scan/lib.sh
. "$(dirname "$0")/../scan/lib.sh"
bench_init refdiff_bounds "${1:-}" refdiff
refdiff=$build/refdiff
cd "$work"

kopf='00000 06/12/2026 14:05 BACnet nach ZDB (NETSCN)'
zeile() { # number, text, address
  printf '%05u %-16s 3 0 15 15 15 0 0 000 108 %-23s          %-26s\n' "$1" "T$1" "$2" "$3"
}
{ echo "$kopf"; zeile 1 Aussentemperatur "0001003.AI#0000001'00085"; } > gut.ref
{ echo "$kopf"; zeile 1 Aussentemperatur "0001003.AI#0000001'00085"
  printf '00002 T2               3 0 15 15 15 0 0 000 108 Pumpe 8\r\n'
  printf 'St\x94rung                           0001003.AI#0000002'\''00085\n'; } > geteilt.ref
{ echo "$kopf"; zeile 1 Aussentemperatur "0001003.AI#0000001'00085" | cut -c1-95; } > adresse.ref
head -c 16777216 /dev/urandom > zufall.bin
{ echo "$kopf"; head -c 16777216 /dev/urandom; } > kopf_zufall.ref

# name, then the command: "wall s" "peak KiB" "status" "first message line".
lauf() {
  local name=$1 rc=0
  shift
  /usr/bin/time -f "%e %M" -o t.txt "$@" > /dev/null 2> err.txt || rc=$?
  read -r t m < <(tail -1 t.txt)
  printf '%-22s %6.2f s %8d KiB  status %d  %s\n' "$name" "$t" "$m" "$rc" \
    "$(grep -v '^Command' err.txt | head -1 | cut -c1-110)"
}
echo "refdiff on what is no reference file (NEW is a valid file):"
lauf /dev/zero "$refdiff" /dev/zero gut.ref
lauf "line cut in its text" "$refdiff" gut.ref geteilt.ref
lauf "line cut in address" "$refdiff" gut.ref adresse.ref
lauf "16 MiB random" "$refdiff" zufall.bin gut.ref
lauf "header + random" "$refdiff" gut.ref kopf_zufall.ref
lauf /dev/urandom "$refdiff" /dev/urandom gut.ref
# The same valid line again and again: the file limit ends it.
lauf "endless valid lines" sh -c "{ echo '$kopf'; yes \"\$(sed -n 2p gut.ref)\"; } | \"$refdiff\" /dev/stdin gut.ref"
