#!/usr/bin/env bash
# File > Save as Bmp through the real save dialog: the typed name gets ".bmp" and the picture is
# the surface exactly as the window shows it (found pixel for pixel in a screenshot of the
# window).
source "$E2E_LIB"

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"

xdotool key alt+f
sleep 0.5
xdotool key b
dialog=$(wait_window "Save to File" 10 "$KINETRA_PID") || fail "Save as Bmp showed no dialog"
activate "$dialog"
xdotool key ctrl+a
xdotool type --delay 30 "$E2E_WORK/out/field"
sleep 0.3
xdotool key Return
bmp="$E2E_WORK/out/field.bmp"
for _ in $(seq 50); do [ -s "$bmp" ] && break; sleep 0.2; done
[ -s "$bmp" ] || fail "no bitmap was written at $bmp"
[ "$(head -c 2 "$bmp")" = BM ] || fail "the file is not a bitmap"

sleep 0.5
activate "$main"
import -window "$main" "$E2E_WORK/out/window.png"
convert "$bmp" -depth 8 "ppm:$E2E_WORK/out/field.ppm"
convert "$E2E_WORK/out/window.png" -alpha off -depth 8 "ppm:$E2E_WORK/out/window.ppm"
python3 - "$E2E_WORK/out/field.ppm" "$E2E_WORK/out/window.ppm" <<'PY' ||
import sys

def read_ppm(path):
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b'P6' and fields[3] == b'255', fields
    w, h = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:]
    return w, h, [pixels[y * w * 3:(y + 1) * w * 3] for y in range(h)]

bw, bh, bmp = read_ppm(sys.argv[1])
sw, sh, shot = read_ppm(sys.argv[2])
assert (bw, bh) == (400, 373), (bw, bh)
for y in range(0, min(sh - bh, 300) + 1):
    x = shot[y].find(bmp[0])
    while x >= 0:
        if x % 3 == 0 and all(shot[y + r][x:x + bw * 3] == bmp[r] for r in range(bh)):
            print(f"surface found at {x // 3},{y}")
            sys.exit(0)
        x = shot[y].find(bmp[0], x + 1)
sys.exit("the bitmap is not what the window shows")
PY
    fail "the saved bitmap differs from the surface on screen"

close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "the program did not end"
