#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks in Release and runs them all; ends with
# each measurement's ratio to its floor and whether the target holds. Arguments go to the
# benchmark program (Google Benchmark flags, e.g. --benchmark_filter=Startup).
# JOBS=N limits the build's parallel jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/deps.sh "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=ON \
    -DVANTREL_TESTS=OFF
cmake --build build/bench -j "${JOBS:-$(nproc)}" --target vantrel_bench
exec build/bench/bench/vantrel_bench "$@"
