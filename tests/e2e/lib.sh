# Helpers for the end-to-end scripts: start the program, find its windows, act as a user.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    import -window root "$E2E_WORK/out/failure.png" 2>/dev/null || true
    exit 1
}

# start_kinetra [ARG...]: starts the program in the background with ARGs (a play to open); its
# pid is in KINETRA_PID. A first start shows the Tip of the Day over the main window; tests that
# are not about it start with the tip turned off, unless E2E_TIPS is set.
start_kinetra() {
    local ini="$XDG_CONFIG_HOME/DAZI/DAZI.ini"
    if [ -z "${E2E_TIPS:-}" ] && [ ! -e "$ini" ]; then
        mkdir -p "$(dirname "$ini")"
        printf '[Options]\nShow%%20Tips%%20at%%20Startup=0\n' >"$ini"
    fi
    (cd "$E2E_WORK" && exec "$KINETRA" "$@" >>"$E2E_WORK/out/kinetra.log" 2>&1) &
    KINETRA_PID=$!
}

# wait_window TITLE [SECONDS] [PID]: prints the id of the visible window titled exactly TITLE.
wait_window() {
    local title=$1 seconds=${2:-30} pid=${3:-} id
    local deadline=$((SECONDS + seconds))
    while [ $SECONDS -lt $deadline ]; do
        if [ -n "$pid" ]; then
            id=$(xdotool search --all --onlyvisible --pid "$pid" --name "^${title}\$" 2>/dev/null | head -1 || true)
        else
            id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1 || true)
        fi
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.2
    done
    return 1
}

# wait_exit PID [SECONDS]: waits for the process to end; its exit code is in EXIT_CODE.
wait_exit() {
    local pid=$1 seconds=${2:-20}
    local deadline=$((SECONDS + seconds))
    while kill -0 "$pid" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
    EXIT_CODE=0
    wait "$pid" || EXIT_CODE=$?
    return 0
}

# activate WINDOW: raises and focuses a window, as a click on it would.
activate() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
    sleep 0.3
}

# drag FROM_X FROM_Y TO_X TO_Y [BUTTON]: press, move in steps, release, as a hand does.
drag() {
    local x0=$1 y0=$2 x1=$3 y1=$4 button=${5:-1} i
    xdotool mousemove "$x0" "$y0"
    sleep 0.2
    xdotool mousedown "$button"
    for i in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((x0 + (x1 - x0) * i / 8)) $((y0 + (y1 - y0) * i / 8))
        sleep 0.1
    done
    sleep 0.3
    xdotool mouseup "$button"
    sleep 0.5
}

# find_picture SCREEN PICTURE PX PY WIDTH HEIGHT: looks for the 24 x 24 patch of PICTURE at
# (PX, PY) in the WIDTH x HEIGHT part of SCREEN from the window's inside (X, Y), shown pixel
# for pixel; prints the screen point of PICTURE's top-left, nothing when it is not there.
find_picture() {
    local screen=$1 picture=$2 px=$3 py=$4 width=$5 height=$6 found fx fy
    convert "$picture" -crop 24x24+"$px"+"$py" +repage "$E2E_WORK/out/patch.png"
    convert "$screen" -crop "${width}x${height}+$X+$Y" +repage "$E2E_WORK/out/region.png"
    found=$(compare -metric AE -subimage-search "$E2E_WORK/out/region.png" \
        "$E2E_WORK/out/patch.png" null: 2>&1 |
        sed -n 's/.*@ *\([0-9]*\),\([0-9]*\).*/\1 \2/p' | head -1 || true)
    [ -n "$found" ] || return 0
    read -r fx fy <<<"$found"
    echo $((X + fx - px)) $((Y + fy - py))
}

# print_to_file PATH SECONDS: names PATH in the Print to File dialog that Print opened and waits
# up to SECONDS for the PDF to appear whole (it is renamed into place once complete).
print_to_file() {
    local path=$1 seconds=$2 save
    save=$(wait_window "Print to File" 10 "$KINETRA_PID") || fail "Print asked for no PDF file"
    activate "$save"
    xdotool key ctrl+a
    xdotool type --delay 30 "$path"
    sleep 0.3
    xdotool key Return
    for _ in $(seq $((seconds * 5))); do [ -s "$path" ] && break; sleep 0.2; done
    [ -s "$path" ] || fail "no PDF was written"
}

# shot NAME: screenshot of the whole screen into the output folder; prints its path.
shot() {
    local path="$E2E_WORK/out/$1.png"
    import -window root "$path"
    echo "$path"
}

# count_color IMAGE R G B: how many pixels of the image have exactly that colour.
count_color() {
    convert "$1" -alpha off -fill black +opaque "rgb($2,$3,$4)" -fill white -opaque "rgb($2,$3,$4)" \
        -format "%[fx:int(mean*w*h+0.5)]" info:
}

# pixel IMAGE X Y: prints "R G B" of one pixel.
pixel() {
    convert "$1" -alpha off -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]\n" info:
}

# top_color IMAGE: prints "COUNT R G B" of the image's most common colour.
top_color() {
    convert "$1" -alpha off -format %c histogram:info:- | sort -rn | head -1 |
        sed -E 's/^ *([0-9]+): *\( *([0-9]+), *([0-9]+), *([0-9]+).*/\1 \2 \3 \4/'
}

# save_as MAIN_WINDOW PATH [SHOT]: File > Save As through the real dialog, typing the full path
# into its file-name field; waits until the file exists. SHOT names a screenshot of the dialog.
save_as() {
    local main=$1 path=$2 name=${3:-} dialog
    activate "$main"
    xdotool key alt+f
    sleep 0.5
    xdotool key a
    dialog=$(wait_window "Save As" 10 "$KINETRA_PID") || fail "File > Save As showed no dialog"
    activate "$dialog"
    xdotool key ctrl+a
    xdotool type --delay 30 "$path"
    sleep 0.3
    [ -z "$name" ] || shot "$name" >/dev/null
    xdotool key Return
    for _ in $(seq 50); do [ -s "$path" ] && return 0; sleep 0.2; done
    fail "Save As wrote no file at $path"
}

# close_window WINDOW: closes a window as a user does (Alt+F4 to the focused window); when the
# key went astray on a busy machine, asks the window manager to close it, as its X button does.
close_window() {
    activate "$1"
    xdotool key alt+F4
    for _ in $(seq 25); do
        xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    wmctrl -i -c "$1" 2>/dev/null || true
}
