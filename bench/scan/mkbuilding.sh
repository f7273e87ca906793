#!/usr/bin/env bash
# Writes a generated building description for the scan benchmarks to standard output.
#   bench/scan/mkbuilding.sh points [LOSS]   1040 data points on four direct devices that answer after 1 ms
#                                            (90 analog, 90 two-state, 80 multi-state each); with LOSS (a
#                                            probability, e.g. 0.005) every request is lost with that chance
#   bench/scan/mkbuilding.sh storm N [MS]    one router host with N devices (1..8191) behind it on network 5,
#                                            MACs 0001..N as two bytes, one analog input each; they answer
#                                            after MS milliseconds (default 0), and all at once to a Who-Is
#   bench/scan/mkbuilding.sh parallel [MS]   1040 data points on 16 direct devices, one host each (23 analog,
#                                            22 two-state, 20 multi-state each), answering after MS (default 20)
#   bench/scan/mkbuilding.sh jitter MS J     the same 16 devices answering after MS +- J ms, evenly spread
#   bench/scan/mkbuilding.sh routed [QUEUE]  one router host with 50 devices of 40 analog inputs behind it on
#                                            networks 5 to 9, numbered network by network, max APDU 480,
#                                            answering after 30 +- 10 ms; the router serves each network one
#                                            request at a time and holds QUEUE of them (default 2)
# Buildings are made at run time, e.g. bench/scan/mkbuilding.sh storm 8191 >/tmp/storm.txt.
set -euo pipefail

usage() {
  echo "usage: mkbuilding.sh points [LOSS] | storm N [MS] | parallel [MS] | jitter MS J | routed [QUEUE]" >&2
  exit 2
}
number() { [[ $1 =~ ^[0-9]+$ ]] || usage; }

# D devices, one host each at 10.0.0.20 + d, with NA analog, NB two-state and NM multi-state objects. State
# texts come from the sample catalogue (matched directly, crosswise, or late in the code range) or match
# nothing (all 256 codes tried).
points() {
  awk -v nd="$1" -v na="$2" -v nb="$3" -v nm="$4" -v delay="$5" -v loss="$6" 'BEGIN {
    split("AI AO AV", at, " "); split("BI BO BV", bt, " "); split("MI MO MV", mt, " ")
    split("62 98 53 64 29 27", un, " ")
    npair = split("Aus/Ein Zu/Auf Normal/Stoerung Auto/Hand Ein/Aus Stoerung/Normal Gut/Schlecht Frei/Belegt", pair, " ")
    nset = split("Aus|Stufe 1|Stufe 2;Aus|Stufe 1|Stufe 2|Stufe 3;Aus|Hand|Auto;" \
                 "Aus|Komfort|Standby|Nacht|Frostschutz;Aus|Heizen|Kuehlen|Lueften;" \
                 "Stufe A|Stufe B|Stufe C|Stufe D;Modus 1|Modus 2|Modus 3|Modus 4|Modus 5|Modus 6", set, ";")
    if (loss != "") printf "loss %s\n", loss
    for (d = 1; d <= nd; d++) {
      printf "host 10.0.0.%d\ndevice %d\n  name AS%02d Bench\n  delay %s\n", 19 + d, 1000 + d, d, delay
      for (i = 1; i <= na; i++)
        printf "object %s %d\n  name D%d_MW_%03d\n  description Messwert %d Anlage %d\n  units %s\n",
               at[i % 3 + 1], i, d, i, i, d, un[i % 6 + 1]
      for (i = 1; i <= nb; i++) {
        split(pair[i % npair + 1], t, "/")
        printf "object %s %d\n  name D%d_BM_%03d\n  description Meldung %d Anlage %d\n  polarity %d\n" \
               "  inactive-text %s\n  active-text %s\n", bt[i % 3 + 1], 100 + i, d, i, i, d, i % 5 == 0, t[1], t[2]
      }
      for (i = 1; i <= nm; i++)
        printf "object %s %d\n  name D%d_MZ_%03d\n  description Betriebsart %d Anlage %d\n  states %s\n",
               mt[i % 3 + 1], 200 + i, d, i, i, d, set[i % nset + 1]
    }
  }'
}

routed() {
  awk -v q="$1" 'BEGIN {
    printf "# 50 devices on five trunks behind one router that holds %d requests per trunk\nhost 10.0.0.20\nqueue %d\n", q, q
    for (d = 1; d <= 50; d++) {
      printf "device %d net %d mac %02X\n  max-apdu 480\n  delay 30 10\n  name AS%02d Strang %d\n", 1000 + d,
             5 + int((d - 1) / 10), d, d, 5 + int((d - 1) / 10)
      for (i = 1; i <= 40; i++)
        printf "object AI %d\n  name D%02d_MW_%02d\n  description Messwert %d Anlage %d\n  units 62\n", i, d, i, i, d
    }
  }'
}

storm() {
  awk -v n="$1" -v delay="$2" 'BEGIN {
    printf "# %d devices behind one router, all answering the same Who-Is\nhost 10.0.0.20\n", n
    for (i = 1; i <= n; i++) {
      printf "device %d net 5 mac %04X\n  name RA%04d Raum\n", 100000 + i, i, i
      if (delay > 0) printf "  delay %d\n", delay
      printf "object AI 1\n  name R%04d_T\n  description Raumtemperatur %d\n  units 62\n", i, i
    }
  }'
}

case ${1:-} in
  points)
    [ $# -le 2 ] || usage
    [ -z "${2:-}" ] || [[ $2 =~ ^(0|1)?(\.[0-9]+)?$ ]] || usage
    points 4 90 90 80 1 "${2:-}"
    ;;
  storm)
    [ $# -ge 2 ] && [ $# -le 3 ] || usage
    number "$2"; number "${3:-0}"
    [ "$2" -ge 1 ] && [ "$2" -le 8191 ] || usage
    storm "$2" "${3:-0}"
    ;;
  parallel)
    [ $# -le 2 ] || usage
    number "${2:-20}"
    points 16 23 22 20 "${2:-20}" ""
    ;;
  jitter)
    [ $# -eq 3 ] || usage
    number "$2"; number "$3"
    points 16 23 22 20 "$2 $3" ""
    ;;
  routed)
    [ $# -le 2 ] || usage
    number "${2:-2}"
    routed "${2:-2}"
    ;;
  *) usage ;;
esac
