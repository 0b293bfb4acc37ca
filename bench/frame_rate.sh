#!/bin/sh
# The frame rate of the real quarn on each shipped level, at 640 x 480 and at
# 1024 x 768, set against what the machine's GL gives, and the simulation
# steps it runs a second.
#
#   bench/frame_rate.sh GAME_FOLDER FILL_CALIBRATION
#
# FILL_CALIBRATION is bench/calibration's quarn-fill-calibration. For each
# level of GAME_FOLDER/Levels/levels.m3u and each size:
#
# - the calibration runs CALIBRATION_SECONDS (default 3) at that size: it
#   clears, covers the window once with one bilinear-textured quad and swaps,
#   as fast as it can;
# - right after it, in the same X server, quarn runs in a fresh copy of the
#   game folder whose level list holds only that level and whose settings.ini
#   has the size and fps_limit=0. The script starts a new game from the main
#   menu (Enter), starts the run (Enter), fires the hook once, lets it play
#   FRAME_SECONDS seconds (default 10; Enter once a second starts the run
#   again after a death) and ends quarn with SIGTERM;
# - then, for the steps a second, quarn runs twice more with the shipped
#   settings (its frame limit on): once as it is and once with llvmpipe's
#   rasterising switched off (LP_NO_RAST=1), the reference a frame that costs
#   nothing to draw gives. The run is started and the ball left hanging.
#
# QUARN_FRAME_STATS=1 makes quarn print its frames of play and the simulation
# steps in them, with their time, when it ends. The script prints one table
# row per level and size: game frames a second, calibration frames a second,
# their ratio, quarn's peak resident memory (VmHWM), and the steps a second
# with the shipped settings beside the reference. Without a DISPLAY it runs
# itself under xvfb-run (Mesa's software renderer).
set -u
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi
GAME=$(cd "${1:?usage: frame_rate.sh GAME_FOLDER FILL_CALIBRATION}" && pwd)
CALIBRATION=${2:?usage: frame_rate.sh GAME_FOLDER FILL_CALIBRATION}
SECONDS_OF_PLAY=${FRAME_SECONDS:-10}
SECONDS_OF_FILL=${CALIBRATION_SECONDS:-3}

# The level paths of the list: every line that is not blank or a # line.
levels=$(tr -d '\r' <"$GAME/Levels/levels.m3u" | grep -v '^#' | grep -v '^$')

# play LEVEL_PATH WIDTH HEIGHT MODE [ENV...]: plays quarn on one level and
# prints "FPS STEPS_PER_SECOND PEAK_MIB", or "failed". MODE "unlimited"
# turns the frame limit off and fires the hook; "shipped" keeps the shipped
# settings and leaves the ball hanging.
play() {
    level=$1 width=$2 height=$3 mode=$4
    shift 4
    folder=$(mktemp -d)
    cp -R "$GAME"/. "$folder"/
    printf '#EXTM3U\r\n#EXTINF:0,measured\r\n%s\r\n' "$level" >"$folder/Levels/levels.m3u"
    sed -i -e "s/^width=.*/width=$width/" -e "s/^height=.*/height=$height/" \
        -e 's/^fullscreen=.*/fullscreen=0/' "$folder/settings.ini"
    [ "$mode" = unlimited ] && sed -i -e 's/^fps_limit=.*/fps_limit=0/' "$folder/settings.ini"
    # Records and replays go into the copy, never into the real home.
    (cd "$folder" && exec env QUARN_FRAME_STATS=1 QUARN_MESSAGEBOX=stderr SDL_AUDIODRIVER=dummy \
        XDG_DATA_HOME="$folder/data-home" "$@" ./quarn >"$folder/stdout" 2>"$folder/stderr") &
    pid=$!
    window=""
    tries=0
    while [ -z "$window" ] && [ "$tries" -lt 600 ]; do
        window=$(xdotool search --all --pid "$pid" --name '^Quarn$' 2>/dev/null | head -n 1)
        [ -n "$window" ] || sleep 0.1
        tries=$((tries + 1))
    done
    if [ -z "$window" ]; then
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        rm -rf "$folder"
        echo failed
        return
    fi
    xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 1
    xdotool key --delay 100 Return  # the main menu's new game
    # The level's first key starts the run. A key that comes while the level
    # still loads (seconds on a busy machine) is lost, and more keys do
    # nothing once the run is going: Enter every 0.6 s for about 5 s.
    for i in 1 2 3 4 5 6 7 8; do
        sleep 0.6
        xdotool key --delay 100 Return
    done
    if [ "$mode" = unlimited ]; then
        xdotool mousedown 1
        sleep 0.2
        xdotool mouseup 1
    fi
    # Enter once a second starts the run again after the ball died.
    played=0
    while [ "$played" -lt "$SECONDS_OF_PLAY" ]; do
        sleep 1
        xdotool key --delay 100 Return
        played=$((played + 1))
    done
    peak=$(sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pid/status")
    kill -TERM "$pid"
    wait "$pid"
    # "frames of play: N in S s, F per second", "simulation steps: N in S s, F per second"
    fps=$(sed -n 's/^frames of play: .*, \([0-9.]*\) per second$/\1/p' "$folder/stderr")
    steps=$(sed -n 's/^simulation steps: .*, \([0-9.]*\) per second$/\1/p' "$folder/stderr")
    rm -rf "$folder"
    if [ -z "$fps" ] || [ -z "$peak" ]; then
        echo failed
    else
        echo "$fps ${steps:--} $((peak / 1024))"
    fi
}

# fill WIDTH HEIGHT: the calibration's frames a second, or "failed".
fill() {
    line=$(env QUARN_MESSAGEBOX=stderr "$CALIBRATION" "$1" "$2" "$SECONDS_OF_FILL" 2>/dev/null)
    fps=$(echo "$line" | sed -n 's/.*, \([0-9.]*\) per second$/\1/p')
    echo "${fps:-failed}"
}

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'
}

echo "| level | size | game fps | fill fps | game / fill | peak MiB | steps/s shipped | steps/s no raster |"
echo "|---|---|---|---|---|---|---|---|"
for level in $levels; do
    name=$(basename "$level" .dme)
    for size in "640 480" "1024 768"; do
        set -- $size
        calibration=$(fill "$1" "$2")
        game=$(play "$level" "$1" "$2" unlimited)
        shipped=$(play "$level" "$1" "$2" shipped)
        reference=$(play "$level" "$1" "$2" shipped LP_NO_RAST=1)
        set -- $game
        fps=${1:-failed} peak=${3:-failed}
        set -- $shipped
        shippedSteps=${2:-failed}
        set -- $reference
        referenceSteps=${2:-failed}
        echo "| $name | ${size% *} x ${size#* } | $fps | $calibration | $(ratio "$fps" "$calibration") | $peak | $shippedSteps | $referenceSteps |"
    done
done
