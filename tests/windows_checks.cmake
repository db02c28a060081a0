# The Windows-only sources and resource scripts are checked with Debian's
# MinGW-w64 cross tools, so that they keep compiling without a Windows
# machine. No Qt for Windows is at hand, so the sources are compiled for
# syntax and types only, against the Windows headers and this machine's Qt
# headers (which follow the target's macros, not the host's).
find_program(MINGW_CXX x86_64-w64-mingw32-g++)
find_program(MINGW_WINDRES x86_64-w64-mingw32-windres)

add_unit_test(tst_windows_resources)
target_compile_definitions(tst_windows_resources PRIVATE
    RES_DIR="${CMAKE_CURRENT_BINARY_DIR}"
    ASSETS_DIR="${PROJECT_SOURCE_DIR}/assets")
set_tests_properties(tst_windows_resources PROPERTIES FIXTURES_REQUIRED windows_resources)

if(NOT MINGW_CXX OR NOT MINGW_WINDRES)
    message(WARNING "The MinGW-w64 cross tools are missing (tools/install-dependencies "
                    "installs them); the Windows checks will fail.")
    add_test(NAME windows_cross_tools_missing COMMAND ${CMAKE_COMMAND} -E false)
    return()
endif()

set(qt_includes)
foreach(qt_target IN ITEMS Qt6::Core Qt6::Gui Qt6::Widgets)
    get_target_property(directories ${qt_target} INTERFACE_INCLUDE_DIRECTORIES)
    foreach(directory IN LISTS directories)
        list(APPEND qt_includes -isystem${directory})
    endforeach()
endforeach()
list(REMOVE_DUPLICATES qt_includes)

foreach(source IN ITEMS platform_win regular_file_win)
    add_test(NAME windows_compile_${source}
        COMMAND ${MINGW_CXX} -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror
                -DUNICODE -D_UNICODE
                -I${PROJECT_SOURCE_DIR}/viewer -I${PROJECT_SOURCE_DIR}/catalogue
                ${qt_includes}
                ${PROJECT_SOURCE_DIR}/viewer/${source}.cpp)
endforeach()

foreach(name IN ITEMS qelview velview)
    set(folder ${PROJECT_SOURCE_DIR}/assets/${name})
    add_test(NAME windres_${name}
        COMMAND ${MINGW_WINDRES} -I ${folder} -O res
                -i ${folder}/${name}.rc -o ${CMAKE_CURRENT_BINARY_DIR}/${name}.res)
    set_tests_properties(windres_${name} PROPERTIES FIXTURES_SETUP windows_resources)
endforeach()
