# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for driving Zorvikta on an X server (run inside xvfb-run). Sourced, not run.

# Prints the id of the first visible window whose name matches the pattern; waits up to $2 s.
x11_wait_window() {
    local pattern=$1 deadline=$((SECONDS + ${2:-30})) id
    while [ "$SECONDS" -lt "$deadline" ]; do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# Gives the window the keyboard (there is no window manager) and presses the keys.
x11_press() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window" key --clearmodifiers "$@"
}

# "left top width height" of a window's inside, in screen pixels.
x11_geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X/ { x = $NF }
        /Absolute upper-left Y/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        END { print x, y, w, h }'
}

# The colour of one pixel of an image, as RRGGBB.
x11_pixel() {
    convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6
}

# Starts the program in a fresh home, working in the given folder ($1: the executable,
# $2: the folder); its process id is left in X11_PROGRAM_PID. Call it directly, not inside $(...),
# which would wait for the program to end.
x11_start() {
    local program=$1 folder=$2
    export HOME=$folder/home XDG_CONFIG_HOME=$folder/home/.config QT_QPA_PLATFORM=xcb
    mkdir -p "$HOME"
    (cd "$folder" && exec "$program") </dev/null >"$folder/program.log" 2>&1 &
    X11_PROGRAM_PID=$!
}

# Ends the program started by x11_start if it still runs.
x11_stop() {
    if [ -n "${X11_PROGRAM_PID:-}" ]; then
        kill "$X11_PROGRAM_PID" 2>/dev/null || true
    fi
}

# Waits up to $1 s (10 if not given) for the program started by x11_start to end; fails if it
# still runs then.
x11_wait_exit() {
    local _
    for _ in $(seq 1 $((${1:-10} * 10))); do
        kill -0 "$X11_PROGRAM_PID" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# A first start: answers the missing-file notice and leaves the main window's id in X11_MAIN.
x11_first_start() {
    local notice
    x11_start "$1" "$2"
    notice=$(x11_wait_window '^Warning$') || return 1
    x11_press "$notice" Return
    X11_MAIN=$(x11_wait_window '^Эмулятор релейной бегушки')
}

# The main window's bands, from its inside ("left top width height" as x11_geometry gives): at the
# design size the bands below the menu bar take the window's lowest 259 pixels. Sets
# X11_BANDS_TOP, X11_STRIP_Y (the lamps' middle row) and X11_GRID_Y (the grid's top).
x11_bands() {
    X11_BANDS_TOP=$(($2 + $4 - 259))
    X11_STRIP_Y=$((X11_BANDS_TOP + 89 + 7))
    X11_GRID_Y=$((X11_BANDS_TOP + 156))
}

# The dark colour of an unlit lamp and an empty cell.
X11_DARK=C0DCC0

# Waits up to ten seconds until the first lamp and the first grid cell show X11_DARK in a
# screenshot ($1: the file, $2: the window's left edge; x11_bands first). Leaves what it saw in
# X11_LAMP and X11_CELL, and the last screenshot in the file.
x11_wait_first_cells_dark() {
    local attempt
    for attempt in $(seq 1 50); do
        import -window root "$1"
        X11_LAMP=$(x11_pixel "$1" $(($2 + 7)) "$X11_STRIP_Y")
        X11_CELL=$(x11_pixel "$1" $(($2 + 7)) $((X11_GRID_Y + 7)))
        [ "$X11_LAMP" = "$X11_DARK" ] && [ "$X11_CELL" = "$X11_DARK" ] && return 0
        sleep 0.2
    done
    return 1
}
