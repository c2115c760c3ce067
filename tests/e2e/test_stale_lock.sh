#!/usr/bin/env bash
# A run that crashed leaves its lock file behind; the next start must not be refused for it.
source "$E2E_LIB"

start_kinetra
wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID" >/dev/null || fail "first start showed no main window"
kill -KILL "$KINETRA_PID"
wait "$KINETRA_PID" 2>/dev/null || true
ls "$XDG_RUNTIME_DIR"/kinetra.lock >/dev/null 2>&1 || fail "the crashed run left no lock file to test with"

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "start after a crash was refused"
[ -z "$(xdotool search --all --pid "$KINETRA_PID" --name '^Kinetra$' 2>/dev/null || true)" ] ||
    fail "a message box came up"
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end"
echo "PASS stale lock"
