#!/usr/bin/env bash
# Builds the release in a clean build folder, build/package (optimised, no tests):
#   build/package/ql730-sim_VERSION_ARCH.deb   the programs, man pages, desktop entry, icons,
#                                              bash completion, docs and examples (CPack)
#   build/package/ql730-web-VERSION.zip        the browser page, to unpack into any folder of
#                                              any static web server
# Installs what it needs when it is missing (the window and web sets of install-deps.sh, and
# help2man). ql730-headless is linked to the shared libraries, as Debian wants. With
# --deb-only it leaves the page out.
set -euo pipefail
cd "$(dirname "$0")/.."

web=1
case ${1-} in
"") ;;
--deb-only) web=0 ;;
*)
    echo "package.sh: $1 is not an option; the only one is --deb-only" >&2
    exit 2
    ;;
esac

sets=(window help2man zip dpkg-dev file)
((web)) && sets+=(web)
bash scripts/install-deps.sh "${sets[@]}"

out=build/package
rm -rf "$out"
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQL730_TESTS=OFF -DQL730_PACKAGE=ON \
      -DQL730_STATIC_HEADLESS=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$out" -j2
(cd "$out" && cpack -G DEB >/dev/null)
version=$(sed -n 's/^project(ql730 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=$(ls "$out"/ql730-sim_"$version"_*.deb)

if ((web)); then
    bash scripts/build-web.sh >/dev/null
    stage=$out/zip/ql730-web-$version
    mkdir -p "$stage"
    cp build/web/* "$stage"/
    rm -f "$out/ql730-web-$version.zip"
    (cd "$out/zip" && zip -qrX "../ql730-web-$version.zip" "ql730-web-$version")
    rm -rf "$out/zip"
    echo "the page: $out/ql730-web-$version.zip"
fi
echo "the package: $deb"
