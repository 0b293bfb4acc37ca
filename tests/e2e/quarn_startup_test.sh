#!/bin/sh
# The real quarn with the shipped content: start-up without settings.ini, the
# game's own screenshots (name, size, upright), and a game played through the
# menus by mouse and keyboard with its clock running, frozen under the in-game
# menu and running again after it. Frames are compared with the shipped menu
# pictures and with one another.
#
#   quarn_startup_test.sh GAME_FOLDER E2E_MENU_PICTURES
set -u
GAME=$1
PICTURES=$2

. "$(dirname "$0")/e2e_lib.sh"
skip_without_display

# Window pixels (640 x 480) of the heads-up display lines and the prompt.
FPS_Y=35
COLLISIONS_Y=50
TIME_Y=65
TT_Y=80
PROMPT_X=290
PROMPT_Y=240
# Rows of one line of text printed at y.
line_rows() { echo "0 $(($1 + 1)) 280 $(($1 + 16))"; }
# The world right of the heads-up display, down to the window's bottom.
WORLD="160 0 640 480"
# The whole virtual screen below the version line.
SCREEN="0 30 800 600"

# Seconds since the epoch of a screenshot name's local time, empty when the
# name is not screenshotYYYYMMDDhhmmss.png.
shot_seconds() {
    stamp=$(echo "$1" | sed -n 's/^screenshot\([0-9]\{14\}\)\.png$/\1/p')
    [ -n "$stamp" ] || return
    date -d "$(echo "$stamp" |
        sed 's/\(....\)\(..\)\(..\)\(..\)\(..\)\(..\)/\1-\2-\3 \4:\5:\6/')" +%s 2>/dev/null
}

expect_clean_shutdown() {
    if grep -q "ERROR" "$folder/stderr"; then
        fail "error messages: $(cat "$folder/stderr")"
    fi
}

case_name="start-up without settings.ini"
new_folder
rm -f "$folder/settings.ini"
if launch_quarn; then
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: //p')
    [ "$geometry" = "640x480" ] || fail "window size $geometry, not 640x480"
    [ "$(xdotool getwindowname "$window")" = "Quarn" ] || fail "window name"
    before=$(date +%s)
    screenshot main
    after=$(date +%s)
    if [ -n "$shot" ]; then
        taken=$(shot_seconds "$shot_name")
        if [ -z "$taken" ]; then
            fail "screenshot name $shot_name"
        elif [ "$taken" -lt $((before - 60)) ] || [ "$taken" -gt $((after + 60)) ]; then
            fail "screenshot name $shot_name: not within a minute of $(date -d "@$before")"
        fi
    fi
    expect_size 640 480
    # Upright: the sheet's title strip at the top, not at the bottom.
    expect_match "the title at the top" 0 30 800 95 \
        "full:$folder/Menu/background.png" "title:$folder/Menu/MainMenu.png:0:30:800:95"
    expect_no_match "the title at the bottom" 0 505 800 570 \
        "full:$folder/Menu/background.png" "title:$folder/Menu/MainMenu.png:0:505:800:570"
    # The whole main menu: background, title, entries (the first one
    # highlighted) and the cursor at the window's centre in virtual units.
    expect_menu "the main menu" MainMenu 1 320 240
    expect_no_match "the main menu with its second entry highlighted" 200 95 600 227 \
        $(menu_layers MainMenu 2 320 240)
    expect_match "the background" 0 380 800 600 "full:$folder/Menu/background.png"
    expect_no_match "black where the background lies" 0 380 800 600
    expect_line "Version: Release 1.0.1.0" 10 10
    expect_no_line "heads-up display" 10 $TIME_Y
    # Escape in the main menu ends the program.
    keys Escape
    wait_for_exit
    [ ! -e "$folder/settings.ini" ] || fail "settings.ini was written"
    finish
fi

case_name="a game on the shipped content by mouse and keyboard"
new_folder
if launch_quarn; then
    # New game by mouse: onto entry 1 at (400, 129) and a click.
    move 80 -111
    click
    screenshot new-game && expect_line "Press a key to play" $PROMPT_X $PROMPT_Y &&
        expect_line Collisions 10 $COLLISIONS_Y && expect_line Time 10 $TIME_Y &&
        expect_line TT 10 $TT_Y && expect_no_line FPS 10 $FPS_Y &&
        expect_no_match "the main menu" $SCREEN $(menu_layers MainMenu 1 400 129)
    new_game=$shot
    # A first key starts the run; the clock advances.
    keys Return
    screenshot running && expect_no_line "Press a key to play" $PROMPT_X $PROMPT_Y
    running=$shot
    sleep 1
    screenshot running-later
    running_later=$shot
    expect_changed "the Time line" "$running" $(line_rows $TIME_Y)
    expect_changed "the TT line" "$running" $(line_rows $TT_Y)
    # The ball hangs still at the start of the first level.
    expect_unchanged "the Collisions line" "$running" $(line_rows $COLLISIONS_Y)
    expect_unchanged "the world" "$running" $WORLD
    # Escape: the in-game menu over the game, which shows through the
    # background and is frozen: nothing changes in a second, the clock included.
    keys Escape
    screenshot paused
    paused=$shot
    expect_menu "the in-game menu over the game" GameMenu 1 400 129 "$running_later"
    expect_no_match "the in-game menu over black" 620 100 780 250 \
        $(menu_layers GameMenu 1 400 129)
    if [ -n "$shot" ] && [ "$("$PICTURES" green "$shot" $(line_rows $TIME_Y))" -le 10 ]; then
        fail "the Time line does not show through the in-game menu"
    fi
    sleep 1
    screenshot paused-later && expect_unchanged "the paused frame" "$paused" 0 0 640 480
    # Resume by mouse: the game goes on where it was and its clock runs again.
    move 10 0
    click
    screenshot resumed && expect_no_line "Press a key to play" $PROMPT_X $PROMPT_Y
    resumed=$shot
    expect_unchanged "the world before the pause" "$running_later" $WORLD
    sleep 1
    screenshot resumed-later && expect_changed "the Time line" "$resumed" $(line_rows $TIME_Y)
    # Restart by keyboard: the level waits for its first key again, Time reads
    # as at the start of the game while TT goes on. (A key in the frame that
    # opens the in-game menu is not read: Escape and Down one at a time.)
    keys Escape
    keys Down
    screenshot restart-chosen &&
        expect_menu "the in-game menu with Restart level highlighted" GameMenu 2 410 129 "$resumed"
    keys Return
    screenshot restarted && expect_line "Press a key to play" $PROMPT_X $PROMPT_Y
    expect_unchanged "the Time line of a new game" "$new_game" $(line_rows $TIME_Y)
    expect_changed "the TT line of a new game" "$new_game" $(line_rows $TT_Y)
    # End game by keyboard: back to the main menu, no game drawn.
    keys Escape
    keys Up Return
    screenshot ended && expect_menu "the main menu" MainMenu 1 410 129 &&
        expect_no_line "heads-up display" 10 $TIME_Y
    # Credits by mouse, back by keyboard.
    move -10 132
    click
    credits="full:$folder/Menu/background.png full:$folder/Menu/Credits.png"
    credits="$credits image:$folder/Menu/cursor.png:400:261:32:32"
    screenshot credits && expect_match "the credits" $SCREEN $credits &&
        expect_match "the credits, the cursor" 400 261 432 293 $credits
    keys Return
    screenshot back && expect_menu "the main menu" MainMenu 1 400 261
    # Options has no action: Return on it leaves the main menu as it is.
    keys Down Return
    screenshot options && expect_menu "the main menu" MainMenu 2 400 261
    # Quit by keyboard: up twice wraps round to the last entry, the
    # controls; once more is Quit.
    keys Up Up Up Return
    wait_for_exit
    expect_clean_shutdown
    finish
fi

case_name="scrolling textures stand still under the in-game menu"
new_folder
# The shipped level with scrolling lava first in the list (lines
# of a level list end in CR LF).
printf '#EXTM3U\r\n#EXTINF:0,lava\r\nLevels/lava.dme\r\n' \
    >"$folder/Levels/levels.m3u"
if launch_quarn; then
    keys Return
    screenshot waiting
    waiting=$shot
    sleep 1
    screenshot waiting-later && expect_changed "the scrolling world" "$waiting" $WORLD
    keys Escape
    screenshot paused
    paused=$shot
    sleep 1
    screenshot paused-later && expect_unchanged "the paused frame" "$paused" 0 0 640 480
    keys Escape
    finish
fi

report "quarn start-up test"
