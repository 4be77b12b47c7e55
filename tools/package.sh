#!/usr/bin/env bash
# Builds the Debian package from a clean tree: a release build of the two
# programs alone (no tests, no benchmarks) with Debian's build flags, then
# cpack. Two runs on the same commit give the same bytes. Prints the file made.
#   tools/package.sh [BUILD_DIR]     (default build/package)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}

rm -rf "$build"
# The same tree gives the same bytes: every time stamp is the last commit's.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || stat -c %Y CMakeLists.txt)
export SOURCE_DATE_EPOCH
# Debian's build flags, hardening included (stack protector, fortify, full
# RELRO with immediate binding, PIE); CMake takes no CPPFLAGS, so they join
# the compiler's flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF -DTARVEX_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/tarvex_*.deb
