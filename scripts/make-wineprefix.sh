#!/bin/sh
# make-wineprefix.sh ROOT LANG: makes ROOT/LANG a ready Wine prefix, once. A base prefix
# is booted a single time (64-bit, Wine's null graphics driver, no Mono or Gecko
# prompts, native driver-install library preferred) and copied for each language.
set -e
root="$1"
lang="$2"
[ -f "$root/$lang/.ready" ] && exit 0
mkdir -p "$root"
exec 9>"$root/.lock"
flock 9
[ -f "$root/$lang/.ready" ] && exit 0

wine64=/usr/lib/wine/wine64
. "$(dirname "$0")/qemu-wine.sh"
if [ ! -f "$root/base/.ready" ]; then
    rm -rf "$root/base"
    (
        export WINEPREFIX="$root/base" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        unset DISPLAY WAYLAND_DISPLAY
        "$wine64" wineboot -i >/dev/null 2>&1
        "$wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
        "$wine64" reg add 'HKCU\Software\Wine\DllOverrides' /v difxapi /d native /f >/dev/null 2>&1
        /usr/lib/wine/wineserver -w
    )
    touch "$root/base/.ready"
fi
rm -rf "$root/$lang"
cp -a "$root/base" "$root/$lang"
