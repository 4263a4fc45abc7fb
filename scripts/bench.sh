#!/usr/bin/env bash
# Builds and runs the make run's benchmark (bench/main.cpp) in the optimised build,
# then the list benchmark (bench/list_bench.cpp: the window's list operations and
# the list file on 10,000 entries), then HEIC thumbnails beside vipsthumbnail
# (bench/heic_side.sh). Options go to the make run's benchmark, e.g.
# --count12 30 --count24 100 --rounds 2, or --smoke for a quick check (without the
# HEIC side). The machine's load is shown before and after: other work on the same
# cores slows the parallel side most, so measure when it is low.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target montrelle_bench montrelle_list_bench
echo "uptime before: $(uptime)"
status=0
build/montrelle_bench "$@" || status=$?
build/montrelle_list_bench || status=$?
if [[ " $* " != *" --smoke "* ]]; then
  # heif-enc makes the HEIC photos, vipsthumbnail is the side they are timed against.
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  for tool in heif-enc:libheif-examples vipsthumbnail:libvips-tools; do
    command -v "${tool%%:*}" >/dev/null ||
      $sudo apt-get install -y --no-install-recommends "${tool##*:}"
  done
  cmake --build build --target montrelle-make
  bench/heic_side.sh build || status=$?
fi
echo "uptime after: $(uptime)"
exit "$status"
