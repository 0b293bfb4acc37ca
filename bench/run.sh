#!/bin/sh
# Builds quarn-bench and the game folder in build-bench/ (the game's
# RelWithDebInfo flags), runs quarn-bench, then measures the frame rate of the
# real quarn on every shipped level (bench/frame_rate.sh, under Xvfb when
# there is no DISPLAY). Each prints its table last. Arguments go to Google
# Benchmark, for example --benchmark_filter=step/ or --benchmark_min_time=0.2;
# FRAME_SECONDS=N plays each level N seconds (default 10), FRAME_SECONDS=0
# leaves the frame rate out.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARN_BUILD_BENCH=ON \
    -DQUARN_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target quarn-bench quarn-fill-calibration game_folder
build-bench/bench/quarn-bench "$@"
if [ "${FRAME_SECONDS:-10}" != 0 ]; then
    echo
    sh bench/frame_rate.sh build-bench/game build-bench/bench/quarn-fill-calibration
fi
