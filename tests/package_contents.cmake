cmake_minimum_required(VERSION 3.25)
# Makes the packages with CPack from a built tree into a scratch folder and
# looks into them: on Linux each .deb's control fields, file list, desktop
# entry, note and program file; on Windows each zip's contents and note.
function(run output_variable)
    execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed:\n${out}")
    endif()
    set(${output_variable} "${out}" PARENT_SCOPE)
endfunction()
function(expect text pattern what)
    if(NOT text MATCHES "${pattern}")
        set(failures "${failures}${what} does not match ${pattern}:\n${text}\n" PARENT_SCOPE)
    endif()
endfunction()

file(REMOVE_RECURSE ${SCRATCH})
run(ignored ${CMAKE_CPACK_COMMAND} --config ${BUILD_DIR}/CPackConfig.cmake -B ${SCRATCH})
set(failures)
file(GLOB packages RELATIVE ${SCRATCH} ${SCRATCH}/*.deb ${SCRATCH}/*.zip)
list(SORT packages)
set(programs Qelview Velview)
set(names qelview velview)
set(folders Qel velisa)
set(firsts 0 1)

if(GENERATOR STREQUAL "ZIP")
    expect("${packages}" "^Qelview-windows.zip;Velview-windows.zip$" "zip files")
    foreach(entry IN ZIP_LISTS programs folders firsts)
        set(zip ${SCRATCH}/${entry_0}-windows.zip)
        run(listing ${CMAKE_COMMAND} -E tar tf ${zip})
        string(REGEX REPLACE "[^\n]*/\n" "" listing "${listing}")
        string(REPLACE "\n" ";" listing "${listing}")
        list(REMOVE_ITEM listing "")
        list(SORT listing)
        set(expected ${entry_0}/${entry_0}.exe ${entry_0}/README.txt)
        list(SORT expected)
        expect("${listing}" "^${expected}$" "${zip}")
        run(ignored ${CMAKE_COMMAND} -E chdir ${SCRATCH} ${CMAKE_COMMAND} -E tar xf ${zip})
        # In Windows' own line ends; CMake reads the text without the CRs.
        set(note ${SCRATCH}/${entry_0}/README.txt)
        file(READ ${note} text)
        expect("${text}" "\n    ${entry_1}\\\\${entry_2}\\.jpg\n" "${note}")
        file(READ ${note} bytes HEX)
        string(REGEX REPLACE "(..)" "\\1 " bytes "${bytes}")
        string(REPLACE "0d 0a " "" bytes "${bytes}")
        if(bytes MATCHES "(^| )0a ")
            string(APPEND failures "${note} has a line feed without a carriage return\n")
        endif()
    endforeach()
else()
    expect("${packages}" "^qelview_[0-9.]+_amd64.deb;velview_[0-9.]+_amd64.deb$" ".deb files")
    foreach(entry IN ZIP_LISTS programs names folders firsts)
        set(name ${entry_1})
        file(GLOB deb ${SCRATCH}/${name}_*.deb)
        run(fields dpkg-deb -f ${deb})
        foreach(field IN ITEMS "Package: ${name}" "Section: graphics"
                "Depends: qt6-qpa-plugins, qt6-wayland, fonts-noto-cjk \\| fonts-wqy-microhei, libc6 .*libjpeg62-turbo .*libqt6core6 .*libqt6gui6 .*libqt6widgets6 .*libxcb1")
            expect("\n${fields}" "\n${field}" "${name}'s control fields")
        endforeach()

        set(id net.morphviewers.${entry_0})
        run(listing dpkg-deb -c ${deb})
        string(REGEX MATCHALL "\n[^d][^\n]* \\./[^\n]*" files "\n${listing}")
        list(TRANSFORM files REPLACE "^.* \\./" "")
        list(SORT files)
        string(REPLACE ";" "\n" files "${files}")
        expect("${files}" "^usr/bin/${name} -> ../lib/${name}/${entry_0}
usr/lib/${name}/${entry_0}
usr/share/applications/${id}.desktop
usr/share/doc/${name}/README
usr/share/doc/${name}/changelog.gz
usr/share/doc/${name}/copyright
usr/share/icons/hicolor/128x128/apps/${id}.png
usr/share/icons/hicolor/256x256/apps/${id}.png
usr/share/icons/hicolor/48x48/apps/${id}.png
usr/share/metainfo/${id}.metainfo.xml$" "${name}.deb's files")

        set(root ${SCRATCH}/${name})
        run(ignored dpkg-deb -x ${deb} ${root})
        file(READ ${root}/usr/share/applications/${id}.desktop text)
        expect("${text}" "\nExec=/usr/bin/${name}\n" "${name}'s desktop entry")
        file(READ ${root}/usr/share/doc/${name}/README text)
        expect("${text}" " /usr/lib/${name}/${entry_2}/${entry_3}\\.jpg\n" "${name}'s README")
        expect("${text}" " ~/\\.local/share/${name}/${entry_2}/${entry_3}\\.jpg\n" "${name}'s README")
        if(fields MATCHES "\nRecommends:")
            string(APPEND failures "${name} recommends what it needs to run:\n${fields}\n")
        endif()
        run(dynamic readelf -d ${root}/usr/lib/${name}/${entry_0})
        if(dynamic MATCHES "R(UN)?PATH")
            string(APPEND failures "${name}'s program has a library search path:\n${dynamic}\n")
        endif()
    endforeach()
endif()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
