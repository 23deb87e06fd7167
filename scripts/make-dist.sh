#!/usr/bin/env bash
# Builds the installer for both architectures in Release and makes the distribution kit:
# dist/x86/ and dist/amd64/, each with Setup.exe, a commented sample Setup.ini, sample
# licence and notice texts (UTF-16LE with a byte-order mark) and the vendor guide, plus
# dist/SHA256SUMS. BUILD_DIR (default build/) holds the build trees, DIST_DIR (default
# dist/) receives the kit, which is made anew each time.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$src/build}
dist=${DIST_DIR:-$src/dist}

"$src/scripts/bootstrap.sh"

# Only the installer: the tests and the stand-in library are not part of a release tree.
build_setup() { # triple
    local tree=$build/dist-$1
    cmake -S "$src" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-$1-w64-mingw32.cmake" >/dev/null
    cmake --build "$tree" --target Setup >/dev/null
    "$src/scripts/check-imports.sh" "$1-w64-mingw32-objdump" "$tree/bin/Setup.exe" >/dev/null
}

# Texts kept as UTF-8 in the repository become what Windows tools expect.
with_crlf() { sed 's/\r*$/\r/' "$1"; }
as_utf16le() { printf '\xff\xfe' && with_crlf "$1" | iconv -f UTF-8 -t UTF-16LE; }
require_bom() {
    [ "$(head -c 2 "$1" | od -An -tx1 | tr -d ' \n')" = fffe ] ||
        { echo "$1: not UTF-16LE with a byte-order mark" >&2; exit 1; }
}

build_setup i686
build_setup x86_64

case $dist in /|"$src"|"") echo "refusing DIST_DIR=$dist" >&2; exit 1 ;; esac
rm -rf "$dist"
for arch in x86:i686 amd64:x86_64; do
    folder=$dist/${arch%%:*}
    mkdir -p "$folder"
    cp "$build/dist-${arch#*:}/bin/Setup.exe" "$folder/"
    as_utf16le "$src/docs/dist/Setup.ini" >"$folder/Setup.ini"
    for text in license_en license_ja notice_en notice_ja; do
        require_bom "$src/samples/$text.txt"
        cp "$src/samples/$text.txt" "$folder/"
    done
    with_crlf "$src/docs/dist/VENDOR-GUIDE.txt" >"$folder/VENDOR-GUIDE.txt"
done

# The real driver-install library comes from the vendor's driver kit, never from here.
if find "$dist" -iname difxapi.dll | grep -q .; then
    echo "a difxapi.dll got into $dist" >&2
    exit 1
fi
(cd "$dist" && LC_ALL=C sha256sum x86/* amd64/* >SHA256SUMS)

echo "Made $dist:"
(cd "$dist" && LC_ALL=C find . -type f | LC_ALL=C sort | sed 's|^\./||' | while read -r f; do
    printf '  %-24s %8s bytes\n' "$f" "$(stat -c %s "$f")"
done)
grep 'Setup.exe' "$dist/SHA256SUMS" | sed 's/^/  sha256 /'
