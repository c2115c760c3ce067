#!/usr/bin/env bash
# Editing a play as a coach does: drag offensive player 3's label box onto the field, drop a
# symbol and the active-player marker, then draw action line 0 with the mouse. Every step is
# checked in screenshots of the surface.
source "$E2E_LIB"

# Where the palette's controls stand on their page (the palette lays them out at fixed places);
# the pages start 401 pixels right of the surface's left edge and 24 below its top.
PAGE_DX=401 PAGE_DY=24
label_box_offence() { echo $((4 + 23)) $((60 + 21 * $1 + 10)); }   # TxtOplyr(k) centre
symbol_box() { echo $((8 + 38 * ($1 % 4) + 13)) $((8 + 36 * ($1 / 4) + 13)); }
ACTIVE_MARKER="107 291"                                                 # ImgActive centre
action_option() { echo 13 $((8 + 36 * $1 + 12)); }                     # OptActionSel(k)

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
echo "surface at $CX,$CY; palette page at $PX,$PY"

# field X Y, page X Y: screen points of a surface pixel and of a point on the palette page.
field() { echo $((CX + $1)) $((CY + $2)); }
page() { echo $((PX + $1)) $((PY + $2)); }
# at IMAGE X Y: "R G B" of surface pixel (X, Y) in a screenshot.
at() { pixel "$1" $((CX + $2)) $((CY + $3)); }
# show_page N: clicks the first tab, then steps right with the arrow key to page N.
show_page() {
    local i
    xdotool mousemove $((CX + 401 + 10)) $((CY + 10)) click 1
    sleep 0.3
    for ((i = 0; i < $1; i++)); do xdotool key Right; sleep 0.2; done
    sleep 0.3
}

# The label box of offensive player 3 is where the layout puts it: white, on the palette.
read -r lx ly < <(label_box_offence 3)
[ "$(pixel "$before" $((PX + lx + 15)) $((PY + ly)))" = "255 255 255" ] ||
    fail "no label box at $((PX + lx)),$((PY + ly))"

# 1. Offensive player 3 onto the field at (200, 150): a white circle (the offence's fill).
# shellcheck disable=SC2046
drag $(page $lx $ly) $(field 200 150)
placed=$(shot player-placed)
for point in "200 139" "188 150" "212 150"; do
    # shellcheck disable=SC2086
    [ "$(at "$placed" $point)" = "255 255 255" ] || fail "no offensive player at $point: $(at "$placed" $point)"
done
[ "$(at "$before" 200 139)" != "255 255 255" ] || fail "the field was white there before"

# 2. Symbol 0 dropped at (100, 250): centred there, its picture's corner at (87, 237).
show_page 1
read -r sx sy < <(symbol_box 0)
# shellcheck disable=SC2046
drag $(page $sx $sy) $(field 100 250)
symbol=$(shot symbol-placed)
checked=0
while read -r c r rgb; do
    got=$(at "$symbol" $((87 + c)) $((237 + r)))
    [ "$got" = "$rgb" ] || fail "symbol pixel ($c, $r) shows $got, not $rgb"
    checked=$((checked + 1))
done < <(convert "$PROG/Sym1.bmp" -depth 8 txt:- |
    awk -F'[,: ()]+' 'NR > 1 && !/#FFFFFF/ { n++; if (n % 37 == 1) print $1, $2, $3, $4, $5 }')
[ "$checked" -ge 3 ] || fail "symbol picture has too few coloured pixels to check ($checked)"

# 3. The active-player marker dropped near the player crosses it (black diagonals, which run
# past the circle to the corners of its box).
show_page 0
[ "$(at "$symbol" 187 137)" != "0 0 0" ] || fail "black at the player's corner before marking"
# shellcheck disable=SC2046
drag $(page $ACTIVE_MARKER) $(field 205 155)
marked=$(shot player-marked)
for point in "187 137" "213 137" "187 163" "213 163"; do
    # shellcheck disable=SC2086
    [ "$(at "$marked" $point)" = "0 0 0" ] || fail "no active mark at $point: $(at "$marked" $point)"
done

# 4. Action line 0 from (60, 60) to (160, 100): a rubber band while dragging, then the line
# in its colour (a first start's "Run" is red) with an arrowhead at (160, 100).
show_page 2
read -r ox oy < <(action_option 0)
# shellcheck disable=SC2046
xdotool mousemove $(page $ox $oy) click 1
sleep 0.3
# shellcheck disable=SC2046
xdotool mousemove $(field 60 60)
sleep 0.2
xdotool mousedown 1
for step in "70 64" "85 70" "100 76" "110 80"; do
    # shellcheck disable=SC2046,SC2086
    xdotool mousemove $(field $step)
    sleep 0.1
done
sleep 0.3
band=$(shot rubber-band)
read -r r g b < <(at "$marked" 85 70)
[ "$(at "$band" 85 70)" = "$((255 - r)) $((255 - g)) $((255 - b))" ] ||
    fail "no inverted rubber band at (85, 70): $(at "$band" 85 70) over $r $g $b"
for step in "130 88" "150 96" "160 100"; do
    # shellcheck disable=SC2046,SC2086
    xdotool mousemove $(field $step)
    sleep 0.1
done
xdotool mouseup 1
sleep 0.5
drawn=$(shot action-line)
for point in "85 70" "110 80" "135 90" "163 100"; do
    # shellcheck disable=SC2086
    [ "$(at "$drawn" $point)" = "220 0 0" ] ||
        fail "action line missing at $point: $(at "$drawn" $point)"
done
[ "$(at "$drawn" 60 70)" = "$(at "$marked" 60 70)" ] || fail "stray drawing beside the line"
# The player, symbol and mark are still there.
[ "$(at "$drawn" 200 139)" = "255 255 255" ] || fail "player gone after drawing the line"
[ "$(at "$drawn" 187 137)" = "0 0 0" ] || fail "active mark gone after drawing the line"

# 5. File > Save As through the real dialog, then the saved frame line holds every edit.
play="$E2E_WORK/out/edited.KTR"
save_as "$main" "$play"
python3 - "$play" <<'PY' || fail "the saved frame line does not hold the edits"
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\r\n')
items = lines[9].split(b',')
assert len(items) == 95, len(items)
def num(i): return float(items[i])
assert (num(6), num(7)) == (200, 150), ('offensive player 3', items[6:8])
assert int(items[40]) == 3, ('active player', items[40])
assert (num(41), num(42)) == (87, 237), ('symbol 0', items[41:43])
assert [num(i) for i in range(63, 67)] == [60, 60, 160, 100], ('action line 0', items[63:67])
others = [num(i) for i in list(range(0, 6)) + list(range(8, 40)) + list(range(43, 57))]
assert not any(others), 'something else was placed'
PY

# Saved: closing asks nothing and ends the program.
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end after closing its window"
echo "PASS editing"
