#!/usr/bin/env bash
# Installs what the window needs and is missing, builds the simulator (optimised, without the
# tests, in build/window) and starts it. Arguments go to the simulator:
#   bash scripts/run.sh --scale 2
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh window
cmake --preset window >/dev/null
cmake --build --preset window
exec build/window/ql730-sim "$@"
