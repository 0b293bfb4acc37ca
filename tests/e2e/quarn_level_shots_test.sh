#!/bin/sh
# Screenshots of every shipped level, taken by the real quarn with its own
# Print Screen while the level waits for its first key: at its start, and at
# a third and two thirds of the way along its solution (the level compiled
# again from its source with its start moved to where the solution's ball
# is then). Each picture must show the level's geometry, the ball at the
# centre where the camera holds it, lit and standing out from the level
# behind it, and the heads-up lines. The pictures are kept in
# ARTEFACT_FOLDER as NN-LEVEL.png and NN-LEVEL-route1.png, -route2.png, NN
# counting the levels in list order.
#
#   quarn_level_shots_test.sh GAME_FOLDER E2E_MENU_PICTURES ARTEFACT_FOLDER
#                             QUARN_SCENE QUARN_SIM LEVEL_SOURCES
set -u
GAME=$1
PICTURES=$2
ARTEFACTS=$3
SCENE_TOOL=$4
SIM=$5
SOURCES=$6

. "$(dirname "$0")/e2e_lib.sh"
skip_without_display

LIST="$GAME/Levels/levels.m3u"

# The level list with its entries from the Nth on, then the ones before it:
# a game started with it begins at the Nth level, and every entry keeps its
# own file name. An entry is an "#EXTINF:" line and the path line after it;
# the line ends (CR LF) are kept as they are.
rotate_list() {
    awk -v first="$2" '
        NR == 1 { print; next }
        /^#EXTINF:/ { info = $0; next }
        info != "" { count++; entry[count] = info "\n" $0; info = "" }
        END { for (i = 0; i < count; i++) print entry[(first - 1 + i) % count + 1] }' "$1"
}

# The paths of the list's entries, one a line.
level_paths() {
    awk '/^#EXTINF:/ { info = 1; next } info { print; info = 0 }' "$1" | tr -d '\r'
}

check() {
    "$PICTURES" "$1" "$shot" || fail "$(basename "$shot"): $1"
}

# The ball's positions a third and two thirds of the way through the steps
# the level's solution plays before the level is over, as "X Y" lines.
route_points() {
    (cd "$GAME" && "$SIM" --trace --level "$1" "$SOURCES/$2.sim") | awk '
        /^load / { loads++; if (loads == 2) exit; next }
        /^step=/ { split($0, f, " "); for (i in f) if (f[i] ~ /^ball=/) ball[++n] = substr(f[i], 6) }
        END { for (k = 1; k <= 2; k++) { split(ball[int(n * k / 3)], xy, ","); print xy[1], xy[2] } }'
}

# Compiles the level source with its start points replaced by one at (X, Y)
# into $folder/Levels/NAME.dme.
level_started_at() {
    grep -v -E '^primitive (QUARN|START[0-9]*) ' "$SOURCES/$1.level" >"$folder/route.level"
    echo "primitive QUARN point $2 $3" >>"$folder/route.level"
    "$SCENE_TOOL" build "$folder/route.level" "$folder/Levels/$1.dme" >/dev/null
}

# Takes screenshots until one shows the heads-up lines (a loaded machine may
# take a while to load the level after the menu); up to 10 tries. The count
# has a name of its own: screenshot uses $tries.
wait_for_level() {
    level_tries=0
    while [ "$level_tries" -lt 10 ]; do
        screenshot "$1" || return 1
        "$PICTURES" level-heads-up "$shot" >/dev/null && return 0
        sleep 0.3
        level_tries=$((level_tries + 1))
    done
    fail "the level did not show within 10 screenshots"
    return 1
}

[ -f "$LIST" ] || {
    echo "$LIST: no level list"
    exit 1
}
mkdir -p "$ARTEFACTS" || exit 1
rm -f "$ARTEFACTS"/*.png

# shoot_level NAME SUFFIX: starts quarn on the folder's list, takes the
# screenshot once the level shows and checks it.
shoot_level() {
    if launch_quarn; then
        # New game from the main menu; once the level shows, the mouse
        # takes the aim marker off the ball without starting the run.
        keys Return
        if wait_for_level waiting; then
            move 120 -90
            screenshot "$1$2"
        fi
        if [ -n "$shot" ]; then
            cp "$shot" "$ARTEFACTS/$(printf '%02d' "$number")-$1$2.png"
            echo "$case_name:"
            check level-geometry
            check level-ball
            check level-heads-up
        fi
        # Escape pauses the game, and Escape in the in-game menu quits.
        keys Escape
        keys Escape
        finish
    fi
}

# One path a line, spaces and all.
newline='
'
number=0
paths=$(level_paths "$LIST")
IFS=$newline
for path in $paths; do
    unset IFS
    number=$((number + 1))
    level=$(basename "$path" .dme)
    case_name="level $number, $level"
    new_folder
    rotate_list "$LIST" "$number" >"$folder/Levels/levels.m3u"
    shoot_level "$level" ""
    route=0
    points=$(route_points "$path" "$level")
    IFS=$newline
    for point in $points; do
        unset IFS
        route=$((route + 1))
        case_name="level $number, $level, $route/3 of the way at $point"
        new_folder
        rotate_list "$LIST" "$number" >"$folder/Levels/levels.m3u"
        # shellcheck disable=SC2086
        level_started_at "$level" $point || fail "$case_name: cannot build the level"
        shoot_level "$level" "-route$route"
    done
done

[ "$number" -gt 0 ] || fail "no level in $LIST"
echo "pictures in $ARTEFACTS"
report "quarn level shots test ($number levels)"
