#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running need, only
# those that are missing. Runs as root, or through sudo for another user.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libjpeg-dev libgtest-dev libgmock-dev
  libheif-dev libpng-dev libwebp-dev
  qt6-base-dev qt6-translations-l10n
  fonts-ipafont-gothic
  desktop-file-utils groff-base lintian
  xvfb xauth
  clang libclang-rt-14-dev
  chromium chromium-driver python3-selenium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
