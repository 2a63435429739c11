#!/usr/bin/env bash
# Builds Hollowsweep and runs it: the command-line tool on a small sample tree,
# first listing the tree's empty folders, then what a delete would remove; then
# the desktop program, when there is a display to show it on.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --preset release
cmake --build --preset release --parallel "$(nproc)" --target hollowsweep-cli hollowsweep

sample=$(mktemp -d "${TMPDIR:-/tmp}/hollowsweep-sample-XXXXXX")
trap 'rm -rf "$sample"' EXIT
mkdir -p "$sample/photos/2019/raw" "$sample/photos/2020" "$sample/build/obj/debug" \
         "$sample/projects/site/.cache" "$sample/projects/notes"
echo "holiday" > "$sample/photos/2020/beach.jpg"
echo "todo" > "$sample/projects/notes/todo.txt"

cli=build/release/src/cli/hollowsweep-cli
echo "\$ hollowsweep-cli scan $sample"
"$cli" scan "$sample"
echo
echo "\$ hollowsweep-cli delete --dry-run $sample"
"$cli" delete --dry-run "$sample"

echo
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    echo "Starting the desktop program; drop the sample folder $sample on it."
    build/release/src/app/hollowsweep
else
    echo "No display here: start build/release/src/app/hollowsweep on a desktop."
fi
