#!/usr/bin/env bash
# Takes the README's pictures: starts the built program on a virtual display (Xvfb + openbox)
# with a sample play and writes screenshots into docs/. Run it by hand after a build and check
# the pictures in:
#   tools/readme-pictures.sh [build folder]          (default: build)
# It writes docs/main-window.png and docs/main-window-maximised.png always, and
# docs/properties.png, docs/video-control.png and docs/printed-page.png when the program has
# those commands (Properties, Play Video, Print), and docs/playbook-contents.png, the contents
# page of a playbook of the sample plays, and docs/play-sheet.png, the cutoff sample play on
# one sheet;
# a command that is not there yet is skipped with a note. Your own settings are not touched.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
program=$build/bin/kinetra
[ -x "$program" ] || { echo "No program at $program: build first (cmake --build build)." >&2; exit 1; }
for tool in xvfb-run openbox xdotool import convert compare; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run tools/install-deps.sh" >&2; exit 1; }
done

if [ "${KINETRA_PICTURES_INSIDE:-}" != 1 ]; then
    work=$(mktemp -d /tmp/kinetra-pictures.XXXXXX)
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/config/DAZI" "$work/run" "$work/home" "$top/docs"
    chmod 700 "$work/run"
    # A fresh settings store without the tip window, so only the main window shows.
    printf '[Options]\nShow%%20Tips%%20at%%20Startup=0\n' >"$work/config/DAZI/DAZI.ini"
    export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run HOME=$work/home
    export KINETRA_PICTURES_INSIDE=1 KINETRA_PICTURES_WORK=$work
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash -c 'openbox >/dev/null 2>&1 & sleep 1; "$0" "$1"; status=$?; kill %1 2>/dev/null; exit $status' \
        "$0" "$build"
    exit $?
fi

# ---- On the virtual display ----
work=$KINETRA_PICTURES_WORK
docs=$top/docs
log=$work/kinetra.log

# The play the README walks through (KINETRA_PICTURES_PLAY names another).
play=${KINETRA_PICTURES_PLAY:-$top/tools/readme-play.KTR}
cp "$play" "$work/home/"
play=$work/home/$(basename "$play")
echo "Play: $play"

wait_window() { # TITLE [SECONDS]: id of the program's visible window titled exactly TITLE
    local deadline=$((SECONDS + ${2:-20})) id
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}
capture() { # WINDOW NAME: the window with its title bar, as docs/NAME.png
    sleep 0.8
    import -window "$1" -frame "$docs/$2.png"
    echo "Wrote docs/$2.png"
}
skip() { echo "Skipped docs/$1.png: $2"; }
close() { xdotool windowactivate --sync "$1" 2>/dev/null || true; xdotool key Escape; sleep 0.5; }

(cd "$work/home" && exec "$program" "$play" >>"$log" 2>&1) &
pid=$!
main=$(wait_window "Kinetra V1.4.0" 30) || { echo "The main window did not appear; see $log" >&2; exit 1; }
xdotool windowmove "$main" 40 60
xdotool windowactivate --sync "$main"
sleep 2
capture "$main" main-window

# ---- Properties ----
xdotool windowactivate --sync "$main"
xdotool key alt+p
if dialog=$(wait_window "Options" 5); then
    capture "$dialog" properties
    close "$dialog"
else
    skip properties "the Properties command is not in this build"
fi

# ---- Video Control: the "Play Video" button under the surface ----
# Find the surface by a patch of its field picture; the button stands at a fixed place in the
# frame-control panel right under it.
xdotool windowactivate --sync "$main"
sleep 0.5
import -window root "$work/screen.png"
eval "$(xdotool getwindowgeometry --shell "$main")"
field=$(find "$build/bin" -maxdepth 1 -name 'Surface*.BMP' | sort | head -1)
# The field's top-left corner: no player of the play stands there.
convert "$field" -crop 24x24+8+8 +repage "$work/patch.png"
convert "$work/screen.png" -crop 460x300+"$X"+"$Y" +repage "$work/region.png"
found=$(compare -metric AE -subimage-search "$work/region.png" "$work/patch.png" null: 2>&1 |
    sed -n 's/.*@ *\([0-9]*\),\([0-9]*\).*/\1 \2/p' | head -1 || true)
if [ -n "$found" ]; then
    read -r fx fy <<<"$found"
    height=$(identify -format %h "$field")
    xdotool mousemove $((X + fx - 8 + 256)) $((Y + fy - 8 + height + 32)) click 1
    if dialog=$(wait_window "Video Control" 5); then
        capture "$dialog" video-control
        close "$dialog"
    else
        skip video-control "the Video Control window is not in this build"
    fi
else
    skip video-control "the field was not found on the screen"
fi

# ---- A printed page: File > Print with the default choices, to a PDF ----
xdotool windowactivate --sync "$main"
xdotool key ctrl+p
if dialog=$(wait_window "Print Play" 5); then
    xdotool windowactivate --sync "$dialog"
    xdotool key alt+p
    pdf=$work/printed.pdf
    sleep 2
    # Without a printer the program asks for the PDF's name; type it into the file field.
    asker=$(xdotool getactivewindow 2>/dev/null || true)
    if [ -n "$asker" ] && [ "$asker" != "$dialog" ] && [ "$asker" != "$main" ]; then
        xdotool key ctrl+a
        xdotool type --delay 20 "$pdf"
        xdotool key Return
    fi
    for _ in $(seq 50); do [ -s "$pdf" ] && break; sleep 0.2; done
    sleep 1
    if [ -s "$pdf" ] && command -v pdftoppm >/dev/null; then
        pdftoppm -f 1 -l 1 -png -r 60 -singlefile "$pdf" "$work/page"
        convert "$work/page.png" -bordercolor '#999999' -border 1 "$docs/printed-page.png"
        echo "Wrote docs/printed-page.png"
    else
        skip printed-page "no PDF came out of File > Print (is poppler-utils installed?)"
    fi
    close "$dialog"
else
    skip printed-page "the Print command is not in this build"
fi

# ---- The contents page of a playbook of the sample plays, from the command line ----
book=$work/playbook.pdf
if (cd "$work/home" && "$program" --export "$book" --title "Sample Plays" \
        "$build"/bin/Plays/*.ktr >>"$log" 2>&1) && command -v pdftoppm >/dev/null; then
    pdftoppm -f 1 -l 1 -png -r 60 -singlefile "$book" "$work/contents"
    convert "$work/contents.png" -bordercolor '#999999' -border 1 "$docs/playbook-contents.png"
    echo "Wrote docs/playbook-contents.png"
else
    skip playbook-contents "no playbook PDF came out of kinetra --export"
fi

# ---- The cutoff sample play on one sheet, from the command line ----
cutoff=$(ls "$build"/bin/Plays/*Cutoff*.ktr 2>/dev/null | head -n 1)
sheet=$work/sheet.pdf
if [ -n "$cutoff" ] && (cd "$work/home" && "$program" --export "$sheet" --sheet "$cutoff" \
        >>"$log" 2>&1) && command -v pdftoppm >/dev/null; then
    pdftoppm -f 1 -l 1 -png -r 60 -singlefile "$sheet" "$work/sheet"
    convert "$work/sheet.png" -bordercolor '#999999' -border 1 "$docs/play-sheet.png"
    echo "Wrote docs/play-sheet.png"
else
    skip play-sheet "no sheet PDF came out of kinetra --export --sheet"
fi

# ---- Maximised: the field fitted to the window, 200 % on this 1280 x 1024 screen ----
if command -v wmctrl >/dev/null; then
    xdotool windowactivate --sync "$main"
    wmctrl -i -r "$main" -b add,maximized_vert,maximized_horz
    sleep 1.5
    import -window root "$work/maximised.png"
    convert "$work/maximised.png" -resize 50% "$docs/main-window-maximised.png"
    echo "Wrote docs/main-window-maximised.png"
else
    skip main-window-maximised "wmctrl is missing"
fi

# Leave without saving anything the session may have changed.
xdotool windowactivate --sync "$main" 2>/dev/null || true
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
