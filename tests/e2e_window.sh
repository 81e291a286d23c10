#!/usr/bin/env bash
# The real orlanto window under Xvfb, driven by real X input events (xdotool): start with an
# empty home, draw a rectangle with the rectangle tool, see the Save As button and the
# caption, save with Ctrl+S into a scripted name, restart and see the card reopened from
# the recent-files list; move the rectangle, ask the window to close through the window
# manager's close request, answer Cancel and take the move back with Ctrl+Z; kill a session
# with unsaved changes and recover them at the next start.
# A damaged clipboard file pasted with Ctrl+V ends as a message. Screenshots of each step are
# kept in <build>/e2e-artifacts/.
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
# pixel X Y: the colour at a screen position, as "r,g,b".
pixel() {
  convert "$art/$3.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
}
window() { xdotool search --sync --onlyvisible --name '^Orlanto' | head -1; }
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
xdotool search --sync --onlyvisible --name 'Save Business Card' >/dev/null
sleep 0.5
shot 3-save-dialog
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
xdotool search --sync --onlyvisible --name '^Save$' >/dev/null
sleep 0.3
shot 7-save-question
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
echo "PASS: window started, rectangle drawn, saved, reopened, close cancelled, move undone"
kill "$pid"; wait "$pid" 2>/dev/null || true

# A session with unsaved changes is killed once its recovery copy is written: the next start
# offers the changes and brings them back as an unsaved card.
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
shot 9-before-kill
card 9-before-kill
kill -9 "$pid"; wait "$pid" 2>/dev/null || true
rm -f "$map"
ORLANTO_UI_MAP="$map" "$orlanto" --home "$home" &
pid=$!
xdotool search --sync --onlyvisible --name '^Recover$' >/dev/null
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
[ "$(title)" = "Orlanto - Untitled *" ] || { echo "FAIL: caption of the recovered card: $(title)"; exit 1; }
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
