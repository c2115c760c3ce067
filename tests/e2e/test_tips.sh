#!/usr/bin/env bash
# A fresh start shows the Tip of the Day over the main window; clearing "Show Tips at Startup"
# is stored at once and the next start shows no tip.
source "$E2E_LIB"

E2E_TIPS=1 start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
tip=$(wait_window "Tip of the Day" 10 "$KINETRA_PID") || fail "a fresh start showed no tip"
sleep 0.5
shot tip-at-start >/dev/null

# Alt+S toggles the check box; the store has the new value at once.
activate "$tip"
xdotool key alt+s
ini="$XDG_CONFIG_HOME/DAZI/DAZI.ini"
for _ in $(seq 25); do
    grep -Eq '^Show(%20| )Tips(%20| )at(%20| )Startup=0' "$ini" 2>/dev/null && break
    sleep 0.2
done
grep -Eq '^Show(%20| )Tips(%20| )at(%20| )Startup=0' "$ini" ||
    fail "clearing Show Tips at Startup was not stored at once"
xdotool key Return
for _ in $(seq 25); do
    xdotool getwindowname "$tip" >/dev/null 2>&1 || break
    xwininfo -id "$tip" 2>/dev/null | grep -q 'IsViewable' || break
    sleep 0.2
done
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end"

# The next start shows no tip.
E2E_TIPS=1 start_kinetra
wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID" >/dev/null || fail "main window did not appear"
! wait_window "Tip of the Day" 3 "$KINETRA_PID" >/dev/null || fail "the tip came although it was turned off"
main=$(wait_window "Kinetra V1.4.0" 5 "$KINETRA_PID")
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end"
echo "PASS tips"
