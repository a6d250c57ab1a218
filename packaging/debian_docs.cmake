# The files Debian's policy asks of a package besides the programs, in /usr/share/doc/zorun and the
# manual pages: the copyright file, the changelog, a page for the display mode and one for the command.
# Changelog and pages are compressed with gzip -n, which leaves out the time, so that every build of
# the same tree makes the same package.
set(ZORUN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zorun)
install(FILES ${ZORUN_COPYRIGHT_FILE} DESTINATION ${ZORUN_DOC_DIR})

# The changelog's newest entry must be this version's, or the package would describe another release.
file(STRINGS changelog zorun_changelog_top LIMIT_COUNT 1)
if(NOT zorun_changelog_top MATCHES "^zorun \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog starts with \"${zorun_changelog_top}\": add an entry for ${PROJECT_VERSION}")
endif()

find_program(ZORUN_GZIP gzip REQUIRED)
set(zorun_compressed)
# zorun_compressed(SOURCE NAME DESTINATION): SOURCE (configured when it ends in .in) as NAME.gz.
function(zorun_compressed source name destination)
  set(plain ${CMAKE_CURRENT_BINARY_DIR}/compressed/${name})
  if(source MATCHES "\\.in$")
    configure_file(${source} ${plain}.in.configured @ONLY)
    set(source ${plain}.in.configured)
  else()
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/${source})
  endif()
  add_custom_command(OUTPUT ${plain}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
                     COMMAND ${ZORUN_GZIP} -9nf ${plain}
                     DEPENDS ${source} VERBATIM)
  install(FILES ${plain}.gz DESTINATION ${destination})
  set(zorun_compressed ${zorun_compressed} ${plain}.gz PARENT_SCOPE)
endfunction()
zorun_compressed(changelog changelog ${ZORUN_DOC_DIR})
zorun_compressed(zorun.6.in zorun.6 ${CMAKE_INSTALL_MANDIR}/man6)
zorun_compressed(zorun-xscreensaver-setup.1.in zorun-xscreensaver-setup.1 ${CMAKE_INSTALL_MANDIR}/man1)
add_custom_target(zorun_debian_docs ALL DEPENDS ${zorun_compressed})
