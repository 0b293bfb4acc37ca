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

# Starts quarn in $folder; sets pid and window. Waits up to 60 s for the
# window named "Quarn" (a loaded machine can take long to start it).
launch_quarn() {
    # Records and replays go into the copy, never into the real home.
    (cd "$folder" && exec env QUARN_MESSAGEBOX=stderr SDL_AUDIODRIVER=dummy \
        XDG_DATA_HOME="${XDG_DATA_HOME_FOR_QUARN:-$folder/data-home}" ./quarn \
        >"$folder/stdout" 2>"$folder/stderr") &
    pid=$!
    exited_pid=""
    window=""
    tries=0
    while [ -z "$window" ] && [ "$tries" -lt 600 ]; do
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
    # --sync can wait for ever for a focus change that never comes.
    timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 1
    return 0
}

# True once quarn has ended. An ended child stays visible to kill -0 until
# waited for, so the state is read from /proc.
quarn_ended() {
    state=$(sed -n 's/^State:[[:space:]]*\([A-Z]\).*/\1/p' "/proc/$pid/status" 2>/dev/null)
    [ -z "$state" ] || [ "$state" = "Z" ]
}

# Waits up to 10 s for quarn to end; sets code to its exit code. A second
# call for the same process keeps the code of the first.
wait_for_exit() {
    [ "${exited_pid:-}" = "$pid" ] && return
    exited_pid=$pid
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
# $folder/shotN-NAME.png and sets shot to its path (empty on failure) and
# shot_name to the name the game gave it.
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
            shot_name=$(basename "$found")
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

# Ends the script with the count of failures.
report() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures failure(s)"
        exit 1
    fi
    echo "$1 passed"
}

# Frame checks with the pictures of the game folder, through the program
# e2e_menu_pictures in $PICTURES. Rectangles are in units of the 800 x 600
# virtual screen the menus are drawn on, whatever the window size.

# The layers of a menu screen as the menus draw it from $folder/Menu: the
# background, the sheet's title and entries with entry $2 (1-5) highlighted,
# and the cursor at ($3, $4). $1 is MainMenu (five entries, the fifth the
# controls) or GameMenu (four).
menu_layers() {
    menu_sheet="$folder/Menu/$1.png"
    case $1 in
        MainMenu) menu_rows="1 2 4 5 6" ;;
        GameMenu) menu_rows="1 2 3 5" ;;
    esac
    printf 'full:%s title:%s:0:30:800:95' "$folder/Menu/background.png" "$menu_sheet"
    menu_entry=1
    menu_top=95
    for menu_row in $menu_rows; do
        case $menu_entry in
            1) menu_bottom=162 ;;
            2) menu_bottom=227 ;;
            3) menu_bottom=294 ;;
            4) menu_bottom=360 ;;
            5) menu_bottom=425 ;;
        esac
        menu_lit=0
        [ "$menu_entry" -eq "$2" ] && menu_lit=1
        printf ' cell:%s:%s:%s:200:%s:600:%s' "$menu_sheet" "$menu_row" "$menu_lit" \
            "$menu_top" "$menu_bottom"
        menu_top=$menu_bottom
        menu_entry=$((menu_entry + 1))
    done
    printf ' image:%s:%s:%s:32:32\n' "$folder/Menu/cursor.png" "$3" "$4"
}

# match_expecting CODE FAILURE WHAT LEFT TOP RIGHT BOTTOM LAYER...: fails with
# FAILURE unless the match command exits with CODE.
match_expecting() {
    [ -n "$shot" ] || return
    match_code=$1
    match_failure=$2
    shift 3
    match_result=$("$PICTURES" match "$shot" "$@")
    [ $? -eq "$match_code" ] || fail "$(basename "$shot"): $match_failure ($match_result)"
}

# expect_match WHAT LEFT TOP RIGHT BOTTOM LAYER...: that rectangle of the last
# screenshot shows the layers drawn over one another.
expect_match() {
    match_expecting 0 "not $1" "$@"
}

# The opposite: the rectangle shows something else.
expect_no_match() {
    match_expecting 1 "$1" "$@"
}

# expect_menu WHAT SHEET ENTRY CURSOR_X CURSOR_Y [BASE]: the last screenshot
# shows a menu screen as menu_layers draws it, over the screenshot BASE of the
# game (or over black), checked as a whole and item by item.
expect_menu() {
    [ -n "$shot" ] || return
    menu_what=$1
    menu_base=""
    [ -n "${6:-}" ] && menu_base="base:$6"
    menu_all=$(menu_layers "$2" "$3" "$4" "$5")
    expect_match "$menu_what" 0 30 800 600 $menu_base $menu_all
    expect_match "$menu_what, its title" 0 30 800 95 $menu_base $menu_all
    expect_match "$menu_what, entry 1" 200 95 600 162 $menu_base $menu_all
    expect_match "$menu_what, entry 2" 200 162 600 227 $menu_base $menu_all
    expect_match "$menu_what, entry 3" 200 227 600 294 $menu_base $menu_all
    expect_match "$menu_what, entry 4" 200 294 600 360 $menu_base $menu_all
    [ "$2" != MainMenu ] ||
        expect_match "$menu_what, entry 5" 200 360 600 425 $menu_base $menu_all
    expect_match "$menu_what, the cursor" "$4" "$5" "$(($4 + 32 < 800 ? $4 + 32 : 800))" \
        "$(($5 + 32 < 600 ? $5 + 32 : 600))" $menu_base $menu_all
}

# expect_size WIDTH HEIGHT: the size of the last screenshot.
expect_size() {
    [ -n "$shot" ] || return
    size=$("$PICTURES" size "$shot")
    [ "$size" = "$1x$2" ] || fail "$(basename "$shot"): $size, not $1x$2"
}

# expect_line WHAT X Y: the last screenshot shows a line of text printed at
# window pixel (X, Y): its green glyphs start at column X - 1 or X, their tops
# 4 to 6 rows below Y and the baseline 12 rows below Y (descenders reach 2
# more). The search reaches 250 pixels right of X, which must lie in the frame.
expect_line() {
    [ -n "$shot" ] || return
    set -- "$1" "$2" "$3" $("$PICTURES" greenbox "$shot" "$(($2 > 4 ? $2 - 4 : 0))" \
        "$(($3 + 1))" "$(($2 + 250))" "$(($3 + 16))")
    if [ "${4:-0}" -lt 20 ]; then
        fail "$(basename "$shot"): no $1 line at ($2, $3)"
    elif [ "$5" -lt $(($2 - 1)) ] || [ "$5" -gt "$2" ] || [ "$6" -lt $(($3 + 4)) ] ||
        [ "$6" -gt $(($3 + 6)) ] || [ "$8" -lt $(($3 + 11)) ] || [ "$8" -gt $(($3 + 14)) ]; then
        fail "$(basename "$shot"): $1 line at ($5, $6)-($7, $8), not at ($2, $3)"
    fi
}

# expect_no_line WHAT X Y: no text there.
expect_no_line() {
    [ -n "$shot" ] || return
    set -- "$1" "$2" "$3" $("$PICTURES" greenbox "$shot" "$(($2 > 4 ? $2 - 4 : 0))" \
        "$(($3 + 1))" "$(($2 + 250))" "$(($3 + 16))")
    [ "${4:-1}" -eq 0 ] || fail "$(basename "$shot"): a $1 line at ($2, $3)"
}

# expect_unchanged WHAT OTHER LEFT TOP RIGHT BOTTOM: no window pixel of the
# rectangle differs between the screenshot OTHER and the last one.
expect_unchanged() {
    [ -n "$shot" ] && [ -n "$2" ] || return
    changed=$("$PICTURES" diff "$2" "$shot" "$3" "$4" "$5" "$6")
    [ "$changed" = "0" ] ||
        fail "$(basename "$shot"): $1 changed since $(basename "$2") (${changed:-no comparison})"
}

# expect_changed WHAT OTHER LEFT TOP RIGHT BOTTOM: the opposite.
expect_changed() {
    [ -n "$shot" ] && [ -n "$2" ] || return
    changed=$("$PICTURES" diff "$2" "$shot" "$3" "$4" "$5" "$6")
    [ -n "$changed" ] && [ "$changed" != "0" ] ||
        fail "$(basename "$shot"): $1 did not change since $(basename "$2")"
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

# screenshot_until NAME TEST...: takes screenshots until the command TEST
# holds for the last one, up to 10 times a third of a second apart (a loaded
# machine may draw only a few frames a second). Returns 1 if it never held;
# TEST leaves what it saw in $seen.
screenshot_until() {
    name=$1
    shift
    attempt=0
    while [ "$attempt" -lt 10 ]; do
        screenshot "$name" || return 1
        "$@" && return 0
        attempt=$((attempt + 1))
        sleep 0.3
    done
    return 1
}

# The rope is drawn with a texture of one colour that nothing else shows:
# write it with `"$PICTURES" solid "$folder/Textures/rope.png" $ROPE`.
ROPE="255 0 255"

# Sets rope_pixels and rope_top (-1 without rope) from the last screenshot.
measure_rope() {
    set -- $(colour_pixels $ROPE)
    rope_pixels=$1
    rope_top=$3
    seen="$rope_pixels rope pixels, the highest in row $rope_top"
}
