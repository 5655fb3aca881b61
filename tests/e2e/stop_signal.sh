#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SIGTERM and SIGINT end the program as a close does, without a question that nobody is there to
# answer: the program ends by itself, successfully, and writes its settings.
. "$(dirname "$0")/scenario.sh"

for signal in TERM INT; do
    rm -rf "$folder/home"
    x11_first_start "$program" "$folder" || fail "the main window did not appear"
    kill -s "$signal" "$X11_PROGRAM_PID"
    x11_wait_exit || fail "SIG$signal did not end the program"
    wait "$X11_PROGRAM_PID" || fail "SIG$signal ended the program with status $?"
    grep -q '^Path=./tmp.zvk' "$folder/home/.config/Zorvikta.ini" ||
        fail "SIG$signal: the settings were not written"
    [ ! -e "$folder/tmp.zvk" ] || fail "SIG$signal: a pattern was written without asking"
done
echo "stop signals: TERM and INT end the program and keep its settings"
