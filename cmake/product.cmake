# What every Windows build shares: the full one (cmake/windows.cmake) and
# the 64-bit test event source alone (cmake/event_source.cmake).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)

# The product: small, no C++ runtime DLLs a user would not have.
set(PRODUCT_COMPILE_OPTIONS -Os -fno-exceptions -fno-rtti)
set(PRODUCT_LINK_OPTIONS -static -s)

# What the hook library asks other windows (their caption buttons, whether
# they are full screen), apart so that a Windows test can ask its own windows.
# The pure readings it uses come with the library or the program.
add_library(cbt_window_queries STATIC ${CMAKE_SOURCE_DIR}/cbt/caption_probe.cpp
                                      ${CMAKE_SOURCE_DIR}/cbt/full_screen_window.cpp
                                      ${CMAKE_SOURCE_DIR}/cbt/window_query.cpp
                                      ${CMAKE_SOURCE_DIR}/cbt/window_shape.cpp)
target_include_directories(cbt_window_queries PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(cbt_window_queries PRIVATE ${PRODUCT_COMPILE_OPTIONS})
brisvane_warnings(cbt_window_queries)

# The hook library's own sources, beside cbt_window_queries.
set(CBT_SOURCES ${CMAKE_SOURCE_DIR}/cbt/cbt.cpp ${CMAKE_SOURCE_DIR}/cbt/carrier.cpp
    ${CMAKE_SOURCE_DIR}/cbt/caption_buttons.cpp ${CMAKE_SOURCE_DIR}/cbt/caption_placement.cpp
    ${CMAKE_SOURCE_DIR}/cbt/follow_rules.cpp ${CMAKE_SOURCE_DIR}/cbt/full_screen.cpp
    ${CMAKE_SOURCE_DIR}/cbt/follow_state.cpp ${CMAKE_SOURCE_DIR}/cbt/pending_events.cpp
    ${CMAKE_SOURCE_DIR}/cbt/named_section.cpp ${CMAKE_SOURCE_DIR}/cbt/event_hooks.cpp
    ${CMAKE_SOURCE_DIR}/base/bottom_right.cpp ${CMAKE_SOURCE_DIR}/base/dwm_attribute.cpp
    ${CMAKE_SOURCE_DIR}/base/desktop_window.cpp ${CMAKE_SOURCE_DIR}/base/monitors.cpp ${CMAKE_SOURCE_DIR}/base/monitor_dpi.cpp
    ${CMAKE_SOURCE_DIR}/base/system_library.cpp ${CMAKE_SOURCE_DIR}/base/windows_version.cpp)

# brisvane_hook_library(NAME): the hook library as NAME.dll. It takes nothing
# of the program but the ground floor's bottom-right corner and monitors.
# --kill-at exports the stdcall functions undecorated (InstallCBTHook, not
# InstallCBTHook@0).
function(brisvane_hook_library name)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        # x86-64 has one calling convention and no decoration: the same
        # exports without the @N suffixes, under this library's name, and
        # ld's own import library.
        file(READ ${CMAKE_SOURCE_DIR}/cbt/cbt.def def)
        string(REGEX REPLACE "@[0-9]+" "" def "${def}")
        string(REPLACE "LIBRARY CBT.dll" "LIBRARY ${name}.dll" def "${def}")
        set(def_file ${CMAKE_BINARY_DIR}/${name}.def)
        file(WRITE ${def_file} "${def}")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/cbt/cbt.def)
    else()
        set(def_file ${CMAKE_SOURCE_DIR}/cbt/cbt.def)
    endif()
    add_library(${name} SHARED ${CBT_SOURCES} ${def_file})
    target_link_libraries(${name} PRIVATE cbt_window_queries)
    set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${name} PRIVATE ${PRODUCT_COMPILE_OPTIONS})
    target_link_options(${name} PRIVATE ${PRODUCT_LINK_OPTIONS} -Wl,--kill-at)
    target_link_libraries(${name} PRIVATE user32 gdi32)
    if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
        # ld's own import library would name the undecorated symbols; the
        # callers' stdcall references are decorated, so write it from the
        # .def with dlltool -k.
        add_custom_command(TARGET ${name} POST_BUILD
            COMMAND ${TOOLCHAIN_PREFIX}-dlltool -k -d ${def_file} -D ${name}.dll -l $<TARGET_LINKER_FILE:${name}>
            VERBATIM)
    endif()
    brisvane_warnings(${name})
endfunction()
