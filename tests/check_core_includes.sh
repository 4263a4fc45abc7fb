#!/bin/sh
# Fails when a file of the core folders includes a Qt header or one of the windows'
# (src/app): the core builds into a library without Qt, which montrelle-make and
# the core tests link alone.
set -eu
src=$1
found=$(cd "$src" && grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]|Qt[A-Za-z]*/|app/)' \
  -r platform settings imagelist imaging gallery batch || true)
if [ -n "$found" ]; then
  echo "The core includes Qt or window headers:"
  echo "$found"
  exit 1
fi
