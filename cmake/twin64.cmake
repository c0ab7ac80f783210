# The 64-bit pair: CBT64.dll, the hook library built for 64-bit programs, and
# CBT64Host.exe, which holds its hooks for the 32-bit program. A 64-bit tree
# builds them with everything else; the 32-bit release build makes them
# through a 64-bit build of only these two (BRISVANE_TWIN_ONLY, see
# cmake/windows.cmake), which puts them beside Brisvane.exe.
if(BRISVANE_TWIN_ONLY)
    include(cmake/product.cmake)
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${BRISVANE_TWIN_OUTPUT})
endif()

brisvane_hook_library(CBT64)

# Loads CBT64.dll at run time, so a missing library ends it quietly.
add_executable(CBT64Host WIN32 ${CMAKE_SOURCE_DIR}/cbt/host64.cpp)
target_include_directories(CBT64Host PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(CBT64Host PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_link_options(CBT64Host PRIVATE ${PRODUCT_LINK_OPTIONS} -municode)
target_link_libraries(CBT64Host PRIVATE user32)
brisvane_warnings(CBT64Host)
