#!/usr/bin/env bash
# Changes survive a killed program: a recovery copy is written within ten seconds of an edit,
# the next start offers it, Yes brings the changes back so that Save writes them into the play's
# own file, and No moves the copy into recovery/discarded/.
source "$E2E_LIB"
data=$(cd "$(dirname "$E2E_LIB")/../data" && pwd)
recovery=$XDG_STATE_HOME/DAZI/recovery
ini=$XDG_CONFIG_HOME/DAZI/DAZI.ini
mkdir -p "$E2E_WORK/plays"
play=$E2E_WORK/plays/steal.KTR
cp "$data/three_frames.KTR" "$play"

frames_in() { head -1 "$1" | cut -d, -f1; }
copies_in() { find "$1" -maxdepth 1 -name "$2" 2>/dev/null | wc -l; }

# edit_and_kill: opens the play, inserts a frame after the first (Edit > Insert After), waits
# for the recovery copy and kills the program as a crash or a power cut would.
edit_and_kill() {
    start_kinetra "$play"
    main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
    for _ in $(seq 50); do grep -q "^RecentFile1=$play\$" "$ini" 2>/dev/null && break; sleep 0.2; done
    grep -q "^RecentFile1=$play\$" "$ini" || fail "the play named on the command line did not open"
    activate "$main"
    xdotool key alt+e
    sleep 0.5
    xdotool key a
    local edited=$SECONDS
    # Ten seconds on the program's clock; a busy machine may add a little to the wait.
    for _ in $(seq 150); do [ "$(copies_in "$recovery" '*.txt')" = 1 ] && break; sleep 0.2; done
    [ "$(copies_in "$recovery" '*.txt')" = 1 ] || fail "no recovery copy 30 s after the edit"
    [ "$(copies_in "$recovery" '*.KTR')" = 1 ] || fail "the description has no play copy beside it"
    [ $((SECONDS - edited)) -le 20 ] || fail "the copy took $((SECONDS - edited)) s"
    kill -KILL "$KINETRA_PID"
    wait "$KINETRA_PID" 2>/dev/null || true
}

# answer_question KEY: starts the program again and answers its question about the copy.
answer_question() {
    start_kinetra
    main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "restart showed no main window"
    question=$(wait_window "Kinetra" 15 "$KINETRA_PID") || fail "the restart did not offer the copy"
    shot "question-$1" >/dev/null
    activate "$question"
    xdotool key "$1"
    for _ in $(seq 25); do xdotool getwindowname "$question" >/dev/null 2>&1 || break; sleep 0.2; done
}

# Yes: the recovered play is bound to its own file, so Save writes the inserted frame there.
edit_and_kill
[ "$(frames_in "$play")" = 3 ] || fail "the play file changed before it was saved"
answer_question y
activate "$main"
xdotool key ctrl+s
for _ in $(seq 50); do [ "$(frames_in "$play")" = 4 ] && break; sleep 0.2; done
[ "$(frames_in "$play")" = 4 ] || fail "Save after recovery wrote $(frames_in "$play") frames"
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "the program asked about a play it had saved"
[ "$(copies_in "$recovery" '*.KTR')" = 0 ] || fail "the saved play's recovery copy stayed"

# No: the copy moves aside, the play stays as saved and the next start asks nothing.
edit_and_kill
answer_question n
for _ in $(seq 50); do [ "$(copies_in "$recovery" '*.KTR')" = 0 ] && break; sleep 0.2; done
[ "$(copies_in "$recovery" '*.KTR')" = 0 ] || fail "No left the copy to be offered again"
[ "$(copies_in "$recovery/discarded" '*.KTR')" = 1 ] || fail "No did not keep the copy in discarded/"
[ "$(copies_in "$recovery/discarded" '*.txt')" = 1 ] || fail "the discarded copy lost its description"
[ "$(frames_in "$recovery/discarded/"*.KTR)" = 5 ] || fail "the discarded copy lacks the change"
[ "$(frames_in "$play")" = 4 ] || fail "No changed the play file"
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "the program asked about a play nobody changed"
echo "PASS recovery"
