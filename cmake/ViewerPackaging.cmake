# The packages, one per program, made by CPack from the install rules
# (packaging/CMakeLists.txt), each program being a component: a .deb on Linux,
# a zip on Windows. "cpack --preset deb" or "cpack --preset windows" after the
# release or windows build writes them into <build folder>/packages.
set(CPACK_PACKAGE_VENDOR "The Qelview and Velview authors")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_COMPONENTS_ALL qelview velview)
set(CPACK_THREADS 1)

if(WIN32)
    # Qelview-windows.zip holding Qelview/Qelview.exe and Qelview/README.txt.
    set(CPACK_GENERATOR ZIP)
    set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_ARCHIVE_QELVIEW_FILE_NAME Qelview-windows)
    set(CPACK_ARCHIVE_VELVIEW_FILE_NAME Velview-windows)
else()
    # qelview_<version>_<arch>.deb, installed under /usr. The install rules
    # see the real prefix (DESTDIR staging), which the desktop entry names.
    # Lintian finds no error in them. Its one warning, no-manual-page for the
    # command on the path, stays: the programs are windows that take no
    # options, and the README beside the copyright file says how they are used.
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_SET_DESTDIR ON)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_INSTALL_PREFIX /usr)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VIEWERS_MAINTAINER})
    set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
    # The libraries the programs link, computed by dpkg-shlibdeps; and what Qt
    # loads at run time, which no tool finds: its platform plugins, among them
    # the Wayland one for a Wayland desktop with no X server, and faces for the
    # Japanese and Chinese texts, any of those the programs' font choice
    # names. Without a face the texts show as empty boxes, so these are
    # Depends, which --no-install-recommends still installs.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "qt6-qpa-plugins, qt6-wayland, fonts-noto-cjk | fonts-wqy-microhei")
    foreach(name IN ITEMS qelview velview)
        string(TOUPPER ${name} upper)
        set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${name})
        set(CPACK_COMPONENT_${upper}_DESCRIPTION "${VIEWERS_SUMMARY_${name}}
A small window that stays above other windows, beside a modelling or
animation tool. Four drop-down lists name the character model's
facial-expression morphs by their Japanese names; picking one shows the face
with that morph applied and a one-line explanation in Chinese. The pictures
come from a picture folder the user puts in ~/.local/share/${name}/;
see README in /usr/share/doc/${name}/.")
    endforeach()
endif()

include(CPack)
