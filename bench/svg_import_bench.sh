#!/usr/bin/env bash
# Times the import of an SVG drawing through `orlanto print`, which imports the card's
# background art: the 4000 dashed curves of tests/fixtures/pictures/dashes.svg (target:
# under 2 s and 200 MB for the whole run), or the SVG files given.
# Usage: bench/svg_import_bench.sh [build folder (default: build)] [SVG file...]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${1:-build}"
shift || true
FILES=("$@")
[ ${#FILES[@]} -gt 0 ] || FILES=(tests/fixtures/pictures/dashes.svg)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/home"
cp examples/ShapesAndLines.ORL "$WORK/CARD.ORL"
printf '%-40s %10s %12s\n' drawing "wall s" "peak MB"
for svg in "${FILES[@]}"; do
  printf '%s\r\n' "$(realpath "$svg")" >"$WORK/CARD.ORX"
  env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/time -v "$BUILD/orlanto" print "$WORK/CARD.ORL" \
    --home "$WORK/home" --positions 1 -o "$WORK/out.pdf" 2>"$WORK/time.txt" >/dev/null
  if grep -q "background art" "$WORK/time.txt"; then grep "background art" "$WORK/time.txt" >&2; fi
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$WORK/time.txt" | awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$WORK/time.txt")
  awk -v f="$(basename "$svg")" -v w="$wall" -v r="$rss" 'BEGIN { printf "%-40s %10.3f %12.1f\n", f, w, r / 1024 }'
done
