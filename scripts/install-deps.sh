#!/usr/bin/env bash
# Installs everything needed to build, test and run Dravon on Debian 12.
# Usage: scripts/install-deps.sh   (as root, or with sudo available)
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libogg-dev libvorbis-dev libdumb1-dev libasound2-dev libmpg123-dev
  clang libclang-rt-14-dev
  # real sound files that the tests read
  alsa-utils sound-theme-freedesktop
  # tracker modules shipped by games: MOD (tecnoballz), XM (powermanga), S3M and IT (pingus)
  tecnoballz-data powermanga-data pingus-data
  # tools the tests use to make fixtures
  sox vorbis-tools lame zip unzip
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root apt-get update
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y --no-install-recommends "${missing[@]}"
fi
