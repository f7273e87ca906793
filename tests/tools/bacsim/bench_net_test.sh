#!/bin/sh
# bench-net itself: the program's exit status comes back, it runs in its working folder with HOST set and
# the scanner's address (by default one whose classful broadcast the scanner computes) on its veth end, nothing it started outlives it, a building that cannot be served
# ends with 96, and it refuses to run when told that this namespace is the outer one.
#   bench_net_test.sh BENCH_NET BACSIM WORK_DIR
set -u
bench=$1 bacsim=$2 dir=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$dir"
mkdir -p "$dir"
printf 'host 10.1.2.3\ndevice 77\nhost 10.1.2.4\ndevice 78\n' >"$dir/b.txt"

"$bench" --building "$dir/b.txt" --workdir "$dir/w" --bacsim "$bacsim" -- sh -c '
  [ "$HOST" = 10.1.0.1 ] || exit 2
  [ "$(pwd)" = "$1" ] || exit 3
  ip -o addr show bnA | grep -q "inet 10.1.0.1/8" || exit 4
  [ "$BENCH_HOSTS" = "10.1.2.3 10.1.2.4" ] || exit 5
  [ "$BENCH_LOG" = "$1/bacsim.log" ] || exit 6
  exit 7' bench "$dir/w"
rc=$?
[ $rc = 7 ] || fail "exit status $rc, expected 7"
[ -e "$dir/w/bacsim.log" ] || fail "no request log"
pgrep -f "$dir/w/bacsim.log" >/dev/null && fail "bacsim still running"

# --fresh empties the working folder; a building bacsim cannot read ends the bench before the program runs.
touch "$dir/w/stale"
printf 'host 10.1.2.3\nobject AI 1\n' >"$dir/bad.txt"
"$bench" --building "$dir/bad.txt" --workdir "$dir/w" --fresh --bacsim "$bacsim" -- touch ran 2>"$dir/err"
rc=$?
[ $rc = 96 ] || fail "bad building: status $rc, expected 96"
[ ! -e "$dir/w/ran" ] || fail "the program ran without a building"
grep -q "object before any device" "$dir/err" || fail "no reason given: $(cat "$dir/err")"

# Told that this namespace is the outer one, it refuses before doing anything.
NT_OUTER_NETNS=$(readlink /proc/self/ns/net) "$bench" --building "$dir/b.txt" --workdir "$dir/w2" \
  --bacsim "$bacsim" -- true 2>"$dir/err"
rc=$?
[ $rc = 96 ] || fail "refusal: status $rc, expected 96"
grep -q refusing "$dir/err" || fail "no refusal message"
[ ! -e "$dir/w2" ] || fail "working folder made before the check"
echo "bench-net: ok"
