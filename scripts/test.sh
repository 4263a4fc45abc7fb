#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a plain build,
# once under AddressSanitizer and UndefinedBehaviorSanitizer; then a short pass of
# every fuzz target (a few seconds each, clang and libFuzzer) so they keep building
# and keep passing their own checks.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

jobs=$(nproc)
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
export QT_QPA_PLATFORM=offscreen

run_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMONTRELLE_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== plain build"
run_build build
echo "== sanitizer build"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_build build-asan -DMONTRELLE_SANITIZE=ON
echo "== fuzz targets, short pass"
scripts/fuzz.sh 5
