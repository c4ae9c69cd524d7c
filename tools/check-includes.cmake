# Checks the direction of the includes below a source root and names every include that breaks
# a rule as "FILE:LINE: reason". Fails when there is one.
#   cmake -P tools/check-includes.cmake SOURCE_ROOT
#
# - platform/ is the bottom layer: it includes only platform/ headers and system headers.
# - The subsystems see the main window only through its parts header, never app/Mainform.h.
# - Only platform/ includes the system libraries' headers (SDL, mpv, espeak, GIO/GLib, libjpeg,
#   fontconfig, TagLib as <taglib/...>). Tests, fuzz harnesses, benchmarks and tools may use them directly.
cmake_minimum_required(VERSION 3.22)

set(root "${CMAKE_ARGV3}")
if(root STREQUAL "" OR NOT IS_DIRECTORY "${root}")
    message(FATAL_ERROR "usage: cmake -P check-includes.cmake SOURCE_ROOT")
endif()

set(subsystemsWithoutMainform config library ui input playback pictures speech)
set(systemLibraryHeaders
    "^(SDL2/|SDL\\.h$|SDL_)"
    "^mpv/"
    "^espeak"
    "^(gio|glib|gobject|gmodule)[/.-]"
    "^(jpeglib|jerror|jconfig|jmorecfg|turbojpeg)\\.h$"
    "^fontconfig/"
    "^taglib/")

# The folders to check: every top-level folder but tests, fuzz harnesses, benchmarks, tools,
# build trees and hidden ones.
file(GLOB topEntries RELATIVE "${root}" "${root}/*")
set(folders "")
foreach(entry IN LISTS topEntries)
    if(NOT IS_DIRECTORY "${root}/${entry}" OR entry MATCHES "^(\\.|build)"
       OR entry MATCHES "^(tests|bench|tools|fuzz)$" OR EXISTS "${root}/${entry}/CMakeCache.txt")
        continue()
    endif()
    list(APPEND folders "${entry}")
endforeach()

# The line number of the first line of file that equals text.
function(line_number_of file text outVar)
    file(READ "${file}" content)
    string(FIND "${content}" "${text}" position)
    string(SUBSTRING "${content}" 0 ${position} before)
    string(REGEX REPLACE "[^\n]" "" newlines "${before}")
    string(LENGTH "${newlines}" count)
    math(EXPR line "${count} + 1")
    set(${outVar} ${line} PARENT_SCOPE)
endfunction()

set(violations 0)
set(checkedFiles 0)
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources RELATIVE "${root}" "${root}/${folder}/*.h" "${root}/${folder}/*.hpp"
         "${root}/${folder}/*.cpp" "${root}/${folder}/*.cc" "${root}/${folder}/*.c")
    foreach(source IN LISTS sources)
        math(EXPR checkedFiles "${checkedFiles} + 1")
        file(STRINGS "${root}/${source}" includeLines
             REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][^>\"]+[>\"]")
        foreach(includeLine IN LISTS includeLines)
            string(REGEX MATCH "#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]" unused
                   "${includeLine}")
            set(quoted FALSE)
            if(CMAKE_MATCH_1 STREQUAL "\"")
                set(quoted TRUE)
            endif()
            set(header "${CMAKE_MATCH_2}")
            string(REGEX MATCH "^[^/]+" headerFolder "${header}")
            set(ownHeader FALSE)
            if(quoted OR (header MATCHES "/" AND IS_DIRECTORY "${root}/${headerFolder}"))
                set(ownHeader TRUE)
            endif()

            set(reason "")
            if(folder STREQUAL "platform")
                if(ownHeader AND NOT header MATCHES "^platform/")
                    set(reason "platform/ includes only platform/, not \"${header}\"")
                endif()
            else()
                foreach(pattern IN LISTS systemLibraryHeaders)
                    if(NOT ownHeader AND header MATCHES "${pattern}")
                        set(reason "only platform/ includes the system library header <${header}>")
                    endif()
                endforeach()
                if(header STREQUAL "app/Mainform.h" AND folder IN_LIST subsystemsWithoutMainform)
                    set(reason
                        "${folder}/ does not include app/Mainform.h, only the main window's parts header")
                endif()
            endif()

            if(NOT reason STREQUAL "")
                line_number_of("${root}/${source}" "${includeLine}" line)
                message("${source}:${line}: ${reason}")
                math(EXPR violations "${violations} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations GREATER 0)
    message(FATAL_ERROR
        "${violations} include(s) break the include rules (${checkedFiles} files checked)")
endif()
message("The include rules hold in ${checkedFiles} files")
