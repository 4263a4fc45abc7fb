#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (plus ASan and UBSan) and runs
# each for a bounded time on seeds the project writes afresh, then prints a report.
#   scripts/fuzz.sh [SECONDS] [TARGET ...]     default 60 seconds, every target
# New interesting inputs collect in build-fuzz/corpus/TARGET (kept between runs).
# An input that crashes, hangs, leaks or runs out of memory is written to
# build-fuzz/artifacts/ and the script ends with status 1: make it a regression
# test beside the unit tests of the code it broke.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(bitmap_reader codepage exif_orientation jpeg_scaling list_file
  output_record settings_file heif_reader png_reader webp_reader)

build=build-fuzz
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DMONTRELLE_FUZZ=ON -DMONTRELLE_BUILD_TESTS=OFF -DMONTRELLE_WERROR=ON >/dev/null
cmake --build "$build" --target fuzz_all

rm -rf "$build/seeds"
mkdir -p "$build/seeds" "$build/artifacts" "$build/logs"
"$build/fuzz/seed_writer" "$build/seeds"

# The seed folder and the longest input of each target.
seeds_of() {
  case $1 in
    bitmap_reader) echo "bitmap 8192" ;;
    jpeg_scaling) echo "jpeg 16384" ;;
    list_file) echo "list 4096" ;;
    output_record) echo "record 4096" ;;
    settings_file) echo "settings 4096" ;;
    codepage) echo "text 1024" ;;
    exif_orientation) echo "exif 4096" ;;
    heif_reader) echo "heif 16384" ;;
    png_reader) echo "png 16384" ;;
    webp_reader) echo "webp 16384" ;;
    *) echo "unknown fuzz target: $1" >&2; exit 2 ;;
  esac
}

report=()
failed=0
for target in "${targets[@]}"; do
  read -r seed_folder max_len < <(seeds_of "$target")
  corpus=$build/corpus/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus"
  status=0
  "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -max_len="$max_len" \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" \
    "$corpus" "$build/seeds/$seed_folder" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  inputs=$(find "$corpus" -type f | wc -l)
  result=ok
  if [ "$status" -ne 0 ]; then
    result="FAILED (status $status, see $log)"
    failed=$((failed + 1))
    grep -E '^(==[0-9]+==ERROR|SUMMARY|expectation failed|artifact_prefix)' "$log" | head -5 >&2 || true
  fi
  report+=("$(printf '%-16s %12s %8s %8s  %s' "$target" "${runs:-?}" "${took:-?}" "$inputs" "$result")")
done

echo
echo "== fuzz report: $seconds s per target"
printf '%-16s %12s %8s %8s  %s\n' target executions seconds corpus result
printf '%s\n' "${report[@]}"
echo "crashes, hangs or leaks: $failed"
[ "$failed" -eq 0 ]
