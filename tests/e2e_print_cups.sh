#!/usr/bin/env bash
# `orlanto print` through a real CUPS queue (cups-pdf): the sheets it produces must have
# their cards where the directly written PDF has them. Runs its own scheduler when none is
# running (root only) and stops it again by its process id; exit 77 means skipped.
# Usage: e2e_print_cups.sh <orlanto binary> <build folder>
set -uo pipefail
ORLANTO="$1"

skip() { echo "skipped: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

[ "$(id -u)" = 0 ] || skip "starting a CUPS scheduler needs root"
for t in cupsd lpadmin lpstat pdftoppm pdfinfo compare; do
  command -v "$t" >/dev/null || skip "$t is not installed"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "printer-driver-cups-pdf is not installed"
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$PPD" ] || skip "the cups-pdf driver description is missing"
# Headless, as a shell without a display runs it.
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$ORLANTO" print "$@"; }
run --help >/dev/null 2>&1 || skip "this orlanto has no print command"

WORK=$(mktemp -d)
QUEUE="OrlantoE2E$$"
CUPSD_PID=""
OLD_DEFAULT=""
cleanup() {
  lpadmin -x "$QUEUE" 2>/dev/null
  [ -n "$OLD_DEFAULT" ] && lpadmin -d "$OLD_DEFAULT" 2>/dev/null
  if [ -n "$CUPSD_PID" ]; then
    kill "$CUPSD_PID" 2>/dev/null
    wait "$CUPSD_PID" 2>/dev/null
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

if ! pgrep -x cupsd >/dev/null; then
  cupsd -f &
  CUPSD_PID=$!
fi
for _ in $(seq 50); do
  lpstat -r 2>/dev/null | grep -q "is running" && break
  sleep 0.2
done
lpstat -r 2>/dev/null | grep -q "is running" || fail "the CUPS scheduler did not start"

# A card with nothing on it but blue background art, so every printed card is a filled
# 3.5 x 2.0 inch rectangle.
HOME_DIR="$WORK/home"
mkdir -p "$HOME_DIR"
printf '\001\000' >"$WORK/CARD.ORL" # a card file holding no objects
printf 'BM\146\0\0\0\0\0\0\0\066\0\0\0\050\0\0\0\004\0\0\0\004\0\0\0\001\0\030\0\0\0\0\0\060\0\0\0\023\013\0\0\023\013\0\0\0\0\0\0\0\0\0\0' >"$WORK/art.bmp"
for _ in $(seq 16); do printf '\377\0\0' >>"$WORK/art.bmp"; done
echo "$WORK/art.bmp" >"$WORK/CARD.ORX"

# With no queue at all the print commands say so; PDF output still works.
if [ -z "$(lpstat -e 2>/dev/null)" ]; then
  msg=$(run "$WORK/CARD.ORL" --home "$HOME_DIR" 2>&1) && fail "printing without printers succeeded"
  grep -q "There are no installed printers." <<<"$msg" || fail "no-printer message: $msg"
fi
run "$WORK/CARD.ORL" --home "$HOME_DIR" --positions 1,4,7 -o "$WORK/direct.pdf" || fail "direct PDF"

OLD_DEFAULT=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
lpadmin -p "$QUEUE" -E -v cups-pdf:/ -P "$PPD" || fail "cannot add the cups-pdf queue"
lpadmin -d "$QUEUE" || fail "cannot make the queue the default"

# cups-pdf writes into the job owner's PDF folder or its anonymous spool folder.
OUTDIRS=(/root/PDF /var/spool/cups-pdf)
touch "$WORK/marker"
sleep 1
newest_pdf() { find "${OUTDIRS[@]}" -name '*.pdf' -newer "$WORK/marker" 2>/dev/null | head -n 1; }
wait_for_pdf() {
  local f=""
  for _ in $(seq 150); do
    f=$(newest_pdf)
    if [ -n "$f" ] && pdfinfo "$f" >/dev/null 2>&1; then echo "$f"; return 0; fi
    sleep 0.2
  done
  return 1
}

check_job() { # $1: what; the rest: arguments of orlanto print
  local what="$1"; shift
  rm -f "$(newest_pdf)" 2>/dev/null
  touch "$WORK/marker"; sleep 1
  run "$WORK/CARD.ORL" --home "$HOME_DIR" --positions 1,4,7 "$@" || fail "$what: orlanto print"
  local out
  out=$(wait_for_pdf) || fail "$what: cups-pdf produced no file"
  cp "$out" "$WORK/queue.pdf"; rm -f "$out"
  pdfinfo "$WORK/queue.pdf" | grep -q "Page size: *612 x 792" || fail "$what: not a Letter page"
  # cups-pdf redraws the page, text included, so compare what is drawn, pixel by pixel.
  # The cards' edges (0.75 and 4.25 inches across, 0.5, 2.5 and 6.5 down, the art 0.01 inch
  # larger) fall on pixel boundaries at 100 dpi, where the two files' slightly different image
  # matrices round an edge into the row above or below. At 102 x 101 dpi every edge lies near
  # the middle of a pixel, so the pages must match exactly; the fuzz allows only a change of
  # grey level, never a moved edge (white against the art's dark grey).
  pdftoppm -rx 102 -ry 101 -gray -singlefile "$WORK/direct.pdf" "$WORK/a" || fail "render direct"
  pdftoppm -rx 102 -ry 101 -gray -singlefile "$WORK/queue.pdf" "$WORK/b" || fail "render queue"
  local diff
  diff=$(compare -metric AE -fuzz 25% "$WORK/a.pgm" "$WORK/b.pgm" null: 2>&1)
  [ "$diff" = 0 ] || fail "$what: $diff pixels differ from the direct PDF"
  echo "$what: $diff pixels differ"
}
check_job "named queue" --printer "$QUEUE"
check_job "default printer"

msg=$(run "$WORK/CARD.ORL" --home "$HOME_DIR" --printer "NoSuchQueue$$" 2>&1) && fail "an unknown queue printed"
grep -q "There is no printer named" <<<"$msg" || fail "unknown-queue message: $msg"
echo "PASS"
