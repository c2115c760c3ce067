#!/usr/bin/env bash
# Playing a play as a coach does: open a three-frame play, go to frame 2, open the Video Control
# window with "Play Video", choose Looping at the fastest speed and play. Screenshots of the
# surface must show frames 1, 2 and 3 (offensive player 0 stands at x 100, 200 and 300, y 291
# in them); after Stop the surface shows frame 2, the current frame, and stays on it. The
# window opens beside the main window, covering none of it.
source "$E2E_LIB"

play="$E2E_WORK/three_frames.KTR"
cp "$(dirname "$E2E_LIB")/../data/three_frames.KTR" "$play"

visible() {
    local id
    for id in $(xdotool search --all --pid "$KINETRA_PID" --name "^$1\$" 2>/dev/null || true); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
    done
    return 1
}
# outer_geometry WINDOW: "X Y WIDTH HEIGHT" of the window with its title bar and borders.
outer_geometry() {
    local x y w h l r t b
    read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF}
        /Absolute upper-left Y/ {y = $NF} /Width:/ {w = $NF} /Height:/ {h = $NF}
        END {print x, y, w, h}')
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d , ;
                        echo 0 0 0 0)
    echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}
wait_gone() {
    local deadline=$((SECONDS + $2))
    while visible "$1"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

start_kinetra
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "main window did not appear"
sleep 1
activate "$main"
eval "$(xdotool getwindowgeometry --shell "$main")" # X, Y: the window's inside on the screen

# File > Open through the dialog.
xdotool key alt+f
sleep 0.5
xdotool key o
dialog=$(wait_window "Open" 10 "$KINETRA_PID") || fail "File > Open showed no dialog"
activate "$dialog"
xdotool key ctrl+a
xdotool type --delay 30 "$play"
sleep 0.3
xdotool key Return
wait_gone "Open" 5 || fail "the Open dialog stayed"
sleep 1
activate "$main"

# Find the surface on the screen: a patch of the field picture inside the window's top part.
before=$(shot opened)
read -r CX CY <<<"$(find_picture "$before" "$PROG/Surface0.BMP" 188 40 460 260)"
[ -n "$CX" ] || fail "field picture not found on the screen"
echo "surface at $CX,$CY"

# frame_on IMAGE: which frame the surface shows (1, 2 or 3), told by where player 0's white
# circle stands; 0 when it is at none of the three places or at more than one.
frame_on() {
    local colours k shown=0 count=0 y=$((CY + 280)) x=$CX
    colours=$(convert "$1" -alpha off -format \
        "%[pixel:p{$((x + 100)),$y}] %[pixel:p{$((x + 200)),$y}] %[pixel:p{$((x + 300)),$y}]" info:)
    k=0
    for c in $colours; do
        k=$((k + 1))
        case $c in white | "srgb(255,255,255)" | "rgb(255,255,255)" | "#FFFFFF")
            shown=$k count=$((count + 1)) ;;
        esac
    done
    [ "$count" -eq 1 ] && echo "$shown" || echo 0
}

[ "$(frame_on "$before")" = 1 ] || fail "the opened play does not show frame 1"

# The frame controls stand under the surface and the caption box (two lines, 32 pixels).
BY=$((CY + 373 + 32))

# Frame 2 becomes current: the right arrow of the frame scroll bar.
xdotool mousemove $((CX + 16 + 137 - 8)) $((BY + 32 + 8)) click 1
sleep 0.7
current=$(shot current)
[ "$(frame_on "$current")" = 2 ] || fail "the scroll bar did not move to frame 2"

# "Play Video" opens the Video Control window.
xdotool mousemove $((CX + 216 + 40)) $((BY + 16 + 16)) click 1
video=$(wait_window "Video Control" 10 "$KINETRA_PID") ||
    fail "Play Video showed no Video Control window"
activate "$video"
read -r mx my mw mh < <(outer_geometry "$main")
read -r vx vy _ _ < <(outer_geometry "$video")
echo "main window at $mx,$my ${mw}x$mh; Video Control at $vx,$vy"
[ "$vx" -ge $((mx + mw)) ] && [ "$vx" -le $((mx + mw + 8)) ] &&
    [ $((vy - my)) -le 2 ] && [ $((my - vy)) -le 2 ] ||
    fail "the Video Control window did not open just right of the main window"
shot video-window >/dev/null
# Keyboard only: Tab to the mode buttons, Down to Looping, Tab to the slider, End for the
# fastest speed, then Alt+P.
xdotool key Tab
sleep 0.2
xdotool key Down
sleep 0.2
xdotool key Tab
sleep 0.2
xdotool key End
sleep 0.3
xdotool key alt+p

seen=""
for i in $(seq 80); do
    f=$(frame_on "$(shot "playing-$i")")
    case " $seen " in *" $f "*) ;; *) [ "$f" = 0 ] || seen="$seen $f" ;; esac
    if [[ $seen == *1* && $seen == *2* && $seen == *3* ]]; then break; fi
done
echo "frames seen while playing:$seen"
for f in 1 2 3; do
    [[ $seen == *$f* ]] || fail "frame $f never appeared while playing (saw:$seen)"
done

# Stop with the button's key: the surface shows the current frame again, and stays on it.
activate "$video"
xdotool key alt+s
sleep 0.5
for i in 1 2 3; do
    f=$(frame_on "$(shot "stopped-$i")")
    [ "$f" = 2 ] || fail "after Stop the surface shows frame $f, not the current frame 2"
    sleep 0.4
done

# Done closes the window; the program goes on.
activate "$video"
xdotool key alt+d
wait_gone "Video Control" 5 || fail "Done left the Video Control window open"
kill -0 "$KINETRA_PID" || fail "the program ended"
kill "$KINETRA_PID" 2>/dev/null || true
wait "$KINETRA_PID" 2>/dev/null || true
