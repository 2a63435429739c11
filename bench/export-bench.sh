#!/bin/bash
# Exports a million scanned entries to each format and prints each export's
# time against one write() of the same size, plain and flushed to the disk as
# an export's file is before it replaces the old one, and the workbook's time
# against the CSV export's. Prints figures only.
# Usage: bench/export-bench.sh [build folder]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cmake --build "$build" --target hollowsweep_export_bench >/dev/null
work=$(mktemp -d /var/tmp/hollowsweep-export-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

declare -A seconds
for format in html txt csv xml json xlsx; do
    line=$("$build/bench/hollowsweep_export_bench" "$format" "$work")
    echo "$line"
    seconds[$format]=$(sed -E 's/.*export ([0-9.]+) s.*/\1/' <<<"$line")
done
awk -v a="${seconds[xlsx]}" -v b="${seconds[csv]}" 'BEGIN {printf "xlsx against csv: %.1f x\n", a / b}'
