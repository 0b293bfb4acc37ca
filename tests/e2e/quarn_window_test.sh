#!/bin/sh
# Starts quarn in a folder without settings.ini, checks its window (named
# "Quarn", 640 x 480) and that it ends with exit code 0 when the window is
# closed and when it gets SIGTERM.
#
#   quarn_window_test.sh QUARN X_CLOSE_WINDOW
set -u
QUARN=$1
CLOSE_WINDOW=$2

. "$(dirname "$0")/e2e_lib.sh"
skip_without_display

run_case() {
    case_name=$1
    # An empty folder: no settings.ini, no game data.
    folder=$(mktemp -d)
    keep_folder=0
    cp "$QUARN" "$folder/quarn"
    if ! launch_quarn; then
        cat "$folder/stderr"
        rm -rf "$folder"
        return
    fi
    name=$(xdotool getwindowname "$window")
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: //p')
    [ "$name" = "Quarn" ] || fail "window name '$name'"
    [ "$geometry" = "640x480" ] || fail "window size $geometry, not 640x480"
    [ ! -e "$folder/settings.ini" ] || fail "settings.ini was written"

    # Frames keep coming: the process is alive and drawing after a second.
    sleep 1
    quarn_ended && fail "quarn ended on its own"

    case $case_name in
        close) "$CLOSE_WINDOW" "$window" || fail "could not send the close request" ;;
        sigterm) kill -TERM "$pid" ;;
    esac
    wait_for_exit
    [ "$code" = "0" ] || fail "exit code $code"
    if grep -q "ERROR" "$folder/stderr"; then
        fail "error messages: $(cat "$folder/stderr")"
    fi
    echo "$case_name: window $name $geometry, exit code $code"
    rm -rf "$folder"
}

run_case close
run_case sigterm

report "quarn window test"
