#include "bar/colour_facts.h"

#include <initializer_list>

#include "base/dwm_attribute.h"
#include "base/windows_version.h"

namespace {

DWORD const USE_IMMERSIVE_DARK_MODE = 20;         // DWMWA_USE_IMMERSIVE_DARK_MODE
DWORD const USE_IMMERSIVE_DARK_MODE_BEFORE_20H1 = 19;  // its number on Windows 10 before 2004
COLORREF const DEFAULT_ACCENT = RGB(0, 120, 215);
int const SAMPLE_LEFT_OF_BAR = 16;  // the caption left of the bar is read too

bool ReadUserDword(wchar_t const* key, wchar_t const* name, DWORD* value)
{
    HKEY opened;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = sizeof *value;
    LONG const status = RegQueryValueExW(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(opened);
    return status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof *value;
}

}  // namespace

ColourFacts ReadSystemColourFacts()
{
    ColourFacts facts;
    ZeroMemory(&facts, sizeof facts);
    facts.windows10OrLater = WindowsMajorVersion() >= 10;
    HIGHCONTRASTW contrast;
    ZeroMemory(&contrast, sizeof contrast);
    contrast.cbSize = sizeof contrast;
    facts.highContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    facts.classicActive = CaptionColours{GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_CAPTIONTEXT)};
    facts.classicInactive =
        CaptionColours{GetSysColor(COLOR_INACTIVECAPTION), GetSysColor(COLOR_INACTIVECAPTIONTEXT)};
    DWORD value = 0;
    wchar_t const dwm[] = L"Software\\Microsoft\\Windows\\DWM";
    facts.colourPrevalence = ReadUserDword(dwm, L"ColorPrevalence", &value) && value != 0;
    // AccentColor holds 0xAABBGGRR: a COLORREF with an alpha byte.
    facts.accent = ReadUserDword(dwm, L"AccentColor", &value) ? value & 0x00FFFFFF : DEFAULT_ACCENT;
    facts.darkMode = ReadUserDword(L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                                   L"AppsUseLightTheme", &value) &&
                     value == 0;
    return facts;
}

// How the bar reads them: a test points it at the facts a Windows 10 desktop
// would report (declared where the tests use it).
ColourFacts (*g_readColourFacts)() = ReadSystemColourFacts;

ColourFacts ReadColourFacts()
{
    return g_readColourFacts();
}

HWND WindowBeside(HWND bar)
{
    RECT r;
    if (!GetWindowRect(bar, &r))
        return nullptr;
    HWND below = WindowFromPoint(POINT{r.left - 2, r.top - 2});
    return below == nullptr ? nullptr : GetAncestor(below, GA_ROOT);
}

bool IsDarkWindow(HWND window)
{
    if (window == nullptr)
        return false;
    BOOL dark = FALSE;
    if (SUCCEEDED(DwmWindowAttribute(window, USE_IMMERSIVE_DARK_MODE, &dark, sizeof dark)))
        return dark != FALSE;
    dark = FALSE;
    return SUCCEEDED(DwmWindowAttribute(window, USE_IMMERSIVE_DARK_MODE_BEFORE_20H1, &dark, sizeof dark)) &&
           dark != FALSE;
}

bool ReadCaptionBeside(HWND bar, uint32_t* colour)
{
    RECT r;
    if (!GetWindowRect(bar, &r))
        return false;
    // One copy of the screen from two rows above the bar to one below it.
    int const left = r.left - SAMPLE_LEFT_OF_BAR, top = r.top - 2;
    int const width = r.right - left, height = r.bottom + 2 - top;
    if (width <= 0 || height <= 0 || 2 * width > CAPTION_COLOUR_MAX_SAMPLES)
        return false;
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    bool read = false;
    if (copy != nullptr && screen != nullptr && memory != nullptr) {
        HGDIOBJ old = SelectObject(memory, copy);
        read = BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    bool found = false;
    if (read) {
        uint32_t samples[CAPTION_COLOUR_MAX_SAMPLES];
        DWORD const* pixels = static_cast<DWORD const*>(bits);
        int count = 0;
        for (int row : {0, height - 1})
            for (int x = 0; x < width; ++x) {
                DWORD const p = pixels[row * width + x];  // 0x00RRGGBB
                samples[count++] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
            }
        found = TypicalColour(samples, count, colour);
    }
    if (memory != nullptr)
        DeleteDC(memory);
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    if (copy != nullptr)
        DeleteObject(copy);
    return found;
}
