#!/usr/bin/env bash
# Makes the Debian package: installs what is missing, builds the Release
# configuration as the README's install section does (in build-release/), packs it
# with CPack and checks it with lintian, which must find no error.
#   scripts/package.sh [OUT_DIR]     montrelle_<version>_<arch>.deb goes to OUT_DIR
#                                    (default: the current folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-.}")
build=$root/build-release

"$root/scripts/deps.sh"

# Package files take their modes from the build tree: no group or other write bits.
umask 022
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build"
rm -rf "$build/package"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build/package"
mkdir -p "$out"
deb=$(cd "$build/package" && echo montrelle_*.deb)
cp "$build/package/$deb" "$out/"
lintian --fail-on error "$out/$deb"
echo "$out/$deb"
