#!/usr/bin/env bash
# Times `hollowsweep-cli scan -q -j N` for several thread counts on the mixed
# tree, with a warm cache and, as root, a cold one: the figures behind the
# default thread count. Usage: bench/threads-bench.sh [CLI] [WORKDIR];
# THREADS="2 8 16 32" and RUNS (default 7) change what is run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=${1:-$here/../build/release/src/cli/hollowsweep-cli}
work=${2:-${TMPDIR:-/tmp}/hollowsweep-bench}
threads=${THREADS:-2 4 8 16 24 32}

command -v hyperfine >/dev/null || apt-get install -y -q hyperfine >/dev/null
[[ -x $cli ]] || { echo "threads-bench: build the release preset first ($cli)" >&2; exit 2; }
mkdir -p "$work"
python3 "$here/make-trees.py" "$work"
dir=$work/mixed

commands=()
for count in $threads; do
    commands+=(-n "$count" "$cli scan -q -j $count $dir")
done
report() {
    python3 - "$1" "$2" <<'PY'
import json, sys
for r in json.load(open(sys.argv[1]))["results"]:
    print(f"{sys.argv[2]:<5} {r['command']:>7} {r['median'] * 1000:10.1f} {r['stddev'] * 1000:8.1f}")
PY
}
printf '%-5s %7s %10s %8s\n' cache threads median_ms sd_ms
json=$(mktemp)
hyperfine -N --warmup 3 --runs "${RUNS:-7}" --export-json "$json" "${commands[@]}" >/dev/null
report "$json" warm
if { sync && echo 3 >/proc/sys/vm/drop_caches; } 2>/dev/null; then
    hyperfine -N --runs "${RUNS:-7}" --prepare 'sh -c "sync; echo 3 > /proc/sys/vm/drop_caches"' \
        --export-json "$json" "${commands[@]}" >/dev/null
    report "$json" cold
else
    echo "# cold cache skipped: dropping caches needs root" >&2
fi
rm -f "$json"
