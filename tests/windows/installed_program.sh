#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# installed_program.sh BUILD_DIR SETUP_EXE LOCALE (inside xvfb-run)
# A Windows user's first steps, under Wine in the language LOCALE gives (C.UTF-8 English,
# ru_RU.UTF-8 Russian): the installer's pages, in that language, install into a fresh prefix with
# no library path of the build's, so a missing DLL shows, and their last page starts the program
# in the user's folder for patterns. Then the program starts from the Start menu,
# works in Documents\Zorvikta, shows the grid and the lamp strip in their dark colour, lights a cell
# on a click, saves the 128 bytes of its run file and uploads them to a COM port, a Linux
# pseudo-terminal here. Then it opens a file whose name lies outside the ANSI code page, and the
# uninstaller leaves a pattern saved in the program's folder, with the folder.
set -euo pipefail
build=$1 setup=$2 locale=$3
here=$(dirname "$0")
# shellcheck source=../../scripts/wine.sh
. "$here/../../scripts/wine.sh"
# shellcheck source=../../scripts/x11-session.sh
. "$here/../../scripts/x11-session.sh"

zorvikta_wine_locale "$locale" "$build/locales"
export WINEPREFIX=$build/wine-installed-$locale WINEARCH=win64 WINEDEBUG=-all
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
zorvikta_wine_helper "$work/device" \
    /usr/bin/python3 "$here/pty_listener.py" "$work/device" "$work/received" 120 240 ||
    fail "no pseudo-terminal for the ports"
listener=$ZORVIKTA_WINE_HELPER
zorvikta_wine_map_ports COM1="$(cat "$work/device")" COM2="$(cat "$work/device")"

# The installer's pages: the folder, then the last page with its box to start the program, which
# is checked; Return takes each page's default button.
case $locale in
ru_*) setup_title='^Установка Zorvikta [0-9.]+ *$' ;;
*) setup_title='^Zorvikta [0-9.]+ Setup *$' ;;
esac
"$ZORVIKTA_WINE" "$setup" </dev/null >"$work/setup.log" 2>&1 &
program=$!
setup_window=$(x11_wait_window "$setup_title" 60) || fail "no installer window titled $setup_title"
import -window root "$build/windows-setup-$locale.png"
x11_press "$setup_window" Return
for _ in $(seq 1 150); do
    [ -n "$(find "$WINEPREFIX/drive_c/users" -path '*Start Menu/Programs/Zorvikta/Zorvikta.lnk')" ] && break
    sleep 0.2
done
sleep 1
x11_press "$setup_window" Return
notice=$(x11_wait_window '^Warning$' 120) || fail "the installer's last page started no program"
x11_press "$notice" Return
x11_wait_window '^Эмулятор релейной бегушки' 60 >/dev/null || fail "the started program shows no window"
wait "$program" || fail "the installer failed"
program=
"$ZORVIKTA_WINE" wineboot --end-session >/dev/null 2>&1 || true
zorvikta_wine_restart

installed=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Programs/Zorvikta' -type d | head -n 1)
[ -n "$installed" ] && [ -f "$installed/zorvikta.exe" ] || fail "zorvikta.exe was not installed"
[ -f "$installed/uninstall.exe" ] || fail "no uninstaller"
shortcut=$(find "$WINEPREFIX/drive_c/users" -path '*Start Menu/Programs/Zorvikta/Zorvikta.lnk' | head -n 1)
[ -n "$shortcut" ] || fail "no Start menu entry"
installed_files=$(cd "$installed" && find . | sort)
"$ZORVIKTA_WINE" reg query 'HKCU\Software\Classes\.zvk' >"$work/association" 2>&1 || true
grep -q 'Zorvikta.RunFile' "$work/association" || fail ".zvk is not associated: $(cat "$work/association")"

# The Start menu entry starts the program in the user's folder for patterns, which the installer
# made, and where the first start saved nothing. Wine's start returns once the program runs.
patterns="$(zorvikta_wine_documents)/Zorvikta"
[ -d "$patterns" ] && [ -z "$(ls -A "$patterns")" ] || fail "no empty $patterns after installing"
working=$(/usr/bin/python3 "$here/shortcut_working_folder.py" "$shortcut") ||
    fail "the Start menu entry names no working folder"
[[ "$working" =~ ^C:\\users\\[^\\]+\\Documents\\Zorvikta$ ]] ||
    fail "the Start menu entry starts the program in $working"
"$ZORVIKTA_WINE" start /unix "$shortcut" </dev/null >"$work/program.log" 2>&1 \
    || fail "the Start menu entry did not start"
notice=$(x11_wait_window '^Warning$' 120) || fail "no missing-file notice (a DLL missing?)"
x11_press "$notice" Return
main=$(x11_wait_window '^Эмулятор релейной бегушки' 60) || fail "the main window did not appear"
read -r left top width height < <(x11_geometry "$main")

x11_bands $left $top $width $height
bands_top=$X11_BANDS_TOP grid_y=$X11_GRID_Y dark=$X11_DARK
x11_wait_first_cells_dark "$work/shot.png" "$left" \
    || fail "first lamp $X11_LAMP and first cell $X11_CELL are not $dark"
cp "$work/shot.png" "$build/windows-first-start.png"
cp "$work/shot.png" "$work/first-start.png"
first_left=$left first_top=$top

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
# system's own file dialog, which offers tmp.zvk in the folder for patterns; Return takes it, and
# the file is written: 128 bytes with the first step's lamp set. Nothing lands beside the program.
shown=$(xdotool search --onlyvisible --name '' 2>/dev/null || true)
xdotool mousemove --sync $((left + 77 + 11)) $((bands_top + 3 + 11)) click 1
dialog=$(new_window "$shown") || fail "Save showed no file dialog"
sleep 1
x11_press "$dialog" Return
for _ in $(seq 1 50); do [ -f "$patterns/tmp.zvk" ] && break; sleep 0.2; done
[ -f "$patterns/tmp.zvk" ] || fail "Save wrote no tmp.zvk in $patterns"
[ "$(stat -c %s "$patterns/tmp.zvk")" -eq 128 ] || fail "tmp.zvk is not 128 bytes"
first=$(od -An -tx1 -N1 "$patterns/tmp.zvk" | tr -d ' ')
[ "$first" != "00" ] || fail "the saved first step has no lamp"
[ "$(cd "$installed" && find . | sort)" = "$installed_files" ] ||
    fail "the program wrote into its own folder: $(cd "$installed" && find . -newer uninstall.exe)"

# The tool bar's upload button (the first band, 273 pixels in, 24 wide, 3 down, 22 high): the
# header, the steps' lamps up to the length, end markers after it.
xdotool mousemove --sync $((left + 273 + 12)) $((bands_top + 3 + 11)) click 1
wait "$listener" || true
listener=
/usr/bin/python3 - "$patterns/tmp.zvk" "$work/expected" <<'PY'
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
end_session() {
    rm -f "$settings"
    "$ZORVIKTA_WINE" wineboot --end-session >/dev/null 2>&1 || true
    for _ in $(seq 1 100); do
        xdotool search --name '^Эмулятор релейной бегушки' >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    fail "the program outlived the end of the session"
}
end_session
# The last file is the one Save's dialog named, with its whole path as Windows writes it.
grep -q '^Path=C:\\users\\.*\\Documents\\Zorvikta\\tmp\.zvk$' "$settings" 2>/dev/null ||
    fail "the end of the session wrote no settings: $(cat "$settings" 2>/dev/null)"

# A file named in Cyrillic and Greek, outside the code page of an English system (1252) and of a
# Russian one (1251): the program takes its name from the command line's wide strings, opens it
# and names it in the settings.
mkdir -p "$WINEPREFIX/drive_c/Проекты"
cp "$patterns/tmp.zvk" "$WINEPREFIX/drive_c/Проекты/огни_φως.zvk"
"$ZORVIKTA_WINE" "$installed/zorvikta.exe" 'C:\Проекты\огни_φως.zvk' \
    </dev/null >"$work/program.log" 2>&1 &
program=$!
x11_wait_window '^Эмулятор релейной бегушки: C:.Проекты.огни_φως\.zvk$' 60 >/dev/null ||
    fail "the file did not open: $(xdotool search --name '' getwindowname %@ 2>/dev/null)"
end_session
wait "$program" || true
program=
grep -q '^Path=C:\\Проекты\\огни_φως\.zvk$' "$settings" ||
    fail "the settings do not name the file: $(cat "$settings")"

# On a screen at 150 % the window grows whole, to 885×416, and the speed bar's groove and thumb
# keep the greys they have at 100 %: an edge that falls between two pixels is not blended into a
# grey of its own. Windows's scale is its DPI setting.
bar_colours() {
    convert "$1" -crop "$2" +repage -unique-colors txt:- | awk 'NR > 1 { print $3 }' | sort
}
normal_bar=$(bar_colours "$work/first-start.png" "52x15+$((first_left + 420))+$((first_top + 87))")
"$ZORVIKTA_WINE" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
zorvikta_wine_restart
"$ZORVIKTA_WINE" "$installed/zorvikta.exe" </dev/null >"$work/program.log" 2>&1 &
program=$!
main=$(x11_wait_window '^Эмулятор релейной бегушки' 60) || fail "no window at 150 %"
read -r left top width height < <(x11_geometry "$main")
[ "$width" -eq 885 ] && [ "$height" -eq 416 ] || fail "at 150 % the window is ${width}x$height"
sleep 1
import -window root "$work/scaled.png"
cp "$work/scaled.png" "$build/windows-150-percent.png"
scaled_bar=$(bar_colours "$work/scaled.png" "78x22+$((left + 630))+$((top + 131))")
[ "$scaled_bar" = "$normal_bar" ] ||
    fail "at 150 % the speed bar has the greys $(echo $scaled_bar), at 100 % $(echo $normal_bar)"
end_session
wait "$program" || true
program=

# The uninstaller takes what the installer put in its folder and leaves a pattern saved there,
# and the folder with it; the patterns in Documents and the settings stay too.
echo "an old pattern" >"$installed/мой.zvk"
"$ZORVIKTA_WINE" "$installed/uninstall.exe" /S || fail "the uninstaller failed ($?)"
# It goes on from a copy of itself, and deletes itself last.
for _ in $(seq 1 150); do [ -e "$installed/uninstall.exe" ] || break; sleep 0.2; done
sleep 1
[ "$(cd "$installed" && find . | sort)" = "$(printf '.\n./мой.zvk')" ] ||
    fail "the uninstaller left $(cd "$installed" && find . | sort | tr '\n' ' ')"
[ -f "$patterns/tmp.zvk" ] && [ -f "$settings" ] || fail "the uninstaller took the user's files"
[ ! -e "$shortcut" ] || fail "the Start menu entry is still there"
echo "installed under Wine in $locale: the installer's pages, Start menu, folder for patterns," \
    "window, click, Save, upload, the end of a session, a name outside the code page, a screen" \
    "at 150 % and the uninstaller checked"
