#!/usr/bin/env bash
# Runs clang-tidy, as .clang-tidy configures it, over every source file of src/
# and tests/ (or only the files named), on one process per core. Any finding fails the run.
#
#   scripts/tidy.sh [--analyzer] [FILE...]
#
# TIDY_JOBS sets the number of processes (default: one per core).
# --analyzer adds the clang static analyser's checks, which more than double
# the time. The compile commands come from a build directory of its own,
# build/tidy, which is configured but not built: only the moc steps of the Qt
# program and its tests run, so that the code they generate is there to be read.
set -euo pipefail
cd "$(dirname "$0")/.."

extra_checks=()
if [[ ${1:-} == --analyzer ]]; then
    extra_checks=('--checks=clang-analyzer-*')
    shift
fi

bash scripts/install-deps.sh clang-tidy

tidy=$(command -v clang-tidy-14 || command -v clang-tidy)
build=build/tidy
jobs=${TIDY_JOBS:-$(nproc)}

# Without origin dependencies the moc step does not wait for the core library
# to be compiled; clang-tidy needs the headers, not the objects.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DCMAKE_AUTOGEN_ORIGIN_DEPENDS=OFF -DBUILD_TESTING=ON -DHOLLOWSWEEP_BUILD_BENCH=OFF \
    -DHOLLOWSWEEP_BUILD_FUZZ=OFF >/dev/null
mapfile -t autogen < <(ninja -C "$build" -t targets all | sed -n 's/^\([A-Za-z0-9_]*_autogen\): phony$/\1/p')
cmake --build "$build" --target "${autogen[@]}" >/dev/null

if [[ $# -gt 0 ]]; then
    files=("$@")
else
    # Every source of ours that this build compiles; those for another system
    # (the Windows platform layer and its tests) no Linux compiler reads.
    mapfile -t files < <(python3 -c '
import json, os, sys
for name in sorted({os.path.relpath(e["file"]) for e in json.load(open(sys.argv[1]))}):
    if name.startswith(("src/", "tests/")):
        print(name)
' "$build/compile_commands.json")
fi

# Each file's findings are collected and printed whole, so that the parallel
# runs do not interleave their lines; clean files print nothing. A header's
# findings come once for every file that includes it, so the summary at the end
# names each finding once.
echo "clang-tidy: ${#files[@]} files on $jobs processes"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
# shellcheck disable=SC2016 # the inner script expands its own arguments
printf '%s\0' "${files[@]}" |
    xargs -0 -P "$jobs" -I{} bash -c '
        if ! output=$("$0" -p "$1" --quiet "${@:3}" "$2" 2>&1); then
            grep -v -e "warnings\? generated\.$" <<<"$output" || true
            exit 1
        fi' "$tidy" "$build" {} "${extra_checks[@]}" | tee "$log" || status=$?

if [[ $status -ne 0 ]]; then
    echo >&2
    echo "clang-tidy: findings:" >&2
    grep -E ': (error|warning): ' "$log" | sort -u >&2 || true
    exit 1
fi
echo "clang-tidy: no findings"
