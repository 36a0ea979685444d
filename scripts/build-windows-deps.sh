#!/usr/bin/env bash
# Cross-builds the libraries the Windows DLL links statically (libogg, libvorbis with vorbisfile,
# DUMB 0.9.3) and GoogleTest for the test programs, from Debian's source packages, with
# mingw-w64; DUMB with scripts/build-dumb.sh. Everything lands in a cache outside the
# repository; a finished cache is reused.
# Usage: scripts/build-windows-deps.sh            (prints the cache directory on its last line)
#   DRAVON_WINDEPS=<dir> chooses the cache (default ~/.cache/dravon-windeps).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
cache="${DRAVON_WINDEPS:-$HOME/.cache/dravon-windeps}"
prefix="$cache/x86_64-w64-mingw32"
toolchain="$here/../cmake/mingw-w64-x86_64.cmake"
stamp="$prefix/.complete"

build_libraries() {
  local work="$cache/work"
  rm -rf "$work" "$prefix"
  mkdir -p "$work/src" "$prefix"
  source "$here/private-apt.sh"
  private_apt_setup "$work"
  (cd "$work/src" && apt-get "${apt_private[@]}" source -qq libogg libvorbis >/dev/null)

  cmake_build() { # <source dir> <build dir> <extra cmake arguments>...
    local source="$1" build="$2"
    shift 2
    cmake -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DDRAVON_WINDOWS_DEPS="$prefix" -DBUILD_SHARED_LIBS=OFF \
      -DCMAKE_POSITION_INDEPENDENT_CODE=ON "$@" >/dev/null
    cmake --build "$build" -j2 >/dev/null
    cmake --install "$build" >/dev/null
  }

  cmake_build "$(echo "$work"/src/libogg-*/)" "$work/build-ogg" -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
  # With the flags of libvorbis' own configure script, so that it decodes exactly as Debian's.
  cmake_build "$(echo "$work"/src/libvorbis-*/)" "$work/build-vorbis" -DOGG_ROOT="$prefix" \
    -DCMAKE_C_FLAGS_RELEASE="-O3 -ffast-math -fsigned-char -DNDEBUG"
  cmake_build /usr/src/googletest "$work/build-gtest" -Dgtest_disable_pthreads=OFF

  rm -rf "$work"
  touch "$stamp"
}

if [ ! -f "$stamp" ]; then
  build_libraries
fi
# DUMB, patched as on Linux, has its own stamp: it is rebuilt whenever its patches change.
"$here/build-dumb.sh" "$prefix" "$toolchain" >/dev/null
echo "$prefix"
