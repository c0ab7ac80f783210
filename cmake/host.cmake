# Host build: the pure logic with GoogleTest under the sanitizers.
set(SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all)
add_compile_options(${SANITIZERS} -g)
add_link_options(${SANITIZERS})

add_subdirectory(${GOOGLETEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

add_library(brisvane_pure STATIC ${PURE_SOURCES})
target_include_directories(brisvane_pure PUBLIC ${CMAKE_SOURCE_DIR})
brisvane_warnings(brisvane_pure)

file(GLOB HOST_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*_test.cpp)
add_executable(host_tests ${HOST_TEST_SOURCES})
target_link_libraries(host_tests PRIVATE brisvane_pure GTest::gtest_main)
brisvane_warnings(host_tests)
add_test(NAME host_tests COMMAND host_tests)

# The resources as the program links them, for the test that every text is
# there in both languages: windres of either width writes the same .res.
find_program(BRISVANE_WINDRES NAMES i686-w64-mingw32-windres x86_64-w64-mingw32-windres REQUIRED)
file(GLOB RESOURCE_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*)
set(RESOURCE_FILE ${CMAKE_BINARY_DIR}/brisvane.res)
add_custom_command(OUTPUT ${RESOURCE_FILE}
    COMMAND ${BRISVANE_WINDRES} -c 65001 -I ${CMAKE_SOURCE_DIR}/res -O res -i ${CMAKE_SOURCE_DIR}/res/brisvane.rc
            -o ${RESOURCE_FILE}
    DEPENDS ${RESOURCE_INPUTS}
    VERBATIM)
add_custom_target(brisvane_res DEPENDS ${RESOURCE_FILE})
add_dependencies(host_tests brisvane_res)
target_compile_definitions(host_tests PRIVATE BRISVANE_RES_FILE="${RESOURCE_FILE}")

# No include runs from a folder to one above it.
add_test(NAME include_directions COMMAND bash ${CMAKE_SOURCE_DIR}/tools/includes.sh ${CMAKE_SOURCE_DIR})
