#!/bin/sh
# Builds the benchmarks (Release, in build-bench), runs them with JSON output
# and writes docs/performance.md. Extra arguments go to fennimar_bench, e.g.
# --fennimar_items=0,100 for a quick run or --benchmark_filter=GetConfig.
# BENCH_BUILD_DIR names another build folder.
set -eu
cd "$(dirname "$0")/.."
build=${BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DFENNIMAR_BUILD_BENCHMARKS=ON \
  -DFENNIMAR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target fennimar_bench fennimar
"$build/bin/fennimar_bench" --benchmark_out="$build/bench.json" --benchmark_out_format=json "$@"
mkdir -p docs
bench/command.sh "$build" "$build/command.json"
python3 bench/report.py "$build/bench.json" "$build/command.json" >docs/performance.md.tmp
mv docs/performance.md.tmp docs/performance.md
echo "wrote docs/performance.md"
