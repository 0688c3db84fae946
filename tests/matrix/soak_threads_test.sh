#!/usr/bin/env bash
# The soak split across four seeds: on two threads it prints what one thread prints (but for
# the wall time), and the seeds add up to every input.
set -euo pipefail
soak="$1"
one=$("$soak" --inputs 20000 --per-seed 5000 --jobs 1 | grep -v '^wall time')
two=$("$soak" --inputs 20000 --per-seed 5000 --jobs 2 | grep -v '^wall time')
grep -qx 'seeds: 1 to 4, at most 5000 inputs each' <<<"$one" || { echo "FAILED: $one"; exit 1; }
grep -qx 'inputs: 20000' <<<"$one" || { echo "FAILED: $one"; exit 1; }
[[ "$one" == "$two" ]] || { diff <(echo "$one") <(echo "$two"); echo 'FAILED: two threads differ'; exit 1; }
echo "soak on two threads: the same as on one"
