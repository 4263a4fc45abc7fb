#!/usr/bin/env bash
# Takes a picture of the desktop program's screen: copies the built program beside
# a copy of SETTINGS_FILE (as Montrelle.ini), starts it under Xvfb, waits until its
# windows are up, and writes the whole screen to OUT.png.
#   scripts/screenshot.sh SETTINGS_FILE OUT.png [SECONDS]
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 SETTINGS_FILE OUT.png [SECONDS]" >&2
  exit 2
fi
settings=$(realpath "$1")
out=$(realpath "$2")
wait_seconds=${3:-4}
root=$(cd "$(dirname "$0")/.." && pwd)

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$root" -B "$root/build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target montrelle >/dev/null

place=$(mktemp -d)
trap 'rm -rf "$place"' EXIT
cp "$root/build/montrelle" "$place/"
cp -r "$root/build/images" "$place/"
cp "$settings" "$place/Montrelle.ini"

xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" bash -c '
  "$1/montrelle" &
  program=$!
  sleep "$2"
  import -window root "$3"
  kill "$program"
  wait "$program" 2>/dev/null || true
' screenshot "$place" "$wait_seconds" "$out"
echo "$out"
