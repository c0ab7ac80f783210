#include "base/text_template.h"

size_t FillTemplate(wchar_t* out, size_t capacity, wchar_t const* pattern,
                    std::initializer_list<wchar_t const*> pieces)
{
    if (capacity == 0)
        return 0;
    size_t at = 0;
    auto put = [&](wchar_t c) {
        if (at + 1 < capacity)
            out[at++] = c;
    };
    wchar_t const* const* next = pieces.begin();
    for (wchar_t const* p = pattern; p != nullptr && *p != L'\0'; ++p) {
        if (*p != L'%' || p[1] == L'\0') {
            put(*p);
            continue;
        }
        ++p;
        if (*p == L'%') {
            put(L'%');
            continue;
        }
        if (next == pieces.end())
            continue;
        for (wchar_t const* piece = *next++; piece != nullptr && *piece != L'\0'; ++piece)
            put(*piece);
    }
    out[at] = L'\0';
    return at;
}
