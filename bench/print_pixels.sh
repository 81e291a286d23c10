#!/usr/bin/env bash
# Compares what two builds print: each card is printed to a one-sheet PDF by both, rendered
# at 300 dpi with pdftoppm, and compared pixel by pixel (ImageMagick). "outside" counts the
# pixels of the second page whose colour lies outside the range of the first page's 3 x 3
# neighbourhood: 0 means the pages differ at most by anti-aliasing along edges moved by
# less than a pixel. With SHEETS=N, N sheets are printed and the last one is compared (a PDF
# of more than one card holds the card once and places it).
# Usage: [SHEETS=N] bench/print_pixels.sh OLD_ORLANTO NEW_ORLANTO CARD.ORL...
set -euo pipefail
OLD="$1" NEW="$2"
SHEETS="${SHEETS:-1}"
shift 2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/home"
printf '%-24s %10s %10s %12s %12s\n' card differing outside "old PDF B" "new PDF B"
for card in "$@"; do
  name=$(basename "$card" .ORL)
  for side in old new; do
    bin=$OLD; [ "$side" = new ] && bin=$NEW
    env -u DISPLAY -u WAYLAND_DISPLAY "$bin" print "$card" --home "$WORK/home" \
      --sheets "$SHEETS" -o "$WORK/$side.pdf" >/dev/null 2>&1
    pdftoppm -r 300 -f "$SHEETS" -l "$SHEETS" -singlefile -png "$WORK/$side.pdf" "$WORK/$side"
  done
  differing=$(compare -metric AE "$WORK/old.png" "$WORK/new.png" null: 2>&1 || true)
  convert "$WORK/old.png" -morphology Erode Square:1 "$WORK/low.png"
  convert "$WORK/old.png" -morphology Dilate Square:1 "$WORK/high.png"
  convert "$WORK/new.png" "$WORK/low.png" -compose Lighten -composite \
          "$WORK/high.png" -compose Darken -composite "$WORK/clamped.png"
  outside=$(compare -metric AE "$WORK/new.png" "$WORK/clamped.png" null: 2>&1 || true)
  printf '%-24s %10s %10s %12s %12s\n' "$name" "$differing" "$outside" \
    "$(stat -c %s "$WORK/old.pdf")" "$(stat -c %s "$WORK/new.pdf")"
done
