#!/usr/bin/env bash
# Builds the script fuzzer (clang, libFuzzer, ASan + UBSan) and runs it for RUNS executions
# (default 1000000) from the scenarios as seed corpus. SEED (default 1) fixes the run.
# A crash leaves its input as crash-* in build/fuzz/; keep it in tests/fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-1000000}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
corpus=build/fuzz/corpus
rm -rf "$corpus"
mkdir -p "$corpus"
for f in tests/scenarios/*/scenario.txt; do
    cp "$f" "$corpus/$(basename "$(dirname "$f")").txt"
done
cd build/fuzz
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ./ql730_script_fuzzer -runs="$runs" -seed="${SEED:-1}" -max_len=4096 -timeout=10 \
    -print_final_stats=1 corpus
