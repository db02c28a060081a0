# Run by the install rules at install time, when the prefix is known: writes
# the file viewers_template names into viewers_destination under the prefix
# (and under DESTDIR, where a package is staged), with every
# ${CMAKE_INSTALL_PREFIX} in it replaced by that prefix. A desktop entry so
# names its program by a path that works whatever the prefix, ~/.local
# included, with no need for the folder on the PATH. The file is written
# straight to its place: installing writes nothing into the build tree, which
# may be read-only or another user's.
get_filename_component(viewers_name ${viewers_template} NAME)
set(viewers_installed
    "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${viewers_destination}/${viewers_name}")
file(READ ${viewers_template} viewers_text)
string(REPLACE "\${CMAKE_INSTALL_PREFIX}" "${CMAKE_INSTALL_PREFIX}" viewers_text "${viewers_text}")
message(STATUS "Installing: ${viewers_installed}")
file(WRITE ${viewers_installed} "${viewers_text}")
# As install(FILES) would leave it, whatever the installer's umask.
file(CHMOD ${viewers_installed} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${viewers_installed}")
