# The 64-bit build: CBT64.dll, the same library as CBT.dll for 64-bit
# programs, and CBT64Host.exe, which installs its hooks for the 32-bit
# program. Configured and built by the 32-bit build (cmake/windows.cmake),
# which puts them beside Brisvane.exe.
include(cmake/product.cmake)
set(BRISVANE_TWIN_OUTPUT ${CMAKE_BINARY_DIR}/bin CACHE PATH "Where the 64-bit programs go")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${BRISVANE_TWIN_OUTPUT})

# The same exports as CBT.dll under the library's own name (x64 has no
# stdcall decoration; --kill-at drops it from the names).
file(READ ${CMAKE_SOURCE_DIR}/cbt/cbt.def cbt_def)
string(REPLACE "LIBRARY CBT.dll" "LIBRARY CBT64.dll" cbt_def "${cbt_def}")
file(WRITE ${CMAKE_BINARY_DIR}/cbt64.def "${cbt_def}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/cbt/cbt.def)

add_library(CBT64 SHARED ${CBT_SOURCES} ${CMAKE_BINARY_DIR}/cbt64.def)
set_target_properties(CBT64 PROPERTIES PREFIX "" OUTPUT_NAME CBT64)
target_include_directories(CBT64 PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(CBT64 PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_link_options(CBT64 PRIVATE ${PRODUCT_LINK_OPTIONS} -Wl,--kill-at)
target_link_libraries(CBT64 PRIVATE user32)
brisvane_warnings(CBT64)

# Loads CBT64.dll at run time, so a missing library ends it quietly.
add_executable(CBT64Host WIN32 cbt/host64.cpp)
target_include_directories(CBT64Host PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(CBT64Host PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_link_options(CBT64Host PRIVATE ${PRODUCT_LINK_OPTIONS} -municode)
target_link_libraries(CBT64Host PRIVATE user32)
brisvane_warnings(CBT64Host)

# The test driver as a 64-bit program, to time a hook call inside one.
add_executable(e2e_driver64 ${CMAKE_SOURCE_DIR}/tests/e2e/driver.cpp)
target_include_directories(e2e_driver64 PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(e2e_driver64 PRIVATE -static -municode)
target_link_libraries(e2e_driver64 PRIVATE user32 gdi32 psapi version shell32)
brisvane_warnings(e2e_driver64)
