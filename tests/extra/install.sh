#!/usr/bin/env bash
# Checks the installed set as a user gets it: cmake --install into a DESTDIR, the files that must and must
# not be there, every manual page rendered without a warning, --help and --version of the three programs
# from the install (in a private namespace, in an empty folder that must stay empty), a scan of the installed
# sample building with the installed bench, simulator and scanner, and the Debian package with its contents.
#   tests/extra/install.sh REPO_ROOT      (BUILD_DIR, default REPO_ROOT/build, already built)
set -euo pipefail
top=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
build=${BUILD_DIR:-$top/build}
pkg=netscn-tabconv
for t in man groff dpkg-deb dpkg-shlibdeps file cpack; do
  command -v "$t" >/dev/null || { echo "install: $t missing (bash scripts/setup.sh installs it)" >&2; exit 1; }
done
tmp=$(mktemp -d "${TMPDIR:-/tmp}/install-check.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
fail() { echo "install: $*" >&2; exit 1; }

# ---- cmake --install into a DESTDIR
root=$tmp/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$tmp/install.log" 2>&1 || { cat "$tmp/install.log"; fail "cmake --install failed"; }
usr=$root/usr doc=$root/usr/share/doc/$pkg
for p in netscn tabconv refdiff bacsim; do
  [ -x "$usr/bin/$p" ] || fail "bin/$p missing"
  [ -f "$usr/share/man/man1/$p.1" ] || fail "man page $p.1 missing"
done
for h in netns-run netns-check bench-net; do [ -x "$usr/lib/$pkg/$h" ] || fail "lib/$pkg/$h missing"; done
[ -f "$doc/README.md" ] || fail "README missing"
(cd "$top/examples" && find . -type f) | while read -r f; do
  cmp -s "$top/examples/$f" "$doc/examples/$f" || fail "example ${f#./} missing or different"
done
# Nothing else: the loader and time-synchronisation stand-ins stay in the build folder.
stray=$(cd "$root" && find . -type f | grep -v -e '^\./usr/bin/' -e "^\./usr/lib/$pkg/" -e '^\./usr/share/man/man1/' \
        -e "^\./usr/share/doc/$pkg/" || true)
[ -z "$stray" ] || fail "unexpected files installed: $stray"
[ "$(ls "$usr/bin" | sort | tr '\n' ' ')" = "bacsim netscn refdiff tabconv " ] ||
  fail "bin/ holds: $(ls "$usr/bin")"
echo "install: $(cd "$root" && find . -type f | wc -l) files installed under /usr"

# ---- Every manual page renders without a warning and has the sections a reader looks for
for f in "$usr"/share/man/man1/*.1; do
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$f" >"$tmp/page.txt" 2>"$tmp/page.err" || fail "man failed on $f"
  [ ! -s "$tmp/page.err" ] || { cat "$tmp/page.err"; fail "man --warnings on $(basename "$f")"; }
  groff -man -ww -z "$f" 2>"$tmp/page.err" || fail "groff failed on $f"
  [ ! -s "$tmp/page.err" ] || { cat "$tmp/page.err"; fail "groff -ww on $(basename "$f")"; }
  for s in NAME SYNOPSIS DESCRIPTION OPTIONS FILES "EXIT STATUS" EXAMPLES "SEE ALSO"; do
    grep -qx "$s" "$tmp/page.txt" || fail "$(basename "$f") has no section $s"
  done
  awk 'length > 80 { exit 1 }' "$tmp/page.txt" || fail "$(basename "$f") has lines wider than 80 columns"
done
echo "install: man pages render without warnings"

# ---- --help and --version from the install, in a private namespace and an empty folder
versions=
for p in netscn tabconv refdiff; do
  for a in --help --version; do
    mkdir "$tmp/work"
    "$top/tests/harness/netns-run" sh -c 'cd "$1" && exec "$2" "$3"' sh "$tmp/work" "$usr/bin/$p" "$a" \
      >"$tmp/out" 2>"$tmp/err" || fail "$p $a: exit status $?"
    [ -z "$(ls -A "$tmp/work")" ] || fail "$p $a left files: $(ls -A "$tmp/work")"
    [ ! -s "$tmp/err" ] || { cat "$tmp/err"; fail "$p $a wrote to standard error"; }
    rmdir "$tmp/work"
    case $a in
      --help) grep -Eq "^(Usage|Aufruf): $p " "$tmp/out" || fail "$p --help prints no usage" ;; # refdiff speaks German
      --version) grep -Eqx "$p [0-9]+\.[0-9]+\.[0-9]+" "$tmp/out" || fail "$p --version: $(cat "$tmp/out")"
                 versions="$versions $(cut -d' ' -f2 "$tmp/out")" ;;
    esac
  done
done
echo "install: --help and --version exit 0 and leave the folder empty (versions:$versions)"

# ---- The installed pieces work together: the sample building scanned on a private network
"$usr/lib/$pkg/bench-net" --building "$doc/examples/building.txt" --workdir "$tmp/scan" --fresh \
  --copy "$doc/examples" --bacsim "$usr/bin/bacsim" -- "$usr/bin/netscn" >"$tmp/scan.log" 2>&1 ||
  { tail -20 "$tmp/scan.log"; fail "scan of the installed sample building failed"; }
head -1 "$tmp/scan/netscn.ref" | grep -q 'BACnet nach ZDB (NETSCN)$' || fail "netscn.ref has no header line"
points=$(($(wc -l <"$tmp/scan/netscn.ref") - 1))
[ "$points" -gt 0 ] || fail "the scan of the installed sample building found no data point"
echo "install: installed bench, bacsim and netscn scanned the installed sample building: $points data points"

# ---- The Debian package of the same set
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 ||
  { tail -20 "$tmp/cpack.log"; fail "cpack -G DEB failed"; }
deb=$(ls "$tmp"/pkg/*.deb)
for v in $versions; do [ "$(dpkg-deb -f "$deb" Version)" = "$v" ] || fail "package version differs from $v"; done
dpkg-deb -f "$deb" Depends | grep -q 'libc6' || fail "no dependencies from the shared libraries"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
dpkg-deb -c "$deb" | awk '$6 !~ /\/$/ { print $6 }' | sed 's|^\./|/|' | sort >"$tmp/deb.list"
(cd "$root" && find . -type f | sed 's|^\.||' | sort) | cmp -s - "$tmp/deb.list" ||
  fail "the package holds other files than the install"
echo "install: $(basename "$deb") ($(dpkg-deb -f "$deb" Depends)):"
sed 's/^/  /' "$tmp/deb.list"
