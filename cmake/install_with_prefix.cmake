# Run by the install rules at install time, when the prefix is known: writes
# the file viewers_template names with every ${CMAKE_INSTALL_PREFIX} in it
# replaced by that prefix, then installs it into viewers_destination under the
# prefix. A desktop entry so names its program by a path that works whatever
# the prefix, ~/.local included, with no need for the folder on the PATH.
get_filename_component(viewers_name ${viewers_template} NAME)
set(viewers_written ${viewers_template}.installed/${viewers_name})
file(READ ${viewers_template} viewers_text)
string(REPLACE "\${CMAKE_INSTALL_PREFIX}" "${CMAKE_INSTALL_PREFIX}" viewers_text "${viewers_text}")
file(WRITE ${viewers_written} "${viewers_text}")
file(INSTALL ${viewers_written} DESTINATION ${CMAKE_INSTALL_PREFIX}/${viewers_destination})
