#!/usr/bin/env bash
# Builds the browser page into build/web/: the device and the shell as WebAssembly (the web
# preset, Debian's emscripten), with the page's files beside it. Serve it with
#   python3 -m http.server -d build/web
# and open http://localhost:8000/. Installs what it needs when it is missing (the web set of
# install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh web

# Emscripten's optimiser runs under node and needs Debian's acorn.
export NODE_PATH=/usr/share/nodejs
# Debian's emscripten comes with its libraries built, in a cache under /usr/share that it
# only reads (FROZEN_CACHE in its configuration): anyone can build, root or not.
export EM_FROZEN_CACHE=1

cmake --preset web >/dev/null
cmake --build --preset web
# The module once more for node, which draws the icons.
cmake --build build/web-wasm --target ql730_web_node

out=build/web
rm -rf "$out"
mkdir -p "$out"
cp web/index.html web/style.css web/app.js web/sw.js web/manifest.webmanifest "$out"/
node scripts/web-icons.mjs build/web-wasm/src/web/ql730-node.js "$out"
cp build/web-wasm/src/web/ql730.js build/web-wasm/src/web/ql730.wasm "$out"/
echo "the page is in $out/ (ql730.wasm: $(stat -c %s "$out/ql730.wasm") bytes);" \
     "serve it with: python3 -m http.server -d $out"
