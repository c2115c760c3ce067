#!/usr/bin/env bash
# Preferences as a coach changes them with the keyboard: in Properties, action type 1 becomes
# a very thick blue line, and an action line drawn afterwards is six pixels wide on the field.
# Then a formation saved through the real input box survives a restart and, applied to the
# blank frame of a new start, puts the player back where it stood.
source "$E2E_LIB"

PAGE_DX=401 PAGE_DY=24
label_box_offence() { echo $((4 + 23)) $((60 + 21 * $1 + 10)); } # TxtOplyr(k) centre
action_option() { echo 13 $((8 + 36 * $1 + 12)); }               # OptActionSel(k)

# find_surface IMAGE: sets CX, CY (the surface's top-left on the screen), PX, PY (palette page).
find_surface() {
    read -r CX CY <<<"$(find_picture "$1" "$PROG/Surface0.BMP" 188 40 460 260)"
    [ -n "$CX" ] || fail "field picture not found on the screen"
    PX=$((CX + PAGE_DX)) PY=$((CY + PAGE_DY))
}
field() { echo $((CX + $1)) $((CY + $2)); }
page() { echo $((PX + $1)) $((PY + $2)); }
at() { pixel "$1" $((CX + $2)) $((CY + $3)); }
show_page() {
    local i
    xdotool mousemove $((CX + 401 + 10)) $((CY + 10)) click 1
    sleep 0.3
    for ((i = 0; i < $1; i++)); do xdotool key Right; sleep 0.2; done
    sleep 0.3
}
# blue_in_column IMAGE X Y0 Y1: how many surface pixels (X, Y0..Y1) are pure blue.
blue_in_column() {
    local n=0 y
    for ((y = $3; y <= $4; y++)); do
        [ "$(at "$1" "$2" "$y")" = "0 0 255" ] && n=$((n + 1))
    done
    echo $n
}
# formations_menu: opens the Formations menu (the File menu has the same access key).
formations_menu() {
    activate "$main"
    xdotool key alt+f
    sleep 0.4
    xdotool key Right Right Right
    sleep 0.4
}

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"
eval "$(xdotool getwindowgeometry --shell "$main")"
before=$(shot before)
find_surface "$before"
[ "$(blue_in_column "$before" 150 190 210)" = 0 ] || fail "the field has pure blue there already"

# 1. Properties: Ctrl+Tab twice to "Actions 1-4"; Tab to type 1's name, Tab to its style list,
# End picks "Very Thick"; Tab to its colour, Space opens the colour chooser.
xdotool key alt+p
options=$(wait_window "Options" 10 "$KINETRA_PID") || fail "Properties showed no Options dialog"
activate "$options"
xdotool key ctrl+Tab
sleep 0.2
xdotool key ctrl+Tab
sleep 0.3
xdotool key Tab
sleep 0.2
xdotool key Tab
sleep 0.2
xdotool key End
sleep 0.3
shot options-style >/dev/null
xdotool key Tab
sleep 0.2
xdotool key space
colors=$(wait_window "Select Color" 10 "$KINETRA_PID") || fail "the colour swatch opened no chooser"
activate "$colors"
xdotool key alt+h
sleep 0.2
xdotool key ctrl+a
xdotool type --delay 30 "#0000ff"
sleep 0.2
xdotool key Return
sleep 0.5
activate "$options"
shot options-colour >/dev/null
xdotool key alt+o
for _ in $(seq 25); do
    xdotool getwindowname "$options" >/dev/null 2>&1 || break
    xwininfo -id "$options" 2>/dev/null | grep -q 'IsViewable' || break
    sleep 0.2
done
sleep 0.5

# 2. Action line 1 drawn from (60, 200) to (300, 200): blue and six pixels wide.
activate "$main"
show_page 2
read -r ox oy < <(action_option 0)
# shellcheck disable=SC2046
xdotool mousemove $(page $ox $oy) click 1
sleep 0.3
# shellcheck disable=SC2046
drag $(field 60 200) $(field 300 200)
drawn=$(shot thick-line)
width=$(blue_in_column "$drawn" 150 190 210)
[ "$width" = 6 ] || fail "the action line is $width pixels wide in blue, not 6"

# 3. Offensive player 3 onto the field at (200, 150), then Formations > Save Formation.
show_page 0
read -r lx ly < <(label_box_offence 3)
# shellcheck disable=SC2046
drag $(page $lx $ly) $(field 200 150)
formations_menu
xdotool key s
ask=$(wait_window "New Formation" 10 "$KINETRA_PID") || fail "Save Formation asked no name"
activate "$ask"
xdotool key ctrl+a
xdotool type --delay 30 "Drop Three"
xdotool key Return
sleep 0.5
# After the five formations a first start brings.
grep -q '^Name6=Drop Three' "$XDG_CONFIG_HOME/DAZI/DAZI.ini" ||
    fail "the formation was not written to the settings when saved"

# 4. Close without saving the play, start again: the formation is in the menu.
activate "$main"
xdotool key alt+F4
question=$(wait_window "Kinetra" 10 "$KINETRA_PID") || fail "closing did not ask about the play"
activate "$question"
xdotool key alt+n
wait_exit "$KINETRA_PID" 20 || fail "program did not end after closing its window"

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not come back"
sleep 1
formations_menu
xdotool key f        # "Select &Formation"
sleep 0.4
xdotool key Down Down Down Down Down   # its sixth item, the one saved
sleep 0.3
xdotool key Return
sleep 0.5

play="$E2E_WORK/out/formation.KTR"
save_as "$main" "$play"
python3 - "$play" <<'PY' || fail "the saved frame line does not hold the formation"
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\r\n')
items = lines[9].split(b',')
def num(i): return float(items[i])
assert (num(6), num(7)) == (200, 150), ('offensive player 3', items[6:8])
others = [num(i) for i in list(range(0, 6)) + list(range(8, 40))]
assert not any(others), 'another player was placed'
PY
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end after closing its window"
echo "PASS preferences"
