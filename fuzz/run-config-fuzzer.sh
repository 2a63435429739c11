#!/bin/bash
# Builds the configuration fuzzer with clang and runs it for a bounded time.
# Usage: fuzz/run-config-fuzzer.sh [seconds]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/install-deps.sh clang
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target hollowsweep_config_fuzzer
work=build/fuzz/config-corpus
mkdir -p "$work"
# New inputs go to the work corpus; the seeds in the tree stay as they are.
exec build/fuzz/fuzz/hollowsweep_config_fuzzer -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 -artifact_prefix=build/fuzz/ "$work" fuzz/corpus/config
