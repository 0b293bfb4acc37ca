#!/bin/sh
# Builds the Debian package of a configured and built tree and checks it:
#
#   tools/check-package.sh [BUILD_DIR]     (default build/, as ./build.sh builds it)
#
# - `cpack -G DEB` makes quarn_VERSION_ARCH.deb in BUILD_DIR;
# - its contents (dpkg-deb -c) hold the programs, the game's data, the
#   desktop entry, the metainfo, the icons and the man pages;
# - desktop-file-validate and appstreamcli validate accept the entry and the
#   metainfo as packaged;
# - the package is unpacked into a scratch root and the quarn there is tried
#   out as installed (tools/try-installed-quarn.sh).
#
# Run as root (it switches to nobody for the game). Exits non-zero on any
# failure.
set -u
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
failures=0
fail() {
    echo "FAIL: $1"
    failures=$((failures + 1))
}

(cd "$BUILD_DIR" && cpack -G DEB >cpack.log 2>&1) || {
    cat "$BUILD_DIR/cpack.log"
    fail "cpack"
    exit 1
}
package=$(ls "$BUILD_DIR"/quarn_*.deb | head -n 1)
echo "package: $package"
dpkg-deb -I "$package" | sed -n 's/^ \(Depends\|Recommends\|Installed-Size\):/  \1:/p'

contents=$(dpkg-deb -c "$package" | awk '{print $6}')
for expected in ./usr/bin/quarn ./usr/bin/quarn-scene ./usr/bin/quarn-sim \
    ./usr/share/quarn/settings.ini ./usr/share/quarn/Levels/levels.m3u \
    ./usr/share/quarn/Textures/quarn.png ./usr/share/quarn/Menu/MainMenu.png \
    ./usr/share/quarn/Music/playlist.m3u ./usr/share/quarn/Sounds/effects.m3u \
    ./usr/share/quarn/effects/effects.m3u \
    ./usr/share/applications/io.github.quarn.Quarn.desktop \
    ./usr/share/metainfo/io.github.quarn.Quarn.metainfo.xml \
    ./usr/share/man/man6/quarn.6 ./usr/share/man/man1/quarn-scene.1 \
    ./usr/share/man/man1/quarn-sim.1; do
    echo "$contents" | grep -qx "$expected" || fail "the package lacks $expected"
done
for size in 16 24 32 48 64 128 256; do
    icon=./usr/share/icons/hicolor/${size}x${size}/apps/quarn.png
    echo "$contents" | grep -qx "$icon" || fail "the package lacks $icon"
done
echo "$contents" | grep -q '^./usr/share/quarn/quarn$' && fail "the executable is in the data folder"

root=$(mktemp -d)
chmod 755 "$root"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"
desktop-file-validate "$root/usr/share/applications/io.github.quarn.Quarn.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.quarn.Quarn.metainfo.xml" ||
    fail "appstreamcli validate"

sh tools/try-installed-quarn.sh "$root/usr/bin" "$root/usr/share/quarn/settings.ini" ||
    fail "the installed quarn"

if [ "$failures" -gt 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "package checks passed"
