#!/usr/bin/env bash
# Installs what building, testing and the demo need on a fresh Debian machine (as root).
set -euo pipefail
pkgs=(g++ make cmake libgtest-dev libbenchmark-dev nlohmann-json3-dev jq clang libclang-rt-14-dev iproute2
      util-linux procps tshark gawk time man-db groff-base dpkg-dev file strace graphviz
      libssl-dev libwebsockets-dev openssl)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${CI:-}" = true ] || [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages: ${missing[*]}; run as root (sudo) to install them" >&2
    exit 1
  fi
  echo "wireshark-common wireshark-common/install-setuid boolean false" | debconf-set-selections
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${pkgs[@]}"
fi
