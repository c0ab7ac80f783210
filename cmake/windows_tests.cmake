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
brisvane_windows_test(settings_test)
brisvane_windows_test(tray_test)
brisvane_windows_test(cbt_test)
brisvane_windows_test(options_test)
brisvane_windows_test(power_event_test)
brisvane_windows_test(shutdown_test)

# The driver that observes and pokes the real program from another process.
add_executable(e2e_driver ${CMAKE_SOURCE_DIR}/tests/e2e/driver.cpp)
target_include_directories(e2e_driver PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(e2e_driver PRIVATE -static -municode)
target_link_libraries(e2e_driver PRIVATE user32 gdi32 psapi)
target_link_libraries(e2e_driver PRIVATE version)
target_link_libraries(e2e_driver PRIVATE shell32)
brisvane_warnings(e2e_driver)

# Windows to ride on, and a stand-in for the program that switches the hooks
# and shows what the library posts, for the caption-riding tests.
add_executable(e2e_test_window WIN32 ${CMAKE_SOURCE_DIR}/tests/e2e/test_window.cpp)
target_link_options(e2e_test_window PRIVATE -static -municode)
target_link_libraries(e2e_test_window PRIVATE user32 shell32)
brisvane_warnings(e2e_test_window)
add_executable(e2e_hook_host WIN32 ${CMAKE_SOURCE_DIR}/tests/e2e/hook_host.cpp)
target_include_directories(e2e_hook_host PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(e2e_hook_host PRIVATE -static -municode)
target_link_libraries(e2e_hook_host PRIVATE CBT user32 gdi32)
brisvane_warnings(e2e_hook_host)

# An end-to-end test: tests/e2e/<name>.sh, given the built programs.
function(brisvane_e2e_test name)
    add_test(NAME ${name}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/${name}.sh
             $<TARGET_FILE:Brisvane> $<TARGET_FILE:CBT> $<TARGET_FILE:e2e_driver> ${ARGN})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${WINE_TEST_ENV};E2E_WORK=${CMAKE_BINARY_DIR}/e2e"
                                            FIXTURES_REQUIRED wine RUN_SERIAL ON SKIP_RETURN_CODE 77)
endfunction()

add_test(NAME imports_test
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/imports_test.sh $<TARGET_FILE:Brisvane> $<TARGET_FILE:CBT>)

brisvane_e2e_test(startup_test)
brisvane_windows_test(paint_test)
brisvane_e2e_test(adhere_test)
set_tests_properties(adhere_test PROPERTIES TIMEOUT 400 ENVIRONMENT
    "${WINE_TEST_ENV};E2E_WORK=${CMAKE_BINARY_DIR}/e2e;E2E_TEST_WINDOW=$<TARGET_FILE:e2e_test_window>;E2E_HOOK_HOST=$<TARGET_FILE:e2e_hook_host>")
brisvane_e2e_test(options_dialog_test)
brisvane_e2e_test(power_broadcast_test)
brisvane_e2e_test(auto_shutdown_test)
brisvane_e2e_test(settings_file_test)
brisvane_e2e_test(bar_look_test)
set_tests_properties(bar_look_test PROPERTIES ENVIRONMENT
    "${WINE_TEST_ENV};E2E_WORK=${CMAKE_BINARY_DIR}/e2e;E2E_TEST_WINDOW=$<TARGET_FILE:e2e_test_window>")
brisvane_e2e_test(soak_test)
brisvane_e2e_test(tray_area_test)
