#!/usr/bin/env bash
# Builds the BMP reader's fuzz target with clang and libFuzzer (plus ASan and
# UBSan) and runs it for a bounded time on seeds made by the test BMP writer.
#   scripts/fuzz.sh [SECONDS]     default 120
# New interesting inputs collect in build-fuzz/corpus/bitmap (kept between runs);
# a crashing input is written to build-fuzz/ as crash-*: keep it as a regression
# test under tests/imaging/data/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-120}
build=build-fuzz
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DMONTRELLE_FUZZ=ON -DMONTRELLE_BUILD_TESTS=OFF
cmake --build "$build" --target bitmap_reader_fuzzer bitmap_seed_writer

corpus=$build/corpus/bitmap
seeds=$build/seeds/bitmap
mkdir -p "$corpus" "$seeds"
"$build/fuzz/bitmap_seed_writer" "$seeds"

regressions=()
[ -d tests/imaging/data ] && regressions=(tests/imaging/data)
"$build/fuzz/bitmap_reader_fuzzer" -max_total_time="$seconds" -max_len=8192 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/" \
  "$corpus" "$seeds" "${regressions[@]}"
