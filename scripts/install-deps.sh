#!/usr/bin/env bash
# Installs the Debian packages the simulator needs, if any are missing, by set:
#   window  building and running ql730-sim and ql730-headless (bash scripts/run.sh); Graphviz's
#           dot draws the screen map (--map)
#   test    the window's set, and every test of the default, asan and clang presets and the
#           fuzzer: GoogleTest, Google Benchmark, clang with its sanitizer and fuzzer
#           runtime, a virtual X server and xdotool, Chromium for the catalogue's page; and
#           the package's check: help2man, lintian, desktop-file-utils, bash-completion,
#           man-db, zip, dpkg-dev
#   web     the browser page (bash scripts/build-web.sh) and its test in Chromium
#   all     every set; also what no argument means (bash scripts/test-all.sh)
# Package names may be given instead of or beside sets: install-deps.sh window xdotool
# Run as root (or with sudo available).
set -euo pipefail

window=(g++ cmake ninja-build libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core libpng-dev libgif-dev
        libcli11-dev nlohmann-json3-dev graphviz libpugixml-dev libgeographiclib-dev libgps-dev)
test=("${window[@]}" libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
      xvfb xdotool x11-apps python3 python3-junitparser chromium gpsd gpsd-clients
      help2man lintian desktop-file-utils bash-completion man-db zip dpkg-dev file)
# npm is the browser test's: Debian's, unless the node.js installed brings its own.
web=(cmake ninja-build nlohmann-json3-dev emscripten node-acorn chromium nodejs npm)

(($#)) || set -- all
packages=()
for word in "$@"; do
    case $word in
    window) packages+=("${window[@]}") ;;
    test) packages+=("${test[@]}") ;;
    web) packages+=("${web[@]}") ;;
    all) packages+=("${test[@]}" "${web[@]}") ;;
    -*)
        echo "install-deps.sh: $word is not a set or a package; the sets are window, test, web" \
             "and all" >&2
        exit 2
        ;;
    *) packages+=("$word") ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    [[ " ${missing[*]} " == *" $p "* ]] && continue
    if [ "$p" = npm ]; then
        command -v npm >/dev/null && continue
    else
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" && continue
    fi
    missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
