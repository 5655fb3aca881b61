#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# installed_program.sh BUILD_DIR SETUP_EXE (inside xvfb-run)
# A Windows user's first steps, under Wine: the installer runs silently into a fresh prefix, with
# no library path of the build's, so a missing DLL shows; the installed program starts, shows the
# grid and the lamp strip in their dark colour, lights a cell on a click, saves the 128 bytes of
# its run file and uploads them to a COM port, a Linux pseudo-terminal here.
set -euo pipefail
build=$1 setup=$2
here=$(dirname "$0")
# shellcheck source=../../scripts/wine.sh
. "$here/../../scripts/wine.sh"
# shellcheck source=../../scripts/x11-session.sh
. "$here/../../scripts/x11-session.sh"

export WINEPREFIX=$build/wine-installed WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM
rm -rf "$WINEPREFIX"
zorvikta_wine_prefix_ready

work=$(mktemp -d)
listener= program=
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null || true
    [ -n "$listener" ] && kill "$listener" 2>/dev/null || true
    zorvikta_wine_restart
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    import -window root "${TMPDIR:-/tmp}/zorvikta-windows-failure.png" || true
    [ -s "$work/program.log" ] && tail -n 20 "$work/program.log" >&2
    exit 1
}

# The id of the first visible window not among $1 (ids, one a line); waits up to 30 s. Wine gives
# the file dialog no name to look for.
new_window() {
    local id
    for _ in $(seq 1 150); do
        for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
            grep -qx "$id" <<<"$1" || { echo "$id"; return 0; }
        done
        sleep 0.2
    done
    return 1
}

# The ports are mapped before the program starts. A first start has "COM 2" chosen; both ports
# lead to the same pseudo-terminal, so the upload arrives whichever the program opens.
/usr/bin/python3 "$here/pty_listener.py" "$work/device" "$work/received" 120 240 &
listener=$!
for _ in $(seq 100); do [ -f "$work/device" ] && break; sleep 0.1; done
for port in COM1 COM2; do
    "$ZORVIKTA_WINE" reg add 'HKLM\Software\Wine\Ports' /v "$port" /d "$(cat "$work/device")" /f \
        >/dev/null
done
zorvikta_wine_restart

"$ZORVIKTA_WINE" "$setup" /S || fail "the installer failed"
installed=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Programs/Zorvikta' -type d | head -n 1)
[ -n "$installed" ] && [ -f "$installed/zorvikta.exe" ] || fail "zorvikta.exe was not installed"
[ -f "$installed/uninstall.exe" ] || fail "no uninstaller"
find "$WINEPREFIX/drive_c/users" -path '*Start Menu/Programs/Zorvikta/Zorvikta.lnk' | grep -q . \
    || fail "no Start menu entry"
"$ZORVIKTA_WINE" reg query 'HKCU\Software\Classes\.zvk' >"$work/association" 2>&1 || true
grep -q 'Zorvikta.RunFile' "$work/association" || fail ".zvk is not associated: $(cat "$work/association")"

# A fresh working folder, as a double-click on the Start menu entry gives.
mkdir -p "$work/documents"
(cd "$work/documents" && exec "$ZORVIKTA_WINE" "$installed/zorvikta.exe") \
    </dev/null >"$work/program.log" 2>&1 &
program=$!
notice=$(x11_wait_window '^Warning$' 120) || fail "no missing-file notice (a DLL missing?)"
x11_press "$notice" Return
main=$(x11_wait_window '^Эмулятор релейной бегушки' 60) || fail "the main window did not appear"
read -r left top width height < <(x11_geometry "$main")

x11_bands $left $top $width $height
bands_top=$X11_BANDS_TOP grid_y=$X11_GRID_Y dark=$X11_DARK
x11_wait_first_cells_dark "$work/shot.png" "$left" \
    || fail "first lamp $X11_LAMP and first cell $X11_CELL are not $dark"
cp "$work/shot.png" "$build/windows-first-start.png"

# A click on the first cell lights it.
xdotool mousemove --sync $((left + 7)) $((grid_y + 7)) click 1
lit=$dark
for _ in $(seq 1 25); do
    import -window root "$work/shot.png"
    lit=$(x11_pixel "$work/shot.png" $((left + 7)) $((grid_y + 7)))
    [ "$lit" != "$dark" ] && break
    sleep 0.2
done
[ "$lit" != "$dark" ] || fail "the clicked cell stayed $dark"
cp "$work/shot.png" "$build/windows-clicked.png"

# The tool bar's Save button (77 pixels in, 23 wide) asks where to keep the scratch file in the
# system's own file dialog, which offers tmp.zvk; Return takes it, and the file is written: 128
# bytes with the first step's lamp set.
shown=$(xdotool search --onlyvisible --name '' 2>/dev/null || true)
xdotool mousemove --sync $((left + 77 + 11)) $((bands_top + 3 + 11)) click 1
dialog=$(new_window "$shown") || fail "Save showed no file dialog"
sleep 1
x11_press "$dialog" Return
for _ in $(seq 1 50); do [ -f "$work/documents/tmp.zvk" ] && break; sleep 0.2; done
[ -f "$work/documents/tmp.zvk" ] || fail "Save wrote no tmp.zvk"
[ "$(stat -c %s "$work/documents/tmp.zvk")" -eq 128 ] || fail "tmp.zvk is not 128 bytes"
first=$(od -An -tx1 -N1 "$work/documents/tmp.zvk" | tr -d ' ')
[ "$first" != "00" ] || fail "the saved first step has no lamp"

# The tool bar's upload button (the first band, 273 pixels in, 24 wide, 3 down, 22 high): the
# header, the steps' lamps up to the length, end markers after it.
xdotool mousemove --sync $((left + 273 + 12)) $((bands_top + 3 + 11)) click 1
wait "$listener" || true
listener=
/usr/bin/python3 - "$work/documents/tmp.zvk" "$work/expected" <<'PY'
import sys
record = open(sys.argv[1], "rb").read()
length = record[126]
upload = bytes([0xFF, 0xFE]) + bytes(record[s] & 0xF0 if s < length else 0x01 for s in range(118))
open(sys.argv[2], "wb").write(upload)
PY
cmp -s "$work/expected" "$work/received" \
    || fail "COM1 received $(od -An -tx1 -v "$work/received" | tr -s ' \n' ' ')"
# Logging off ends the program as a stop signal does on Linux: no prompt, the settings written.
# Wine ends its session the way Windows does, asking every window first.
settings="$installed/../../../Roaming/Zorvikta/Zorvikta.ini"
rm -f "$settings"
"$ZORVIKTA_WINE" wineboot --end-session >/dev/null 2>&1 || true
for _ in $(seq 1 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.2; done
! kill -0 "$program" 2>/dev/null || fail "the program outlived the end of the session"
program=
# The last file is the one Save's dialog named, with its whole path.
grep -q '^Path=.*documents[/\\]tmp\.zvk$' "$settings" 2>/dev/null ||
    fail "the end of the session wrote no settings"
echo "installed under Wine: window, click, Save, upload and the end of a session checked"
