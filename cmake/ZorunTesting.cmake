# The unit tests alone, as the sanitizer build makes them (preset asan): `cmake --build --target unit_tests`.
if(NOT TARGET unit_tests)
  add_custom_target(unit_tests)
endif()

# zorun_add_gtest(NAME [ON_PRIVATE_DISPLAY] SOURCES ... LIBS ... LABELS ...): one GoogleTest program, one
# CTest test. In the Windows build CTest runs it under Wine (the toolchain's cross-compiling emulator) and
# it gets the label "wine" besides its own. A program labelled unit is a part of the target unit_tests.
# ON_PRIVATE_DISPLAY: it runs on an Xvfb of its own (tests/support/on_private_display.sh; Linux build).
function(zorun_add_gtest name)
  cmake_parse_arguments(ARG "ON_PRIVATE_DISPLAY" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} zorun_test_support gtest_main)
  target_compile_options(${name} PRIVATE $<$<CXX_COMPILER_ID:GNU,Clang>:-Wno-conversion>)
  zorun_warnings(${name})
  zorun_static_runtime(${name})
  if(ARG_ON_PRIVATE_DISPLAY)
    add_test(NAME ${name} COMMAND sh ${PROJECT_SOURCE_DIR}/tests/support/on_private_display.sh $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set(labels ${ARG_LABELS})
  if(NOT labels)
    set(labels unit)
  endif()
  if(unit IN_LIST labels)
    add_dependencies(unit_tests ${name})
  endif()
  if(CMAKE_CROSSCOMPILING)
    list(APPEND labels wine)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${labels}")
endfunction()

# Adds every direct subfolder of the current folder that has a CMakeLists.txt, but those named.
function(zorun_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(NOT child IN_LIST ARGN AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
