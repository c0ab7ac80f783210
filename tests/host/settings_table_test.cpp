#include "settings/settings_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

TEST(DefaultPositionX, RightEdgeFourCaptionsMinusOneFromTheScreenEdge)
{
    // 1280 - (4 * 25 + 24) - 50 = 1106; the bar's right edge is 1106 + 75 = 1181 = 1280 - 99.
    EXPECT_EQ(1106, DefaultPositionX(1280, 25, 50));
    EXPECT_EQ(1076, DefaultPositionX(1280, 25, 80));  // BarWidth 80: 30 pixels further left
    EXPECT_EQ(1024 - 19 * 4 - 74, DefaultPositionX(1024, 19, 50));
}

TEST(DefaultPositionX, SaturatesForOddWidths)
{
    EXPECT_EQ(INT32_MIN, DefaultPositionX(INT32_MIN, 25, INT32_MAX));
    EXPECT_EQ(INT32_MAX, DefaultPositionX(1280, 25, INT32_MIN));
    EXPECT_EQ(1280 - 124 - INT32_MAX, DefaultPositionX(1280, 25, INT32_MAX));
    EXPECT_EQ(1280 - 124 + 5, DefaultPositionX(1280, 25, -5));
    EXPECT_EQ(INT32_MAX, DefaultPositionX(INT32_MAX, 0, INT32_MIN + 1 + 100));
}

TEST(SettingKeys, EveryKeyInTheFileOrderWithItsKind)
{
    struct Expected {
        wchar_t const* section;
        wchar_t const* name;
        SettingKind kind;
    } const expected[SETTING_COUNT] = {
        {L"Brisvane", L"AutoRun", SETTING_FLAG},    {L"Brisvane", L"Adhere", SETTING_FLAG},
        {L"Brisvane", L"IgnoreDUI", SETTING_FLAG},  {L"Brisvane", L"BarWidth", SETTING_NUMBER},
        {L"Brisvane", L"Interval", SETTING_NUMBER}, {L"Brisvane", L"Alpha", SETTING_BYTE},
        {L"Brisvane", L"BarText", SETTING_RANGED},  {L"Brisvane", L"AlertLow", SETTING_RANGED},
        {L"Brisvane", L"AlertHigh", SETTING_RANGED}, {L"Brisvane", L"Language", SETTING_LANGUAGE},
        {L"Brisvane", L"ForceClose", SETTING_FLAG},  {L"Brisvane", L"ShutdownAction", SETTING_WORD},
        {L"Brisvane", L"History", SETTING_FLAG},
        {L"Position", L"X", SETTING_NUMBER},        {L"Position", L"Y", SETTING_NUMBER},
    };
    for (int i = 0; i < SETTING_COUNT; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::wstring(expected[i].section), SETTING_KEYS[i].section);
        EXPECT_EQ(std::wstring(expected[i].name), SETTING_KEYS[i].name);
        EXPECT_EQ(expected[i].kind, SETTING_KEYS[i].kind);
    }
    EXPECT_EQ(std::wstring(L"Brisvane.ini"), SETTINGS_FILE_NAME);
}

TEST(SettingDefaults, FlagsNumbersAndTheComputedPosition)
{
    int32_t const expected[SETTING_COUNT] = {0, 1, 1, 50, 5000, 240, 0, 20, 0, 0, 1, 0, 1, 1280 - 4 * 25 - 74, 4};
    for (int i = 0; i < SETTING_COUNT; ++i)
        EXPECT_EQ(expected[i], SettingDefault(SETTING_KEYS[i], 1280, 25, 50)) << i;
    // X follows the BarWidth read before it: 80 moves it 30 pixels left.
    SettingKey const& x = *FindSettingKey(L"X");
    EXPECT_EQ(SettingDefault(x, 1280, 25, 50) - 30, SettingDefault(x, 1280, 25, 80));
    EXPECT_EQ(1024 - 4 * 19 - 74, SettingDefault(x, 1024, 19, 50));
    // The others do not depend on the screen.
    EXPECT_EQ(4, SettingDefault(*FindSettingKey(L"Y"), 640, 40, 2000000000));
    EXPECT_EQ(5000, SettingDefault(*FindSettingKey(L"Interval"), 0, 0, 0));
    EXPECT_EQ(nullptr, FindSettingKey(L"Missing"));
}

// Each row stores into its own field and reads back from it, kept as its kind keeps it.
TEST(SettingKeys, EachRowOwnsItsField)
{
    int32_t const written[SETTING_COUNT] = {2, 0, -3, 80, 250, 300, 1, 35, 90, 2, 0, 3, 0, -1500, 7};
    int32_t const kept[SETTING_COUNT] = {1, 0, 1, 80, 250, 44, 1, 35, 90, 2, 0, 3, 0, -1500, 7};
    Settings settings{};
    for (int i = 0; i < SETTING_COUNT; ++i)
        StoreSetting(settings, SETTING_KEYS[i], written[i]);
    for (int i = 0; i < SETTING_COUNT; ++i)
        EXPECT_EQ(kept[i], SettingValue(settings, SETTING_KEYS[i])) << i;
    EXPECT_TRUE(settings.autoRun);
    EXPECT_FALSE(settings.adhere);
    EXPECT_EQ(44, settings.alpha);
    EXPECT_EQ(-1500, settings.positionX);
    EXPECT_EQ(7, settings.positionY);
    EXPECT_FALSE(settings.history);
    EXPECT_EQ(LanguageChoice::English, settings.language);
    StoreSetting(settings, *FindSettingKey(L"Language"), 3);
    EXPECT_EQ(LanguageChoice::AsWindows, settings.language) << "out of range";
}

// The file holds the tag; what it says reads back as written, anything else
// as Windows (and is written back empty).
TEST(SettingText, LanguageTagsRoundTripAndOddOnesReadAsWindows)
{
    struct {
        wchar_t const* read;
        wchar_t const* written;
    } const cases[] = {
        {L"zh-CN", L"zh-CN"}, {L"en-US", L"en-US"}, {L"EN-us", L"en-US"}, {L"", L""},
        {L"fr-FR", L""},      {L"zh", L""},         {L"zh-CN ", L""},     {L"en-USA", L""},
    };
    for (auto const& c : cases) {
        int32_t const value = SettingFromText(SETTING_LANGUAGE, c.read);
        EXPECT_EQ(std::wstring(c.written), FormatSettingValue(SETTING_LANGUAGE, value).text) << c.read;
    }
    EXPECT_EQ(std::wstring(L""), FormatSettingValue(SETTING_LANGUAGE, -1).text);
}

TEST(KeptSettingValue, FlagsBecomeOneOrZeroAlphaItsLowByte)
{
    struct Case {
        SettingKind kind;
        int32_t read;
        int32_t kept;
    } const cases[] = {
        {SETTING_FLAG, 0, 0},           {SETTING_FLAG, 1, 1},
        {SETTING_FLAG, 2, 1},           {SETTING_FLAG, -1, 1},
        {SETTING_FLAG, INT32_MIN, 1},   {SETTING_FLAG, 256, 1},
        {SETTING_BYTE, 240, 240},       {SETTING_BYTE, 300, 44},
        {SETTING_BYTE, 256, 0},         {SETTING_BYTE, 255, 255},
        {SETTING_BYTE, -1, 255},        {SETTING_BYTE, -256, 0},
        {SETTING_BYTE, INT32_MIN, 0},   {SETTING_BYTE, INT32_MAX, 255},
        {SETTING_NUMBER, -5, -5},       {SETTING_NUMBER, 0, 0},
        {SETTING_NUMBER, 2000000000, 2000000000}, {SETTING_NUMBER, INT32_MIN, INT32_MIN},
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.kept, KeptSettingValue(c.kind, c.read)) << c.kind << " " << c.read;
}

std::wstring Widen(char const* text)
{
    return std::wstring(text, text + std::strlen(text));
}

TEST(FormatSettingValue, NumbersMatchPercentLdIncludingNegatives)
{
    int32_t const numbers[] = {0,    1,     9,     10,         -1,         -9,        -10,
                               4,    5000,  -1500, 2000000000, 1999999999, INT32_MAX, INT32_MIN,
                               -200, 65536, 99,    100,        -2147483647};
    for (int32_t n : numbers) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "%ld", static_cast<long>(n));
        EXPECT_EQ(Widen(expected), FormatSettingValue(SETTING_NUMBER, n).text) << n;
    }
}

TEST(FormatSettingValue, FlagsAreOneOrZeroAndAlphaItsLowByte)
{
    EXPECT_EQ(std::wstring(L"0"), FormatSettingValue(SETTING_FLAG, 0).text);
    EXPECT_EQ(std::wstring(L"1"), FormatSettingValue(SETTING_FLAG, 1).text);
    EXPECT_EQ(std::wstring(L"1"), FormatSettingValue(SETTING_FLAG, 2).text);
    EXPECT_EQ(std::wstring(L"1"), FormatSettingValue(SETTING_FLAG, -7).text);
    EXPECT_EQ(std::wstring(L"44"), FormatSettingValue(SETTING_BYTE, 300).text);
    EXPECT_EQ(std::wstring(L"255"), FormatSettingValue(SETTING_BYTE, -1).text);
    EXPECT_EQ(std::wstring(L"0"), FormatSettingValue(SETTING_BYTE, 0).text);
    EXPECT_EQ(std::wstring(L"240"), FormatSettingValue(SETTING_BYTE, 240).text);
}

TEST(JoinPath, JoinsWithOneBackslashWhenItFits)
{
    wchar_t buffer[32];
    EXPECT_TRUE(JoinPath(buffer, 32, L"C:\\Tools", L"Brisvane.ini"));
    EXPECT_EQ(std::wstring(L"C:\\Tools\\Brisvane.ini"), buffer);
    EXPECT_TRUE(JoinPath(buffer, 32, L"", L"a"));
    EXPECT_EQ(std::wstring(L"\\a"), buffer);
    EXPECT_TRUE(JoinPath(buffer, 32, L"C:", L""));
    EXPECT_EQ(std::wstring(L"C:\\"), buffer);
}

// The fitting length exactly, one more, and far more: a canary after the
// buffer shows that nothing is written past it.
TEST(JoinPath, RefusesInsteadOfCuttingAtTheBoundary)
{
    std::wstring const name = L"Brisvane.ini";
    for (size_t capacity : {size_t{14}, size_t{40}, size_t{260}}) {
        size_t const fitting = capacity - name.size() - 2;
        for (size_t directoryLength : {fitting, fitting + 1, fitting + 2, capacity, capacity * 3}) {
            SCOPED_TRACE(std::to_string(capacity) + " " + std::to_string(directoryLength));
            std::wstring const directory(directoryLength, L'd');
            std::wstring buffer(capacity + 4, L'#');
            bool const joined = JoinPath(&buffer[0], capacity, directory.c_str(), name.c_str());
            EXPECT_EQ(directoryLength <= fitting, joined);
            if (joined)
                EXPECT_EQ(directory + L"\\" + name, buffer.c_str());
            else
                EXPECT_EQ(L'\0', buffer[0]);
            EXPECT_EQ(std::wstring(4, L'#'), buffer.substr(capacity));
        }
    }
}

TEST(JoinPath, OddArgumentsFailSafely)
{
    wchar_t buffer[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_FALSE(JoinPath(buffer, 0, L"a", L"b"));
    EXPECT_EQ(L'x', buffer[0]);  // no room even for a terminator: untouched
    EXPECT_FALSE(JoinPath(buffer, 1, L"", L""));
    EXPECT_EQ(L'\0', buffer[0]);
    EXPECT_TRUE(JoinPath(buffer, 2, L"", L""));
    EXPECT_EQ(std::wstring(L"\\"), buffer);
    EXPECT_FALSE(JoinPath(buffer, 4, nullptr, L"b"));
    EXPECT_FALSE(JoinPath(buffer, 4, L"a", nullptr));
    EXPECT_EQ(L'\0', buffer[0]);
}

TEST(CutAtLastBackslash, LeavesTheDirectory)
{
    struct Case {
        wchar_t const* path;
        wchar_t const* directory;
    } const cases[] = {
        {L"C:\\Program Files\\Brisvane\\Brisvane.exe", L"C:\\Program Files\\Brisvane"},
        {L"C:\\Other.exe", L"C:"},
        {L"\\\\server\\share\\b.exe", L"\\\\server\\share"},
        {L"Brisvane.exe", L"Brisvane.exe"},  // no backslash: stays whole
        {L"C:\\dir\\", L"C:\\dir"},
        {L"", L""},
    };
    for (Case const& c : cases) {
        std::wstring path = c.path;
        CutAtLastBackslash(&path[0]);
        EXPECT_EQ(std::wstring(c.directory), path.c_str());
    }
}

}  // namespace

// The three ranged keys: what the file's text gives, a bad value the default.
TEST(RangedSettings, TextInRangeOrTheDefault)
{
    struct Case {
        wchar_t const* key;
        wchar_t const* text;
        int32_t kept;
    } const cases[] = {
        {L"BarText", L"1", 1},     {L"BarText", L"0", 0},       {L"BarText", L"2", 0},
        {L"BarText", L"yes", 0},   {L"AlertLow", L"", 20},      {L"AlertLow", L"0", 0},
        {L"AlertLow", L"35", 35},  {L"AlertLow", L"100", 100},  {L"AlertLow", L"101", 20},
        {L"AlertLow", L"-5", 20},  {L"AlertLow", L"abc", 20},   {L"AlertLow", L"15x", 20},
        {L"AlertLow", L"-", 20},   {L"AlertHigh", L"80", 80},   {L"AlertHigh", L"", 0},
        {L"AlertHigh", L"99999999999999999999", 0},             {L"AlertHigh", L"4294967376", 0},
    };
    for (Case const& c : cases) {
        SettingKey const& key = *FindSettingKey(c.key);
        EXPECT_EQ(c.kept, RangedSettingFromText(key, c.text)) << c.key << "=" << std::wstring(c.text).size();
        // A number stored the other way (Options) is held to the range too.
        Settings settings{};
        StoreSetting(settings, key, key.highest + 1);
        EXPECT_EQ(key.fallback, SettingValue(settings, key));
    }
}

namespace {

// A word key as the shutdown's action would be: a fixed list, the default
// the first word.
wchar_t const* const ACTION_WORDS[] = {L"shutdown", L"restart", L"sleep", L"hibernate"};

SettingKey WordKey()
{
    SettingKey key = *FindSettingKey(L"BarText");
    key.kind = SETTING_WORD;
    key.fallback = 0;
    key.words = ACTION_WORDS;
    key.wordCount = 4;
    return key;
}

TEST(WordSettings, AWordOfTheListOrTheDefaultAndWrittenAsItsWord)
{
    SettingKey const key = WordKey();
    struct {
        wchar_t const* read;
        int32_t kept;
        wchar_t const* written;
    } const cases[] = {
        {L"shutdown", 0, L"shutdown"}, {L"restart", 1, L"restart"},  {L"Sleep", 2, L"sleep"},
        {L"HIBERNATE", 3, L"hibernate"}, {L"", 0, L"shutdown"},      {L"sleepy", 0, L"shutdown"},
        {L"slee", 0, L"shutdown"},     {L"2", 0, L"shutdown"},       {L"restart ", 0, L"shutdown"},
    };
    for (auto const& c : cases) {
        int32_t const value = WordSettingFromText(key, c.read);
        EXPECT_EQ(c.kept, value) << std::wstring(c.read).size();
        EXPECT_EQ(std::wstring(c.written), FormatSetting(key, value).text);
    }
    Settings settings{};
    for (int32_t odd : {-1, 4, INT32_MAX}) {
        StoreSetting(settings, key, odd);
        EXPECT_EQ(0, SettingValue(settings, key)) << odd;
        EXPECT_EQ(std::wstring(L"shutdown"), FormatSetting(key, odd).text) << odd;
    }
    StoreSetting(settings, key, 3);
    EXPECT_EQ(3, SettingValue(settings, key));
}

// What the Options dialog edits is copied over; the bar's width and place,
// which it does not show, the Auto-shutdown dialog's choices and the
// history switch stay.
TEST(EditedSettings, TheDialogsKeysCopiedTheOthersKept)
{
    Settings chosen{true, false, false, 90, 250, 10, 1, 35, 80, LanguageChoice::English, false, 2, false, -7, -8};
    Settings const kept{false, true, true, 50, 5000, 240, 0, 20, 0, LanguageChoice::AsWindows, true, 3, true, 100, 4};
    Settings stored = kept;
    CopyEditedSettings(stored, chosen);
    for (SettingKey const& key : SETTING_KEYS) {
        bool const shown = std::wcscmp(key.name, L"BarWidth") != 0 && std::wcscmp(key.section, L"Position") != 0 &&
                           std::wcscmp(key.name, L"ForceClose") != 0 && std::wcscmp(key.name, L"ShutdownAction") != 0 &&
                           std::wcscmp(key.name, L"History") != 0;
        EXPECT_EQ(shown, EditedInOptions(key)) << key.name[0];
        EXPECT_EQ(SettingValue(shown ? chosen : kept, key), SettingValue(stored, key));
    }
}

}  // namespace

// The action is kept as its word; any other text reads as shutting down.
TEST(SettingText, ShutdownActionWords)
{
    SettingKey const& key = *FindSettingKey(L"ShutdownAction");
    struct {
        wchar_t const* text;
        int32_t action;
        wchar_t const* written;
    } const cases[] = {
        {L"shutdown", ACTION_SHUTDOWN, L"shutdown"}, {L"restart", ACTION_RESTART, L"restart"},
        {L"sleep", ACTION_SLEEP, L"sleep"},          {L"Hibernate", ACTION_HIBERNATE, L"hibernate"},
        {L"", ACTION_SHUTDOWN, L"shutdown"},         {L"sleepy", ACTION_SHUTDOWN, L"shutdown"},
        {L"2", ACTION_SHUTDOWN, L"shutdown"},
    };
    for (auto const& c : cases) {
        int32_t const action = WordSettingFromText(key, c.text);
        EXPECT_EQ(c.action, action) << c.text;
        EXPECT_EQ(std::wstring(c.written), FormatSetting(key, action).text) << c.text;
    }
    EXPECT_EQ(std::wstring(L"shutdown"), FormatSetting(key, 77).text);
}
