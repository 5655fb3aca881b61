# SPDX-License-Identifier: GPL-3.0-or-later
# Our own targets compile with every warning (an error with ZORVIKTA_WERROR) and with Qt's strict
# string casts; third-party code is left alone.
function(zorvikta_strict target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(ZORVIKTA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    # Debian's hardening: checked buffer functions where the optimiser makes them possible,
    # guarded stacks, and relocations resolved and made read-only at start.
    target_compile_options(${target} PRIVATE -fstack-protector-strong
        $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
    if(WIN32)
        # MinGW keeps the stack protector's runtime in a library of its own.
        target_link_options(${target} PRIVATE -fstack-protector-strong)
    else()
        target_link_options(${target} PRIVATE LINKER:-z,relro LINKER:-z,now)
    endif()
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII
        QT_NO_CAST_TO_ASCII
        QT_NO_URL_CAST_FROM_STRING
        QT_NO_CAST_FROM_BYTEARRAY)
endfunction()
