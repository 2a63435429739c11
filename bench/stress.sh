#!/usr/bin/env bash
# The extreme trees: a chain 10,000 folders deep (far past the path limit) and a
# folder with 1,000,000 sub-folders. Each is scanned and deleted with
# hollowsweep-cli; the script prints counts, times, peak memory and exit statuses,
# and says FAIL where an answer is wrong. Usage: bench/stress.sh [CLI] [WORKDIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=${1:-$here/../build/release/src/cli/hollowsweep-cli}
work=${2:-${TMPDIR:-/tmp}/hollowsweep-stress}
[[ -x $cli ]] || { echo "stress: build the release preset first ($cli)" >&2; exit 2; }
rm -rf "$work" && mkdir -p "$work"
failures=0

measure() { # label, command...: runs it, prints status, seconds and peak memory
    local label=$1; shift
    local stats status
    stats=$(mktemp)
    set +e
    /usr/bin/time -f '%e s, %M KB' -o "$stats" "$@"
    status=$?
    set -e
    printf '%-34s exit %d, %s\n' "$label" "$status" "$(cat "$stats")" >&2
    rm -f "$stats"
    return 0
}

expect() { # what, got, wanted
    if [[ $2 == "$3" ]]; then
        printf '  ok   %s: %s\n' "$1" "$2" >&2
    else
        printf '  FAIL %s: got %s, wanted %s\n' "$1" "$2" "$3" >&2
        failures=$((failures + 1))
    fi
}

echo "== chain 10,000 deep" >&2
python3 "$here/make-chain.py" "$work/chain" 10000
measure "scan chain" sh -c "'$cli' scan -q -0 '$work/chain' > '$work/chain.out'"
expect "folders listed" "$(tr -cd '\0' < "$work/chain.out" | wc -c)" 10001
expect "longest path (bytes)" "$(tr '\0' '\n' < "$work/chain.out" | head -n 1 | wc -c)" \
    $(( ${#work} + 6 + 20000 + 1 ))
measure "delete chain" sh -c "'$cli' delete -q '$work/chain' > '$work/chain.removed'"
expect "chain removed" "$(test -e "$work/chain" && echo present || echo gone)" gone

echo "== chain 10,000 deep, level 5,000 read-only, run as an unprivileged user" >&2
python3 "$here/make-chain.py" "$work/sealed" 10000 5000
cp "$cli" "$work/hollowsweep-cli"
runas=()
if [[ $(id -u) -eq 0 ]]; then
    chown -R 65534:65534 "$work/sealed" "$work/hollowsweep-cli"
    runas=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
set +e
"${runas[@]}" "$work/hollowsweep-cli" delete -q "$work/sealed" > "$work/sealed.removed" 2> "$work/sealed.errors"
status=$?
set -e
expect "exit status" "$status" 1
expect "folders removed" "$(wc -l < "$work/sealed.removed")" 4999
expect "folders reported" "$(wc -l < "$work/sealed.errors")" 5002
expect "first report" "$(head -c 60 "$work/sealed.errors" | cut -c1-17)" "hollowsweep-cli: "
# The deepest sealed folder may not be removed, nor the chain itself from the
# work folder, which belongs to root; every folder between them holds one.
expect "reasons" "$(sed 's/.*: //' "$work/sealed.errors" | sort | uniq -c | tr -s ' ' | paste -sd,)" \
    " 5000 Directory not empty, 2 Permission denied"
chmod -R u+rwx "$work/sealed" 2>/dev/null || true

echo "== one folder with 1,000,000 sub-folders" >&2
python3 -c "
import os, sys
root = sys.argv[1]
os.mkdir(root)
fd = os.open(root, os.O_RDONLY | os.O_DIRECTORY)
for i in range(1_000_000):
    os.mkdir(f'w{i:07d}', dir_fd=fd)
" "$work/wide"
measure "scan wide" sh -c "'$cli' scan -q '$work/wide' > '$work/wide.out'"
expect "folders listed" "$(wc -l < "$work/wide.out")" 1000001
measure "delete wide" sh -c "'$cli' delete -q '$work/wide' > '$work/wide.removed'"
expect "folders removed" "$(wc -l < "$work/wide.removed")" 1000001

rm -rf "$work"
echo "stress: $failures failed" >&2
[[ $failures -eq 0 ]]
