# Sourced by the scripts that hand a Linux path to a Windows program under Wine, which
# sees the Linux root as drive Z:.
windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }
