# The harness (harness/): what the tests and the tools both stand on to drive
# the real program from outside. Test code, never shipped.

# The driver that observes and pokes the real program from another process.
# (harness/driver: a file for each kind of thing it drives, and the figures
# only the benchmarks read).
set(E2E_DRIVER ${CMAKE_SOURCE_DIR}/harness/driver)
add_executable(e2e_driver ${E2E_DRIVER}/commands.cpp ${E2E_DRIVER}/common.cpp ${E2E_DRIVER}/bar.cpp
                          ${E2E_DRIVER}/dialogs.cpp ${E2E_DRIVER}/screen.cpp ${E2E_DRIVER}/windows.cpp
                          ${E2E_DRIVER}/processes.cpp ${E2E_DRIVER}/displays.cpp
                          ${E2E_DRIVER}/figures.cpp)
target_include_directories(e2e_driver PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(e2e_driver PRIVATE -static -municode)
target_link_libraries(e2e_driver PRIVATE user32 gdi32 psapi)
target_link_libraries(e2e_driver PRIVATE version)
target_link_libraries(e2e_driver PRIVATE shell32)
brisvane_warnings(e2e_driver)

# Windows to ride on, for the caption-riding tests.
add_executable(e2e_test_window WIN32 ${CMAKE_SOURCE_DIR}/harness/windows/test_window.cpp)
target_link_options(e2e_test_window PRIVATE -static -municode)
target_link_libraries(e2e_test_window PRIVATE user32 shell32)
target_include_directories(e2e_test_window PRIVATE ${CMAKE_SOURCE_DIR})
brisvane_warnings(e2e_test_window)

# The window events Wine does not raise, raised in every program of a test's
# desktop (harness/drive.sh starts it): of this tree's width, and in a 32-bit
# tree also of 64 bits, for the 64-bit programs in its 64-bit prefixes.
include(cmake/event_source.cmake)
if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
    include(ExternalProject)
    ExternalProject_Add(event_source64
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${CMAKE_BINARY_DIR}/events64
        CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw64.cmake
                   -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DBRISVANE_WERROR=${BRISVANE_WERROR}
                   -DBRISVANE_EVENTS_ONLY=ON -DBRISVANE_EVENTS_OUTPUT=${CMAKE_BINARY_DIR}/bin
        BUILD_ALWAYS ON
        INSTALL_COMMAND ""
        BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/bin/event_source64.exe ${CMAKE_BINARY_DIR}/bin/event_hooks64.dll)
endif()
# Every width of it, for the tools that build only what they run.
add_custom_target(event_sources)
add_dependencies(event_sources event_source${bits})
if(TARGET event_source64)
    add_dependencies(event_sources event_source64)
endif()

# Windows that draw their own captions, and a full-screen one, beside
# e2e_test_window.
add_executable(e2e_drawn_window WIN32 ${CMAKE_SOURCE_DIR}/harness/windows/drawn_window.cpp)
target_include_directories(e2e_drawn_window PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(e2e_drawn_window PRIVATE -static -municode)
target_link_libraries(e2e_drawn_window PRIVATE user32 gdi32 shell32)
brisvane_warnings(e2e_drawn_window)
