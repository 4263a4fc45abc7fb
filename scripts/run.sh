#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program. Its settings
# file Montrelle.ini lives beside the built program (build/).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target montrelle
exec build/montrelle
