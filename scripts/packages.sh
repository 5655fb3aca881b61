# The Debian 12 packages Zorvikta needs: the one list that scripts/run and scripts/test share.
# Sourced, not run.

# Building and running the program.
ZORVIKTA_BUILD_PACKAGES=(
    cmake
    ninja-build
    g++
    qt6-base-dev
    qt6-serialport-dev
    qt6-qpa-plugins
    libqt6gui6
    libsimpleini-dev
    libgl-dev
    fonts-dejavu-core
)

# Running the test suite on top of that: a real X server for the end-to-end test,
# screenshots, and clang for the fuzzers.
ZORVIKTA_TEST_PACKAGES=(
    xvfb
    xauth
    imagemagick
    clang
    libclang-rt-14-dev
)
