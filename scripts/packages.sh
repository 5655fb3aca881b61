# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages Zorvikta needs, by names that Debian 12 and 13 both have: the one list
# that scripts/run and scripts/test share. Sourced, not run.

# Building and running the program.
ZORVIKTA_BUILD_PACKAGES=(
    cmake
    ninja-build
    g++
    pkgconf
    qt6-base-dev
    qt6-serialport-dev
    libqt6gui6
    libgl-dev
    fonts-dejavu-core
    fonts-liberation2
    qt6-translations-l10n
)

# Running the test suite on top of that: a real X server for the end-to-end test,
# driving it and reading its windows, screenshots, clang for the fuzzers, the tools that
# build, check and install the Debian package, and two desktop looks the windows must withstand
# (a dark style, a dark colour scheme with its own font).
ZORVIKTA_TEST_PACKAGES=(
    xvfb
    xauth
    xdotool
    x11-utils
    imagemagick
    # The default clang and its fuzzer and sanitizer runtimes, of the same version on each release.
    clang
    libclang-rt-dev
    desktop-file-utils
    appstream
    dpkg-dev
    file
    xdg-utils
    shared-mime-info
    libfile-mimeinfo-perl
    man-db
    lintian
    bash-completion
    adwaita-qt6
    qt6ct
    # The board's firmware and the simulator its tests run it in.
    gcc-avr
    avr-libc
    binutils-avr
    simavr
    libsimavr-dev
    libelf-dev
)

# Building for Windows on top of the build packages (scripts/windows): the MinGW-w64 cross
# compilers, NSIS for the installer, icoutils for the icons, Wine to run the tests, dpkg-dev to
# unpack Qt's source, Python for the pseudo-terminal end of the serial tests, the X tools of
# the installed program's test, and the locales' sources for a Russian Wine.
ZORVIKTA_WINDOWS_PACKAGES=(
    g++-mingw-w64-x86-64-posix
    mingw-w64-tools
    nsis
    icoutils
    wine
    wine64
    dpkg-dev
    ca-certificates
    python3
    xvfb
    xauth
    xdotool
    x11-utils
    imagemagick
    locales
)
