# tools/bench.sh: a bare window-and-tray-icon program built exactly like the
# product, and a probe that runs the product's code with an in-process
# counter of GDI and USER objects.
add_executable(bench_baseline WIN32 ${CMAKE_SOURCE_DIR}/tools/bench/baseline.cpp)
target_compile_options(bench_baseline PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_link_options(bench_baseline PRIVATE ${PRODUCT_LINK_OPTIONS} -municode)
target_link_libraries(bench_baseline PRIVATE user32 gdi32 shell32)
brisvane_warnings(bench_baseline)

add_executable(bench_probe WIN32 ${CMAKE_SOURCE_DIR}/tools/bench/probe.cpp
                           ${CMAKE_SOURCE_DIR}/harness/stand_ins/gdi_objects.cpp ${BRISVANE_RESOURCES})
target_include_directories(bench_probe PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
target_compile_options(bench_probe PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_link_options(bench_probe PRIVATE ${PRODUCT_LINK_OPTIONS} -municode)
target_link_libraries(bench_probe PRIVATE brisvane_core CBT)
brisvane_warnings(bench_probe)
