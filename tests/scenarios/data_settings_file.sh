#!/bin/sh
# --settings: kept across runs, a bad file refused and left as it was, and a run killed with
# SIGKILL while it writes never leaves a damaged file.
set -eu
sim=$1
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT; cd "$work"
printf 'click top-left\nclick bottom-right\nclick bottom-left\nclick bottom-left\n' > dim.txt
printf 'expect-state settings.backlight 40\nexpect-state settings.language 16\n' > check.txt
"$sim" --headless --variant 4 --settings s.json dim.txt
"$sim" --headless --settings s.json check.txt
sed 's/"contrast": [0-9]*/"contrast": 300/' s.json > bad.json; cp bad.json before.json
set +e; "$sim" --headless --settings bad.json check.txt 2> err.txt; code=$?; set -e
[ "$code" = 2 ] && cmp bad.json before.json
[ "$(cat err.txt)" = "ql730-sim: bad.json: contrast: 300 is out of range (0 to 255)" ]
{ printf 'click top-left\nclick bottom-right\nclick bottom-left\n'
  i=0; while [ $i -lt 3000 ]; do printf 'click bottom-left\n'; i=$((i+1)); done; } > busy.txt
i=0
while [ $i -lt 30 ]; do
    "$sim" --headless --settings k.json busy.txt & pid=$!
    sleep 0.0$((i % 9 + 1)); kill -9 $pid 2>/dev/null || true; wait $pid 2>/dev/null || true
    [ ! -e k.json ] || "$sim" --headless --settings k.json check.txt >/dev/null 2>&1 ||
        { code=$?; [ $code = 1 ] || { echo "run $i left a damaged file"; cat k.json; exit 1; }; }
    i=$((i+1))
done
echo "settings file checked"
