#!/bin/sh
# Checks that the README's test command works on a fresh Debian 12 machine:
# debootstraps a minimal bookworm root (no compiler, no cmake, no X server),
# copies a clean clone of this repository in, and runs `./build.sh test`
# inside it as root, with /proc and /dev mounted; then builds the Debian
# package there, installs it with apt and starts the installed game
# (tools/try-installed-quarn.sh). Prints the results and the time taken. Needs root, debootstrap (installed when missing) and the network
# access to the Debian archive that apt already uses.
#
#   tools/check-fresh-machine.sh [WORK_DIR]      (default /tmp/quarn-fresh-machine)
set -eu

REPO=$(cd "$(dirname "$0")/.." && pwd)
WORK=${1:-/tmp/quarn-fresh-machine}
ROOT=$WORK/root

if [ "$(id -u)" -ne 0 ]; then
    echo "check-fresh-machine: run as root" >&2
    exit 2
fi
if ! command -v debootstrap >/dev/null 2>&1; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends debootstrap
fi

# The same Debian archive that apt on this machine uses.
mirror=$(sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' \
    /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -v security | head -n 1)
if [ -z "$mirror" ] && [ -f /etc/apt/sources.list ]; then
    mirror=$(awk '$1 == "deb" && $2 !~ /security/ { print $2; exit }' /etc/apt/sources.list)
fi

unmount_all() {
    for point in "$ROOT/dev" "$ROOT/proc"; do
        if mountpoint -q "$point" 2>/dev/null; then
            umount -R "$point" 2>/dev/null || umount -l "$point" || true
        fi
    done
}
trap unmount_all EXIT INT TERM

unmount_all
rm -rf "$WORK"
mkdir -p "$WORK"
started=$(date +%s)

echo "== debootstrap --variant=minbase bookworm $ROOT ${mirror}"
debootstrap --variant=minbase bookworm "$ROOT" ${mirror:+"$mirror"} >"$WORK/debootstrap.log" 2>&1 || {
    tail -n 30 "$WORK/debootstrap.log" >&2
    echo "check-fresh-machine: debootstrap failed" >&2
    exit 1
}
bootstrapped=$(date +%s)
echo "   took $((bootstrapped - started)) s"

# Apt options of this machine (validity checks and the like) apply inside too.
cp /etc/resolv.conf "$ROOT/etc/resolv.conf" 2>/dev/null || true
for conf in /etc/apt/apt.conf.d/*; do
    if grep -q '^Acquire::Check' "$conf" 2>/dev/null; then
        cp "$conf" "$ROOT/etc/apt/apt.conf.d/"
    fi
done

echo "== clean clone of $(git -C "$REPO" rev-parse --short HEAD)"
git clone -q --no-hardlinks "$REPO" "$ROOT/quarn"
git -C "$ROOT/quarn" checkout -q "$(git -C "$REPO" rev-parse HEAD)"

mount -t proc proc "$ROOT/proc"
mount --rbind /dev "$ROOT/dev"

echo "== ./build.sh test inside the chroot (log: $WORK/test.log)"
status=0
chroot "$ROOT" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    /bin/sh -c 'cd /quarn && ./build.sh test' >"$WORK/test.log" 2>&1 || status=$?
finished=$(date +%s)

grep -E "tests passed|tests failed|Total Test time" "$WORK/test.log" || tail -n 40 "$WORK/test.log"
echo "== debootstrap $((bootstrapped - started)) s, set-up, build and tests $((finished - bootstrapped)) s, total $((finished - started)) s"
if [ "$status" -ne 0 ]; then
    echo "check-fresh-machine: FAILED (exit code $status)"
    exit "$status"
fi

echo "== the package installed with apt and started (log: $WORK/package.log)"
chroot "$ROOT" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive /bin/sh -c \
    'cd /quarn && (cd build && cpack -G DEB) && apt-get install -y ./build/quarn_*.deb &&
     sh tools/try-installed-quarn.sh /usr/bin /usr/share/quarn/settings.ini' \
    >"$WORK/package.log" 2>&1 || status=$?
tail -n 3 "$WORK/package.log"
if [ "$status" -ne 0 ]; then
    echo "check-fresh-machine: the package FAILED (exit code $status)"
    exit "$status"
fi
echo "check-fresh-machine: passed"
