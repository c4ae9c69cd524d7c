# Removes what `cmake --install` put down, as listed in the build folder's install_manifest.txt,
# and the program's folders that are empty afterwards. Nothing else is touched: the users' own
# program folders ($XDG_DATA_HOME/zuvenmedia) stay.
#   cmake -DMANIFEST=build/install_manifest.txt -P tools/install/uninstall.cmake
if(NOT MANIFEST OR NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "No install manifest at '${MANIFEST}': install first, from that build folder.")
endif()
file(STRINGS "${MANIFEST}" installed)
set(folders "")
foreach(path IN LISTS installed)
    if(EXISTS "${path}" OR IS_SYMLINK "${path}")
        file(REMOVE "${path}")
        message(STATUS "Removed ${path}")
    endif()
    # The program's own folder and those below it go when they are empty.
    if(path MATCHES "^(.*/lib/zuvenmedia)/")
        get_filename_component(folder "${path}" DIRECTORY)
        while(folder MATCHES "/lib/zuvenmedia")
            list(APPEND folders "${folder}")
            get_filename_component(folder "${folder}" DIRECTORY)
        endwhile()
    endif()
endforeach()
list(REMOVE_DUPLICATES folders)
# Deepest first, so that a folder is empty when its parent is tried.
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
    file(GLOB left "${folder}/*")
    if(IS_DIRECTORY "${folder}" AND NOT left)
        file(REMOVE_RECURSE "${folder}")
    endif()
endforeach()
