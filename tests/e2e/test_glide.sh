#!/usr/bin/env bash
# A smooth GIF of a runner on a Run line from home that rounds first on its way to second: the
# middle image shows the runner at first base, not halfway along the straight way to second.
source "$E2E_LIB"

work=$E2E_WORK/glide
mkdir -p "$work"
cd "$work"

# Two frames: the runner (offensive player 1) at home, then at second; the Run line of the
# first frame bends on first base. The same play without the runner shows what is not him.
python3 - <<'PY'
def play(name, runner):
    lines = ['2,"DAZI","1.4","Round","04-17-2026","09:30:00","Rounds first.",0']
    lines += ['"Act%d",1,3,255,0' % k for k in range(8)]
    for f, place in enumerate(([200, 339], [200, 165])):
        items = (place if runner else [0, 0]) + [0, 0] * 19 + [0] + [0, 0] * 8
        items += [0, 0, '"0"', 0, 0, '"0"']
        items += ([200, 339, 200, 165] if f == 0 else [0] * 4) + [0, 0, 0, 0] * 7
        lines.append(",".join(str(i) for i in items))
    lines += ['"O%d","D%d"' % (i, i) for i in range(10)]
    lines += ['"KINETRA-LINES",1,1', '1,0,0,1,284,254']
    open(name, "wb").write(("\r\n".join(lines) + "\r\n").encode("cp1252"))
play("run.KTR", True)
play("empty.KTR", False)
PY

for play in run empty; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$KINETRA" --export $play.gif \
        --delay 400 --smooth $play.KTR >out.txt 2>err.txt || fail "export of $play: $(cat err.txt)"
done
[ "$(identify run.gif | wc -l)" = 11 ] || fail "GIF has $(identify run.gif | wc -l) images"
convert run.gif -coalesce run-%d.png
convert empty.gif -coalesce empty-%d.png

# Where the middle image differs from the field without the runner: his disc.
box=$(convert run-5.png empty-0.png -compose difference -composite -threshold 10% \
    -format '%@' info:)
read -r w h x y < <(echo "$box" | tr 'x+' '  ')
cx=$((x + w / 2))
cy=$((y + h / 2))
# First base is at (284, 254); the straight way's middle would be (200, 252).
[ $(((cx - 284) * (cx - 284) + (cy - 254) * (cy - 254))) -lt 100 ] ||
    fail "the runner is at ($cx, $cy) halfway, not at first base"
