# Debian's stb (libstb-dev): stb_image and stb_image_write, for the tools, tests and benchmarks that
# read or write JPEG and PNG files. One target, `zorun_stb`, instead of a search in every folder.
if(WIN32 OR TARGET zorun_stb)
  return()
endif()
find_path(ZORUN_STB_INCLUDE_DIR stb_image.h PATH_SUFFIXES stb REQUIRED)
find_library(ZORUN_STB_LIBRARY stb REQUIRED)
add_library(zorun_stb INTERFACE)
target_include_directories(zorun_stb SYSTEM INTERFACE ${ZORUN_STB_INCLUDE_DIR})
target_link_libraries(zorun_stb INTERFACE ${ZORUN_STB_LIBRARY} m)
