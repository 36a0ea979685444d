#!/usr/bin/env bash
# The habits of the code, checked: every tracked source is formatted as .clang-format says, and
# clang-tidy (.clang-tidy) finds nothing in the library's sources and headers.
# Usage: scripts/check-style.sh [BUILD_DIR]   (default: build; it needs compile_commands.json,
# which every configured build writes)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cd "$root"

echo "clang-format: every tracked source"
git ls-files -z '*.h' '*.hpp' '*.c' '*.cpp' | xargs -0 clang-format --dry-run -Werror

echo "clang-tidy: the library's sources"
if [ ! -f "$build/compile_commands.json" ]; then
  echo "no $build/compile_commands.json: configure a build first" >&2
  exit 1
fi
library='^(core|dsp|platform|xml|io|decoders|engine|drivers|api)/'
git ls-files '*.cpp' | grep -E "$library" |
  while read -r file; do
    # Only what this build compiles: the other system's sources have no compile command here.
    if grep -q "\"file\": \"$root/$file\"" "$build/compile_commands.json"; then
      printf '%s\0' "$file"
    fi
  done |
  xargs -0 -n 8 -P "$(nproc)" clang-tidy -p "$build" --quiet 2> >(grep -v ' warnings generated\.$' >&2)
echo "style checks passed"
