# Runs at install time: links bin/vantorel-editor to the executable in the
# program folder, relatively so that the whole prefix can be moved, and writes
# the desktop entry, which starts the editor by its full path: a bin folder
# made by this install is not on the PATH of a session already open.

# A relative prefix given to cmake --install counts from the current folder.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(root "$ENV{DESTDIR}${prefix}")

set(link "${root}/bin/vantorel-editor")
message(STATUS "Installing: ${link}")
file(MAKE_DIRECTORY "${root}/bin")
file(REMOVE "${link}")
file(CREATE_LINK "../${VANTOREL_INSTALL_PROGRAM_DIR}/vantorel-editor" "${link}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")

# The Exec key quotes a path with any character the launcher would read
# otherwise, escaped once for the quotes and once more for the key's string.
set(exec "${prefix}/bin/vantorel-editor")
if(exec MATCHES "[\n\r\t]")
    message(FATAL_ERROR "A desktop entry cannot start a program from this prefix: ${prefix}")
endif()
if(NOT exec MATCHES "^[A-Za-z0-9/._+-]+$")
    string(REPLACE "\\" "\\\\\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\\\"" exec "${exec}")
    string(REPLACE "`" "\\\\`" exec "${exec}")
    string(REPLACE "$" "\\\\$" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
string(REPLACE "%" "%%" exec "${exec}")

set(entry "${root}/share/applications/${VANTOREL_APP_ID}.desktop")
message(STATUS "Installing: ${entry}")
file(READ "${VANTOREL_DESKTOP_TEMPLATE}" text)
string(REPLACE "@VANTOREL_EXEC@" "${exec}" text "${text}")
file(WRITE "${entry}" "${text}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
