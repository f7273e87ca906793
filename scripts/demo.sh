#!/usr/bin/env bash
# Demo on a fresh machine: installs what is missing, builds, starts the sample building (examples/) on a
# private network of its own, scans it with netscn, shows the reference file netscn.ref and cleans up.
#   bash scripts/demo.sh
# Everything that sends BACnet traffic runs in a fresh private network namespace (tests/harness/netns-run):
# the simulated devices and the scanner never see the machine's real network. The inner part refuses to run
# anywhere else.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}

if [ "${1:-}" = --inner ]; then
  # Inside the namespace: the sample building on its network, the scan, the result.
  "$top/tests/harness/netns-check" || { echo "demo: refusing to scan outside a fresh private namespace" >&2; exit 1; }
  work=$2
  set +e
  "$top/tests/harness/bench-net" --building "$top/examples/building.txt" --workdir "$work" --fresh \
    --copy "$top/examples" --bacsim "$build/tools/bacsim/bacsim" -- "$build/netscn" -U
  rc=$?
  set -e
  echo
  # -U wrote the texts in the loader's code page CP850; shown here in UTF-8 for the terminal.
  echo "== netscn ended with exit status $rc; the reference file $work/netscn.ref:"
  iconv -f CP850 -t UTF-8 "$work/netscn.ref"
  echo "== $(($(wc -l <"$work/netscn.ref") - 1)) data points, $(grep -c 'svc=read-property' "$work/bacsim.log") requests"
  exit $rc
fi

echo "== set-up"
bash "$top/scripts/setup.sh"
echo "== build"
bash "$top/scripts/build.sh" "$build"

work=$(mktemp -d "${TMPDIR:-/tmp}/netscn-demo.XXXXXX")
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
echo "== scan of the sample building (private network namespace)"
"$top/tests/harness/netns-run" bash "$top/scripts/demo.sh" --inner "$work/scan"
echo "== to install: cmake --install $build (to /usr/local), or a Debian package: cd $build && cpack -G DEB"
echo "   manual pages: man netscn, man tabconv, man bacsim (not installed: man -l $top/man/netscn.1)"
