#!/usr/bin/env bash
# The screen catalogue's page as a browser shows it: headless Chromium opens a copy of
# index.html with a few lines added that count the pictures it could load (whole, 128 x 64),
# and the count must be every screen in every look. A picture taken away must be missed.
# Usage: catalogue_page_test.sh QL730_SIM WORK_FOLDER
set -uo pipefail
sim=$1 work=$2
source "$(dirname "$0")/page_pictures.sh"
rm -rf "$work" && mkdir -p "$work" || exit 2
"$sim" --catalogue "$work/catalogue" >"$work/out.txt" 2>"$work/err.txt" || {
    echo "FAILED: ql730-sim --catalogue exited with $?:"
    cat "$work/err.txt"
    exit 1
}
screens=$(grep -c '<tr id=' "$work/catalogue/index.html")
expected=$((screens * 10))
[[ $screens == 43 ]] || { echo "FAILED: the page has $screens rows, not 43"; exit 1; }

count_loaded() {
    count_loaded_pictures "$work/catalogue/index.html" "$work/catalogue/check.html" "$work/profile"
}

failures=0
found=$(count_loaded)
if [[ $found != "loaded $expected of $expected" ]]; then
    echo "FAILED: expected \"loaded $expected of $expected\", the browser says \"$found\""
    failures=$((failures + 1))
fi
rm "$work/catalogue/PerfRunScreen-german-metric.png"
found=$(count_loaded)
if [[ $found != "loaded $((expected - 1)) of $expected" ]]; then
    echo "FAILED: with a picture taken away the browser says \"$found\""
    failures=$((failures + 1))
fi
echo "$failures checks failed"
((failures == 0))
