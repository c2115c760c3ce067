#!/usr/bin/env bash
# cmake --install into a staging folder (DESTDIR) with a prefix of its own: the program folder,
# the command, the desktop entry, the icons and the play file type, checked file by file; then
# the installed program started through its command with the program folder read-only.
source "$E2E_LIB"
[ -d "${KINETRA_BUILD_DIR:-}" ] || fail "KINETRA_BUILD_DIR does not name the build folder"
data=$(cd "$(dirname "$E2E_LIB")/../data" && pwd)
built=$KINETRA_BUILD_DIR/bin
dest=$E2E_WORK/dest
prefix=/opt/kinetra-e2e
DESTDIR=$dest cmake --install "$KINETRA_BUILD_DIR" --prefix "$prefix" >"$E2E_WORK/out/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -5 "$E2E_WORK/out/install.log")"
root=$dest$prefix
lib=$root/lib/kinetra

# ---- The program folder: what the build's holds, less the programs that are no part of it ----
[ -f "$lib/kinetra" ] && [ -x "$lib/kinetra" ] || fail "no program at lib/kinetra/kinetra"
for f in Surface0.BMP Surface1.BMP Surface2.BMP Surface3.BMP Sym1.bmp Sym2.bmp Sym3.bmp Sym4.bmp \
         Sym5.bmp Sym6.bmp Sym7.bmp Sym8.bmp; do
    [ -f "$lib/$f" ] || fail "program folder lacks $f"
    # Its companions drawn at two and four times the resolution stand beside it.
    for density in 2 4; do
        companion="${f%.*}@${density}x.png"
        [ -f "$lib/$companion" ] || fail "program folder lacks $companion"
    done
done
[ -d "$lib/Plays" ] || fail "program folder lacks Plays/"
while IFS= read -r -d '' f; do
    f=${f#./}
    if [ "$f" = kinetra ] || [ "$f" = Ktrlog.txt ]; then continue; fi
    if [ -x "$built/$f" ]; then
        [ ! -e "$lib/$f" ] || fail "build program $f was installed into the program folder"
    else
        cmp -s "$built/$f" "$lib/$f" || fail "$f is not installed as built"
    fi
done < <(cd "$built" && find . -type f -print0)
while IFS= read -r -d '' f; do
    f=${f#./}
    [ -e "$built/$f" ] || fail "installed $f does not come from the program folder"
done < <(cd "$lib" && find . -type f -print0)
[ -z "$(find "$lib" -perm /022)" ] || fail "program folder has files others may write: $(find "$lib" -perm /022 | head -3)"

# ---- The command: a relative link, so the staged tree works where it lies ----
[ -L "$root/bin/kinetra" ] || fail "bin/kinetra is not a link"
[ "$(readlink "$root/bin/kinetra")" = ../lib/kinetra/kinetra ] ||
    fail "bin/kinetra points at $(readlink "$root/bin/kinetra")"
[ "$(realpath "$root/bin/kinetra")" = "$(realpath "$lib/kinetra")" ] || fail "bin/kinetra does not reach the program"

# ---- Desktop entry ----
entry=$root/share/applications/kinetra.desktop
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry"
for line in "Type=Application" "Name=Kinetra" "Exec=kinetra %f" "Icon=kinetra" \
            "MimeType=application/x-kinetra-play;"; do
    grep -qxF "$line" "$entry" || fail "desktop entry lacks '$line'"
done
for key in GenericName Comment Categories; do
    grep -q "^$key=." "$entry" || fail "desktop entry lacks $key"
done

# ---- File type: well-formed XML naming the glob, and what the MIME database makes of it ----
mime=$root/share/mime/packages/kinetra.xml
xmllint --noout "$mime" || fail "MIME package is not well-formed"
python3 - "$mime" <<'PY' || fail "MIME package does not declare *.ktr as application/x-kinetra-play"
import sys, xml.etree.ElementTree as ET
ns = "{http://www.freedesktop.org/standards/shared-mime-info}"
types = ET.parse(sys.argv[1]).getroot().findall(ns + "mime-type")
play = [t for t in types if t.get("type") == "application/x-kinetra-play"]
assert len(play) == 1
globs = play[0].findall(ns + "glob")
assert any(g.get("pattern") == "*.ktr" and g.get("case-sensitive", "false") != "true" for g in globs)
PY
cp -r "$root/share/mime" "$E2E_WORK/mime"
update-mime-database "$E2E_WORK/mime" >"$E2E_WORK/out/mime.log" 2>&1 || fail "update-mime-database refuses the package"
grep -qE '^[0-9]+:application/x-kinetra-play:\*\.ktr$' "$E2E_WORK/mime/globs2" ||
    fail "MIME database has no case-insensitive *.ktr glob: $(grep kinetra "$E2E_WORK/mime/globs2")"

# ---- Icons: the baseball at every size, for the program and for play files ----
for size in 16 22 24 32 48 64 128 256; do
    for icon in apps/kinetra.png mimetypes/application-x-kinetra-play.png; do
        png=$root/share/icons/hicolor/${size}x${size}/$icon
        [ -f "$png" ] || fail "no icon $png"
        [ "$(identify -format '%m %w %h' "$png")" = "PNG $size $size" ] || fail "$png is not a $size px PNG"
        covered=$(convert "$png" -alpha extract -format '%[fx:mean>0.3]' info:)
        [ "$covered" = 1 ] || fail "$png is (nearly) empty"
    done
done

# ---- The installed program with a read-only program folder ----
# A play with a damaged frame, named on the command line: its report must reach a log the
# user can write.
mkdir -p "$E2E_WORK/home" "$E2E_WORK/plays"
sed '10s/^0,/abc,/' "$data/new_play.KTR" >"$E2E_WORK/plays/damaged.KTR"
chmod -R a-w "$lib"
export HOME=$E2E_WORK/home XDG_STATE_HOME=$E2E_WORK/state
KINETRA=$root/bin/kinetra
start_kinetra_with() { (cd "$E2E_WORK/plays" && exec "$KINETRA" "$@" >>"$E2E_WORK/out/kinetra.log" 2>&1) & KINETRA_PID=$!; }
start_kinetra_with damaged.KTR
main=$(wait_window "Kinetra V1.4.0" 30 "$KINETRA_PID") || fail "installed program showed no main window"
report=$(wait_window "Reading Play" 15 "$KINETRA_PID") || fail "the damaged play was not reported"
activate "$report"
xdotool key Return
# The reader's own message about the damaged play, if it gives one, is answered as well.
if box=$(wait_window "Kinetra" 3 "$KINETRA_PID"); then
    activate "$box"
    xdotool key Return
fi
log=$XDG_STATE_HOME/DAZI/Ktrlog.txt
for _ in $(seq 25); do [ -s "$log" ] && break; sleep 0.2; done
[ -s "$log" ] || fail "no log in the state folder"
grep -q '"Reading Play","Error : ' "$log" || fail "log does not hold the report: $(cat "$log")"
found=$(find "$lib" "$E2E_WORK/plays" "$HOME" -name Ktrlog.txt)
[ -z "$found" ] || fail "log written outside the state folder: $found"
close_window "$main"
wait_exit "$KINETRA_PID" 20 || fail "installed program did not end"
[ -f "$XDG_CONFIG_HOME/DAZI/DAZI.ini" ] || fail "installed program stored no settings"
chmod -R u+w "$lib"
echo "PASS install"
