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

# best_of NAME COMMAND...: runs the command `rounds` times and prints its best wall
# time and its best processor time (user and system, children included); the
# second barely moves when other work shares the machine. Keeps both.
best=0 best_cpu=0
best_of() {
  local name=$1
  shift
  best= best_cpu=
  for ((r = 0; r < rounds; r++)); do
    rm -rf "$work/out" && mkdir "$work/out"
    local took cpu
    read -r took cpu < <(
      TIMEFORMAT='%R %U %S'
      { time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ print $1, $2 + $3 }'
    )
    if [ -z "$best" ] || awk "BEGIN { exit !($took < $best) }"; then best=$took; fi
    if [ -z "$best_cpu" ] || awk "BEGIN { exit !($cpu < $best_cpu) }"; then best_cpu=$cpu; fi
  done
  printf '  %-28s %6.2f s   %6.1f photos/s   processor %6.2f s\n' "$name" "$best" \
    "$(awk "BEGIN { print $count / $best }")" "$best_cpu"
}

vips_side() {
  printf '%s\n' "$work"/heic/p*.heic |
    xargs -P "$cores" -n $(((count + cores - 1) / cores)) \
      vipsthumbnail --size 100 -o "$work/out/%s.jpg[Q=90]"
}

: >"$work/defaults.ini"  # no keys: every setting its default
echo "HEIC thumbnails, $count photos of 12 MP ($(stat -c %s "$work/heic/p0000.heic") bytes each), width 100:"
best_of "montrelle-make, frame" "$build/montrelle-make" -q -s "$work/defaults.ini" -o "$work/out" \
  "$work"/heic/p*.heic
frame=$best frame_cpu=$best_cpu
best_of "montrelle-make, responsive" "$build/montrelle-make" -q -s "$work/defaults.ini" \
  --layout responsive -o "$work/out" "$work"/heic/p*.heic
responsive=$best responsive_cpu=$best_cpu
best_of "vipsthumbnail ($cores processes)" vips_side
ratio() { awk "BEGIN { printf \"%.2f\", $1 / $2 }"; }
echo "  speed against vipsthumbnail: frame $(ratio "$best" "$frame") x," \
  "responsive $(ratio "$best" "$responsive") x;" \
  "processor time: frame $(ratio "$best_cpu" "$frame_cpu") x," \
  "responsive $(ratio "$best_cpu" "$responsive_cpu") x"
