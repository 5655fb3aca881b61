# SPDX-License-Identifier: GPL-3.0-or-later
# The quick Debian package of a build tree: cpack -G DEB. It holds what cmake --install installs
# plus the files only a Debian package carries (copyright, changelogs, lintian overrides), taken
# from debian/ so that the source package and this one say the same.
set(debian_dir ${PROJECT_SOURCE_DIR}/debian)

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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvikta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zorvikta maintainers")
set(CPACK_PACKAGE_CONTACT "Zorvikta maintainers <zorvikta@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and emulator for relay running-light patterns")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME zorvikta)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${debian_revision})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zorvikta maintainers <zorvikta@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Zorvikta makes light patterns for a four-relay running-lights controller
board: draw a pattern on a grid of steps and channels, watch it play on a
strip of lamps, keep it in a 128-byte run file and send it to the board over
a serial port. The interface is in Russian.")
# The libraries the programs link (Qt Widgets and SerialPort, the C++ runtime) are
# read off the binaries. libqt6gui6 comes with them and carries the plugins loaded at run time:
# the xcb platform (qt6-qpa-plugins holds only the VNC and TUIO ones) and the JPEG reader, which
# pulls in libjpeg. The layout is drawn for Liberation Sans: in DejaVu Sans, Debian's other
# default, "Сразу в блок" does not fit its box, so that font is a dependency.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
# Qt's Russian texts make the file dialogs speak the program's language; without them they are
# English and the program still works.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)

include(CPack)
