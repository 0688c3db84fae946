#!/usr/bin/env bash
# Installs whatever is missing (every set of install-deps.sh), then builds and runs every test
# in four presets: the optimised build, the AddressSanitizer + UndefinedBehaviorSanitizer
# build, a clang build, so that neither compiler's warnings (errors in the presets) surprise a
# user, and the ThreadSanitizer build, which plays suites, the map and the soak on threads.
# Then the browser page: built as WebAssembly and played in headless Chromium against
# ql730-headless. Last, as root, the Debian package: built, lintian, installed,
# used and removed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh all
for preset in default asan clang tsan; do
    echo "=== $preset ==="
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
# The fuzzers built by ClusterFuzzLite's build.sh in its engine's environment, each run for a
# few thousand inputs with a fixed seed (bash scripts/fuzz.sh runs one for longer).
echo "=== fuzz ==="
bash scripts/cflite-local.sh 5000
# The page (bash scripts/build-web.sh) in Chromium: the LCD on its canvas against print-lcd.
echo "=== web ==="
bash scripts/build-web.sh
bash tests/web/run.sh build/default/ql730-headless
# The Debian package: built without the tests (a few minutes), lintian, installed, used and
# removed again (tests/package/install_test.sh).
echo "=== package ==="
bash tests/package/install_test.sh
