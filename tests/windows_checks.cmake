# The resource scripts of the Windows programs are checked with Debian's
# MinGW-w64 cross tools here too, so that a Linux build notices when they stop
# compiling.
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

foreach(name IN ITEMS qelview velview)
    set(folder ${PROJECT_SOURCE_DIR}/assets/${name})
    add_test(NAME windres_${name}
        COMMAND ${MINGW_WINDRES} -I ${folder} -I ${VIEWERS_VERSION_INCLUDE_DIR} -O res
                -i ${folder}/${name}.rc -o ${CMAKE_CURRENT_BINARY_DIR}/${name}.res)
    set_tests_properties(windres_${name} PROPERTIES FIXTURES_SETUP windows_resources)
endforeach()
