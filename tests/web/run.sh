#!/usr/bin/env bash
# The browser test: the page in build/web (bash scripts/build-web.sh) in Debian's Chromium,
# driven by puppeteer-core, against ql730-headless. Writes build/web-test/page.png.
# Usage: bash tests/web/run.sh [QL730_HEADLESS]
set -euo pipefail
cd "$(dirname "$0")/../.."
headless=${1:-build/default/ql730-headless}
for need in /usr/bin/chromium /usr/bin/node /usr/bin/npm "$headless" build/web/ql730.wasm; do
    if [ ! -e "$need" ]; then
        echo "browser test: $need is missing (bash scripts/install-deps.sh; bash scripts/build-web.sh;" \
             "cmake --build --preset default)" >&2
        exit 2
    fi
done
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
node tests/web/browser_test.mjs build/web "$headless" tests/scenarios build/web-test \
     cal_distance button_hold menu_strip
