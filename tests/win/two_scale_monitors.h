// Two monitors of different scales side by side (tests/win/two_scale_monitors.cpp).
#pragma once

int const TWO_SCALE_SPLIT = 640;
int const TWO_SCALE_LEFT_DPI = 96;
int const TWO_SCALE_RIGHT_DPI = 144;
