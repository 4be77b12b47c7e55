#!/usr/bin/env bash
# Installs what is missing for the programs alone, builds the release
# configuration without tests and benchmarks (the "run" preset) and starts the
# program. On its first start the program copies the bundled demonstration
# data set into the user folder.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh run
cmake --preset run >/dev/null
cmake --build --preset run
if [ -x build/run/bin/tarvex ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/run/bin/tarvex "$@"
fi
exec build/run/bin/tarvex-cli info
