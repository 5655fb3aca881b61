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
# driving it and reading its windows, screenshots, clang for the fuzzers, and the tools that
# build, check and install the Debian package.
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
)
