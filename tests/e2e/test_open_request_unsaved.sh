#!/usr/bin/env bash
# A play handed over by a second start while the open play has unsaved changes: the running
# program asks about the changes, and whatever the answer it goes on running and does what the
# answer says (Yes saves and opens, No drops the changes and opens, Cancel keeps the play).
source "$E2E_LIB"
data=$(cd "$(dirname "$E2E_LIB")/../data" && pwd)
plays=$E2E_WORK/plays
mkdir -p "$plays"
ini=$XDG_CONFIG_HOME/DAZI/DAZI.ini

frames_in() { head -1 "$1" | cut -d, -f1; }
recent() { sed -n "s/^RecentFile$1=//p" "$ini" 2>/dev/null | sed 's/^"\(.*\)"$/\1/'; }
wait_recent() {
    for _ in $(seq 50); do [ "$(recent "$1")" = "$2" ] && return 0; sleep 0.2; done
    return 1
}

for answer in y n Escape; do
    # Plays of their own, so that the recent files show what each round opened.
    first=$plays/first-$answer.KTR
    second=$plays/second-$answer.KTR
    cp "$data/three_frames.KTR" "$first"
    cp "$data/new_play.KTR" "$second"
    start_kinetra "$first"
    main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "$answer: no main window"
    wait_recent 1 "$first" || fail "$answer: the play named on the command line did not open"
    activate "$main"
    xdotool key alt+e
    sleep 0.5
    xdotool key a

    # As a double click in the file manager does; the second start ends once its play is taken,
    # while the running program still asks about the changes.
    (cd "$plays" && exec "$KINETRA" "second-$answer.KTR" >>"$E2E_WORK/out/second.log" 2>&1) &
    handing=$!
    question=$(wait_window "Kinetra" 15 "$KINETRA_PID") || fail "$answer: no save question"
    wait_exit "$handing" 15 || fail "$answer: the second start kept running"
    [ "$EXIT_CODE" -eq 0 ] || fail "$answer: the second start ended with $EXIT_CODE"
    activate "$question"
    xdotool key "$answer"
    for _ in $(seq 25); do xdotool getwindowname "$question" >/dev/null 2>&1 || break; sleep 0.2; done
    sleep 1
    kill -0 "$KINETRA_PID" 2>/dev/null || fail "$answer: the running program ended"

    case $answer in
    y)
        wait_recent 1 "$second" || fail "Yes: the handed play was not opened"
        [ "$(frames_in "$first")" = 4 ] || fail "Yes: the changes were not saved"
        ;;
    n)
        wait_recent 1 "$second" || fail "No: the handed play was not opened"
        [ "$(frames_in "$first")" = 3 ] || fail "No: the dropped changes were saved"
        ;;
    Escape)
        [ "$(recent 1)" = "$first" ] || fail "Cancel: the handed play was opened"
        [ "$(frames_in "$first")" = 3 ] || fail "Cancel: the changes were saved"
        # The changes are still there: closing asks about them again.
        activate "$main"
        xdotool key alt+F4
        question=$(wait_window "Kinetra" 10 "$KINETRA_PID") || fail "Cancel: the changes were lost"
        activate "$question"
        xdotool key n
        ;;
    esac
    [ "$answer" = Escape ] || close_window "$main"
    wait_exit "$KINETRA_PID" 20 || fail "$answer: the program did not end after closing"
    [ "$EXIT_CODE" -eq 0 ] || fail "$answer: the program ended with $EXIT_CODE"
done
echo "PASS open request with unsaved changes"
