#!/bin/bash -eu
# Builds the fuzzers as OSS-Fuzz and ClusterFuzzLite build them: the compilers and their flags
# (sanitizer, coverage) from $CC $CXX $CFLAGS $CXXFLAGS, the engine from $LIB_FUZZING_ENGINE,
# the build in $WORK, the checkout in $SRC/ql730-sim. Each fuzzer goes to $OUT/NAME with its
# seed corpus ($OUT/NAME_seed_corpus.zip), dictionary (NAME.dict) and options (NAME.options).
# The project is C++ alone: $CC and $CFLAGS have nothing to build. scripts/cflite-local.sh
# runs this without Docker.
src="$SRC/ql730-sim"
# The track readers link the distribution's pugixml and GeographicLib archives, built against
# libstdc++: the fuzzers take it too (statically, so the runner's image needs no copy of it)
# instead of the builder's libc++.
cxxflags="${CXXFLAGS//-stdlib=libc++/}"
cmake -S "$src" -B "$WORK/ql730-build" -G Ninja \
    -DCMAKE_CXX_COMPILER="$CXX" -DCMAKE_CXX_FLAGS="$cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="-static-libstdc++" \
    -DQL730_FUZZ=ON -DQL730_FUZZING_ENGINE="$LIB_FUZZING_ENGINE" \
    -DQL730_TESTS=OFF -DQL730_APP=OFF -DQL730_PNG=OFF
targets=()
for name in script settings drive; do
    targets+=("ql730_${name}_fuzzer")
done
cmake --build "$WORK/ql730-build" -j"$(nproc)" --target "${targets[@]}"

seeds="$WORK/ql730-seeds"
for target in "${targets[@]}"; do
    name=${target#ql730_}
    name=${name%_fuzzer}
    cp "$WORK/ql730-build/$target" "$OUT/$target"
    rm -rf "$seeds/$name" "$OUT/${target}_seed_corpus.zip"
    bash "$src/scripts/fuzz-seeds.sh" "$name" "$seeds/$name"
    (cd "$seeds/$name" && zip -q -r "$OUT/${target}_seed_corpus.zip" .)
    cp "$src/tests/fuzz/$name.dict" "$OUT/$target.dict"
    printf '[libfuzzer]\nmax_len = 4096\n' >"$OUT/$target.options"
done
