#!/usr/bin/env bash
# Installs what is missing, builds the simulator (optimised) and starts it. Arguments go to
# the simulator: bash scripts/run.sh --scale 2
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target ql730-sim
exec build/default/ql730-sim "$@"
