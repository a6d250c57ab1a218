# The Windows program Zorun.scr: the Win32 adapters, the stored pictures as resources, winmm for the music.

# WIC decoding of the stored pictures; the tests decode with it too.
add_library(zorun_picture_decoder STATIC picture_decoder_win32.cpp)
target_include_directories(zorun_picture_decoder PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zorun_picture_decoder PUBLIC ole32 windowscodecs shlwapi uuid)
zorun_warnings(zorun_picture_decoder)

# The adapters of the platform and forms ports, and the command line's argument text.
add_library(zorun_host_win32 STATIC host_platform_win32.cpp forms/host_window_win32.cpp command_line.cpp)
target_include_directories(zorun_host_win32 PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zorun_host_win32 PUBLIC zorun_picture_decoder zorun_bitmap_writer user32 gdi32)
zorun_warnings(zorun_host_win32)

# The stored pictures as RCDATA; the resource compiler finds the files on its include path.
set(ZORUN_HOST_RESOURCES ${CMAKE_CURRENT_SOURCE_DIR}/zorun_host.rc)
set_property(SOURCE ${ZORUN_HOST_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS
             ${PROJECT_SOURCE_DIR}/assets/cloud.jpg ${PROJECT_SOURCE_DIR}/assets/preview.jpg
             ${PROJECT_SOURCE_DIR}/assets/button_normal.bmp ${PROJECT_SOURCE_DIR}/assets/button_highlight.bmp ${PROJECT_SOURCE_DIR}/assets/button_highlight_select.bmp ${PROJECT_SOURCE_DIR}/assets/button_selected.bmp ${PROJECT_SOURCE_DIR}/assets/button_pressed.bmp ${PROJECT_SOURCE_DIR}/assets/button_disable.bmp
             ${PROJECT_SOURCE_DIR}/assets/option.jpg ${PROJECT_SOURCE_DIR}/assets/option_selected.jpg
             ${PROJECT_SOURCE_DIR}/assets/dialog_icon.ico ${PROJECT_SOURCE_DIR}/assets/hand.cur
             ${CMAKE_CURRENT_SOURCE_DIR}/host_resources.h)

add_executable(zorun_host WIN32 main_win32.cpp ${ZORUN_HOST_RESOURCES})
target_include_directories(zorun_host PRIVATE ${PROJECT_SOURCE_DIR}/assets)
target_link_libraries(zorun_host PRIVATE zorun_host_core zorun_host_win32 zorun_dialog_view zorun_mci zorun_paths)
set_target_properties(zorun_host PROPERTIES OUTPUT_NAME Zorun SUFFIX .scr RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
zorun_warnings(zorun_host)
zorun_static_runtime(zorun_host)
