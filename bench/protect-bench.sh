#!/usr/bin/env bash
# Times `hollowsweep-cli scan -q` with the folders other programs need kept
# (the default) against --no-protect, on the mixed tree and on /usr, in one
# run, with a warm cache, and prints median wall times and their ratio. On
# /usr the package lists are read once per run; on the mixed tree, below
# /tmp, they never are.
# Usage: bench/protect-bench.sh [CLI] [WORKDIR]; RUNS sets the runs (default 15).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=${1:-$here/../build/release/src/cli/hollowsweep-cli}
work=${2:-${TMPDIR:-/tmp}/hollowsweep-bench}

command -v hyperfine >/dev/null || apt-get install -y -q hyperfine >/dev/null
[[ -x $cli ]] || { echo "protect-bench: build the release preset first ($cli)" >&2; exit 2; }

mkdir -p "$work"
python3 "$here/make-trees.py" "$work"

printf '%-6s %-12s %10s %8s %8s\n' tree mode median_ms ratio listed
for dir in "$work/mixed" /usr; do
    json=$(mktemp)
    hyperfine -N --warmup 3 --runs "${RUNS:-15}" --export-json "$json" \
        -n protected "$cli scan -q $dir" \
        -n no-protect "$cli scan -q --no-protect $dir" >/dev/null
    python3 - "$json" "$(basename "$dir")" \
        "$("$cli" scan -q "$dir" | wc -l)" \
        "$("$cli" scan -q --no-protect "$dir" | wc -l)" <<'PY'
import json, sys
results = {r["command"]: r["median"] for r in json.load(open(sys.argv[1]))["results"]}
tree = sys.argv[2]
listed = {"protected": sys.argv[3], "no-protect": sys.argv[4]}
plain = results["no-protect"]
for mode, median in results.items():
    print(f"{tree:<6} {mode:<12} {median * 1000:10.1f} {median / plain:8.3f} {listed[mode]:>8}")
PY
    rm -f "$json"
done
echo "ratio: the median over --no-protect's (1.050 is 5 % slower)"
