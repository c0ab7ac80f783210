// A resource text with its blanks filled by ready-made pieces, without the
// printf machinery (see decimal_text.h). Pure logic.
#pragma once

#include <cstddef>
#include <initializer_list>

// Writes pattern into out, each '%' and the letter after it ("%d", "%s")
// replaced by the next piece (nothing once the pieces run out) and "%%" by a
// single '%'. The text is cut to capacity - 1 characters and terminated.
// Returns the number of characters written before the terminator.
size_t FillTemplate(wchar_t* out, size_t capacity, wchar_t const* pattern,
                    std::initializer_list<wchar_t const*> pieces = {});
