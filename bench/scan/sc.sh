#!/usr/bin/env bash
# The scan through a BACnet/SC hub against the scan over BACnet/IP, in one run: the 1040-point building
# (bench/scan/mkbuilding.sh points: four devices answering after 1 ms) scanned over B/IP and through the
# simulator's hub (TLS 1.3 and WebSocket, certificates made here with openssl), plainly, with -M and with
# -P4 -M, three times each, B/IP and SC in turn. Per option: the scan time (first request to last answer, from
# the simulator's log) with the ratio SC / B/IP, the whole run and the CPU time of netscn, each the median of
# the three, and whether every file (without the header line) is that of the first scan over B/IP.
#   bench/scan/sc.sh [BUILD_DIR]
# Goal: the scan over SC takes at most 1.2 times the time over B/IP. Runs on a private network of its own
# (tests/harness/bench-net); nothing leaves the machine.
set -euo pipefail
# shellcheck source=bench/scan/lib.sh
. "$(dirname "$0")/lib.sh"
bench_init sc "${1:-}"
rounds=3
command -v openssl >/dev/null || { echo "sc: openssl missing" >&2; exit 1; }
"$top/bench/scan/mkbuilding.sh" points >"$work/building.txt"

# The issuer, and a certificate for the hub and one for the scanner (EC P-256).
pki=$work/pki
mkdir "$pki"
(
  cd "$pki"
  openssl ecparam -name prime256v1 -genkey -noout -out ca.key
  openssl req -x509 -new -key ca.key -sha256 -days 2 -out ca.pem -subj "/CN=bench CA" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign"
  printf '%s\n' 'basicConstraints=critical,CA:FALSE' 'keyUsage=critical,digitalSignature,keyAgreement' \
    'extendedKeyUsage=serverAuth,clientAuth' >ext
  for n in hub node; do
    openssl ecparam -name prime256v1 -genkey -noout -out $n.key
    openssl req -new -key $n.key -out $n.csr -subj "/CN=$n"
    openssl x509 -req -in $n.csr -CA ca.pem -CAkey ca.key -CAcreateserial -sha256 -days 2 -extfile ext -out $n.pem
  done
) >"$work/pki.log" 2>&1 || { echo "sc: certificates not made" >&2; cat "$work/pki.log" >&2; exit 1; }
hub="--hub 4443 --hub-cert $pki/hub.pem --hub-key $pki/hub.key --hub-ca $pki/ca.pem"
sc=(-Swss://10.0.0.20:4443/ "-I$pki/ca.pem" "-C$pki/node.pem" "-K$pki/node.key")

# The median of three numbers.
median() { printf '%s\n' "$@" | sort -g | sed -n 2p; }

echo "1040 data points on 4 devices, answers after 1 ms; each figure the median of $rounds runs"
for c in "" -M "-P4 -M"; do
  read -ra args <<<"$c"
  name=${c// /}
  spans=() walls=() cpus=()
  same=identical
  for r in $(seq "$rounds"); do
    for link in ip sc; do
      extra=()
      [ $link = ip ] || extra=("${sc[@]}")
      if [ $link = sc ]; then BENCH_SIM=$hub; else BENCH_SIM=; fi
      BENCH_SIM=$BENCH_SIM bench_scan "$link$name$r" "$work/building.txt" "$top/examples/cfg/dp_atb.txt" \
        "${args[@]}" "${extra[@]}"
      bench_figures "$link$name$r" 0.001
      [ "$verdict" = success ] || same="DIFFERENT ($link: $verdict)"
      spans+=("$link $span") walls+=("$link $wall") cpus+=("$link $cpu")
      cmp -s <(tail -n +2 "$work/ip${name}1/netscn.ref") <(tail -n +2 "$work/$link$name$r/netscn.ref") ||
        same=DIFFERENT
    done
  done
  pick() { local l=$1; shift; median $(printf '%s\n' "$@" | awk -v l="$l" '$1 == l { print $2 }'); }
  awk -v c="${c:-(no option)}" -v p="$points" -v r="$requests" -v same="$same" \
    -v is="$(pick ip "${spans[@]}")" -v ss="$(pick sc "${spans[@]}")" -v iw="$(pick ip "${walls[@]}")" \
    -v sw="$(pick sc "${walls[@]}")" -v ic="$(pick ip "${cpus[@]}")" -v scpu="$(pick sc "${cpus[@]}")" 'BEGIN {
    printf "%-11s %d data points, %d requests, files %s\n", c, p, r, same
    printf "            scan  B/IP %7.3f s  SC %7.3f s  ratio %.3f\n", is, ss, ss / is
    printf "            run   B/IP %7.2f s  SC %7.2f s  (set-up and the end wait of 4 to 8 s included)\n", iw, sw
    printf "            CPU   B/IP %7.2f s  SC %7.2f s\n", ic, scpu }'
done
