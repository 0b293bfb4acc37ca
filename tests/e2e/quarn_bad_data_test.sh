#!/bin/sh
# Bad data in the game folder of the real quarn: a missing texture, a missing
# or empty level list, a damaged level, missing music and sounds. Each gives
# a clear message on standard error where it has one, and the game runs on
# and quits with exit code 0.
# (finish waits for the exit, checks the code and removes the folder, so the
# checks of standard error come before it.)
#
#   quarn_bad_data_test.sh GAME_FOLDER E2E_MENU_PICTURES QUARN_SCENE
set -u
GAME=$1
PICTURES=$2
SCENE_TOOL=$3

. "$(dirname "$0")/e2e_lib.sh"
skip_without_display

# expect_error TEXT: standard error holds a line with TEXT (fixed string),
# within 10 s.
expect_error() {
    tries=0
    while ! grep -qF -- "$1" "$folder/stderr"; do
        tries=$((tries + 1))
        if [ "$tries" -ge 100 ]; then
            fail "no message '$1' on standard error"
            return 1
        fi
        sleep 0.1
    done
}

expect_heads_up() {
    [ -n "$shot" ] || return
    [ "$(text_pixels "$HUD_TT")" -gt 10 ] || fail "$(basename "$shot"): no game drawn"
}

expect_no_heads_up() {
    [ -n "$shot" ] || return
    [ "$(text_pixels "$HUD_TT")" -eq 0 ] || fail "$(basename "$shot"): a game drawn"
}

# A new game that cannot start: the message names the file, the main menu
# comes back (no game drawn), and its quit entry (Up twice from the first
# entry, past the controls) still ends the program with exit code 0.
expect_back_in_menu() {
    # The game ends in the frame after the message, and the menu runs from
    # the frame after that.
    expect_error "$1" && sleep 0.5
    screenshot menu && expect_no_heads_up
    keys Up Up Return
    finish
}

# A new game of the first level, its run started; the game answers keys (a
# screenshot, the in-game menu and back), then Escape quits: the first
# pauses, the second quits from the in-game menu.
play_and_quit() {
    keys Return
    screenshot waiting && expect_heads_up
    waiting=$shot
    keys Return
    # The ball hangs still on the first level: the frame changes where the
    # prompt was (the prompt's box may also show green level geometry).
    screenshot playing && expect_heads_up &&
        [ "$("$PICTURES" textdiff "$waiting" "$shot" $HUD_PRESS_A_KEY)" -gt 10 ] ||
        fail "the run did not start"
    keys Escape
    keys Return
    screenshot resumed && expect_heads_up
    quit_by_escape
}

case_name="a missing level texture"
new_folder
rm "$folder/Textures/rock.png"
if launch_quarn; then
    play_and_quit
    expect_error "Texture not found!: Textures/rock.png"
    finish
fi

case_name="no level list"
new_folder
rm "$folder/Levels/levels.m3u"
if launch_quarn; then
    keys Return
    expect_back_in_menu "Level list error: Levels/levels.m3u cannot be read"
fi

case_name="an empty level list"
new_folder
: >"$folder/Levels/levels.m3u"
if launch_quarn; then
    keys Return
    expect_back_in_menu "Level list error: Levels/levels.m3u names no level"
fi

case_name="a level list that names no level"
new_folder
printf '#EXTM3U\r\n' >"$folder/Levels/levels.m3u"
if launch_quarn; then
    keys Return
    expect_back_in_menu "Levels/levels.m3u names no level"
fi

# The first shipped level cut off in the middle.
case_name="a damaged first level"
new_folder
level="$folder/Levels/first-hook.dme"
head -c $(($(wc -c <"$level") / 2)) "$level" >"$level.part" && mv "$level.part" "$level"
if launch_quarn; then
    keys Return
    expect_back_in_menu "cannot load Levels/first-hook.dme: the file is cut short"
fi

# A level the ball finishes at once, followed by a damaged one: the game
# ends when the next level cannot load.
case_name="a damaged next level"
new_folder
build_level drop <<'EOF'
primitive START point 0 0
primitive END box -30 -120 30 -60
EOF
printf 'DME' >"$folder/Levels/broken.dme"
write_level_list drop broken
if launch_quarn; then
    keys Return
    screenshot waiting && expect_heads_up
    keys Return
    expect_back_in_menu "cannot load Levels/broken.dme"
fi

case_name="no Music folder"
new_folder
rm -r "$folder/Music"
if launch_quarn; then
    play_and_quit
    finish
fi

case_name="no Sounds folder"
new_folder
rm -r "$folder/Sounds"
if launch_quarn; then
    play_and_quit
    finish
fi

report "quarn bad data test"
