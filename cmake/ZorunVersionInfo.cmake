# zorun_version_info(TARGET DESCRIPTION): gives a Windows program a version resource with the project's
# version, its description and its file name. Call it after the target's OUTPUT_NAME and SUFFIX are set.
function(zorun_version_info target description)
  if(NOT WIN32)
    return()
  endif()
  get_target_property(name ${target} OUTPUT_NAME)
  get_target_property(suffix ${target} SUFFIX)
  set(ZORUN_FILE_DESCRIPTION "${description}")
  set(ZORUN_ORIGINAL_FILENAME "${name}${suffix}")
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in ${script} @ONLY)
  target_sources(${target} PRIVATE ${script})
endfunction()
