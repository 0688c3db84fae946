#!/usr/bin/env bash
# Whole-suite figures on every core. Usage: bash bench/parallel.sh BUILD_FOLDER [ROUNDS]
#   a suite of 1000 scripts (the scenarios that run, copied over and over) with --jobs 1 and
#   --jobs 2, the catalogue with --jobs 1 and --jobs 2, and the soak's inputs a second on
#   each core; each timed ROUNDS times (default 21), the two in turn, and the medians printed.
set -euo pipefail
build=$(cd "$1" && pwd)
rounds="${2:-21}"
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

time_pair() { # label, then a command: timed with --jobs 1 and --jobs 2 in turn, after a warm-up
    local label=$1
    shift
    local one=() two=() ratios=()
    seconds "$@" --jobs 1 >/dev/null
    for ((r = 0; r < rounds; r++)); do
        one+=("$(seconds "$@" --jobs 1)")
        two+=("$(seconds "$@" --jobs 2)")
        ratios+=("$(echo "${one[r]} / ${two[r]}" | bc -l)")
    done
    printf '%s: --jobs 1 %.3f s, --jobs 2 %.3f s, %.2f x (medians of %d; the ratio is the median of each pair'"'"'s, from %.2f to %.2f)\n' \
        "$label" "$(printf '%s\n' "${one[@]}" | median)" "$(printf '%s\n' "${two[@]}" | median)" \
        "$(printf '%s\n' "${ratios[@]}" | median)" "$rounds" \
        "$(printf '%s\n' "${ratios[@]}" | sort -g | head -1)" "$(printf '%s\n' "${ratios[@]}" | sort -g | tail -1)"
}

# The copies written to the disk before anything is timed, not while.
sync
"$build/ql730-headless" "${scripts[@]}" --jobs 2 --junit "$work/check.xml" >/dev/null 2>&1 || true
echo "suite of ${#scripts[@]} scripts from ${#runnable[@]} scenarios on $(nproc) cores"
time_pair "1000 scripts" "$build/ql730-headless" "${scripts[@]}" --junit "$work/report.xml"
time_pair "catalogue" "$build/ql730-headless" --catalogue "$work/catalogue"
for jobs in 1 2; do
    "$build/ql730-soak" --inputs 400000 --per-seed 100000 --jobs "$jobs" | grep '^wall time' |
        sed "s/^/soak, 400000 inputs, --jobs $jobs: /"
done
