#!/usr/bin/env bash
# The field fitted to a maximised window: on a 1280 x 1024 screen it is shown at 200 %, drawn
# from the field picture's 2x companion, with the palette beside it; a player dropped and then
# dragged there is stored in field pixels, as at 100 %.
source "$E2E_LIB"

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"
wmctrl -i -r "$main" -b add,maximized_vert,maximized_horz
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$main")" # X, Y: the window's inside on the screen
big=$(shot maximised)

# Find the surface: a patch of the 2x field picture, shown pixel for pixel.
read -r CX CY <<<"$(find_picture "$big" "$PROG/Surface0@2x.png" 376 80 480 260)"
[ -n "$CX" ] || fail "the field is not shown at 200 % from its 2x picture"
echo "surface at $CX,$CY"
# Far down and right the screen still shows the 2x picture: the whole field is twice as large.
convert "$PROG/Surface0@2x.png" -crop 32x32+740+690 +repage "$E2E_WORK/out/far.png"
convert "$big" -crop 32x32+$((CX + 740))+$((CY + 690)) +repage "$E2E_WORK/out/far-shown.png"
[ "$(compare -metric AE "$E2E_WORK/out/far.png" "$E2E_WORK/out/far-shown.png" null: 2>&1)" = "0" ] ||
    fail "the field's lower right part is not drawn at 200 %"

# field X Y: the screen point of a field pixel at 200 %.
field() { echo $((CX + 2 * $1)) $((CY + 2 * $2)); }

# Offensive player 3's label box on the palette page, which starts beside the 800-pixel field.
drag $((CX + 801 + 27)) $((CY + 24 + 60 + 21 * 3 + 10)) $(field 150 100)
placed=$(shot player-placed)
[ "$(pixel "$placed" $((CX + 301)) $((CY + 179)))" = "255 255 255" ] ||
    fail "no player drawn at 200 % around field (150, 100)"
# Lift it 5 field pixels right of its centre and put it down at (250, 180).
# shellcheck disable=SC2046
drag $(field 155 100) $(field 250 180)

play="$E2E_WORK/out/zoomed.KTR"
save_as "$main" "$play"
python3 - "$play" <<'PY' || fail "the saved frame does not hold field pixels"
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\r\n')
items = lines[9].split(b',')
assert (float(items[6]), float(items[7])) == (250, 180), ('offensive player 3', items[6:8])
PY

close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end after closing its window"
grep -q '^Zoom=200' "$XDG_CONFIG_HOME/DAZI/DAZI.ini" || fail "the zoom was not stored"
echo "PASS zoom"
