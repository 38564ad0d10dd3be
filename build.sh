#!/bin/sh
# The two commands of README.md:
#   ./build.sh run     installs what is missing, builds, starts the desktop program
#   ./build.sh test    installs what is missing, builds (warnings are errors), runs every test
#   ./build.sh bench   builds and runs the serial benchmark against the radio emulator
set -eu
cd "$(dirname "$0")"
BUILD=${BUILD:-build}
JOBS=${JOBS:-2}
PACKAGES="cmake make g++ pkg-config qt6-base-dev qt6-serialport-dev libgl-dev libxkbcommon-dev libicu-dev fonts-ipafont-gothic"

install_missing() {
    missing=""
    for p in $PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    echo "Installing Debian packages:$missing"
    if [ "$(id -u)" = 0 ]; then sudo=""; else sudo=sudo; fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y $missing
}

build() {
    install_missing
    cmake -S . -B "$BUILD" "$@"
    cmake --build "$BUILD" -j"$JOBS"
}

case "${1:-}" in
run)
    build
    exec "./$BUILD/hvn35writer"
    ;;
test)
    build -DN35_WERROR=ON
    ctest --test-dir "$BUILD" --output-on-failure -j"$JOBS"
    ;;
bench)
    build
    exec "./$BUILD/hvn35-bench"
    ;;
*)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
