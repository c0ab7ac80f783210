# The window event source of the end-to-end tests (harness/events): a global
# hook library and the program that installs it, named for their width.
# Test code, never shipped. A 64-bit tree builds its own kind; the 32-bit
# tree also makes the 64-bit pair through a 64-bit build of only these two
# (BRISVANE_EVENTS_ONLY, see cmake/harness.cmake), for the 64-bit
# programs of its 64-bit prefixes.
if(BRISVANE_EVENTS_ONLY)
    add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601)
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${BRISVANE_EVENTS_OUTPUT})
endif()
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(bits 64)
else()
    set(bits 32)
endif()
add_library(event_hooks${bits} SHARED ${CMAKE_SOURCE_DIR}/harness/events/event_hooks.cpp)
set_target_properties(event_hooks${bits} PROPERTIES PREFIX "")
target_include_directories(event_hooks${bits} PRIVATE ${CMAKE_SOURCE_DIR})
# --kill-at: the hook procedures by their plain names in a 32-bit build too.
target_link_options(event_hooks${bits} PRIVATE -static -Wl,--kill-at)
target_link_libraries(event_hooks${bits} PRIVATE user32)
brisvane_warnings(event_hooks${bits})

add_executable(event_source${bits} WIN32 ${CMAKE_SOURCE_DIR}/harness/events/event_source.cpp)
target_include_directories(event_source${bits} PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(event_source${bits} PRIVATE -static -municode)
target_link_libraries(event_source${bits} PRIVATE user32)
add_dependencies(event_source${bits} event_hooks${bits})
brisvane_warnings(event_source${bits})
