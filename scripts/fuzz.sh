#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for SECONDS seconds (default 10). Usage: scripts/fuzz.sh [SECONDS [TARGET...]]
#
# Each target works on its own corpus in build/fuzz/work/<target>/corpus, seeded from
# fuzz/corpus/<target> and kept between runs, so that a longer run goes on where the last one
# stopped; the committed seeds are never changed. An input that breaks a target is saved in
# build/fuzz/work/<target>/artifacts. Exits non-zero when any target fails.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/deps.sh cmake ninja-build "${FUZZ_PACKAGES[@]}"

seconds=${1:-10}
shift || true
targets=("$@")
# Every target fuzz/CMakeLists.txt declares, so that a new one is never left out.
[ ${#targets[@]} -eq 0 ] &&
    mapfile -t targets < <(sed -n 's/^vantrel_fuzz_target(\([A-Za-z0-9_]*\).*/\1/p' fuzz/CMakeLists.txt)
[ ${#targets[@]} -eq 0 ] && { echo "No fuzz targets found in fuzz/CMakeLists.txt" >&2; exit 1; }
build=${FUZZ_BUILD_DIR:-build/fuzz}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTREL_FUZZ=ON -DVANTREL_TESTS=OFF
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target "${targets[@]}"

export ASAN_OPTIONS=abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for target in "${targets[@]}"; do
    work="$build/work/$target"
    mkdir -p "$work/corpus" "$work/artifacts"
    cp -n fuzz/corpus/"$target"/* "$work/corpus/" 2>/dev/null || true
    echo "== $target: $seconds s"
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=25 \
        -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus"; then
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Failed: ${failed[*]} (inputs in $build/work/<target>/artifacts)" >&2
    exit 1
fi
echo "All ${#targets[@]} fuzz targets ran $seconds s without a fault."
