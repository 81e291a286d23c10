#!/usr/bin/env bash
# The real orlanto window under Xvfb with hostile inputs: a full disk and a preferences file
# that cannot be read leave ORL.INI as it was; a card holding a sloping line a billion
# pixels wide, effect shapes and text of the largest stored size and a text label with a
# negative shadow depth opens, paints and answers
# Ctrl+S at once; a recovery copy that needs more memory than there is ends as a message,
# and the window starts whole. The full-disk case needs root (a small tmpfs) and is skipped
# otherwise.
set -euo pipefail
orlanto="$1"
build="$2"
for tool in xvfb-run xdotool import python3; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
if [ -z "${E2E_IN_XVFB:-}" ]; then
  export E2E_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

art="$build/e2e-artifacts"
mkdir -p "$art"
work=$(mktemp -d)
pid=
mounted=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$mounted" ] && umount "$mounted" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

message_shown() { xdotool search --onlyvisible --name '^Information$' >/dev/null 2>&1; }

# start HOME [CARD]: the window with that home, up and showing its surface.
start() {
  local map="$work/ui.json"
  rm -f "$map"
  ORLANTO_UI_MAP="$map" "$orlanto" --home "$@" &
  pid=$!
  # A message box at start-up holds the window back until it is answered.
  for _ in $(seq 1 150); do { [ -s "$map" ] || message_shown; } && break; sleep 0.1; done
  { [ -s "$map" ] || message_shown; } || { echo "FAIL: the window did not come up ($*)"; exit 1; }
  sleep 1
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; pid=; }
# Answers every message box shown, one after the other; prints how many there were.
dismiss_all() {
  local n=0
  while message_shown; do
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Information$' | head -1)" 2>/dev/null || true
    xdotool key Return
    n=$((n + 1))
    sleep 0.5
    [ "$n" -lt 10 ] || break
  done
  echo "$n"
}
title() { xdotool getwindowname "$(xdotool search --onlyvisible --name '^Orlanto' | head -1)"; }
# centre NAME / text NAME: a named widget's centre on the screen, a named label's text.
centre() {
  python3 -c 'import json,sys; m=json.load(open(sys.argv[1]))[sys.argv[2]]; print(m["x"]+m["w"]//2, m["y"]+m["h"]//2)' "$work/ui.json" "$1"
}
text() {
  python3 -c 'import json,sys; print(json.load(open(sys.argv[1])).get(sys.argv[2], {}).get("text", ""))' "$work/ui.json" "$1" 2>/dev/null || true
}

prefs='[Printer]
TopMarginNudge=3
LeftMarginNudge=-2
VerticalSpacing=0
HorizontalSpacing=1
ShowBottomMarginWarning=1

[Personal]
Name=Jane Smith
Company=Smith & Daughters
Title=Director
Address1=12 Long Lane
Address2=Little Hampton
Address3=
Phone1=555 0100
Phone2=
Email=jane@example.com
Fax=

[Default Font]
Name=Arial
Size=10
Bold=0
Italic=0
Underline=0

[Layout]
Height=2000
Width=3500
TopMargin=500
LeftMargin=750
HPitch=3500
VPitch=2000
PredefLayout=0
Papersize=1
Across=2
Down=5
UseMM=0
'

# The messages of an ordinary start (such as having no printer), to tell the new ones apart.
mkdir -p "$work/plain"
start "$work/plain"
usual=$(dismiss_all)
stop

# 1. A full disk: the start-up writes (window placement) fail, ORL.INI stays whole and the
#    user is told.
if [ "$(id -u)" = 0 ] && mkdir -p "$work/full" && mount -t tmpfs -o size=64k tmpfs "$work/full" 2>/dev/null; then
  mounted="$work/full"
  mkdir -p "$work/full/Saved" "$work/full/bg" "$work/full/bmbrush"
  printf '%s' "$prefs" > "$work/full/ORL.INI"
  cp "$work/full/ORL.INI" "$work/prefs.copy"
  dd if=/dev/zero of="$work/full/filler" bs=1k 2>/dev/null || true
  start "$work/full"
  import -window root "$art/hostile-1-full-disk.png"
  [ "$(dismiss_all)" -gt "$usual" ] || { echo "FAIL: no message about the preferences file on a full disk"; exit 1; }
  cmp -s "$work/full/ORL.INI" "$work/prefs.copy" || { echo "FAIL: ORL.INI changed on a full disk"; exit 1; }
  stop
  umount "$mounted"; mounted=
  echo "ok: full disk keeps ORL.INI"
else
  echo "skipped: the full-disk case needs root and tmpfs"
fi

# 2. A preferences file that cannot be read (too large, not a regular file) is left alone.
mkdir -p "$work/big"
{ printf '%s' "$prefs"; head -c $((33 * 1024 * 1024)) /dev/zero | tr '\0' 'x'; } > "$work/big/ORL.INI"
sum=$(md5sum < "$work/big/ORL.INI")
start "$work/big"
import -window root "$art/hostile-2-big-prefs.png"
[ "$(dismiss_all)" -gt "$usual" ] || { echo "FAIL: no message about the unreadable preferences file"; exit 1; }
stop
[ "$(md5sum < "$work/big/ORL.INI")" = "$sum" ] || { echo "FAIL: a 33 MB ORL.INI was written over"; exit 1; }
mkdir -p "$work/fifo"
mkfifo "$work/fifo/ORL.INI"
start "$work/fifo"
stop
[ -p "$work/fifo/ORL.INI" ] || { echo "FAIL: a FIFO named ORL.INI was replaced"; exit 1; }
echo "ok: an unreadable ORL.INI is left alone"

# 3 and 4. Extreme stored sizes: the window opens the card, paints it and handles a key.
mkdir -p "$work/extreme"
card="$work/extreme/extreme.ORL"
python3 - "$card" <<'PY'
import struct, sys
def s(b): return bytes([len(b)]) + b
def i32(v): return b'\x04' + struct.pack('<i', v)
def ident(b): return b'\x07' + s(b)
def record(cls, props):
    out = b'TPF0' + s(cls) + s(b'x')
    for name, value in props:
        out += s(name) + value
    return out + b'\x00\x00'
line = record(b'TGLineShape', [(b'Left', i32(0)), (b'Top', i32(0)), (b'Width', i32(10**9)),
                               (b'Height', i32(2**31 - 1)), (b'LineStyle', ident(b'stAngleSlopingDown'))])
label = record(b'TGBusinessCardLabel', [(b'Left', i32(40)), (b'Top', i32(100)), (b'Width', i32(120)),
                                        (b'Height', i32(30)), (b'DepthShadow', i32(-20)),
                                        (b'DirectionShadow', ident(b'sdDown')),
                                        (b'DepthHighlight', i32(-2**31)),
                                        (b'DirectionHighlight', ident(b'hdUp')),
                                        (b'Caption', b'\x06' + s(b'Shadowed'))])
# Effect objects as large as a stored size goes, with the surfaces that keep work bitmaps.
huge = [(b'Left', i32(300)), (b'Top', i32(150)), (b'Width', i32(2**31 - 1)), (b'Height', i32(10**9))]
gradient = record(b'TSuperShape', huge + [(b'SurfaceType', ident(b'stGradientFill'))])
solid = record(b'TSuperShape', huge + [(b'SurfaceType', ident(b'stBrushPattern'))])
text = record(b'TGSuperText', huge + [(b'Caption', b'\x06' + s(b'Big'))])
open(sys.argv[1], 'wb').write(b'\x01' + line + label + gradient + solid + text + b'\x00')
PY
start "$work/extreme" "$card"
dismiss_all >/dev/null
for _ in $(seq 1 30); do [ "$(title)" = "Orlanto - extreme.ORL" ] && break; sleep 0.1; done
[ "$(title)" = "Orlanto - extreme.ORL" ] || { echo "FAIL: the extreme card did not open: $(title)"; exit 1; }
before=$(stat -c %Y.%s "$card")
touch -d '2000-01-01' "$card"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Orlanto' | head -1)"
xdotool key ctrl+s
for _ in $(seq 1 20); do [ "$(stat -c %Y "$card")" != 946684800 ] && break; sleep 0.1; done
[ "$(stat -c %Y "$card")" != 946684800 ] || { echo "FAIL: Ctrl+S not handled with the extreme card open"; exit 1; }
import -window root "$art/hostile-3-extreme-card.png"
read -r sx sy < <(python3 -c 'import json,sys; m=json.load(open(sys.argv[1]))["SurfaceView"]; print(m["x"], m["y"])' "$work/ui.json")
# The line runs from the card's top-left corner down at a slope of about 2.1: its pixel at
# (10, 21) is black.
px=$(convert "$art/hostile-3-extreme-card.png" -format "%[fx:int(255*p{$((sx + 10)),$((sy + 21))}.r)]" info:)
[ "$px" = 0 ] || { echo "FAIL: the sloping line was not painted ($px)"; exit 1; }
stop
echo "PASS: full disk and unreadable preferences keep ORL.INI; the extreme card opens, paints and answers keys"

# 5. A recovery copy that needs more memory than there is: a hint of 2 GB (in a sparse 3 GB
#    file) under a 1.5 GB address space. The start-up ends all the same: the user is told
#    that the copy was set aside, Preview works and new changes are kept again.
mkdir -p "$work/oom"
python3 - "$work/oom/Recover.ORL" <<'PY'
import sys
def s(b): return bytes([len(b)]) + b
with open(sys.argv[1], 'wb') as f:
    f.write(b'\x01TPF0' + s(b'TBCShapes') + s(b'x') + s(b'Hint') + b'\x0c' + (0x7ffffff0).to_bytes(4, 'little'))
    f.truncate(3 << 30)
PY
rm -f "$work/ui.json"
(ulimit -v $((1536 * 1024)); ORLANTO_RECOVERY_INTERVAL_MS=500 ORLANTO_UI_MAP="$work/ui.json" exec "$orlanto" --home "$work/oom") &
pid=$!
for _ in $(seq 1 150); do
  { message_shown || xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; } && break
  sleep 0.1
done
sleep 0.5
import -window root "$art/hostile-5-recovery-out-of-memory.png"
if xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; then
  echo "FAIL: the unreadable recovery copy ended in an error box"; exit 1
fi
[ "$(dismiss_all)" -gt "$usual" ] || { echo "FAIL: no message about the unreadable recovery copy"; exit 1; }
[ -f "$work/oom/Recover.ORL.damaged" ] && [ ! -e "$work/oom/Recover.ORL" ] \
  || { echo "FAIL: the recovery copy was not set aside: $(ls "$work/oom")"; exit 1; }
for _ in $(seq 1 50); do [ -s "$work/ui.json" ] && break; sleep 0.1; done
read -r bx by < <(centre DrawRectanglebutton)
xdotool mousemove "$bx" "$by" click 1
read -r sx sy < <(python3 -c 'import json,sys; m=json.load(open(sys.argv[1]))["SurfaceView"]; print(m["x"], m["y"])' "$work/ui.json")
xdotool mousemove $((sx + 40)) $((sy + 50)) mousedown 1
sleep 0.2
xdotool mousemove $((sx + 100)) $((sy + 80))
sleep 0.2
xdotool mousemove $((sx + 140)) $((sy + 110)) mouseup 1
for _ in $(seq 1 50); do [ -f "$work/oom/Recover.ORL" ] && break; sleep 0.1; done
[ -f "$work/oom/Recover.ORL" ] || { echo "FAIL: new changes were not kept in a recovery copy"; exit 1; }
read -r px py < <(centre PreviewButton)
xdotool mousemove "$px" "$py" click 1
for _ in $(seq 1 60); do grep -q 'preview ready' <<<"$(text RStatusLabel)" && break; sleep 0.1; done
grep -q 'preview ready' <<<"$(text RStatusLabel)" || { echo "FAIL: Preview did not run"; exit 1; }
xdotool key Return
for _ in $(seq 1 60); do xdotool search --onlyvisible --name '^Preview Page' >/dev/null 2>&1 && break; sleep 0.1; done
import -window root "$art/hostile-5-preview.png"
xdotool search --onlyvisible --name '^Preview Page' >/dev/null 2>&1 || { echo "FAIL: no preview window"; exit 1; }
xdotool key Escape
stop
echo "PASS: an unreadable recovery copy was set aside and reported; the window started whole"
