cmake_minimum_required(VERSION 3.25)
# Makes the packages with CPack from a built tree into a scratch folder and
# looks into them: on Linux each .deb's control fields, file list, desktop
# entry, note and program file; on Windows each zip's contents and note.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD_DIR}/CPackConfig.cmake -B ${SCRATCH}
    OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()

set(failures)
function(fail what)
    set(failures "${failures}${what}\n" PARENT_SCOPE)
endfunction()
function(run output_variable)
    execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed:\n${out}")
    endif()
    set(${output_variable} "${out}" PARENT_SCOPE)
endfunction()

# Program, package name, picture folder, first picture.
set(programs "Qelview|qelview|Qel|0" "Velview|velview|velisa|1")

if(GENERATOR STREQUAL "ZIP")
    file(GLOB zips RELATIVE ${SCRATCH} ${SCRATCH}/*.zip)
    list(SORT zips)
    if(NOT (zips STREQUAL "Qelview-windows.zip;Velview-windows.zip"))
        fail("zip files: ${zips}")
    endif()
    foreach(entry IN LISTS programs)
        string(REPLACE "|" ";" entry ${entry})
        list(GET entry 0 program)
        list(GET entry 2 folder)
        list(GET entry 3 first)
        run(listing ${CMAKE_COMMAND} -E tar tf ${SCRATCH}/${program}-windows.zip)
        string(REGEX REPLACE "[^\n]*/\n" "" listing "${listing}")
        string(REPLACE "\n" ";" listing "${listing}")
        list(REMOVE_ITEM listing "")
        list(SORT listing)
        set(expected ${program}/${program}.exe ${program}/README.txt)
        list(SORT expected)
        if(NOT listing STREQUAL expected)
            fail("${program}-windows.zip holds ${listing}")
        endif()
        file(MAKE_DIRECTORY ${SCRATCH}/${program})
        run(ignored ${CMAKE_COMMAND} -E chdir ${SCRATCH}/${program}
            ${CMAKE_COMMAND} -E tar xf ${SCRATCH}/${program}-windows.zip)
        # Windows' own line ends; CMake reads the text without the CRs.
        file(READ ${SCRATCH}/${program}/${program}/README.txt note)
        file(READ ${SCRATCH}/${program}/${program}/README.txt bytes HEX)
        string(REGEX REPLACE "(..)" "\\1 " bytes "${bytes}")
        string(REPLACE "0d 0a " "" bare_line_feeds "${bytes}")
        if(NOT note MATCHES "\n    ${folder}\\\\${first}\\.jpg\n"
           OR bare_line_feeds MATCHES "(^| )0a ")
            fail("${program}'s note does not name ${folder}\\${first}.jpg in CRLF lines:\n${note}")
        endif()
    endforeach()
else()
    file(GLOB debs RELATIVE ${SCRATCH} ${SCRATCH}/*.deb)
    list(SORT debs)
    if(NOT (debs MATCHES "^qelview_[0-9.]+_amd64.deb;velview_[0-9.]+_amd64.deb$"))
        fail(".deb files: ${debs}")
    endif()
    foreach(entry IN LISTS programs)
        string(REPLACE "|" ";" entry ${entry})
        list(GET entry 0 program)
        list(GET entry 1 name)
        list(GET entry 2 folder)
        list(GET entry 3 first)
        file(GLOB deb ${SCRATCH}/${name}_*.deb)
        run(fields dpkg-deb -f ${deb})
        string(PREPEND fields "\n")
        if(NOT (fields MATCHES "\nPackage: ${name}\n"))
            fail("${name}: ${fields}")
        endif()
        if(NOT (fields MATCHES "\nSection: graphics\n"))
            fail("${name}: ${fields}")
        endif()
        foreach(dependency IN ITEMS libc6 libjpeg62-turbo libqt6widgets6 libqt6gui6 libqt6core6
                                    libxcb1 qt6-qpa-plugins)
            if(NOT (fields MATCHES "\nDepends:[^\n]*[ ,]${dependency}[ ,\n]"))
                fail("${name} does not depend on ${dependency}: ${fields}")
            endif()
        endforeach()

        set(id net.morphviewers.${program})
        set(expected
            "usr/bin/${name} -> ../lib/${name}/${program}"
            usr/lib/${name}/${program}
            usr/share/applications/${id}.desktop
            usr/share/doc/${name}/README
            usr/share/doc/${name}/changelog.gz
            usr/share/doc/${name}/copyright
            usr/share/icons/hicolor/128x128/apps/${id}.png
            usr/share/icons/hicolor/256x256/apps/${id}.png
            usr/share/icons/hicolor/48x48/apps/${id}.png
            usr/share/metainfo/${id}.metainfo.xml)
        run(listing dpkg-deb -c ${deb})
        string(REGEX MATCHALL "\n[^d][^\n]* \\./[^\n]*" files "\n${listing}")
        list(TRANSFORM files REPLACE "^.* \\./" "")
        list(SORT files)
        if(NOT (files STREQUAL expected))
            fail("${name}.deb holds:\n${listing}")
        endif()

        set(root ${SCRATCH}/${name})
        run(ignored dpkg-deb -x ${deb} ${root})
        file(STRINGS ${root}/usr/share/applications/${id}.desktop exec REGEX "^Exec=")
        if(NOT (exec STREQUAL "Exec=/usr/bin/${name}"))
            fail("${name}'s desktop entry: ${exec}")
        endif()
        file(READ ${root}/usr/share/doc/${name}/README note)
        if(NOT (note MATCHES " /usr/lib/${name}/${folder}/${first}\\.jpg\n"))
            fail("${name}'s README does not name /usr/lib/${name}/${folder}/${first}.jpg:\n${note}")
        endif()
        run(dynamic readelf -d ${root}/usr/lib/${name}/${program})
        if(dynamic MATCHES "R(UN)?PATH")
            fail("${name}'s program has a search path:\n${dynamic}")
        endif()
    endforeach()
endif()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
