# Windows tests run under Wine, one CTest test per executable (each Wine start
# costs seconds). End-to-end tests drive the real Brisvane.exe from outside.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

set(WINE_TEST_ENV
    WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix
    WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml=
)

add_test(NAME wine_prefix COMMAND bash ${CMAKE_SOURCE_DIR}/tools/prepare-wineprefix.sh)
set_tests_properties(wine_prefix PROPERTIES ENVIRONMENT "${WINE_TEST_ENV}" FIXTURES_SETUP wine)

# A Windows test executable from tests/win/<name>.cpp with the program's resources.
function(brisvane_windows_test name)
    add_executable(${name} ${CMAKE_SOURCE_DIR}/tests/win/${name}.cpp ${ARGN} ${BRISVANE_RESOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
    target_link_libraries(${name} PRIVATE brisvane_core GTest::gtest_main)
    target_link_options(${name} PRIVATE -static)
    brisvane_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${WINE_TEST_ENV}" FIXTURES_REQUIRED wine
                                            RUN_SERIAL ON)
endfunction()

brisvane_windows_test(bar_window_test)
brisvane_windows_test(shutdown_test)

# The driver that observes and pokes the real program from another process.
add_executable(e2e_driver ${CMAKE_SOURCE_DIR}/tests/e2e/driver.cpp)
target_include_directories(e2e_driver PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(e2e_driver PRIVATE -static -municode)
target_link_libraries(e2e_driver PRIVATE user32 gdi32 psapi)
brisvane_warnings(e2e_driver)

# An end-to-end test: tests/e2e/<name>.sh, given the built programs.
function(brisvane_e2e_test name)
    add_test(NAME ${name}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/${name}.sh
             $<TARGET_FILE:Brisvane> $<TARGET_FILE:CBT> $<TARGET_FILE:e2e_driver>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${WINE_TEST_ENV};E2E_WORK=${CMAKE_BINARY_DIR}/e2e"
                                            FIXTURES_REQUIRED wine RUN_SERIAL ON SKIP_RETURN_CODE 77)
endfunction()

add_test(NAME imports_test
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/imports_test.sh $<TARGET_FILE:Brisvane> $<TARGET_FILE:CBT>)

brisvane_e2e_test(startup_test)
brisvane_e2e_test(auto_shutdown_test)
