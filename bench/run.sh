#!/bin/sh
# Builds quarn-bench in build-bench/ (the game's RelWithDebInfo flags) and runs
# it; the table of figures comes last. Arguments go to Google Benchmark, for
# example --benchmark_filter=step/ or --benchmark_min_time=0.2.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARN_BUILD_BENCH=ON \
    -DQUARN_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target quarn-bench
exec build-bench/bench/quarn-bench "$@"
