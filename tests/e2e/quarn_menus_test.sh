#!/bin/sh
# The real quarn in a fresh copy of the game folder, driven through its menus
# with xdotool; frames are checked through the game's own Print Screen
# screenshots of test pictures whose every item has a colour of its own.
#
#   quarn_menus_test.sh GAME_FOLDER E2E_MENU_PICTURES QUARN_SCENE
set -u
GAME=$1
PICTURES=$2
SCENE_TOOL=$3

. "$(dirname "$0")/e2e_lib.sh"
skip_without_display

# Window coordinates of a virtual-screen point (800 x 600) in the 640 x 480 window.
wx() { echo $(($1 * 4 / 5)); }
wy() { echo $(($1 * 4 / 5)); }

# A level where the ball falls freely from its start point, and its list.
write_level() {
    mkdir -p "$folder/Levels"
    printf 'primitive START point 0 0\n' >"$folder/Levels/open.txt"
    "$SCENE_TOOL" build "$folder/Levels/open.txt" "$folder/Levels/open.dme" ||
        fail "cannot build the test level"
    printf '#EXTM3U\r\n#EXTINF:0,open\r\nLevels/open.dme\r\n' >"$folder/Levels/levels.m3u"
}

# Starts quarn in a fresh copy of the game folder; sets folder, pid, window.
#   pictures: the test pictures; game: the test pictures with a background
#   that lets the frame beneath show through, and a level; nomenu: as built,
#   less the menu pictures.
start_quarn() {
    new_folder
    BG=background
    case $1 in
        pictures) "$PICTURES" write "$folder" || fail "cannot write the test pictures" ;;
        game)
            "$PICTURES" write "$folder" 128 || fail "cannot write the test pictures"
            BG=halfbackground
            write_level
            ;;
        nomenu) rm -f "$folder"/Menu/*.png ;;
    esac
    launch_quarn
}

# expect VIRTUAL_X VIRTUAL_Y COLOUR: the last screenshot shows that colour there.
expect() {
    [ -n "$shot" ] || return
    "$PICTURES" expect "$shot" "$(wx "$1")" "$(wy "$2")" "$3" || fail "$(basename "$shot")"
}

# Points of the virtual screen inside the menu rectangles; the cursor starts
# at (320, 240), the centre of the 640 x 480 window in virtual units.
TITLE_Y=62
ENTRY_X=300
ENTRY1_Y=129
ENTRY2_Y=195
ENTRY3_Y=261
ENTRY4_Y=327
ENTRY5_Y=393

# Window pixels with green text: the heads-up display's "TT" line, and the
# "Press a key to play" line of a level waiting for its first key.
TT_TEXT="8 80 80 95"
PRESS_TEXT="288 240 420 255"

green_count() {
    "$PICTURES" green "$shot" $1
}
expect_text() {
    [ -n "$shot" ] || return
    [ "$(green_count "$2")" -gt 10 ] || fail "$(basename "$shot"): no $1 text"
}
expect_no_text() {
    [ -n "$shot" ] || return
    [ "$(green_count "$2")" -eq 0 ] || fail "$(basename "$shot"): $1 text"
}
# No menu drawn over the game.
expect_no_menu() {
    [ -n "$shot" ] || return
    for colour in main:1:1 game:1:1 main:1:0 game:1:0; do
        "$PICTURES" differs "$shot" "$(wx $ENTRY_X)" "$(wy $ENTRY1_Y)" $colour ||
            fail "$(basename "$shot"): a menu entry"
    done
}

expect_game_menu() {
    expect 40 400 $BG
    expect 100 $TITLE_Y game:0:0
    expect $ENTRY_X $ENTRY1_Y "game:1:$1"
    expect $ENTRY_X $ENTRY2_Y "game:2:$2"
    expect $ENTRY_X $ENTRY3_Y "game:3:$3"
    expect $ENTRY_X $ENTRY4_Y "game:5:$4"
}

expect_main_menu() {
    expect 40 400 $BG
    expect 100 $TITLE_Y main:0:0
    expect 700 $TITLE_Y main:0:1
    expect $ENTRY_X $ENTRY1_Y "main:1:$1"
    expect $ENTRY_X $ENTRY2_Y "main:2:$2"
    expect $ENTRY_X $ENTRY3_Y "main:4:$3"
    expect $ENTRY_X $ENTRY4_Y "main:5:$4"
    expect $ENTRY_X $ENTRY5_Y "main:6:${5:-0}"
}

case_name="keyboard and mouse in the menus"
if start_quarn pictures; then
    screenshot main && expect_main_menu 1 0 0 0 && expect 336 256 cursor
    keys Down Down
    screenshot down-down && expect_main_menu 0 0 1 0
    keys Return
    screenshot credits && expect 40 400 credits && expect $ENTRY_X $ENTRY1_Y credits
    # The button is still down for a few frames of the main menu, and a held
    # button selects the entry under the cursor, the credits entry at (320, 240).
    click
    screenshot back-by-click && expect_main_menu 0 0 1 0
    # The mouse onto the credits entry and a click.
    move 80 21
    screenshot hover-credits && expect_main_menu 0 0 1 0 && expect 416 277 cursor
    click
    screenshot credits-by-mouse && expect 40 400 credits
    keys Return
    screenshot back-by-key && expect_main_menu 1 0 0 0
    # The cursor wraps round the right edge: 400 + 420 - 800 = 20.
    move 420 0
    screenshot wrapped && expect 36 277 cursor && expect 780 277 background
    keys Escape
    finish
fi

case_name="the quit entry"
if start_quarn pictures; then
    # Up from the first entry wraps round to the controls below Quit.
    keys Up
    screenshot controls-entry && expect_main_menu 0 0 0 0 1
    keys Up
    screenshot quit-entry && expect_main_menu 0 0 0 1
    keys Return
    finish
fi

case_name="a game started, paused, resumed, restarted and ended from the menus"
if start_quarn game; then
    screenshot menu && expect_main_menu 1 0 0 0 && expect_no_text TT "$TT_TEXT"
    # New game by keyboard: the level waits for its first key.
    keys Return
    screenshot new-game && expect_no_menu && expect_text TT "$TT_TEXT" &&
        expect_text "Press a key" "$PRESS_TEXT"
    keys Return
    screenshot running && expect_no_menu && expect_no_text "Press a key" "$PRESS_TEXT"
    # Escape: the in-game menu, over the frozen game seen through the background.
    keys Escape
    screenshot paused && expect_game_menu 1 0 0 0 && expect_text TT "$TT_TEXT"
    # Resume: the run goes on where it was.
    keys Return
    screenshot resumed && expect_no_menu && expect_no_text "Press a key" "$PRESS_TEXT"
    # Restart: the level waits for its first key again.
    keys Escape
    keys Down
    screenshot restart-chosen && expect_game_menu 0 1 0 0
    keys Return
    screenshot restarted && expect_no_menu && expect_text "Press a key" "$PRESS_TEXT"
    # End game: back to the main menu, no game drawn.
    keys Escape
    keys Up Return
    screenshot ended && expect_main_menu 1 0 0 0 && expect_no_text TT "$TT_TEXT"
    # New game by mouse: onto entry 1 at (400, 129) and a click.
    move 80 -111
    screenshot hover-new-game && expect_main_menu 1 0 0 0 && expect 416 145 cursor
    click
    screenshot mouse-new-game && expect_no_menu && expect_text "Press a key" "$PRESS_TEXT"
    # End game by mouse: onto entry 4 at (400, 327); the button, still down
    # for a few frames of the main menu, selects entry 4 there too.
    keys Escape
    move 0 198
    screenshot hover-end-game && expect_game_menu 0 0 0 1
    click
    screenshot mouse-ended && expect_main_menu 0 0 0 1 && expect_no_text TT "$TT_TEXT"
    keys Return
    finish
fi

case_name="the game folder without menu pictures"
if start_quarn nomenu; then
    for picture in background.png GameMenu.png MainMenu.png cursor.png Credits.png; do
        grep -qx "Texture not found!: Menu/$picture" "$folder/stderr" ||
            fail "no 'Texture not found!' line for Menu/$picture"
    done
    # Credits and back, then the quit entry by mouse.
    keys Down Down Return
    click
    move 80 87
    click
    finish
fi

report "quarn menus test"
