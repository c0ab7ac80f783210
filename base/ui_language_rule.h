// Which language the program speaks: the Language setting against the
// user's Windows display language. Pure logic, no window system.
#pragma once

#include <cstdint>

// The Language setting. The numbers are the Options list's rows.
enum class LanguageChoice : uint8_t {
    AsWindows = 0,  // empty in the settings file
    Chinese = 1,    // "zh-CN"
    English = 2,    // "en-US"
};
int const LANGUAGE_CHOICE_COUNT = 3;

// The two languages the resources are written in.
enum class UiLanguage : uint8_t { Chinese, English };

// Chinese for Chinese, English for English; as Windows, Chinese where the
// display language is any Chinese (every sublanguage of primary language
// 0x04), English for every other.
UiLanguage ChooseUiLanguage(LanguageChoice choice, uint16_t displayLanguage);

// The LANGID of the resources of a language: 0x0804 or 0x0409.
uint16_t ResourceLanguageId(UiLanguage language);

// The setting from its text in the file ("zh-CN", "en-US", case aside);
// empty, missing or anything else reads as Windows.
LanguageChoice LanguageChoiceFromText(wchar_t const* text);
// The text written to the file: "zh-CN", "en-US" or "".
wchar_t const* LanguageChoiceText(LanguageChoice choice);

// A stored number as a choice; one out of range reads as Windows.
LanguageChoice LanguageChoiceFromNumber(int32_t number);
