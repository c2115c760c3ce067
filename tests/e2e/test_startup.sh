#!/usr/bin/env bash
# Start-up as a user sees it: the splash, then the main window with the field; a second start
# is refused while the first keeps running; closing the window stores placement and preferences.
source "$E2E_LIB"

start_kinetra
started=$SECONDS
splash=$(wait_window "Kinetra" 10 "$KINETRA_PID") || fail "no splash window"
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
[ $((SECONDS - started)) -ge 3 ] || fail "main window came before the splash's pause"
sleep 1
image=$(shot main-window)

# The field picture is on screen: its most common colour covers as much of the screen as of
# the picture.
read -r count r g b < <(top_color "$PROG/Surface0.BMP")
shown=$(count_color "$image" "$r" "$g" "$b")
[ "$shown" -ge "$count" ] || fail "field picture not shown ($shown of $count pixels of rgb($r,$g,$b))"

# A second start refuses with a message box titled "Kinetra" and ends once it is answered.
"$KINETRA" >>"$E2E_WORK/out/second.log" 2>&1 &
second=$!
box=$(wait_window "Kinetra" 15 "$second") || fail "second start showed no message"
shot second-start >/dev/null
activate "$box"
xdotool key Return
wait_exit "$second" 15 || fail "second instance kept running"
kill -0 "$KINETRA_PID" 2>/dev/null || fail "first instance ended"
[ -z "$(xdotool search --pid "$second" 2>/dev/null || true)" ] || fail "second instance left a window"

# Closing the main window writes the placement and the preferences.
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end after closing its window"
ini="$XDG_CONFIG_HOME/DAZI/DAZI.ini"
[ -f "$ini" ] || fail "no settings file at $ini"
for key in MainLeft MainTop MainWidth MainHeight Picbkg PicFile0 FontSize; do
    grep -q "^$key=" "$ini" || fail "settings file lacks $key"
done
# A first start shows the hardball labels.
grep -q "^OPLabel0=B1" "$ini" && grep -q "^DPLabel0=P" "$ini" || fail "player labels not stored"
width=$(sed -n 's/^MainWidth=//p' "$ini")
[ "$width" -gt 1000 ] || fail "window width $width twips is not plausible"
echo "PASS startup"
