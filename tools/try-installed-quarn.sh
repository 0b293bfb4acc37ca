#!/bin/sh
# Tries out an installed quarn: starts BIN_DIR/quarn under its own Xvfb as an
# ordinary user (nobody) from BIN_DIR, which that user cannot write, with a
# fresh HOME, and checks that its window opens, that Print Screen saves a
# picture into ~/Pictures/quarn/, that its settings appear in
# ~/.config/quarn/ as a copy of SHIPPED_SETTINGS, and that nothing is written
# where it was started.
#
#   tools/try-installed-quarn.sh BIN_DIR SHIPPED_SETTINGS
#
# Run as root. Exits non-zero on any failure.
set -u
BIN=${1:?usage: try-installed-quarn.sh BIN_DIR SHIPPED_SETTINGS}
SHIPPED=${2:?usage: try-installed-quarn.sh BIN_DIR SHIPPED_SETTINGS}
failures=0
fail() {
    echo "FAIL (installed quarn): $1"
    failures=$((failures + 1))
}

home=$(mktemp -d)
chown nobody "$home"
before=$(ls -a "$BIN")
# Xvfb picks a free display itself and writes its number.
number_file="$home/display"
Xvfb -displayfd 3 -ac -screen 0 1024x768x24 3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
tries=0
while [ ! -s "$number_file" ] && [ "$tries" -lt 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
done
display=:$(head -n 1 "$number_file")
(cd "$BIN" && exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i DISPLAY="$display" HOME="$home" QUARN_MESSAGEBOX=stderr SDL_AUDIODRIVER=dummy \
    PATH=/usr/bin:/bin ./quarn >"$home/stdout" 2>"$home/stderr") &
pid=$!
window=""
tries=0
while [ -z "$window" ] && [ "$tries" -lt 600 ]; do
    window=$(DISPLAY=$display xdotool search --all --pid "$pid" --name '^Quarn$' 2>/dev/null |
        head -n 1)
    [ -n "$window" ] || sleep 0.1
    tries=$((tries + 1))
done
if [ -z "$window" ]; then
    fail "no window opened"
else
    DISPLAY=$display timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 1
    DISPLAY=$display xdotool key --delay 100 Print
    sleep 2
fi
kill -TERM "$pid" 2>/dev/null
wait "$pid"
code=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
[ "$code" = 0 ] || fail "it ended with code $code: $(cat "$home/stderr")"
ls "$home"/Pictures/quarn/screenshot*.png >/dev/null 2>&1 ||
    fail "no screenshot in ~/Pictures/quarn: $(cat "$home/stderr")"
cmp -s "$home/.config/quarn/settings.ini" "$SHIPPED" || fail "no settings made in ~/.config/quarn"
[ "$(ls -a "$BIN")" = "$before" ] || fail "something was written in $BIN"
[ -s "$home/stderr" ] && echo "quarn said: $(cat "$home/stderr")"
rm -rf "$home"
if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "the installed quarn opened its window, saved a screenshot and its settings in the home"
