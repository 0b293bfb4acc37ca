#!/bin/sh
# The real quarn with the shipped content and changed settings.ini values:
# the window size, the frames-per-second line, changed key bindings and full
# screen. Frames are checked through the game's own screenshots.
#
#   quarn_settings_test.sh GAME_FOLDER E2E_MENU_PICTURES
set -u
GAME=$1
PICTURES=$2

. "$(dirname "$0")/e2e_lib.sh"
skip_without_display

FULLSCREEN_QUESTION="Oxel GL: The Requested Fullscreen Mode Is Not Supported By
Your Video Card. Use Windowed Mode Instead?"

# set_setting KEY VALUE: changes a key of the shipped settings.ini in the copy.
set_setting() {
    grep -q "^$1=" "$folder/settings.ini" || fail "settings.ini has no key $1"
    sed -i "s/^$1=.*/$1=$2/" "$folder/settings.ini"
}

window_geometry() {
    xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: //p'
}

case_name="a 1024 x 768 window"
new_folder
set_setting width 1024
set_setting height 768
if launch_quarn; then
    [ "$(window_geometry)" = "1024x768" ] || fail "window size $(window_geometry)"
    screenshot menu && expect_size 1024 768
    # The menu fills the window as it fills the 800 x 600 virtual screen; the
    # cursor starts at half the window size in virtual units; text keeps its
    # window pixels.
    expect_menu "the main menu" MainMenu 1 512 384
    expect_line "Version: Release 1.0.1.0" 10 10
    keys Return
    screenshot new-game && expect_size 1024 768 && expect_line Time 10 65 &&
        expect_line TT 10 80 && expect_line "Press a key to play" 482 384
    new_game=$shot
    # Escape pauses, and Escape in the in-game menu ends the program.
    keys Escape
    screenshot paused && [ -n "$new_game" ] &&
        expect_menu "the in-game menu" GameMenu 1 512 384 "$new_game"
    keys Escape
    finish
fi

case_name="show_fps and changed key bindings"
new_folder
set_setting show_fps 1
set_setting start_game 20 # T
set_setting reset 19      # R
if launch_quarn; then
    keys Return
    screenshot new-game && expect_line "FPS" 10 35 && expect_line Collisions 10 50 &&
        expect_line "Press a key to play" 290 240
    # Return starts the run no more, T does.
    keys Return
    screenshot old-start-key && expect_line "Press a key to play" 290 240
    keys t
    screenshot new-start-key && expect_no_line "Press a key to play" 290 240 &&
        expect_line "FPS" 10 35
    # F12 restarts the level no more, R does.
    keys F12
    screenshot old-reset-key && expect_no_line "Press a key to play" 290 240
    keys r
    screenshot new-reset-key && expect_line "Press a key to play" 290 240
    # Escape pauses, and Escape in the in-game menu ends the program; a key in
    # the frame that opens the menu is not read, so one at a time.
    keys Escape
    keys Escape
    finish
fi

display_size=$(xdotool getdisplaygeometry | tr ' ' x)

case_name="fullscreen=1 in a mode the screen may lack"
new_folder
set_setting fullscreen 1
if launch_quarn; then
    # Either the display switches to 640 x 480, or the game asks whether to
    # go on windowed, the answer is yes, and it does.
    [ "$(window_geometry)" = "640x480" ] || fail "window size $(window_geometry)"
    if grep -q "Fullscreen" "$folder/stderr"; then
        [ "$(grep -A1 "Fullscreen" "$folder/stderr")" = "$FULLSCREEN_QUESTION" ] ||
            fail "the question reads: $(cat "$folder/stderr")"
        echo "$case_name: the $display_size screen lacks 640 x 480; asked, went on windowed"
    else
        [ "$display_size" = "640x480" ] || fail "full screen at 640 x 480 on a $display_size screen"
        echo "$case_name: switched to 640 x 480"
    fi
    grep -q "Program Will Now Close" "$folder/stderr" && fail "the program closes"
    screenshot menu && expect_size 640 480 &&
        expect_menu "the main menu" MainMenu 1 320 240
    keys Escape
    finish
fi

case_name="fullscreen=1 in the screen's own mode"
new_folder
set_setting fullscreen 1
set_setting width "${display_size%x*}"
set_setting height "${display_size#*x}"
if launch_quarn; then
    [ "$(window_geometry)" = "$display_size" ] || fail "window size $(window_geometry)"
    grep -q "Fullscreen" "$folder/stderr" && fail "asked about full screen: $(cat "$folder/stderr")"
    screenshot menu && expect_size "${display_size%x*}" "${display_size#*x}" &&
        expect_menu "the main menu" MainMenu 1 $((${display_size%x*} / 2)) $((${display_size#*x} / 2))
    keys Escape
    finish
fi

report "quarn settings test"
