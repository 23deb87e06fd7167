#!/bin/sh
# check-imports.sh OBJDUMP EXE: the executable imports only system DLLs and the
# driver-install library, so it runs from a driver folder with nothing else beside it.
set -e
objdump="$1"
exe="$2"
allowed='^(kernel32|user32|gdi32|comctl32|advapi32|shell32|msvcrt|difxapi)\.dll$'
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || { echo "no import table found in $exe"; exit 1; }
bad=$(printf '%s\n' "$dlls" | grep -v -E "$allowed" || true)
printf 'imports: %s\n' $dlls
if [ -n "$bad" ]; then
    echo "not a system DLL: $bad"
    exit 1
fi
printf '%s\n' "$dlls" | grep -qx 'difxapi.dll' || { echo "difxapi.dll is not imported"; exit 1; }
"$objdump" -p "$exe" | grep -q 'DriverPackagePreinstallW$' || { echo "DriverPackagePreinstallW not imported by name"; exit 1; }
