#!/bin/bash
# Soak test of the real quarn (not part of CTest or CI): random input across
# the menus and play for MINUTES minutes (default 10) in a copy of the built
# game folder: keys, mouse moves, both buttons, held reel and swing keys,
# Escape into and out of the in-game menu, restarts, new games and credits.
# Reports the frames of play the game counts itself (QUARN_FRAME_STATS), the
# screenshots it wrote and checked, resident memory at start, once a minute
# and at the end, and fails on a crash or a lost window.
#
#   tests/e2e/soak.sh [MINUTES]
#
# BUILD (default build/ of this checkout) holds the game folder and the test
# helpers; SEED makes a run repeatable. Without DISPLAY it runs itself under
# xvfb-run.
set -u
MINUTES=${1:-10}
here=$(cd "$(dirname "$0")" && pwd)
BUILD=${BUILD:-$here/../../build}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
GAME=$BUILD/game
PICTURES=$BUILD/tests/e2e/e2e_menu_pictures
for needed in "$GAME/quarn" "$PICTURES"; do
    [ -e "$needed" ] || { echo "missing $needed: build the project first"; exit 2; }
done
. "$here/e2e_lib.sh"

SEED=${SEED:-$$}
RANDOM=$SEED
case_name="soak"

new_folder
export QUARN_FRAME_STATS=1
launch_quarn || exit 1

rss_kib() {
    sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$pid/status" 2>/dev/null
}
alive() {
    local process
    process=$(sed -n 's/^State:[[:space:]]*\([A-Z]\).*/\1/p' "/proc/$pid/status" 2>/dev/null)
    [ -n "$process" ] && [ "$process" != "Z" ]
}
random() {  # random LOW HIGH: a whole number from LOW to HIGH
    echo $(($1 + RANDOM % ($2 - $1 + 1)))
}

rss_start=$(rss_kib)
shots=0
actions=0
lost=""

# The script follows the program's state from what it sends: the main menu
# (its selected entry), the credits, a running game, and the in-game menu
# (its selected entry; a menu shown anew selects its first entry). In the
# menus it sends keys only, so that the mouse never moves a selection behind
# its back; Escape in a menu quits, so it is
# sent there only at the end. Every change of state is checked in a
# screenshot: a game shows the heads-up display, the main menu does not.
screen=main
main_entry=1
paused_entry=1

# select CURRENT WANTED: Up or Down presses from CURRENT to WANTED of 4 entries.
select_entry() {
    local steps=$((($2 - $1 + 4) % 4))
    local key=Down
    if [ "$steps" -eq 3 ]; then
        steps=1
        key=Up
    fi
    while [ "$steps" -gt 0 ]; do
        keys "$key"
        steps=$((steps - 1))
    done
}

check_state() {
    [ -z "${SOAK_VERBOSE:-}" ] || echo "$(date +%T) $screen (main entry $main_entry, in-game entry $paused_entry), VmRSS $(rss_kib) KiB"
    screenshot "$screen" || return
    shots=$((shots + 1))
    local tt
    tt=$(text_pixels "$HUD_TT")
    case $screen in
        game) [ "$tt" -gt 10 ] || lost="no heads-up display in $(basename "$shot")" ;;
        main) [ "$tt" -eq 0 ] || lost="a heads-up display in the menu in $(basename "$shot")" ;;
    esac
    [ -n "$lost" ] || rm -f "$shot"
}

in_main_menu() {
    if [ "$(random 1 6)" -eq 1 ]; then
        select_entry $main_entry 3
        main_entry=3
        keys Return
        screen=credits
        sleep 0.5
        keys Return
        screen=main
        main_entry=1
    else
        select_entry $main_entry 1
        main_entry=1
        keys Return
        screen=game
        sleep 1
    fi
    check_state
}

in_paused_menu() {
    local wanted
    case $(random 1 6) in
        1 | 2 | 3) wanted=1 ;;  # resume
        4 | 5) wanted=2 ;;      # restart the level
        6) wanted=4 ;;          # end the game
    esac
    select_entry $paused_entry $wanted
    paused_entry=$wanted
    keys Return
    if [ "$wanted" -eq 4 ]; then
        screen=main
        main_entry=1
    else
        screen=game
    fi
    check_state
}

# A burst of random play, then Escape into the in-game menu.
in_game() {
    local count
    count=$(random 5 40)
    while [ "$count" -gt 0 ] && alive; do
        actions=$((actions + 1))
        case $(random 1 12) in
            1 | 2) xdotool mousemove_relative -- "$(random -200 200)" "$(random -200 200)" ;;
            3) xdotool click 1 ;;
            4) xdotool click 3 ;;
            5 | 6 | 7)
                local key
                key=$(echo w s a d | cut -d' ' -f"$(random 1 4)")
                xdotool keydown "$key"
                sleep "0.$(random 1 9)"
                xdotool keyup "$key"
                ;;
            8) xdotool key space Return ;;
            9) xdotool key h ;;
            10) [ "$(random 1 4)" -eq 1 ] && xdotool key F12 ;;  # restart the level
            11) check_state ;;
            12) xdotool mousedown 1 mousemove_relative -- 30 -30 mouseup 1 ;;
        esac
        sleep "0.0$(random 5 9)"
        count=$((count - 1))
    done
    # Let the last mouse motion and buttons reach the game, not the menu.
    sleep 0.5
    keys Escape
    screen=paused
    paused_entry=1
}

started=$(date +%s)
end_time=$((started + MINUTES * 60))
next_minute=$((started + 60))
echo "soak: $MINUTES minute(s), seed $SEED, quarn pid $pid, files in $folder"
echo "start: VmRSS $rss_start KiB"
while [ "$(date +%s)" -lt "$end_time" ] && alive && [ -z "$lost" ]; do
    case $screen in
        main) in_main_menu ;;
        game) in_game ;;
        paused) in_paused_menu ;;
    esac
    if [ "$(date +%s)" -ge "$next_minute" ] && alive; then
        echo "minute $(((next_minute - started) / 60)): VmRSS $(rss_kib) KiB"
        next_minute=$((next_minute + 60))
    fi
done

rss_end=$(rss_kib)
rss_peak=$(sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$pid/status" 2>/dev/null)
[ -z "$lost" ] || fail "the script lost track of the game's state: $lost"
if alive; then
    quit_by_escape
    wait_for_exit
    [ "$code" = "0" ] || fail "exit code $code"
else
    wait "$pid"
    code=$?
    fail "quarn ended by itself before the script quit it (exit code $code)"
fi

play_frames=$(grep '^frames of play:' "$folder/stderr")
echo "${play_frames:-frames of play: none reported} (in $MINUTES minute(s) of menus and play)"
echo "screenshots written and checked: $shots"
echo "random play actions: $actions"
echo "resident memory (VmRSS): ${rss_start:-?} KiB at start, ${rss_end:-?} KiB at the end (peak ${rss_peak:-?} KiB)"
echo "exit code: $code"
if [ "$keep_folder" -eq 0 ]; then
    rm -rf "$folder"
else
    echo "(files kept in $folder)"
fi
report "soak"
