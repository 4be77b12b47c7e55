#!/usr/bin/env bash
# Installs what is missing, builds the release configuration and starts the
# program. On its first start the program copies the bundled demonstration
# data set into the user folder.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
if [ -x build/release/bin/tarvex ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/release/bin/tarvex "$@"
fi
exec build/release/bin/tarvex-cli info
