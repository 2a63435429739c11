#!/usr/bin/env bash
# Times `hollowsweep-cli scan -q` against GNU find, bfs and fd on wide, deep and
# mixed trees with a warm cache, and prints median wall times, ratios and peak
# memory. Usage: bench/scan-bench.sh [CLI] [WORKDIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=${1:-$here/../build/release/src/cli/hollowsweep-cli}
work=${2:-${TMPDIR:-/tmp}/hollowsweep-bench}

for tool in hyperfine bfs fdfind /usr/bin/time; do
    command -v "$tool" >/dev/null || apt-get install -y -q hyperfine bfs fd-find time >/dev/null
done
[[ -x $cli ]] || { echo "scan-bench: build the release preset first ($cli)" >&2; exit 2; }

mkdir -p "$work"
python3 "$here/make-trees.py" "$work"

peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

printf '%-6s %-12s %10s %8s %10s\n' tree tool median_ms ratio peak_kb
for tree in wide deep mixed; do
    dir=$work/$tree
    # The same answer from every tool first: a fast wrong answer is no result.
    ours=$("$cli" scan -q "$dir" | wc -l)
    theirs=$(find "$dir" -type d -empty | wc -l)
    echo "# $tree: hollowsweep lists $ours folders; find lists $theirs leaf folders" >&2
    json=$(mktemp)
    hyperfine -N --warmup 3 --runs 15 --export-json "$json" \
        -n hollowsweep "$cli scan -q $dir" \
        -n find "find $dir -type d -empty" \
        -n bfs "bfs $dir -type d -empty" \
        -n fdfind "fdfind -u -te -td . $dir" >/dev/null
    python3 - "$json" "$tree" \
        "$(peak_kb "$cli" scan -q "$dir")" \
        "$(peak_kb find "$dir" -type d -empty)" \
        "$(peak_kb bfs "$dir" -type d -empty)" \
        "$(peak_kb fdfind -u -te -td . "$dir")" <<'PY'
import json, sys
results = {r["command"]: r["median"] for r in json.load(open(sys.argv[1]))["results"]}
tree = sys.argv[2]
peaks = dict(zip(["hollowsweep", "find", "bfs", "fdfind"], sys.argv[3:7]))
ours = results["hollowsweep"]
for tool, median in results.items():
    print(f"{tree:<6} {tool:<12} {median * 1000:10.1f} {ours / median:8.2f} {peaks[tool]:>10}")
PY
    rm -f "$json"
done
echo "ratio: hollowsweep's median over the tool's (below 1: hollowsweep is faster)"
