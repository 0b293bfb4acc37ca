#!/bin/sh
# Records and replays of the real quarn: a level played with keys and mouse
# through xdotool, once with the frame limit and once without, leaves its best
# run in the records folder, and quarn-sim verifies that replay.
#
#   quarn_replay_test.sh GAME_FOLDER QUARN_SCENE QUARN_SIM
set -u
GAME=$1
SCENE_TOOL=$2
SIM=$3

. "$(dirname "$0")/e2e_lib.sh"
skip_without_display

# The ball hangs from the ceiling after the load; let go, it drops past a
# checkpoint into the end zone.
write_shaft_level() {
    build_level shaft <<'LEVEL'
outline shaft
    loop -150 -3000  150 -3000  150 400  -150 400
end
outline ceiling
    solid -150 200  150 200  150 220  -150 220
end
primitive START point 0 120
primitive CP4 cylinder 0 -1200 60
primitive END box -150 -2500 150 -2400
LEVEL
    write_level_list shaft
}

for limit in 1 0; do
    case_name="fps_limit=$limit: the finished run's replay verifies"
    new_folder
    write_shaft_level
    sed -i "s/^fps_limit=.*/fps_limit=$limit/" "$folder/settings.ini"
    if launch_quarn; then
        keys Return          # a new game
        keys Return          # the run starts, the ball hangs on
        move 30 -20
        xdotool keydown s    # reel out a little
        sleep 0.4
        xdotool keyup s
        xdotool mousedown 3  # let go: the ball drops to the end
        sleep 0.2
        xdotool mouseup 3
        sleep 1.5
        quit_by_escape
        replays=$(ls "$folder"/data-home/quarn/replays/*.best.qrp 2>/dev/null)
        if [ "$(echo "$replays" | grep -c qrp)" -ne 1 ]; then
            fail "one best replay expected, found: $replays"
        else
            result=$(cd "$folder" && "$SIM" --verify "$replays" 2>&1)
            echo "$result"
            case "$result" in
                "level=Levels/shaft.dme time="*) ;;
                *) fail "quarn-sim --verify: $result" ;;
            esac
        fi
        [ -s "$folder/data-home/quarn/records.dat" ] || fail "no records file"
        finish
    fi
done

report "quarn replay test"
