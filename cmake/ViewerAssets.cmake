# Each program's artwork and version data from assets/, for the Qt programs
# (embedded resources) and the Windows programs (a resource script each).

# Embeds one program's artwork under the resource prefix /<name>/.
function(add_program_assets target name)
    qt_add_resources(${target} "${name}_assets"
        PREFIX "/"
        BASE ${PROJECT_SOURCE_DIR}/assets
        FILES
            ${PROJECT_SOURCE_DIR}/assets/${name}/built-in-picture.jpg
            ${PROJECT_SOURCE_DIR}/assets/${name}/icon-48.png
    )
endfunction()

# Gives a Windows program its application icon, built-in picture, manifest and
# version information, from the resource script beside its artwork.
function(add_windows_resources target name)
    set(script ${PROJECT_SOURCE_DIR}/assets/${name}/${name}.rc)
    # The script names its files relative to its own folder, and takes the
    # version header and the manifest from the generated ones.
    set_source_files_properties(${script} PROPERTIES
        INCLUDE_DIRECTORIES "${PROJECT_SOURCE_DIR}/assets/${name};${VIEWERS_VERSION_INCLUDE_DIR}"
        OBJECT_DEPENDS
            "${VIEWERS_VERSION_INCLUDE_DIR}/viewers_version.h;${VIEWERS_VERSION_INCLUDE_DIR}/windows.manifest")
    target_sources(${target} PRIVATE ${script})
endfunction()
