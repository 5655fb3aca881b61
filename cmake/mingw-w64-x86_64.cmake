# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers. The posix flavour is the
# one whose libstdc++ has std::thread and std::mutex, which Qt needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZORVIKTA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZORVIKTA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZORVIKTA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZORVIKTA_MINGW_TRIPLE}-windres)

# Headers and libraries come from the MinGW sysroot and the folders on CMAKE_PREFIX_PATH (the
# cross-built Qt); programs run during the build come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZORVIKTA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
