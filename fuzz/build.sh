#!/bin/sh
# Builds the libFuzzer targets into build-fuzz/ (or $QUARN_FUZZ_BUILD_DIR) with
# clang, AddressSanitizer and UndefinedBehaviorSanitizer. The whole library is
# instrumented for coverage; only the fuzzers and what they need are built.
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR=${QUARN_FUZZ_BUILD_DIR:-build-fuzz}
FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DQUARN_FUZZ=ON -DQUARN_BUILD_TESTS=OFF
cmake --build "$BUILD_DIR" --target fuzzers -j "${QUARN_JOBS:-2}"
