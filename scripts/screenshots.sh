#!/usr/bin/env bash
# Renders the installer's windows under Wine's X11 driver on a virtual X display (Xvfb) and
# saves them as docs/screenshot-NAME.png, each cropped to its window:
#   licence-en, licence-ja   the licence dialog with English and with Japanese settings
#   notice-en                the notice box
#   progress-en              the progress window
#   error-en                 the error box for a missing driver package
# The installer runs on the sample kit that make-dist.sh makes, with the stand-in
# driver-install library, which changes nothing. BUILD_DIR (default build/) holds the
# build trees, WINE_PREFIX_ROOT (default BUILD_DIR/shots-wine) the Wine prefixes, one per
# language; SHOTS_DIR (default docs/) receives the pictures.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$src/build}
shots=${SHOTS_DIR:-$src/docs}
prefixes=${WINE_PREFIX_ROOT:-$build/shots-wine}
tree=$build/tools-x86_64
work=$build/shots
screen=1024x768
wine64=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;difxapi=n"

. "$src/scripts/windows-path.sh"

# First, without a display: build, then run again under Xvfb.
if [ -z "${SCREENSHOTS_UNDER_XVFB:-}" ]; then
    "$src/scripts/bootstrap.sh"
    rm -rf "$work"
    mkdir -p "$work"
    DIST_DIR=$work/dist "$src/scripts/make-dist.sh" >/dev/null
    cmake -S "$src" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-x86_64-w64-mingw32.cmake" >/dev/null
    cmake --build "$tree" --target shotdriver difxapi_standin >/dev/null
    SCREENSHOTS_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 ${screen}x24 -dpi 96" \
        bash "$src/scripts/screenshots.sh" "$@"
fi

# A copy of the booted prefix that draws on X: not the null graphics driver of the test
# prefixes, and a virtual desktop, so that Wine draws the window frames itself as Windows
# does (there is no window manager). Wine's symbol font for the caption buttons is not put
# into the prefix by this Wine package. With Japanese settings the stand-in for the face
# every Japanese system has (and that its system fonts fall back to) is IPA Gothic.
x11_prefix() { # language: prints the prefix, made ready once
    local lang=$1 prefix=$prefixes/x11-$1
    "$src/scripts/make-wineprefix.sh" "$prefixes" "x11-$lang"
    if [ ! -f "$prefix/.x11" ]; then
        (
            export WINEPREFIX=$prefix LANG=$lang.UTF-8 LC_ALL=$lang.UTF-8
            unset DISPLAY
            "$wine64" reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f || true
            "$wine64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
            "$wine64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$screen" /f
            if [ "$lang" = ja_JP ]; then
                "$wine64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' \
                    /d IPAGothic /f
            fi
            /usr/lib/wine/wineserver -w
        ) >/dev/null 2>&1
        cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
        touch "$prefix/.x11"
    fi
    printf '%s\n' "$prefix"
}

# The sample kit with the stand-in beside the installer; each package takes 3 s so that
# the progress window stays up. Without "package" the driver package is missing.
kit_folder() { # name, [package]
    local folder=$work/$1
    mkdir -p "$folder"
    cp "$work/dist/amd64/"* "$tree/bin/difxapi.dll" "$folder/"
    printf 'delay 3000\n' >"$folder/difx-plan.txt"
    if [ "${2:-}" = package ]; then
        mkdir -p "$folder/driver"
        cp "$src/samples/x86/zevusb.inf" "$folder/driver/"
    fi
    printf '%s\n' "$folder"
}

# Runs the installer in folder through the shot driver and saves the windows named by
# kind=name arguments; every window is then answered as a user who accepts everything.
run_scene() { # language, folder, expected exit code, kind=name...
    local lang=$1 folder=$2 expected=$3 prefix kind x y w h name code=""
    shift 3
    local -A wanted=()
    for pair in "$@"; do wanted[${pair%%=*}]=${pair#*=}; done
    prefix=$(x11_prefix "$lang")
    coproc SHOT {
        WINEPREFIX=$prefix LANG=$lang.UTF-8 LC_ALL=$lang.UTF-8 \
            "$wine64" "$tree/bin/shotdriver.exe" "$(windows_path "$folder/Setup.exe")"
    }
    local pid=$SHOT_PID
    while read -r kind x y w h <&"${SHOT[0]}"; do
        if [ "$kind" = exit ]; then
            code=${x%$'\r'}
            break
        fi
        name=${wanted[$kind]:-}
        if [ -n "$name" ]; then
            sleep 0.5 # until the window has painted itself
            import -window root -crop "${w}x${h%$'\r'}+$x+$y" +repage -strip \
                -define png:exclude-chunks=date,time "$shots/screenshot-$name.png"
            echo "screenshot-$name.png: $kind window, ${w}x${h%$'\r'}"
        fi
        echo go >&"${SHOT[1]}"
    done
    wait "$pid" || true
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -w
    if [ "$code" != "$expected" ]; then
        echo "the installer in $folder ended with '${code:-nothing}', not $expected" >&2
        exit 1
    fi
}

mkdir -p "$shots"
run_scene en_US "$(kit_folder en package)" 0 \
    licence=licence-en notice=notice-en progress=progress-en
run_scene ja_JP "$(kit_folder ja package)" 0 licence=licence-ja
run_scene en_US "$(kit_folder missing)" 2 message=error-en
