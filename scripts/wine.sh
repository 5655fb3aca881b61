# SPDX-License-Identifier: GPL-3.0-or-later
# Running the programs of the Windows build under Wine. Sourced, not run.
# Debian's /usr/bin/wine asks for the 32-bit Wine; wine64 runs 64-bit programs by itself.
ZORVIKTA_WINE=/usr/lib/wine/wine64
ZORVIKTA_MINGW_RUNTIME_DIRS=(
    "$(dirname "$(x86_64-w64-mingw32-gcc-posix -print-libgcc-file-name)")"
    /usr/x86_64-w64-mingw32/lib
)

# The Windows name of a Linux path: Wine's drive Z: is the root folder.
zorvikta_wine_path() {
    local path=$1
    echo "Z:${path//\//\\}"
}

# zorvikta_wine_env PREFIX_FOLDER QT_PREFIX
# A quiet Wine with its own prefix, which finds the Qt and MinGW runtime libraries and Qt's
# plugins without copying them. A new prefix is not to offer Mono and Gecko. Under a locale set by
# zorvikta_wine_locale other than C.UTF-8 the prefix is PREFIX_FOLDER-<locale>.
zorvikta_wine_env() {
    local prefix=$1
    [ "${LC_ALL:-C.UTF-8}" = C.UTF-8 ] || prefix+=-$LC_ALL
    export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    local dirs=("$2/bin" "${ZORVIKTA_MINGW_RUNTIME_DIRS[@]}") dir path=""
    for dir in "${dirs[@]}"; do
        path+="${path:+;}$(zorvikta_wine_path "$dir")"
    done
    export WINEPATH=$path
    QT_PLUGIN_PATH=$(zorvikta_wine_path "$2/plugins")
    export QT_PLUGIN_PATH
    zorvikta_wine_pass_qt_variables
}

# zorvikta_wine_locale LOCALE FOLDER
# Wine takes a new prefix's language and code pages from the host's locale: C.UTF-8 gives an
# English Windows (ANSI 1252, console 437), ru_RU.UTF-8 a Russian one (1251, 866). A locale the
# host has not generated is made into FOLDER from the locales package's sources. A prefix keeps
# the language it was made in, so each locale needs a prefix of its own.
zorvikta_wine_locale() {
    local locale=$1 folder=$2
    unset LANGUAGE
    if [ "$locale" != C.UTF-8 ]; then
        mkdir -p "$folder"
        flock "$folder/.lock" bash -c '[ -d "$2/$1" ] ||
            localedef -i "${1%%.*}" -f "${1#*.}" "$2/$1"' _ "$locale" "$folder"
        export LOCPATH=$folder
    fi
    # Only the programs started from here find the locale in LOCPATH; bash, which cannot, warns.
    export LC_ALL=$locale 2>/dev/null
}

# Wine keeps the host's QT_* variables (QT_QPA_PLATFORM, say) from Windows programs, and hands
# each WINEQT_* variable on as QT_*.
zorvikta_wine_pass_qt_variables() {
    local name
    for name in $(compgen -e QT_); do
        export "WINE$name=${!name}"
    done
}

# Qt's offscreen platform takes its fonts from one folder, not from Windows: $1 is made to hold
# the fonts the program asks for, from the host, and QT_QPA_FONTDIR names it.
zorvikta_wine_offscreen_fonts() {
    mkdir -p "$1"
    ln -sf /usr/share/fonts/truetype/liberation2/*.ttf /usr/share/fonts/truetype/dejavu/*.ttf "$1"
    QT_QPA_FONTDIR=$(zorvikta_wine_path "$1")
    export QT_QPA_FONTDIR
}

# Creates the prefix once; tests started side by side wait for the first to finish it. Wine links
# the user's folders (Documents, Desktop...) to the host's home: a prefix of the tests gets folders
# of its own, so that what a program keeps in Documents stays inside the prefix.
zorvikta_wine_prefix_ready() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    flock "$WINEPREFIX.lock" bash -c '
        [ -f "$WINEPREFIX/system.reg" ] && exit 0
        "$0" wineboot --init >/dev/null 2>&1
        "$(dirname "$0")/wineserver" -w
        for folder in "$WINEPREFIX"/drive_c/users/*/*; do
            if [ -L "$folder" ]; then rm "$folder" && mkdir "$folder"; fi
        done' "$ZORVIKTA_WINE"
}

# The Linux path of the prefix user's Documents folder.
zorvikta_wine_documents() {
    find "$WINEPREFIX/drive_c/users" -mindepth 2 -maxdepth 2 -name Documents -type d \
        ! -path '*/Public/*' | head -n 1
}

# Ends the prefix's Wine server and its programs, so that the next program starts a new one that
# reads the registry afresh (a port mapping, say).
zorvikta_wine_restart() {
    "$(dirname "$ZORVIKTA_WINE")/wineserver" -k >/dev/null 2>&1 || true
}

# A scratch folder for one script, in ZORVIKTA_WINE_WORK, removed on exit together with the helper
# zorvikta_wine_helper started. The prefix's Wine server goes first: it holds the helper's devices,
# and their hang-up would have it print its objects.
zorvikta_wine_work() {
    ZORVIKTA_WINE_WORK=$(mktemp -d)
    ZORVIKTA_WINE_HELPER=
    trap zorvikta_wine_work_cleanup EXIT
}

zorvikta_wine_work_cleanup() {
    zorvikta_wine_restart
    if [ -n "$ZORVIKTA_WINE_HELPER" ]; then
        kill "$ZORVIKTA_WINE_HELPER" 2>/dev/null || true
    fi
    rm -rf "$ZORVIKTA_WINE_WORK"
}

# zorvikta_wine_helper READY_FILE COMMAND...
# Starts the Linux end of a line in the background (its PID in ZORVIKTA_WINE_HELPER) and waits
# until it has written READY_FILE, which names its devices.
zorvikta_wine_helper() {
    local ready=$1
    shift
    "$@" &
    ZORVIKTA_WINE_HELPER=$!
    for _ in $(seq 300); do
        [ -f "$ready" ] && return 0
        sleep 0.1
    done
    echo "the line's Linux end did not start: $*" >&2
    return 1
}

# zorvikta_wine_map_ports PORT=DEVICE...
# Maps each COM port to a Linux device and restarts the prefix's Wine server, which reads the
# mapping only when it starts.
zorvikta_wine_map_ports() {
    local mapping
    for mapping in "$@"; do
        "$ZORVIKTA_WINE" reg add 'HKLM\Software\Wine\Ports' /v "${mapping%%=*}" \
            /d "${mapping#*=}" /f >/dev/null
    done
    zorvikta_wine_restart
}
