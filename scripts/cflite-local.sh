#!/usr/bin/env bash
# Runs .clusterfuzzlite/build.sh as ClusterFuzzLite runs it, without Docker: the engine's
# environment (clang, ASan, libFuzzer; SRC holding the checkout as ql730-sim, OUT, WORK under
# build/cflite), then each fuzzer built in $OUT for RUNS inputs (default 5000) from its
# unzipped seed corpus, with its dictionary and a fixed seed. Fails on any crash.
# Usage: cflite-local.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-5000}"
root="$PWD/build/cflite"
mkdir -p "$root/src" "$root/out" "$root/work"
ln -sfn "$PWD" "$root/src/ql730-sim"
export CC=clang CXX=clang++
export CFLAGS="-fsanitize=fuzzer-no-link,address" CXXFLAGS="-fsanitize=fuzzer-no-link,address"
export LIB_FUZZING_ENGINE=-fsanitize=fuzzer
export SRC="$root/src" OUT="$root/out" WORK="$root/work"
bash .clusterfuzzlite/build.sh
for fuzzer in "$OUT"/*_fuzzer; do
    name=$(basename "$fuzzer")
    corpus="$WORK/corpus/$name"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    python3 -m zipfile -e "$OUT/${name}_seed_corpus.zip" "$corpus"
    echo "=== $name: $runs inputs ==="
    if ! ASAN_OPTIONS=detect_leaks=1 "$fuzzer" -runs="$runs" -seed=1 -max_len=4096 -timeout=10 \
        -dict="$OUT/$name.dict" -artifact_prefix="$WORK/$name-" "$corpus" >"$WORK/$name.log" 2>&1; then
        tail -n 40 "$WORK/$name.log"
        echo "cflite-local.sh: $name failed; its input is kept as $WORK/$name-crash-*" >&2
        exit 1
    fi
    tail -n 1 "$WORK/$name.log"
done
