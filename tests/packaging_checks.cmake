# The packages CPack makes from the install rules, made afresh and looked into.
if(WIN32)
    set(package_generator ZIP)
else()
    set(package_generator DEB)
endif()
add_test(NAME packages
    COMMAND ${CMAKE_COMMAND} -D BUILD_DIR=${PROJECT_BINARY_DIR} -D GENERATOR=${package_generator}
            -D SCRATCH=${PROJECT_BINARY_DIR}/packages-check
            -P ${CMAKE_CURRENT_LIST_DIR}/package_contents.cmake)
# It leaves the packages it made for the test that starts them.
set_tests_properties(packages PROPERTIES TIMEOUT 300 FIXTURES_SETUP debian_packages)
if(WIN32)
    return()
endif()

# The installed tree, and the desktop entries and AppStream metadata it
# carries, checked with the validators desktops and software centres use.
add_unit_test(tst_install_tree Qt6::Gui)
# It installs the programs, so they must be built first.
add_dependencies(tst_install_tree Qelview Velview)
target_compile_definitions(tst_install_tree PRIVATE
    CMAKE_COMMAND="${CMAKE_COMMAND}"
    BUILD_DIR="${PROJECT_BINARY_DIR}")

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
    message(WARNING "desktop-file-validate or appstreamcli is missing "
                    "(tools/install-dependencies installs them); their checks will fail.")
    add_test(NAME desktop_validators_missing COMMAND ${CMAKE_COMMAND} -E false)
    return()
endif()

foreach(program IN ITEMS Qelview Velview)
    set(id net.morphviewers.${program})
    add_test(NAME desktop_entry_${program}
        COMMAND ${DESKTOP_FILE_VALIDATE} ${PROJECT_BINARY_DIR}/packaging/${id}.desktop)
    # Without network access, so that no link in the metadata is fetched.
    add_test(NAME metainfo_${program}
        COMMAND ${APPSTREAMCLI} validate --no-net --explain
                ${PROJECT_BINARY_DIR}/packaging/${id}.metainfo.xml)
endforeach()
