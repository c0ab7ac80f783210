#include "base/ui_language_rule.h"

#include <gtest/gtest.h>

namespace {

TEST(UiLanguage, TheSettingOverWindowsDisplayLanguage)
{
    LanguageChoice const W = LanguageChoice::AsWindows, ZH = LanguageChoice::Chinese, EN = LanguageChoice::English;
    UiLanguage const zh = UiLanguage::Chinese, en = UiLanguage::English;
    struct {
        LanguageChoice choice;
        uint16_t display;
        UiLanguage expected;
    } const cases[] = {
        {W, 0x0804, zh},   // Chinese (PRC)
        {W, 0x0404, zh},   // Chinese (Taiwan): any Chinese
        {W, 0x0C04, zh},   // Chinese (Hong Kong)
        {W, 0x1004, zh},   // Chinese (Singapore)
        {W, 0x7C04, zh},   // Chinese (Traditional), neutral
        {W, 0x0409, en},   // English (US)
        {W, 0x0809, en},   // English (UK)
        {W, 0x0411, en},   // Japanese: not Chinese, so English
        {W, 0x0407, en},   // German
        {W, 0x0000, en},   // neutral
        {W, 0x0400, en},   // process default: not Chinese
        {W, 0x0C09, en},   // English (Australia): sublanguage 3 of English
        {ZH, 0x0409, zh},  // the setting wins either way
        {ZH, 0x0804, zh},
        {EN, 0x0804, en},
        {EN, 0x0404, en},
        {EN, 0x0409, en},
    };
    for (auto const& c : cases) {
        EXPECT_EQ(c.expected, ChooseUiLanguage(c.choice, c.display))
            << static_cast<int>(c.choice) << " on " << std::hex << c.display;
    }
    EXPECT_EQ(0x0804, ResourceLanguageId(zh));
    EXPECT_EQ(0x0409, ResourceLanguageId(en));
}

TEST(UiLanguage, SettingFromTextAndNumber)
{
    EXPECT_EQ(LanguageChoice::Chinese, LanguageChoiceFromText(L"zh-CN"));
    EXPECT_EQ(LanguageChoice::Chinese, LanguageChoiceFromText(L"ZH-cn"));
    EXPECT_EQ(LanguageChoice::English, LanguageChoiceFromText(L"en-US"));
    for (wchar_t const* odd : {L"", L"zh-TW", L"en", L"en-US-x", L"zh-C", L"english", L"\x4E2D\x6587"})
        EXPECT_EQ(LanguageChoice::AsWindows, LanguageChoiceFromText(odd)) << odd;
    EXPECT_EQ(LanguageChoice::AsWindows, LanguageChoiceFromText(nullptr));
    for (int32_t n : {0, 1, 2})
        EXPECT_EQ(n, static_cast<int32_t>(LanguageChoiceFromNumber(n)));
    for (int32_t n : {-1, 3, 255, INT32_MIN})
        EXPECT_EQ(LanguageChoice::AsWindows, LanguageChoiceFromNumber(n)) << n;
}

}  // namespace
