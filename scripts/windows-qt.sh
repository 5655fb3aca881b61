# SPDX-License-Identifier: GPL-3.0-or-later
# How Qt for 64-bit Windows is built from Debian's own qt6-base source, with the MinGW-w64 cross
# compilers: only the modules and plugins Zorvikta and its tests load. Sourced by scripts/windows.
# The finished Qt is cached per user under a name that carries a hash of this file and of the
# toolchain file, so changing the recipe builds a new Qt and an unchanged one is reused.

# The Debian version of the host's Qt: the cross-built one must match it, since the host's moc,
# rcc and uic generate code for it.
zorvikta_qt_debian_version() {
    dpkg-query -W -f='${Version}' qt6-base-dev
}

zorvikta_qt_prefix() {
    local upstream recipe
    upstream=$(zorvikta_qt_debian_version)
    upstream=${upstream%%+*}
    recipe=$(cat "$ZORVIKTA_ROOT/scripts/windows-qt.sh" "$ZORVIKTA_ROOT/cmake/mingw-w64-x86_64.cmake" \
        | sha256sum | cut -c1-12)
    echo "${XDG_CACHE_HOME:-$HOME/.cache}/zorvikta/qt-$upstream-mingw64-$recipe"
}

# The first Debian mirror the machine's apt already uses, for the deb-src entry below.
zorvikta_debian_mirror() {
    local uri
    uri=$(grep -hsE '^[[:space:]]*(URIs:|deb )' /etc/apt/sources.list.d/*.sources /etc/apt/sources.list \
        | grep -m1 -E '/debian/?([[:space:]]|$)' | sed -E 's/^[[:space:]]*(URIs:|deb( \[[^]]*\])?)[[:space:]]*//; s/[[:space:]].*//') || true
    echo "${uri:-http://deb.debian.org/debian}"
}

# Downloads and unpacks Debian's qt6-base source into $1 (with Debian's patches applied), through
# an apt configuration of our own so that the machine's sources and lists stay untouched.
zorvikta_qt_fetch_source() {
    local work=$1 apt_dir version
    apt_dir=$work/apt
    version=$(zorvikta_qt_debian_version)
    mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/archives/partial"
    printf 'deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s %s main\n' \
        "$(zorvikta_debian_mirror)" "$(. /etc/os-release && echo "$VERSION_CODENAME")" \
        >"$apt_dir/sources.list"
    local apt_options=(
        -o "Dir::Etc::SourceList=$apt_dir/sources.list"
        -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
        -o "Dir::State::Lists=$apt_dir/lists"
        -o "Dir::Cache::Archives=$apt_dir/archives"
        -o "APT::Sandbox::User=root"
    )
    apt-get "${apt_options[@]}" update
    (cd "$work" && apt-get "${apt_options[@]}" source --download-only "qt6-base=$version")
    rm -rf "$work/source"
    dpkg-source -x "$work"/qt6-base_*.dsc "$work/source"
}

# The configuration measured to cross-build: everything the program does not use is off.
# tabletevent needs the wintab headers that Debian's source leaves out; dynamicgl would keep
# OpenGL code in the Windows platform plugin although OpenGL is off. direct2d stays on: the
# Windows platform plugin's DirectWrite font database is built into Gui only with it.
zorvikta_qt_configure_options() {
    local options=(
        -DCMAKE_BUILD_TYPE=Release
        -DBUILD_SHARED_LIBS=ON
        -DQT_HOST_PATH=/usr
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
        -DQT_BUILD_EXAMPLES=OFF
        -DQT_BUILD_TESTS=OFF
        -DQT_BUILD_BENCHMARKS=OFF
        -DFEATURE_sql=OFF
        -DFEATURE_network=OFF
        -DFEATURE_dbus=OFF
        -DFEATURE_opengl=OFF
        -DFEATURE_printsupport=OFF
        -DFEATURE_concurrent=OFF
        -DFEATURE_xml=OFF
        -DFEATURE_vulkan=OFF
        -DFEATURE_tabletevent=OFF
        -DFEATURE_dynamicgl=OFF
        -DFEATURE_gif=OFF
        -DFEATURE_ico=OFF
        -DFEATURE_jpeg=ON
        -DFEATURE_system_jpeg=OFF
        -DFEATURE_system_png=OFF
        -DFEATURE_system_zlib=OFF
        -DFEATURE_system_freetype=OFF
        -DFEATURE_system_harfbuzz=OFF
        -DFEATURE_system_pcre2=OFF
        -DFEATURE_system_doubleconversion=OFF
        -DFEATURE_zstd=OFF
    )
    printf '%s\n' "${options[@]}"
}

# Prints the newest "[done/total]" step of the build log every half minute until the build ends.
zorvikta_qt_show_progress() {
    local log=$1 pid=$2 step
    while kill -0 "$pid" 2>/dev/null; do
        sleep 30
        step=$(grep -oE '^\[[0-9]+/[0-9]+\]' "$log" | tail -n1 || true)
        echo "Qt for Windows: ${step:-configuring} ($(date +%H:%M:%S))"
    done
}

# Builds and installs Qt for Windows unless the cache already has it; prints nothing else when
# it does. A half-built Qt is never taken for a finished one: it is installed beside the final
# folder and renamed into place at the end.
zorvikta_qt_for_windows() {
    local prefix work log options
    prefix=$(zorvikta_qt_prefix)
    if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
        echo "Qt for Windows: reusing $prefix"
        return 0
    fi
    work=$prefix.work
    log=$work/build.log
    mkdir -p "$work"
    echo "Qt for Windows: building into $prefix (log: $log); this takes most of an hour"
    zorvikta_qt_fetch_source "$work" >"$work/source.log" 2>&1 \
        || { tail -n 20 "$work/source.log" >&2; return 1; }
    mapfile -t options < <(zorvikta_qt_configure_options)
    rm -rf "$work/build" "$prefix.partial"
    (
        cmake -S "$work/source" -B "$work/build" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$ZORVIKTA_ROOT/cmake/mingw-w64-x86_64.cmake" \
            -DCMAKE_C_COMPILER_LAUNCHER="$(command -v ccache || true)" \
            -DCMAKE_CXX_COMPILER_LAUNCHER="$(command -v ccache || true)" \
            -DCMAKE_INSTALL_PREFIX="$prefix.partial" "${options[@]}" \
            && cmake --build "$work/build" \
            && cmake --install "$work/build"
    ) >"$log" 2>&1 &
    local pid=$!
    zorvikta_qt_show_progress "$log" "$pid"
    if ! wait "$pid"; then
        tail -n 40 "$log" >&2
        echo "Qt for Windows: the build failed; the whole log is $log" >&2
        return 1
    fi
    mv "$prefix.partial" "$prefix"
    rm -rf "$work"
    echo "Qt for Windows: installed in $prefix"
}
