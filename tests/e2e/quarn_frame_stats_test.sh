#!/bin/sh
# QUARN_FRAME_STATS=1: the real quarn prints its frames of play and their time
# on standard error when it ends, leaving out the menu and the pause; without
# the variable it prints nothing of the kind.
#
#   quarn_frame_stats_test.sh GAME_FOLDER
set -u
GAME=$1

. "$(dirname "$0")/e2e_lib.sh"
skip_without_display

now() { date +%s.%N; }

# In a fresh folder: three seconds or more of the menu, a new game played for
# two seconds, three seconds paused under the in-game menu, then SIGTERM. Sets line to the
# figures quarn printed and total to the seconds it ran.
play_and_end() {
    new_folder
    line=""
    started=$(now)
    launch_quarn || return 1
    sleep 2
    keys Return
    sleep 2
    keys Escape
    sleep 3
    kill -TERM "$pid"
    total=$(awk -v a="$(now)" -v b="$started" 'BEGIN { printf "%.2f", a - b }')
    wait_for_exit
    [ "$code" = "0" ] || fail "exit code $code"
    line=$(grep '^frames of play:' "$folder/stderr")
    if [ "$keep_folder" -eq 0 ]; then
        rm -rf "$folder"
    else
        echo "($case_name: files kept in $folder)"
    fi
}

case_name="figures asked for"
export QUARN_FRAME_STATS=1
play_and_end
echo "$case_name: $line (quarn ran $total s)"
# "frames of play: N in S s, F per second"
frames=$(echo "$line" | sed -n 's/^frames of play: \([0-9]*\) in .*/\1/p')
seconds=$(echo "$line" | sed -n 's/.* in \([0-9.]*\) s, .*/\1/p')
if [ -z "$frames" ] || [ -z "$seconds" ]; then
    fail "no figures on standard error: '$line'"
else
    [ "$frames" -gt 0 ] || fail "no frame of play counted"
    # About two and a half seconds of play; the menu or the pause counted
    # would add three seconds or more.
    awk -v s="$seconds" 'BEGIN { exit !(s > 1) }' || fail "only $seconds s of play"
    awk -v s="$seconds" 'BEGIN { exit !(s < 4.5) }' ||
        fail "$seconds s of play in a run of $total s: the menu or the pause counted"
fi

case_name="figures not asked for"
export QUARN_FRAME_STATS=0
play_and_end
[ -z "$line" ] || fail "figures printed: $line"

report "quarn frame stats test"
