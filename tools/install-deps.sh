#!/usr/bin/env bash
# Installs with apt-get whatever building, testing and running Korvalinx needs
# on Debian 12. Prints nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libcap-dev libcap2-bin
  fonts-liberation fonts-dejavu-core
  xvfb xauth x11-utils imagemagick xdotool
  mingw-w64
  sigrok-cli
  xdg-utils
  desktop-file-utils appstream lintian dpkg-dev file python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this script as root (or install them with sudo apt-get install)." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
