#!/usr/bin/env bash
# File > Play Directory lists the sample plays; a double-click opens one, Save As writes it under
# a new name through the real dialog, and the saved frames equal the sample's.
source "$E2E_LIB"

sample="$PROG/Plays/BuntDefense.ktr"
[ -s "$sample" ] || fail "no sample play at $sample"
copy="$E2E_WORK/MyBunt.ktr"

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"
xdotool key alt+f
sleep 0.5
xdotool key d
dir=$(wait_window "Kinetra Play Directory" 10 "$KINETRA_PID") || fail "File > Play Directory showed no window"
activate "$dir"
sleep 0.5
shot play-directory >/dev/null

# The list stands right of the folder tree; its first entry (BuntDefense.ktr, first in name
# order) is its top line, white or shaded as the current entry: find the list's top edge two
# thirds across the window, the first row that is not the window's background.
eval "$(xdotool getwindowgeometry --shell "$dir")"
rel_x=$((WIDTH * 2 / 3))
image="$E2E_WORK/out/list.png"
import -window "$dir" "$image"
row=$(convert "$image" -crop "1x${HEIGHT}+${rel_x}+0" +repage -alpha off txt:- |
    awk -F'[ ,:]+' 'NR == 2 { bg = $0; sub(/.*#/, "", bg); sub(/ .*/, "", bg) }
                    NR > 2 && $0 !~ ("#" bg) && !found { print $2; found = 1 }') || true
[ -n "$row" ] || fail "could not find the Play Files list"
xdotool mousemove --window "$dir" "$rel_x" $((row + 8))
sleep 0.3
xdotool click --repeat 2 --delay 80 1
sleep 1
! xdotool getwindowname "$dir" >/dev/null 2>&1 || ! xwininfo -id "$dir" | grep -q IsViewable ||
    fail "double-click on the first play left the Play Directory open"
sleep 1
shot after-open >/dev/null

save_as "$main" "$copy" save-dialog
python3 - "$sample" "$copy" <<'PY' || fail "the saved play's frames differ from the sample's"
import sys
def frames(path):
    data = open(path, 'rb').read()
    # Records after the header: the header's notes may hold line breaks inside quotes.
    inside, records, start = False, [], 0
    for i, c in enumerate(data):
        if c == 0x22:
            inside = not inside
        elif c == 0x0A and not inside:
            records.append(data[start:i + 1]); start = i + 1
    header = records[0].split(b',')[0]
    count = int(header)
    return count, records[1:]
n1, a = frames(sys.argv[1])
n2, b = frames(sys.argv[2])
assert n1 == n2 and n1 >= 3, (n1, n2)
assert a == b, 'action lines, frames or labels differ'
PY
grep -q "^RecentFile1=$copy\$" "$XDG_CONFIG_HOME/DAZI/DAZI.ini" || fail "the saved copy is not a recent file"
grep -q "BuntDefense.ktr" "$XDG_CONFIG_HOME/DAZI/DAZI.ini" || fail "the opened sample is not a recent file"

activate "$main"
xdotool key alt+f
sleep 0.5
xdotool key x
wait_exit "$KINETRA_PID" 20 || fail "File > Exit did not end the program"
echo "PASS playdirectory"
