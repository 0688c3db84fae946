#!/usr/bin/env bash
# Gathers the seed corpus of one fuzz target into FOLDER (created; files already there stay):
#   script    the scenarios' scripts and the examples' scripts
#   settings  the settings files in tests/fuzz/settings/seeds
#   drive     a short GPX track and NMEA log in tests/fuzz/drive/seeds (the examples' are longer
#             than an input may be), the examples' drives and the scenarios' CSV drives
# and, for each, the inputs kept in tests/fuzz/crashes/TARGET. Usage: fuzz-seeds.sh TARGET FOLDER
set -euo pipefail
if [ $# -ne 2 ]; then
    echo "fuzz-seeds.sh: usage: fuzz-seeds.sh script|settings|drive FOLDER" >&2
    exit 2
fi
target=$1
mkdir -p "$2"
folder=$(cd "$2" && pwd)
cd "$(dirname "$0")/.."
shopt -s nullglob
case $target in
script) files=(tests/scenarios/*/scenario.txt examples/*.txt) ;;
settings) files=(tests/fuzz/settings/seeds/*) ;;
drive) files=(tests/fuzz/drive/seeds/* examples/*.csv examples/*.gpx examples/*.nmea tests/scenarios/*/*.csv) ;;
*)
    echo "fuzz-seeds.sh: $target is not a fuzz target; they are script, settings and drive" >&2
    exit 2
    ;;
esac
files+=(tests/fuzz/crashes/"$target"/*)
for f in "${files[@]}"; do
    # The path, flattened, names the copy: the scenarios' scripts share one file name.
    cp "$f" "$folder/${f//\//_}"
done
