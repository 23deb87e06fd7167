#!/usr/bin/env bash
# Proves that the release build is reproducible: makes the distribution kit twice, from
# clean build trees and from two copies of this checkout at different paths, and compares
# the two kits file by file. Prints the SHA-256 of each Setup.exe; exits non-zero when
# anything differs. Nothing outside a temporary folder is touched.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/setup-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Both copies come from one snapshot, so that an edit made meanwhile cannot tell them
# apart. The second lies deeper and under another name, so that a build path that got
# into an executable shows as a difference.
snapshot=$work/source.tar
tar -C "$src" --exclude='./build*' --exclude=./dist --exclude=./out --exclude=./.git \
    -cf "$snapshot" .
first=$work/one/src
copy=$work/second/a-longer-source-folder
for tree in "$first" "$copy"; do
    mkdir -p "$tree"
    tar -C "$tree" -xf "$snapshot"
done

make_kit() { # source tree, name
    echo "== clean build $2 from $1"
    BUILD_DIR=$work/$2/build DIST_DIR=$work/$2/dist "$1/scripts/make-dist.sh" >/dev/null
}
make_kit "$first" one
make_kit "$copy" two

status=0
for arch in x86 amd64; do
    for kit in one two; do
        printf '%s  %s/%s/Setup.exe\n' \
            "$(sha256sum <"$work/$kit/dist/$arch/Setup.exe" | cut -d' ' -f1)" "$kit" "$arch"
    done
done
while read -r file; do
    if ! cmp -s "$work/one/dist/$file" "$work/two/dist/$file"; then
        echo "DIFFERS: $file (first differing bytes: offset, octal one, octal two)"
        { cmp -l "$work/one/dist/$file" "$work/two/dist/$file" 2>&1 || true; } | head -5 | sed 's/^/    /'
        status=1
    fi
done < <(cd "$work/one/dist" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if ! diff -q <(cd "$work/one/dist" && find . | LC_ALL=C sort) \
    <(cd "$work/two/dist" && find . | LC_ALL=C sort) >/dev/null; then
    echo "DIFFERS: the two kits do not hold the same files"
    status=1
fi

if [ "$status" -eq 0 ]; then
    echo "reproducible: both builds gave byte-identical kits"
else
    echo "NOT reproducible"
fi
exit "$status"
