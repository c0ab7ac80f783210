// Observes and drives a running Brisvane.exe from another process, for the
// end-to-end tests, the bench and the screenshots: driver COMMAND ARGS...,
// or driver serve for many commands (see Serve). Each command prints
// key=value lines; exit code 0 on success, 1 on failure, 2 for a command
// line it does not know.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <initializer_list>
#include <vector>

#include "cbt/shared_window_record.h"
#include "res/resource.h"

namespace {

// ---- What the commands share ----

// Numbers as C writes them (0x for hexadecimal).
long Number(wchar_t const* text)
{
    return static_cast<long>(wcstoll(text, nullptr, 0));
}

// The argument at index, or fallback when it was left out.
long NumberOr(int argc, wchar_t** argv, int index, long fallback)
{
    return index < argc ? Number(argv[index]) : fallback;
}

// Prints error=WHY; returns the exit code of a command that failed.
int Fail(char const* why)
{
    std::printf("error=%s\n", why);
    return 1;
}

// Asks ready() every stepMs until it says yes or timeoutMs have passed.
template <typename Ready>
bool Poll(int timeoutMs, int stepMs, Ready ready)
{
    for (int waited = 0;; waited += stepMs) {
        if (ready())
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(stepMs);
    }
}

// Waits until the program of a window waits for input: a window shows up
// before its program is done starting (placing it, showing it, reading the
// settings). A busy program is waited for five seconds at most.
void WaitUntilIdle(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (process == nullptr)
        return;
    WaitForInputIdle(process, 5000);
    CloseHandle(process);
}

// The window find() returns once it returns one, or nullptr after timeoutMs.
template <typename Find>
HWND WaitFor(int timeoutMs, int stepMs, Find find)
{
    HWND found = nullptr;
    Poll(timeoutMs, stepMs, [&] { return (found = find()) != nullptr; });
    return found;
}

template <typename Visit>
BOOL CALLBACK VisitWindow(HWND window, LPARAM visit)
{
    (*reinterpret_cast<Visit*>(visit))(window);
    return TRUE;
}

// Every top-level window, front to back.
template <typename Visit>
void ForEachWindow(Visit visit)
{
    EnumWindows(VisitWindow<Visit>, reinterpret_cast<LPARAM>(&visit));
}

struct Found {
    HWND first;
    int count;
};

template <typename Match>
Found FindWindows(Match match)
{
    Found found{nullptr, 0};
    ForEachWindow([&](HWND window) {
        if (match(window) && found.count++ == 0)
            found.first = window;
    });
    return found;
}

bool HasClass(HWND window, wchar_t const* name)
{
    wchar_t found[64];
    return GetClassNameW(window, found, 64) && wcscmp(found, name) == 0;
}

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

Found FindBars()
{
    return FindWindows([](HWND window) { return HasClass(window, L"BRISVANE"); });
}

HWND WaitForBar(int timeoutMs)
{
    return WaitFor(timeoutMs, 100, [] { return FindBars().first; });
}

// A visible top-level window of this class and caption (either may be nullptr).
HWND Shown(wchar_t const* className, wchar_t const* caption)
{
    HWND window = FindWindowW(className, caption);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitForShown(wchar_t const* className, wchar_t const* caption, int timeoutMs, int stepMs = 100)
{
    return WaitFor(timeoutMs, stepMs, [=] { return Shown(className, caption); });
}

// Another program's window, named by its title or by "class:NAME".
HWND WaitForTarget(wchar_t const* name, int timeoutMs)
{
    bool const byClass = wcsncmp(name, L"class:", 6) == 0;
    return WaitFor(timeoutMs, 100,
                   [=] { return byClass ? FindWindowW(name + 6, nullptr) : FindWindowW(nullptr, name); });
}

// A command about one window: find() picks it from the arguments (or prints
// why there is none, and the command fails) and run() gets it.
template <HWND (*find)(wchar_t** argv), int (*run)(HWND window, int argc, wchar_t** argv)>
int With(int argc, wchar_t** argv)
{
    HWND window = find(argv);
    return window != nullptr ? run(window, argc, argv) : 1;
}

HWND TheBar(wchar_t**)
{
    HWND bar = WaitForBar(5000);
    if (bar == nullptr)
        Fail("no bar window");
    return bar;
}

HWND TheTarget(wchar_t** argv)
{
    HWND window = WaitForTarget(argv[0], 5000);
    if (window == nullptr)
        Fail("no such window");
    return window;
}

// A message to another process that gives up on a hung receiver.
LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

unsigned long HandleNumber(HWND window)
{
    return static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window));
}

void PrintPlace(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("x=%ld\ny=%ld\nwidth=%ld\nheight=%ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
}

// key=text with the text in UTF-8, whatever the console's code page.
void PrintUtf8(char const* key, wchar_t const* text)
{
    char bytes[512];
    int const length = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    std::printf("%s=%s\n", key, length > 0 ? bytes : "");
}

// ---- The bar, its record and what the program reads from the system ----

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

// ---- The program's dialogs ----

wchar_t const kDialogClass[] = L"#32770";
wchar_t const kOptionsCaption[] = L"\x9009\x9879";
wchar_t const kShutdownCaption[] = L"\x81EA\x52A8\x5173\x673A";
wchar_t const kConfirmCaption[] = L"\x5173\x673A\x786E\x8BA4";

Found FindOptionsDialogs(HWND bar)
{
    return FindWindows([bar](HWND window) {
        wchar_t title[64];
        return GetWindow(window, GW_OWNER) == bar && HasClass(window, kDialogClass) &&
               GetWindowTextW(window, title, 64) && wcscmp(title, kOptionsCaption) == 0;
    });
}

// Waits up to timeoutMs for the dialog to be open (or, gone = true, closed).
// Open means shown: a modal dialog shows once it has set itself up.
Found WaitForOptionsDialog(HWND bar, int timeoutMs, bool gone)
{
    Found found{nullptr, 0};
    Poll(timeoutMs, 100, [&] {
        found = FindOptionsDialogs(bar);
        return gone ? found.first == nullptr : found.first != nullptr && IsWindowVisible(found.first);
    });
    if (!gone && found.first == nullptr)
        Fail("no options dialog");
    return found;
}

HWND TheOptionsDialog(wchar_t** argv)
{
    HWND bar = TheBar(argv);
    return bar != nullptr ? WaitForOptionsDialog(bar, 5000, false).first : nullptr;
}

long Ask(HWND dialog, int id, UINT message)
{
    return static_cast<long>(SendTo(GetDlgItem(dialog, id), message, 0, 0));
}

// options [timeout]: how many are open, and the first one's place and values.
int OnOptions(HWND bar, int argc, wchar_t** argv)
{
    Found const found = WaitForOptionsDialog(bar, NumberOr(argc, argv, 0, 5000), false);
    HWND dialog = found.first;
    if (dialog == nullptr)
        return 1;
    wchar_t edit[32] = L"";
    // WM_GETTEXT: GetWindowTextW does not ask another process's controls.
    SendTo(GetDlgItem(dialog, IDC_OPTIONS_ALPHA_EDIT), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(edit));
    std::printf("dialogs=%d\n", found.count);
    PrintPlace(dialog);
    std::printf("topmost=%d\nforeground=%d\ninterval=%ld\nalpha=%ld\nedit=%ls\nadhere=%ld\nignoredui=%ld\n"
                "ignoredui_enabled=%d\nautorun=%ld\n",
                (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0, GetForegroundWindow() == dialog ? 1 : 0,
                Ask(dialog, IDC_OPTIONS_INTERVAL, CB_GETCURSEL), Ask(dialog, IDC_OPTIONS_ALPHA, TBM_GETPOS), edit,
                Ask(dialog, IDC_OPTIONS_ADHERE, BM_GETCHECK), Ask(dialog, IDC_OPTIONS_IGNOREDUI, BM_GETCHECK),
                IsWindowEnabled(GetDlgItem(dialog, IDC_OPTIONS_IGNOREDUI)) ? 1 : 0,
                Ask(dialog, IDC_OPTIONS_AUTORUN, BM_GETCHECK));
    return 0;
}

int OnOptionsGone(HWND bar, int argc, wchar_t** argv)
{
    Found const found = WaitForOptionsDialog(bar, NumberOr(argc, argv, 0, 5000), true);
    std::printf("dialogs=%d\n", found.count);
    return found.count == 0 ? 0 : 1;
}

// BM_CLICK presses the button as the mouse would: check boxes toggle, then notify.
int OnOptionsClick(HWND dialog, int, wchar_t** argv)
{
    SendTo(GetDlgItem(dialog, Number(argv[0])), BM_CLICK, 0, 0);
    return 0;
}

int OnOptionsSelect(HWND dialog, int, wchar_t** argv)
{
    HWND box = GetDlgItem(dialog, IDC_OPTIONS_INTERVAL);
    SendTo(box, CB_SETCURSEL, Number(argv[0]), 0);
    SendTo(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_INTERVAL, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    return 0;
}

// A thumb drag: the trackbar moves and tells the dialog where it ended.
int OnOptionsSlide(HWND dialog, int, wchar_t** argv)
{
    HWND trackbar = GetDlgItem(dialog, IDC_OPTIONS_ALPHA);
    WORD const position = static_cast<WORD>(Number(argv[0]));
    SendTo(trackbar, TBM_SETPOS, TRUE, position);
    for (WPARAM const scroll : {MAKEWPARAM(TB_THUMBTRACK, position), MAKEWPARAM(TB_THUMBPOSITION, position),
                                MAKEWPARAM(TB_ENDTRACK, 0)})
        SendTo(dialog, WM_HSCROLL, scroll, reinterpret_cast<LPARAM>(trackbar));
    return 0;
}

int OnOptionsType(HWND dialog, int, wchar_t** argv)
{
    HWND edit = GetDlgItem(dialog, IDC_OPTIONS_ALPHA_EDIT);
    SendTo(edit, EM_SETSEL, 0, -1);
    for (wchar_t const* c = argv[0]; *c != L'\0'; ++c)
        SendTo(edit, WM_CHAR, *c, 1);
    return 0;
}

// The other dialogs go by short names, so that no Chinese passes the command line.
wchar_t const* DialogCaption(wchar_t const* name)
{
    wchar_t const* const captions[][2] = {{L"shutdown", kShutdownCaption},
                                          {L"confirm", kConfirmCaption},
                                          {L"cancelask", L"\x53D6\x6D88\x81EA\x52A8\x5173\x673A"},
                                          {L"about", L"\x5173\x4E8E"}};
    for (auto const& caption : captions)
        if (wcscmp(name, caption[0]) == 0)
            return caption[1];
    return name;
}

// NAME: shutdown, confirm, cancelask (the question box), about, or a caption.
HWND TheNamedDialog(wchar_t** argv)
{
    HWND dialog = WaitForShown(kDialogClass, DialogCaption(argv[0]), 5000);
    if (dialog == nullptr)
        Fail("no dialog");
    return dialog;
}

// The visible dialog of the bar's thread, waiting up to timeoutMs.
HWND WaitForBarDialog(HWND bar, int timeoutMs)
{
    DWORD const thread = GetWindowThreadProcessId(bar, nullptr);
    return WaitFor(timeoutMs, 10, [thread] {
        return FindWindows([thread](HWND window) {
                   return GetWindowThreadProcessId(window, nullptr) == thread && IsWindowVisible(window) &&
                          HasClass(window, kDialogClass);
               }).first;
    });
}

// dialog [timeout]: the dialog the bar shows now, its title and place.
int PrintBarDialog(HWND bar, int argc, wchar_t** argv)
{
    HWND dialog = WaitForBarDialog(bar, NumberOr(argc, argv, 0, 3000));
    if (dialog == nullptr) {
        std::printf("dialog=0\n");
        return 1;
    }
    wchar_t title[128] = L"";
    GetWindowTextW(dialog, title, 128);
    std::printf("dialog=%lu\ntitle=%ls\n", HandleNumber(dialog), title);
    PrintPlace(dialog);
    return 0;
}

// dialog NAME [timeout]: whether it is open, its buttons' texts and place.
int PrintNamedDialog(wchar_t const* name, int timeoutMs)
{
    HWND dialog = WaitForShown(kDialogClass, DialogCaption(name), timeoutMs);
    std::printf("open=%d\n", dialog != nullptr ? 1 : 0);
    if (dialog == nullptr)
        return 0;
    for (int const id : {IDOK, IDCANCEL}) {
        wchar_t text[128] = L"";
        GetDlgItemTextW(dialog, id, text, 128);
        PrintUtf8(id == IDOK ? "ok" : "cancel", text);
    }
    PrintPlace(dialog);
    std::printf("topmost=%d\n", (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
    return 0;
}

int OnDialog(int argc, wchar_t** argv)
{
    if (argc > 0 && !iswdigit(argv[0][0]))
        return PrintNamedDialog(argv[0], NumberOr(argc, argv, 1, 5000));
    return With<TheBar, PrintBarDialog>(argc, argv);
}

// dialogset NAME ID TEXT: types into a control.
int OnDialogSet(HWND dialog, int, wchar_t** argv)
{
    return SetDlgItemTextW(dialog, Number(argv[1]), argv[2]) ? 0 : 1;
}

// The WM_COMMAND a click on the button sends.
bool PostClick(HWND dialog, int id)
{
    LPARAM const button = reinterpret_cast<LPARAM>(GetDlgItem(dialog, id));
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), button);
}

// dialogcmd NAME ID
int OnDialogCommand(HWND dialog, int, wchar_t** argv)
{
    return PostClick(dialog, Number(argv[1])) ? 0 : 1;
}

// dialogcheck NAME ID: clicks a radio button.
int OnDialogCheck(HWND dialog, int, wchar_t** argv)
{
    SendMessageW(GetDlgItem(dialog, Number(argv[1])), BM_CLICK, 0, 0);
    return 0;
}

// dialogtime NAME ID YYYY MM DD HH MI: what the user picks in a date or time
// picker. The picker reads the SYSTEMTIME in its own process, so it is
// written there.
int OnDialogTime(HWND dialog, int, wchar_t** argv)
{
    HWND picker = GetDlgItem(dialog, Number(argv[1]));
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(Number(argv[2]));
    time.wMonth = static_cast<WORD>(Number(argv[3]));
    time.wDay = static_cast<WORD>(Number(argv[4]));
    time.wHour = static_cast<WORD>(Number(argv[5]));
    time.wMinute = static_cast<WORD>(Number(argv[6]));
    DWORD pid = 0;
    GetWindowThreadProcessId(picker, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    void* remote = process != nullptr ? VirtualAllocEx(process, nullptr, sizeof time, MEM_COMMIT, PAGE_READWRITE)
                                      : nullptr;
    bool const set = remote != nullptr && WriteProcessMemory(process, remote, &time, sizeof time, nullptr) &&
                     SendTo(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(remote)) != 0;
    if (remote != nullptr)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (process != nullptr)
        CloseHandle(process);
    return set ? 0 : 1;
}

// dialogsend NAME MSG WPARAM LPARAM (the screenshots use it to have a caption drawn as active).
int OnDialogSend(HWND dialog, int, wchar_t** argv)
{
    std::printf("result=%ld\n", static_cast<long>(SendTo(dialog, Number(argv[1]), Number(argv[2]), Number(argv[3]))));
    return 0;
}

// A cycle that stopped: why, after how many openings, and its exit code.
int Stopped(char const* why, long opened, int code)
{
    std::printf("error=%s\nopened=%ld\n", why, opened);
    return code;
}

// cycle COMMAND N: opens a dialog by its menu command and cancels it, N times.
int OnCycle(HWND bar, int, wchar_t** argv)
{
    WPARAM const command = Number(argv[0]);
    long const count = Number(argv[1]);
    for (long i = 0; i < count; ++i) {
        PostMessageW(bar, WM_COMMAND, command, 0);
        HWND dialog = WaitForBarDialog(bar, i == 0 ? 5000 : 2000);
        if (dialog == nullptr)
            return Stopped("no dialog", i, 3);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        if (!Poll(5000, 5, [dialog] { return !IsWindow(dialog); }))
            return Stopped("dialog stays open", i + 1, 1);
    }
    std::printf("opened=%ld\n", count);
    return 0;
}

// Clicks a dialog's button and waits (polling often: the bench opens
// hundreds) until no dialog of that caption shows.
bool ClickAway(HWND dialog, int button, wchar_t const* caption)
{
    PostClick(dialog, button);
    return Poll(5000, 5, [caption] { return Shown(kDialogClass, caption) == nullptr; });
}

// cycle-confirm N: N auto-shutdowns of one minute, each run to its
// confirmation (a real minute: the countdown reads the clock) and declined
// there: the Auto-shutdown dialog and the confirmation open N times each.
int OnCycleConfirm(HWND bar, int, wchar_t** argv)
{
    long const count = Number(argv[0]);
    for (long i = 0; i < count; ++i) {
        PostMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
        HWND dialog = WaitForShown(kDialogClass, kShutdownCaption, 5000, 5);
        if (dialog == nullptr)
            return Stopped("no auto-shutdown dialog", i, 3);
        SetDlgItemTextW(dialog, IDC_SHUTDOWN_HOURS, L"0");
        SetDlgItemTextW(dialog, IDC_SHUTDOWN_MINUTES, L"1");
        if (!ClickAway(dialog, IDOK, kShutdownCaption))
            return Stopped("auto-shutdown dialog stays open", i, 1);
        HWND confirm = WaitForShown(kDialogClass, kConfirmCaption, 75000, 50);
        if (confirm == nullptr)
            return Stopped("no confirmation", i, 3);
        if (!ClickAway(confirm, IDCANCEL, kConfirmCaption))
            return Stopped("confirmation stays open", i + 1, 1);
    }
    std::printf("opened=%ld\n", count);
    return 0;
}

// ---- The screen, the tray and other programs' windows ----

// The pixels of a bitmap, 32 bits each, top row first.
struct Pixels {
    int width, height;
    std::vector<DWORD> bits;
};

// The pixels draw(memory, screen, bits) leaves in a bitmap of this size.
template <typename Draw>
bool Render(int width, int height, Pixels& out, Draw draw)
{
    out.width = width;
    out.height = height;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return false;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ const old = SelectObject(memory, bitmap);
        draw(memory, screen, static_cast<DWORD*>(bits));
        GdiFlush();
        out.bits.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + width * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap != nullptr;
}

bool GrabScreen(RECT const& rect, Pixels& out)
{
    int const width = rect.right - rect.left, height = rect.bottom - rect.top;
    return Render(width, height, out, [&](HDC memory, HDC screen, DWORD*) {
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    });
}

// An icon of the program's file as the tray draws it: loaded at the size the
// program loads it, drawn shrunk into a slot filled with the background.
bool RenderIcon(wchar_t const* file, int id, DWORD background, int slot, int border, Pixels& out)
{
    HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return false;
    HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    FreeLibrary(module);
    if (icon == nullptr)
        return false;
    bool const ok = Render(slot, slot, out, [&](HDC memory, HDC, DWORD* bits) {
        std::fill(bits, bits + slot * slot, background);
        DrawIconEx(memory, border, border, icon, slot - 2 * border, slot - 2 * border, 0, nullptr, DI_NORMAL);
    });
    DestroyIcon(icon);
    return ok;
}

// What the screen shows where the bar is: a hash of its pixels and how many
// of them are not black (keyed-out pixels show the black root window).
int OnPixels(HWND bar, int, wchar_t**)
{
    RECT rect;
    GetWindowRect(bar, &rect);
    Pixels shown;
    if (!GrabScreen(rect, shown))
        return Fail("cannot read the bar's pixels");
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

// How far two pictures are apart: the channel differences, summed.
long Distance(Pixels const& a, Pixels const& b)
{
    long sum = 0;
    for (size_t i = 0; i < a.bits.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8) {
            int const d = static_cast<int>((a.bits[i] >> shift) & 0xFF) - static_cast<int>((b.bits[i] >> shift) & 0xFF);
            sum += d < 0 ? -d : d;
        }
    return sum;
}

// tray [EXE]: the taskbar's notification area and what its rightmost icon
// slot shows; with the program's file, which of its two icons that is
// (icon=normal, shutdown or none) by the nearer picture.
int OnTray(int argc, wchar_t** argv)
{
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (tray == nullptr) {
        std::printf("tray=0\n");
        return 1;
    }
    RECT rect;
    GetWindowRect(tray, &rect);
    // Wine's explorer lays icons right to left, each a small icon plus a
    // 2-pixel border on every side, centred in the taskbar's height.
    int const border = 2;
    int const slot = GetSystemMetrics(SM_CXSMICON) + 2 * border;
    LONG const top = rect.top + (rect.bottom - rect.top - slot) / 2;
    RECT const icon{rect.right - slot, top, rect.right, top + slot};
    Pixels shown;
    if (!GrabScreen(icon, shown))
        return Fail("cannot read the screen");
    DWORD const background = shown.bits[0] & 0xFFFFFFu;
    long inked = 0;
    for (DWORD const pixel : shown.bits)
        if ((pixel & 0xFFFFFFu) != background)
            ++inked;
    std::printf("tray=%lu\n", HandleNumber(tray));
    PrintPlace(tray);
    std::printf("iconx=%ld\nicony=%ld\nslot=%d\ninked=%ld\n", icon.left + slot / 2, icon.top + slot / 2, slot, inked);
    if (argc == 0)
        return 0;
    Pixels normal, shutdown;
    if (!RenderIcon(argv[0], IDI_BRISVANE, background, slot, border, normal) ||
        !RenderIcon(argv[0], IDI_SHUTDOWN, background, slot, border, shutdown)) {
        std::printf("error=cannot load the icons of %ls\n", argv[0]);
        return 1;
    }
    long const toNormal = Distance(shown, normal), toShutdown = Distance(shown, shutdown);
    std::printf("normaldistance=%ld\nshutdowndistance=%ld\nicon=%s\n", toNormal, toShutdown,
                inked == 0 ? "none" : toNormal < toShutdown ? "normal" : "shutdown");
    return 0;
}

// traytip [timeout]: the tooltip on screen (waiting for one to show) and its
// text, which a tooltip gives for WM_GETTEXT while it shows.
int OnTrayTip(int argc, wchar_t** argv)
{
    int count = 0, visible = 0;
    HWND shown = WaitFor(NumberOr(argc, argv, 0, 0), 100, [&] {
        count = visible = 0;
        HWND last = nullptr;
        ForEachWindow([&](HWND window) {
            if (!HasClass(window, L"tooltips_class32"))
                return;
            ++count;
            if (IsWindowVisible(window)) {
                ++visible;
                last = window;
            }
        });
        return last;
    });
    std::printf("tooltips=%d\nvisible=%d\n", count, visible);
    if (shown == nullptr)
        return 0;
    wchar_t text[128] = L"";
    SendTo(shown, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
    PrintUtf8("tip", text);
    return 0;
}

HWND WaitForPopupMenu(int timeoutMs)
{
    return WaitForShown(L"#32768", nullptr, timeoutMs);
}

// menu [timeout]: the popup menu on screen, its place and its items.
int OnMenu(int argc, wchar_t** argv)
{
    HWND window = WaitForPopupMenu(NumberOr(argc, argv, 0, 5000));
    std::printf("open=%d\n", window != nullptr ? 1 : 0);
    if (window == nullptr)
        return 0;
    PrintPlace(window);
    POINT cursor;
    GetCursorPos(&cursor);
    std::printf("cursorx=%ld\ncursory=%ld\nbarprocess=%d\n", cursor.x, cursor.y,
                ProcessOf(window) == ProcessOf(FindBars().first) ? 1 : 0);
    HMENU menu = reinterpret_cast<HMENU>(SendTo(window, MN_GETHMENU, 0, 0));
    int const count = menu != nullptr ? GetMenuItemCount(menu) : -1;
    std::printf("items=%d\n", count);
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        char key[16];
        std::snprintf(key, sizeof key, "item%d", i);
        PrintUtf8(key, text);
        std::printf("id%d=%u\n", i, GetMenuItemID(menu, i));
    }
    return 0;
}

// menukey down|up|return|escape...: keys for the open popup menu, as its
// tracking loop reads them from the queue.
int OnMenuKey(int argc, wchar_t** argv)
{
    HWND window = WaitForPopupMenu(5000);
    if (window == nullptr)
        return Fail("no menu");
    for (int i = 0; i < argc; ++i) {
        UINT const key = wcscmp(argv[i], L"down") == 0     ? VK_DOWN
                         : wcscmp(argv[i], L"up") == 0     ? VK_UP
                         : wcscmp(argv[i], L"return") == 0 ? VK_RETURN
                                                           : VK_ESCAPE;
        PostMessageW(window, WM_KEYDOWN, key, 1);
        PostMessageW(window, WM_KEYUP, key, 0xC0000001);
        Sleep(200);
    }
    return 0;
}

int OnCursor(int, wchar_t** argv)
{
    return SetCursorPos(Number(argv[0]), Number(argv[1])) ? 0 : 1;
}

// The icon gone from the shell's side, as after a crash of the shell.
int OnForgetIcon(int, wchar_t**)
{
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V3_SIZE;
    data.hWnd = FindBars().first;
    data.uID = 1;
    return data.hWnd != nullptr && Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
}

// What the shell broadcasts when its taskbar comes up.
int OnTaskbarCreated(int, wchar_t**)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG,
                               5000, &ignored)
               ? 0
               : 1;
}

// window W [timeout]: its place, its caption's rectangle and its state.
int OnWindow(int argc, wchar_t** argv)
{
    HWND window = WaitForTarget(argv[0], NumberOr(argc, argv, 1, 5000));
    if (window == nullptr)
        return Fail("no such window");
    WaitUntilIdle(window);
    TITLEBARINFO info{};
    info.cbSize = sizeof info;
    GetTitleBarInfo(window, &info);
    wchar_t title[128] = L"";
    GetWindowTextW(window, title, 128);
    std::printf("hwnd=%lu\ntitle=%ls\n", HandleNumber(window), title);
    PrintPlace(window);
    std::printf("captionleft=%ld\ncaptiontop=%ld\ncaptionright=%ld\ncaptionbottom=%ld\ncxsize=%d\nforeground=%d\n"
                "iconic=%d\nvisible=%d\n",
                info.rcTitleBar.left, info.rcTitleBar.top, info.rcTitleBar.right, info.rcTitleBar.bottom,
                GetSystemMetrics(SM_CXSIZE), GetForegroundWindow() == window ? 1 : 0, IsIconic(window) ? 1 : 0,
                IsWindowVisible(window) ? 1 : 0);
    return 0;
}

int OnSetPos(HWND window, int, wchar_t** argv)
{
    return SetWindowPos(window, nullptr, Number(argv[1]), Number(argv[2]), Number(argv[3]), Number(argv[4]),
                        SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
}

int OnActivate(HWND window, int, wchar_t**)
{
    if (!SetForegroundWindow(window))
        return 1;
    // The window's thread takes the activation from a message of its own:
    // wait for that, so that two quick activations are two events.
    DWORD const thread = GetWindowThreadProcessId(window, nullptr);
    Poll(5000, 10, [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndActive == window;
    });
    return 0;
}

int OnShow(HWND window, int, wchar_t** argv)
{
    ShowWindow(window, wcscmp(argv[1], L"minimize") == 0 ? SW_MINIMIZE
                       : wcscmp(argv[1], L"hide") == 0   ? SW_HIDE
                                                         : SW_RESTORE);
    return 0;
}

// hang W MS: a test window stops answering messages for MS milliseconds
// (tests/e2e/test_window.cpp).
int OnHang(HWND window, int, wchar_t** argv)
{
    return PostMessageW(window, WM_APP + 1, static_cast<WPARAM>(Number(argv[1])), 0) ? 0 : 1;
}

int OnCloseWindow(HWND window, int, wchar_t**)
{
    return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

int OnForeground(int, wchar_t**)
{
    HWND foreground = GetForegroundWindow();
    wchar_t title[128] = L"", name[64] = L"";
    GetWindowTextW(foreground, title, 128);
    GetClassNameW(foreground, name, 64);
    std::printf("hwnd=%lu\ntitle=%ls\nclass=%ls\n", HandleNumber(foreground), title, name);
    return 0;
}

// ontop: the bar restacked above every window. Stands in for what Windows
// keeps by itself: in a Wine virtual desktop an activated window is raised
// above the topmost bar on X, though Win32 still reports the bar on top, and
// Wine restacks on X only for a change of the Win32 order.
int OnOnTop(HWND bar, int, wchar_t**)
{
    UINT const flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    return SetWindowPos(bar, HWND_NOTOPMOST, 0, 0, 0, 0, flags) && SetWindowPos(bar, HWND_TOPMOST, 0, 0, 0, 0, flags)
               ? 0
               : 1;
}

// The classes of the six front-most visible windows.
int OnZOrder(int, wchar_t**)
{
    int shown = 0;
    for (HWND w = GetTopWindow(nullptr); w != nullptr && shown < 6; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w))
            continue;
        wchar_t name[64] = L"";
        GetClassNameW(w, name, 64);
        std::printf("z%d=%ls%s\n", shown++, name, (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) ? " topmost" : "");
    }
    return 0;
}

// ---- Figures for the bench and the soak ----

// Kernel and user time of a process in milliseconds, or -1.
double CpuMs(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return -1;
    ULARGE_INTEGER k{{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u{{user.dwLowDateTime, user.dwHighDateTime}};
    return static_cast<double>(k.QuadPart + u.QuadPart) / 10000.0;
}

// Committed private memory of a process, region by region: what Windows
// calls private bytes, which Wine's PrivateUsage leaves at 0.
unsigned long CommittedPrivateBytes(HANDLE process)
{
    unsigned long total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (UINT_PTR address = 0; VirtualQueryEx(process, reinterpret_cast<void*>(address), &region, sizeof region) ==
                               sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += static_cast<unsigned long>(region.RegionSize);
        UINT_PTR const next = reinterpret_cast<UINT_PTR>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}

BOOL CALLBACK CountChildWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

// Windows of a process: top-level ones with all their descendants, and
// message-only ones, which EnumWindows does not list.
long CountWindowsOf(DWORD pid)
{
    long count = 0;
    ForEachWindow([&](HWND window) {
        if (ProcessOf(window) == pid) {
            ++count;
            EnumChildWindows(window, CountChildWindow, reinterpret_cast<LPARAM>(&count));  // all descendants
        }
    });
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w != nullptr;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
        if (ProcessOf(w) == pid)
            ++count;
    return count;
}

// Kernel handles of a process, counted by copying every possible value:
// Wine's GetProcessHandleCount reads 0 for another process.
long CountKernelHandles(DWORD pid)
{
    HANDLE process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, pid);
    if (process == nullptr)
        return -1;
    long count = 0;
    for (UINT_PTR value = 4; value < 0x10000; value += 4) {
        HANDLE copy = nullptr;
        if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0, FALSE,
                            DUPLICATE_SAME_ACCESS)) {
            ++count;
            CloseHandle(copy);
        }
    }
    CloseHandle(process);
    return count;
}

// process: memory, CPU time and handles of the process that owns the bar.
int OnProcess(HWND bar, int, wchar_t**)
{
    DWORD const pid = ProcessOf(bar);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr)
        return Fail("cannot open process");
    PROCESS_MEMORY_COUNTERS_EX memory{};
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Read before the counts below, which under Wine cost the process
    // itself CPU time.
    unsigned long const cpuMs = static_cast<unsigned long>(std::max(CpuMs(process), 0.0));
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    std::printf("pid=%lu\nworkingset=%lu\npeakworkingset=%lu\nprivate=%lu\ncommitted=%lu\ncpums=%lu\n"
                "handles=%lu\nkernelhandles=%ld\ngdi=%lu\nuser=%lu\nwindows=%ld\n",
                pid, static_cast<unsigned long>(memory.WorkingSetSize),
                static_cast<unsigned long>(memory.PeakWorkingSetSize),
                static_cast<unsigned long>(memory.PrivateUsage), CommittedPrivateBytes(process),
                cpuMs, handles, CountKernelHandles(pid),
                GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
                CountWindowsOf(pid));
    CloseHandle(process);
    return 0;
}

// Rewrites a battery's charge file (through Wine's Z: drive) to a percent of
// a 50000000 full charge.
bool WriteCharge(wchar_t const* file, int percent)
{
    HANDLE handle = CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    char text[32];
    int const length = std::snprintf(text, sizeof text, "%d\n", percent * 500000);
    DWORD written = 0;
    WriteFile(handle, text, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(handle);
    return written == static_cast<DWORD>(length);
}

// ticks N [CHARGE_FILE]: N refresh ticks, sent one after the other; with a
// charge file the charge alternates between two values so that every tick
// changes the bar.
int OnTicks(HWND bar, int argc, wchar_t** argv)
{
    long const count = Number(argv[0]);
    wchar_t const* chargeFile = argc > 1 ? argv[1] : nullptr;
    for (long i = 0; i < count; ++i) {
        if (chargeFile != nullptr && !WriteCharge(chargeFile, 40 + static_cast<int>(i % 2))) {
            std::printf("error=cannot write %ls\n", chargeFile);
            return 1;
        }
        SendMessageTimeoutW(bar, WM_TIMER, 1, 0, SMTO_NORMAL, 5000, nullptr);
    }
    std::printf("ticks=%ld\n", count);
    return 0;
}

// paints N: N whole repaints, each waited for.
int OnPaints(HWND bar, int, wchar_t** argv)
{
    long const count = Number(argv[0]);
    for (long i = 0; i < count; ++i) {
        InvalidateRect(bar, nullptr, FALSE);
        for (int spin = 0; spin < 5000 && GetUpdateRect(bar, nullptr, FALSE); ++spin)
            SendMessageTimeoutW(bar, WM_NULL, 0, 0, SMTO_NORMAL, 1000, nullptr);
    }
    std::printf("paints=%ld\n", count);
    return 0;
}

// probe 0..4: asks tools/bench/probe.cpp's hidden window (WM_APP + 0 to 4).
int OnProbe(HWND, int, wchar_t** argv)
{
    HWND probe = FindWindowExW(HWND_MESSAGE, nullptr, L"BrisvaneProbe", nullptr);
    if (probe == nullptr)
        return Fail("no probe");
    DWORD_PTR result = 0;
    SendMessageTimeoutW(probe, WM_APP + Number(argv[0]), 0, 0, SMTO_NORMAL, 60000, &result);
    std::printf("result=%lu\n", static_cast<unsigned long>(result));
    return 0;
}

// launch PROGRAM: starts it and reports how long it took until its bar
// window was visible, measured inside this process so Wine's own start-up of
// the driver does not count.
int OnLaunch(int, wchar_t** argv)
{
    wchar_t const* program = argv[0];
    int const timeoutMs = 20000;
    wchar_t directory[MAX_PATH];
    lstrcpynW(directory, program, MAX_PATH);
    wchar_t* slash = wcsrchr(directory, L'\\');
    if (slash != nullptr)
        *slash = L'\0';
    wchar_t commandLine[MAX_PATH + 2];
    swprintf(commandLine, MAX_PATH + 2, L"\"%ls\"", program);
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Without handles of its own Wine gives the child this console's output,
    // and the pipe a script reads it from would then stay open until the
    // started program ends.
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = INVALID_HANDLE_VALUE;
    startup.hStdError = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                        slash != nullptr ? directory : nullptr, &startup, &process))
        return Fail("cannot start");
    CloseHandle(process.hThread);
    for (;; Sleep(1)) {
        HWND bar = FindBars().first;
        QueryPerformanceCounter(&now);
        long const elapsed = static_cast<long>((now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
        bool const shown = bar != nullptr && IsWindowVisible(bar);
        if (shown || elapsed > timeoutMs || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            CloseHandle(process.hProcess);
            if (!shown)
                return Fail("no visible bar");
            std::printf("startms=%ld\npid=%lu\n", elapsed, process.dwProcessId);
            return 0;
        }
    }
}

// waitexit TIMEOUT: holds the bar's process from now on (prints watching=1
// at once) and reports its exit code once it has ended.
int OnWaitExit(int, wchar_t** argv)
{
    DWORD const pid = ProcessOf(WaitForBar(5000));
    HANDLE process = pid != 0 ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid) : nullptr;
    std::printf("watching=%d\n", process != nullptr ? 1 : 0);
    std::fflush(stdout);
    if (process == nullptr)
        return 1;
    DWORD code = STILL_ACTIVE;
    bool const ended = WaitForSingleObject(process, Number(argv[0])) == WAIT_OBJECT_0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    std::printf("ended=%d\nexitcode=%lu\n", ended ? 1 : 0, static_cast<unsigned long>(code));
    return 0;
}

// cpu W: the CPU time of the process that owns the window.
int OnCpu(HWND window, int, wchar_t**)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(window));
    std::printf("cpu_ms=%.1f\n", process != nullptr ? CpuMs(process) : -1.0);
    if (process != nullptr)
        CloseHandle(process);
    return 0;
}

// track W MS: every 50 ms for MS milliseconds, how far the bar is from
// where it was against W's top-right corner when the tracking began (at
// rest on W's caption), and how far W is from where it began: "ms distance
// moved" lines, ms since the start. Prints "tracking" first, so a caller
// can start moving W at the right moment.
int OnTrack(HWND window, int, wchar_t** argv)
{
    HWND bar = WaitForBar(5000);
    if (bar == nullptr)
        return Fail("no bar window");
    auto offset = [&](POINT* at, POINT* corner) {
        RECT w, b;
        GetWindowRect(window, &w);
        GetWindowRect(bar, &b);
        at->x = b.left - w.right;
        at->y = b.top - w.top;
        corner->x = w.right;
        corner->y = w.top;
    };
    auto length = [](double dx, double dy) { return std::sqrt(dx * dx + dy * dy); };
    POINT rest, start;
    offset(&rest, &start);
    std::printf("tracking\n");
    std::fflush(stdout);
    DWORD const duration = static_cast<DWORD>(Number(argv[1]));
    DWORD const begin = GetTickCount();
    for (DWORD now = begin; now - begin <= duration; now = GetTickCount()) {
        POINT at, corner;
        offset(&at, &corner);
        std::printf("%lu %.0f %.0f\n", static_cast<unsigned long>(now - begin), length(at.x - rest.x, at.y - rest.y),
                    length(corner.x - start.x, corner.y - start.y));
        std::fflush(stdout);
        Sleep(50 - (GetTickCount() - now) % 50);
    }
    return 0;
}

// ---- Displays: monitors and DPI, the manifest ----

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param)
{
    int* index = reinterpret_cast<int*>(param);
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        std::printf("monitor%d=%ld %ld %ld %ld\nwork%d=%ld %ld %ld %ld\n", *index, info.rcMonitor.left,
                    info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom, *index, info.rcWork.left,
                    info.rcWork.top, info.rcWork.right, info.rcWork.bottom);
    ++*index;
    return TRUE;
}

// monitors: each monitor and its work area as "left top right bottom", and
// the screen's DPI.
int PrintMonitors()
{
    int count = 0;
    EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, reinterpret_cast<LPARAM>(&count));
    HDC screen = GetDC(nullptr);
    std::printf("monitors=%d\ndpi=%d\n", count, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return count > 0 ? 0 : 1;
}

// manifest FILE: the application manifest resource of an executable.
int PrintManifest(wchar_t const* file)
{
    HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module != nullptr ? FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) : nullptr;
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    char const* text = loaded != nullptr ? static_cast<char const*>(LockResource(loaded)) : nullptr;
    if (text == nullptr) {
        if (module != nullptr)
            FreeLibrary(module);
        std::printf("error=no manifest\n");
        return 1;
    }
    std::fwrite(text, 1, SizeofResource(module, found), stdout);
    std::printf("\n");
    FreeLibrary(module);
    return 0;
}

int OnMonitors(int, wchar_t**)
{
    return PrintMonitors();
}

int OnManifest(int, wchar_t** argv)
{
    return PrintManifest(argv[0]);
}

// ---- The commands ----

// A command: its name, its arguments as the usage shows them ("[X]" may be
// left out, "X..." may repeat; the argument count is checked against it),
// and its handler, given the arguments after the name.
struct Command {
    wchar_t const* name;
    char const* args;
    int (*run)(int argc, wchar_t** argv);
};

Command const kCommands[] = {
    // The bar, its record and what the program reads from the system
    {L"count", "", OnCount},
    {L"bar", "[timeout_ms]", OnBar},
    {L"record", "", OnRecord},
    {L"setrecord", "ignoredui V", OnSetRecord},
    {L"close", "", With<TheBar, OnClose>},
    {L"post", "MSG WPARAM LPARAM", With<TheBar, OnPost>},
    {L"send", "MSG WPARAM LPARAM", With<TheBar, OnSend>},
    {L"move", "X Y", With<TheBar, OnMove>},
    {L"metrics", "", OnMetrics},
    {L"power", "", OnPower},
    {L"colours", "", OnColours},
    {L"setcolours", "CAPTION TEXT", OnSetColours},
    {L"colourset", "", OnColourSet},
    {L"profile", "FILE", OnProfile},
    {L"version", "FILE", OnVersion},
    {L"holdname", "NAME", OnHoldName},
    // The program's dialogs
    {L"options", "[timeout_ms]", With<TheBar, OnOptions>},
    {L"options-gone", "[timeout_ms]", With<TheBar, OnOptionsGone>},
    {L"options-click", "ID", With<TheOptionsDialog, OnOptionsClick>},
    {L"options-select", "INDEX", With<TheOptionsDialog, OnOptionsSelect>},
    {L"options-slide", "POSITION", With<TheOptionsDialog, OnOptionsSlide>},
    {L"options-type", "TEXT", With<TheOptionsDialog, OnOptionsType>},
    {L"dialog", "[NAME] [timeout_ms]", OnDialog},
    {L"dialogset", "NAME ID TEXT", With<TheNamedDialog, OnDialogSet>},
    {L"dialogcmd", "NAME ID", With<TheNamedDialog, OnDialogCommand>},
    {L"dialogcheck", "NAME ID", With<TheNamedDialog, OnDialogCheck>},
    {L"dialogsend", "NAME MSG WPARAM LPARAM", With<TheNamedDialog, OnDialogSend>},
    {L"dialogtime", "NAME ID YYYY MM DD HH MI", With<TheNamedDialog, OnDialogTime>},
    {L"cycle", "COMMAND N", With<TheBar, OnCycle>},
    {L"cycle-confirm", "N", With<TheBar, OnCycleConfirm>},
    // The screen, the tray and other programs' windows
    {L"pixels", "", With<TheBar, OnPixels>},
    {L"tray", "[EXE]", OnTray},
    {L"traytip", "[timeout_ms]", OnTrayTip},
    {L"menu", "[timeout_ms]", OnMenu},
    {L"menukey", "[down|up|return|escape...]", OnMenuKey},
    {L"cursor", "X Y", OnCursor},
    {L"forgeticon", "", OnForgetIcon},
    {L"taskbarcreated", "", OnTaskbarCreated},
    {L"monitors", "", OnMonitors},
    {L"manifest", "FILE", OnManifest},
    {L"window", "W [timeout_ms]", OnWindow},
    {L"setpos", "W X Y CX CY", With<TheTarget, OnSetPos>},
    {L"activate", "W", With<TheTarget, OnActivate>},
    {L"show", "W minimize|hide|restore", With<TheTarget, OnShow>},
    {L"closewin", "W", With<TheTarget, OnCloseWindow>},
    {L"hang", "W MS", With<TheTarget, OnHang>},
    {L"foreground", "", OnForeground},
    {L"zorder", "", OnZOrder},
    {L"ontop", "", With<TheBar, OnOnTop>},
    // Figures for the bench and the soak
    {L"process", "", With<TheBar, OnProcess>},
    {L"ticks", "N [CHARGE_FILE]", With<TheBar, OnTicks>},
    {L"paints", "N", With<TheBar, OnPaints>},
    {L"probe", "0..4", With<TheBar, OnProbe>},
    {L"launch", "PROGRAM", OnLaunch},
    {L"waitexit", "TIMEOUT_MS", OnWaitExit},
    {L"cpu", "W", With<TheTarget, OnCpu>},
    {L"track", "W MS", With<TheTarget, OnTrack>},
};

int Usage()
{
    std::fprintf(stderr, "usage: driver COMMAND ARGS..., where COMMAND ARGS... is one of\n");
    for (Command const& command : kCommands)
        std::fprintf(stderr, "  %ls%s%s\n", command.name, *command.args != '\0' ? " " : "", command.args);
    return 2;
}

// Whether count arguments fit the usage text: a word each, "[...]" optional,
// "..." any number more.
bool Fits(char const* args, int count)
{
    int least = 0, most = 0;
    for (char const* c = args; *c != '\0'; ++c)
        if (*c != ' ' && (c == args || c[-1] == ' ')) {
            ++most;
            least += *c != '[';
        }
    return least <= count && (count <= most || std::strstr(args, "...") != nullptr);
}

// Runs argv[0] with the arguments after it.
int Run(int argc, wchar_t** argv)
{
    for (Command const& command : kCommands)
        if (argc >= 1 && wcscmp(command.name, argv[0]) == 0)
            return Fits(command.args, argc - 1) ? command.run(argc - 1, argv + 1) : Usage();
    return Usage();
}

// serve: one command a line from standard input, "ID<tab>COMMAND<tab>ARG...",
// each answered by its output and a line "@end ID CODE". A script then starts
// one Wine process instead of one a call (most of a second each on a loaded
// machine), and that process keeps its virtual desktop alive between calls.
int Serve()
{
    static char line[32768];
    static wchar_t text[32768];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        line[std::strcspn(line, "\r\n")] = '\0';
        if (MultiByteToWideChar(CP_UTF8, 0, line, -1, text, 32768) == 0)
            text[0] = L'\0';
        std::vector<wchar_t*> fields{text};
        for (wchar_t* tab = wcschr(text, L'\t'); tab != nullptr; tab = wcschr(tab + 1, L'\t')) {
            *tab = L'\0';
            fields.push_back(tab + 1);
        }
        int const code = Run(static_cast<int>(fields.size()) - 1, fields.data() + 1);
        std::fflush(stderr);
        std::printf("@end %ls %d\n", fields[0], code);
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 2 && wcscmp(argv[1], L"serve") == 0)
        return Serve();
    return Run(argc - 1, argv + 1);
}
