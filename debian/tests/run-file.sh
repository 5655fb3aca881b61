# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Writes run files for the autopkgtests, byte by byte from the file's layout. Sourced, not run.

# write_run_file NAME CHANNELS LENGTH SPEED STEP...: the steps given (two hex digits each), then
# end markers (01) up to and including byte 121, three reserved zero bytes, and the channel
# count, length and speed, 128 bytes in all.
write_run_file() {
    local name=$1 channels=$2 length=$3 speed=$4 step count=0
    shift 4
    {
        for step in "$@"; do
            printf '%b' "\\x$step"
            count=$((count + 1))
        done
        while [ "$count" -lt 122 ]; do
            printf '\001'
            count=$((count + 1))
        done
        printf '\000\000\000'
        printf '%b' "\\x$(printf %02x "$channels")\\x$(printf %02x "$length")\\x$(printf %02x "$speed")"
    } >"$name"
}

# The run file the tests share: four channels, eight steps, speed 230.
write_known_file() {
    write_run_file "$1" 4 8 230 80 40 20 10 c0 30 f0 00
}
