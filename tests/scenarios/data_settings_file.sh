#!/bin/sh
# --settings: kept across runs, a bad file refused and left as it was, a run killed with
# SIGKILL while it writes never leaves a damaged file, a factory reset kept in the file takes
# effect at the next start, every value a field can hold is loaded and mended by the device,
# and a second simulator keeps off a file the first one uses.
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

# A factory reset: a few settings changed (the backlight by its menu, the rest in the file, fuel
# points as a calibration leaves them), yes on the question, then the next start rebuilds the
# store for its variant, keeps the fuel points beyond the count and writes the file valid.
"$sim" --headless --variant 4 --settings r.json dim.txt
python3 -c 'import json, sys
s = json.load(open("r.json"))
s.update(contrast=50, language=1, alarm_enabled=1, alarm_speed=1500, telemetry_mask=63, sleep=0)
s["fuel_table"] = {"count": 3, "volumes": [1000, 2000, 3000] + [0] * 7,
                   "readings": [40, 80, 120] + [0] * 7}
json.dump(s, open("r.json", "w"))'
printf 'click top-left\nclick top-right\nclick top-right\nclick bottom-left\nclick bottom-left\n' > reset.txt
printf 'click bottom-left\nexpect-screen FactoryResetScreen\n' >> reset.txt
"$sim" --headless --settings r.json reset.txt
grep -q '"settings_valid_marker": 255' r.json
printf 'print-state\n' > state.txt
"$sim" --headless --settings r.json state.txt > after.json
"$sim" --headless --variant 4 state.txt > fresh.json
python3 -c 'import json, sys
after = json.load(open("after.json"))["settings"]
fresh = json.load(open("fresh.json"))["settings"]
fresh["fuel_table"].update(volumes=[1000, 2000, 3000] + [0] * 7, readings=[40, 80, 120] + [0] * 7)
kept = json.load(open("r.json"))
for name, found in (("the device", after), ("r.json", kept)):
    if found != fresh: sys.exit(name + " after the reset: " + json.dumps(found))'

# Any value a field holds loads, and the device mends it when it reads it (raising the flag);
# what does not fit the field is refused.
sed -e 's/"distance_unit": [0-9]*/"distance_unit": 5/' -e 's/"resolution": [0-9]*/"resolution": 2/' \
    -e 's/"count_direction": [0-9]*/"count_direction": 9/' -e 's/"fuel_unit": [0-9]*/"fuel_unit": 2/' \
    -e 's/"alarm_enabled": [0-9]*/"alarm_enabled": 5/' -e 's/"count": [0-9]*/"count": -128/' \
    s.json > odd.json
printf 'expect-state settings.distance_unit 5\nexpect-state settings.count_direction 9\n' > odd.txt
printf 'expect-state system_flags 8\nexpect-state vehicle.counting_down false\n' >> odd.txt
"$sim" --headless --settings odd.json odd.txt
refused() { # FIELD VALUE MESSAGE
    sed "s/\"$1\": [^,]*/\"$1\": $2/" s.json > bad.json
    set +e; "$sim" --headless --settings bad.json check.txt 2> err.txt; code=$?; set -e
    [ "$code" = 2 ] && [ "$(cat err.txt)" = "ql730-sim: bad.json: $3" ] ||
        { echo "$1 $2: exit $code, $(cat err.txt)"; exit 1; }
}
refused resolution 256 "resolution: 256 is out of range (0 to 255)"
refused alarm_enabled -1 "alarm_enabled: -1 is out of range (0 to 255)"
refused fuel_unit '"0"' "fuel_unit: not a whole number"
refused count -129 "fuel_table.count: -129 is out of range (-128 to 127)"
# Past 2^63: compared and quoted as written, not wrapped (2^64 - 1 is not -1).
refused count 18446744073709551615 "fuel_table.count: 18446744073709551615 is out of range (-128 to 127)"
refused contrast 9223372036854775808 "contrast: 9223372036854775808 is out of range (0 to 255)"

# One simulator at a time: while the first waits for its script on a pipe, a second one on the
# same file, headless or in the window, stops at once; once the first has ended the file is free.
mkfifo feed
"$sim" --headless --settings s.json - < feed > /dev/null & first=$!
exec 3> feed
i=0
until grep -q "FLOCK .* $first " /proc/locks; do
    i=$((i+1)); [ $i -lt 200 ] || { echo "the first simulator took no lock"; exit 1; }; sleep 0.05
done
want="ql730-sim: s.json: settings: another simulator is using it; close that one first or give another file"
set +e; "$sim" --headless --settings s.json check.txt 2> err.txt; code=$?; set -e
[ "$code" = 2 ] && [ "$(cat err.txt)" = "$want" ] || { echo "second: $code $(cat err.txt)"; exit 1; }
set +e; env -u DISPLAY -u WAYLAND_DISPLAY "$sim" --settings s.json 2> err.txt; code=$?; set -e
[ "$code" = 2 ] && [ "$(cat err.txt)" = "$want" ] || { echo "window: $code $(cat err.txt)"; exit 1; }
exec 3>&-
wait $first
[ ! -e s.json.lock ]
"$sim" --headless --settings s.json check.txt
echo "settings file checked"
