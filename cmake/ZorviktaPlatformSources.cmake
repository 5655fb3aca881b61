# SPDX-License-Identifier: GPL-3.0-or-later
# The one place that chooses by operating system what a target is built from and linked with.

# The file name suffix of this operating system's files: Posix on Linux and the other Unix
# systems, Windows on Windows. A system without its files stops the configuration instead of
# building half a program.
function(zorvikta_platform_suffix result target)
    if(WIN32)
        set(${result} Windows PARENT_SCOPE)
    elseif(UNIX)
        set(${result} Posix PARENT_SCOPE)
    else()
        message(FATAL_ERROR "${target} has no platform files for ${CMAKE_SYSTEM_NAME} yet")
    endif()
endfunction()

# zorvikta_platform_sources(<target> <stem>... [POSIX <file>...] [WINDOWS <file>...])
# Adds the file of this operating system for each stem: <stem>Posix.cpp or <stem>Windows.cpp;
# then the files listed for this system alone, for what the other system does not have at all.
function(zorvikta_platform_sources target)
    cmake_parse_arguments(ARG "" "" "POSIX;WINDOWS" ${ARGN})
    zorvikta_platform_suffix(suffix ${target})
    foreach(stem IN LISTS ARG_UNPARSED_ARGUMENTS)
        target_sources(${target} PRIVATE ${stem}${suffix}.cpp)
    endforeach()
    if(suffix STREQUAL "Windows" AND ARG_WINDOWS)
        target_sources(${target} PRIVATE ${ARG_WINDOWS})
    elseif(suffix STREQUAL "Posix" AND ARG_POSIX)
        target_sources(${target} PRIVATE ${ARG_POSIX})
    endif()
endfunction()

# zorvikta_platform_libraries(<target> [POSIX <items>...] [WINDOWS <items>...])
# Links what this operating system's files call; the items are those of target_link_libraries,
# PUBLIC and PRIVATE included.
function(zorvikta_platform_libraries target)
    cmake_parse_arguments(ARG "" "" "POSIX;WINDOWS" ${ARGN})
    zorvikta_platform_suffix(suffix ${target})
    if(suffix STREQUAL "Windows")
        set(items ${ARG_WINDOWS})
    else()
        set(items ${ARG_POSIX})
    endif()
    if(items)
        target_link_libraries(${target} ${items})
    endif()
endfunction()
