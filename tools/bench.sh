#!/usr/bin/env bash
# The benchmark: builds the host and the win64 program, runs Google Benchmark
# on the picture code natively and the Wine driver on the real program, and
# prints one table in which every figure is a ratio against a reference
# measured in the same run; the solver's rows (with --korf or --hard) are plain
# figures against their goals, beside the figures before the hint moved off the
# window's thread. Usage: bash tools/bench.sh [--reps N] [--korf FILE] [--hard FILE]
# --korf: Korf's 100 boards in this game's orientation with their published
# lengths (see README); --hard: the 17 boards 80 steps from home, one a line.
# Neither file is part of the project.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
reps=5
solver_files=()
while [ $# -gt 0 ]; do
    case $1 in
        --reps) reps=$2; shift 2 ;;
        --korf | --hard) solver_files+=("$1" "Z:$(realpath "$2" | tr / '\\')"); shift 2 ;;
        *) echo "usage: bash tools/bench.sh [--reps N] [--korf FILE] [--hard FILE]" >&2; exit 2 ;;
    esac
done

bash tools/setup.sh
host=build/perf-host
win=build/perf-win64
cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$host" -j2 --target picture_bench >/dev/null
cmake -S . -B "$win" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-mingw.cmake" \
    -DLODEPNG_CACHE="$root/.deps/lodepng" >/dev/null
cmake --build "$win" -j2 >/dev/null

# The 4000 x 3000 photo, as PNG (the host benchmark's picture) and as JPEG.
pictures="$win/tests/perf/pictures"
mkdir -p "$pictures"
[ -f "$pictures/photo.png" ] || "$host/tests/bench/picture_bench" --write-photo "$pictures/photo.png"
[ -f "$pictures/photo.jpg" ] || /usr/bin/convert "$pictures/photo.png" -quality 90 "$pictures/photo.jpg"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
echo "bench: host benchmark (Google Benchmark)"
(cd "$out" && "$root/$host/tests/bench/picture_bench" --benchmark_color=false) | tee "$out/host.txt"

echo "bench: Wine driver"
(
    . tools/wine-env.sh
    trap 'wine_env_stop remove' EXIT
    wine_env_prefix "$root/$win/tests/perf/wine-cache" "$root/$win/tests/perf/wine-run-$$" || exit 1
    # Room for the game's window at 200 % as well.
    WINE_ENV_SCREEN=2048x1536x24 wine_env_xvfb || exit 1
    "$WINE64" "$win/tests/perf/tessary_perf.exe" "$root/$win/dist/Tessary" \
        "$root/$pictures/photo.png" "$root/$pictures/photo.jpg" --reps "$reps"
) | tee "$out/wine.txt" || true

if [ ${#solver_files[@]} -gt 0 ]; then
    echo "bench: the solver in the win64 program's code, under Wine"
    (
        . tools/wine-env.sh
        trap 'wine_env_stop remove' EXIT
        wine_env_prefix "$root/$win/tests/perf/wine-cache" "$root/$win/tests/perf/wine-run-$$" || exit 1
        "$WINE64" "$win/tests/perf/solver_bench.exe" "${solver_files[@]}"
    ) | tee "$out/solve.txt" || true
else
    echo "bench: no --korf or --hard FILE given: the solver's rows are left out"
    : > "$out/solve.txt"
fi

echo
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(/usr/lib/wine/wine64 --version)"
printf '%-5s %-44s %9s %9s %7s %7s  %s\n' where figure ms "ref ms" ratio target ""
grep -h '^TABLE ' "$out/host.txt" "$out/wine.txt" "$out/solve.txt" | sed 's/^TABLE //'
grep -h '^INFO ' "$out/wine.txt" "$out/solve.txt" | sed 's/^INFO  /  (info) /' || true
grep -h '^PROBLEM ' "$out/wine.txt" "$out/solve.txt" && exit 1
exit 0
