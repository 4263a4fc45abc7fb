#!/bin/sh
# The committed button images are byte for byte what their script makes, and the
# build placed the same files beside the programs.
# Usage: check_navigation_images.sh PYTHON SCRIPT COMMITTED_DIR BUILD_IMAGES_DIR
set -eu
python=$1 script=$2 committed=$3 built=$4
made=$(mktemp -d)
trap 'rm -rf "$made"' EXIT
"$python" "$script" "$made"
for image in top.gif last.gif previous.gif next.gif; do
  head -c 6 "$made/$image" | grep -q '^GIF89a$' || { echo "$image: not a GIF89a file"; exit 1; }
  cmp "$made/$image" "$committed/$image"
  cmp "$committed/$image" "$built/$image"
done
test "$(ls "$made" | wc -l)" -eq 4
