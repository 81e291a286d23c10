#!/usr/bin/env bash
# The real orlanto window under Xvfb, driven by real X input events (xdotool): start with an
# empty home, draw a rectangle with the rectangle tool, see the Save As button and the
# caption, save with Ctrl+S into a scripted name, restart and see the card reopened from
# the recent-files list; move the rectangle, ask the window to close through the window
# manager's close request, answer Cancel and take the move back with Ctrl+Z (the save dialog,
# the question and the Personal Information dialog leave the card in sight); kill a session
# with unsaved changes and recover them at the next start.
# A damaged clipboard file pasted with Ctrl+V ends as a message. Without any printer: no
# message box at start, the status bar's figures after a drag, Ctrl+wheel, Zoom to fit and
# Ctrl+0, Preview, Print offering the PDF export whose status names the file, and a second
# start with a card file opening it in the first window. A card whose name is not UTF-8
# opens, saves under its own bytes and comes back from the recent list. Screenshots of each
# step are kept in <build>/e2e-artifacts/.
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
home=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$home"' EXIT
map="$home/ui.json"

start() {
  rm -f "$map"
  ORLANTO_UI_MAP="$map" "$orlanto" --home "$home" &
  pid=$!
  for _ in $(seq 1 150); do [ -s "$map" ] && break; sleep 0.1; done
  [ -s "$map" ] || { echo "FAIL: the window did not come up"; exit 1; }
  # Without a printer a message says so at start-up: answer it.
  sleep 0.5
  if box=$(xdotool search --onlyvisible --name '^Information$' 2>/dev/null | head -1) && [ -n "$box" ]; then
    xdotool key Return || true
  fi
  sleep 0.5
}
# centre NAME: the screen position of a named widget's centre.
centre() {
  python3 -c 'import json,sys; m=json.load(open(sys.argv[1]))[sys.argv[2]]; print(m["x"]+m["w"]//2, m["y"]+m["h"]//2)' "$map" "$1"
}
origin() {
  python3 -c 'import json,sys; m=json.load(open(sys.argv[1]))[sys.argv[2]]; print(m["x"], m["y"])' "$map" "$1"
}
shot() { import -window root "$art/$1.png"; }
# covers TITLE: whether the window titled TITLE (a dialog) covers any part of the card.
covers() {
  local X Y WIDTH HEIGHT SCREEN WINDOW cx cy cw ch
  eval "$(xdotool getwindowgeometry --shell "$(visible "$1")")"
  read -r cx cy cw ch < <(python3 -c 'import json,sys; m=json.load(open(sys.argv[1]))["SurfaceView"]; print(m["x"], m["y"], m["w"], m["h"])' "$map")
  [ "$X" -lt $((cx + cw)) ] && [ $((X + WIDTH)) -gt "$cx" ] && [ "$Y" -lt $((cy + ch)) ] && [ $((Y + HEIGHT)) -gt "$cy" ]
}
# dialog_in_sight TITLE SHOT: waits for the dialog titled TITLE and keeps a screenshot; fails
# when the dialog covers the card (dialogs over the window leave it, small at 100 %, in sight).
dialog_in_sight() {
  visible "$1" >/dev/null
  sleep 0.5
  shot "$2"
  ! covers "$1" || { echo "FAIL: the dialog $1 hides the card"; exit 1; }
}
# pixel X Y: the colour at a screen position, as "r,g,b".
pixel() {
  convert "$art/$3.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
}
# visible PATTERN: waits for a shown window whose name matches and prints its id. A window
# that closes while xdotool looks at the windows makes it fail (BadWindow): it looks again.
visible() {
  local id
  for _ in $(seq 1 100); do
    id=$(xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] &&
      { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "FAIL: no window named $1" >&2
  return 1
}
window() { visible '^Orlanto'; }
title() { xdotool getwindowname "$(window)"; }
# card NAME: the card's area cut out of screenshot NAME.
card() {
  read -r cx cy < <(origin SurfaceView)
  convert "$art/$1.png" -crop "300x150+$cx+$cy" +repage "$art/$1-card.png"
}
# differing A B: the number of pixels in which two cut-out cards differ.
differing() { compare -metric AE "$art/$1-card.png" "$art/$2-card.png" null: 2>&1 || true; }
# wm_close WINDOW: the close request a window manager sends (WM_DELETE_WINDOW).
wm_close() {
  python3 - "$1" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
d = x.XOpenDisplay(None)
e = Event()
e.xclient.type = 33  # ClientMessage
e.xclient.window = int(sys.argv[1])
e.xclient.message_type = x.XInternAtom(d, b"WM_PROTOCOLS", 0)
e.xclient.format = 32
e.xclient.data[0] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
x.XSendEvent(d, int(sys.argv[1]), 0, 0, ctypes.byref(e))
x.XFlush(d)
PY
}

start
shot 1-started
[ "$(title)" = "Orlanto - Untitled" ] || { echo "FAIL: caption $(title)"; exit 1; }

read -r bx by < <(centre DrawRectanglebutton)
xdotool mousemove "$bx" "$by" click 1
read -r sx sy < <(origin SurfaceView)
xdotool mousemove $((sx + 40)) $((sy + 50)) mousedown 1
sleep 0.2
xdotool mousemove $((sx + 100)) $((sy + 80))
sleep 0.2
xdotool mousemove $((sx + 140)) $((sy + 110)) mouseup 1
sleep 0.5
shot 2-rectangle
# The rectangle's outline is black at its left edge, white inside.
[ "$(pixel $((sx + 40)) $((sy + 80)) 2-rectangle)" = "0,0,0" ] || { echo "FAIL: no rectangle drawn"; exit 1; }
[ "$(pixel $((sx + 90)) $((sy + 80)) 2-rectangle)" = "255,255,255" ] || { echo "FAIL: rectangle not filled white"; exit 1; }

# The Save As button appears once the card has changes.
for _ in $(seq 1 30); do grep -q '"Savebutton"' "$map" && break; sleep 0.1; done
grep -q '"Savebutton"' "$map" || { echo "FAIL: no Save As button after a change"; exit 1; }
[ "$(title)" = "Orlanto - Untitled *" ] || { echo "FAIL: caption with changes: $(title)"; exit 1; }
read -r vx vy < <(centre Savebutton)
xdotool mousemove "$vx" "$vy" click 1
# The save dialog proposes BC0001.ORL in Saved: take it.
dialog_in_sight 'Save Business Card' 3-save-dialog
xdotool key Return
for _ in $(seq 1 50); do [ -f "$home/Saved/BC0001.ORL" ] && break; sleep 0.1; done
[ -f "$home/Saved/BC0001.ORL" ] || { echo "FAIL: the card was not saved"; exit 1; }
sleep 0.3
shot 4-saved
[ "$(title)" = "Orlanto - BC0001.ORL" ] || { echo "FAIL: caption after saving: $(title)"; exit 1; }

kill "$pid"; wait "$pid" 2>/dev/null || true
start
shot 5-restarted
[ "$(title)" = "Orlanto - BC0001.ORL" ] || { echo "FAIL: caption after restart: $(title)"; exit 1; }
read -r sx sy < <(origin SurfaceView)
[ "$(pixel $((sx + 40)) $((sy + 80)) 5-restarted)" = "0,0,0" ] || { echo "FAIL: the card did not come back"; exit 1; }
card 5-restarted

# Move the rectangle, then ask the window to close as a window manager does: the question
# comes, Escape (Cancel) keeps the window and the card; Ctrl+Z puts the rectangle back.
xdotool mousemove $((sx + 60)) $((sy + 70)) mousedown 1
sleep 0.2
xdotool mousemove $((sx + 80)) $((sy + 80))
sleep 0.2
xdotool mousemove $((sx + 100)) $((sy + 90)) mouseup 1
sleep 0.5
shot 6-moved
card 6-moved
[ "$(differing 5-restarted 6-moved)" != 0 ] || { echo "FAIL: the rectangle did not move"; exit 1; }
[ "$(title)" = "Orlanto - BC0001.ORL *" ] || { echo "FAIL: caption after the move: $(title)"; exit 1; }
wm_close "$(window)"
dialog_in_sight '^Save$' 7-save-question
xdotool key Escape
sleep 0.5
kill -0 "$pid" || { echo "FAIL: Cancel closed the program"; exit 1; }
[ "$(title)" = "Orlanto - BC0001.ORL *" ] || { echo "FAIL: caption after Cancel: $(title)"; exit 1; }
# A click on an empty part of the card gives the window the keyboard back (there is no
# window manager to do so); a second one clears the selection the undo made.
xdotool mousemove $((sx + 250)) $((sy + 170)) click 1
sleep 0.3
xdotool key ctrl+z
sleep 0.3
xdotool click 1
sleep 0.5
shot 8-undone
card 8-undone
[ "$(differing 5-restarted 8-undone)" = 0 ] || { echo "FAIL: Ctrl+Z did not put the rectangle back"; exit 1; }
[ "$(title)" = "Orlanto - BC0001.ORL" ] || { echo "FAIL: caption after the undo: $(title)"; exit 1; }
xdotool key alt+e p
dialog_in_sight '^Personal Information$' 8-personal-information
xdotool key Escape
sleep 0.3
echo "PASS: window started, rectangle drawn, saved, reopened, close cancelled, move undone, dialogs beside the card"
kill "$pid"; wait "$pid" 2>/dev/null || true

# A session with unsaved changes to BC0001.ORL is killed once its recovery copy is written:
# the next start offers the changes and brings them back under the card's name, unsaved.
rm -f "$map"
ORLANTO_UI_MAP="$map" ORLANTO_RECOVERY_INTERVAL_MS=500 "$orlanto" --home "$home" &
pid=$!
for _ in $(seq 1 150); do [ -s "$map" ] && break; sleep 0.1; done
sleep 0.5
if box=$(xdotool search --onlyvisible --name '^Information$' 2>/dev/null | head -1) && [ -n "$box" ]; then
  xdotool key Return || true
fi
sleep 0.5
read -r bx by < <(centre DrawRectanglebutton)
xdotool mousemove "$bx" "$by" click 1
read -r sx sy < <(origin SurfaceView)
xdotool mousemove $((sx + 180)) $((sy + 20)) mousedown 1
sleep 0.2
xdotool mousemove $((sx + 220)) $((sy + 40))
sleep 0.2
xdotool mousemove $((sx + 260)) $((sy + 60)) mouseup 1
for _ in $(seq 1 50); do [ -f "$home/Recover.ORL" ] && break; sleep 0.1; done
[ -f "$home/Recover.ORL" ] || { echo "FAIL: no recovery copy written"; exit 1; }
# The tool leaves the new rectangle selected: a click on an empty part of the card takes
# the grips away, so that the card is compared with the recovered one, which has none.
xdotool mousemove $((sx + 300)) $((sy + 170)) click 1
sleep 0.3
shot 9-before-kill
card 9-before-kill
kill -9 "$pid"; wait "$pid" 2>/dev/null || true
rm -f "$map"
ORLANTO_UI_MAP="$map" "$orlanto" --home "$home" &
pid=$!
visible '^Recover$' >/dev/null
sleep 0.3
shot 10-recover-question
xdotool key Return
for _ in $(seq 1 150); do [ -s "$map" ] && break; sleep 0.1; done
sleep 0.5
if box=$(xdotool search --onlyvisible --name '^Information$' 2>/dev/null | head -1) && [ -n "$box" ]; then
  xdotool key Return || true
fi
sleep 0.5
shot 11-recovered
card 11-recovered
[ "$(title)" = "Orlanto - BC0001.ORL *" ] || { echo "FAIL: caption of the recovered card: $(title)"; exit 1; }
[ "$(differing 9-before-kill 11-recovered)" = 0 ] || { echo "FAIL: the recovered card differs"; exit 1; }
echo "PASS: changes killed with the session were recovered at the next start"

# A damaged clipboard file pasted with Ctrl+V ends as a message, not as the end of the program.
xdotool mousemove $((sx + 90)) $((sy + 80)) click 1
sleep 0.3
xdotool key ctrl+c
for _ in $(seq 1 30); do [ -s "$home/Clipbrd.tmp" ] && break; sleep 0.1; done
[ -s "$home/Clipbrd.tmp" ] || { echo "FAIL: Ctrl+C wrote no clipboard file"; exit 1; }
head -c 20 "$home/Clipbrd.tmp" > "$home/cut.tmp" && mv "$home/cut.tmp" "$home/Clipbrd.tmp"
xdotool key ctrl+v
box=""
for _ in $(seq 1 50); do
  box=$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null | head -1) && [ -n "$box" ] && break
  sleep 0.1
done
shot 12-damaged-paste
kill -0 "$pid" 2>/dev/null || { echo "FAIL: the program ended on a damaged clipboard file"; exit 1; }
[ -n "$box" ] || { echo "FAIL: no message for a damaged clipboard file"; exit 1; }
xdotool key Return
sleep 0.3
kill -0 "$pid" 2>/dev/null || { echo "FAIL: the program ended after the message"; exit 1; }
echo "PASS: a damaged clipboard file pasted with Ctrl+V was reported"
kill "$pid"; wait "$pid" 2>/dev/null || true

# A card copied from an old disk, its name holding the Latin-1 byte 0xE9: given on the command
# line it opens, shows as "café.ORL", saves back under the same bytes and comes back from the
# recent-files list at the next start.
rm -f "$home/Recover.ORL" "$home/Recover.ORX"
latin1="$home/Saved/caf"$'\xe9'".ORL"
cp "$home/Saved/BC0001.ORL" "$latin1"
rm -f "$map"
ORLANTO_UI_MAP="$map" "$orlanto" --home "$home" "$latin1" &
pid=$!
for _ in $(seq 1 150); do [ -s "$map" ] && break; sleep 0.1; done
sleep 0.5
if box=$(xdotool search --onlyvisible --name '^Information$' 2>/dev/null | head -1) && [ -n "$box" ]; then
  xdotool key Return || true
fi
for _ in $(seq 1 30); do [ "$(title)" = "Orlanto - café.ORL" ] && break; sleep 0.1; done
shot 13-latin1-opened
[ "$(title)" = "Orlanto - café.ORL" ] || { echo "FAIL: caption of the Latin-1 card: $(title)"; exit 1; }
grep -q '^F0=file://.*/Saved/caf%E9\.ORL' "$home/ORL.INI" || { echo "FAIL: recent-files entry: $(grep F0= "$home/ORL.INI")"; exit 1; }
read -r sx sy < <(origin SurfaceView)
xdotool mousemove $((sx + 60)) $((sy + 70)) mousedown 1
sleep 0.2
xdotool mousemove $((sx + 80)) $((sy + 80))
sleep 0.2
xdotool mousemove $((sx + 100)) $((sy + 90)) mouseup 1
sleep 0.5
[ "$(title)" = "Orlanto - café.ORL *" ] || { echo "FAIL: caption after the move: $(title)"; exit 1; }
xdotool key ctrl+s
for _ in $(seq 1 50); do cmp -s "$latin1" "$home/Saved/BC0001.ORL" || break; sleep 0.1; done
shot 14-latin1-saved
cmp -s "$latin1" "$home/Saved/BC0001.ORL" && { echo "FAIL: the move was not saved under the same name"; exit 1; }
[ "$(ls "$home/Saved" | wc -l)" = 2 ] || { echo "FAIL: files in Saved: $(ls "$home/Saved")"; exit 1; }
[ "$(title)" = "Orlanto - café.ORL" ] || { echo "FAIL: caption after saving: $(title)"; exit 1; }
kill "$pid"; wait "$pid" 2>/dev/null || true
start
shot 15-latin1-recent
[ "$(title)" = "Orlanto - café.ORL" ] || { echo "FAIL: the recent Latin-1 card did not reopen: $(title)"; exit 1; }
echo "PASS: a card named in Latin-1 opened from the command line, saved and reopened from the recent list"
kill "$pid"; wait "$pid" 2>/dev/null || true

# --- On a desktop without any printer, in a fresh home: no message box at start, the status
# bar says it; the status bar's figures after a drag; Ctrl+wheel, Zoom to fit and Ctrl+0;
# Preview shows the card; Print offers the PDF export, whose status names the file; a second
# start with a card file hands it to the running window.
outer="$home"
home="$outer/desktop"
map="$home/ui.json"
mkdir -p "$home"
trap 'kill $pid 2>/dev/null || true; rm -rf "$outer"' EXIT
export CUPS_SERVER="$home/no-print-system"
# text NAME: the text of a named label (or the status bar's message) in the widget map.
text() {
  python3 -c 'import json,sys; print(json.load(open(sys.argv[1])).get(sys.argv[2], {}).get("text", ""))' "$map" "$1"
}
# wait_text NAME PATTERN: waits for a named text matching PATTERN (grep -E) and prints it.
wait_text() {
  local t=""
  for _ in $(seq 1 60); do
    t=$(text "$1" 2>/dev/null || true)
    grep -qE "$2" <<<"$t" && { echo "$t"; return 0; }
    sleep 0.1
  done
  echo "FAIL: $1 shows '$t', not /$2/" >&2
  return 1
}
start
shot 13-no-printer
if xdotool search --onlyvisible --name '^Information$' >/dev/null 2>&1; then
  echo "FAIL: a message box at start without a printer"; exit 1
fi
wait_text PrinterNotice '^There are no installed printers' >/dev/null || exit 1

# A rectangle 100 x 60 pixels at (40, 50), dragged: the move counts from where the drag
# started, 20 right and 10 down. The status bar gives its place and size in inches (the card
# is 3.5 inches wide, which gives the pixels per inch).
read -r bx by < <(centre DrawRectanglebutton)
xdotool mousemove "$bx" "$by" click 1
read -r sx sy < <(origin SurfaceView)
xdotool mousemove $((sx + 40)) $((sy + 50)) mousedown 1
sleep 0.2
xdotool mousemove $((sx + 100)) $((sy + 80))
sleep 0.2
xdotool mousemove $((sx + 140)) $((sy + 110)) mouseup 1
sleep 0.5
# The tool leaves the rectangle selected; the drag below starts on an unselected one.
xdotool mousemove $((sx + 300)) $((sy + 170)) click 1
sleep 0.3
xdotool mousemove $((sx + 60)) $((sy + 70)) mousedown 1
sleep 0.2
xdotool mousemove $((sx + 80)) $((sy + 80))
sleep 0.2
xdotool mousemove $((sx + 100)) $((sy + 90)) mouseup 1
sleep 0.5
shot 14-status-after-drag
# The figures within a hundredth of an inch of the pixels (rounding of halves differs).
status=$(wait_text SelectionStatus '^Left .* in$') || exit 1
python3 - "$map" "$status" <<'PY' || { echo "FAIL: the selection's figures: $status"; exit 1; }
import json, re, sys
p = json.load(open(sys.argv[1]))["SurfaceView"]["w"] / 3.5
got = [float(v) for v in re.findall(r"[0-9.]+", sys.argv[2])]
want = [60 / p, 60 / p, 100 / p, 60 / p]
assert len(got) == 4 and all(abs(g - w) <= 0.0051 for g, w in zip(got, want)), (got, want)
PY
wait_text PointerStatus ' in$' >/dev/null || exit 1
echo "PASS: the status bar shows the selection after a drag: $status"

# Ctrl+wheel over the card zooms in a step; Zoom to fit shows the whole card as large as
# the window allows; Ctrl+0 goes back to 100 %.
xdotool mousemove $((sx + 250)) $((sy + 170)) click 1
sleep 0.3
xdotool keydown ctrl click 4 keyup ctrl
wait_text ZoomCaption '^110%$' >/dev/null || exit 1
shot 15-ctrl-wheel
read -r fx fy < <(centre ZoomFitButton)
xdotool mousemove "$fx" "$fy" click 1
fitted=$(wait_text ZoomCaption '^(1[2-9]|[2-4][0-9])0%$') || exit 1
shot 16-zoom-to-fit
python3 - "$map" <<'PY' || { echo "FAIL: the fitted card does not show whole"; exit 1; }
import json, sys
m = json.load(open(sys.argv[1]))
v, s = m["SurfaceView"], m["ScrollBox"]
assert v["x"] >= s["x"] and v["y"] >= s["y"], (v, s)
assert v["x"] + v["w"] <= s["x"] + s["w"] and v["y"] + v["h"] <= s["y"] + s["h"], (v, s)
# The next step would not fit: the card fills the box in one direction.
assert v["w"] * 1.1 > s["w"] - 4 or v["h"] * 1.1 > s["h"] - 4, (v, s)
PY
read -r sx sy < <(origin SurfaceView)
xdotool mousemove $((sx + 5)) $((sy + 5)) click 1
sleep 0.3
xdotool key ctrl+0
wait_text ZoomCaption '^100%$' >/dev/null || exit 1
echo "PASS: Ctrl+wheel zoomed to 110 %, Zoom to fit to $fitted, Ctrl+0 back to 100 %"

# Preview without a printer: the status runs, OK shows the preview with the card on it.
read -r px py < <(centre PreviewButton)
xdotool mousemove "$px" "$py" click 1
wait_text RStatusLabel 'preview ready' >/dev/null || exit 1
xdotool key Return
preview=$(visible '^Preview Page 1 of 1$')
sleep 0.5
shot 17-preview
import -window "$preview" "$art/17-preview-window.png"
dark=$(convert "$art/17-preview-window.png" -fill white +opaque black -fill black -opaque black \
  -format "%[fx:int(w*h*(1-mean))]" info:)
[ "$dark" -gt 100 ] || { echo "FAIL: the preview shows no card ($dark black pixels)"; exit 1; }
xdotool key Escape
sleep 0.5
if xdotool search --onlyvisible --name '^Preview Page' >/dev/null 2>&1; then
  echo "FAIL: the preview did not close"; exit 1
fi
echo "PASS: Preview without a printer shows the card ($dark black pixels)"

# Print without a printer: the question offers the PDF export; Yes, the positions and three
# sheets (the card is drawn once and placed on every sheet), the proposed name; the status
# names the file and offers to open it.
read -r px py < <(centre PrintButton)
xdotool mousemove "$px" "$py" click 1
visible '^Print$' >/dev/null
sleep 0.3
shot 18-print-offers-pdf
xdotool key Return
visible '^Print Cards$' >/dev/null
sleep 0.3
xdotool key alt+p ctrl+a
xdotool type 3
xdotool key Return
visible '^Export as PDF$' >/dev/null
sleep 0.5
xdotool key Return
pdf="$home/Saved/cards.pdf"
status=$(wait_text RStatusLabel 'saved as') || exit 1
shot 19-pdf-status
grep -qF "$pdf" <<<"$status" || { echo "FAIL: the status does not name $pdf: $status"; exit 1; }
grep -q '"OpenButton"' "$map" || { echo "FAIL: the status offers no Open"; exit 1; }
pdfinfo "$pdf" | grep -Eq '^Pages: +3$' || { echo "FAIL: no PDF of three sheets written"; exit 1; }
grep -aq 'OrlCard Do' "$pdf" || { echo "FAIL: the sheets do not place the card drawn once"; exit 1; }
xdotool key Return
echo "PASS: Print without a printer offered the PDF export of three sheets; its status named $pdf"

# A second start with a card file: it ends at once, and the first window asks about the
# unsaved rectangle (No) and opens the card.
card="$(cd "$(dirname "$0")/.." && pwd)/examples/ShapesAndLines.ORL"
sleep 0.5
timeout 10 "$orlanto" --home "$home" "$card" || { echo "FAIL: the second start did not end"; exit 1; }
visible '^Save$' >/dev/null
sleep 0.3
shot 20-second-start-question
xdotool key n  # No: the changes go
for _ in $(seq 1 50); do [ "$(title)" = "Orlanto - ShapesAndLines.ORL" ] && break; sleep 0.1; done
shot 21-second-start-opened
[ "$(title)" = "Orlanto - ShapesAndLines.ORL" ] || { echo "FAIL: caption after the second start: $(title)"; exit 1; }
kill -0 "$pid" || { echo "FAIL: the first window ended"; exit 1; }
[ "$(xdotool search --onlyvisible --name '^Orlanto' | wc -l)" = 1 ] || { echo "FAIL: a second window"; exit 1; }
echo "PASS: a second start handed its card to the running window"
# Commands never hand over, with a display or without one.
env -u DISPLAY "$orlanto" dump "$card" | grep -q '"TGLineShape"' \
  || { echo "FAIL: dump beside a running window"; exit 1; }
kill "$pid"; wait "$pid" 2>/dev/null || true
