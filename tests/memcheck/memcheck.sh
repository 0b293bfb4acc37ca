#!/bin/sh
# Memcheck of the game's own code, not run by CI (a few minutes):
#   1. quarn-sim over every level of GAME_DIR/Levels with SCRIPT (default
#      solutions.sim beside this file);
#   2. the real quarn in a window under Xvfb for SECONDS (default 40), then
#      SIGTERM, which the game answers by ending normally.
# Invalid reads or writes and definite leaks fail it; system.supp holds the
# suppressions for the system libraries, each explained.
#
#   tests/memcheck/memcheck.sh BUILD_DIR [SECONDS]
set -u
BUILD=$(cd "$1" && pwd)
SECONDS_IN_WINDOW=${2:-40}
HERE=$(cd "$(dirname "$0")" && pwd)
LOGS=$BUILD/memcheck
mkdir -p "$LOGS"
VALGRIND="valgrind --error-exitcode=9 --leak-check=full --show-leak-kinds=definite"
VALGRIND="$VALGRIND --errors-for-leak-kinds=definite --track-origins=yes --keep-debuginfo=yes --num-callers=40"
VALGRIND="$VALGRIND --suppressions=$HERE/system.supp"
failures=0

cd "$BUILD/game" || exit 1
for level in Levels/*.dme; do
    name=$(basename "$level" .dme)
    # shellcheck disable=SC2086
    $VALGRIND --log-file="$LOGS/sim-$name.log" ../quarn-sim --level "$level" \
        "$HERE/solutions.sim" >/dev/null
    code=$?
    printf '%-28s exit %s  %s\n' "quarn-sim $name" "$code" \
        "$(grep -h 'ERROR SUMMARY' "$LOGS/sim-$name.log" | sed 's/^==[0-9]*== //')"
    [ "$code" -eq 0 ] || failures=$((failures + 1))
done

# shellcheck disable=SC2086
xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
    $VALGRIND --log-file=$LOGS/window.log ./quarn & pid=\$!
    sleep $SECONDS_IN_WINDOW
    kill -TERM \$pid
    wait \$pid"
code=$?
printf '%-28s exit %s  %s\n' "quarn in Xvfb" "$code" \
    "$(grep -h 'ERROR SUMMARY' "$LOGS/window.log" | sed 's/^==[0-9]*== //')"
[ "$code" -eq 0 ] || failures=$((failures + 1))
exit $((failures > 0))
