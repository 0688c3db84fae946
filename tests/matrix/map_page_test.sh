#!/usr/bin/env bash
# The screen map and screen coverage from the command line: --map writes valid JSON and SVG,
# its page opens in headless Chromium with every thumbnail loaded, --coverage over two scripts
# prints its line and --min-coverage passes and fails at its threshold; without dot, one line
# and exit code 2.
# Usage: map_page_test.sh QL730_HEADLESS WORK_FOLDER
set -uo pipefail
headless=$1 work=$2
source "$(dirname "$0")/page_pictures.sh"
rm -rf "$work" && mkdir -p "$work" || exit 2
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

"$headless" --map "$work/map" >"$work/out.txt" 2>"$work/err.txt" ||
    fail "--map exited with $?: $(cat "$work/err.txt")"
python3 - "$work/map" <<'PY' || failures=$((failures + 1))
import json, sys, xml.etree.ElementTree as ET
folder = sys.argv[1]
m = json.load(open(folder + "/map.json"))
svg = ET.parse(folder + "/map.svg").getroot()
images = [e for e in svg.iter() if e.tag.endswith("image")]
if len(m["nodes"]) != 43 or m["unreached"] or len(images) != 43:
    print("FAILED: %d nodes, unreached %s, %d images in the SVG" %
          (len(m["nodes"]), m["unreached"], len(images)))
    sys.exit(1)
PY

# The page as the browser shows it: every thumbnail loaded whole (128 x 64), in the table and
# in the drawing.
count_loaded() {
    count_loaded_pictures "$work/map/index.html" "$work/map/check.html" "$work/profile" \
        '"drawn " + document.querySelectorAll("#drawing svg image").length'
}
found=$(count_loaded)
[[ $found == "loaded 43 of 43, drawn 43" ]] || fail "the browser says \"$found\""
rm "$work/map/screens/AboutScreen.png"
found=$(count_loaded)
[[ $found == "loaded 42 of 43, drawn 43" ]] || fail "with a thumbnail taken away: \"$found\""

# Coverage of two small scripts: 3 of 43 screens is 6.98 %.
printf 'click top-left\nclick top-left\n' >"$work/a.txt"
printf 'click top-left\nclick top-right\nclick top-right\nclick bottom-left\n' >"$work/b.txt"
"$headless" "$work/a.txt" "$work/b.txt" --coverage "$work/cov.json" --min-coverage 6.9 \
    >/dev/null 2>"$work/cov_err.txt" || fail "--min-coverage 6.9 exited with $?"
grep -q "^ql730-headless: screens 3/43, transitions [0-9]*/[0-9]*$" "$work/cov_err.txt" ||
    fail "no coverage line: $(cat "$work/cov_err.txt")"
python3 -c "
import json, sys
c = json.load(open('$work/cov.json'))
ok = sorted(c['screens']['visited_screens']) == ['AboutScreen', 'MainMenuScreen', 'MainTripScreen']
sys.exit(0 if ok and len(c['screens']['unvisited_screens']) == 40 else 1)" ||
    fail "cov.json does not hold the three screens visited"
grep -q 'id="unvisited-screens"' "$work/cov.json.html" || fail "no cov.json.html"
"$headless" "$work/a.txt" "$work/b.txt" --min-coverage 7 >/dev/null 2>"$work/low.txt"
code=$?
[[ $code == 1 ]] && grep -q "below --min-coverage" "$work/low.txt" ||
    fail "--min-coverage 7 exited with $code: $(cat "$work/low.txt")"
"$headless" "$work/a.txt" --min-coverage 9x >/dev/null 2>"$work/bad.txt"
code=$?
[[ $code == 2 && $(wc -l <"$work/bad.txt") == 1 ]] || fail "--min-coverage 9x exited with $code"

"$headless" "$work/a.txt" --coverage "$work/none/cov.json" >/dev/null 2>"$work/nofolder.txt"
code=$?
[[ $code == 2 && $(wc -l <"$work/nofolder.txt") == 1 ]] ||
    fail "--coverage into a missing folder exited with $code: $(cat "$work/nofolder.txt")"

# Without Graphviz's dot: one line, exit code 2, nothing written.
mkdir -p "$work/nodot"
ln -sf "$(command -v python3)" "$work/nodot/python3"
PATH=$work/nodot "$headless" --map "$work/map2" >/dev/null 2>"$work/nodot.txt"
code=$?
[[ $code == 2 && $(wc -l <"$work/nodot.txt") == 1 && ! -e $work/map2 ]] &&
    grep -q "graphviz" "$work/nodot.txt" || fail "without dot: exit $code, $(cat "$work/nodot.txt")"

echo "$failures checks failed"
((failures == 0))
