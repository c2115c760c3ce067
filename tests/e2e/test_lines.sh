#!/usr/bin/env bash
# Several lines of one kind and a bent line, drawn with the mouse in the real program: two
# "Run" lines, then the second one selected with a click and bent by dragging its middle.
# The play is saved, read again by the command-line export, and the picture checked: both
# lines are there, the bent one through its bend point and not along its chord.
source "$E2E_LIB"

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"
eval "$(xdotool getwindowgeometry --shell "$main")" # X, Y: the window's inside on the screen
before=$(shot before)
read -r CX CY <<<"$(find_picture "$before" "$PROG/Surface0.BMP" 188 40 460 260)"
[ -n "$CX" ] || fail "field picture not found on the screen"
field() { echo $((CX + $1)) $((CY + $2)); }

# The Action page (third tab) with its first kind, "Run", selected as at every first start.
xdotool mousemove $((CX + 401 + 10)) $((CY + 10)) click 1
sleep 0.3
xdotool key Right
sleep 0.2
xdotool key Right
sleep 0.5

# Two Run lines, far from the bases so that neither rounds them.
# shellcheck disable=SC2046
drag $(field 40 40) $(field 160 40)
# shellcheck disable=SC2046
drag $(field 40 120) $(field 160 120)
# A click on the second selects it; a drag from its middle bends it through (100, 80).
# shellcheck disable=SC2046
xdotool mousemove $(field 100 121) click 1
sleep 0.5
# shellcheck disable=SC2046
drag $(field 100 121) $(field 100 80)
drawn=$(shot lines-drawn)
# The selected line's handles show on the screen at its start and its end.
for point in "37 117" "157 117"; do
    # shellcheck disable=SC2046
    [ "$(pixel "$drawn" $(field $point))" = "0 0 0" ] || fail "no handle outline at $point"
done

play="$E2E_WORK/out/lines.KTR"
save_as "$main" "$play"
python3 - "$play" <<'PY' || fail "the frame line does not hold the first Run line"
import sys
items = open(sys.argv[1], 'rb').read().split(b'\r\n')[9].split(b',')
assert [float(items[i]) for i in range(63, 67)] == [40, 40, 160, 40], items[63:67]
PY
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end after closing its window"

# Read again and exported with no display: the picture shows both lines, and no handles.
out="$E2E_WORK/out/lines.png"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$KINETRA" --export "$out" "$play" ||
    fail "export of the saved play failed"
red="220 0 0"
for point in "100 40" "70 40" "100 80"; do
    # shellcheck disable=SC2086
    [ "$(pixel "$out" $point)" = "$red" ] || fail "no Run line at $point: $(pixel "$out" $point)"
done
# shellcheck disable=SC2086
[ "$(pixel "$out" 100 120)" != "$red" ] || fail "the bent line runs along its chord"
[ "$(pixel "$out" 37 117)" != "0 0 0" ] || fail "a handle was exported"
echo "PASS lines"
