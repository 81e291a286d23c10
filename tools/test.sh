#!/usr/bin/env bash
# Runs every test of the build in build/: the QtTest suites, the end-to-end scripts
# (window under Xvfb, CLI, CUPS queue) and the fuzzers.
set -euo pipefail
cd "$(dirname "$0")/.."
ctest --test-dir build --output-on-failure --timeout 900 "$@"
