#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and
# runs each one for a bounded time from its seed inputs. Any crash, leak or sanitizer report
# fails the run.
# Usage: scripts/run-fuzzers.sh [SECONDS_PER_FUZZER]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDRAVON_BUILD_FUZZERS=ON -DDRAVON_SANITIZE=address,undefined \
  -DDRAVON_BUILD_TESTS=OFF -DDRAVON_BUILD_TOOLS=OFF -DDRAVON_BUILD_EXAMPLES=OFF \
  -DDRAVON_BUILD_BENCHMARKS=OFF >/dev/null

fuzzers=(zip_archive_fuzzer xml_reader_fuzzer attribute_reader_fuzzer audio_stream_fuzzer
  ogg_vorbis_fuzzer)
cmake --build "$build" -j"$(nproc)" --target "${fuzzers[@]}"

# The Ogg Vorbis seeds, and real modules from Debian packages, seed the stream fuzzer behind the
# byte that chooses their loader. Inputs are cut at 64 KiB, so the larger modules arrive
# truncated.
seed_from() {
  local selector=$1 source=$2 corpus="$build/corpus/audio_stream_fuzzer"
  [ -f "$source" ] || return 0
  mkdir -p "$corpus"
  { printf "\\$selector"; cat "$source"; } >"$corpus/seed-$(basename "$source")"
}
for seed in fuzz/seeds/ogg_vorbis_fuzzer/*; do
  seed_from 001 "$seed"
done
seed_from 002 /usr/share/games/tecnoballz/musics/high-score.mod
seed_from 002 /usr/share/games/powermanga/sounds/music_menu.zik
seed_from 002 /usr/share/games/pingus/data/music/gd-giirm.s3m
seed_from 002 /usr/share/games/pingus/data/music/gd-matth.it

for fuzzer in "${fuzzers[@]}"; do
  echo "== $fuzzer for ${seconds}s"
  # New inputs go to a corpus in the build directory; the checked-in seeds stay as they are.
  corpus="$build/corpus/$fuzzer"
  mkdir -p "$corpus"
  log="$build/$fuzzer.log"
  status=0
  asan=detect_leaks=1:abort_on_error=1
  # vorbisfile's one known leak is suppressed by its library's name, which only the slow
  # unwinder finds behind Debian's libvorbis (built without frame pointers).
  case $fuzzer in
    audio_stream_fuzzer | ogg_vorbis_fuzzer) asan+=:fast_unwind_on_malloc=0 ;;
  esac
  ASAN_OPTIONS=$asan UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=fuzz/lsan.supp \
    "$build/bin/$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/$fuzzer-" \
      "$corpus" "fuzz/seeds/$fuzzer" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "$fuzzer failed (exit $status); the input that failed is in $build/"
    exit 1
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|DONE' "$log" || true
done
echo "== All fuzzers ran without a report"
