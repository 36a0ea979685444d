#!/usr/bin/env bash
# Installs the build in BUILD_DIR into a scratch prefix and builds an application against it, once
# with find_package(Dravon) and once with pkg-config; checks that only our exports are visible.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
lib=$(find "$prefix" -name 'libdravon.so' | head -1)

echo "exported symbols of $(basename "$lib"):"
exports=$(nm -D --defined-only "$lib" | awk '{print $3}' | grep -v '^_init$\|^_fini$' || true)
echo "$exports" | c++filt | sed 's/^/  /'
if echo "$exports" | grep -qv '^_ZN3nox5audio'; then
  echo "unexpected exported symbols" >&2
  exit 1
fi

cmake -S "$root/tests/package" -B "$prefix/app" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$prefix/app" >/dev/null
LD_LIBRARY_PATH="$(dirname "$lib")" "$prefix/app/package-check" "$build/demo/dravon-demo.wav"

PKG_CONFIG_PATH="$(dirname "$lib")/pkgconfig" \
  c++ -std=c++17 "$root/tests/package/main.cpp" -o "$prefix/app/pc-check" \
  $(PKG_CONFIG_PATH="$(dirname "$lib")/pkgconfig" pkg-config --cflags --libs dravon)
LD_LIBRARY_PATH="$(dirname "$lib")" "$prefix/app/pc-check" "$build/demo/dravon-demo.wav"
echo "package check passed"
