#!/bin/sh
# The two commands of README.md:
#   ./build.sh run     installs what is missing, builds the desktop program and starts it
#   ./build.sh test    installs what is missing, builds (warnings are errors), runs every test
#   ./build.sh build   builds the programs only (the window, hvn35, the emulator), no tests
#   ./build.sh bench   builds and runs the serial benchmark against the radio emulator
#   ./build.sh fuzz [N] builds the fuzz targets with clang (build-fuzz/) and runs each for N inputs
#   ./build.sh check   builds the libraries and programs with clang (build-clang/, warnings are errors) and
#                      runs clang-tidy over src/ and tools/; any warning fails it (CI runs it)
#   ./build.sh package builds, then makes the Debian package hvn35-writer_<version>_<arch>.deb in build/
#   ./build.sh docs    builds the screenshot tool and renders the user guide's pictures into docs/images/
#   ./build.sh sample  makes the sample clone image data/sample.N35 again
# N35_SANITIZE=ON ./build.sh test builds with AddressSanitizer and UBSan in build-sanitize/ instead.
set -eu
cd "$(dirname "$0")"
case "${N35_SANITIZE:-OFF}" in
ON | on | 1 | TRUE | true | YES | yes) SANITIZE=ON ;;
*) SANITIZE=OFF ;;
esac
if [ "$SANITIZE" = ON ]; then
    BUILD=${BUILD:-build-sanitize}
else
    BUILD=${BUILD:-build}
fi
FUZZ_BUILD=${FUZZ_BUILD:-build-fuzz}
CLANG_BUILD=${CLANG_BUILD:-build-clang}
JOBS=${JOBS:-2}
PACKAGES="cmake make g++ pkg-config qt6-base-dev qt6-serialport-dev libgl-dev libxkbcommon-dev libicu-dev fonts-ipafont-gothic help2man"

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

# Only the named targets, for the commands that need one program.
build_targets() {
    install_missing
    cmake -S . -B "$BUILD"
    cmake --build "$BUILD" -j"$JOBS" --target "$@"
}

case "${1:-}" in
run)
    build_targets hvn35writer
    exec "./$BUILD/hvn35writer"
    ;;
build)
    build_targets hvn35writer hvn35 hvn35-emulator
    echo "Programs: $BUILD/hvn35writer $BUILD/hvn35 $BUILD/hvn35-emulator"
    ;;
test)
    if [ "$SANITIZE" = ON ]; then
        build -DN35_WERROR=ON -DN35_SANITIZE=ON
        # Undefined behaviour fails the test instead of being printed and passed over; so does any leak,
        # none suppressed.
        export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
        export ASAN_OPTIONS=detect_leaks=1
    else
        build -DN35_WERROR=ON
    fi
    ctest --test-dir "$BUILD" --output-on-failure -j"$JOBS"
    ;;
bench)
    build
    exec "./$BUILD/hvn35-bench"
    ;;
check)
    # The second compiler and the checks of .clang-tidy. The programs need every library, so this builds
    # all of src/ and tools/ but no test; clang-tidy reads the clang build's compile commands. More
    # arguments go to cmake (e.g. -DCMAKE_CXX_COMPILER_LAUNCHER=ccache).
    shift
    PACKAGES="$PACKAGES clang clang-tidy"
    install_missing
    # Unoptimised: clang warns from its front end, so optimising would only cost time.
    CC=clang CXX=clang++ cmake -S . -B "$CLANG_BUILD" -DCMAKE_BUILD_TYPE=Debug -DN35_WERROR=ON "$@"
    cmake --build "$CLANG_BUILD" -j"$JOBS" --target hvn35writer hvn35 hvn35-emulator hvn35-bench hvn35-shots \
        hvn35-docshots hvn35-sample
    echo "clang-tidy over src/ and tools/"
    find src tools -name '*.cpp' | sort |
        xargs -P"$JOBS" -n 4 clang-tidy -p "$CLANG_BUILD" --quiet --warnings-as-errors='*'
    echo "clang build and clang-tidy: no warnings"
    ;;
fuzz)
    runs=${2:-100000}
    PACKAGES="$PACKAGES clang libclang-rt-14-dev"
    install_missing
    CC=clang CXX=clang++ cmake -S . -B "$FUZZ_BUILD" -DN35_FUZZ=ON
    cmake --build "$FUZZ_BUILD" --target n35-fuzzers -j"$JOBS"
    mkdir -p "$FUZZ_BUILD/findings"
    # Recording every allocation's stack costs a third of the run; a finding's input run again alone
    # (with ASAN_OPTIONS unset) gives the full report.
    export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=0}"
    for target in imagefile csvfile channellist portsettings decoders backupfile; do
        # A whole 952-channel image file is 130 KB, a radio reply 330 characters. CSV inputs stop at 4 KB:
        # every row rule sees a line of 60 bytes, 953 empty lines already run past the last row, and a
        # whole 57 KB file only makes each input fifteen times slower.
        case $target in
        imagefile | portsettings | backupfile) max_len=200000 ;;
        csvfile | channellist) max_len=4096 ;;
        *) max_len=4096 ;;
        esac
        # New inputs go to the build's own corpus; the checked-in seeds are only read.
        mkdir -p "$FUZZ_BUILD/corpus/$target"
        echo "== $target: $runs inputs"
        start=$(date +%s)
        "./$FUZZ_BUILD/fuzz/n35-fuzz-$target" -runs="$runs" -max_len=$max_len -timeout=10 \
            -print_final_stats=1 -artifact_prefix="$FUZZ_BUILD/findings/$target-" \
            "$FUZZ_BUILD/corpus/$target" "fuzz/corpus/$target"
        echo "== $target: $runs inputs in $(($(date +%s) - start)) s, no findings"
    done
    ;;
package)
    # Manual pages are required here (they are optional in a plain build). The same build folder as
    # "./build.sh test", so after a test run nothing compiles again.
    if [ "$SANITIZE" = ON ]; then
        echo "no package from a sanitizer build: run without N35_SANITIZE" >&2
        exit 2
    fi
    PACKAGES="$PACKAGES dpkg-dev"
    build -DN35_MANPAGES=ON
    log="$BUILD/cpack.log"
    if ! (cd "$BUILD" && cpack -G DEB) >"$log" 2>&1; then
        cat "$log" >&2
        exit 1
    fi
    cat "$log"
    deb=$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' "$log")
    if [ -z "$deb" ] || [ ! -f "$deb" ]; then
        echo "cpack reported no package; see $log" >&2
        exit 1
    fi
    echo "Package: $deb"
    ;;
sample)
    # The sample clone image data/sample.N35, made again by the program's own code.
    build_targets hvn35-sample
    "./$BUILD/hvn35-sample" data/sample.N35
    ;;
docs)
    build_targets hvn35-docshots
    mkdir -p docs/images
    QT_QPA_PLATFORM=offscreen "./$BUILD/hvn35-docshots" docs/images
    ;;
*)
    echo "usage: $0 run|test|build|check|bench|fuzz [inputs]|package|docs|sample" >&2
    exit 2
    ;;
esac
