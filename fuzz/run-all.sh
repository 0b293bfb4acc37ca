#!/bin/sh
# Runs every fuzzer for SECONDS each (default 60), one after another, at low
# priority. Builds them first (fuzz/build.sh), replays the committed
# regression inputs, keeps the growing corpora in build-fuzz/corpus/ and
# prints each fuzzer's executions, coverage and corpus size at the end.
# Exit status 1 when any fuzzer found a crash, a leak or a hang: the input is
# left in build-fuzz/artifacts/FUZZER/.
#
#   fuzz/run-all.sh [SECONDS] [FUZZER...]
#
# FUZZ_RUNS=N stops each fuzzer after N executions, or after SECONDS if that
# comes first.
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
[ $# -gt 0 ] && shift
BUILD_DIR=${QUARN_FUZZ_BUILD_DIR:-build-fuzz}
FUZZ_DIR=$(pwd)/fuzz

mkdir -p "$BUILD_DIR"
./fuzz/build.sh >"$BUILD_DIR/fuzz-build.log" 2>&1 || { cat "$BUILD_DIR/fuzz-build.log"; exit 1; }
# Absolute paths: settings_fuzzer works in a folder of its own.
BUILD_DIR=$(cd "$BUILD_DIR" && pwd)
BIN=$BUILD_DIR/fuzz
mkdir -p "$BUILD_DIR/seeds" "$BUILD_DIR/corpus" "$BUILD_DIR/artifacts" "$BUILD_DIR/logs"
"$BIN/quarn-fuzz-seeds" "$BUILD_DIR/seeds" "$FUZZ_DIR/seeds/level_source"

# FUZZER: committed seed folders, dictionary.
seeds_of() {
    case "$1" in
        playlist_fuzzer | effects_fuzzer) echo "$FUZZ_DIR/seeds/playlist $FUZZ_DIR/seeds/effects" ;;
        settings_fuzzer) echo "$FUZZ_DIR/seeds/settings" ;;
        level_source_fuzzer) echo "$FUZZ_DIR/seeds/level_source" ;;
        sim_script_fuzzer) echo "$FUZZ_DIR/seeds/sim_script" ;;
        # The shipped levels too, once the normal build has laid out build/game/.
        scene_fuzzer) echo "$BUILD_DIR/seeds/$1 $(ls -d build/game/Levels 2>/dev/null)" ;;
        *) echo "$BUILD_DIR/seeds/$1" ;;
    esac
}
dictionary_of() {
    case "$1" in
        scene_fuzzer) echo "$FUZZ_DIR/dictionaries/scene.dict" ;;
        playlist_fuzzer | effects_fuzzer) echo "$FUZZ_DIR/dictionaries/m3u.dict" ;;
        settings_fuzzer) echo "$FUZZ_DIR/dictionaries/settings.dict" ;;
        level_source_fuzzer) echo "$FUZZ_DIR/dictionaries/level_source.dict" ;;
        sim_script_fuzzer) echo "$FUZZ_DIR/dictionaries/sim_script.dict" ;;
    esac
}

if [ $# -eq 0 ]; then
    set -- $(cd "$BIN" && ls -- *_fuzzer)
fi

failed=""
printf '%-22s %12s %8s %8s %8s\n' fuzzer executions exec/s coverage corpus
for fuzzer in "$@"; do
    corpus=$BUILD_DIR/corpus/$fuzzer
    artifacts=$BUILD_DIR/artifacts/$fuzzer/
    log=$BUILD_DIR/logs/$fuzzer.log
    mkdir -p "$corpus" "$artifacts"
    # Every input that once crashed must keep loading cleanly.
    regressions=$FUZZ_DIR/regressions/$fuzzer
    if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
        if ! "$BIN/$fuzzer" "$regressions"/* >"$BUILD_DIR/logs/$fuzzer.regressions.log" 2>&1; then
            echo "$fuzzer: a regression input fails again, see $BUILD_DIR/logs/$fuzzer.regressions.log"
            failed="$failed $fuzzer"
            continue
        fi
    fi
    dict=$(dictionary_of "$fuzzer")
    # shellcheck disable=SC2046
    if ! nice "$BIN/$fuzzer" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts" ${dict:+-dict="$dict"} \
        ${FUZZ_RUNS:+-runs="$FUZZ_RUNS"} \
        "$corpus" $(seeds_of "$fuzzer") >"$log" 2>&1; then
        failed="$failed $fuzzer"
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    printf '%-22s %12s %8s %8s %8s\n' "$fuzzer" "${runs:-?}" "${speed:-?}" "${coverage:-?}" \
        "$(ls "$corpus" | wc -l)"
done
if [ -n "$failed" ]; then
    echo "found problems in:$failed (inputs in $BUILD_DIR/artifacts/, logs in $BUILD_DIR/logs/)"
    exit 1
fi
