// The settings file's keys, defaults and value formats, and the path joins
// beside the executable. Pure logic, no window system.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/ui_language_rule.h"

int32_t const DEFAULT_AUTORUN = 0;
int32_t const DEFAULT_ADHERE = 1;
int32_t const DEFAULT_IGNOREDUI = 1;
int32_t const DEFAULT_BARWIDTH = 50;
int32_t const DEFAULT_INTERVAL = 5000;
int32_t const DEFAULT_ALPHA = 240;
int32_t const DEFAULT_POSITION_Y = 4;
int32_t const DEFAULT_BARTEXT = 0;    // 0: the percentage, 1: the time left
int32_t const DEFAULT_ALERTLOW = 20;  // percent; 0 is off
int32_t const DEFAULT_ALERTHIGH = 0;
int32_t const DEFAULT_FORCECLOSE = 1;  // the power-off no program can hold up

// What the auto-shutdown does at its moment, kept as a word: "shutdown",
// "restart", "sleep", "hibernate" (anything else reads as "shutdown").
enum ShutdownAction : int32_t {
    ACTION_SHUTDOWN,
    ACTION_RESTART,
    ACTION_SLEEP,
    ACTION_HIBERNATE,
};
int const SHUTDOWN_ACTION_COUNT = ACTION_HIBERNATE + 1;

int32_t const DEFAULT_HISTORY = 1;    // the battery's history file is kept

// Default left edge: the bar's right edge lands 4 x cap - 1 pixels left of
// the screen's right edge. Saturates instead of overflowing for odd widths.
int32_t DefaultPositionX(int32_t screenWidth, int32_t captionHeight, int32_t barWidth);

wchar_t const SETTINGS_FILE_NAME[] = L"Brisvane.ini";

// What the settings file keeps, in the order of its keys; nothing else.
struct Settings {
    bool autoRun;        // the Run value is written
    bool adhere;         // ride on the foreground window's caption
    bool ignoreDUI;      // leave windows that draw their own caption alone
    int32_t barWidth;    // fill length at 100 percent, pixels
    int32_t interval;    // refresh period as written, milliseconds
    uint8_t alpha;       // opacity 0..255
    int32_t barText;     // what the bar shows on battery: BarText
    int32_t alertLow;    // remind at or below this percent on battery, 0 = off
    int32_t alertHigh;   // remind at or above this percent on the charger, 0 = off
    LanguageChoice language;  // the user interface's, over Windows' own
    bool forceClose;     // the auto-shutdown ends other programs without asking them
    int32_t shutdownAction;  // a ShutdownAction, chosen last in the Auto-shutdown dialog
    bool history;        // keep the battery history file
    int32_t positionX;   // where the floating bar was left
    int32_t positionY;
};

// How a key's number is kept and written.
enum SettingKind {
    SETTING_FLAG,    // any nonzero number is set; written "1" or "0"
    SETTING_NUMBER,  // signed 32-bit, written "%ld"
    SETTING_BYTE,    // low 8 bits kept, written "%ld" (0..255)
    SETTING_RANGED,  // a whole number lowest..highest, else the default; "%ld"
    SETTING_LANGUAGE,  // a language tag, "zh-CN", "en-US" or empty (as Windows)
    SETTING_WORD,    // one word of the key's list, held as its index; else the default
};

// How the Options dialog shows a key, if at all. A check box holds a flag;
// a list's selection is the value (its rows the key's choice texts, in
// order); the dialog's own code handles the rest by the control's id.
enum SettingControl {
    CONTROL_NONE,
    CONTROL_CHECK_BOX,
    CONTROL_LIST,
    CONTROL_OWN,
};

// One key of the file: where it lives, its default, its valid values, the
// field that holds it and the Options dialog's control for it. Exactly one
// field pointer is set, the one of the key's kind (a ranged number and a
// word use number). A language is held as its LanguageChoice number.
struct SettingKey {
    wchar_t const* section;
    wchar_t const* name;
    SettingKind kind;
    int32_t fallback;
    bool Settings::*flag;
    int32_t Settings::*number;
    uint8_t Settings::*byte;
    int32_t lowest;   // SETTING_RANGED only
    int32_t highest;
    LanguageChoice Settings::*language;
    wchar_t const* const* words;  // SETTING_WORD only: the words, wordCount of them
    int32_t wordCount;
    SettingControl shownAs;
    int control;             // the dialog item, CONTROL_NONE: 0
    int const* choiceTexts;  // CONTROL_LIST: a string resource per row, choiceCount of them
    int32_t choiceCount;

    // The same key, edited in the Options dialog by that control.
    SettingKey constexpr ShownBy(SettingControl how, int item) const
    {
        SettingKey shown = *this;
        shown.shownAs = how;
        shown.control = item;
        return shown;
    }
    SettingKey constexpr ListedAs(int item, int const* texts, int32_t count) const
    {
        SettingKey shown = ShownBy(CONTROL_LIST, item);
        shown.choiceTexts = texts;
        shown.choiceCount = count;
        return shown;
    }
};

// The keys in the order they are read and written. A new setting is a row
// there, a field above and, if the Options dialog edits it, its control.
int const SETTING_COUNT = 15;
extern SettingKey const SETTING_KEYS[SETTING_COUNT];

// The key of that name, or null.
SettingKey const* FindSettingKey(wchar_t const* name);

// The default of a key; X depends on the screen, the caption and the
// BarWidth already read.
int32_t SettingDefault(SettingKey const& key, int32_t screenWidth, int32_t captionHeight, int32_t barWidth);

// The value of a key's field, and storing a number read from the file into it.
int32_t SettingValue(Settings const& settings, SettingKey const& key);
void StoreSetting(Settings& settings, SettingKey const& key, int32_t read);

// The value the program keeps for a number read from the file: flags become
// 1 or 0, Alpha its low 8 bits, a language out of range as Windows, numbers
// stay as they are (a ranged key's range is the key's: StoreSetting).
int32_t KeptSettingValue(SettingKind kind, int32_t read);

// A ranged key's value from the file's text: the default unless the text is
// a whole decimal number in the key's range ("", "abc", "5x", "101" are not).
int32_t RangedSettingFromText(SettingKey const& key, wchar_t const* text);

// Room for "-2147483648" and its terminator, and for the longest word.
size_t const SETTING_TEXT_SIZE = 16;

struct SettingText {
    wchar_t text[SETTING_TEXT_SIZE];
};

// The value of a key kept as text in the file (a language: its tag; anything
// unknown as Windows).
int32_t SettingFromText(SettingKind kind, wchar_t const* text);

// The text written for a value: "1"/"0" for flags, a language's tag,
// decimal ("%ld") otherwise.
SettingText FormatSettingValue(SettingKind kind, int32_t value);

// A word key's value from the file's text: the index of the word it names
// (case as Windows compares keys: ignored), else the default.
int32_t WordSettingFromText(SettingKey const& key, wchar_t const* text);

// The text written for a key's value: its word for a word key (the
// default's for an index out of the list), else FormatSettingValue.
SettingText FormatSetting(SettingKey const& key, int32_t value);

// The keys the Options dialog edits, and copying their values from one set
// of settings to another.
bool EditedInOptions(SettingKey const& key);
void CopyEditedSettings(Settings& destination, Settings const& source);

// destination = directory + "\" + fileName when it fits in capacity
// characters (terminator included). Otherwise destination becomes empty and
// the result is false: a cut path would name some other file.
bool JoinPath(wchar_t* destination, size_t capacity, wchar_t const* directory, wchar_t const* fileName);

// Cuts a module path at its last backslash, leaving the directory; a text
// without a backslash stays whole.
void CutAtLastBackslash(wchar_t* path);
