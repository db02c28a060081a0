# Plants libjpeg.so.62 beside a copy of the built Qelview, beside the installed
# one and in the working directory, and starts each on a Qt platform that does
# not exist: Qt reports that only once every library is loaded and bound, so
# the report proves the program started with its real libraries, and the
# absence of the marker proves the planted one never ran.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/built ${SCRATCH}/working)
set(prefix ${SCRATCH}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
    OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()
set(installed ${prefix}/lib/qelview/Qelview)
file(COPY ${PROGRAM} DESTINATION ${SCRATCH}/built)
foreach(folder IN ITEMS ${SCRATCH}/built ${prefix}/lib/qelview ${SCRATCH}/working)
    file(COPY_FILE ${PLANTED} ${folder}/libjpeg.so.62)
endforeach()

set(failures)
foreach(program IN ITEMS ${PROGRAM} ${installed})
    execute_process(COMMAND ${READELF} -d ${program} OUTPUT_VARIABLE dynamic RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "readelf -d ${program} failed")
    endif()
    string(REGEX MATCHALL "Library r(un)?path: \\[[^]\n]*\\]" paths "${dynamic}")
    foreach(path IN LISTS paths)
        string(REGEX REPLACE "^[^[]*\\[(.*)\\]$" "\\1" entries "${path}")
        string(REPLACE ":" ";" entries "x${entries}x")
        foreach(entry IN LISTS entries)
            string(REGEX REPLACE "^x|x$" "" entry "${entry}")
            if(NOT IS_ABSOLUTE "${entry}" OR entry MATCHES "ORIGIN")
                string(APPEND failures "${program}: ${path}\n")
                break()
            endif()
        endforeach()
    endforeach()
endforeach()

# Each case: the program started, and the folder it is started from.
set(cases
    "${SCRATCH}/built/Qelview|${SCRATCH}/built"
    "${installed}|${prefix}/lib/qelview"
    "${PROGRAM}|${SCRATCH}/working"
    "${prefix}/bin/qelview|${SCRATCH}/working")
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" case "${case}")
    list(GET case 0 program)
    list(GET case 1 working)
    set(marker ${SCRATCH}/marker)
    file(REMOVE ${marker})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=planted-library-check
                PLANTED_LIBRARY_MARKER=${marker} ${program}
        WORKING_DIRECTORY ${working} TIMEOUT 60
        OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(EXISTS ${marker})
        file(READ ${marker} loaded)
        string(APPEND failures "${program} from ${working} loaded ${loaded}${output}\n")
    elseif(NOT output MATCHES "Could not find the Qt platform plugin \"planted-library-check\"")
        string(APPEND failures "${program} from ${working} did not reach Qt's start:\n${output}\n")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
