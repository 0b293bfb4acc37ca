#!/bin/sh
# Play in the real quarn, driven with xdotool and checked through the game's
# own Print Screen screenshots: on a test level, the hook fired at the cursor
# catches on an overhang, reeling changes the rope, the right button lets go;
# on two more, a finished level loads the next and a wall hit counts a
# collision.
#
#   quarn_play_test.sh GAME_FOLDER E2E_MENU_PICTURES QUARN_SCENE
set -u
GAME=$1
PICTURES=$2
SCENE_TOOL=$3

. "$(dirname "$0")/e2e_lib.sh"
skip_without_display

RED="255 0 0"
BLUE="0 0 255"

# About 250 units of rope, up to some 200 pixels above the ball.
rope_to_high_ceiling() {
    measure_rope
    [ "$rope_pixels" -ge 100 ] && [ "$rope_top" -le 100 ]
}

# About 80 units of rope (some 60 pixels), none up to the high ceiling.
rope_to_overhang() {
    measure_rope
    [ "$rope_pixels" -ge 50 ] && [ "$rope_top" -ge 120 ]
}

# shows_level SHOWN HIDDEN: the block of colour SHOWN is drawn, none of HIDDEN.
shows_level() {
    shown=$(colour_pixels $1 | cut -d' ' -f1)
    hidden=$(colour_pixels $2 | cut -d' ' -f1)
    seen="$shown pixels of the level's block, $hidden of the other level's"
    [ "$shown" -ge 500 ] && [ "$hidden" -eq 0 ]
}

# collision_line_changed SHOT: the collision line differs from SHOT's.
collision_line_changed() {
    changed=$("$PICTURES" textdiff "$1" "$shot" $HUD_COLLISIONS)
    seen="$changed pixels of the collision line changed"
    [ "$changed" -gt 5 ]
}

# The ball starts at the centre of the window, hanging on a rope that the
# game caught on the high ceiling straight above it. The overhang's underside
# lies 40 units above the ball from 10 units to its right on; a cursor 60
# right and 100 up aims the hook at it, close enough for the hook to reach.
case_name="the hook catches on an overhang, reels and lets go"
new_folder
"$PICTURES" solid "$folder/Textures/rope.png" $ROPE || fail "cannot write the rope texture"
build_level overhang <<'EOF'
material rock
    colour 150 135 120
    base rock.png
end
light sun directional
    direction 1 1 -2
end
outline cave
    material rock
    loop -250 -350  500 -350  500 350  -250 350
end
outline ceilings
    material rock
    solid -250 250  10 250  10 350  -250 350
    solid 10 40  420 40  420 350  10 350
end
outline ledges
    material rock
    solid -250 -350  20 -350  20 -160  -250 -160
    solid 150 -350  500 -350  500 -160  150 -160
end
primitive QUARN point 0 0
primitive END1 box 110 -70 220 35
EOF
write_level_list overhang
if launch_quarn; then
    keys Return
    screenshot_until waiting rope_to_high_ceiling ||
        fail "$(basename "$shot"): no rope up to the high ceiling ($seen)"
    move 60 -100
    keys Return
    click
    screenshot_until caught rope_to_overhang ||
        fail "$(basename "$shot"): the rope does not lead to the overhang ($seen)"
    caught=$rope_pixels
    # Up reels in at about 10 units a second, down reels out.
    xdotool keydown w
    sleep 3
    xdotool keyup w
    screenshot reeled-in && measure_rope
    reeled_in=$rope_pixels
    [ "$reeled_in" -gt 0 ] && [ $((reeled_in * 100)) -lt $((caught * 85)) ] ||
        fail "$(basename "$shot"): reeling in did not shorten the rope ($caught -> $reeled_in pixels)"
    xdotool keydown s
    sleep 4
    xdotool keyup s
    screenshot reeled-out && measure_rope
    [ $((rope_pixels * 100)) -gt $((reeled_in * 130)) ] ||
        fail "$(basename "$shot"): reeling out did not lengthen the rope ($reeled_in -> $rope_pixels pixels)"
    # The right button lets go. The ball then falls and may soon finish or
    # restart the level, both of which hang it on a new rope: the screenshot
    # is asked for while the button is still down.
    xdotool mousedown 3 sleep 0.05 key Print
    await_screenshot released && measure_rope
    xdotool mouseup 3
    [ "$rope_pixels" -eq 0 ] || fail "$(basename "$shot"): a rope after letting go ($seen)"
    quit_by_escape
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

case_name="a finished level loads the next; a wall hit counts a collision"
new_folder
write_test_levels
if launch_quarn; then
    keys Return
    screenshot_until drop-waiting shows_level "$RED" "$BLUE" ||
        fail "$(basename "$shot"): not the first level ($seen)"
    drop_waiting=$shot
    [ "$(text_pixels "$HUD_PRESS_A_KEY")" -gt 10 ] || fail "$(basename "$shot"): no prompt"
    # The first key starts the run: the ball drops into the end zone at once.
    keys Return
    screenshot_until bounce-waiting shows_level "$BLUE" "$RED" ||
        fail "$(basename "$shot"): not the second level ($seen)"
    bounce_waiting=$shot
    [ "$(text_pixels "$HUD_PRESS_A_KEY")" -gt 10 ] ||
        fail "$(basename "$shot"): the next level does not wait for a key"
    # Both waiting levels show the same count, no collision yet.
    [ "$("$PICTURES" textdiff "$drop_waiting" "$bounce_waiting" $HUD_COLLISIONS)" -eq 0 ] ||
        fail "the collision line differs between the two waiting levels"
    keys Return
    screenshot_until bounced collision_line_changed "$bounce_waiting" ||
        fail "$(basename "$shot"): the collision line did not change after the wall hit ($seen)"
    [ "$(text_pixels "$HUD_PRESS_A_KEY")" -eq 0 ] || fail "$(basename "$shot"): still waiting"
    [ "$(text_pixels "$HUD_COLLISIONS")" -gt 10 ] || fail "$(basename "$shot"): no collision line"
    quit_by_escape
    finish
fi

report "quarn play test"
