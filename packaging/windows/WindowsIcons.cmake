# SPDX-License-Identifier: GPL-3.0-or-later
# zorvikta_windows_icons(<target>)
# Makes the program's icon and the run file's icon as .ico files from the sizes drawn under
# resources/icons/hicolor, and gives <target> the program's icon as its Windows resource.
# Sets ZORVIKTA_RUN_FILE_ICON in the caller to the run file's icon, for the packages.
find_program(ZORVIKTA_ICOTOOL icotool REQUIRED)

function(zorvikta_windows_icons target)
    set(hicolor ${PROJECT_SOURCE_DIR}/resources/icons/hicolor)
    foreach(icon IN ITEMS zorvikta zorvikta-run)
        set(pictures)
        foreach(size IN ITEMS 16x16 32x32 48x48 64x64 128x128)
            list(APPEND pictures ${hicolor}/${size}/${icon}.png)
        endforeach()
        # The largest size stays PNG inside the icon, as Windows expects from 256 pixels on.
        add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${icon}.ico
            COMMAND ${ZORVIKTA_ICOTOOL} --create --output=${icon}.ico ${pictures}
                    --raw=${hicolor}/256x256/${icon}.png
            DEPENDS ${pictures}
            WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
            VERBATIM)
    endforeach()
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    file(WRITE ${rc} "1 ICON \"${CMAKE_CURRENT_BINARY_DIR}/zorvikta.ico\"\n")
    set_source_files_properties(${rc} PROPERTIES
        OBJECT_DEPENDS "${CMAKE_CURRENT_BINARY_DIR}/zorvikta.ico;${CMAKE_CURRENT_BINARY_DIR}/zorvikta-run.ico")
    target_sources(${target} PRIVATE ${rc})
    set(ZORVIKTA_RUN_FILE_ICON ${CMAKE_CURRENT_BINARY_DIR}/zorvikta-run.ico PARENT_SCOPE)
endfunction()
