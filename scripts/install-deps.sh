#!/usr/bin/env bash
# Installs the Debian packages the simulator and its tests need, if any are missing.
# Run as root (or with sudo available). With package names as arguments, only those.
set -euo pipefail
packages=(cmake ninja-build g++ clang pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libsdl2-dev libpng-dev libgif-dev libcli11-dev nlohmann-json3-dev
          libclang-rt-14-dev xvfb xauth xdotool x11-apps
          libsdl2-ttf-dev fonts-dejavu-core
          emscripten node-acorn chromium nodejs)
(($#)) && packages=("$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The browser test's npm: Debian's, unless the node.js installed brings its own.
(($#)) || command -v npm >/dev/null || missing+=(npm)
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
