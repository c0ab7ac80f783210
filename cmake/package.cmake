# The release package: build/win/Brisvane-1.0.zip with the program, its hook
# library, the README and the licence.
# Built with everything else.
set(BRISVANE_VERSION 1.0)
set(BRISVANE_PACKAGE ${CMAKE_BINARY_DIR}/Brisvane-${BRISVANE_VERSION}.zip)
set_property(SOURCE ${BRISVANE_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/res/version.rc)

if(BRISVANE_RELEASE_DIR)
    # A test build: the package is the release build's.
    add_test(NAME package_test COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/package_test.sh ${RELEASE_EXE} ${RELEASE_DLL}
             $<TARGET_FILE:e2e_driver> ${BRISVANE_RELEASE_DIR}/Brisvane-${BRISVANE_VERSION}.zip
             $<TARGET_FILE:Brisvane> $<TARGET_FILE:CBT>)
    set_tests_properties(package_test PROPERTIES ENVIRONMENT "${E2E_ENV}"
                                                 FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77)
    return()
endif()
set(staging ${CMAKE_BINARY_DIR}/package/Brisvane-${BRISVANE_VERSION})
add_custom_command(
    OUTPUT ${BRISVANE_PACKAGE}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${staging} ${BRISVANE_PACKAGE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${staging}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Brisvane> $<TARGET_FILE:CBT>
            ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE ${staging}
    # Flat, without extra attributes, so it unzips the same everywhere.
    COMMAND zip -q -X -j ${BRISVANE_PACKAGE} ${staging}/Brisvane.exe ${staging}/CBT.dll
            ${staging}/README.md ${staging}/LICENSE
    DEPENDS Brisvane CBT ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE
    VERBATIM)
add_custom_target(package ALL DEPENDS ${BRISVANE_PACKAGE})

brisvane_e2e_test(package_test ${BRISVANE_PACKAGE})
