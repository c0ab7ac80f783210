# Cross build: Brisvane.exe, CBT.dll, the Windows tests and the end-to-end tests.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)

# The product: small, no C++ runtime DLLs a user would not have.
set(PRODUCT_COMPILE_OPTIONS -Os -fno-exceptions -fno-rtti)
set(PRODUCT_LINK_OPTIONS -static -s)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    # x86-64 has one calling convention and no decoration: the same exports
    # without the @N suffixes, and ld's own import library.
    file(READ ${CMAKE_SOURCE_DIR}/cbt/cbt.def CBT_DEF)
    string(REGEX REPLACE "@[0-9]+" "" CBT_DEF "${CBT_DEF}")
    file(WRITE ${CMAKE_BINARY_DIR}/cbt64.def "${CBT_DEF}")
    set(CBT_DEF_FILE ${CMAKE_BINARY_DIR}/cbt64.def)
else()
    set(CBT_DEF_FILE ${CMAKE_SOURCE_DIR}/cbt/cbt.def)
endif()
# The library runs inside other programs: it takes nothing of the program but
# the ground floor's bottom-right corner.
add_library(CBT SHARED cbt/cbt.cpp cbt/carrier.cpp cbt/caption_placement.cpp cbt/shared_views.cpp
            base/bottom_right.cpp base/monitors.cpp ${CBT_DEF_FILE})
set_target_properties(CBT PROPERTIES PREFIX "" OUTPUT_NAME CBT)
target_include_directories(CBT PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(CBT PRIVATE ${PRODUCT_COMPILE_OPTIONS})
# --kill-at exports the stdcall functions undecorated (InstallCBTHook, not InstallCBTHook@0).
target_link_options(CBT PRIVATE ${PRODUCT_LINK_OPTIONS} -Wl,--kill-at)
target_link_libraries(CBT PRIVATE user32 gdi32)
if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
    # ld's own import library would name the undecorated symbols; the callers'
    # stdcall references are decorated, so write it from the .def with dlltool -k.
    add_custom_command(TARGET CBT POST_BUILD
        COMMAND ${TOOLCHAIN_PREFIX}-dlltool -k -d ${CMAKE_SOURCE_DIR}/cbt/cbt.def -D CBT.dll
                -l $<TARGET_LINKER_FILE:CBT>
        VERBATIM)
endif()
brisvane_warnings(CBT)

# Everything of the program but its entry, so the Windows tests drive the real code.
add_library(brisvane_core STATIC
    ${PURE_SOURCES}
    app/bar_window.cpp
    app/display.cpp
    app/init.cpp
    app/message_loop.cpp
    bar/bar_state.cpp
    bar/battery.cpp
    bar/paint.cpp
    base/instance.cpp
    base/monitors.cpp
    base/place_window.cpp
    hook/hook_library.cpp
    hook/window_record.cpp
    options/options_command.cpp
    options/options_dialog.cpp
    settings/autostart.cpp
    settings/settings.cpp
    shutdown/auto_shutdown_dialog.cpp
    shutdown/confirm_dialog.cpp
    shutdown/countdown.cpp
    shutdown/message_box.cpp
    shutdown/power_off.cpp
    tray/about_box.cpp
    tray/tray_icon.cpp
    tray/tray_menu.cpp
)
target_include_directories(brisvane_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(brisvane_core PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_link_libraries(brisvane_core PUBLIC CBT comctl32 gdi32 user32 shell32 advapi32)
brisvane_warnings(brisvane_core)

set(BRISVANE_RESOURCES ${CMAKE_SOURCE_DIR}/res/brisvane.rc)
set_source_files_properties(${BRISVANE_RESOURCES} PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_SOURCE_DIR}/res/brisvane.manifest;${CMAKE_SOURCE_DIR}/res/brisvane.ico;${CMAKE_SOURCE_DIR}/res/shutdown.ico;${CMAKE_SOURCE_DIR}/res/states.bmp;${CMAKE_SOURCE_DIR}/res/tray.rc;${CMAKE_SOURCE_DIR}/res/options.rc;${CMAKE_SOURCE_DIR}/res/shutdown.rc")

add_executable(Brisvane WIN32 app/main.cpp ${BRISVANE_RESOURCES})
target_include_directories(Brisvane PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
target_compile_options(Brisvane PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_link_options(Brisvane PRIVATE ${PRODUCT_LINK_OPTIONS} -municode)
target_link_libraries(Brisvane PRIVATE brisvane_core)
brisvane_warnings(Brisvane)

include(cmake/windows_tests.cmake)
include(cmake/package.cmake)
include(cmake/bench.cmake)
