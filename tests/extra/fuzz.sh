#!/usr/bin/env bash
# Fuzzes the BACnet layer's receive path (receive guard, frame trace, message check, value and tag decoders)
# with arbitrary datagrams and sender endpoints under AddressSanitizer and UndefinedBehaviorSanitizer, for
# FUZZ_SECONDS (default 60) seconds, inside a private network namespace. Fails on any finding and prints the
# number of inputs run.
#   tests/extra/fuzz.sh REPO_ROOT
set -euo pipefail
top=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
out=${FUZZ_DIR:-$top/build-fuzz}
secs=${FUZZ_SECONDS:-60}
cxx=${FUZZ_CXX:-clang++}
rm -rf "$out/obj"
mkdir -p "$out/obj" "$out/corpus" "$out/work"

# The layer and what it links, built with clang for libFuzzer (the normal build uses g++).
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined
       -fno-sanitize-recover=undefined -I"$top" -I"$top/tests")
srcs=()
for d in bacnet ip runtime/ut runtime/ut/netscn runtime/sy runtime/sy/netscn runtime/ipc runtime/ipc/netscn; do
  for f in "$top/$d"/*.cpp; do [ -e "$f" ] && srcs+=("$f"); done
done
echo "fuzz: compiling ${#srcs[@]} files with $cxx"
jobs=0
for f in "${srcs[@]}"; do
  o="$out/obj/$(echo "${f#$top/}" | tr / _).o"
  "$cxx" "${flags[@]}" -c "$f" -o "$o" &
  if [ $((++jobs)) -ge 2 ]; then wait -n; jobs=$((jobs - 1)); fi
done
wait
"$cxx" "${flags[@]}" -c "$top/tests/fuzz/bn_fuzz.cpp" -o "$out/bn_fuzz.o"
"$cxx" -fsanitize=fuzzer,address,undefined "$out/bn_fuzz.o" "$out"/obj/*.o -o "$out/bn_fuzz"

# Seeds: endpoint 10.0.0.5#47808, invoke id 7, then an I-Am, a Complex-ACK with a string, an Error, a
# routed ReadProperty request for the scanner's own device and a Forwarded-NPDU network message.
seed() { printf "$2" > "$out/corpus/$1"; }
seed iam      '\x0a\x00\x00\x05\xba\xc0\x07\x81\x0a\x00\x14\x01\x00\x10\x00\xc4\x02\x00\x00\x7b\x22\x01\xe0\x91\x00\x21\x0f'
seed ack      '\x0a\x00\x00\x05\xba\xc0\x07\x81\x0a\x00\x19\x01\x00\x30\x07\x0c\x0c\x02\x00\x00\x05\x19\x4d\x3e\x75\x04\x00\x41\x42\x43\x3f'
seed error    '\x0a\x00\x00\x05\xba\xc0\x07\x81\x0a\x00\x0d\x01\x00\x50\x07\x0c\x91\x01\x91\x1f'
seed rp_own   '\x0a\x00\x00\x05\xba\xc0\x07\x81\x0a\x00\x1a\x01\x2c\x00\x05\x01\x21\x00\x05\x03\x0c\x0c\xff\xff\xff\xff\x19\x4c\x29\x01'
seed fwd_nw   '\x0a\x00\x00\x05\xba\xc0\x07\x81\x04\x00\x0d\x0a\x00\x00\x06\xba\xc0\x01\x80\x00'

cd "$out/work"
rm -f crash-* leak-* timeout-* oom-*
set +e
"$top/tests/harness/netns-run" "$out/bn_fuzz" -max_total_time="$secs" -max_len=1507 -timeout=10 \
  -print_final_stats=1 "$out/corpus" > fuzz.log 2>&1
rc=$?
set -e
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' fuzz.log | tail -1)
if [ $rc -ne 0 ] || ls crash-* leak-* timeout-* oom-* > /dev/null 2>&1; then
  tail -60 fuzz.log
  echo "fuzz: FINDING (exit $rc) after ${runs:-?} inputs; reproducer in $out/work" >&2
  exit 1
fi
echo "fuzz: ${runs:-?} inputs in ${secs} s, no finding"
