# Shell helpers shared by the end-to-end scripts: a fresh copy of the game
# folder, the real quarn started in it, keys and mouse through xdotool, the
# game's own Print Screen screenshots, and the exit code.
#
# Source it with GAME set to the game folder to copy; the script sets
# case_name before each case. Counts failures in $failures.

failures=0
fail() {
    echo "FAIL (${case_name:-}): $1"
    failures=$((failures + 1))
    keep_folder=1
}

skip_without_display() {
    if [ -z "${DISPLAY:-}" ]; then
        echo "no DISPLAY: skipped"
        exit 77
    fi
}

# A fresh copy of the game folder; sets folder.
new_folder() {
    folder=$(mktemp -d)
    keep_folder=0
    cp -R "$GAME"/. "$folder"/
    rm -f "$folder"/screenshot*
}

# Starts quarn in $folder; sets pid and window. Waits up to 30 s for the
# window named "Quarn" (a loaded machine can take long to start it).
launch_quarn() {
    (cd "$folder" && exec env QUARN_MESSAGEBOX=stderr SDL_AUDIODRIVER=dummy ./quarn \
        >"$folder/stdout" 2>"$folder/stderr") &
    pid=$!
    window=""
    tries=0
    while [ -z "$window" ] && [ "$tries" -lt 300 ]; do
        window=$(xdotool search --all --pid "$pid" --name '^Quarn$' 2>/dev/null | head -n 1)
        [ -n "$window" ] || sleep 0.1
        tries=$((tries + 1))
    done
    shot_number=0
    if [ -z "$window" ]; then
        fail "no window named Quarn appeared"
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        return 1
    fi
    xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 1
    return 0
}

# True once quarn has ended. An ended child stays visible to kill -0 until
# waited for, so the state is read from /proc.
quarn_ended() {
    state=$(sed -n 's/^State:[[:space:]]*\([A-Z]\).*/\1/p' "/proc/$pid/status" 2>/dev/null)
    [ -z "$state" ] || [ "$state" = "Z" ]
}

# Waits up to 10 s for quarn to end; sets code to its exit code.
wait_for_exit() {
    tries=0
    while [ "$tries" -lt 100 ]; do
        if quarn_ended; then
            wait "$pid"
            code=$?
            return
        fi
        sleep 0.1
        tries=$((tries + 1))
    done
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null
    code="none (still running after 10 s)"
}

# Expects quarn to end with exit code 0, then removes the folder unless a
# check of the case failed.
finish() {
    wait_for_exit
    [ "$code" = "0" ] || fail "exit code $code"
    if [ "$keep_folder" -eq 0 ]; then
        rm -rf "$folder"
    else
        echo "($case_name: files kept in $folder)"
    fi
}

# Keys one by one, far enough apart that each lands in a frame of its own.
keys() {
    xdotool key --delay 150 "$@"
    sleep 0.4
}

click() {
    xdotool mousedown 1
    sleep 0.3
    xdotool mouseup 1
    sleep 0.4
}

move() {
    xdotool mousemove_relative -- "$1" "$2"
    sleep 0.3
}

# Presses Escape until quarn ends, up to 5 times 2 s apart: Escape pauses a
# game and quits from the menus, and a key read in a frame that changes the
# state (a pause, a new game) is lost. finish then collects the exit code.
quit_by_escape() {
    for attempt in 1 2 3 4 5; do
        xdotool key Escape
        tries=0
        while [ "$tries" -lt 20 ]; do
            quarn_ended && return 0
            sleep 0.1
            tries=$((tries + 1))
        done
    done
    return 1
}

# Presses Print Screen and waits up to 5 s for the screenshot, then once more
# (a key read in the frame that starts a new game is lost); moves it to
# $folder/shotN-NAME.png and sets shot to its path (empty on failure).
screenshot() {
    xdotool key Print
    await_screenshot "$1" quiet && return 0
    shot_number=$((shot_number - 1))
    xdotool key Print
    await_screenshot "$1"
}

# Waits for a screenshot the caller asked for with its own Print Screen
# (for one taken in the same breath as other input); as screenshot. With
# "quiet" as second argument a missing screenshot is not a failure.
await_screenshot() {
    shot_number=$((shot_number + 1))
    tries=0
    shot=""
    while [ "$tries" -lt 50 ]; do
        found=$(ls "$folder"/screenshot*.png 2>/dev/null | head -n 1)
        if [ -n "$found" ]; then
            sleep 0.2
            shot="$folder/shot$shot_number-$1.png"
            mv "$found" "$shot"
            return 0
        fi
        sleep 0.1
        tries=$((tries + 1))
    done
    [ "${2:-}" = quiet ] || fail "no screenshot for $1"
    return 1
}

# Compiles the level source on standard input into $folder/Levels/NAME.dme
# with $SCENE_TOOL (quarn-scene).
build_level() {
    mkdir -p "$folder/Levels"
    cat >"$folder/Levels/$1.txt"
    "$SCENE_TOOL" build "$folder/Levels/$1.txt" "$folder/Levels/$1.dme" >/dev/null ||
        fail "cannot build the test level $1"
}

# Writes $folder/Levels/levels.m3u naming Levels/NAME.dme for each NAME, in order.
write_level_list() {
    printf '#EXTM3U\r\n' >"$folder/Levels/levels.m3u"
    for name in "$@"; do
        printf '#EXTINF:0,%s\r\nLevels/%s.dme\r\n' "$name" "$name" >>"$folder/Levels/levels.m3u"
    done
}

# Window rectangles (left top right bottom) of the heads-up display's lines
# in the 640 x 480 window, and of the "Press a key to play" prompt.
HUD_COLLISIONS="8 50 130 65"
HUD_TT="8 80 80 95"
HUD_PRESS_A_KEY="288 240 420 255"

# Pixels of green text in a rectangle of the last screenshot, counted by
# $PICTURES (e2e_menu_pictures).
text_pixels() {
    "$PICTURES" green "$shot" $1
}

# "COUNT LEFT TOP RIGHT BOTTOM": the pixels of the last screenshot near the
# colour R G B, and the box round them.
colour_pixels() {
    "$PICTURES" count "$shot" "$1" "$2" "$3" 0 0 640 480
}

# Ends the script with the count of failures.
report() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures failure(s)"
        exit 1
    fi
    echo "$1 passed"
}
