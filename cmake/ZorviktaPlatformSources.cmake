# SPDX-License-Identifier: GPL-3.0-or-later
# zorvikta_platform_sources(<target> <stem>...)
# Adds the file of this operating system for each stem: <stem>Posix.cpp on Linux and the other
# Unix systems, <stem>Windows.cpp on Windows. A system without its files stops the configuration
# instead of building half a program.
function(zorvikta_platform_sources target)
    if(WIN32)
        set(suffix Windows)
    elseif(UNIX)
        set(suffix Posix)
    else()
        message(FATAL_ERROR "${target} has no platform files for ${CMAKE_SYSTEM_NAME} yet")
    endif()
    foreach(stem IN LISTS ARGN)
        target_sources(${target} PRIVATE ${stem}${suffix}.cpp)
    endforeach()
endfunction()
