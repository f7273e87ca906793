#!/usr/bin/env bash
# Compares two generated scans of 99,000 data points each with refdiff (as lines and as JSON) and prints the
# best wall time of three runs and the peak memory, beside diff on the same two files. NEW is OLD with one
# object inserted in the middle (renumbering every line after it), 100 texts and 10 attribute codes changed
# and the last point removed, so that both files keep 99,000 lines.
#   bench/refdiff/run.sh [BUILD_DIR] [POINTS]
set -euo pipefail
n=${2:-99000}
# shellcheck source=bench/scan/lib.sh
. "$(dirname "$0")/../scan/lib.sh"
bench_init refdiff_bench "${1:-}" refdiff
refdiff=$build/refdiff
cd "$work"

# A scan: 100 objects per device, the scanner's line layout; with neu=1 the changes above.
scan() {
  awk -v n="$n" -v neu="$1" 'BEGIN {
    print "00000 06/12/2026 14:05 BACnet nach ZDB (NETSCN)"
    split("AI AO AV BI BO BV MI MO MV", kurz, " "); split("3 4 4 1 2 2 1 2 2", typ, " ")
    nr = 0
    for (i = 0; i < n; i++) {
      if (neu && i == int(n / 2)) zeile(++nr, 4000000, 1, 0, "Eingefuegt")
      if (neu && i == n - 1) break
      text = sprintf("Anlage %d Punkt %d", int(i / 100), i % 100)
      if (neu && i % 997 == 0) text = text " neu"
      zeile(++nr, 1000 + int(i / 100), i % 9 + 1, i % 100, text)
    }
  }
  function zeile(nr, dev, k, inst, text,   atb) {
    atb = (k * 17 + inst) % 256
    if (neu && inst == 50 && dev % 97 == 0) atb = (atb + 1) % 256
    printf "%05u %-16s %1u 0 15 15 15 0 0 000 %03u %-23s          %-26s\n", nr,
           sprintf("%d.%s%d", dev, kurz[k], inst), typ[k], atb, substr(text, 1, 23),
           sprintf("%07u.%s#%07u'\''00085", dev, kurz[k], inst)
  }'
}
scan 0 > old.ref
scan 1 > new.ref

# "wall seconds" "peak KiB" of one command, from GNU time; the best of three runs.
measure() {
  local best='' mem='' t m
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M" -o t.txt "$@" > out.txt 2>/dev/null || true
    read -r t m < <(tail -1 t.txt) # after "Command exited with non-zero status 1"
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t mem=$m; fi
  done
  echo "$best $mem"
}

read -r t_rd m_rd < <(measure "$refdiff" old.ref new.ref)
summe=$(tail -1 out.txt)
zeilen=$(($(wc -l < out.txt) - 1))
read -r t_js m_js < <(measure "$refdiff" -J old.ref new.ref)
read -r t_diff m_diff < <(measure diff old.ref new.ref)
diff_zeilen=$(grep -c '^[<>]' out.txt || true)

printf 'files            : %d and %d data lines\n' "$(($(wc -l < old.ref) - 1))" "$(($(wc -l < new.ref) - 1))"
printf 'refdiff          : %8.2f s  peak %6d KiB  %d difference lines; %s\n' "$t_rd" "$m_rd" "$zeilen" \
  "$summe"
printf 'refdiff -J       : %8.2f s  peak %6d KiB\n' "$t_js" "$m_js"
printf 'diff             : %8.2f s  peak %6d KiB  %d lines < and >\n' "$t_diff" "$m_diff" "$diff_zeilen"
