#!/bin/sh
# SPDX-License-Identifier: MIT
# Prints the build figures README gives: the steps of the `run` preset (the
# two programs alone), the steps of the `debug` preset (with tests and
# benchmarks) and the tests it registers. Each preset is configured afresh
# in a scratch folder, so no build of the tree is touched and the counts
# are those of a first build. The tests are found in the built test
# programs, so counting them builds the debug configuration there as well
# (slow); --no-tests skips that.
#
# Usage: tools/build-figures.sh [--no-tests]
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT INT TERM

# The total of "[N/TOTAL]" that a dry run of ninja counts up to.
steps() {
    ninja -C "$1" -n | sed -n 's/^\[[0-9]*\/\([0-9]*\)\].*/\1/p' | tail -n 1
}

for preset in run debug; do
    cmake -S "$here" --preset "$preset" -B "$scratch/$preset" >/dev/null
    echo "$preset: $(steps "$scratch/$preset") steps"
done

if [ "${1:-}" != "--no-tests" ]; then
    cmake --build "$scratch/debug" >/dev/null
    total=$(ctest --test-dir "$scratch/debug" -N | sed -n 's/^Total Tests: *//p')
    echo "debug: $total tests"
fi
