#!/usr/bin/env bash
# Installs what is missing, builds the installer for both architectures and runs every
# test under Wine, headless. BUILD_DIR (default build/) holds the build trees and the
# test Wine prefixes.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$src/build}
jobs=$(nproc)

"$src/scripts/bootstrap.sh"

configure() { # arch
    cmake -S "$src" -B "$build/$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-$1-w64-mingw32.cmake" \
        -DWINE_PREFIX_ROOT="$build/wine" >/dev/null
    cmake --build "$build/$1" -j "$jobs"
}

configure i686
configure x86_64

# This kind of machine runs 64-bit Windows programs only (its kernel cannot run 32-bit
# code), so the suite runs against the 64-bit build of the same sources; the 32-bit
# build is checked where that needs no Wine.
(cd "$build/i686" && ctest --output-on-failure -L nowine)
(cd "$build/x86_64" && ctest --output-on-failure -j "$jobs" --timeout 300)
