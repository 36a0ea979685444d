#!/usr/bin/env bash
# Cross-builds the libraries the Windows DLL links statically (libogg, libvorbis with vorbisfile,
# DUMB 0.9.3) and GoogleTest for the test programs, from Debian's source packages, with
# mingw-w64. Everything lands in a cache outside the repository; a finished cache is reused.
# Usage: scripts/build-windows-deps.sh            (prints the cache directory on its last line)
#   DRAVON_WINDEPS=<dir> chooses the cache (default ~/.cache/dravon-windeps).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
cache="${DRAVON_WINDEPS:-$HOME/.cache/dravon-windeps}"
prefix="$cache/x86_64-w64-mingw32"
toolchain="$here/../cmake/mingw-w64-x86_64.cmake"
stamp="$prefix/.complete"
if [ -f "$stamp" ]; then
  echo "$prefix"
  exit 0
fi

work="$cache/work"
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/lists/partial" "$work/apt/sources" "$work/src" "$prefix"

# A private deb-src list, so the system's apt configuration stays untouched.
sed 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources \
  > "$work/apt/sources/debian.sources"
apt_private=(-o "Dir::Etc::SourceParts=$work/apt/sources" -o "Dir::Etc::SourceList=/dev/null"
             -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache"
             -o "APT::Sandbox::User=root")
mkdir -p "$work/apt/cache/archives/partial"
apt-get "${apt_private[@]}" update -qq
(cd "$work/src" && apt-get "${apt_private[@]}" source -qq libogg libvorbis >/dev/null)
# Debian's patch set of libdumb is no longer on the mirror: only the upstream tarball is
# fetched (from the address apt gives, checked against apt's checksum) and the one fix that
# matters is applied below.
read -r url file _ sum < <(apt-get "${apt_private[@]}" source --print-uris -qq libdumb | grep orig.tar)
url="${url//\'/}"
curl -fsSL -o "$work/src/$file" "$url"
echo "${sum#SHA256:}  $work/src/$file" | sha256sum -c --quiet
mkdir -p "$work/src/libdumb"
tar -xzf "$work/src/$file" -C "$work/src/libdumb" --strip-components=1

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

# DUMB's own build asks questions; our CMake file compiles the parts the library uses.
dumb_source="$work/src/libdumb"
# IT envelopes hold at most 25 nodes; a larger count made the reader write past the node array.
python3 - "$dumb_source/src/it/itread.c" <<'PY'
import re, sys
path = sys.argv[1]
text = open(path).read()
old = "envelope->n_nodes = dumbfile_getc(f);"
if old in text and "n_nodes > 25" not in text:
    text = text.replace(old, old + "\n\tif (envelope->n_nodes > 25) {\n\t\tTRACE(\"IT error: wrong number of envelope nodes (%d)\\n\", envelope->n_nodes);\n\t\tenvelope->n_nodes = 0;\n\t\treturn -1;\n\t}", 1)
    open(path, "w").write(text)
elif "n_nodes > 25" not in text:
    sys.exit("itread.c: envelope node count not found")
PY
cp "$here/windows/dumb.cmake" "$dumb_source/CMakeLists.txt"
cmake_build "$dumb_source" "$work/build-dumb"

cmake_build /usr/src/googletest "$work/build-gtest" -Dgtest_disable_pthreads=OFF

rm -rf "$work"
touch "$stamp"
echo "$prefix"
