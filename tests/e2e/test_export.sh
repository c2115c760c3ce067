#!/usr/bin/env bash
# The command-line export: the real program with no display, each format checked with a
# reader of its own (Python's standard library, ImageMagick, pdfinfo).
source "$E2E_LIB"

work=$E2E_WORK/export
mkdir -p "$work/pics"
cd "$work"

# A play of three frames in which the players and a symbol move.
python3 - <<'PY'
lines = ['3,"DAZI","1.4","Squeeze","04-17-2026","09:30:00","Bunt to first.",0']
lines += ['"Act%d",1,3,255,0' % k for k in range(8)]
for f in range(3):
    items = []
    for p in range(10):
        items += [40 + 30 * p + 25 * f, 60 + 15 * p]
    for p in range(10):
        items += [50 + 28 * p, 250 - 20 * f]
    items += [f]
    items += [30 + 40 * f, 320] + [0, 0] * 7
    items += [20, 345, '"Frame %d"' % (f + 1), 0, 0, '"0"']
    items += [100, 100, 160 + 10 * f, 180] + [0, 0, 0, 0] * 7
    lines.append(",".join(str(i) for i in items))
lines += ['"O%d","D%d"' % (i, i) for i in range(10)]
open("play.KTR", "wb").write(("\r\n".join(lines) + "\r\n").encode("cp1252"))
PY

# Runs the program with no display; output and status in OUT, ERR and STATUS.
export_run() {
    STATUS=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$KINETRA" "$@" \
        >out.txt 2>err.txt || STATUS=$?
}

export_run --version
[ "$STATUS" = 0 ] && [ "$(cat out.txt)" = "Kinetra 1.4.0" ] ||
    fail "--version: $STATUS $(cat out.txt)"
export_run --help
[ "$STATUS" = 0 ] && grep -q -- "--export OUT" out.txt || fail "--help printed no usage"

# Pictures: one frame, then every frame.
export_run --export one.png --frame 2 play.KTR
[ "$STATUS" = 0 ] || fail "png export ended with $STATUS: $(cat err.txt)"
export_run --export pics/bunt.BMP --all play.KTR
[ "$STATUS" = 0 ] || fail "bmp export ended with $STATUS: $(cat err.txt)"
[ "$(ls pics)" = "$(printf 'bunt-001.BMP\nbunt-002.BMP\nbunt-003.BMP')" ] ||
    fail "--all wrote: $(ls pics)"
python3 - <<'PY' || fail "the pictures are not a PNG and BMPs of the field's size"
import struct
png = open("one.png", "rb").read()
assert png[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
w, h = struct.unpack(">II", png[16:24])
for name in ("pics/bunt-001.BMP", "pics/bunt-002.BMP", "pics/bunt-003.BMP"):
    bmp = open(name, "rb").read()
    assert bmp[:2] == b"BM", name
    bw, bh = struct.unpack("<ii", bmp[18:26])
    assert (bw, abs(bh)) == (w, h), (name, bw, bh, w, h)
assert (w, h) != (0, 0)
PY
[ "$(compare -metric AE one.png pics/bunt-002.BMP null: 2>&1)" = 0 ] ||
    fail "the PNG and BMP of frame 2 differ"
[ "$(compare -metric AE pics/bunt-001.BMP pics/bunt-002.BMP null: 2>&1)" != 0 ] ||
    fail "frames 1 and 2 came out the same"

# Animated GIF: three frames, or with --smooth the in-between images too.
export_run --export play.gif --delay 500 play.KTR
[ "$STATUS" = 0 ] || fail "gif export ended with $STATUS: $(cat err.txt)"
[ "$(identify play.gif | wc -l)" = 3 ] || fail "GIF has $(identify play.gif | wc -l) frames"
[ "$(identify -format '%T ' play.gif)" = "50 50 50 " ] ||
    fail "GIF delays $(identify -format '%T ' play.gif)"
export_run --export smooth.gif --delay 200 --smooth play.KTR
[ "$STATUS" = 0 ] || fail "smooth gif export ended with $STATUS: $(cat err.txt)"
# 200 ms is five steps of 40 ms: four images between each two frames.
[ "$(identify smooth.gif | wc -l)" = 11 ] ||
    fail "smooth GIF has $(identify smooth.gif | wc -l) frames"
python3 - <<'PY' || fail "the GIF does not loop forever"
data = open("smooth.gif", "rb").read()
assert data[:6] == b"GIF89a"
i = data.index(b"NETSCAPE2.0")
assert data[i + 11:i + 15] == b"\x03\x01\x00\x00", data[i + 11:i + 15]
PY

# PDF: all frames, large, then the notes page.
export_run --export play.pdf play.KTR
[ "$STATUS" = 0 ] || fail "pdf export ended with $STATUS: $(cat err.txt)"
[ "$(pdfinfo play.pdf | awk '/^Pages:/ {print $2}')" = 4 ] || fail "PDF pages: $(pdfinfo play.pdf)"
export_run --export small.pdf --small --no-notes play.KTR
[ "$STATUS" = 0 ] || fail "small pdf export ended with $STATUS: $(cat err.txt)"
[ "$(pdfinfo small.pdf | awk '/^Pages:/ {print $2}')" = 1 ] ||
    fail "small PDF pages: $(pdfinfo small.pdf)"

# Bad arguments: 2 and the usage; an unreadable play or an unwritable place: 1, no file.
export_run --export x.jpg play.KTR
[ "$STATUS" = 2 ] && grep -q "Usage:" err.txt && [ ! -s out.txt ] ||
    fail "bad extension gave $STATUS"
export_run --export x.png --smooth play.KTR
[ "$STATUS" = 2 ] || fail "--smooth on a PNG gave $STATUS"
export_run --export x.png missing.KTR
[ "$STATUS" = 1 ] && grep -qx "kinetra: missing.KTR: no such file" err.txt ||
    fail "missing play gave $STATUS: $(cat err.txt)"
export_run --export nowhere/x.gif play.KTR
[ "$STATUS" = 1 ] && grep -qx "kinetra: 76 Path not found: nowhere/x.gif" err.txt ||
    fail "missing folder gave $STATUS: $(cat err.txt)"
[ ! -e x.png ] && [ ! -e nowhere ] || fail "a failed export left a file"

# A damaged play fails on standard error alone; no error log appears where the command ran.
head -c 600 play.KTR >cut.KTR
export_run --export cut.png cut.KTR
[ "$STATUS" = 1 ] && grep -q "^kinetra: " err.txt || fail "damaged play gave $STATUS"
[ ! -e Ktrlog.txt ] || fail "a failed export wrote Ktrlog.txt: $(cat Ktrlog.txt)"

# No display at all, or one that does not answer: the export runs offscreen all the same.
dead=77
while [ -e /tmp/.X11-unix/X$dead ] || [ -e /tmp/.X$dead-lock ]; do dead=$((dead + 1)); done
for display in "" ":$dead"; do
    rm -f shown.png
    STATUS=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ${display:+DISPLAY=$display} \
        "$KINETRA" --export shown.png play.KTR >out.txt 2>err.txt || STATUS=$?
    [ "$STATUS" = 0 ] && [ -s shown.png ] ||
        fail "export with DISPLAY='$display' ended with $STATUS: $(cat err.txt)"
done

# Ctrl+C, SIGTERM, a closed terminal (SIGHUP) or SIGQUIT during a long export (a play, or
# a playbook of two): its temporary files go and the status names the signal. Job control
# keeps SIGINT for the background program, as a terminal would.
python3 - <<'PY'
lines = ['600,"DAZI","1.4","Long","04-17-2026","09:30:00","",0']
lines += ['"Act%d",1,3,255,0' % k for k in range(8)]
for f in range(600):
    items = [40 + (p * 37 + f) % 400 for p in range(40)] + [0]
    items += [30 + f % 300, 320] + [0, 0] * 7
    items += [20, 345, '"Frame %d"' % (f + 1), 0, 0, '"0"']
    items += [100, 100, 160 + f % 200, 180] + [0, 0, 0, 0] * 7
    lines.append(",".join(str(i) for i in items))
lines += ['"O%d","D%d"' % (i, i) for i in range(10)]
open("long.KTR", "wb").write(("\r\n".join(lines) + "\r\n").encode("cp1252"))
PY
set -m
for case in "INT 130 long.pdf" "TERM 143 long.png --all" "HUP 129 long.pdf" \
    "QUIT 131 long.bmp --all" "HUP 129 book.pdf long.KTR" "QUIT 131 book.pdf long.KTR" \
    "TERM 143 long.gif"; do
    read -r sig code name options <<<"$case"
    rm -rf stop && mkdir stop
    env -u DISPLAY "$KINETRA" --export "stop/$name" $options long.KTR >out.txt 2>err.txt &
    pid=$!
    deadline=$((SECONDS + 30))
    until [ -n "$(ls -A stop)" ]; do
        kill -0 $pid 2>/dev/null || fail "the $name export ended before any file was begun"
        [ $SECONDS -lt $deadline ] || fail "the $name export began no file"
        sleep 0.05
    done
    kill -s "$sig" $pid
    wait_exit $pid 30 || fail "SIG$sig did not end the $name export"
    [ "$EXIT_CODE" = "$code" ] || fail "SIG$sig ended the $name export with $EXIT_CODE"
    [ -z "$(ls -A stop)" ] || fail "SIG$sig left files of the $name export: $(ls -A stop)"
done
set +m

# The README's export examples, as written, run where the built program is build/bin.
readme=$(dirname "$E2E_LIB")/../../README.md
mkdir -p readme/build
ln -s "$PROG" readme/build/bin
examples=$(awk '/^## Sharing a play/ { s = 1; next } /^## / { s = 0 }
                s && /^```/ { f = !f; next } s && f' "$readme")
grep -q -- "--export" <<<"$examples" || fail "the README shows no export example"
while IFS= read -r example; do
    written=$(sed -E 's/.*--export ([^ ]+).*/\1/' <<<"$example")
    (cd readme && env -u DISPLAY bash -c "$example") </dev/null >out.txt 2>err.txt ||
        fail "the README example failed: $example: $(cat err.txt)"
    [ -s "readme/$written" ] || fail "the README example wrote no $written"
done <<<"$examples"

# No lock, no settings written.
[ -z "$(ls -A "$XDG_CONFIG_HOME")" ] ||
    fail "the export wrote settings: $(ls -R "$XDG_CONFIG_HOME")"
[ ! -e "$XDG_RUNTIME_DIR/kinetra.lock" ] || fail "the export took the instance lock"
echo "PASS export"
