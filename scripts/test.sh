#!/usr/bin/env bash
# Builds Hollowsweep and runs every test: the optimised build, then the core and
# the command-line tool again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the walk and removal tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
for preset in release asan tsan; do
    echo "== $preset"
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$jobs"
    ctest --preset "$preset" --parallel "$jobs"
done
