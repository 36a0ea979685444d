#!/usr/bin/env bash
# Builds Dravon for 64-bit Windows with mingw-w64 and runs the test suite under Wine.
# Usage: scripts/ci-windows.sh [build directory]     (default: build-windows)
# Needs the packages of `scripts/install-deps.sh --windows`; the cross-built dependencies are
# cached by scripts/build-windows-deps.sh (DRAVON_WINDEPS chooses the cache).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-windows}"
deps="$("$root/scripts/build-windows-deps.sh" | tail -n 1)"

# Tests that need a facility only the Linux build has, left out here:
# - they run Linux programs (sox, zip) while they run, which a Windows program cannot start:
linux_tools='WavTest\.(RealFilesMatchSoxSampleForSample|EightBitStereoMadeBySoxMatchesSox)'
linux_tools+='|ZipArchiveTest\.(StoredEntryOfZipIsASectionNamedByItsKey|DeflatedEntryIsFoundButNotOpenedAndLogsNothing|ReadsArchivesThatZipWritesInStreamingMode)'
linux_tools+='|FileManagerZipTest\.DeflatedEntryExistsButOpensFromProvidersOrDisk'
linux_tools+='|ZipPlaybackTest\.WavInsideAStoredZipPlaysThroughTheEngine'
# - the debugger output is standard error on Linux only (OutputDebugStringA on Windows), and
#   the current directory is checked to be a POSIX path:
linux_only='DebugOutput\.LinesGoToStandardErrorAsWellOnceSwitchedOn|CurrentDirectory\.TooSmallBufferGivesEmptyText'
# - they compare decoded Ogg Vorbis bit for bit with Debian's oggdec, whose libvorbis uses the
#   Linux C library's maths; the mingw build of the same libvorbis differs in the last bits:
linux_maths='OggVorbisStream\.(MatchesOggdecBitForBit|ReachesAnyFrame|ChainedFileDeliversItsFirstStreamOnly)'
excluded="^($linux_tools|$linux_only|$linux_maths)\$"

# A private Wine: its own prefix and HOME, no Mono or Gecko prompts, no display, and ALSA's null
# device as the sound card (a user's own ~/.asoundrc would win over ALSA_CONFIG_PATH).
wine_home="$build/wine-home"
mkdir -p "$wine_home"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$wine_home/.asoundrc"
export HOME="$wine_home" WINEPREFIX="$wine_home/prefix" WINEARCH=win64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$WINEPREFIX/.dravon-ready" ]; then
  wineboot --init >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
  wineserver -w
  touch "$WINEPREFIX/.dravon-ready"
fi
# One persistent wineserver for the whole run (test discovery included); each program would
# otherwise start its own, about 3 seconds each.
wineserver -p
trap 'wineserver -k || true' EXIT
# Wine's background services start with the first program and keep its output open: start them
# here, away from the output that CTest and test discovery read.
wine cmd /c exit >/dev/null 2>&1 </dev/null

export PKG_CONFIG_LIBDIR="$deps/lib/pkgconfig" PKG_CONFIG_PATH=
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DDRAVON_WINDOWS_DEPS="$deps" -DPKG_CONFIG_ARGN=--static \
  -DDRAVON_BUILD_PLUGINS=OFF -DDRAVON_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j2

# Only system DLLs may be needed by the library.
if x86_64-w64-mingw32-objdump -p "$build/bin/dravon.dll" | grep 'DLL Name' |
    grep -viE 'DLL Name: (kernel32|msvcrt|winmm|user32|advapi32|ole32)\.dll'; then
  echo "dravon.dll needs a DLL that is not part of Windows" >&2
  exit 1
fi

ctest --test-dir "$build" --output-on-failure -E "$excluded"
