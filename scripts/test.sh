#!/usr/bin/env bash
# Builds Hollowsweep and runs every test: the optimised build, whose Debian package
# is then made, installed and removed again unless one is installed already
# (scripts/package.sh), then the core and
# the command-line tool again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the walk and removal tests under ThreadSanitizer, then the Windows build
# under Wine (scripts/build-windows.sh). The sources must be
# formatted as .clang-format says and pass clang-tidy as .clang-tidy says. Each
# stage's time is printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each stage's time, printed at the end.
times=()
stage_start=$SECONDS
stage_done() {
    times+=("$(printf '%-8s %5d s' "$1" $((SECONDS - stage_start)))")
    stage_start=$SECONDS
}

bash scripts/install-deps.sh
stage_done deps

echo "== format"
find src tests bench fuzz \( -name '*.h' -o -name '*.cpp' \) -print0 |
    xargs -0 clang-format --dry-run --Werror
stage_done format

echo "== tidy"
bash scripts/tidy.sh
stage_done tidy

jobs=$(nproc)
for preset in release asan tsan; do
    echo "== $preset"
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$jobs"
    ctest --preset "$preset" --parallel "$jobs"
    stage_done "$preset"
    if [[ $preset == release ]]; then
        echo "== package"
        bash scripts/package.sh build/release
        stage_done package
    fi
done
echo "== windows"
BUILD_JOBS=$jobs bash scripts/build-windows.sh
stage_done windows
echo "== stage times"
printf '%s\n' "${times[@]}"
