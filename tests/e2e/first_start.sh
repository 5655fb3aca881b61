#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A new user's first start on a real X server: the window comes up after the missing-file
# notice, the grid and the lamps show their dark colour where the layout puts them, and the
# program closes through its menu, asking to save and writing its settings.
. "$(dirname "$0")/scenario.sh"

x11_first_start "$program" "$folder" || fail "the main window did not appear"
read -r left top width height < <(x11_geometry "$X11_MAIN")
[ "$width" -eq 590 ] || fail "client width $width, expected 590"

x11_bands $left $top $width $height
bands_top=$X11_BANDS_TOP strip_y=$X11_STRIP_Y grid_y=$X11_GRID_Y dark=$X11_DARK
x11_wait_first_cells_dark "$folder/shot.png" "$left" \
    || fail "first lamp $X11_LAMP and first cell $X11_CELL are not $dark"

for group in 0 4 8; do
    for lamp in 0 3; do
        x=$((left + 64 * group + 16 * lamp + 7))
        got=$(x11_pixel "$folder/shot.png" "$x" "$strip_y")
        [ "$got" = "$dark" ] || fail "lamp $lamp of group $group is $got"
    done
done
for column in 0 3 7; do
    for row in 0 3; do
        got=$(x11_pixel "$folder/shot.png" $((left + 16 * column + 7)) $((grid_y + 16 * row + 7)))
        [ "$got" = "$dark" ] || fail "grid cell $column,$row is $got"
    done
done
beyond=$(x11_pixel "$folder/shot.png" $((left + 16 * 10 + 7)) $((grid_y + 7)))
[ "$beyond" != "$dark" ] || fail "a step beyond the length is drawn"

# Файл → Exit, then No to the save question.
xdotool mousemove --sync $((left + 15)) $((bands_top - 8)) click 1
sleep 0.5
menu=$(xdotool search --onlyvisible --class zorvikta 2>/dev/null | tail -n 1)
x11_press "$menu" Up Return
question=$(x11_wait_window '^Warning$') || fail "no save question on closing"
x11_press "$question" Escape

x11_wait_exit || fail "the program did not end after Exit"
wait "$X11_PROGRAM_PID" || fail "the program ended with an error"
[ -f "$folder/home/.config/Zorvikta.ini" ] || fail "the settings file was not written"
grep -q '^Path=./tmp.zvk' "$folder/home/.config/Zorvikta.ini" || fail "the settings lack the last file"
[ ! -e "$folder/tmp.zvk" ] || fail "a file was written although the answer was No"
echo "first start: window, grid, lamps and closing checked"
