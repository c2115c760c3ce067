#!/usr/bin/env bash
# A play as a document, as a user handles it with the keyboard and the real file dialogs:
# File > New names the play in the notes window, File > Save As writes it through the dialog,
# File > New and File > Open bring it back, File > Exit ends without asking.
source "$E2E_LIB"

plays="$E2E_WORK/plays"
mkdir -p "$plays"
play="$plays/e2e.KTR"
title="E2E Play WWWWWWWWWWWW"

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"

# visible TITLE: whether the program shows a window titled exactly TITLE.
visible() {
    local id
    for id in $(xdotool search --all --pid "$KINETRA_PID" --name "^$1\$" 2>/dev/null || true); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
    done
    return 1
}

# wait_gone TITLE SECONDS: waits until no such window is shown.
wait_gone() {
    local deadline=$((SECONDS + $2))
    while visible "$1"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

# status_ink: dark pixels along the bottom of the main window, where the status panels stand.
status_ink() {
    local image="$E2E_WORK/out/$1.png"
    import -window "$main" "$image"
    local h
    h=$(identify -format %h "$image")
    convert "$image" -gravity south -crop "x22+0+0" +repage -colorspace gray -threshold 50% \
        -negate -format "%[fx:int(mean*w*h+0.5)]" info:
}

# File > New: the notes window comes up for naming the play; its title box has the focus.
xdotool key alt+f
sleep 0.5
xdotool key n
notes=$(wait_window "Play Notes" 10 "$KINETRA_PID") || fail "File > New showed no notes window"
visible "Play Notes" || fail "notes window found but not shown"
activate "$notes"
xdotool key ctrl+a
xdotool type --delay 40 "$title"
sleep 0.3
shot notes-typed >/dev/null

# File > Save As through the dialog: type the full path into its file-name field.
save_as "$main" "$play" save-dialog
wait_gone "Play Notes" 5 || fail "saving left the notes window open"

# The file: header, 8 action lines, 1 frame line, 10 label lines, each ended by CR LF.
today=$(date +%m-%d-%Y)
python3 - "$play" "$title" "$today" <<'PY' || fail "the saved file's bytes are not a one-frame play"
import re, sys
data = open(sys.argv[1], 'rb').read()
title, today = sys.argv[2].encode(), sys.argv[3].encode()
assert data.endswith(b'\r\n'), 'no CR LF at the end'
assert data.count(b'\n') == data.count(b'\r\n') == 20, 'not 20 CR LF lines'
lines = data.split(b'\r\n')[:-1]
assert re.fullmatch(rb'1,"DAZI","1\.4","' + re.escape(title) + rb'","' + re.escape(today)
                    + rb'","\d\d:\d\d:\d\d","",[0-3]', lines[0]), lines[0]
for line in lines[1:9]:
    assert re.fullmatch(rb'"[^"]*",-?\d+,\d+,-?\d+,-?\d+', line), line
frame = lines[9].split(b',')
assert len(frame) == 95 and frame[40] == b'20' and frame[59] == b'""', lines[9]
for line in lines[10:]:
    assert re.fullmatch(rb'"[^"]*","[^"]*"', line), line
PY

# File > New (nothing to save, so no question), then File > Open through the dialog.
activate "$main"
xdotool key alt+f
sleep 0.5
xdotool key n
wait_window "Play Notes" 10 "$KINETRA_PID" >/dev/null ||
    fail "second File > New showed no notes window"
sleep 0.5
! visible "Kinetra" || fail "File > New asked about an unchanged play"
activate "$main"
ink_new=$(status_ink after-new)
xdotool key alt+f
sleep 0.5
xdotool key o
dialog=$(wait_window "Open" 10 "$KINETRA_PID") || fail "File > Open showed no dialog"
activate "$dialog"
xdotool key ctrl+a
xdotool type --delay 30 "$play"
sleep 0.3
shot open-dialog >/dev/null
xdotool key Return
wait_gone "Open" 5 || fail "the Open dialog stayed"
sleep 1
activate "$main"
ink_open=$(status_ink after-open)
# Panel 2 now holds the long title instead of "New": far more ink in the status bar.
[ "$ink_open" -gt $((ink_new + 150)) ] ||
    fail "status bar lacks the play's title ($ink_new dark pixels after New, $ink_open after Open)"

# The open notes window was refilled with the play's title: copy it out of the title box.
notes=$(wait_window "Play Notes" 5 "$KINETRA_PID") || fail "notes window closed by Open"
activate "$notes"
xdotool key ctrl+a ctrl+c
sleep 0.3
copied=$(xclip -selection clipboard -o) ||
    fail "could not read the clipboard"
[ "$copied" = "$title" ] || fail "notes window shows title '$copied' after Open"

# The opened file is the first recent file, stored at once.
ini="$XDG_CONFIG_HOME/DAZI/DAZI.ini"
grep -q "^RecentFile1=$play\$" "$ini" || fail "recent files do not list $play"

# File > Exit: the play is unchanged, so the program ends without asking.
activate "$main"
xdotool key alt+f
sleep 0.5
xdotool key x
wait_exit "$KINETRA_PID" 20 || fail "File > Exit did not end the program"
echo "status bar ink: $ink_new after New, $ink_open after Open"
echo "PASS document"
