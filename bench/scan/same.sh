#!/usr/bin/env bash
# Two netscn programs must behave the same: each case is scanned by both, each run on a bench of its own
# against the sample building (examples/: building.txt, cfg/, qx/), and compared are the simulator's request
# logs, netscn.ref without its header line (the start's date and time), netscn.dev, the scan report without
# its times (-J), the EDE files without their time stamp (-X), the console (stdout and stderr, time stamps
# masked) and the exit status. With -M only the outcome is compared, not the requests (the request log and the
# report's request counts), which -M is free to make fewer. One line per case, OK or DIFF with the first
# differing lines; exit status 1 when any case differs.
#   bench/scan/same.sh OLD_NETSCN NEW_NETSCN [BACSIM]
# Cases: no option, -P8, -M, -M -P4 -U, -J, -X; -F: the scanner alone in a subnet without devices, the
# building behind a router with a BBMD of its own (bench-net --far), found only through the foreign-device
# registration; and -P8 -M -J -X on a routed building (50 devices on five networks behind one router, which
# holds enough requests that it drops none: bench/scan/mkbuilding.sh routed).
# Runs on private networks of its own (tests/harness/bench-net); nothing leaves the machine.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
[[ $# -eq 2 || $# -eq 3 ]] || { echo "usage: bench/scan/same.sh OLD_NETSCN NEW_NETSCN [BACSIM]" >&2; exit 2; }
for f in "$1" "$2" "${3:-$top/build/tools/bacsim/bacsim}"; do
  [ -x "$f" ] || { echo "same: $f is not an executable program" >&2; exit 2; }
done
old=$(realpath "$1") new=$(realpath "$2") bacsim=$(realpath "${3:-$top/build/tools/bacsim/bacsim}")
work=$(mktemp -d /tmp/same.XXXXXX)
trap 'rm -rf "$work"' EXIT

# The sample building, but its route file's device 5001 announces in its I-Am the max APDU that -M assumes
# until an I-Am came (480 bytes): the scanner asks that device at once, and whether its I-Am or its first
# answer comes in first is a race that changes the size of the next -M batches.
sed '/^device 5001 /a\  max-apdu 480' "$top/examples/building.txt" >"$work/building.txt"
grep -q 'max-apdu 480' "$work/building.txt" || { echo "same: no device 5001 in the sample building" >&2; exit 1; }
# The -F bench: in the scanner's subnet one host without a device (bench-net places the scanner beside the
# near building's first host), the building with a BBMD added in the far subnet.
echo "host 198.51.100.20" >"$work/near.txt"
{ cat "$work/building.txt"; echo "host 192.168.1.2 bbmd"; } >"$work/far.txt"
"$top/bench/scan/mkbuilding.sh" routed 64 >"$work/routed.txt"

# scan DIR NETSCN ARG...: one run, the bench's working folder in DIR/w; the bench's own failure (96) stops all.
scan() {
  local dir=$1 prog=$2 rc=0 net=(--building "$work/building.txt")
  shift 2
  [[ " $* " != *" -F"* ]] || net=(--building "$work/near.txt" --far "$work/far.txt")
  [[ " $* " != *" -P8 -M "* ]] || net=(--building "$work/routed.txt")
  mkdir -p "$dir"
  "$top/tests/harness/bench-net" "${net[@]}" --workdir "$dir/w" --fresh --copy "$top/examples" \
    --bacsim "$bacsim" -- "$prog" "$@" >"$dir/stdout" 2>"$dir/stderr" || rc=$?
  [ "$rc" -ne 96 ] || { echo "same: the bench failed ($prog $*)" >&2; cat "$dir/stderr" >&2; exit 1; }
  echo "$rc" >"$dir/status"
}

# A request log without its time stamps. A broadcast Who-Is reaches all hosts at once (with -F through the
# BBMD, which also relays the I-Ams broadcast in answer) and the simulator logs them in the order it happens to
# read them, before or after the first requests (to the route file's device, asked at once): those lines go
# first, sorted. With -P (PAR set) the devices' requests interleave by timing, and so do the invoke ids (one
# counter for all): each device's requests keep their order, grouped by device, without invoke ids.
norm_log() {
  sed 's/^t=[^ ]* //' "$1" | if [ -n "$2" ]; then sed 's/ invoke=[0-9]*//'; else cat; fi | awk -v par="$2" '{
      k = "1"
      if (/ svc=who-is / || / bvlc=(broadcast|distribute) svc=bbmd /) k = "0" $0
      else if (par) for (i = 1; i <= NF; i++) if ($i ~ /^dev=/) k = "1" $i
      print k "\t" $0 }' | LC_ALL=C sort -s -t "$(printf '\t')" -k1,1 | cut -f2-
}

# The console with its time stamps masked, one line per progress text (they end in a carriage return, shown
# as ^M). With -P the devices' progress lines interleave by timing: each device's keep their order, grouped by
# device between the other lines, and without the carriage return (the last one before a verdict line has none,
# and which device's that is depends on timing).
norm_con() {
  LC_ALL=C sed 's/[ 0-9][0-9]\.[0-9][0-9]\.[0-9][0-9]  [ 0-9][0-9]:[0-9][0-9]:[0-9][0-9]/DD.MM.YY  hh:mm:ss/g
                s/\r/^M\n/g' "$1" |
    if [ -z "$2" ]; then cat; else
      awk '{ k = ""; if (/Scannen von  Device : /) { k = $0; sub(/.*Device : /, "", k); sub(/ .*/, "", k); sub(/\^M$/, "") } else b++
             printf "%06d %s\t%s\n", b, k, $0 }' | LC_ALL=C sort -s -t "$(printf '\t')" -k1,1 | cut -f2-
    fi
}

# The scan report without what depends on timing: the start and end, and every duration.
norm_json() {
  python3 -c 'import json, sys
d = json.load(open(sys.argv[1]))
aus = ["started", "ended", "duration_ms", "answer_time_ms", "after_ms"]
if sys.argv[2]: aus += ["requests", "repetitions", "unanswered"]
def weg(o):
    if isinstance(o, dict):
        return {k: weg(v) for k, v in o.items() if k not in aus}
    return [weg(v) for v in o] if isinstance(o, list) else o
json.dump(weg(d), sys.stdout, indent=1)
print()' "$1" "$2"
}

# norm DIR PAR MEHR: what must be the same, in DIR/n.
norm() {
  local d=$1 f
  mkdir "$d/n"
  for f in bacsim.log bacsim-far.log; do [ ! -e "$d/w/$f" ] || [ -n "$3" ] || norm_log "$d/w/$f" "$2" >"$d/n/$f"; done
  [ ! -e "$d/w/netscn.ref" ] || tail -n +2 "$d/w/netscn.ref" >"$d/n/netscn.ref"
  [ ! -e "$d/w/netscn.dev" ] || cp "$d/w/netscn.dev" "$d/n/"
  [ ! -e "$d/w/report.json" ] || norm_json "$d/w/report.json" "$3" >"$d/n/report.json"
  for f in "$d"/w/ede_*.csv; do [ ! -e "$f" ] || sed 's/^TIMESTAMP_OF_LAST_CHANGE;.*/TIMESTAMP/' "$f" >"$d/n/${f##*/}"; done
  for f in stdout stderr; do norm_con "$d/$f" "$2" >"$d/n/$f"; done
  cp "$d/status" "$d/n/"
}

fail=0
for c in "" -P8 -M "-M -P4 -U" -Jreport.json -Xede -F192.168.1.2 "-P8 -M -Jreport.json -Xede"; do
  read -ra args <<<"$c"
  par= mehr=
  [[ " $c " != *" -P"* ]] || par=1
  [[ " $c " != *" -M "* ]] || mehr=1
  rm -rf "$work/old" "$work/new"
  scan "$work/old" "$old" "${args[@]}"
  scan "$work/new" "$new" "${args[@]}"
  norm "$work/old" "$par" "$mehr"
  norm "$work/new" "$par" "$mehr"
  if d=$(cd "$work" && diff -r old/n new/n); then
    printf '%-16s OK\n' "${c:-(no option)}"
  else
    printf '%-16s DIFF\n' "${c:-(no option)}"
    echo "$d" | head -n 12 | cut -c1-200 | sed 's/^/    /'
    fail=1
  fi
done
exit "$fail"
