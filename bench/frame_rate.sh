#!/bin/sh
# The frame rate of the real quarn on each shipped level, at 640 x 480 and at
# 1024 x 768, with the frame-rate limit off (fps_limit=0).
#
#   bench/frame_rate.sh GAME_FOLDER
#
# For each level of GAME_FOLDER/Levels/levels.m3u and each size, quarn runs in
# a fresh copy of the game folder whose level list holds only that level and
# whose settings.ini has the size and fps_limit=0. The script starts a new
# game from the main menu (Enter), starts the run (Enter), fires the hook
# once, lets it play for FRAME_SECONDS seconds (default 10; Enter once a
# second starts the run again after a death), and ends quarn with SIGTERM.
# QUARN_FRAME_STATS=1 makes quarn print its frames of play (every frame from
# the level's first, the seconds waiting for the first key included) and
# their time when it ends; the script prints the frames per second as a
# table, with quarn's peak resident memory (VmHWM). Without a DISPLAY it runs itself under
# xvfb-run (Mesa's software renderer).
set -u
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi
GAME=$(cd "${1:?usage: frame_rate.sh GAME_FOLDER}" && pwd)
SECONDS_OF_PLAY=${FRAME_SECONDS:-10}

# The level paths of the list: every line that is not blank or a # line.
levels=$(tr -d '\r' <"$GAME/Levels/levels.m3u" | grep -v '^#' | grep -v '^$')

# measure LEVEL_PATH WIDTH HEIGHT: prints "FPS PEAK_MIB" or "failed".
measure() {
    folder=$(mktemp -d)
    cp -R "$GAME"/. "$folder"/
    printf '#EXTM3U\r\n#EXTINF:0,measured\r\n%s\r\n' "$1" >"$folder/Levels/levels.m3u"
    sed -i -e "s/^width=.*/width=$2/" -e "s/^height=.*/height=$3/" \
        -e 's/^fps_limit=.*/fps_limit=0/' -e 's/^fullscreen=.*/fullscreen=0/' \
        "$folder/settings.ini"
    (cd "$folder" && exec env QUARN_FRAME_STATS=1 QUARN_MESSAGEBOX=stderr \
        SDL_AUDIODRIVER=dummy ./quarn >"$folder/stdout" 2>"$folder/stderr") &
    pid=$!
    window=""
    tries=0
    while [ -z "$window" ] && [ "$tries" -lt 300 ]; do
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
    # nothing once the run is going: Enter every 0.7 s for about 6 s.
    for i in 1 2 3 4 5 6 7 8; do
        sleep 0.6
        xdotool key --delay 100 Return
    done
    xdotool mousedown 1
    sleep 0.2
    xdotool mouseup 1
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
    line=$(grep '^frames of play:' "$folder/stderr")
    rm -rf "$folder"
    # "frames of play: N in S s, F per second"
    fps=$(echo "$line" | sed -n 's/.*, \([0-9.]*\) per second$/\1/p')
    if [ -z "$fps" ] || [ -z "$peak" ]; then
        echo failed
    else
        echo "$fps $((peak / 1024))"
    fi
}

echo "| level | 640 x 480 fps | 1024 x 768 fps | peak resident MiB (640 / 1024) |"
echo "|---|---|---|---|"
for level in $levels; do
    small=$(measure "$level" 640 480)
    large=$(measure "$level" 1024 768)
    name=$(basename "$level" .dme)
    echo "| $name | ${small% *} | ${large% *} | ${small#* } / ${large#* } |"
done
