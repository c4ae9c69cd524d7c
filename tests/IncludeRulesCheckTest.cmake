# Runs tools/check-includes.cmake on two small source trees written here: one that keeps the
# include rules, which must pass, and the same tree with one file breaking each rule, which
# must fail and name each broken include by file and line, and nothing else.
#   cmake -DCHECKER=... -DWORK_DIR=... -P IncludeRulesCheckTest.cmake
cmake_minimum_required(VERSION 3.22)

set(good "${WORK_DIR}/good")
set(bad "${WORK_DIR}/bad")
file(REMOVE_RECURSE "${WORK_DIR}")

foreach(tree IN ITEMS "${good}" "${bad}")
    file(WRITE "${tree}/platform/Window.cpp"
         "#include \"platform/Window.h\"\n\n#include <SDL.h>\n#include <gio/gio.h>\n")
    file(WRITE "${tree}/app/main.cpp"
         "#include \"app/Mainform.h\"\n#include \"ui/Layout.h\"\n#include <string>\n")
    file(WRITE "${tree}/ui/Layout.cpp"
         "#include \"ui/Layout.h\"\n#include \"app/MainformParts.h\"\n#include \"platform/Log.h\"\n")
    file(WRITE "${tree}/tests/WindowTest.cpp"
         "#include \"app/Mainform.h\"\n#include <SDL.h>\n#include <jpeglib.h>\n")
    # A build tree inside the source root is not the project's code.
    file(WRITE "${tree}/build/CMakeCache.txt" "")
    file(WRITE "${tree}/build/generated.cpp" "#include <SDL.h>\n")
endforeach()
file(WRITE "${bad}/platform/Fonts.cpp"
     "#include \"platform/Fonts.h\"\n// the log\n#include \"app/Log.h\"\n")
file(WRITE "${bad}/input/Mouse.cpp" "#include \"input/Mouse.h\"\n\n  #  include \"app/Mainform.h\"\n")
file(WRITE "${bad}/library/ProgramLinks.cpp"
     "#include <string>\n#include <gio/gdesktopappinfo.h>\n#include <SDL_keyboard.h>\n")

function(run_checker tree outResult outOutput)
    execute_process(COMMAND "${CMAKE_COMMAND}" -P "${CHECKER}" "${tree}" RESULT_VARIABLE result
                    OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(${outResult} "${result}" PARENT_SCOPE)
    set(${outOutput} "${output}" PARENT_SCOPE)
endfunction()

run_checker("${good}" result output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the check fails a tree that keeps the rules:\n${output}")
endif()

run_checker("${bad}" result output)
if(result EQUAL 0)
    message(FATAL_ERROR "the check passes a tree that breaks the rules:\n${output}")
endif()
set(expected "input/Mouse.cpp:3: " "library/ProgramLinks.cpp:2: " "library/ProgramLinks.cpp:3: "
             "platform/Fonts.cpp:3: ")
foreach(line IN LISTS expected)
    string(FIND "${output}" "${line}" position)
    if(position EQUAL -1)
        message(FATAL_ERROR "the check does not report \"${line}\":\n${output}")
    endif()
endforeach()
foreach(allowed IN ITEMS "platform/Window.cpp" "app/main.cpp" "ui/Layout.cpp" "tests/" "build/")
    string(FIND "${output}" "${allowed}" position)
    if(NOT position EQUAL -1)
        message(FATAL_ERROR "the check reports the allowed \"${allowed}\":\n${output}")
    endif()
endforeach()
string(FIND "${output}" "4 include(s) break" position)
if(position EQUAL -1)
    message(FATAL_ERROR "the check does not count four broken includes:\n${output}")
endif()
