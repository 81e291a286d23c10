#!/usr/bin/env bash
# Formats every C++ file with the project's .clang-format; with --check, changes nothing and
# fails listing the files that differ from it (the test command runs this).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
  clang-format --dry-run -Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
