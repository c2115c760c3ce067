#!/usr/bin/env bash
# Printing on a machine without a printer: File > Print (Ctrl+P) with the default choices asks
# for a PDF file in the real save dialog and writes it; the PDF has the frame page and the
# notes page, and page 1 shows the field in its own colours. The dialog stays open afterwards.
source "$E2E_LIB"

pdf="$E2E_WORK/out/e2e play.pdf"

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"

xdotool key ctrl+p
dialog=$(wait_window "Print Play" 10 "$KINETRA_PID") || fail "Ctrl+P showed no Print Play dialog"
activate "$dialog"
shot print-dialog >/dev/null
xdotool key alt+p
print_to_file "$pdf" 20
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" = 2 ] || fail "the PDF has ${pages:-no} pages, not the frame page and the notes page"
ls "$E2E_WORK/out" | grep -q '\.pdf\.' && fail "a temporary file was left beside the PDF"

# Page 1 holds the field: its commonest colour covers much of the rendered page.
pdftoppm -f 1 -l 1 -r 50 -png "$pdf" "$E2E_WORK/out/page"
page=$(ls "$E2E_WORK"/out/page*.png | head -1)
read -r _ r g b < <(top_color "$PROG/Surface0.BMP")
near=$(convert "$page" -alpha off -fuzz 6% -fill black +opaque "rgb($r,$g,$b)" \
    -fill white -opaque "rgb($r,$g,$b)" -format "%[fx:int(mean*w*h+0.5)]" info:)
[ "$near" -gt 20000 ] || fail "page 1 shows only $near pixels of the field colour rgb($r,$g,$b)"

# The dialog stays open after printing; Cancel closes it.
shown() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}
shown "$dialog" || fail "the dialog closed after printing"
activate "$dialog"
xdotool key alt+c
for _ in $(seq 25); do shown "$dialog" || break; sleep 0.2; done
shown "$dialog" && fail "Cancel left the dialog open"

close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "the program did not end"
[ "$EXIT_CODE" = 0 ] || fail "the program ended with $EXIT_CODE"
echo "print: PDF of $pages pages, $near field pixels on page 1"
