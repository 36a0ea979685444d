#!/usr/bin/env bash
# Installs everything needed to build, test and run Dravon on Debian 12, and builds DUMB 0.9.3
# with our patches into ~/.cache/dravon-deps (scripts/build-dumb.sh).
# Usage: scripts/install-deps.sh [--windows]   (as root, or with sudo available)
#   --windows also installs the mingw-w64 cross compilers and Wine, for scripts/ci-windows.sh.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libogg-dev libvorbis-dev libasound2-dev libmpg123-dev
  # to fetch, check and patch DUMB's source (scripts/build-dumb.sh)
  dpkg-dev curl ca-certificates patch
  clang libclang-rt-14-dev
  # the style checks (scripts/check-style.sh) and the rule checks of the tests (scripts/*.py)
  clang-format clang-tidy python3
  # real sound files that the tests read
  alsa-utils sound-theme-freedesktop
  # tracker modules shipped by games: MOD (tecnoballz), XM (powermanga), S3M and IT (pingus)
  tecnoballz-data powermanga-data pingus-data
  # tools the tests use to make fixtures
  sox vorbis-tools lame zip unzip
)
if [ "${1:-}" = "--windows" ]; then
  packages+=(g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64
             googletest)
fi

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root apt-get update
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y --no-install-recommends "${missing[@]}"
fi

"$(dirname "$0")/build-dumb.sh" >/dev/null
