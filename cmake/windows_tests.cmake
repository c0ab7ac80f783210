# Windows tests run under Wine, one CTest test per executable (each Wine start
# costs seconds). End-to-end tests drive the real Brisvane.exe from outside.
# Every test runs in a Wine prefix and on an X display of its own
# (harness/wine.sh), so CTest can run them side by side (ctest -j).
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

set(WINE_TEST_ENV WINE_HOME=${CMAKE_BINARY_DIR}/wine)
set(WINE_RUN bash ${CMAKE_SOURCE_DIR}/harness/wine.sh run)

# The prefix every test's own prefix is copied from, made once.
add_test(NAME wine_prefix COMMAND bash ${CMAKE_SOURCE_DIR}/harness/wine.sh template)
set_tests_properties(wine_prefix PROPERTIES ENVIRONMENT "${WINE_TEST_ENV}" FIXTURES_SETUP wine)

# The fakes and the dialog-template reader every Windows test shares.
add_library(windows_test_support STATIC ${CMAKE_SOURCE_DIR}/tests/win/fakes.cpp
                                        ${CMAKE_SOURCE_DIR}/tests/win/dialog_template.cpp)
target_link_libraries(windows_test_support PUBLIC brisvane_core comctl32 powrprof)
brisvane_warnings(windows_test_support)

# What a whole test program puts in place of a system call (the power-off,
# message boxes, the tray, menus) and of CBT.dll's exports: object files, so
# that they are in the link before any library is searched.
add_library(windows_test_stubs OBJECT ${CMAKE_SOURCE_DIR}/tests/win/stubs/power_off.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/win/stubs/message_box.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/win/stubs/shell.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/win/stubs/power_settings.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/win/stubs/session.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/win/stubs/popup_menu.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/win/stubs/timers.cpp
                                      ${CMAKE_SOURCE_DIR}/harness/stand_ins/gdi_objects.cpp)
add_library(cbt_stub OBJECT ${CMAKE_SOURCE_DIR}/tests/win/stubs/cbt.cpp)
foreach(stubs windows_test_stubs cbt_stub)
    target_include_directories(${stubs} PRIVATE ${CMAKE_SOURCE_DIR})
    brisvane_warnings(${stubs})
endforeach()

# A Windows test executable from tests/win/<name>.cpp with the program's resources.
function(brisvane_windows_test name)
    add_executable(${name} ${CMAKE_SOURCE_DIR}/tests/win/${name}.cpp ${ARGN} ${BRISVANE_RESOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
    target_link_libraries(${name} PRIVATE windows_test_stubs windows_test_support GTest::gtest_main)
    if(name STREQUAL cbt_test)
        # After the program's code, which calls the library too.
        target_link_libraries(${name} PRIVATE brisvane_core CBT)
    else()
        target_link_libraries(${name} PRIVATE cbt_stub)
    endif()
    target_link_options(${name} PRIVATE -static)
    brisvane_warnings(${name})
    # A Chinese Windows: the tests read the Chinese texts unless they choose
    # English (Wine takes the display language from LC_ALL).
    add_test(NAME ${name} COMMAND ${WINE_RUN} ${name} env LC_ALL=zh_CN.UTF-8 wine $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${WINE_TEST_ENV}" FIXTURES_REQUIRED wine)
endfunction()

brisvane_windows_test(bar_window_test)
brisvane_windows_test(settings_test)
brisvane_windows_test(tray_test)
# As on Windows 11, with the system's dark-mode functions in place of
# base/system_library.cpp.
brisvane_windows_test(app_mode_test ${CMAKE_SOURCE_DIR}/tests/win/dark_mode_functions.cpp
                                    ${CMAKE_SOURCE_DIR}/tests/win/windows11_version.cpp)
brisvane_windows_test(cbt_test)
brisvane_windows_test(caption_probe_test)
target_link_libraries(caption_probe_test PRIVATE cbt_window_queries)
# The library linked in whole, with stand-ins for what Wine lacks in place of
# the files named (each stand-in says which Windows behaviour it gives).
function(brisvane_library_test name)
    cmake_parse_arguments(ARG "" "" "REPLACE;WITH" ${ARGN})
    set(sources ${CBT_SOURCES} ${CMAKE_SOURCE_DIR}/cbt/caption_probe.cpp ${CMAKE_SOURCE_DIR}/cbt/full_screen_window.cpp
                ${CMAKE_SOURCE_DIR}/cbt/window_query.cpp ${CMAKE_SOURCE_DIR}/cbt/window_shape.cpp)
    foreach(replaced ${ARG_REPLACE})
        list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${replaced})
    endforeach()
    list(TRANSFORM ARG_WITH PREPEND ${CMAKE_SOURCE_DIR}/)
    add_executable(${name} ${CMAKE_SOURCE_DIR}/tests/win/${name}.cpp ${sources} ${ARG_WITH})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE GTest::gtest_main user32 gdi32)
    target_link_options(${name} PRIVATE -static)
    brisvane_warnings(${name})
    add_test(NAME ${name} COMMAND ${WINE_RUN} ${name} wine $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${WINE_TEST_ENV}" FIXTURES_REQUIRED wine)
endfunction()

brisvane_library_test(unanswering_window_test
    REPLACE cbt/window_query.cpp base/dwm_attribute.cpp base/windows_version.cpp
    WITH tests/win/elevated_window_query.cpp tests/win/dwm_caption_buttons.cpp tests/win/windows10_version.cpp)
brisvane_windows_test(two_scales_test ${CMAKE_SOURCE_DIR}/tests/win/two_scale_monitors.cpp)
brisvane_windows_test(options_test)
brisvane_windows_test(power_event_test)
brisvane_windows_test(shutdown_test)

# What tests and tools both stand on: the driver, the test windows, the
# window event source.
include(cmake/harness.cmake)

# What every end-to-end test is given besides its arguments: where to work,
# and the windows to ride on.
set(E2E_ENV "${WINE_TEST_ENV};E2E_WORK=${CMAKE_BINARY_DIR}/e2e;E2E_TEST_WINDOW=$<TARGET_FILE:e2e_test_window>")

# An end-to-end test: tests/e2e/<name>.sh, given the built programs.
function(brisvane_e2e_test name)
    add_test(NAME ${name}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/${name}.sh
             $<TARGET_FILE:Brisvane> $<TARGET_FILE:CBT> $<TARGET_FILE:e2e_driver> ${ARGN})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${E2E_ENV}"
                                            FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77 TIMEOUT 400)
endfunction()

# The release's own files: this build's, or, in a 64-bit build made to run
# the tests where 32-bit Wine cannot run, those of the 32-bit build beside it.
set(BRISVANE_RELEASE_DIR "" CACHE PATH "The 32-bit build whose release files the tests check")
if(BRISVANE_RELEASE_DIR)
    set(RELEASE_EXE ${BRISVANE_RELEASE_DIR}/bin/Brisvane.exe)
    set(RELEASE_DLL ${BRISVANE_RELEASE_DIR}/bin/CBT.dll)
else()
    set(RELEASE_EXE $<TARGET_FILE:Brisvane>)
    set(RELEASE_DLL $<TARGET_FILE:CBT>)
endif()
add_test(NAME imports_test COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/imports_test.sh ${RELEASE_EXE} ${RELEASE_DLL})

brisvane_e2e_test(startup_test)
brisvane_windows_test(paint_test)
brisvane_windows_test(bar_colours_test)
brisvane_e2e_test(adhere_test)
# Riding the real 64-bit notepad and 32-bit windows: the 32-bit program in a
# 64-bit prefix of its own (in a 64-bit tree every prefix is one).
brisvane_e2e_test(riding_test)
set_tests_properties(riding_test PROPERTIES ENVIRONMENT "${E2E_ENV};WINE_WIN64=1" COST 40)
brisvane_e2e_test(options_dialog_test)
brisvane_e2e_test(power_broadcast_test)
brisvane_e2e_test(auto_shutdown_test)
brisvane_e2e_test(sleep_countdown_test)
brisvane_e2e_test(locked_wake_test)
brisvane_e2e_test(refused_power_off_test)
brisvane_e2e_test(sleep_action_test)
brisvane_e2e_test(picked_moment_test)
brisvane_e2e_test(settings_file_test)
brisvane_e2e_test(bar_look_test)
brisvane_e2e_test(soak_test)
brisvane_e2e_test(tray_area_test)
brisvane_e2e_test(windows10_test)
brisvane_e2e_test(battery_test)
brisvane_e2e_test(countdown_reminder_test)
brisvane_e2e_test(language_test)
brisvane_e2e_test(history_test)

# Side by side, the longest first (COST: seconds seen on a loaded machine) so
# that the short ones fill in beside them.
set_tests_properties(sleep_countdown_test PROPERTIES COST 240)
set_tests_properties(battery_test PROPERTIES COST 45)
set_tests_properties(auto_shutdown_test PROPERTIES COST 160)
set_tests_properties(locked_wake_test PROPERTIES COST 150)
set_tests_properties(refused_power_off_test PROPERTIES COST 170)
set_tests_properties(sleep_action_test PROPERTIES COST 100)
set_tests_properties(picked_moment_test PROPERTIES COST 120)
set_tests_properties(soak_test PROPERTIES COST 55)
set_tests_properties(options_test adhere_test PROPERTIES COST 35)
set_tests_properties(bar_look_test settings_file_test power_broadcast_test tray_area_test options_dialog_test
                     PROPERTIES COST 22)
# The bar on a caption at a display's DPI with Wine's default caption height
# (96: 19 pixels, 144: 28, 192: 37).
foreach(dpi 96 144 192)
    add_test(NAME display_test_${dpi}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/display_test.sh
             $<TARGET_FILE:Brisvane> $<TARGET_FILE:CBT> $<TARGET_FILE:e2e_driver> ${dpi})
    set_tests_properties(display_test_${dpi} PROPERTIES ENVIRONMENT "${E2E_ENV}"
                         FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77 COST 13 TIMEOUT 400)
endforeach()
brisvane_e2e_test(two_monitors_test)
# The Battery details window, with the battery class driver's stand-in.
brisvane_windows_test(details_test ${CMAKE_SOURCE_DIR}/tests/win/stubs/battery_devices.cpp)
