// The settings file's keys, defaults and value formats, and the path joins
// beside the executable. Pure logic, no window system.
#pragma once

#include <cstddef>
#include <cstdint>

int32_t const DEFAULT_AUTORUN = 0;
int32_t const DEFAULT_ADHERE = 1;
int32_t const DEFAULT_IGNOREDUI = 1;
int32_t const DEFAULT_BARWIDTH = 50;
int32_t const DEFAULT_INTERVAL = 5000;
int32_t const DEFAULT_ALPHA = 240;
int32_t const DEFAULT_POSITION_Y = 4;

// Default left edge: the bar's right edge lands 4 x cap - 1 pixels left of
// the screen's right edge. Saturates instead of overflowing for odd widths.
int32_t DefaultPositionX(int32_t screenWidth, int32_t captionHeight, int32_t barWidth);

wchar_t const SETTINGS_FILE_NAME[] = L"Brisvane.ini";

// How a key's number is kept and written.
enum SettingKind {
    SETTING_FLAG,    // any nonzero number is set; written "1" or "0"
    SETTING_NUMBER,  // signed 32-bit, written "%ld"
    SETTING_BYTE,    // low 8 bits kept, written "%ld" (0..255)
};

// The keys in the order they are read and written.
enum SettingIndex {
    SETTING_AUTORUN,
    SETTING_ADHERE,
    SETTING_IGNOREDUI,
    SETTING_BARWIDTH,
    SETTING_INTERVAL,
    SETTING_ALPHA,
    SETTING_POSITION_X,
    SETTING_POSITION_Y,
    SETTING_COUNT
};

struct SettingKey {
    wchar_t const* section;
    wchar_t const* name;
    SettingKind kind;
};

extern SettingKey const SETTING_KEYS[SETTING_COUNT];

// The default of a key; X depends on the screen, the caption and the
// BarWidth already read.
int32_t SettingDefault(SettingIndex index, int32_t screenWidth, int32_t captionHeight, int32_t barWidth);

// The value the program keeps for a number read from the file: flags become
// 1 or 0, Alpha its low 8 bits, numbers stay as they are.
int32_t KeptSettingValue(SettingKind kind, int32_t read);

// Room for "-2147483648" and its terminator.
size_t const SETTING_TEXT_SIZE = 12;

struct SettingText {
    wchar_t text[SETTING_TEXT_SIZE];
};

// The text written for a value: "1"/"0" for flags, decimal ("%ld") otherwise.
SettingText FormatSettingValue(SettingKind kind, int32_t value);

// destination = directory + "\" + fileName when it fits in capacity
// characters (terminator included). Otherwise destination becomes empty and
// the result is false: a cut path would name some other file.
bool JoinPath(wchar_t* destination, size_t capacity, wchar_t const* directory, wchar_t const* fileName);

// Cuts a module path at its last backslash, leaving the directory; a text
// without a backslash stays whole.
void CutAtLastBackslash(wchar_t* path);
