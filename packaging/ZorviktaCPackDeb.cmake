# SPDX-License-Identifier: GPL-3.0-or-later
# The quick Debian package of a build tree: cpack -G DEB. It holds what cmake --install installs
# plus the files only a Debian package carries (copyright, changelogs, lintian overrides), taken
# from debian/ so that the source package and this one say the same.
set(debian_dir ${PROJECT_SOURCE_DIR}/debian)
foreach(file IN ITEMS changelog control copyright zorvikta.lintian-overrides)
    if(NOT EXISTS ${debian_dir}/${file})
        message(FATAL_ERROR "The Debian package is made from debian/${file}, which is missing")
    endif()
endforeach()

# zorvikta_debian_fields(<prefix> <package> <field>...)
# Sets <prefix>_<field> to the field of the binary package's stanza in debian/control, or of the
# source stanza where the binary one has none, as a source package build would. A continued
# field keeps its lines, without their leading blank.
function(zorvikta_debian_fields prefix package)
    file(READ ${debian_dir}/control text)
    string(REPLACE "\n" ";" lines "${text}")
    set(stanza 0)
    set(field "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^[ \t]+(.*)$" AND field)
            string(APPEND s${stanza}_${field} "\n${CMAKE_MATCH_1}")
        elseif(line MATCHES "^([A-Za-z0-9-]+):[ \t]*(.*)$")
            set(field ${CMAKE_MATCH_1})
            set(s${stanza}_${field} "${CMAKE_MATCH_2}")
        elseif(line STREQUAL "" AND field)
            math(EXPR stanza "${stanza} + 1")
            set(field "")
        endif()
    endforeach()
    foreach(index RANGE ${stanza})
        if(s${index}_Package STREQUAL package)
            set(binary ${index})
        endif()
    endforeach()
    if(NOT DEFINED binary)
        message(FATAL_ERROR "debian/control has no package ${package}")
    endif()
    foreach(name IN LISTS ARGN)
        if(DEFINED s${binary}_${name})
            set(${prefix}_${name} "${s${binary}_${name}}" PARENT_SCOPE)
        elseif(DEFINED s0_${name})
            set(${prefix}_${name} "${s0_${name}}" PARENT_SCOPE)
        else()
            message(FATAL_ERROR "debian/control gives package ${package} no ${name}")
        endif()
    endforeach()
endfunction()

# A relation field without the substitutions that only dpkg-gencontrol fills in (CPack reads the
# libraries off the binaries instead).
function(zorvikta_debian_relations result field)
    string(REPLACE "," ";" relations "${field}")
    set(kept)
    foreach(relation IN LISTS relations)
        string(STRIP "${relation}" relation)
        if(relation AND NOT relation MATCHES "^\\$\\{")
            list(APPEND kept "${relation}")
        endif()
    endforeach()
    list(JOIN kept ", " joined)
    set(${result} "${joined}" PARENT_SCOPE)
endfunction()

# The Debian revision comes from debian/changelog, whose newest entry must be this version.
file(STRINGS ${debian_dir}/changelog debian_head LIMIT_COUNT 1)
if(NOT debian_head MATCHES "^zorvikta \\(${PROJECT_VERSION}-([0-9]+)\\) ")
    message(FATAL_ERROR "debian/changelog must begin with version ${PROJECT_VERSION}-N, not with: "
        "${debian_head}")
endif()
set(debian_revision ${CMAKE_MATCH_1})

# Both changelogs compressed without a name or time in the archive, so the same text gives the
# same bytes.
add_custom_command(OUTPUT changelog.gz changelog.Debian.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/CHANGELOG changelog
    COMMAND ${CMAKE_COMMAND} -E copy ${debian_dir}/changelog changelog.Debian
    COMMAND ${ZORVIKTA_GZIP} -9nf changelog changelog.Debian
    DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG ${debian_dir}/changelog
    VERBATIM)
add_custom_target(zorvikta_changelogs ALL
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)

# A component of its own that a plain cmake --install leaves out.
install(FILES ${debian_dir}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zorvikta
    COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${debian_dir}/zorvikta.lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zorvikta
    COMPONENT debian EXCLUDE_FROM_ALL)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};ALL;/"
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};debian;/")

# Every file of the package carries the release day's midnight (UTC) as its time, so two packs of
# one build are the same bytes; a SOURCE_DATE_EPOCH in the environment still wins.
string(REGEX MATCH "^([0-9]+)-0?([0-9]+)-0?([0-9]+)$" _ "${ZORVIKTA_RELEASE_DATE}")
set(year ${CMAKE_MATCH_1})
set(month ${CMAKE_MATCH_2})
set(day ${CMAKE_MATCH_3})
# Days since 1970-01-01 in the proleptic Gregorian calendar, counting years from March on.
if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
    math(EXPR month "${month} + 9")
else()
    math(EXPR month "${month} - 3")
endif()
math(EXPR day_of_year "(153 * ${month} + 2) / 5 + ${day} - 1")
math(EXPR days "${year} * 365 + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${day_of_year} - 719468")
math(EXPR ZORVIKTA_RELEASE_EPOCH "${days} * 86400")
configure_file(CPackProjectConfig.cmake.in CPackProjectConfig.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/CPackProjectConfig.cmake)

# What the package says of itself and what it needs, as debian/control says it.
zorvikta_debian_fields(control zorvikta Maintainer Section Priority Description Depends Recommends)
string(REPLACE "\n" ";" description_lines "${control_Description}")
list(POP_FRONT description_lines summary)
# A line of a single full stop is an empty line of the description.
list(TRANSFORM description_lines REPLACE "^\\.$" "")
list(JOIN description_lines "\n" description)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvikta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zorvikta maintainers")
set(CPACK_PACKAGE_CONTACT "${control_Maintainer}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${summary}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME zorvikta)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${debian_revision})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${control_Maintainer}")
set(CPACK_DEBIAN_PACKAGE_SECTION "${control_Section}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "${control_Priority}")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${description}")
# The libraries the programs link (Qt Widgets and SerialPort, the C++ runtime) are
# read off the binaries. libqt6gui6 comes with them and carries the plugins loaded at run time:
# the xcb platform (qt6-qpa-plugins holds only the VNC and TUIO ones) and the JPEG reader, which
# pulls in libjpeg. The layout is drawn for Liberation Sans: in DejaVu Sans, Debian's other
# default, "Сразу в блок" does not fit its box, so that font is a dependency. Qt's Russian texts,
# recommended, make the file dialogs speak the program's language; without them they are
# English and the program still works.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
zorvikta_debian_relations(CPACK_DEBIAN_PACKAGE_DEPENDS "${control_Depends}")
zorvikta_debian_relations(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${control_Recommends}")

include(CPack)
