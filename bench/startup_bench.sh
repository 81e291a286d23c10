#!/usr/bin/env bash
# Cold start of the designer with a 200-object card as the most recent file: wall time
# from launch to the first activated window with the card open (the moment the window
# writes its widget map), and peak memory, over RUNS runs under Xvfb.
# Usage: bench/startup_bench.sh path/to/orlanto [runs]
set -euo pipefail
orlanto="$(realpath "$1")"
runs="${2:-10}"
if [ -z "${BENCH_IN_XVFB:-}" ]; then
  export BENCH_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Saved"
card="$home/Saved/Big.ORL"
# 200 rectangles written in the card file format.
python3 - "$card" <<'PY'
import struct, sys
def s(t): b = t.encode(); return bytes([len(b)]) + b
def i(v):
    if -128 <= v <= 127: return b'\x02' + struct.pack('<b', v)
    if -32768 <= v <= 32767: return b'\x03' + struct.pack('<h', v)
    return b'\x04' + struct.pack('<i', v)
out = bytearray(b'\x01')
for n in range(200):
    out += b'TPF0' + s('TBCShapes') + s('Special%d' % (n + 1))
    for name, v in (('Left', (n * 37) % 280), ('Top', (n * 53) % 160), ('Width', 30), ('Height', 20)):
        out += s(name) + i(v)
    out += s('Locked') + b'\x08' + s('Unselectable') + b'\x08' + s('Transparent') + b'\x08'
    out += b'\x00\x00'
out += b'\x00'
open(sys.argv[1], 'wb').write(out)
PY
printf '[MRU]\nF0=%s\n' "$card" > "$home/ORL.INI"
times=()
peak=0
for _ in $(seq 1 "$runs"); do
  rm -f "$home/ui.json"
  start=$(date +%s%N)
  ORLANTO_UI_MAP="$home/ui.json" "$orlanto" --home "$home" >/dev/null 2>&1 &
  pid=$!
  until [ -s "$home/ui.json" ]; do sleep 0.005; done
  end=$(date +%s%N)
  hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  times+=($(( (end - start) / 1000000 )))
  [ "$hwm" -gt "$peak" ] && peak=$hwm
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "cold start, 200-object card: median $((sorted[${#sorted[@]} / 2])) ms (runs: ${times[*]} ms), peak memory $((peak / 1024)) MB"
