// Whole numbers as wide text, without the printf machinery: the C runtime's
// formatter would more than double the program's code for three "%d"s.
#pragma once

#include <cstddef>

// Writes value in decimal, zero-padded to at least minDigits, and a
// terminating zero. Returns the number of characters written before the
// zero; when the text does not fit, writes "" and returns 0.
size_t FormatDecimal(wchar_t* out, size_t capacity, long long value, int minDigits = 1);
