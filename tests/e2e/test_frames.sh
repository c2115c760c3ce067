#!/usr/bin/env bash
# Frame commands as a coach uses them: open a play of two key frames, let Edit > Insert
# Progressive fill three frames between them through the real input box and save them through
# the real dialog; then shift the first frame with an arrow of the Move dialog, close the
# dialog with its close box and check that the moved frame is saved when the program ends.
source "$E2E_LIB"

plays="$E2E_WORK/plays"
mkdir -p "$plays"
keys="$plays/keys.KTR"
filled="$plays/filled.KTR"

# Two frames: offensive player 0 walks from (100, 110) to (140, 130), symbol 0 from (200, 50)
# to (200, 90); text label 0 and action line 0 stand in the first frame only.
python3 - "$keys" <<'PY'
import sys
def frame(player, symbol, text, action):
    v = ['0'] * 95
    v[0], v[1] = map(str, player)
    v[40] = '20'
    v[41], v[42] = map(str, symbol)
    v[57], v[58], v[59] = str(text[0]), str(text[1]), '"%s"' % text[2]
    v[60], v[61], v[62] = '0', '0', '""'
    v[63:67] = map(str, action)
    return ','.join(v)
lines = ['2,"DAZI","1.4","Keys","12-07-2026","10:00:00","",0']
lines += ['"Act%d",1,1,0,0' % k for k in range(8)]
lines.append(frame((100, 110), (200, 50), (300, 20, 'Go'), (50, 60, 90, 100)))
lines.append(frame((140, 130), (200, 90), (0, 0, ''), (0, 0, 0, 0)))
lines += ['"P%d","D%d"' % (i, i) for i in range(10)]
open(sys.argv[1], 'wb').write(('\r\n'.join(lines) + '\r\n').encode())
PY

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"

# File > Open through the dialog.
xdotool key alt+f
sleep 0.5
xdotool key o
dialog=$(wait_window "Open" 10 "$KINETRA_PID") || fail "File > Open showed no dialog"
activate "$dialog"
xdotool key ctrl+a
xdotool type --delay 30 "$keys"
xdotool key Return
sleep 1.5

# Edit > Insert Progressive, answering 3 in the input box.
activate "$main"
xdotool key alt+e
sleep 0.5
xdotool key p
box=$(wait_window "Kinetra" 10 "$KINETRA_PID") || fail "Insert Progressive asked nothing"
activate "$box"
shot progressive-box >/dev/null
xdotool key ctrl+a
xdotool type --delay 40 "3"
xdotool key Return
sleep 1

save_as "$main" "$filled" save-filled

# check_frames FILE CODE: runs the Python CODE with the play's lines, its frame count and its
# frame lines split into their 95 values (frames[0] is frame 1).
check_frames() {
    python3 - "$@" <<'PY'
import sys
path, expect = sys.argv[1], sys.argv[2]
lines = open(path, 'rb').read().decode('cp1252').split('\r\n')[:-1]
count = int(lines[0].split(',')[0])
frames = [l.split(',') for l in lines[9:9 + count]]
exec(expect)
PY
}

check_frames "$filled" '
assert count == 5 and len(lines) == 24, (count, len(lines))
for k, f in enumerate(frames):
    assert len(f) == 95, (k, len(f))
player = [(float(f[0]), float(f[1])) for f in frames]
symbol = [(float(f[41]), float(f[42])) for f in frames]
assert player == [(100, 110), (110, 115), (120, 120), (130, 125), (140, 130)], player
assert symbol == [(200, 50), (200, 60), (200, 70), (200, 80), (200, 90)], symbol
for f in frames[1:4]:
    assert f[57:60] == ["300", "20", "\"Go\""], f[57:60]
    assert f[63:67] == ["50", "60", "90", "100"], f[63:67]
    assert f[40] == "20"
' || fail "the inserted frames are not the steps from the first key frame to the second"

# Edit > Move on frame 1: click the right arrow, then close the dialog with its close box.
activate "$main"
xdotool key alt+e
sleep 0.5
xdotool key m
move=$(wait_window "Move " 10 "$KINETRA_PID") || fail "Edit > Move showed no dialog"
activate "$move"
sleep 0.5
picture="$E2E_WORK/out/move-dialog.png"
import -window "$move" "$picture"
# The arrows are drawn in one blue; the rightmost blue patch is the right arrow.
arrow=$(convert "$picture" -alpha off txt:- | python3 -c '
import re, sys
pts = [tuple(map(int, m.groups())) for m in
       (re.match(r"(\d+),(\d+):.*#326EC8", l) for l in sys.stdin) if m]
assert pts, "no arrow pixels"
right = max(x for x, _ in pts)
near = [(x, y) for x, y in pts if x >= right - 20]
print(sum(x for x, _ in near) // len(near), sum(y for _, y in near) // len(near))
') || fail "no arrow found in the Move dialog"
read -r ax ay <<<"$arrow"
eval "$(xdotool getwindowgeometry --shell "$move")"
xdotool mousemove $((X + ax)) $((Y + ay)) click 1
sleep 0.5
shot moved >/dev/null
wmctrl -i -c "$move"
for _ in $(seq 25); do xdotool getwindowname "$move" >/dev/null 2>&1 || break; sleep 0.2; done

# File > Exit must ask about the moved frame; Yes saves it.
activate "$main"
xdotool key alt+f
sleep 0.5
xdotool key x
prompt=$(wait_window "Kinetra" 10 "$KINETRA_PID") || fail "Exit did not ask about the moved frame"
activate "$prompt"
xdotool key y
wait_exit "$KINETRA_PID" 20 || fail "the program did not end after saving"

check_frames "$filled" '
assert count == 5, count
f = frames[0]
assert (float(f[0]), float(f[1])) == (110, 110), f[0:2]
assert (float(f[41]), float(f[42])) == (210, 50), f[41:43]
assert (float(f[57]), float(f[58])) == (310, 20), f[57:59]
assert [float(v) for v in f[63:67]] == [60, 60, 100, 100], f[63:67]
assert (float(frames[1][0]), float(frames[1][1])) == (110, 115), frames[1][0:2]
' || fail "the saved play lacks the frame moved right by 10"
echo "PASS frames"
