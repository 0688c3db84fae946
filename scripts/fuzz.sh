#!/usr/bin/env bash
# Builds a fuzzer (clang, libFuzzer, ASan + UBSan) and runs it for RUNS executions (default
# 1000000) from its seed corpus (scripts/fuzz-seeds.sh) with its dictionary. TARGET is script
# (the default), settings or drive. SEED (default 1) fixes the run.
# Usage: fuzz.sh [TARGET] [RUNS]  (fuzz.sh RUNS fuzzes the scripts, as it always did)
# A crash leaves its input as crash-* in build/fuzz/; keep it in tests/fuzz/crashes/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."
target=script
if [[ ${1:-} =~ ^[a-z]+$ ]]; then
    target=$1
    shift
fi
runs="${1:-1000000}"
case $target in
script | settings | drive) ;;
*)
    echo "fuzz.sh: $target is not a fuzz target; they are script, settings and drive" >&2
    exit 2
    ;;
esac
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "ql730_${target}_fuzzer"
corpus=build/fuzz/corpus-$target
rm -rf "$corpus"
bash scripts/fuzz-seeds.sh "$target" "$corpus"
cd build/fuzz
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "./ql730_${target}_fuzzer" -runs="$runs" -seed="${SEED:-1}" -max_len=4096 -timeout=10 \
    -dict="../../tests/fuzz/$target.dict" -print_final_stats=1 "corpus-$target"
