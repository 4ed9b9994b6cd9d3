#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, or says how to.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config python3
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libbz2-dev
  libcurl4-openssl-dev python3-pyftpdlib
  clang libclang-rt-14-dev
  xvfb xauth fonts-dejavu-core
  libsdl2-mixer-dev timgm6mb-soundfont
  libsodium-dev python3-openssl openssl
  desktop-file-utils appstream man-db lintian
  nlohmann-json3-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
line="apt-get update && apt-get install -y ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages. As root, run:" >&2
  echo "  $line" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}"
