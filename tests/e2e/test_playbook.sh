#!/usr/bin/env bash
# File > Print Playbook on a machine without a printer: three sample plays ticked in the real
# dialog, the third moved up to second place, the playbook named, then printed to a PDF file
# chosen in the real save dialog. The PDF is titled with that name and opens with a contents
# page listing the plays in that order, each with the page its pages start on. Then two of the
# plays again, with the sheets of two positions ticked in the dialog, each in a section of its
# own under its heading.
source "$E2E_LIB"

pdf="$E2E_WORK/out/spring book.pdf"
title_of() { head -1 "$1" | awk -F'"' '{print $6}'; }
mapfile -t plays < <(ls "$PROG/Plays/" | sort -f | head -3)
[ "${#plays[@]}" = 3 ] || fail "the program folder holds fewer than three sample plays"

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"
xdotool key alt+f
sleep 0.5
xdotool key l
dialog=$(wait_window "Print Playbook" 10 "$KINETRA_PID") || fail "File > Print Playbook showed no dialog"
activate "$dialog"

# Tick the first three plays of the list, then move the third up one place.
xdotool key alt+l
sleep 0.3
xdotool key Home space Down space Down space
sleep 0.3
xdotool key alt+u
sleep 0.3
xdotool key alt+n ctrl+a
xdotool type --delay 30 "Spring Book"
shot playbook-dialog >/dev/null
xdotool key alt+p
print_to_file "$pdf" 30
ls "$E2E_WORK/out" | grep -q '\.pdf\.' && fail "a temporary file was left beside the PDF"
info=$(pdfinfo "$pdf")
grep -q '^Title: *Spring Book$' <<<"$info" || fail "the PDF is not titled Spring Book: $info"
pages=$(awk '/^Pages:/ {print $2}' <<<"$info")

# The contents: the name, then the plays in the order chosen, each with its first page, which
# is the page its title first heads.
contents=$(pdftotext -layout -f 1 -l 1 "$pdf" -)
grep -q "Spring Book" <<<"$contents" || fail "the contents page does not carry the name"
order=(0 2 1)
previous=0
for k in 0 1 2; do
    play=$PROG/Plays/${plays[${order[$k]}]}
    title=$(title_of "$play")
    line=$(grep -n -F "$title" <<<"$contents" | head -1) || fail "the contents do not name $title"
    row=${line%%:*}
    [ "$row" -gt "$previous" ] || fail "$title is out of the order chosen"
    previous=$row
    first=$(awk '{print $NF}' <<<"${line#*:}")
    page=$(pdftotext -f "$first" -l "$first" "$pdf" - | head -3 | grep -c -F "$title" || true)
    [ "$page" -ge 1 ] || fail "page $first, which the contents give for $title, does not start it"
done
pdftotext -f "$pages" -l "$pages" "$pdf" - | grep -q "Page $pages of $pages" ||
    fail "the last page is not numbered Page $pages of $pages"

# Again from the same dialog, two plays with position sheets for SS and CF: the first play is
# unticked, the boxes are reached with Alt+O and walked with Tab (P, C, 1B, 2B, 3B, SS, RF, CF).
book="$E2E_WORK/out/tigers.pdf"
name="Tigers 12U Defence"
activate "$dialog"
xdotool key alt+l
sleep 0.3
xdotool key Home space
sleep 0.3
xdotool key alt+o
sleep 0.3
xdotool key Tab Tab Tab Tab Tab space Tab Tab space
sleep 0.3
xdotool key alt+n ctrl+a
xdotool type --delay 30 "$name"
shot playbook-positions >/dev/null
xdotool key alt+p
print_to_file "$book" 30
sheets=$(awk '/^Pages:/ {print $2}' <<<"$(pdfinfo "$book")")
# The contents, the two plays on a sheet each, then each section with both plays again.
[ "$sheets" = 7 ] || fail "the playbook with two position sections has $sheets pages, not 7"
contents=$(pdftotext -layout -f 1 -l 1 "$book" -)
for position in SS CF; do
    grep -q -w "$position" <<<"$contents" || fail "the contents do not list the $position sheets"
    headed=0
    for page in $(seq 2 "$sheets"); do
        pdftotext -f "$page" -l "$page" "$book" - | grep -q -F "$position - $name" &&
            headed=$((headed + 1))
    done
    [ "$headed" = 2 ] || fail "$headed pages, not 2, are headed \"$position - $name\""
done
grep -q -w "1B" <<<"$contents" && fail "the contents list a position that was not ticked"

activate "$dialog"
xdotool key alt+c
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "the program did not end"
[ "$EXIT_CODE" = 0 ] || fail "the program ended with $EXIT_CODE"
echo "playbook: $pages pages; with position sheets: $sheets pages"
