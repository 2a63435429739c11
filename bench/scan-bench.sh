#!/usr/bin/env bash
# Times `hollowsweep-cli scan -q` against GNU find, bfs and fd on wide, deep and
# mixed trees, with a warm cache and, when run as root, with a cold one (the
# page, dentry and inode caches dropped before every run), and prints median
# wall times, ratios and peak memory.
# Usage: bench/scan-bench.sh [CLI] [WORKDIR]; TREES="mixed" and CACHES="cold"
# narrow it, RUNS sets the runs per tool (default 15 warm, 5 cold).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=${1:-$here/../build/release/src/cli/hollowsweep-cli}
work=${2:-${TMPDIR:-/tmp}/hollowsweep-bench}
trees=${TREES:-wide deep mixed}
caches=${CACHES:-warm cold}

for tool in hyperfine bfs fdfind /usr/bin/time; do
    command -v "$tool" >/dev/null || apt-get install -y -q hyperfine bfs fd-find time >/dev/null
done
[[ -x $cli ]] || { echo "scan-bench: build the release preset first ($cli)" >&2; exit 2; }

mkdir -p "$work"
python3 "$here/make-trees.py" "$work"

peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

printf '%-6s %-5s %-12s %10s %8s %10s\n' tree cache tool median_ms ratio peak_kb
for cache in $caches; do
    if [[ $cache == cold ]]; then
        if ! { sync && echo 3 >/proc/sys/vm/drop_caches; } 2>/dev/null; then
            echo "# cold cache skipped: dropping caches needs root" >&2
            continue
        fi
        timing=(--runs "${RUNS:-5}" --prepare 'sh -c "sync; echo 3 > /proc/sys/vm/drop_caches"')
    else
        timing=(--warmup 3 --runs "${RUNS:-15}")
    fi
    for tree in $trees; do
        dir=$work/$tree
        # The same answer from every tool first: a fast wrong answer is no result.
        ours=$("$cli" scan -q "$dir" | wc -l)
        theirs=$(find "$dir" -type d -empty | wc -l)
        echo "# $tree: hollowsweep lists $ours folders; find lists $theirs leaf folders" >&2
        json=$(mktemp)
        hyperfine -N "${timing[@]}" --export-json "$json" \
            -n hollowsweep "$cli scan -q $dir" \
            -n find "find $dir -type d -empty" \
            -n bfs "bfs $dir -type d -empty" \
            -n fdfind "fdfind -u -te -td . $dir" >/dev/null
        python3 - "$json" "$tree" "$cache" \
            "$(peak_kb "$cli" scan -q "$dir")" \
            "$(peak_kb find "$dir" -type d -empty)" \
            "$(peak_kb bfs "$dir" -type d -empty)" \
            "$(peak_kb fdfind -u -te -td . "$dir")" <<'PY'
import json, sys
results = {r["command"]: r["median"] for r in json.load(open(sys.argv[1]))["results"]}
tree, cache = sys.argv[2], sys.argv[3]
peaks = dict(zip(["hollowsweep", "find", "bfs", "fdfind"], sys.argv[4:8]))
ours = results["hollowsweep"]
for tool, median in results.items():
    print(f"{tree:<6} {cache:<5} {tool:<12} {median * 1000:10.1f} {ours / median:8.2f} {peaks[tool]:>10}")
PY
        rm -f "$json"
    done
done
echo "ratio: hollowsweep's median over the tool's (below 1: hollowsweep is faster)"
