# The licence of the whole tree, LICENSE, in the forms the packages carry it: LICENSE.txt with CR LF
# lines for Windows (ZORUN_LICENSE_TXT: the zip's, and the installer's page and file) and the copyright file
# in Debian's machine-readable format for the .deb (ZORUN_COPYRIGHT_FILE).
file(READ ${PROJECT_SOURCE_DIR}/LICENSE zorun_licence)
if(NOT zorun_licence MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(.+[^\n])\n*$")
  message(FATAL_ERROR "LICENSE: no \"Copyright (c) YEAR HOLDER\" line followed by the licence's terms")
endif()
set(ZORUN_COPYRIGHT ${CMAKE_MATCH_1})
# The copyright file's licence text: every line indented by one blank, an empty line as " .".
string(REPLACE "\n\n" "\n.\n" ZORUN_LICENSE_TEXT "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " ZORUN_LICENSE_TEXT " ${ZORUN_LICENSE_TEXT}")

# The Windows programs hold the compiler's runtime (linked statically), whose notices go with them.
set(zorun_notices)
if(WIN32)
  file(READ windows_runtime_notices.txt zorun_notices)
endif()
set(ZORUN_LICENSE_TXT ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt)
file(CONFIGURE OUTPUT ${ZORUN_LICENSE_TXT} CONTENT "${zorun_licence}${zorun_notices}" @ONLY NEWLINE_STYLE CRLF)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE windows_runtime_notices.txt)
set(ZORUN_COPYRIGHT_FILE ${CMAKE_CURRENT_BINARY_DIR}/copyright)
configure_file(copyright.in ${ZORUN_COPYRIGHT_FILE} @ONLY)
