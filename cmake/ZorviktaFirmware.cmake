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
# The firmware project's flash target takes the port and the bootloader's speed; set here, they
# are handed on (cmake -B build -DPORT=/dev/ttyUSB0 -DBOOTLOADER_BAUD=57600).
set(flash_settings)
foreach(setting PORT BOOTLOADER_BAUD)
    if(DEFINED ${setting})
        list(APPEND flash_settings -D${setting}=${${setting}})
    endif()
endforeach()
set(ZORVIKTA_FIRMWARE_DIR ${PROJECT_BINARY_DIR}/firmware)
set(ZORVIKTA_FIRMWARE_ELF ${ZORVIKTA_FIRMWARE_DIR}/zorvikta-firmware.elf)
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
        ${flash_settings}
    # Its own build decides what is out of date; the main build cannot see into it.
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${ZORVIKTA_FIRMWARE_ELF} ${ZORVIKTA_FIRMWARE_DIR}/zorvikta-firmware.hex
    USES_TERMINAL_BUILD ON)

# Builds the firmware, then flashes it with avrdude: cmake --build build --target flash
add_custom_target(flash
    COMMAND ${CMAKE_COMMAND} --build ${ZORVIKTA_FIRMWARE_DIR} --target flash
    DEPENDS zorvikta_firmware
    USES_TERMINAL
    VERBATIM)
