#!/usr/bin/env bash
# Builds DUMB 0.9.3 (the tracker-module library) as a static, position-independent archive from
# Debian's upstream tarball, with the patches of scripts/dumb/ applied, into a cache outside the
# repository. The cache is reused until the patches, the build file or the toolchain change.
# Usage: scripts/build-dumb.sh [PREFIX [TOOLCHAIN_FILE]]   (prints the prefix on its last line)
#   PREFIX defaults to ~/.cache/dravon-deps/<system>-<processor> of this machine, where CMake
#   looks by default (or $DRAVON_DEPS/<system>-<processor>); TOOLCHAIN_FILE cross-compiles.
#   A native build also makes libdumb-tsan.a, built with ThreadSanitizer for the TSan builds.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
prefix="${1:-${DRAVON_DEPS:-$HOME/.cache/dravon-deps}/$(uname -s)-$(uname -m)}"
toolchain="${2:-}"
stamp="$prefix/.dumb-stamp"
key="$(cat "$0" "$here"/dumb/* ${toolchain:+"$toolchain"} | sha256sum | cut -d' ' -f1)"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$key" ]; then
  echo "$prefix"
  exit 0
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
source "$here/private-apt.sh"
private_apt_setup "$work"
# Debian's patch set of libdumb is no longer on the mirror: only the upstream tarball is fetched
# (from the address apt gives, checked against apt's checksum); our patches replace Debian's.
read -r url file _ sum < <(apt-get "${apt_private[@]}" source --print-uris -qq libdumb | grep orig.tar)
url="${url//\'/}"
curl -fsSL -o "$work/$file" "$url"
echo "${sum#SHA256:}  $work/$file" | sha256sum -c --quiet
dumb_source="$work/libdumb"
mkdir -p "$dumb_source"
tar -xzf "$work/$file" -C "$dumb_source" --strip-components=1
for patch in "$here"/dumb/*.patch; do
  patch -d "$dumb_source" -p1 --forward --quiet < "$patch"
done
# DUMB's own build asks questions; our CMake file compiles the parts the library uses.
cp "$here/dumb/dumb.cmake" "$dumb_source/CMakeLists.txt"

build() { # <build dir> <extra cmake arguments>...
  local dir="$1"
  shift
  cmake -S "$dumb_source" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_POSITION_INDEPENDENT_CODE=ON ${toolchain:+-DCMAKE_TOOLCHAIN_FILE="$toolchain"} \
    "$@" >/dev/null
  cmake --build "$dir" -j2 >/dev/null
  cmake --install "$dir" >/dev/null
}

rm -f "$stamp"
build "$work/build"
if [ -z "$toolchain" ]; then
  build "$work/build-tsan" -DDUMB_OUTPUT_NAME=dumb-tsan -DCMAKE_C_FLAGS="-fsanitize=thread -g"
fi
echo "$key" > "$stamp"
echo "$prefix"
