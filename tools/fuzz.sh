#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) into build-fuzz/ and runs each one
# over its seed corpus for FUZZ_RUNS inputs (default 150000); any finding fails the run.
# A run is repeatable: the random seed is fixed (FUZZ_SEED, default 1), every run starts
# from the seeds alone, and Qt's hashing is not randomised, so the same inputs are tried on
# every machine. FUZZ_SECONDS (default 480) caps each fuzzer's time; a slower machine that
# reaches it has tried the first part of the same inputs. Set another seed, more runs or a
# longer time to explore further.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${FUZZ_RUNS:-150000}"
seconds="${FUZZ_SECONDS:-480}"
seed="${FUZZ_SEED:-1}"
# The libraries are instrumented for coverage too, so that the fuzzer is guided by them.
san="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_FLAGS="$san" -DORLANTO_FUZZ=ON -DORLANTO_BUILD_TESTS=OFF -DORLANTO_BUILD_BENCH=OFF
targets=$(cd fuzz && ls fuzz_*.cpp 2>/dev/null | sed 's/\.cpp$//')
[ -n "$targets" ] || { echo "no fuzz targets"; exit 0; }
cmake --build build-fuzz --parallel "$(nproc)" --target $targets
export QT_QPA_PLATFORM=offscreen QT_HASH_SEED=0
# A small quarantine: large pictures decoded one after another must not pile up freed
# memory until the fuzzer's memory limit counts it against the loaders.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=64}"
for t in $targets; do
  corpus="fuzz/corpus/${t#fuzz_}"
  work="build-fuzz/corpus-${t#fuzz_}"
  rm -rf "$work" && mkdir -p "$work"
  echo "== $t: $runs inputs, at most ${seconds}s"
  "build-fuzz/fuzz/$t" -runs="$runs" -max_total_time="$seconds" -seed="$seed" -rss_limit_mb=2048 -timeout=60 \
    -artifact_prefix="build-fuzz/$t-" "$work" "$corpus"
done
