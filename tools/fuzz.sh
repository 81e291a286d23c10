#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) into build-fuzz/ and runs each one
# for FUZZ_SECONDS (default 60) over its seed corpus; any finding fails the run. The random
# seed is fixed (FUZZ_SEED, default 1) so that a run can be repeated; set another seed, or a
# longer time, to explore further.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
seed="${FUZZ_SEED:-1}"
# The libraries are instrumented for coverage too, so that the fuzzer is guided by them.
san="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_FLAGS="$san" -DORLANTO_FUZZ=ON -DORLANTO_BUILD_TESTS=OFF -DORLANTO_BUILD_BENCH=OFF
targets=$(cd fuzz && ls fuzz_*.cpp 2>/dev/null | sed 's/\.cpp$//')
[ -n "$targets" ] || { echo "no fuzz targets"; exit 0; }
cmake --build build-fuzz --parallel "$(nproc)" --target $targets
export QT_QPA_PLATFORM=offscreen
# A small quarantine: large pictures decoded one after another must not pile up freed
# memory until the fuzzer's memory limit counts it against the loaders.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=64}"
for t in $targets; do
  corpus="fuzz/corpus/${t#fuzz_}"
  work="build-fuzz/corpus-${t#fuzz_}"
  mkdir -p "$work"
  echo "== $t for ${seconds}s"
  "build-fuzz/fuzz/$t" -max_total_time="$seconds" -seed="$seed" -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="build-fuzz/$t-" "$work" "$corpus"
done
