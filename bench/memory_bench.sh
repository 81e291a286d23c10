#!/usr/bin/env bash
# Peak memory and wall time of `orlanto` on the large cards of bench_memory.cpp: dump of a
# 20 MB card whose multi-line label lists 20 million False (refused), and print to PDF of a
# card of 100,000 rectangles and of a card whose rich text label holds 10 MB of format runs.
# Usage: bench/memory_bench.sh [build folder (default: build)]
set -uo pipefail
BUILD="${1:-build}"
ORLANTO="${ORLANTO:-$BUILD/orlanto}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$BUILD/bench/bench_memory" --make-cards "$WORK/cards" >&2 || exit 1
mkdir -p "$WORK/home"
printf '%-28s %6s %10s %12s\n' run status "wall s" "peak MB"
run() {
  local name=$1
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/time -v "$ORLANTO" "$@" --home "$WORK/home" \
    2>"$WORK/time.txt" >/dev/null
  local status=$?
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$WORK/time.txt" | awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$WORK/time.txt")
  awk -v n="$name" -v c="$status" -v w="$wall" -v r="$rss" 'BEGIN { printf "%-28s %6d %10.3f %12.1f\n", n, c, w, r / 1024 }'
}
run "dump 20 MB list of False" dump "$WORK/cards/lines.ORL"
run "print 100,000 rectangles" print "$WORK/cards/rects.ORL" -o "$WORK/out.pdf"
run "print 10 MB rich text" print "$WORK/cards/rich.ORL" -o "$WORK/out.pdf"
