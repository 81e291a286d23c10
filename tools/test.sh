#!/usr/bin/env bash
# Runs every test: first the format check (every C++ file as .clang-format has it), then the
# fuzzers over a fixed, repeatable set of inputs each (built apart with clang and sanitizers),
# then, last, the QtTest suites and the end-to-end scripts (window under Xvfb, command line,
# CUPS queue) through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/format.sh --check
bash tools/fuzz.sh
ctest --test-dir build --output-on-failure --timeout 900 "$@"
