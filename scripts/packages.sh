# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian 12 packages Zorvikta needs: the one list that scripts/run and scripts/test share.
# Sourced, not run.

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
    clang
    libclang-rt-14-dev
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
