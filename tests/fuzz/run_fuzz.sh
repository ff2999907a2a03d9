#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in their own build directory and runs
# each for a short, bounded time over the committed seeds. Exits non-zero when
# a target crashes, leaks, times out or runs out of memory.
#
#   tests/fuzz/run_fuzz.sh            # about 25 s per target
#   FUZZ_SECONDS=600 tests/fuzz/run_fuzz.sh
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}
seconds=${FUZZ_SECONDS:-25}
jobs=${FUZZ_BUILD_JOBS:-2}

mkdir -p "$build"
if ! { CC=clang CXX=clang++ cmake -S "$here" -B "$build" && cmake --build "$build" -j"$jobs"; } >"$build/build.log" 2>&1; then
    tail -30 "$build/build.log"
    echo "fuzz targets failed to build (log: $build/build.log)"
    exit 1
fi

status=0
for target in fuzz_png_import fuzz_best_record; do
    corpus="$build/corpus/$target"      # what the runs discover; kept between runs
    artifacts="$build/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    extra=()
    if [ "$target" = fuzz_png_import ]; then extra+=("-dict=$here/png.dict"); fi
    log="$build/$target.log"
    # -malloc_limit_mb: no single allocation may come near the import's limits
    # times a small factor; -rss_limit_mb bounds the whole process.
    if "$build/$target" "${extra[@]}" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" \
        "$corpus" "$here/seeds/$target" >"$log" 2>&1; then
        result=ok
    else
        result=FAILED
        status=1
    fi
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "$target: $result, ${execs:-?} executions in ${seconds} s (log: $log)"
    if [ "$result" = FAILED ]; then
        grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -20 || true
    fi
done
exit "$status"
