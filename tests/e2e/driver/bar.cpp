// The bar window, the record it shares with CBT.dll, and what the program
// reads from the system: metrics, power, caption colours, its settings file
// and its version resource.
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <initializer_list>

#include "hook/shared_window_record.h"
#include "tests/e2e/driver/driver.h"

namespace {

int OnCount(int, wchar_t**)
{
    std::printf("count=%d\n", FindBars().count);
    return 0;
}

// The layered attributes the system holds for the bar (flags 0 when it has none).
void PrintLayered(HWND bar)
{
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(bar, &key, &alpha, &flags))
        flags = 0;
    std::printf("alpha=%u\nkey=0x%06lX\nlayered=0x%lX\n", alpha, static_cast<unsigned long>(key),
                static_cast<unsigned long>(flags));
}

// bar [timeout]: waits for the bar and tells what the system knows of it.
int OnBar(int argc, wchar_t** argv)
{
    HWND bar = RequireBar(static_cast<int>(NumberOr(argc, argv, 0, 5000)));
    if (bar == nullptr)
        return 1;
    wchar_t title[128] = L"";
    GetWindowTextW(bar, title, 128);
    std::printf("hwnd=%lu\ncount=%d\ntitle=%ls\nexstyle=0x%08lX\nstyle=0x%08lX\nvisible=%d\n", HandleNumber(bar),
                FindBars().count, title, static_cast<unsigned long>(GetWindowLongW(bar, GWL_EXSTYLE)),
                static_cast<unsigned long>(GetWindowLongW(bar, GWL_STYLE)), IsWindowVisible(bar) ? 1 : 0);
    PrintPlace(bar);
    PrintLayered(bar);
    return 0;
}

// Maps the bar's shared record and hands it to use; 1 when there is none.
template <typename Use>
int WithRecord(DWORD access, Use use)
{
    HANDLE mapping = OpenFileMappingW(access, FALSE, SHARED_WINDOW_RECORD_NAME);
    if (mapping == nullptr) {
        std::printf("error=no section\n");
        return 1;
    }
    auto* record = static_cast<SharedWindowRecord*>(MapViewOfFile(mapping, access, 0, 0, sizeof(SharedWindowRecord)));
    int status = 1;
    if (record == nullptr) {
        std::printf("error=no view\n");
    } else {
        status = use(*record);
        UnmapViewOfFile(record);
    }
    CloseHandle(mapping);
    return status;
}

int OnRecord(int, wchar_t**)
{
    WaitForBar(5000);  // the program publishes the record as it starts
    return WithRecord(FILE_MAP_READ, [](SharedWindowRecord const& record) {
        std::printf("bar=%lu\nbarwidth=%ld\nbarheight=%ld\ncaption=%ld\nignoredui=%ld\n",
                    static_cast<unsigned long>(record.barWindow), static_cast<long>(record.barWidth),
                    static_cast<long>(record.barHeight), static_cast<long>(record.captionHeight),
                    static_cast<long>(record.ignoreDUI));
        return 0;
    });
}

// setrecord ignoredui V: changes the record behind the program's back.
int OnSetRecord(int, wchar_t** argv)
{
    if (wcscmp(argv[0], L"ignoredui") != 0)
        return 1;
    int32_t const value = static_cast<int32_t>(Number(argv[1]));
    return WithRecord(FILE_MAP_READ | FILE_MAP_WRITE, [value](SharedWindowRecord& record) {
        record.ignoreDUI = value;
        return 0;
    });
}

int OnClose(int, wchar_t**)
{
    HWND bar = RequireBar();
    return bar != nullptr && PostMessageW(bar, WM_CLOSE, 0, 0) ? 0 : 1;
}

int OnPost(int, wchar_t** argv)
{
    HWND bar = RequireBar();
    return bar != nullptr && PostMessageW(bar, static_cast<UINT>(Number(argv[0])), static_cast<WPARAM>(Number(argv[1])),
                                          static_cast<LPARAM>(Number(argv[2])))
               ? 0
               : 1;
}

int OnSend(int, wchar_t** argv)
{
    HWND bar = RequireBar();
    if (bar == nullptr)
        return 1;
    LRESULT const result = SendMessageW(bar, static_cast<UINT>(Number(argv[0])), static_cast<WPARAM>(Number(argv[1])),
                                        static_cast<LPARAM>(Number(argv[2])));
    std::printf("result=%ld\n", static_cast<long>(result));
    return 0;
}

int OnMove(int, wchar_t** argv)
{
    HWND bar = RequireBar();
    return bar != nullptr && SetWindowPos(bar, nullptr, static_cast<int>(Number(argv[0])),
                                          static_cast<int>(Number(argv[1])), 0, 0,
                                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
}

// What the screen shows where the bar is: a hash of its pixels and how many
// of them are not black (keyed-out pixels show the black root window).
int OnPixels(int, wchar_t**)
{
    HWND bar = RequireBar();
    if (bar == nullptr)
        return 1;
    RECT rect;
    GetWindowRect(bar, &rect);
    Pixels shown;
    if (!GrabScreen(rect, shown)) {
        std::printf("error=cannot read the bar's pixels\n");
        return 1;
    }
    unsigned long hash = 2166136261ul;
    long inked = 0;
    for (DWORD const pixel : shown.bits) {
        DWORD const colour = pixel & 0xFFFFFFu;
        if (colour != 0)
            ++inked;
        for (int b = 0; b < 3; ++b)
            hash = (hash ^ ((colour >> (8 * b)) & 0xFF)) * 16777619ul;
    }
    std::printf("hash=%08lx\ninked=%ld\n", hash, inked);
    return 0;
}

int OnMetrics(int, wchar_t**)
{
    std::printf("caption=%d\nscreenwidth=%d\nscreenheight=%d\n", GetSystemMetrics(SM_CYCAPTION),
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
}

int OnPower(int, wchar_t**)
{
    SYSTEM_POWER_STATUS status;
    ZeroMemory(&status, sizeof status);
    BOOL const ok = GetSystemPowerStatus(&status);
    std::printf("ok=%d\nac=%u\nflag=%u\npercent=%u\n", ok ? 1 : 0, status.ACLineStatus, status.BatteryFlag,
                status.BatteryLifePercent);
    return 0;
}

// The system colours the bar paints with, as RRGGBB.
int OnColours(int, wchar_t**)
{
    struct Named {
        char const* name;
        int index;
    };
    for (Named const& colour : {Named{"caption", COLOR_ACTIVECAPTION}, Named{"captiontext", COLOR_CAPTIONTEXT},
                                Named{"inactivecaption", COLOR_INACTIVECAPTION},
                                Named{"inactivecaptiontext", COLOR_INACTIVECAPTIONTEXT}}) {
        COLORREF const c = GetSysColor(colour.index);
        std::printf("%s=%02x%02x%02x\n", colour.name, GetRValue(c), GetGValue(c), GetBValue(c));
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

// profile FILE: what GetPrivateProfileIntW reads for each key of the settings
// file, "missing" where it falls back to the default (FILE is a Windows path).
int OnProfile(int, wchar_t** argv)
{
    INT const missing = -1234567;
    struct Key {
        wchar_t const* section;
        wchar_t const* name;
    };
    Key const keys[] = {{L"Brisvane", L"AutoRun"}, {L"Brisvane", L"Adhere"},   {L"Brisvane", L"IgnoreDUI"},
                        {L"Brisvane", L"BarWidth"}, {L"Brisvane", L"Interval"}, {L"Brisvane", L"Alpha"},
                        {L"Position", L"X"},        {L"Position", L"Y"}};
    for (Key const& key : keys) {
        INT const value = static_cast<INT>(GetPrivateProfileIntW(key.section, key.name, missing, argv[0]));
        if (value == missing)
            std::printf("%ls=missing\n", key.name);
        else
            std::printf("%ls=%d\n", key.name, value);
    }
    return 0;
}

// version FILE: the file's version resource, numbers and texts.
int OnVersion(int, wchar_t** argv)
{
    wchar_t const* file = argv[0];
    DWORD ignored = 0;
    DWORD const size = GetFileVersionInfoSizeW(file, &ignored);
    if (size == 0) {
        std::printf("error=no version resource\n");
        return 1;
    }
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(file, 0, size, data.data())) {
        std::printf("error=unreadable version resource\n");
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr)
        std::printf("fileversion=%u.%u.%u.%u\nproductversionnumber=%u.%u.%u.%u\n",
                    HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                    HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
                    HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                    HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    struct {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
        length >= 4) {
        std::printf("translation=%04x%04x\n", translation->language, translation->codePage);
        for (wchar_t const* name : {L"ProductName", L"ProductVersion", L"CompanyName", L"LegalCopyright"}) {
            wchar_t path[96];
            swprintf(path, 96, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language, translation->codePage,
                     name);
            wchar_t* text = nullptr;
            if (VerQueryValueW(data.data(), path, reinterpret_cast<void**>(&text), &length) && text != nullptr)
                std::printf("%ls=%ls\n", name, text);
        }
    }
    return 0;
}

Command const kCommands[] = {
    {L"count", "", OnCount},
    {L"bar", "[timeout_ms]", OnBar},
    {L"record", "", OnRecord},
    {L"setrecord", "ignoredui V", OnSetRecord},
    {L"close", "", OnClose},
    {L"post", "MSG WPARAM LPARAM", OnPost},
    {L"send", "MSG WPARAM LPARAM", OnSend},
    {L"move", "X Y", OnMove},
    {L"pixels", "", OnPixels},
    {L"metrics", "", OnMetrics},
    {L"power", "", OnPower},
    {L"colours", "", OnColours},
    {L"setcolours", "CAPTION TEXT", OnSetColours},
    {L"profile", "FILE", OnProfile},
    {L"version", "FILE", OnVersion},
};

}  // namespace

CommandTable BarCommands()
{
    return TableOf(kCommands);
}
