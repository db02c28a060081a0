# Plants libjpeg.so.62 beside a copy of the built Qelview, beside the installed
# one and in the working directory, and starts each on a Qt platform that does
# not exist: Qt reports that only once every library is loaded and bound, so
# the report proves the program started with its real libraries, and the
# absence of the marker proves the planted one never ran.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/built ${SCRATCH}/working)
set(prefix ${SCRATCH}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(installed ${prefix}/lib/qelview/Qelview)
file(COPY ${PROGRAM} DESTINATION ${SCRATCH}/built)
foreach(folder IN ITEMS ${SCRATCH}/built ${prefix}/lib/qelview ${SCRATCH}/working)
    file(COPY_FILE ${PLANTED} ${folder}/libjpeg.so.62)
endforeach()

set(failures)
foreach(program IN ITEMS ${PROGRAM} ${installed})
    execute_process(COMMAND ${READELF} -d ${program} OUTPUT_VARIABLE dynamic
        COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "Library r(un)?path: \\[[^]\n]*\\]" paths "${dynamic}")
    foreach(path IN LISTS paths)
        # An entry that is empty (the working directory), relative or $ORIGIN.
        if(path MATCHES "[[:][^/]|ORIGIN")
            string(APPEND failures "${program}: ${path}\n")
        endif()
    endforeach()
endforeach()

# The program started, and the folder it is started from.
foreach(case IN ITEMS "${SCRATCH}/built/Qelview|${SCRATCH}/built"
                      "${installed}|${prefix}/lib/qelview"
                      "${PROGRAM}|${SCRATCH}/working"
                      "${prefix}/bin/qelview|${SCRATCH}/working")
    string(REPLACE "|" ";" case "${case}")
    list(GET case 0 program)
    list(GET case 1 working)
    file(REMOVE ${SCRATCH}/marker)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=planted-library-check
                PLANTED_LIBRARY_MARKER=${SCRATCH}/marker ${program}
        WORKING_DIRECTORY ${working} TIMEOUT 60 OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(EXISTS ${SCRATCH}/marker OR NOT output MATCHES
       "Could not find the Qt platform plugin \"planted-library-check\"")
        string(APPEND failures "${program} from ${working} loaded a planted library "
                               "or did not reach Qt's start:\n${output}\n")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
