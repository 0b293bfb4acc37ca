#!/bin/sh
# Starts quarn in a folder without settings.ini, checks its window (named
# "Quarn", 640 x 480) and that it ends with exit code 0 when the window is
# closed and when it gets SIGTERM.
#
#   quarn_window_test.sh QUARN X_CLOSE_WINDOW
set -u
QUARN=$1
CLOSE_WINDOW=$2

if [ -z "${DISPLAY:-}" ]; then
    echo "no DISPLAY: skipped"
    exit 77
fi

failures=0
fail() {
    echo "FAIL ($1): $2"
    failures=$((failures + 1))
}

# Prints the window id of the process's "Quarn" window, waiting up to 30 s (a
# loaded machine can take long to start it).
find_window() {
    tries=0
    while [ "$tries" -lt 300 ]; do
        id=$(xdotool search --all --pid "$1" --name '^Quarn$' 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
        tries=$((tries + 1))
    done
    return 1
}

# Waits up to 10 s for the process to end and sets code to its exit code. An
# ended child stays visible to kill -0 until waited for, so the state is read
# from /proc.
wait_for_exit() {
    tries=0
    while [ "$tries" -lt 100 ]; do
        state=$(sed -n 's/^State:[[:space:]]*\([A-Z]\).*/\1/p' "/proc/$1/status" 2>/dev/null)
        if [ -z "$state" ] || [ "$state" = "Z" ]; then
            wait "$1"
            code=$?
            return
        fi
        sleep 0.1
        tries=$((tries + 1))
    done
    kill -KILL "$1"
    wait "$1" 2>/dev/null
    code="none (still running after 10 s)"
}

run_case() {
    how=$1
    folder=$(mktemp -d)
    (cd "$folder" && exec env QUARN_MESSAGEBOX=stderr SDL_AUDIODRIVER=dummy "$QUARN" >"$folder/stdout" 2>"$folder/stderr") &
    pid=$!
    if ! window=$(find_window "$pid"); then
        fail "$how" "no window named Quarn appeared"
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        cat "$folder/stderr"
        rm -rf "$folder"
        return
    fi
    name=$(xdotool getwindowname "$window")
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: //p')
    [ "$name" = "Quarn" ] || fail "$how" "window name '$name'"
    [ "$geometry" = "640x480" ] || fail "$how" "window size $geometry, not 640x480"
    [ ! -e "$folder/settings.ini" ] || fail "$how" "settings.ini was written"

    # Frames keep coming: the process is alive and drawing after a second.
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "$how" "quarn ended on its own"

    case $how in
        close) "$CLOSE_WINDOW" "$window" || fail "$how" "could not send the close request" ;;
        sigterm) kill -TERM "$pid" ;;
    esac
    wait_for_exit "$pid"
    [ "$code" = "0" ] || fail "$how" "exit code $code"
    if grep -q "ERROR" "$folder/stderr"; then
        fail "$how" "error messages: $(cat "$folder/stderr")"
    fi
    echo "$how: window $name $geometry, exit code $code"
    rm -rf "$folder"
}

run_case close
run_case sigterm

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "quarn window test passed"
