# What the 32-bit and the 64-bit builds of the product share.
add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)

# The product: small, no C++ runtime DLLs a user would not have.
set(PRODUCT_COMPILE_OPTIONS -Os -fno-exceptions -fno-rtti)
set(PRODUCT_LINK_OPTIONS -static -s)

set(CBT_SOURCES cbt/cbt.cpp cbt/carrier.cpp cbt/placement.cpp cbt/shared_views.cpp)
