#!/bin/sh
# The controls screen of the real quarn, driven with xdotool: "fire" is
# rebound to F and saved, a game then fires the hook with F (seen through the
# game's own screenshots), and after quitting settings.ini holds the new
# binding with every other line as it was.
#
#   quarn_controls_test.sh GAME_FOLDER E2E_MENU_PICTURES QUARN_SCENE
set -u
GAME=$1
PICTURES=$2
SCENE_TOOL=$3

. "$(dirname "$0")/e2e_lib.sh"
skip_without_display

# The ball hangs 250 units below the ceiling (about 200 pixels of rope up the
# window); an overhang 40 units above it starts 10 units to its right.
rope_to_ceiling() {
    measure_rope
    [ "$rope_pixels" -ge 100 ] && [ "$rope_top" -le 100 ]
}
rope_to_overhang() {
    measure_rope
    [ "$rope_pixels" -ge 20 ] && [ "$rope_top" -ge 150 ]
}

case_name="fire rebound to F on the controls screen, saved, played and kept"
new_folder
"$PICTURES" solid "$folder/Textures/rope.png" $ROPE || fail "cannot write the rope texture"
build_level overhang <<'LEVEL'
outline ceiling
    hidden
    line -400 250 400 250
end
outline overhang
    hidden
    line 10 40 300 40
end
primitive START point 0 0
LEVEL
write_level_list overhang
cp "$folder/settings.ini" "$folder/settings.before"
if launch_quarn; then
    # The controls are the main menu's fifth entry; the fire row's key cell
    # is chosen first. Return waits for the key, F takes it; up past the top
    # to Save. One key at a time: a key that shares its frame with the one
    # before it may find the screen not yet ready for it.
    for key in Down Down Down Down Return; do keys $key; done
    screenshot controls && expect_line "the controls' headings" 72 80
    for key in Return f Up Up Up Return; do keys $key; done
    # Back in the main menu: a new game, and its first key.
    keys Return
    keys Return
    screenshot_until waiting rope_to_ceiling ||
        fail "$(basename "$shot"): no rope up to the ceiling ($seen)"
    move 60 -100
    keys f
    screenshot_until fired rope_to_overhang ||
        fail "$(basename "$shot"): F did not fire the hook onto the overhang ($seen)"
    quit_by_escape
    wait_for_exit
    changes=$(diff "$folder/settings.before" "$folder/settings.ini" | grep '^[<>]')
    expected=$(printf '< fire=0\n> fire=33')
    [ "$changes" = "$expected" ] ||
        fail "settings.ini: changed lines are not just fire=33: $changes"
    finish
fi

report "quarn controls test"
