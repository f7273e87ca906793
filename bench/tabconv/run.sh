#!/usr/bin/env bash
# Converts a generated CSV of 1,000,000 records with tabconv and prints records per second, wall time and peak
# memory, beside the wall time of an awk one-liner that writes the same data lines (checked to be identical)
# and of cat copying the same file.
#   bench/tabconv/run.sh [BUILD_DIR] [RECORDS]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build}
n=${2:-1000000}
tabconv=$build/tabconv
[ -x "$tabconv" ] || { echo "run.sh: $tabconv not built (bash scripts/build.sh $build)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "run.sh: /usr/bin/time missing (package time)" >&2; exit 1; }

work=$(mktemp -d /tmp/tabconv_bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Records of the usual shape: number, id, type 1-4, attribute code, text, address, driver id, identifiers.
awk -v n="$n" 'BEGIN {
  print "Nr;DP-Id;Typ;Atb;Text;Adresse;Treiber-Id;Obj;GAK"
  for (i = 1; i <= n; i++)
    printf "%d;H%02d.K%d.DP%d;%d;%d;Heizkreis %d Pumpe %d Betriebsmeldung Anlage;AS%03d.%d;4;AB;1234567890\n",
           i, i % 97, i % 13, i, i % 4 + 1, i % 256, i % 50, i % 7, i % 1000, i
}' > in.csv

# "wall seconds" "peak KiB" of one command, from GNU time.
measure() { /usr/bin/time -f "%e %M" -o t.txt "$@" >/dev/null 2>&1 || true; cat t.txt; }

read -r t_tab m_tab < <(measure "$tabconv" in.csv)
tail -n +2 tabconv.ref > tabconv.data
awk_prog='NR > 1 { printf "%05u %-16s %1u 0 15 15 15 0 0 000 %03u %-32s %s\n", $1, $2, $3, $4, substr($5, 1, 32), $6 }'
read -r t_awk m_awk < <(measure sh -c "awk -F';' '$awk_prog' in.csv > awk.data")
read -r t_cat m_cat < <(measure sh -c 'cat in.csv > cat.data')
t_mawk=
if command -v mawk >/dev/null; then
  read -r t_mawk m_mawk < <(measure sh -c "mawk -F';' '$awk_prog' in.csv > mawk.data")
  cmp -s tabconv.data mawk.data || t_mawk="$t_mawk (DIFFERENT)"
fi

records=$(($(wc -l < in.csv) - 1))
lines=$(wc -l < tabconv.data)
same=identical
cmp -s tabconv.data awk.data || same=DIFFERENT
rate=$(awk -v r="$records" -v t="$t_tab" 'BEGIN { printf "%.0f", (t > 0 ? r / t : 0) }')

printf 'records          : %d (CSV %d bytes, %d data lines written)\n' "$records" "$(stat -c %s in.csv)" "$lines"
printf 'tabconv          : %8.2f s  %10s records/s  peak %6d KiB\n' "$t_tab" "$rate" "$m_tab"
printf 'awk one-liner    : %8.2f s  (%s)  data lines %s\n' "$t_awk" "$(readlink -f "$(command -v awk)")" "$same"
[ -z "$t_mawk" ] || printf 'mawk one-liner   : %8s s\n' "$t_mawk"
printf 'cat              : %8.2f s\n' "$t_cat"
[ "$same" = identical ] || { echo "run.sh: tabconv and awk disagree" >&2; diff tabconv.data awk.data | head >&2; exit 1; }
