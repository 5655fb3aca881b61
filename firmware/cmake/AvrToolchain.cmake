# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for the AVR with Debian's gcc-avr, avr-libc and binutils-avr.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR avr)

find_program(CMAKE_CXX_COMPILER avr-g++ REQUIRED)
find_program(CMAKE_OBJCOPY avr-objcopy REQUIRED)
find_program(CMAKE_SIZE avr-size REQUIRED)

# The compiler check cannot link without a chip named; building a library is enough.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
