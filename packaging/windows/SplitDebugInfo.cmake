# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSTAGE=<folder> -DDEBUG_STAGE=<folder> -DOBJCOPY=<objcopy> -P SplitDebugInfo.cmake
# Every program and library in STAGE gives its debug information to <name>.debug under
# DEBUG_STAGE and keeps only a link to it: the MinGW runtime alone carries more debug information
# than the rest of the packages weigh.
file(REMOVE_RECURSE ${DEBUG_STAGE})
file(GLOB_RECURSE binaries RELATIVE ${STAGE} ${STAGE}/*.exe ${STAGE}/*.dll)
foreach(binary IN LISTS binaries)
    set(debug ${DEBUG_STAGE}/${binary}.debug)
    get_filename_component(folder ${debug} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    execute_process(COMMAND ${OBJCOPY} --only-keep-debug ${STAGE}/${binary} ${debug}
        COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${OBJCOPY} --strip-unneeded --add-gnu-debuglink=${debug}
            ${STAGE}/${binary}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
