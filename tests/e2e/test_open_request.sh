#!/usr/bin/env bash
# `kinetra PLAY.KTR` opens the play once the main window is up; a second start with a play hands
# it to the running program, which opens it, and ends without a window of its own.
source "$E2E_LIB"
data=$(cd "$(dirname "$E2E_LIB")/../data" && pwd)
plays=$E2E_WORK/plays
mkdir -p "$plays/more"
cp "$data/new_play.KTR" "$plays/First Play.KTR"
# The same play on the third field picture, so the screen shows which one is open.
sed '1s/,0\r$/,2\r/' "$data/new_play.KTR" >"$plays/more/second.ktr"
grep -q ',2.$' <(head -1 "$plays/more/second.ktr") || fail "could not make the second play"
ini=$XDG_CONFIG_HOME/DAZI/DAZI.ini

# recent N: the path stored as the Nth recent file.
recent() { sed -n "s/^RecentFile$1=//p" "$ini" 2>/dev/null | sed 's/^"\(.*\)"$/\1/'; }
wait_recent() {
    for _ in $(seq 50); do [ "$(recent "$1")" = "$2" ] && return 0; sleep 0.2; done
    return 1
}

# A relative name, as a file manager or a shell in that folder passes it.
(cd "$plays" && exec "$KINETRA" "First Play.KTR" >>"$E2E_WORK/out/kinetra.log" 2>&1) &
KINETRA_PID=$!
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
wait_recent 1 "$plays/First Play.KTR" || fail "the play named on the command line was not opened (RecentFile1=$(recent 1))"
sleep 1
first=$(shot first-play)
[ -z "$(xdotool search --all --pid "$KINETRA_PID" --name '^Kinetra$' 2>/dev/null || true)" ] ||
    fail "opening the play brought up a message"

# The second start hands its play over and ends at once, quietly.
started=$SECONDS
(cd "$plays/more" && exec "$KINETRA" second.ktr >>"$E2E_WORK/out/second.log" 2>&1) &
second=$!
wait_exit "$second" 15 || fail "second start kept running"
[ "$EXIT_CODE" -eq 0 ] || fail "second start ended with $EXIT_CODE"
[ $((SECONDS - started)) -lt 10 ] || fail "second start took $((SECONDS - started)) s"
wait_recent 1 "$plays/more/second.ktr" || fail "the running program did not open the handed play (RecentFile1=$(recent 1))"
[ "$(recent 2)" = "$plays/First Play.KTR" ] || fail "first play not kept as second recent file"
kill -0 "$KINETRA_PID" 2>/dev/null || fail "first instance ended"
[ -z "$(xdotool search --all --pid "$KINETRA_PID" --name '^Kinetra$' 2>/dev/null || true)" ] ||
    fail "handing over the play brought up a message"
sleep 1
handed=$(shot handed-play)
[ "$(compare -metric AE "$first" "$handed" null: 2>&1 || true)" != 0 ] || fail "the surface did not change for the handed play"

close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end after closing its window"
echo "PASS open request"
