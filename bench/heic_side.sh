#!/usr/bin/env bash
# Thumbnails of phone photos: montrelle-make against vipsthumbnail (libvips, one
# process per core) on the same HEIC files in the same run, each the best of its
# rounds. montrelle-make makes whole galleries: with the default settings (the frame
# layout) the reduced images, pages and every photo converted to JPEG at its own
# size, which a browser needs to show it; with the responsive layout the same with
# the main images at its width. The photos
# are the benchmark's own 12 MP pictures, turned into HEIC by libheif's heif-enc at
# a phone's quality.
#
#   bench/heic_side.sh BUILD_DIR [COUNT] [ROUNDS]
set -euo pipefail
build=$1 count=${2:-16} rounds=${3:-3}
cores=$(nproc)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/montrelle_bench" --photos-only --count12 4 --count24 0 --work "$work" >/dev/null
mkdir "$work/heic"
for k in 0 1 2 3; do
  heif-enc --quality 50 -o "$work/heic/photo-$k.heic" "$work/photos-4000/photo-$k.jpg" >/dev/null
done
for ((i = 0; i < count; i++)); do
  ln "$work/heic/photo-$((i % 4)).heic" "$work/heic/$(printf 'p%04d.heic' "$i")"
done
rm "$work"/heic/photo-*.heic
cat "$work"/heic/*.heic >/dev/null

# best_of NAME COMMAND...: runs the command `rounds` times, prints and keeps the best.
best=0
best_of() {
  local name=$1
  shift
  best=
  for ((r = 0; r < rounds; r++)); do
    rm -rf "$work/out" && mkdir "$work/out"
    local start end took
    start=$(date +%s.%N)
    "$@"
    end=$(date +%s.%N)
    took=$(awk "BEGIN { print $end - $start }")
    if [ -z "$best" ] || awk "BEGIN { exit !($took < $best) }"; then best=$took; fi
  done
  printf '  %-28s %6.2f s   %6.1f photos/s\n' "$name" "$best" "$(awk "BEGIN { print $count / $best }")"
}

vips_side() {
  printf '%s\n' "$work"/heic/p*.heic |
    xargs -P "$cores" -n $(((count + cores - 1) / cores)) \
      vipsthumbnail --size 100 -o "$work/out/%s.jpg[Q=90]"
}

: >"$work/defaults.ini"  # no keys: every setting its default
echo "HEIC thumbnails, $count photos of 12 MP ($(stat -c %s "$work/heic/p0000.heic") bytes each), width 100:"
best_of "montrelle-make, frame" "$build/montrelle-make" -q -s "$work/defaults.ini" -o "$work/out" \
  "$work"/heic/p*.heic 2>/dev/null
frame=$best
best_of "montrelle-make, responsive" "$build/montrelle-make" -q -s "$work/defaults.ini" \
  --layout responsive -o "$work/out" "$work"/heic/p*.heic 2>/dev/null
responsive=$best
best_of "vipsthumbnail ($cores processes)" vips_side
echo "  speed against vipsthumbnail: frame $(awk "BEGIN { printf \"%.2f\", $best / $frame }") x," \
  "responsive $(awk "BEGIN { printf \"%.2f\", $best / $responsive }") x"
