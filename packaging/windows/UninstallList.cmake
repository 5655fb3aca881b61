# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSTAGE=<folder> -DOUTPUT=<file.nsh> -P UninstallList.cmake
# The uninstaller's list of what the installer puts into its folder, from the folder the installer
# is made of: each file, then each folder, the deepest first, so that a folder holding anything
# else (a user's pattern saved there) stays.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${STAGE} ${STAGE}/*)
set(folders ${entries})
list(REMOVE_ITEM folders ${files})
list(SORT files)
list(SORT folders ORDER DESCENDING)
set(lines "; Made by UninstallList.cmake from the installer's folder.\n")
foreach(file IN LISTS files)
    string(REPLACE "/" "\\" file "${file}")
    string(APPEND lines "Delete \"$INSTDIR\\${file}\"\n")
endforeach()
foreach(folder IN LISTS folders)
    string(REPLACE "/" "\\" folder "${folder}")
    string(APPEND lines "RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE ${OUTPUT} "${lines}")
