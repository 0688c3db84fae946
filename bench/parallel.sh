#!/usr/bin/env bash
# Whole-suite figures on every core. Usage: bash bench/parallel.sh BUILD_FOLDER [ROUNDS]
#   a suite of 1000 scripts (the scenarios that run, copied over and over) with --jobs 1 and
#   --jobs 2, the catalogue with --jobs 1 and --jobs 2, and the soak's inputs a second on
#   each core; each timed ROUNDS times (default 3), the two in turn, and the median printed.
set -euo pipefail
build=$(cd "$1" && pwd)
rounds="${2:-3}"
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The scenarios a suite can hold: not the ones refused before they start.
runnable=()
for dir in "$here"/tests/scenarios/*/; do
    [[ -f "$dir/scenario.txt" ]] || continue
    [[ -f "$dir/expected-exit-code.txt" && "$(cat "$dir/expected-exit-code.txt")" == 2 ]] && continue
    runnable+=("$dir")
done
scripts=()
n=0
while ((${#scripts[@]} < 1000)); do
    for dir in "${runnable[@]}"; do
        ((${#scripts[@]} < 1000)) || break
        copy=$(printf '%s/suite/%04d-%s' "$work" "$n" "$(basename "$dir")")
        mkdir -p "$copy"
        cp -r "$dir"/. "$copy"
        scripts+=("$copy/scenario.txt")
        n=$((n + 1))
    done
done

seconds() { # the wall time of a command, its output thrown away
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}
median() { sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

time_pair() { # label, then the two commands' jobs: times both in turn
    local label=$1
    shift
    local one=() two=()
    for ((r = 0; r < rounds; r++)); do
        one+=("$(seconds "$@" --jobs 1)")
        two+=("$(seconds "$@" --jobs 2)")
    done
    local m1 m2
    m1=$(printf '%s\n' "${one[@]}" | median)
    m2=$(printf '%s\n' "${two[@]}" | median)
    printf '%s: --jobs 1 %.2f s, --jobs 2 %.2f s, %.2f x (medians of %d)\n' \
        "$label" "$m1" "$m2" "$(echo "$m1 / $m2" | bc -l)" "$rounds"
}

"$build/ql730-headless" "${scripts[@]}" --jobs 2 --junit "$work/check.xml" >/dev/null 2>&1 || true
echo "suite of ${#scripts[@]} scripts from ${#runnable[@]} scenarios on $(nproc) cores"
time_pair "1000 scripts" "$build/ql730-headless" "${scripts[@]}" --junit "$work/report.xml"
time_pair "catalogue" "$build/ql730-headless" --catalogue "$work/catalogue"
for jobs in 1 2; do
    "$build/ql730-soak" --inputs 400000 --per-seed 100000 --jobs "$jobs" | grep '^wall time' |
        sed "s/^/soak, 400000 inputs, --jobs $jobs: /"
done
