#!/bin/sh
# Draws the overview picture of every shipped level with its solution's ball
# path into OUT_DIR/NAME.png, and prints each level's figures for the level
# table in docs/levels.md: the solution's steps and par time (320 steps a
# second), the size of the level's outlines and how far the ball travels.
#
#   tools/level-overviews.sh [BUILD_DIR] [OUT_DIR]
#
# BUILD_DIR defaults to build, OUT_DIR to docs/images/levels.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
OUT=${2:-$ROOT/docs/images/levels}
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
TRACE=$(mktemp)
trap 'rm -f "$TRACE"' EXIT

cd "$BUILD/game"
echo "| level | steps | par time | size (units) | ball travels (units) |"
grep -v '^#' Levels/levels.m3u | grep . | tr -d '\r' | while read -r path; do
    name=$(basename "$path" .dme)
    "$BUILD/quarn-sim" --trace --level "$path" "$ROOT/data/levels/$name.sim" >"$TRACE"
    "$BUILD/quarn-scene" overview --trace "$TRACE" "$path" "$OUT/$name.png" >/dev/null
    size=$("$BUILD/quarn-scene" dump --brief "$path" | awk '
        /^shape / { gsub(/[()]/, ""); x0 = $7; y0 = $9; x1 = $11; y1 = $13
                    if (n++ == 0 || x0 < l) l = x0; if (n == 1 || x1 > r) r = x1
                    if (n == 1 || y0 < b) b = y0; if (n == 1 || y1 > t) t = y1 }
        END { printf "%d x %d", r - l, t - b }')
    awk -v name="$name" -v size="$size" '
        /^load / { if (++loads == 2) exit; next }
        /^step=/ { steps++; split($3, xy, "[=,]"); x = xy[2] + 0; y = xy[3] + 0
                   if (steps == 1 || x < l) l = x; if (steps == 1 || x > r) r = x
                   if (steps == 1 || y < b) b = y; if (steps == 1 || y > t) t = y }
        END { printf "| %s | %d | %d:%04.1f | %s | %d x %d |\n", name, steps,
              int(steps / 320 / 60), steps / 320 - 60 * int(steps / 320 / 60), size, r - l, t - b }' "$TRACE"
done
