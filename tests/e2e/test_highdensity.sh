#!/usr/bin/env bash
# On a screen of device pixel ratio 2 the field at 100 % is drawn at the screen's resolution:
# what the window shows of a play is, pixel for pixel, the picture `--export --scale 2` draws
# of it (the 2x field picture and every item drawn at twice the size), not an enlargement.
source "$E2E_LIB"

play="$PROG/Plays/SqueezePlay.ktr"
"$KINETRA" --export "$E2E_WORK/out/expected.png" --scale 2 "$play" ||
    fail "the export at --scale 2 failed"
identify -format '%w x %h' "$E2E_WORK/out/expected.png" | grep -qx '800 x 746' ||
    fail "the export is not twice the field's size"

ini="$XDG_CONFIG_HOME/DAZI/DAZI.ini"
mkdir -p "$(dirname "$ini")"
printf '[Options]\nShow%%20Tips%%20at%%20Startup=0\n[View]\nZoom=100\nFitToWindow=0\n' >"$ini"
QT_SCALE_FACTOR=2 start_kinetra "$play"
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")" # X, Y: the window's inside on the screen
screen=$(shot dense)

# Find the field: a patch of the 2x field picture near its top, where the play draws nothing.
read -r CX CY <<<"$(find_picture "$screen" "$PROG/Surface0@2x.png" 376 40 460 220)"
[ -n "$CX" ] || fail "the field is not shown from its 2x picture"
echo "field at $CX,$CY"

# The screen is 640 x 512 at this ratio: the window keeps within it and the field scrolls, so
# the part in sight (its top left, 320 x 280 field pixels) is compared.
convert "$screen" -crop 640x560+"$CX"+"$CY" +repage "$E2E_WORK/out/shown.png"
convert "$E2E_WORK/out/expected.png" -crop 640x560+0+0 +repage "$E2E_WORK/out/expected-part.png"
differing=$(compare -metric AE "$E2E_WORK/out/shown.png" "$E2E_WORK/out/expected-part.png" \
    "$E2E_WORK/out/difference.png" 2>&1 || true)
[ "$differing" = "0" ] ||
    fail "the window at ratio 2 differs from the export at --scale 2 in $differing pixels"

close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end after closing its window"
echo "PASS high density"
