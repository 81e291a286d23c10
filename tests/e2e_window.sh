#!/usr/bin/env bash
# The real orlanto window under Xvfb, driven by real X input events (xdotool): start with an
# empty home, draw a rectangle with the rectangle tool, see the Save As button and the
# caption, save with Ctrl+S into a scripted name, restart and see the card reopened from
# the recent-files list, and a damaged clipboard file pasted with Ctrl+V shown as a message.
# Screenshots of each step are kept in <build>/e2e-artifacts/.
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
title() { xdotool getwindowname "$(xdotool search --sync --onlyvisible --name '^Orlanto' | head -1)"; }

start
shot 1-started
[ "$(title)" = "Orlanto" ] || { echo "FAIL: caption $(title)"; exit 1; }

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
shot 6-damaged-paste
kill -0 "$pid" 2>/dev/null || { echo "FAIL: the program ended on a damaged clipboard file"; exit 1; }
[ -n "$box" ] || { echo "FAIL: no message for a damaged clipboard file"; exit 1; }
xdotool key Return
sleep 0.3
kill -0 "$pid" 2>/dev/null || { echo "FAIL: the program ended after the message"; exit 1; }
echo "PASS: window started, rectangle drawn, saved, reopened after a restart, damaged paste reported"
kill "$pid"; wait "$pid" 2>/dev/null || true
