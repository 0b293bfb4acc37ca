#!/bin/sh
# Play in the real quarn, driven with xdotool and checked through the game's
# own Print Screen screenshots: the hook fired at the cursor catches on the
# first shipped level's overhang, reeling changes the rope, the right button
# lets go; on two small test levels, a finished level loads the next and a
# wall hit counts a collision.
#
#   quarn_play_test.sh GAME_FOLDER E2E_MENU_PICTURES QUARN_SCENE
set -u
GAME=$1
PICTURES=$2
SCENE_TOOL=$3

. "$(dirname "$0")/e2e_lib.sh"
skip_without_display

# The rope is drawn with a texture of one colour that nothing else shows.
ROPE="255 0 255"

# rope_box: "COUNT LEFT TOP RIGHT BOTTOM" of the rope in the last screenshot.
rope_box() {
    colour_pixels $ROPE
}

# Leaves a running level: Escape pauses, and Escape in the in-game menu quits.
quit_from_game() {
    keys Escape
    keys Escape
}

# The ball starts at the centre of the window, hanging on a rope that the
# game caught on the high ceiling straight above it. The overhang's underside
# lies 40 units above the ball from 10 units to its right on; a cursor 60
# right and 100 up aims the hook at it, close enough for the hook to reach.
case_name="the hook catches on the first level's overhang, reels and lets go"
new_folder
"$PICTURES" solid "$folder/Textures/rope.png" $ROPE || fail "cannot write the rope texture"
if launch_quarn; then
    keys Return
    screenshot waiting
    set -- $(rope_box)
    # About 250 units of rope, up to some 200 pixels above the ball.
    if [ "$1" -lt 100 ] || [ "$3" -gt 100 ]; then
        fail "$(basename "$shot"): no rope up to the high ceiling ($*)"
    fi
    move 60 -100
    keys Return
    click
    screenshot caught
    set -- $(rope_box)
    caught=$1
    # A rope of about 80 units up to the overhang (some 60 pixels), none up
    # to the high ceiling.
    if [ "$1" -lt 50 ] || [ "$3" -lt 120 ]; then
        fail "$(basename "$shot"): the rope does not lead to the overhang ($*)"
    fi
    # Up reels in at about 10 units a second, down reels out.
    xdotool keydown w
    sleep 3
    xdotool keyup w
    screenshot reeled-in
    set -- $(rope_box)
    reeled_in=$1
    [ "$reeled_in" -gt 0 ] && [ $((reeled_in * 100)) -lt $((caught * 85)) ] ||
        fail "$(basename "$shot"): reeling in did not shorten the rope ($caught -> $reeled_in pixels)"
    xdotool keydown s
    sleep 4
    xdotool keyup s
    screenshot reeled-out
    set -- $(rope_box)
    reeled_out=$1
    [ $((reeled_out * 100)) -gt $((reeled_in * 130)) ] ||
        fail "$(basename "$shot"): reeling out did not lengthen the rope ($reeled_in -> $reeled_out pixels)"
    # The right button lets go. The ball then falls and may soon finish or
    # restart the level, both of which hang it on a new rope: the screenshot
    # is asked for while the button is still down.
    xdotool mousedown 3 sleep 0.05 key Print
    await_screenshot released
    xdotool mouseup 3
    set -- $(rope_box)
    [ "$1" -eq 0 ] || fail "$(basename "$shot"): a rope after letting go ($*)"
    quit_from_game
    finish
fi

# Two levels: in the first the ball falls from its start into an end zone
# beside a red block; the second starts at the matching start point beside a
# blue block, above a slope the ball hits once before it falls away for good.
write_test_levels() {
    build_level drop <<'EOF'
material red
    colour 255 0 0
end
outline block
    material red
    solid 60 -20  120 -20  120 20  60 20
end
primitive START point 0 0
primitive END1 box -30 -120 30 -60
EOF
    build_level bounce <<'EOF'
material blue
    colour 0 0 255
end
outline slope
    material blue
    line -60 -40  60 -100
end
outline block
    material blue
    solid -140 -20  -80 -20  -80 20  -140 20
end
primitive START1 point 0 0
EOF
    write_level_list drop bounce
}

# expect_level NAME SHOWN HIDDEN: the last screenshot shows the block of
# colour SHOWN and none of colour HIDDEN.
expect_level() {
    set -- "$1" $2 $3
    shown=$(colour_pixels "$2" "$3" "$4" | cut -d' ' -f1)
    hidden=$(colour_pixels "$5" "$6" "$7" | cut -d' ' -f1)
    if [ "$shown" -lt 500 ] || [ "$hidden" -ne 0 ]; then
        fail "$(basename "$shot"): not the $1 level ($shown pixels of its block, $hidden of the other)"
    fi
}

RED="255 0 0"
BLUE="0 0 255"

case_name="a finished level loads the next; a wall hit counts a collision"
new_folder
write_test_levels
if launch_quarn; then
    keys Return
    screenshot drop-waiting && expect_level drop "$RED" "$BLUE"
    drop_waiting=$shot
    [ "$(text_pixels "$HUD_PRESS_A_KEY")" -gt 10 ] || fail "$(basename "$shot"): no prompt"
    # The first key starts the run: the ball drops into the end zone at once.
    keys Return
    screenshot bounce-waiting && expect_level bounce "$BLUE" "$RED"
    [ "$(text_pixels "$HUD_PRESS_A_KEY")" -gt 10 ] ||
        fail "$(basename "$shot"): the next level does not wait for a key"
    bounce_waiting=$shot
    # Both waiting levels show the same count, no collision yet.
    [ "$("$PICTURES" textdiff "$drop_waiting" "$bounce_waiting" $HUD_COLLISIONS)" -eq 0 ] ||
        fail "the collision line differs between the two waiting levels"
    keys Return
    screenshot bounced
    [ "$(text_pixels "$HUD_PRESS_A_KEY")" -eq 0 ] || fail "$(basename "$shot"): still waiting"
    [ "$(text_pixels "$HUD_COLLISIONS")" -gt 10 ] || fail "$(basename "$shot"): no collision line"
    [ "$("$PICTURES" textdiff "$bounce_waiting" "$shot" $HUD_COLLISIONS)" -gt 5 ] ||
        fail "$(basename "$shot"): the collision line did not change after the wall hit"
    quit_from_game
    finish
fi

report "quarn play test"
