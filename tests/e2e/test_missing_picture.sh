#!/usr/bin/env bash
# Start-up with a stored field picture path that no longer exists (the program folder moved):
# the field of the same name in the program folder is shown, and the stored path is kept. With
# no field picture file at all, a plain drawn field of 400 x 373 takes its place.
source "$E2E_LIB"

ini="$XDG_CONFIG_HOME/DAZI/DAZI.ini"
gone=/opt/kinetra-moved-away/Surface0.BMP
mkdir -p "$(dirname "$ini")"
printf '[Options]\nShow%%20Tips%%20at%%20Startup=0\n[Settings]\nPicFile0=%s\n' "$gone" >"$ini"

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
image=$(shot moved-folder)
read -r count r g b < <(top_color "$PROG/Surface0.BMP")
shown=$(count_color "$image" "$r" "$g" "$b")
[ "$shown" -ge "$count" ] || fail "field picture not shown ($shown of $count pixels of rgb($r,$g,$b))"
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end after closing its window"
grep -q "^PicFile0=$gone\$" "$ini" || fail "stored field picture path was not kept: $(grep PicFile0 "$ini")"

# No field picture anywhere: the drawn field, grass green (60, 140, 60), fills the surface.
rm -f "$PROG"/Surface*.BMP
start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear the second time"
sleep 1
image=$(shot no-field-file)
grass=$(count_color "$image" 60 140 60)
[ "$grass" -ge 140000 ] || fail "drawn field not shown ($grass grass pixels)"
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "program did not end the second time"
echo "PASS missing picture"
