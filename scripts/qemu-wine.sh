# Sourced by the scripts that start Wine. Where the kernel cannot run 32-bit code, Wine's
# 32-bit half runs under qemu-user (registered by bootstrap.sh), which gives a 32-bit guest
# 4 GiB of address space. Wine's loader then walks the upper 2 GiB 64 KiB at a time to
# reserve it, and under qemu each step is a search of the emulator's page table: a process
# takes some 45 s to start. A Windows program that is not large-address aware gets 2 GiB
# anyway; with the guest cut to that, the same start takes about a second. Native Wine
# ignores the variable.
export QEMU_RESERVED_VA=0x7fff0000
