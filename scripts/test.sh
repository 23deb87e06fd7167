#!/usr/bin/env bash
# Installs what is missing, builds the installer for both architectures and runs every
# test under Wine, headless. BUILD_DIR (default build/) holds the build trees and the
# test Wine prefixes.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$src/build}
jobs=$(nproc)

"$src/scripts/bootstrap.sh"

# Wine's 32-bit half runs natively where the kernel runs 32-bit code, and under qemu
# elsewhere (bootstrap.sh registers it; qemu-wine.sh keeps it quick).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    wine32=ON
    x86_bin=$build/i686/bin
else
    wine32=OFF
    x86_bin=""
fi

configure() { # arch, extra cmake arguments
    local arch=$1
    shift
    cmake -S "$src" -B "$build/$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-$arch-w64-mingw32.cmake" \
        -DWINE_PREFIX_ROOT="$build/wine" "$@" >/dev/null
    cmake --build "$build/$arch" -j "$jobs"
}

configure i686 -DSETUP_WINE_TESTS=$wine32
# The 64-bit tests also drive the 32-bit installer through its main paths (x86.*).
configure x86_64 -DSETUP_X86_BIN_DIR="$x86_bin"

# Both builds pass the whole suite. A test that fails is run once more before it counts:
# now and then a test's Wine process hangs as it exits, after the test has passed. A real
# fault fails twice.
status=0
for arch in i686 x86_64; do
    (cd "$build/$arch" && ctest --output-on-failure -j "$jobs" --timeout 1500 --repeat until-pass:2) ||
        status=1
done
exit $status
