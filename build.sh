#!/bin/sh
# Sets up Quarn on a Debian 12 machine and plays or tests it.
#
#   ./build.sh play   install missing packages, build, lay out build/game/, start the game
#   ./build.sh test   the same set-up, then the whole test suite (exit code non-zero on failure)
#   ./build.sh build  the set-up only
#   ./build.sh test-sanitized
#                     the whole test suite again, built with AddressSanitizer and
#                     UndefinedBehaviorSanitizer into build-asan/
#
# Run as root, or as a user who may use sudo (only apt-get is run with it).
set -eu

cd "$(dirname "$0")"
BUILD_DIR=${QUARN_BUILD_DIR:-build}

PACKAGES="build-essential cmake ninja-build pkg-config
    libsdl2-dev libsdl2-mixer-dev libfreetype-dev fonts-liberation2
    libpng-dev libjpeg62-turbo-dev zlib1g-dev nettle-dev libgl-dev libgl1-mesa-dri libglx-mesa0
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool
    clang libclang-rt-14-dev valgrind
    dpkg-dev desktop-file-utils appstream"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

install_packages() {
    missing=""
    for package in $PACKAGES; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing="$missing $package"
        fi
    done
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        as_root apt-get update
        # shellcheck disable=SC2086
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
    fi
}

build() {
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    # Two jobs by default: the build machines have two cores shared with others.
    cmake --build "$BUILD_DIR" -j "${QUARN_JOBS:-2}"
}

# Any sanitizer report fails the test that triggered it: UBSan stops at the first
# finding instead of printing and carrying on.
SANITIZE_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

build_sanitized() {
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_FLAGS="-O1 $SANITIZE_FLAGS" -DCMAKE_CXX_FLAGS="-O1 $SANITIZE_FLAGS" \
        -DCMAKE_EXE_LINKER_FLAGS="$SANITIZE_FLAGS"
    cmake --build "$BUILD_DIR" -j "${QUARN_JOBS:-2}"
}

run_tests() {
    # Window and GL tests need a display: the whole suite runs under one Xvfb
    # with Mesa's software renderer; end-to-end tests start displays of their own.
    xvfb-run -a -s "-screen 0 1024x768x24" \
        ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 600 -j 2 "$@"
}

command=${1:-}
case "$command" in
    play)
        install_packages
        build
        cd "$BUILD_DIR/game"
        exec ./quarn
        ;;
    test)
        install_packages
        build
        run_tests
        ;;
    test-sanitized)
        BUILD_DIR=${QUARN_BUILD_DIR:-build-asan}
        install_packages
        build_sanitized
        export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
        export ASAN_OPTIONS="${QUARN_ASAN_OPTIONS:-detect_stack_use_after_return=1}"
        export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(pwd)/tests/sanitizer/lsan.supp}"
        run_tests -L unit
        # The window, GL and end-to-end tests go through Mesa's software renderer
        # and the X libraries, which can keep allocations alive past exit that
        # LeakSanitizer would blame on the program: memory errors only there.
        export ASAN_OPTIONS="${QUARN_ASAN_OPTIONS:-detect_leaks=0}"
        run_tests -LE unit
        ;;
    build)
        install_packages
        build
        ;;
    *)
        echo "usage: $0 play|test|test-sanitized|build" >&2
        exit 2
        ;;
esac
