#!/usr/bin/env bash
# Times the Windows build of `hollowsweep-cli` under Wine against the Linux
# build on the same trees in the same run: `scan -q` on the wide, deep and
# mixed trees, and `delete -q` on a fresh copy of each. The trees lie on Wine's
# C: drive, which is a Linux folder, so both builds read the same folders.
# Wine is not Windows: the figures say what the port costs under Wine, not how
# fast it is on Windows.
# Usage: bench/wine-bench.sh [LINUX_CLI] [WINDOWS_CLI]; RUNS sets the scans
# per build (default 3); TREES="mixed" narrows it. The wide tree is left out
# by default: under Wine 8 a removal in a folder of 100,000 sub-folders runs
# at some 50 folders a second, over half an hour.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
linux=${1:-$here/../build/release/src/cli/hollowsweep-cli}
windows=${2:-$here/../build/windows/src/cli/hollowsweep-cli.exe}
trees=${TREES:-deep mixed}
runs=${RUNS:-3}
[[ -x $linux ]] || { echo "wine-bench: build the release preset first ($linux)" >&2; exit 2; }
[[ -f $windows ]] || { echo "wine-bench: run scripts/build-windows.sh first ($windows)" >&2; exit 2; }

export WINEPREFIX=${WINEPREFIX:-$here/../build/windows/wine} WINEDEBUG=-all
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
# One Wine server for the run, up before the first timing.
"$wineserver" -p 60 </dev/null >/dev/null 2>&1
trap '"$wineserver" -k 2>/dev/null || true' EXIT
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true

work=$WINEPREFIX/drive_c/hollowsweep-bench
mkdir -p "$work"
python3 "$here/make-trees.py" "$work"

# Median wall time in milliseconds of runs of a command.
median_ms() {
    local times=()
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

once_ms() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

printf '%-6s %-7s %12s %14s %8s\n' tree command linux_ms wine_ms ratio
for tree in $trees; do
    # The same answer from both builds first: a fast wrong answer is no result.
    ours=$("$linux" scan -q "$work/$tree" | wc -l)
    theirs=$("$wine" "$windows" scan -q "C:\\hollowsweep-bench\\$tree" </dev/null | tr -d '\r' | wc -l)
    [[ $ours == "$theirs" ]] || { echo "wine-bench: $tree: $ours against $theirs folders" >&2; exit 1; }
    l=$(median_ms "$linux" scan -q "$work/$tree")
    w=$(median_ms "$wine" "$windows" scan -q "C:\\hollowsweep-bench\\$tree")
    printf '%-6s %-7s %12s %14s %8.2f\n' "$tree" scan "$l" "$w" "$(echo "$w / $l" | bc -l)"
    rm -rf "$work/$tree.linux" "$work/$tree.wine"
    cp -a "$work/$tree" "$work/$tree.linux"
    cp -a "$work/$tree" "$work/$tree.wine"
    l=$(once_ms "$linux" delete -q "$work/$tree.linux")
    w=$(once_ms "$wine" "$windows" delete -q "C:\\hollowsweep-bench\\$tree.wine")
    # A tree of empty folders goes whole, its top folder too.
    left=$( (find "$work/$tree.linux" "$work/$tree.wine" -type d 2>/dev/null || true) | wc -l)
    printf '%-6s %-7s %12s %14s %8.2f  (%s folders left in both)\n' "$tree" delete "$l" "$w" \
        "$(echo "$w / $l" | bc -l)" "$left"
    rm -rf "$work/$tree.linux" "$work/$tree.wine"
done
