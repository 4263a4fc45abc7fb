#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a plain build,
# once under AddressSanitizer and UndefinedBehaviorSanitizer, once in the Release
# build the README installs (so that build never breaks unseen); then makes the
# Debian package, installs it for real, checks the installed program and removes
# the package again; last a short pass of every fuzz target (a few seconds each,
# clang and libFuzzer) so they keep building and keep passing their own checks.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

jobs=$(nproc)
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
export QT_QPA_PLATFORM=offscreen

run_build() {  # run_build DIR BUILD_TYPE [CMAKE_OPTION ...]
  local dir=$1 type=$2
  shift 2
  cmake -S . -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE="$type" -DMONTRELLE_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== plain build"
run_build build RelWithDebInfo
echo "== sanitizer build"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_build build-asan RelWithDebInfo -DMONTRELLE_SANITIZE=ON
echo "== release build, as the README installs it"
run_build build-release Release
echo "== Debian package, installed and checked"
rm -rf build-release/deb
scripts/package.sh build-release/deb
scripts/installed-check.sh --deb build-release/deb/montrelle_*.deb
echo "== fuzz targets, short pass"
scripts/fuzz.sh 5
