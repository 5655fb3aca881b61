# SPDX-License-Identifier: GPL-3.0-or-later
# The board's firmware (firmware/) is a project of its own for avr-g++. It is built beside the
# program whenever the AVR toolchain is installed, and its tests then run it in a simulator.
find_program(ZORVIKTA_AVR_GCC avr-gcc)
if(NOT ZORVIKTA_AVR_GCC)
    message(STATUS "avr-gcc not found: the board firmware and its simulator tests are skipped "
                   "(install gcc-avr, avr-libc and binutils-avr to build them)")
    return()
endif()

include(ExternalProject)
set(ZORVIKTA_FIRMWARE_DIR ${PROJECT_BINARY_DIR}/firmware)
set(ZORVIKTA_FIRMWARE_ELF ${ZORVIKTA_FIRMWARE_DIR}/zorvikta-board.elf)
# The compiler flags a distribution's build exports (hardening for the host, say) are for the
# program, not for the chip: avr-g++ refuses some of them, so the firmware's configure goes without.
ExternalProject_Add(zorvikta_firmware
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/firmware
    BINARY_DIR ${ZORVIKTA_FIRMWARE_DIR}
    CMAKE_COMMAND ${CMAKE_COMMAND} -E env --unset=CFLAGS --unset=CXXFLAGS --unset=CPPFLAGS
                  --unset=LDFLAGS ${CMAKE_COMMAND}
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/firmware/cmake/AvrToolchain.cmake
        -DZORVIKTA_WERROR=${ZORVIKTA_WERROR}
    # Its own build decides what is out of date; the main build cannot see into it.
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${ZORVIKTA_FIRMWARE_ELF} ${ZORVIKTA_FIRMWARE_DIR}/zorvikta-board.hex
    USES_TERMINAL_BUILD ON)
