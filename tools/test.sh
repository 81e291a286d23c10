#!/usr/bin/env bash
# Runs every test of the build in build/: the QtTest suites and the end-to-end scripts
# (window under Xvfb, command line, CUPS queue), then the fuzzers for a minute each.
set -euo pipefail
cd "$(dirname "$0")/.."
ctest --test-dir build --output-on-failure --timeout 900 "$@"
bash tools/fuzz.sh
