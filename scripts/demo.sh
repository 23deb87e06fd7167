#!/usr/bin/env bash
# Runs the installer on the sample distribution in samples/, with the stand-in
# driver-install library beside it (it records the calls and changes nothing). With a
# display (DISPLAY set) the real windows appear; without one, a narrator drives them as a
# user who accepts everything and prints what that user would have seen.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$src/build}
tree=$build/x86_64

"$src/scripts/bootstrap.sh"
cmake -S "$src" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-x86_64-w64-mingw32.cmake" \
    -DWINE_PREFIX_ROOT="$build/wine" >/dev/null
cmake --build "$tree" --target Setup difxapi_standin narrator >/dev/null

demo=$build/demo
rm -rf "$demo"
cp -r "$src/samples" "$demo"
cp "$tree/bin/Setup.exe" "$tree/bin/difxapi.dll" "$demo/"
# Each package takes a few seconds, so that the progress window can be watched.
printf 'delay 4000\n' >"$demo/difx-plan.txt"
. "$src/scripts/windows-path.sh"

if [ -n "${DISPLAY:-}" ]; then
    "$src/scripts/make-wineprefix.sh" "$build/wine" display
    export WINEPREFIX="$build/wine/display" WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;difxapi=n"
    /usr/lib/wine/wine64 reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
    set +e
    (cd "$demo" && /usr/lib/wine/wine64 Setup.exe)
    code=$?
    set -e
    echo "The installer ended with exit code $code."
else
    WINE_LANG=${WINE_LANG:-en_US} "$tree/wine-run.sh" "$tree/bin/narrator.exe" \
        "$(windows_path "$demo/Setup.exe")"
fi
echo "Calls the driver-install library received ($demo/difx-record.txt):"
sed 's/^/    /' "$demo/difx-record.txt" 2>/dev/null || echo "    none"
