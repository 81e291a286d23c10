#!/usr/bin/env bash
# Times `orlanto print` of the benchmark card (see bench_print.cpp) for 1, 10, 100 and 1,000
# sheets of ten cards: wall time, peak memory and PDF size.
# Usage: bench/print_bench.sh [build folder (default: build)]
set -euo pipefail
BUILD="${1:-build}"
ORLANTO="${ORLANTO:-$BUILD/orlanto}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$BUILD/bench/bench_print" --make-card "$WORK/card" >&2
mkdir -p "$WORK/home"
printf '%8s %10s %12s %12s\n' sheets "wall s" "peak MB" "PDF MB"
for n in 1 10 100 1000; do
  env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/time -v "$ORLANTO" print "$WORK/card/CARD.ORL" \
    --home "$WORK/home" --sheets "$n" -o "$WORK/out.pdf" 2>"$WORK/time.txt" >/dev/null
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$WORK/time.txt" | awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$WORK/time.txt")
  size=$(stat -c %s "$WORK/out.pdf")
  awk -v n="$n" -v w="$wall" -v r="$rss" -v s="$size" 'BEGIN { printf "%8d %10.3f %12.1f %12.2f\n", n, w, r / 1024, s / 1048576 }'
done
