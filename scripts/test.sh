#!/usr/bin/env bash
# Builds Hollowsweep and runs every test: the optimised build, whose Debian package
# is then made, installed and removed again (scripts/package.sh), then the core and
# the command-line tool again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the walk and removal tests under ThreadSanitizer. The sources must be
# formatted as .clang-format says and pass clang-tidy as .clang-tidy says.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

echo "== format"
find src tests bench fuzz \( -name '*.h' -o -name '*.cpp' \) -print0 |
    xargs -0 clang-format --dry-run --Werror

echo "== tidy"
bash scripts/tidy.sh

jobs=$(nproc)
for preset in release asan tsan; do
    echo "== $preset"
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$jobs"
    ctest --preset "$preset" --parallel "$jobs"
    if [[ $preset == release ]]; then
        echo "== package"
        bash scripts/package.sh build/release
    fi
done
