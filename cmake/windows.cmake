# Cross build: Brisvane.exe, CBT.dll, the Windows tests and the end-to-end
# tests with their window event source.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
include(cmake/product.cmake)

brisvane_hook_library(CBT)

# Everything of the program but its entry, so the Windows tests drive the real
# code. CBT.dll is linked by whoever links this: the program and cbt_test the
# real one, the other Windows tests a stand-in (tests/win/stubs). The library
# alone reads other programs' windows, in both ways the bar has.
add_library(brisvane_core STATIC
    ${PURE_SOURCES}
    app/bar_window.cpp
    app/display.cpp
    app/init.cpp
    app/message_loop.cpp
    bar/bar_colours.cpp
    bar/bar_state.cpp
    bar/battery.cpp
    bar/colour_facts.cpp
    bar/follower.cpp
    bar/paint.cpp
    base/app_mode.cpp
    base/desktop_window.cpp
    base/dwm_attribute.cpp
    base/instance.cpp
    base/monitor_dpi.cpp
    base/monitors.cpp
    base/place_window.cpp
    base/system_calls.cpp
    base/system_library.cpp
    base/windows_version.cpp
    base/ui_resources.cpp
    cbt/named_section.cpp
    details/battery_devices.cpp
    details/details_paint.cpp
    details/details_window.cpp
    details/history_recording.cpp
    history/history_file.cpp
    options/options_command.cpp
    options/options_dialog.cpp
    settings/autostart.cpp
    settings/settings.cpp
    shutdown/auto_shutdown_dialog.cpp
    shutdown/confirm_dialog.cpp
    shutdown/countdown.cpp
    shutdown/keep_awake.cpp
    shutdown/message_box.cpp
    shutdown/power_off.cpp
    shutdown/session_presence.cpp
    tray/about_box.cpp
    tray/tray_icon.cpp
    tray/tray_menu.cpp
)
target_include_directories(brisvane_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(brisvane_core PRIVATE ${PRODUCT_COMPILE_OPTIONS})
# comctl32 and powrprof are taken at first use (base/ui_resources,
# base/system_calls), so they are not imports of the program.
target_link_libraries(brisvane_core PUBLIC gdi32 user32 shell32 advapi32 wtsapi32)
brisvane_warnings(brisvane_core)

set(BRISVANE_RESOURCES ${CMAKE_SOURCE_DIR}/res/brisvane.rc)
set_source_files_properties(${BRISVANE_RESOURCES} PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_SOURCE_DIR}/res/brisvane.manifest;${CMAKE_SOURCE_DIR}/res/brisvane.ico;${CMAKE_SOURCE_DIR}/res/shutdown.ico;${CMAKE_SOURCE_DIR}/res/states.bmp;${CMAKE_SOURCE_DIR}/res/tray.rc;${CMAKE_SOURCE_DIR}/res/options.rc;${CMAKE_SOURCE_DIR}/res/shutdown.rc;${CMAKE_SOURCE_DIR}/res/details.rc")

add_executable(Brisvane WIN32 app/main.cpp ${BRISVANE_RESOURCES})
target_include_directories(Brisvane PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
target_compile_options(Brisvane PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_link_options(Brisvane PRIVATE ${PRODUCT_LINK_OPTIONS} -municode)
target_link_libraries(Brisvane PRIVATE brisvane_core CBT)
brisvane_warnings(Brisvane)

include(cmake/windows_tests.cmake)
include(cmake/package.cmake)
include(cmake/bench.cmake)
