#!/bin/sh
# Builds the fuzz targets with clang into build-fuzz and runs each of them for
# a bounded time, starting from the committed corpus in fuzz/corpus/<target>.
#
#   fuzz/run.sh [SECONDS_PER_TARGET] [TARGET...]     (default: 60, all targets)
#
# New inputs that reach new code are kept in build-fuzz/corpus/<target>, so a
# later run starts where this one stopped; an input that crashes a target is
# saved in build-fuzz/artifacts/<target>/. The script fails as soon as a
# target crashes, leaks, hangs past FUZZ_TIMEOUT seconds (10) on one input, or
# cannot be built. CC, CXX and FUZZ_BUILD_DIR override the defaults.
set -eu

seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=${*:-document hive ini}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${FUZZ_BUILD_DIR:-$source_dir/build-fuzz}
jobs=$(nproc 2>/dev/null || echo 2)

CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S "$source_dir" -B "$build_dir" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFENNIMAR_BUILD_FUZZERS=ON \
  -DFENNIMAR_BUILD_TESTS=OFF -DFENNIMAR_INSTALL=OFF -DFENNIMAR_WERROR=ON >/dev/null
for target in $targets; do
  cmake --build "$build_dir" -j "$jobs" --target "fuzz_$target"
done

for target in $targets; do
  corpus=$build_dir/corpus/$target
  artifacts=$build_dir/artifacts/$target/
  mkdir -p "$corpus" "$artifacts"
  dictionary=$source_dir/fuzz/$target.dict
  echo "== fuzz_$target for $seconds s"
  set -- -max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-10}" -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$artifacts"
  [ -f "$dictionary" ] && set -- "$@" -dict="$dictionary"
  "$build_dir/bin/fuzz_$target" "$@" "$corpus" "$source_dir/fuzz/corpus/$target"
done
echo "== no target crashed"
