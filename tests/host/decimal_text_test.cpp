#include "base/decimal_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

namespace {

std::wstring Format(long long value, int minDigits = 1, size_t capacity = 32)
{
    wchar_t out[32];
    std::fill(out, out + 32, L'#');
    size_t const length = FormatDecimal(out, capacity, value, minDigits);
    EXPECT_EQ(std::wstring(out).size(), length);
    return out;
}

TEST(DecimalText, SignsPaddingAndExtremes)
{
    EXPECT_EQ(L"0", Format(0));
    EXPECT_EQ(L"57", Format(57));
    EXPECT_EQ(L"-37", Format(-37));
    EXPECT_EQ(L"05", Format(5, 2));
    EXPECT_EQ(L"-05", Format(-5, 2));
    EXPECT_EQ(L"123", Format(123, 2));
    EXPECT_EQ(L"2147483647", Format(INT_MAX));
    EXPECT_EQ(L"-9223372036854775808", Format(LLONG_MIN));
}

TEST(DecimalText, TextThatDoesNotFitIsLeftEmpty)
{
    EXPECT_EQ(L"-1999", Format(-1999, 1, 6));  // exactly fits with its zero
    EXPECT_EQ(L"", Format(-1999, 1, 5));
    EXPECT_EQ(L"", Format(7, 3, 3));

    wchar_t untouched[2] = {L'x', L'\0'};
    EXPECT_EQ(0u, FormatDecimal(untouched, 0, 42));
    EXPECT_EQ(L'x', untouched[0]);
}

}  // namespace
