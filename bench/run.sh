#!/usr/bin/env bash
# Runs the benchmark from a bench build folder: every dataset, end to end.
set -euo pipefail
build=${1:?usage: bench/run.sh BUILD_DIR [DATASET...]}
shift
work="$build/bench-data"
mkdir -p "$work"
echo "crossrect benchmark on $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
"$build/bench/crossrect-bench" "$build/crossrect-cli" "$work" "$@"
