#include "base/decimal_text.h"

#include <charconv>

size_t FormatDecimal(wchar_t* out, size_t capacity, long long value, int minDigits)
{
    if (capacity == 0)
        return 0;
    char digits[24];
    std::to_chars_result const converted = std::to_chars(digits, digits + sizeof digits, value);
    size_t const count = static_cast<size_t>(converted.ptr - digits);
    bool const negative = value < 0;
    size_t const shown = count - (negative ? 1 : 0);
    size_t const padding = minDigits > 0 && static_cast<size_t>(minDigits) > shown ? minDigits - shown : 0;
    size_t const length = count + padding;
    if (length + 1 > capacity) {
        out[0] = L'\0';
        return 0;
    }
    size_t at = 0;
    if (negative)
        out[at++] = L'-';
    for (size_t i = 0; i < padding; ++i)
        out[at++] = L'0';
    for (size_t i = negative ? 1 : 0; i < count; ++i)
        out[at++] = static_cast<wchar_t>(digits[i]);
    out[at] = L'\0';
    return at;
}
