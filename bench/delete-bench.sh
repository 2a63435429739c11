#!/usr/bin/env bash
# Times `hollowsweep-cli delete -q` against `find -depth -type d -empty -delete`
# on the mixed tree (a fresh copy for every run), a chain 20,000 folders deep and
# a folder with 1,000,000 empty sub-folders, and times delete --from on a list
# of 200,000 folders with one FOLDER inside the other; it prints wall times, ratios and
# peak memory. It first checks that both tools leave the same folders behind and
# says FAIL where an answer is wrong; it asserts no time.
# Usage: bench/delete-bench.sh [CLI] [WORKDIR]
# Smaller runs for a quick try, through the environment:
#   RUNS         timed runs per command on the mixed tree (7)
#   CHAIN_DEPTH  folders in the deep chain (20000)
#   WIDE_COUNT   sub-folders of the wide folder (1000000)
#   NESTED_COUNT paths of the reviewed list with nested FOLDERs (200000)
#   THREADS      the -j values timed on the mixed tree (1,2,4,8,16,32); empty skips them
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=${1:-$here/../build/release/src/cli/hollowsweep-cli}
work=${2:-${TMPDIR:-/tmp}/hollowsweep-delete-bench}
runs=${RUNS:-7}
chain_depth=${CHAIN_DEPTH:-20000}
wide_count=${WIDE_COUNT:-1000000}
nested_count=${NESTED_COUNT:-200000}
thread_counts=${THREADS-1,2,4,8,16,32}

for tool in hyperfine /usr/bin/time timeout; do
    command -v "$tool" >/dev/null || apt-get install -y -q hyperfine time coreutils >/dev/null
done
[[ -x $cli ]] || { echo "delete-bench: build the release preset first ($cli)" >&2; exit 2; }
rm -rf "$work" && mkdir -p "$work"
failures=0

expect() { # what, got, wanted
    if [[ $2 == "$3" ]]; then
        printf '  ok   %s: %s\n' "$1" "$2"
    else
        printf '  FAIL %s: got %s, wanted %s\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}

measure() { # label, stdout file, command...: runs it, prints status, seconds and peak memory
    local label=$1 out=$2; shift 2
    local stats status
    stats=$(mktemp)
    set +e
    /usr/bin/time -f '%e s, %M KB' -o "$stats" "$@" > "$out"
    status=$?
    set -e
    printf '%-34s exit %d, %s\n' "$label" "$status" "$(tail -n 1 "$stats")"
    rm -f "$stats"
    return 0
}

peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

# Removal destroys its input, so every run works on a copy of one pristine tree;
# the copy is made outside the timed part.
pristine=$work/mixed.pristine
run=$work/mixed
fresh() { rm -rf "$run" && cp -a "$pristine" "$run"; }
fresh_cmd="sh -c 'rm -rf \"$run\" && cp -a \"$pristine\" \"$run\"'"

echo "== mixed tree: fan-out 10 to depth 5, a file in 30% of the leaves"
python3 - "$here/make-trees.py" "$pristine" <<'PY'
import importlib.util, os, sys
spec = importlib.util.spec_from_file_location("make_trees", sys.argv[1])
trees = importlib.util.module_from_spec(spec)
spec.loader.exec_module(trees)
os.makedirs(sys.argv[2])
trees.make_mixed(sys.argv[2])
PY
before=$(find "$pristine" -type d | wc -l)

# The same answer from both tools first: a fast wrong answer is no result.
fresh
status=0
"$cli" delete -q "$run" > "$work/mixed.removed" || status=$?
expect "hollowsweep exit status" "$status" 0
find "$run" -type d | sort > "$work/mixed.ours"
fresh
find "$run" -depth -type d -empty -delete
find "$run" -type d | sort > "$work/mixed.find"
vanished=$((before - $(wc -l < "$work/mixed.ours")))
expect "folders removed" "$vanished" 70336
expect "folders listed as removed" "$(wc -l < "$work/mixed.removed")" "$vanished"
expect "folders left like find's" \
    "$(cmp -s "$work/mixed.ours" "$work/mixed.find" && echo same || echo different)" same
rm -f "$work/mixed.removed" "$work/mixed.ours" "$work/mixed.find"

fresh
mixed_peak=$(peak_kb "$cli" delete -q "$run")
json=$work/mixed.json
hyperfine -N --warmup 1 --runs "$runs" --prepare "$fresh_cmd" --export-json "$json" \
    -n hollowsweep "'$cli' delete -q '$run'" \
    -n find "find '$run' -depth -type d -empty -delete" >/dev/null
printf '%-14s %10s %8s\n' tool median_ms ratio
python3 - "$json" <<'PY'
import json, sys
results = {r["command"]: r["median"] for r in json.load(open(sys.argv[1]))["results"]}
ours = results["hollowsweep"]
for tool, median in results.items():
    print(f"{tool:<14} {median * 1000:10.1f} {ours / median:8.2f}")
PY
echo "hollowsweep peak memory: $mixed_peak KB"

if [[ -n $thread_counts ]]; then
    hyperfine -N --warmup 1 --runs "$runs" --prepare "$fresh_cmd" --export-json "$json" \
        -L threads "$thread_counts" -n 'hollowsweep -j {threads}' \
        "'$cli' delete -q -j {threads} '$run'" >/dev/null
    python3 - "$json" <<'PY'
import json, sys
for result in json.load(open(sys.argv[1]))["results"]:
    print(f"{result['command']:<20} {result['median'] * 1000:10.1f} ms")
PY
fi
rm -rf "$run" "$pristine" "$json"

chain_levels() { # folders left of a chain, counted by descriptor past the path limit
    python3 -c "
import os, sys
try:
    fd = os.open(sys.argv[1], os.O_RDONLY | os.O_DIRECTORY)
except FileNotFoundError:
    print(0)
    raise SystemExit
levels = 1
while True:
    try:
        child = os.open('d', os.O_RDONLY | os.O_DIRECTORY, dir_fd=fd)
    except FileNotFoundError:
        break
    os.close(fd)
    fd, levels = child, levels + 1
print(levels)
" "$1"
}

echo "== chain $chain_depth deep"
python3 "$here/make-chain.py" "$work/chain" "$chain_depth"
measure "hollowsweep delete chain" /dev/null "$cli" delete -q "$work/chain"
expect "chain removed" "$(test -e "$work/chain" && echo present || echo gone)" gone
# find may give up past the path limit; what it does is the figure, not a failure.
python3 "$here/make-chain.py" "$work/chain" "$chain_depth"
measure "find -delete chain (limit 120 s)" /dev/null \
    timeout 120 find "$work/chain" -depth -type d -empty -delete
echo "  find left $(chain_levels "$work/chain") of the chain's $((chain_depth + 1)) folders"
rm -rf "$work/chain"

echo "== one folder with $wide_count empty sub-folders"
make_wide() {
    python3 -c "
import os, sys
root = sys.argv[1]
os.mkdir(root)
fd = os.open(root, os.O_RDONLY | os.O_DIRECTORY)
for i in range(int(sys.argv[2])):
    os.mkdir(f'w{i:07d}', dir_fd=fd)
" "$1" "$wide_count"
}
make_wide "$work/wide"
measure "hollowsweep delete wide" /dev/null "$cli" delete -q "$work/wide"
expect "wide folder removed" "$(test -e "$work/wide" && echo present || echo gone)" gone
make_wide "$work/wide"
measure "find -delete wide" /dev/null find "$work/wide" -depth -type d -empty -delete
expect "wide folder removed by find" "$(test -e "$work/wide" && echo present || echo gone)" gone

echo "== a reviewed list of $nested_count folders, one FOLDER inside the other, with -x"
# Paths on both sides of the inner FOLDER, so that the plan returns to the
# outer one and must look names up in a wide folder.
python3 -c "
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
paths = []
for prefix in ('0', 'b'):
    for i in range(count // 2):
        paths.append(f'{root}/{prefix}{i}')
paths += [f'{root}/a/{i}' for i in range(100)]
for path in paths:
    os.makedirs(path)
open(sys.argv[3], 'w').write(''.join(p + chr(10) for p in paths))
" "$work/nested" "$nested_count" "$work/nested.list"
measure "hollowsweep delete --from nested" "$work/nested.removed" \
    "$cli" delete -q -x --from "$work/nested.list" "$work/nested" "$work/nested/a"
expect "listed folders removed" "$(wc -l < "$work/nested.removed")" "$((nested_count / 2 * 2 + 100))"
rm -rf "$work/nested" "$work/nested.list" "$work/nested.removed"

rm -rf "$work"
echo "ratio: hollowsweep's median over find's (below 1: hollowsweep is faster)"
echo "exit 124: the command was stopped at its time limit"
echo "delete-bench: $failures failed"
[[ $failures -eq 0 ]]
