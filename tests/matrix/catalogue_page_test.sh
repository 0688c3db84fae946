#!/usr/bin/env bash
# The screen catalogue's page as a browser shows it: headless Chromium opens a copy of
# index.html with a few lines added that count the pictures it could load (whole, 128 x 64),
# and the count must be every screen in every look. A picture taken away must be missed.
# Usage: catalogue_page_test.sh QL730_SIM WORK_FOLDER
set -uo pipefail
sim=$1 work=$2
browser=$(command -v chromium || command -v chromium-browser) || {
    echo "FAILED: chromium is not installed (bash scripts/install-deps.sh installs it)"
    exit 1
}
rm -rf "$work" && mkdir -p "$work" || exit 2
"$sim" --catalogue "$work/catalogue" >"$work/out.txt" 2>"$work/err.txt" || {
    echo "FAILED: ql730-sim --catalogue exited with $?:"
    cat "$work/err.txt"
    exit 1
}
screens=$(grep -c '<tr id=' "$work/catalogue/index.html")
expected=$((screens * 10))
[[ $screens == 43 ]] || { echo "FAILED: the page has $screens rows, not 43"; exit 1; }

# Prints "loaded N of M" as the browser counted them on the page.
count_loaded() {
    local page=$work/catalogue/check.html
    sed 's|</body>|<script>\
addEventListener("load", () => {\
  const all = [...document.images];\
  const whole = all.filter(i => i.complete \&\& i.naturalWidth === 128 \&\& i.naturalHeight === 64);\
  const p = document.createElement("p");\
  p.id = "count";\
  p.textContent = "loaded " + whole.length + " of " + all.length;\
  document.body.appendChild(p);\
});\
</script></body>|' "$work/catalogue/index.html" >"$page"
    "$browser" --headless --disable-gpu --no-sandbox --virtual-time-budget=20000 \
        --user-data-dir="$work/profile" --dump-dom "file://$page" 2>/dev/null |
        grep -o '<p id="count">[^<]*</p>' | sed 's/<[^>]*>//g'
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
