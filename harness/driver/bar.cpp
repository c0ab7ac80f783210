// The driver's commands about the bar: finding it, its record, its place,
// messages to it, and what the program reads from the system.
#include "harness/driver/driver.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <initializer_list>
#include <vector>

#include "cbt/shared_window_record.h"

namespace {

// The bar's shared record, mapped; nullptr (and why) when there is none.
SharedWindowRecord* MapRecord(DWORD access)
{
    HANDLE mapping = OpenFileMappingW(access, FALSE, SHARED_WINDOW_RECORD_NAME);
    if (mapping == nullptr) {
        Fail("no section");
        return nullptr;
    }
    void* view = MapViewOfFile(mapping, access, 0, 0, sizeof(SharedWindowRecord));
    CloseHandle(mapping);  // the view keeps the section
    if (view == nullptr)
        Fail("no view");
    return static_cast<SharedWindowRecord*>(view);
}

}  // namespace

int OnCount(int, wchar_t**)
{
    std::printf("count=%d\n", FindBars().count);
    return 0;
}

// bar [timeout]: waits for the bar and tells what the system knows of it.
int OnBar(int argc, wchar_t** argv)
{
    HWND bar = WaitForBar(NumberOr(argc, argv, 0, 5000));
    if (bar == nullptr)
        return Fail("no bar window");
    WaitUntilIdle(bar);
    wchar_t title[128] = L"";
    GetWindowTextW(bar, title, 128);
    std::printf("hwnd=%lu\ncount=%d\ntitle=%ls\nexstyle=0x%08lX\nstyle=0x%08lX\nvisible=%d\n", HandleNumber(bar),
                FindBars().count, title, static_cast<unsigned long>(GetWindowLongW(bar, GWL_EXSTYLE)),
                static_cast<unsigned long>(GetWindowLongW(bar, GWL_STYLE)), IsWindowVisible(bar) ? 1 : 0);
    PrintPlace(bar);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(bar, &key, &alpha, &flags))
        flags = 0;  // none set
    std::printf("alpha=%u\nkey=0x%06lX\nlayered=0x%lX\n", alpha, static_cast<unsigned long>(key),
                static_cast<unsigned long>(flags));
    return 0;
}

int OnRecord(int, wchar_t**)
{
    WaitForBar(5000);  // the program publishes the record as it starts
    SharedWindowRecord const* record = MapRecord(FILE_MAP_READ);
    if (record == nullptr)
        return 1;
    std::printf("bar=%lu\nbarwidth=%ld\nbarheight=%ld\ncaption=%ld\nignoredui=%ld\n",
                static_cast<unsigned long>(record->barWindow), static_cast<long>(record->barWidth),
                static_cast<long>(record->barHeight), static_cast<long>(record->captionHeight),
                static_cast<long>(record->ignoreDUI));
    UnmapViewOfFile(record);
    return 0;
}

// setrecord ignoredui V: changes the record behind the program's back.
int OnSetRecord(int, wchar_t** argv)
{
    if (wcscmp(argv[0], L"ignoredui") != 0)
        return 1;
    SharedWindowRecord* record = MapRecord(FILE_MAP_READ | FILE_MAP_WRITE);
    if (record == nullptr)
        return 1;
    record->ignoreDUI = Number(argv[1]);
    UnmapViewOfFile(record);
    return 0;
}

int OnClose(HWND bar, int, wchar_t**)
{
    return PostMessageW(bar, WM_CLOSE, 0, 0) ? 0 : 1;
}

int OnPost(HWND bar, int, wchar_t** argv)
{
    return PostMessageW(bar, Number(argv[0]), Number(argv[1]), Number(argv[2])) ? 0 : 1;
}

int OnSend(HWND bar, int, wchar_t** argv)
{
    LRESULT const result = SendMessageW(bar, Number(argv[0]), Number(argv[1]), Number(argv[2]));
    std::printf("result=%ld\n", static_cast<long>(result));
    return 0;
}

int OnMove(HWND bar, int, wchar_t** argv)
{
    UINT const flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    return SetWindowPos(bar, nullptr, Number(argv[0]), Number(argv[1]), 0, 0, flags) ? 0 : 1;
}

int OnMetrics(int, wchar_t**)
{
    std::printf("caption=%d\nscreenwidth=%d\nscreenheight=%d\n", GetSystemMetrics(SM_CYCAPTION),
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
}

int OnPower(int, wchar_t**)
{
    SYSTEM_POWER_STATUS status{};
    BOOL const ok = GetSystemPowerStatus(&status);
    std::printf("ok=%d\nac=%u\nflag=%u\npercent=%u\n", ok ? 1 : 0, status.ACLineStatus, status.BatteryFlag,
                status.BatteryLifePercent);
    return 0;
}

// The system colours the bar paints with, as RRGGBB.
int OnColours(int, wchar_t**)
{
    char const* const names[] = {"caption", "captiontext", "inactivecaption", "inactivecaptiontext"};
    int const indexes[] = {COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT, COLOR_INACTIVECAPTION, COLOR_INACTIVECAPTIONTEXT};
    for (int i = 0; i < 4; ++i) {
        COLORREF const c = GetSysColor(indexes[i]);
        std::printf("%s=%02x%02x%02x\n", names[i], GetRValue(c), GetGValue(c), GetBValue(c));
    }
    return 0;
}

// setcolours CAPTION TEXT: the active caption and caption text colours
// (RRGGBB) for the session, so that a screenshot can tell every colour role
// of the bar apart.
int OnSetColours(int, wchar_t** argv)
{
    int const indexes[2] = {COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT};
    COLORREF colours[2];
    for (int i = 0; i < 2; ++i) {
        unsigned long const rgb = wcstoul(argv[i], nullptr, 16);
        colours[i] = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    BOOL const ok = SetSysColors(2, indexes, colours);
    std::printf("ok=%d\n", ok ? 1 : 0);
    return ok ? 0 : 1;
}

// colourset: what Windows broadcasts when the theme, the accent colour or
// dark mode changed (after a test changed them in the registry).
int OnColourSet(int, wchar_t**)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                               SMTO_ABORTIFHUNG, 5000, &ignored)
               ? 0
               : 1;
}

// profile FILE: what GetPrivateProfileIntW reads for each key of the settings
// file, "missing" where it falls back to the default (FILE is a Windows path).
int OnProfile(int, wchar_t** argv)
{
    INT const missing = -1234567;
    wchar_t const* const keys[][2] = {{L"Brisvane", L"AutoRun"},  {L"Brisvane", L"Adhere"}, {L"Brisvane", L"IgnoreDUI"},
                                      {L"Brisvane", L"BarWidth"}, {L"Brisvane", L"Interval"},
                                      {L"Brisvane", L"Alpha"},    {L"Position", L"X"},      {L"Position", L"Y"}};
    for (auto const& key : keys) {
        INT const value = static_cast<INT>(GetPrivateProfileIntW(key[0], key[1], missing, argv[0]));
        if (value == missing)
            std::printf("%ls=missing\n", key[1]);
        else
            std::printf("%ls=%d\n", key[1], value);
    }
    return 0;
}

// holdname NAME: an event of that name, held while the driver runs, so that
// no other kind of object can take the name.
int OnHoldName(int, wchar_t** argv)
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, argv[0]);
    std::printf("held=%d\n", event != nullptr && GetLastError() != ERROR_ALREADY_EXISTS ? 1 : 0);
    return event != nullptr ? 0 : 1;
}

// version FILE: the file's version resource, numbers and texts.
int OnVersion(int, wchar_t** argv)
{
    wchar_t const* file = argv[0];
    DWORD ignored = 0;
    DWORD const size = GetFileVersionInfoSizeW(file, &ignored);
    if (size == 0)
        return Fail("no version resource");
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(file, 0, size, data.data()))
        return Fail("unreadable version resource");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr)
        std::printf("fileversion=%u.%u.%u.%u\nproductversionnumber=%u.%u.%u.%u\n",
                    HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                    HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
                    HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                    HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    WORD* translation = nullptr;  // language, code page
    if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
        length >= 4) {
        std::printf("translation=%04x%04x\n", translation[0], translation[1]);
        for (wchar_t const* name : {L"ProductName", L"ProductVersion", L"CompanyName", L"LegalCopyright"}) {
            wchar_t path[96];
            swprintf(path, 96, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1], name);
            wchar_t* text = nullptr;
            if (VerQueryValueW(data.data(), path, reinterpret_cast<void**>(&text), &length) && text != nullptr)
                std::printf("%ls=%ls\n", name, text);
        }
    }
    return 0;
}
