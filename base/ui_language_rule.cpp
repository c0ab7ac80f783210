#include "base/ui_language_rule.h"

namespace {

uint16_t const LANG_ID_CHINESE_SIMPLIFIED = 0x0804;
uint16_t const LANG_ID_ENGLISH_US = 0x0409;
uint16_t const PRIMARY_CHINESE = 0x04;

wchar_t Lower(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// Locale names compare without regard to case, as Windows compares them.
bool SameTag(wchar_t const* text, wchar_t const* tag)
{
    for (; *tag != L'\0'; ++text, ++tag) {
        if (Lower(*text) != Lower(*tag))
            return false;
    }
    return *text == L'\0';
}

}  // namespace

UiLanguage ChooseUiLanguage(LanguageChoice choice, uint16_t displayLanguage)
{
    switch (choice) {
    case LanguageChoice::Chinese:
        return UiLanguage::Chinese;
    case LanguageChoice::English:
        return UiLanguage::English;
    case LanguageChoice::AsWindows:
        break;
    }
    return (displayLanguage & 0x3FF) == PRIMARY_CHINESE ? UiLanguage::Chinese : UiLanguage::English;
}

uint16_t ResourceLanguageId(UiLanguage language)
{
    return language == UiLanguage::Chinese ? LANG_ID_CHINESE_SIMPLIFIED : LANG_ID_ENGLISH_US;
}

LanguageChoice LanguageChoiceFromText(wchar_t const* text)
{
    if (text == nullptr)
        return LanguageChoice::AsWindows;
    if (SameTag(text, L"zh-CN"))
        return LanguageChoice::Chinese;
    if (SameTag(text, L"en-US"))
        return LanguageChoice::English;
    return LanguageChoice::AsWindows;
}

wchar_t const* LanguageChoiceText(LanguageChoice choice)
{
    switch (choice) {
    case LanguageChoice::Chinese:
        return L"zh-CN";
    case LanguageChoice::English:
        return L"en-US";
    case LanguageChoice::AsWindows:
        break;
    }
    return L"";
}

LanguageChoice LanguageChoiceFromNumber(int32_t number)
{
    if (number < 0 || number >= LANGUAGE_CHOICE_COUNT)
        return LanguageChoice::AsWindows;
    return static_cast<LanguageChoice>(number);
}
