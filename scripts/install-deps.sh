#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that building and testing Tobarin needs,
# only those that are missing. Extra package names may be given as arguments;
# with --only first, just the packages named.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-private-dev libgl-dev
  libgtest-dev libfast-float-dev libfmt-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  libqrcodegencpp-dev
  poppler-utils zbar-tools
)
if [ "${1:-}" = "--only" ]; then
  shift
  packages=()
fi
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
