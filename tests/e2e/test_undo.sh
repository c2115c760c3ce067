#!/usr/bin/env bash
# Undo and redo as a coach uses them: drag offensive player 3's label box onto the field,
# press Ctrl+Z and save: the player is gone from the surface and from the file. Press Ctrl+Y and
# save again: the player is back in both.
source "$E2E_LIB"

PAGE_DX=401 PAGE_DY=24
label_box_offence() { echo $((4 + 23)) $((60 + 21 * $1 + 10)); } # TxtOplyr(k) centre

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"
eval "$(xdotool getwindowgeometry --shell "$main")" # X, Y: the window's inside on the screen
before=$(shot before)

# Find the surface on the screen: a patch of the field picture inside the window's top part.
read -r CX CY <<<"$(find_picture "$before" "$PROG/Surface0.BMP" 188 40 460 260)"
[ -n "$CX" ] || fail "field picture not found on the screen"
PX=$((CX + PAGE_DX)) PY=$((CY + PAGE_DY))

at() { pixel "$1" $((CX + $2)) $((CY + $3)); }
# player_in FILE: prints offensive player 3's "x y" in the first frame of a saved play.
player_in() {
    python3 - "$1" <<'PY'
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\r\n')
items = lines[9].split(b',')
assert len(items) == 95, len(items)
print(float(items[6]), float(items[7]))
PY
}
# save_again FILE: Ctrl+S, then waits until the file's contents change.
save_again() {
    local old
    old=$(md5sum <"$1")
    activate "$main"
    xdotool key ctrl+s
    for _ in $(seq 50); do [ "$(md5sum <"$1")" != "$old" ] && return 0; sleep 0.2; done
    fail "Ctrl+S did not rewrite $1"
}

# 1. Offensive player 3 dragged from its label box onto the field at (200, 150).
read -r lx ly < <(label_box_offence 3)
xdotool mousemove $((PX + lx)) $((PY + ly))
sleep 0.2
xdotool mousedown 1
for i in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((PX + lx + (CX + 200 - PX - lx) * i / 8)) $((PY + ly + (CY + 150 - PY - ly) * i / 8))
    sleep 0.1
done
sleep 0.3
xdotool mouseup 1
sleep 0.5
placed=$(shot placed)
[ "$(at "$placed" 200 139)" = "255 255 255" ] || fail "no player on the field after the drop"

# 2. Ctrl+Z takes the drop back; the saved play has no player 3.
xdotool key ctrl+z
sleep 0.5
undone=$(shot undone)
[ "$(at "$undone" 200 139)" = "$(at "$before" 200 139)" ] || fail "the player is still shown after Ctrl+Z"
play="$E2E_WORK/out/undo.KTR"
save_as "$main" "$play"
[ "$(player_in "$play")" = "0.0 0.0" ] || fail "undone player saved: $(player_in "$play")"

# 3. Ctrl+Y brings it back; saved again, the play has it where it was dropped.
activate "$main"
xdotool key ctrl+y
sleep 0.5
redone=$(shot redone)
[ "$(at "$redone" 200 139)" = "255 255 255" ] || fail "no player on the field after Ctrl+Y"
save_again "$play"
[ "$(player_in "$play")" = "200.0 150.0" ] || fail "redone player not saved: $(player_in "$play")"

# Saved: closing asks nothing and ends the program.
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end after closing its window"
echo "PASS undo"
