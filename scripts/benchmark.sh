#!/usr/bin/env bash
# Measures the release executables and prints the results as Markdown (docs/benchmarks.md
# keeps a copy):
#   - size and import list of Setup.exe of both architectures, as make-dist.sh builds them;
#   - under 64-bit Wine, the time from the start of Setup.exe to its completion box with an
#     instant stand-in driver-install library, median of RUNS runs, beside a program that
#     only shows a message box (baseline.exe) and beside the floor of the progress window's
#     handshake, for 1, 10, 100 and 1000 numbered packages; and its peak working set.
# The 32-bit build is timed nowhere: where the kernel cannot run 32-bit code, Wine's 32-bit
# half runs only under an emulator. Not a test; nothing here is registered with CTest.
#
# BUILD_DIR (default build/) holds the build trees, WINE_PREFIX_ROOT (default
# BUILD_DIR/bench-wine) the Wine prefix, RUNS (default 10) the timed runs per configuration.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$src/build}
runs=${RUNS:-10}
prefixes=${WINE_PREFIX_ROOT:-$build/bench-wine}
tree=$build/tools-x86_64
work=$build/bench
package_counts=(1 10 100 1000)

# The handshake between the installing thread and the progress window (ui/ProgressDlg.cpp).
poll_ms=200 # the installing thread polls the dialog state this often, to start and to stop
tick_ms=500 # the window looks at the close request on each tick of its timer
# The installing thread sees the window up at its first poll (200 ms) and asks it to close;
# the first tick, 500 ms after the window came up, closes it; the stop wait sees that at its
# next poll. So even an instant installation keeps the window for poll * ceil(tick / poll).
floor_ms=$(((tick_ms + poll_ms - 1) / poll_ms * poll_ms))

say() { echo "$*" >&2; }
. "$src/scripts/windows-path.sh"

say "Building the release kit and the benchmark programs..."
rm -rf "$work"
mkdir -p "$work"
DIST_DIR=$work/dist "$src/scripts/make-dist.sh" >/dev/null
cmake -S "$src" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-x86_64-w64-mingw32.cmake" \
    -DWINE_PREFIX_ROOT="$prefixes" >/dev/null
cmake --build "$tree" --target baseline timetobox difxapi_standin >/dev/null

# --- sizes and imports -------------------------------------------------------------------
imports() { # objdump, exe: "DLL (number of functions)" per imported DLL
    "$1" -p "$2" | awk '
        /DLL Name:/ { dll = $3; order[++n] = dll; next }
        dll && /^\t[0-9a-f]+\t/ { count[dll]++ }
        /^$/ { dll = "" }
        END { for (i = 1; i <= n; i++) printf "%s%s (%d)", (i > 1 ? ", " : ""), order[i], count[order[i]] }'
}
import_names() { # objdump, exe: one line per DLL with the functions it gives
    "$1" -p "$2" | awk '
        /DLL Name:/ { if (line) print line; line = "- " $3 ":"; sep = " "; next }
        line && /^\t[0-9a-f]+\t/ { line = line sep "`" $3 "`"; sep = ", " }
        END { if (line) print line }'
}

echo "## Executables"
echo
echo "| Build | Setup.exe | Imported DLLs (functions) |"
echo "|---|---:|---|"
for arch in x86:i686 amd64:x86_64; do
    exe=$work/dist/${arch%%:*}/Setup.exe
    bytes=$(stat -c %s "$exe")
    printf '| %s (%s) | %s bytes (%d KiB) | %s |\n' "${arch%%:*}" "${arch#*:}" \
        "$bytes" $(((bytes + 1023) / 1024)) \
        "$(imports "${arch#*:}-w64-mingw32-objdump" "$exe")"
done
echo
for arch in x86:i686 amd64:x86_64; do
    echo "<details><summary>Functions imported by ${arch%%:*}/Setup.exe</summary>"
    echo
    import_names "${arch#*:}-w64-mingw32-objdump" "$work/dist/${arch%%:*}/Setup.exe"
    echo
    echo "</details>"
    echo
done

# --- time to the completion box ----------------------------------------------------------
# A folder per configuration; the stand-in answers every call at once (no plan).
make_setup_folder() { # folder, number of packages
    local folder=$1 count=$2 n
    mkdir -p "$folder/packages"
    cp "$work/dist/amd64/Setup.exe" "$tree/bin/difxapi.dll" "$folder/"
    {
        printf '[0x0000]\r\nTitle=Benchmark\r\n[Driver]\r\n'
        for ((n = 1; n <= count; n++)); do
            printf 'InfFilename%d=packages\\p%d.inf\r\n' "$n" "$n"
            : >"$folder/packages/p$n.inf"
        done
    } >"$folder/Setup.ini"
}

median() { # column: the median of that column of the lines on standard input
    sort -n -k"$1,$1" | awk -v c="$1" '{ v[NR] = $c }
        END { printf "%.0f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Appends to file the lines "ms peak_kib" of RUNS runs of program, after one warm-up run.
time_runs() { # program, file
    local out
    out=$(WINE_LANG=en_US "$tree/wine-run.sh" "$tree/bin/timetobox.exe" $((runs + 1)) \
        "$(windows_path "$1")" | tr -d '\r' | tail -n +2)
    [ "$(printf '%s\n' "$out" | wc -l)" -eq "$runs" ] || { say "runs of $1 failed"; exit 1; }
    printf '%s\n' "$out" >>"$2"
}

# "median min max peak_kib" of the runs in file; the peak is the median of the runs' peaks.
summary() { # file
    printf '%s %s %s %s\n' "$(median 1 <"$1")" \
        "$(sort -n "$1" | head -1 | awk '{ printf "%.0f", $1 }')" \
        "$(sort -n "$1" | tail -1 | awk '{ printf "%.0f", $1 }')" "$(median 2 <"$1")"
}

# The baseline runs before and after the installer's, so that a change in the machine's
# load during the measurement shows in its range rather than in the ratios alone.
mkdir -p "$work/run/baseline"
cp "$tree/bin/baseline.exe" "$work/run/baseline/"
say "Timing baseline.exe ($runs runs)..."
time_runs "$work/run/baseline/baseline.exe" "$work/run/baseline.txt"
for count in "${package_counts[@]}"; do
    make_setup_folder "$work/run/setup-$count" "$count"
    say "Timing Setup.exe with $count package(s) ($runs runs)..."
    time_runs "$work/run/setup-$count/Setup.exe" "$work/run/setup-$count.txt"
done
say "Timing baseline.exe again ($runs runs)..."
time_runs "$work/run/baseline/baseline.exe" "$work/run/baseline.txt"

echo "## Time from start to the completion box (amd64)"
echo
echo "Median of $runs runs per row ($((2 * runs)) for the baseline, before and after the others)."
echo "Handshake floor: $floor_ms ms (polls every $poll_ms ms, timer every $tick_ms ms)."
echo
echo "| Program | Packages | Median | Min-max | ÷ baseline | ÷ (baseline + floor) | Beyond both | Per extra package | Peak working set |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|"
read -r base_ms base_min base_max base_kib <<<"$(summary "$work/run/baseline.txt")"
printf '| baseline.exe (message box only) | - | %d ms | %d-%d ms | 1.00 | - | - | - | %s KiB |\n' \
    "$base_ms" "$base_min" "$base_max" "$base_kib"
for count in "${package_counts[@]}"; do
    read -r ms min max kib <<<"$(summary "$work/run/setup-$count.txt")"
    [ "$count" -ne 1 ] || one_ms=$ms
    per_package=-
    [ "$count" -eq 1 ] || per_package=$(awk -v t="$ms" -v o="$one_ms" -v n="$count" \
        'BEGIN { printf "%.2f ms", (t - o) / (n - 1) }')
    awk -v t="$ms" -v lo="$min" -v hi="$max" -v b="$base_ms" -v f="$floor_ms" -v n="$count" \
        -v p="$per_package" -v k="$kib" 'BEGIN {
            printf "| Setup.exe | %d | %d ms | %d-%d ms | %.2f | %.2f | %d ms | %s | %s KiB |\n",
                n, t, lo, hi, t / b, t / (b + f), t - b - f, p, k }'
done
echo
echo "Machine: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)," \
    "$(nproc) cores; $(uname -sr); $(/usr/lib/wine/wine64 --version);" \
    "$(x86_64-w64-mingw32-g++-win32 -dumpfullversion 2>/dev/null | sed 's/^/MinGW-w64 GCC /')."
