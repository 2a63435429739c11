#!/usr/bin/env bash
# Times a removal from the desktop program's window against `hollowsweep-cli
# delete -q` on fresh copies of the mixed tree (RUNS of them, default 1): the
# window should be no slower.
# Prints figures only. Usage: bench/window-delete-bench.sh [BUILD] [WORKDIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/release}
work=${2:-${TMPDIR:-/tmp}/hollowsweep-window-bench}
cmake --build "$build" --target hollowsweep_window_delete_bench hollowsweep-cli >/dev/null
mkdir -p "$work"
python3 "$here/make-trees.py" "$work" >/dev/null
for run in $(seq "${RUNS:-1}"); do
    rm -rf "$work/cli" "$work/window"
    cp -a "$work/mixed" "$work/cli"
    cp -a "$work/mixed" "$work/window"
    sync
    start=$(date +%s.%N)
    "$build/src/cli/hollowsweep-cli" delete -q "$work/cli" >/dev/null
    end=$(date +%s.%N)
    printf 'run %d cli:    scan and removal %.2f s\n' "$run" "$(echo "$end - $start" | bc)"
    sync
    printf 'run %d ' "$run"
    "$build/bench/hollowsweep_window_delete_bench" "$work/window"
done
rm -rf "$work/cli" "$work/window"
