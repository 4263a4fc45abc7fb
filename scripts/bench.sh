#!/usr/bin/env bash
# Builds and runs the make run's benchmark (bench/main.cpp) in the optimised build,
# then the list benchmark (bench/list_bench.cpp: the window's list operations and
# the list file on 10,000 entries). Options go to the make run's benchmark, e.g.
# --count12 30 --count24 100 --rounds 2, or --smoke for a quick check. The machine's load is shown before and after: other
# work on the same cores slows the parallel side most, so measure when it is low.
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
echo "uptime after: $(uptime)"
exit "$status"
