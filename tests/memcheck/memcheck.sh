#!/bin/sh
# Memcheck of the game's own code, not run by CI (a few minutes):
#   1. quarn-sim over every level of BUILD_DIR/game/Levels, once with the
#      level's shipped solution (data/levels/NAME.sim) and once with
#      solutions.sim beside this file (hook, rope, wraps and collisions);
#   2. the real quarn in a window under Xvfb for SECONDS (default 40): a new
#      game started from the menu, the first level's run started, the hook
#      fired, the rope reeled in and out (W, S) and let go, then SIGTERM,
#      which the game answers by ending normally.
# Invalid reads or writes and definite leaks fail it; system.supp holds the
# suppressions for the system libraries, each explained.
#
#   tests/memcheck/memcheck.sh BUILD_DIR [SECONDS]
set -u
BUILD=$(cd "$1" && pwd)
SECONDS_IN_WINDOW=${2:-40}
HERE=$(cd "$(dirname "$0")" && pwd)
SOLUTIONS=$HERE/../../data/levels
LOGS=$BUILD/memcheck
mkdir -p "$LOGS"
VALGRIND="valgrind --error-exitcode=9 --leak-check=full --show-leak-kinds=definite"
VALGRIND="$VALGRIND --errors-for-leak-kinds=definite --track-origins=yes --keep-debuginfo=yes --num-callers=40"
VALGRIND="$VALGRIND --suppressions=$HERE/system.supp"
failures=0

cd "$BUILD/game" || exit 1
# Sound through SDL's silent driver, so the mixer code runs without a device;
# message boxes on standard error.
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" QUARN_MESSAGEBOX=stderr
# memcheck_sim NAME LEVEL SCRIPT: the log is $LOGS/sim-NAME.log.
memcheck_sim() {
    # shellcheck disable=SC2086
    $VALGRIND --log-file="$LOGS/sim-$1.log" ../quarn-sim --level "$2" "$3" >/dev/null
    code=$?
    printf '%-40s exit %s  %s\n' "quarn-sim $1" "$code" \
        "$(grep -h 'ERROR SUMMARY' "$LOGS/sim-$1.log" | sed 's/^==[0-9]*== //')"
    [ "$code" -eq 0 ] || failures=$((failures + 1))
}
for level in Levels/*.dme; do
    name=$(basename "$level" .dme)
    if [ -f "$SOLUTIONS/$name.sim" ]; then
        memcheck_sim "$name-solution" "$level" "$SOLUTIONS/$name.sim"
    fi
    memcheck_sim "$name-exercise" "$level" "$HERE/solutions.sim"
done

# shellcheck disable=SC2086
xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
    $VALGRIND --log-file=$LOGS/window.log ./quarn & pid=\$!
    sleep $((SECONDS_IN_WINDOW / 2))
    xdotool key Return; sleep 3; xdotool key Return; sleep 2
    xdotool mousemove_relative -- 30 -120 click 1; sleep 3
    xdotool keydown w; sleep 2; xdotool keyup w keydown s; sleep 2; xdotool keyup s
    xdotool click 3; sleep 2
    sleep $((SECONDS_IN_WINDOW / 4))
    kill -TERM \$pid
    wait \$pid"
code=$?
printf '%-40s exit %s  %s\n' "quarn in Xvfb" "$code" \
    "$(grep -h 'ERROR SUMMARY' "$LOGS/window.log" | sed 's/^==[0-9]*== //')"
[ "$code" -eq 0 ] || failures=$((failures + 1))
exit $((failures > 0))
