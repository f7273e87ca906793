#!/usr/bin/env bash
# Fuzzes every input the programs read, each with its own libFuzzer target under AddressSanitizer and
# UndefinedBehaviorSanitizer, inside a private network namespace (its resolver names only loopback):
#   recv      datagrams: receive guard, frame trace, message check, value and tag decoders
#   route     the route file qx/qx04ddev.bn
#   atb       the attribute text catalogue cfg/dp_atb.txt
#   csv       CSV lines: the field splitter and the converter's record loop
#   endpoint  endpoint texts "[IP-Adresse#]Portnummer"
#   options   command-line options of the scanner, the converter and the library start-up
#   fifo      FIFO messages
#   refline   reference-file lines and whole files as refdiff reads them (netscn.ref, tabconv.ref)
#   segment   segmented answers: the exchange's reassembly and the decoders on the answer put together
#   bsc       BVLC-SC messages from a hub: header, options, and the frames the BACnet layer reads of them
#   netmsg    answers of routers and BBMDs (network-layer messages, BBMD tables) and the site's map built of them
# Every target runs FUZZ_SECONDS (default 80) seconds, FUZZ_JOBS (default 2) at a time; a target name runs that
# one alone. Fails on any finding and prints inputs run and inputs per second for each target. Inputs found
# stay in build-fuzz/corpus/TARGET for the next run.
#   tests/extra/fuzz.sh REPO_ROOT [TARGET]
set -euo pipefail
top=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
out=${FUZZ_DIR:-$top/build-fuzz}
secs=${FUZZ_SECONDS:-80}
parallel=${FUZZ_JOBS:-2}
cxx=${FUZZ_CXX:-clang++}
alle=(recv route atb csv endpoint options fifo refline segment bsc netmsg)
ziele=("${alle[@]}")
if [ -n "${2:-}" ]; then
  [[ " ${alle[*]} " == *" $2 "* ]] || { echo "fuzz: unknown target $2 (${alle[*]})" >&2; exit 2; }
  ziele=("$2")
fi

# ---- Build: every source once into objects, one archive per library, one program per target.
# shellcheck disable=SC2054 # the commas belong to -fsanitize
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined
       -fno-sanitize-recover=undefined -I"$top" -I"$top/tests" -DNT_VERSION='"fuzz"')
mkdir -p "$out/obj" "$out/lib" "$out/bin"
# A changed header or changed flags make every object stale; otherwise a source newer than its object does.
stand=$({ echo "$cxx ${flags[*]}"; find "$top"/{bacnet,bsc,ip,runtime,scanner,converter,refdiff,tests/fuzz,tests/support} \
  -name '*.h' -print0 | sort -z | xargs -0 cat; } | md5sum | cut -d' ' -f1)
[ "$(cat "$out/obj/.stand" 2>/dev/null)" = "$stand" ] || rm -f "$out"/obj/*.o "$out"/lib/*.a
echo "$stand" > "$out/obj/.stand"

declare -A libs=(
  [rt]="runtime/ut runtime/sy runtime/ipc" [rt_netscn]="runtime/ut/netscn runtime/sy/netscn runtime/ipc/netscn"
  [rt_tabconv]="runtime/ut/tabconv runtime/sy/tabconv runtime/ipc/tabconv" [ip]=ip [bacnet]=bacnet
  [scanner]="scanner $(cd "$top" && echo scanner/*/)" [converter]=converter [refdiff]=refdiff [bsc]=bsc)
obj() { echo "$out/obj/$(echo "${1#"$top"/}" | tr / _).o"; }
# The sources of library $1, one a line; the programs' entry files belong to no library.
quellen() {
  local d f
  for d in ${libs[$1]}; do
    for f in "$top/$d"/*.cpp; do
      case "$f" in */scanner/netscn.cpp | */converter/tabconv.cpp | */refdiff/refdiff.cpp | "$top/$d/*.cpp") ;;
        *) echo "$f" ;;
      esac
    done
  done
}
alle_quellen=()
for l in "${!libs[@]}"; do mapfile -t -O "${#alle_quellen[@]}" alle_quellen < <(quellen "$l"); done
for t in "${ziele[@]}"; do alle_quellen+=("$top/tests/fuzz/${t}_fuzz.cpp"); done
neu=0 jobs=0
for f in "${alle_quellen[@]}"; do
  o=$(obj "$f")
  [ "$o" -nt "$f" ] && continue
  rm -f "$o"
  "$cxx" "${flags[@]}" -c "$f" -o "$o" &
  neu=$((neu + 1))
  if [ $((++jobs)) -ge 2 ]; then wait -n; jobs=$((jobs - 1)); fi
done
wait
echo "fuzz: $neu of ${#alle_quellen[@]} files compiled with $cxx"
for l in "${!libs[@]}"; do
  mapfile -t os < <(quellen "$l" | while read -r f; do obj "$f"; done)
  rm -f "$out/lib/$l.a"
  ar qc "$out/lib/$l.a" "${os[@]}"
done

# What each target links, and the largest input it takes. The scanner brings the BACnet/SC link (bsc) with it,
# and that its libraries.
declare -A link=(
  [recv]="scanner bacnet bsc ip rt rt_netscn" [route]="bacnet ip rt rt_netscn" [atb]="rt rt_netscn"
  [csv]="converter rt rt_tabconv" [endpoint]="ip rt rt_netscn"
  [options]="scanner converter bacnet bsc ip rt rt_netscn" [fifo]="rt rt_netscn"
  [refline]="refdiff scanner converter bacnet bsc ip rt rt_netscn" [bsc]="scanner bacnet bsc ip rt rt_netscn"
  [segment]="scanner bacnet bsc ip rt rt_netscn" [netmsg]="scanner bacnet bsc ip rt rt_netscn")
declare -A maxlen=([recv]=1507 [route]=4096 [atb]=4096 [csv]=1024 [endpoint]=64 [options]=600 [fifo]=2048
  [refline]=4096 [bsc]=1700 [segment]=8192 [netmsg]=1506)
for t in "${ziele[@]}"; do
  as=()
  for l in ${link[$t]}; do as+=("$out/lib/$l.a"); done
  "$cxx" -fsanitize=fuzzer,address,undefined "$(obj "$top/tests/fuzz/${t}_fuzz.cpp")" \
    -Wl,--start-group "${as[@]}" -Wl,--end-group -lwebsockets -lssl -lcrypto -o "$out/bin/$t"
done

# ---- Seeds: the examples and the edge cases of each input.
# shellcheck disable=SC2059 # the seed is a printf format: its escapes are the bytes
seed() { mkdir -p "$out/seed/$1"; printf -- "$3" > "$out/seed/$1/$2"; }
rm -rf "$out/seed"
# Datagrams: sender 10.0.0.5#47808, invoke id 7, switches (bit 0 trace, then the number of known devices),
# then an I-Am (traced), a Complex-ACK with a string, an Error, a routed ReadProperty request for the scanner's
# own device, a Forwarded-NPDU network message, a ReadPropertyMultiple-ACK (a value, an error, an array with a
# constructed element), the two ReadPropertyMultiple-ACKs the scan's -M state awaits (list elements, objects)
# and a Boolean without content at the frame's end.
seed recv iam    '\x0a\x00\x00\x05\xba\xc0\x07\x05\x81\x0a\x00\x14\x01\x00\x10\x00\xc4\x02\x00\x00\x7b\x22\x01\xe0\x91\x00\x21\x0f'
seed recv ack    '\x0a\x00\x00\x05\xba\xc0\x07\x04\x81\x0a\x00\x19\x01\x00\x30\x07\x0c\x0c\x02\x00\x00\x05\x19\x4d\x3e\x75\x04\x00\x41\x42\x43\x3f'
seed recv error  '\x0a\x00\x00\x05\xba\xc0\x07\x04\x81\x0a\x00\x0d\x01\x00\x50\x07\x0c\x91\x01\x91\x1f'
seed recv rp_own '\x0a\x00\x00\x05\xba\xc0\x07\x04\x81\x0a\x00\x1a\x01\x2c\x00\x05\x01\x21\x00\x05\x03\x0c\x0c\xff\xff\xff\xff\x19\x4c\x29\x01'
seed recv fwd_nw '\x0a\x00\x00\x05\xba\xc0\x07\x04\x81\x04\x00\x0d\x0a\x00\x00\x06\xba\xc0\x01\x80\x00'
seed recv scan_ack '\x0a\x00\x00\x05\xba\xc0\x0b\x84\x81\x0a\x00\x19\x01\x00\x30\x0b\x0c\x0c\x00\x00\x00\x11\x19\x4d\x3e\x75\x04\x00\x41\x42\x43\x3f'
seed recv scan_err '\x0a\x00\x00\x05\xba\xc0\x04\x84\x81\x0a\x00\x0d\x01\x00\x50\x04\x0c\x91\x01\x91\x1f'
seed recv rpm_ack '\x0a\x00\x00\x05\xba\xc0\x07\x04\x81\x0a\x00\x2b\x01\x00\x30\x07\x0e\x0c\x00\x00\x00\x03\x1e\x29\x4d\x4e\x73\x00\x41\x42\x4f\x29\x1c\x5e\x91\x02\x91\x20\x5f\x29\x6e\x4e\x72\x00\x41\x0e\x21\x01\x0f\x4f\x1f'
seed recv rpm_list '\x0a\x00\x00\x05\xba\xc0\x08\x82\x81\x0a\x00\x26\x01\x00\x30\x08\x0e\x0c\x02\x00\x00\x64\x1e\x29\x4c\x39\x03\x4e\xc4\x00\x00\x00\x11\x4f\x29\x4c\x39\x04\x4e\xc4\x04\xc0\x00\x12\x4f\x1f'
seed recv rpm_obj '\x0a\x00\x00\x05\xba\xc0\x0a\x82\x81\x0a\x00\x50\x01\x00\x30\x0a\x0e\x0c\x00\x00\x00\x11\x1e\x29\x4d\x4e\x72\x00\x41\x4f\x29\x1c\x5e\x91\x02\x91\x20\x5f\x29\x75\x4e\x91\x3e\x4f\x1f\x0c\x04\xc0\x00\x12\x1e\x29\x4d\x4e\x72\x00\x42\x4f\x29\x1c\x4e\x72\x00\x43\x4f\x29\x54\x4e\x91\x00\x4f\x29\x4a\x4e\x21\x03\x4f\x29\x6e\x4e\x72\x00\x58\x72\x00\x59\x4f\x1f'
seed recv bool0  '\x0a\x00\x00\x05\xba\xc0\x07\x04\x81\x0a\x00\x0e\x01\x00\x10\x00\x9d\xff\x00\x00\x00\x00'
# BVLL of a site with BBMDs: BVLC-Results (the second in the scan's receive step), Register-Foreign-Device,
# Delete-Foreign-Device-Table-Entry, a Distribute-Broadcast-To-Network of a Who-Is with a device range, and
# Forwarded-NPDUs of an I-Am and of a ReadProperty for the own device, from the node 10.0.0.20 in the header.
seed recv bvlc_ack '\x0a\x00\x00\x05\xba\xc0\x07\x04\x81\x00\x00\x06\x00\x00'
seed recv bvlc_nak '\x0a\x00\x00\x05\xba\xc0\x07\x84\x81\x00\x00\x06\x00\x30'
seed recv register '\x0a\x00\x00\x05\xba\xc0\x07\x04\x81\x05\x00\x06\x00\x3c'
seed recv delete '\x0a\x00\x00\x05\xba\xc0\x07\x04\x81\x08\x00\x0a\x0a\x00\x00\x01\xba\xc0'
seed recv distrib '\x0a\x00\x00\x05\xba\xc0\x07\x04\x81\x09\x00\x12\x01\x20\xff\xff\x00\xff\x10\x08\x0a\x07\xd1\x1a\x07\xd2'
seed recv fwd_iam '\x0a\x00\x00\x05\xba\xc0\x07\x05\x81\x04\x00\x1a\x0a\x00\x00\x14\xba\xc0\x01\x00\x10\x00\xc4\x02\x00\x00\x7b\x22\x01\xe0\x91\x00\x21\x0f'
seed recv fwd_rp '\x0a\x00\x00\x05\xba\xc0\x07\x04\x81\x04\x00\x17\x0a\x00\x00\x14\xba\xc0\x01\x04\x00\x05\x09\x0c\x0c\xff\xff\xff\xff\x19\x4d'
# Segments (flags, sequence number, window, length, service data): an answer of three in order, one with a gap
# and its repetition, and one past the bound.
seed segment drei '\x04\x00\x04\x03\x0c\x00\x00\x04\x01\x04\x02\x00\x03\x1e\x09\x4d\x00\x02\x04\x08\x4e\x75\x02\x00\x41\x4f\x1f\x00'
seed segment luecke '\x04\x00\x04\x01\x0c\x04\x02\x04\x01\x00\x04\x01\x04\x01\x00\x00\x02\x04\x01\x00'
seed segment ueber '\x04\x00\x7f\xff\x04\x01\x7f\xff'
mkdir -p "$out/seed/route" "$out/seed/atb"
cp "$top/examples/qx/qx04ddev.bn" "$out/seed/route/example"
seed route lines '0001234 00000              10.0.0.20#47808\n0000077 00005 21           127.0.0.1#47809\n0001234 00007 0A0B0C0D0E0F 10.0.0.21#1\n0000099 00000 1            47808\n'
seed route bad   '000123 00000              10.0.0.20#47808\n0x12345 99999 ZZ           localhost#x\n1234567 00001 123          10.0.0.1#47808 0123456789012345678901234567890123\n'
# Catalogue: four look-ups (code, mask) in the first 8 bytes, the file after them.
{ printf '\x11\x01\x11\x02\x2d\x00\x00\xff'; cat "$top/examples/cfg/dp_atb.txt"; } > "$out/seed/atb/example"
seed atb edges   '\x11\x01\x11\x02\x00\x00\x05\x04017,1   EIN\n17,1    KURZ\n x,0     GENERISCH\n005,3   \n 45,2\t  TAB\n999,9   ZU GROSS\n'
seed atb long    '\x01\x01\x01\x80\x01\xff\x01\x00001,1   0123456789012345678901234567890123456789012345678901234567890123456789\n'
# CSV: separator, field count - 2 (bit 7: output trace), then the line (a record loop input as well).
seed csv record  ';\x0bNr;DP-Id;Typ;Atb;Text;Adresse;Treiber-Id;Obj;GAK\n17;A1.DI.3;1;5;Pumpe Kessel 1;K3.12;4;AB;1234567890\n'
seed csv edges   ';\x8bh\n\n  \n1;a;1;1;0123456789012345678901234567890123456789;x;200;ABCDEF;123456789012;zehn\n12abc;x;1;1;t;a;-1;o;g\nx;y;z;1;2;3;4;5;6\n'
seed csv nosep   '\x00\x00abc'
seed endpoint port   '47808'
seed endpoint dotted '192.168.10.5#47808'
seed endpoint name   'localhost#70000'
seed endpoint bad    'no-such-host#47808xyz'
seed endpoint long   '0123456789012345678901234567890123#1'
# Options: arguments separated by zero bytes.
seed options scanner '192.168.1.20#47809\0-tx\0-ta4\0-R2\0-P64\0-U\0-AXX\0/Bvv\0-E\0-TA12\0-TX1\0-Z'
seed options numbers '-R10\0-R09\0-P0\0-P65\0-P007\0-Ux\0/r5\0-p1\0-TI3\0-TO2\0-ta'
seed options trace   '-TDtrace.txt\0-TD\0-TDa/b\0-L\0/lx\0-TXY'
seed options first   '-TX\000047809'
# FIFO: receive buffer size, then the bytes in the FIFO (header pid, type, body length; body).
seed fifo tsync  '\x50\xff\xff\xff\xff\x07\x00\x00\x00\x0e\x00\x00\x0020240517134530'
seed fifo cmd    '\x50\x01\x00\x00\x00\x14\x00\x00\x00\x05\x00\x00\x00\x86\x80\x01\x00\x03'
seed fifo faulty '\x04\x01\x00\x00\x00\x14\x00\x00\x00\x0c\x00\x00\x00\x86\x800123456789\x01\x00\x00\x00\x05\x00\x00\x00\x03\x00\x00\x00abc\x01\x00\x00\x00\x07\x00\x00\x00\x05\x00\x00\x00'

# Reference files: a switch byte (bit 0 converter file, bit 1 keyed by id), then the file; its first line is
# read as a data line as well.
seed refline netscn '\x00'"00000 06/12/2026 14:05 BACnet nach ZDB (NETSCN)\n00001 TAussen          3 0 15 15 15 0 0 000 108 Aussentemperatur                 0001003.AI#0000007'00085  \n100000 4194303.MV4194303 2 0 15 15 15 0 0 000 003                                  4194303.MV#4194303'00085   00001\n"
seed refline tabconv '\x03'"00000 06/12/2026 14:05 CSV nach ZDB (TABCNV)   Treiber-Id.: 4 (QX04)   Obj.: HZ01   GAK: KESSELHAUS\n00001 HK1.PU.BM        1 0 15 15 15 0 0 000 017 Heizkreis 1 Pumpe Betriebsmeldun AS01 DI 0\r\n00004 HK1.VL.TEMP.ISTWERT 3 0 15 15 15 0 0 000 108 Heizkreis 1                      AS01.AI.0\n00004 HK1.VL.TEMP.ISTWERT 3 0 15 15 15 0 0 000 108 Heizkreis 1\n"
seed refline scanline '\x00'"00002 Pumpe 1          1 0 15 15 15 0 0 000 017 Pumpe 1 Betrieb Kessel            0001003.BI#0000001'00085   00001\n"
# BVLC-SC: an NPDU with its origin (a Complex-ACK), a broadcast I-Am from the hub itself with a Secure Path data
# option, a unicast one with a proprietary destination option to be understood, a Connect-Accept, a NAK, a
# Heartbeat-Request and an unknown function.
seed bsc npdu     '\x01\x08\x00\x07\x02\x00\x00\x00\x00\x03\x01\x00\x30\x05\x0c\x0c\x02\x00\x00\x05\x19\x4d\x3e\x75\x04\x00\x41\x42\x43\x3f'
seed bsc bcast    '\x01\x05\x00\x08\xff\xff\xff\xff\xff\xff\x01\x01\x00\x10\x00\xc4\x02\x00\x00\x7b\x22\x01\xe0\x91\x00\x21\x0f'
seed bsc mustopt  '\x01\x0a\x00\x09\x02\x00\x00\x00\x00\x01\x7f\x00\x04\x01\x04\x02\xaa\x01\x00\x10\x08'
seed bsc accept   '\x07\x00\x00\x01\x02\x48\x55\x42\x00\x00bacsim-hub-uuid!\x06\x40\x05\xdc'
seed bsc nak      '\x00\x00\x40\x01\x06\x01\x00\x00\x07\x00\x97'
seed bsc heart    '\x0a\x00\x00\x02'
seed bsc unknown  '\x0d\x00\x00\x03\x01\x02'
seed refline line '\x01'"00017 A1.DI.3          1 0 15 15 15 0 0 000 005 Pumpe Kessel 1                   K3.12\n"

# Router and BBMD answers: sender 192.168.1.30#47808, then I-Am-Router-To-Network (10, 11), Network-Number-Is
# (1, configured), an Initialize-Routing-Table-Ack of two rows (one with port info), the same from behind a
# router through a BBMD, a Reject-Message-To-Network, a Read-BDT-Ack of two entries, a Read-FDT-Ack, an I-Am
# from behind a router and the refusal of a BDT read.
seed netmsg iamrouter '\xc0\xa8\x01\x1e\xba\xc0\x81\x0b\x00\x0b\x01\x80\x01\x00\x0a\x00\x0b'
seed netmsg netnr '\xc0\xa8\x01\x1e\xba\xc0\x81\x0b\x00\x0a\x01\x80\x13\x00\x01\x01'
seed netmsg table '\xc0\xa8\x01\x1e\xba\xc0\x81\x0a\x00\x12\x01\x80\x07\x02\x00\x0a\x01\x00\x00\x0b\x02\x02\xab\xcd'
seed netmsg fwdsrc '\xc0\xa8\x01\x28\xba\xc0\x81\x04\x00\x13\xc0\xa8\x01\x1f\xba\xc0\x01\x88\x00\x0e\x01\x21\x01\x00\x0e'
seed netmsg reject '\xc0\xa8\x01\x1e\xba\xc0\x81\x0a\x00\x0a\x01\x80\x03\x01\x00\x0c'
seed netmsg bdt '\xc0\xa8\x01\x28\xba\xc0\x81\x03\x00\x18\xc0\xa8\x01\x28\xba\xc0\xff\xff\xff\xff\xc6\x33\x64\x0a\xba\xc0\xff\xff\xff\xff'
seed netmsg fdt '\xc0\xa8\x01\x28\xba\xc0\x81\x07\x00\x0e\x0a\x00\x00\x05\xba\xc1\x00\x3c\x00\x4b'
seed netmsg iam '\xc0\xa8\x01\x1e\xba\xc0\x81\x0a\x00\x18\x01\x08\x00\x0e\x01\x21\x10\x00\xc4\x02\x00\x0f\xa1\x22\x01\xe0\x91\x00\x21\x0f'
seed netmsg nak '\xc0\xa8\x01\x28\xba\xc0\x81\x00\x00\x06\x00\x20'

# ---- Runs, FUZZ_JOBS at a time.
ergebnis() {
  sed -n "s/^stat::$2: *//p" "$out/work/$1/fuzz.log" | tail -1
}
lauf() {
  local t=$1 w="$out/work/$1"
  mkdir -p "$w" "$out/corpus/$t"
  cd "$w"
  rm -rf crash-* leak-* timeout-* oom-* fuzz.log nt_fuzz*
  local rc=0
  "$top/tests/harness/netns-run" "$out/bin/$t" -max_total_time="$secs" -max_len="${maxlen[$t]}" -timeout=10 \
    -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$w/" "$out/corpus/$t" "$out/seed/$t" > fuzz.log 2>&1 ||
    rc=$?
  if [ $rc -ne 0 ] || ls crash-* leak-* timeout-* oom-* > /dev/null 2>&1; then
    tail -60 fuzz.log
    echo "fuzz: $t: FINDING (exit $rc) after $(ergebnis "$t" number_of_executed_units) inputs; reproducer in $w" >&2
    return 1
  fi
  echo "fuzz: $t: $(ergebnis "$t" number_of_executed_units) inputs in $secs s" \
    "($(ergebnis "$t" average_exec_per_sec)/s), no finding"
}
fehler=0
pids=()
for t in "${ziele[@]}"; do
  lauf "$t" &
  pids+=($!)
  if [ ${#pids[@]} -ge "$parallel" ]; then
    wait "${pids[0]}" || fehler=1
    pids=("${pids[@]:1}")
  fi
done
for p in "${pids[@]}"; do wait "$p" || fehler=1; done
[ $fehler -eq 0 ] || { echo "fuzz: FINDING, see above" >&2; exit 1; }
echo "fuzz: ${#ziele[@]} target(s), no finding"
