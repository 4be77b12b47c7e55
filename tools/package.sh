#!/usr/bin/env bash
# Builds the Debian package from a clean tree: a release build of the two
# programs alone (no tests, no benchmarks), then cpack. Prints the file made.
#   tools/package.sh [BUILD_DIR]     (default build/package)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}

rm -rf "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF -DTARVEX_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/tarvex_*.deb
