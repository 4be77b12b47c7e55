#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what Tarvex needs on Debian 12, without recommended packages.
#   tools/install-deps.sh        building, testing, benchmarks, packaging and
#                                the checks CI runs
#   tools/install-deps.sh run    only building and starting the two programs
#                                (tools/run.sh)
set -euo pipefail

# Enough to build the release configuration without tests (the "run" preset)
# and to start the window: the platform plugins and a font to draw with.
run_packages=(
  g++ cmake ninja-build
  qt6-base-dev qt6-tools-dev qt6-l10n-tools libgl-dev libjpeg62-turbo-dev
  libzip-dev pkg-config
  qt6-qpa-plugins fonts-dejavu-core
)

packages=("${run_packages[@]}")
if [ "${1:-}" != run ]; then
  packages+=(
    build-essential qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    srecord timidity python3
    clang libclang-rt-14-dev
    xvfb xauth x11-apps xdotool imagemagick
    dpkg-dev fakeroot file desktop-file-utils appstream lintian man-db
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
