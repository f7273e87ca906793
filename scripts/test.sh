#!/usr/bin/env bash
# Sets up a fresh machine, builds, and runs every test: the unit and end-to-end tests, the same again with
# AddressSanitizer and UndefinedBehaviorSanitizer, then the extra checks in tests/extra (fuzzing, decoder
# cross-checks). Exits non-zero when anything fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"

echo "== build and test"
bash "$top/scripts/build.sh" "$top/build"
ctest --test-dir "$top/build" -j2 --output-on-failure

echo "== build and test with sanitizers"
bash "$top/scripts/build.sh" "$top/build-san" -DNT_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$top/build-san" -j2 --output-on-failure

for x in "$top"/tests/extra/*.sh; do
  [ -e "$x" ] || continue
  echo "== $(basename "$x")"
  bash "$x" "$top"
done
echo "== all tests passed"
