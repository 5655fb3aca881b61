#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SIGTERM, SIGINT and SIGHUP (its terminal closed) end the program as a close does, without a
# question that nobody is there to answer: the program ends by itself, successfully, and writes
# its settings. A signal that comes while the close's own save prompt, or start-up's notice of a
# missing file, stands open takes the box away unanswered.
. "$(dirname "$0")/scenario.sh"

# Changes the pattern, then Файл → Exit, and waits for the save prompt.
open_close_prompt() {
    local left top width height bands_top menu
    read -r left top width height < <(x11_geometry "$X11_MAIN")
    bands_top=$((top + height - 259))
    xdotool mousemove --sync $((left + 7)) $((bands_top + 156 + 7)) click 1
    xdotool mousemove --sync $((left + 15)) $((bands_top - 8)) click 1
    sleep 0.5
    menu=$(xdotool search --onlyvisible --class zorvikta 2>/dev/null | tail -n 1)
    x11_press "$menu" Up Return
    x11_wait_window '^Warning$' >/dev/null
}

for moment in idle at-close-prompt at-start-notice; do
    for signal in TERM INT HUP; do
        rm -rf "$folder/home"
        if [ "$moment" = at-start-notice ]; then
            x11_start "$program" "$folder"
            x11_wait_window '^Warning$' >/dev/null || fail "no notice of the missing file at start"
        else
            x11_first_start "$program" "$folder" || fail "the main window did not appear"
        fi
        if [ "$moment" = at-close-prompt ]; then
            open_close_prompt || fail "$moment: no save prompt on closing"
        fi
        kill -s "$signal" "$X11_PROGRAM_PID"
        x11_wait_exit || fail "$moment: SIG$signal did not end the program"
        wait "$X11_PROGRAM_PID" || fail "$moment: SIG$signal ended the program with status $?"
        grep -q '^Path=./tmp.zvk' "$folder/home/.config/Zorvikta.ini" ||
            fail "$moment: SIG$signal: the settings were not written"
        [ ! -e "$folder/tmp.zvk" ] || fail "$moment: SIG$signal: a pattern was written without asking"
    done
done
echo "stop signals: TERM, INT and HUP end the program and keep its settings, at its close prompt and start-up notice too"
