#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine. Safe to run
# again: it only installs what is missing.
set -euo pipefail

packages=(
  cmake ninja-build clang-format
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-i686
  wine wine32:i386 wine64 locales googletest
  xvfb xauth fonts-ipafont-gothic qemu-user
  imagemagick fonts-wine fonts-liberation
)
locales_wanted=(en_US.UTF-8 ja_JP.UTF-8 en_GB.UTF-8)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  missing=(update)
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
fi

have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
gen=0
for l in "${locales_wanted[@]}"; do
  norm=$(printf '%s' "$l" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  if ! printf '%s\n' "$have" | grep -qx "$norm"; then
    grep -q "^$l UTF-8" /etc/locale.gen 2>/dev/null ||
      printf '%s UTF-8\n' "$l" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    gen=1
  fi
done
[ "$gen" -eq 0 ] || "${sudo_cmd[@]}" locale-gen >/dev/null

# Wine's 32-bit half is a 32-bit Linux program. Where the kernel cannot run those, qemu can:
# register it for 32-bit x86 programs (qemu-wine.sh keeps their start quick).
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    binfmt=/proc/sys/fs/binfmt_misc
    [ -e "$binfmt/register" ] || "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || true
    if [ -w "$binfmt/register" ] && [ ! -e "$binfmt/qemu-i386" ]; then
        printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:' \
            >"$binfmt/register" 2>/dev/null || true
    fi
fi
