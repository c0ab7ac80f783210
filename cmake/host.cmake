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

# No include runs from a folder to one above it.
add_test(NAME include_directions COMMAND bash ${CMAKE_SOURCE_DIR}/tools/includes.sh ${CMAKE_SOURCE_DIR})
