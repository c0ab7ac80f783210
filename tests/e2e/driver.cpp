// Observes and drives a running Brisvane.exe from another process, for the
// end-to-end tests. Prints key=value lines; exit code 0 on success.
#include <windows.h>
#include <psapi.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <initializer_list>

#include "cbt/shared_window_record.h"
#include "res/resource.h"

namespace {

struct Found {
    HWND first;
    int count;
};

BOOL CALLBACK CollectBar(HWND window, LPARAM param)
{
    wchar_t name[64];
    if (GetClassNameW(window, name, 64) && wcscmp(name, L"BRISVANE") == 0) {
        Found* found = reinterpret_cast<Found*>(param);
        if (found->count++ == 0)
            found->first = window;
    }
    return TRUE;
}

Found FindBars()
{
    Found found{nullptr, 0};
    EnumWindows(CollectBar, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Waits up to timeoutMs for the bar window to exist.
HWND WaitForBar(int timeoutMs)
{
    for (int waited = 0;; waited += 100) {
        Found found = FindBars();
        if (found.first != nullptr || waited >= timeoutMs)
            return found.first;
        Sleep(100);
    }
}

long Number(wchar_t const* text)
{
    return static_cast<long>(wcstoll(text, nullptr, 0));
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

int PrintBar(HWND bar)
{
    Found found = FindBars();
    wchar_t title[128] = L"";
    GetWindowTextW(bar, title, 128);
    RECT rect;
    GetWindowRect(bar, &rect);
    std::printf("hwnd=%lu\ncount=%d\ntitle=%ls\nexstyle=0x%08lX\nstyle=0x%08lX\nvisible=%d\n"
                "x=%ld\ny=%ld\nwidth=%ld\nheight=%ld\n",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(bar)), found.count, title,
                static_cast<unsigned long>(GetWindowLongW(bar, GWL_EXSTYLE)),
                static_cast<unsigned long>(GetWindowLongW(bar, GWL_STYLE)), IsWindowVisible(bar) ? 1 : 0,
                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    PrintLayered(bar);
    return 0;
}

int PrintRecord()
{
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, SHARED_WINDOW_RECORD_NAME);
    if (mapping == nullptr) {
        std::printf("error=no section\n");
        return 1;
    }
    SharedWindowRecord const* record = static_cast<SharedWindowRecord const*>(
        MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(SharedWindowRecord)));
    if (record == nullptr) {
        std::printf("error=no view\n");
        return 1;
    }
    std::printf("bar=%lu\nbarwidth=%ld\nbarheight=%ld\ncaption=%ld\nignoredui=%ld\n",
                static_cast<unsigned long>(record->barWindow), static_cast<long>(record->barWidth),
                static_cast<long>(record->barHeight), static_cast<long>(record->captionHeight),
                static_cast<long>(record->ignoreDUI));
    UnmapViewOfFile(record);
    CloseHandle(mapping);
    return 0;
}

// ---- The Options dialog of the running bar ----

struct FoundDialogs {
    HWND bar;
    HWND first;
    int count;
};

BOOL CALLBACK CollectOptionsDialog(HWND window, LPARAM param)
{
    FoundDialogs* found = reinterpret_cast<FoundDialogs*>(param);
    wchar_t name[64];
    wchar_t title[64];
    if (GetWindow(window, GW_OWNER) == found->bar && GetClassNameW(window, name, 64) && wcscmp(name, L"#32770") == 0 &&
        GetWindowTextW(window, title, 64) && wcscmp(title, L"\x9009\x9879") == 0) {  // the dialog's caption
        if (found->count++ == 0)
            found->first = window;
    }
    return TRUE;
}

FoundDialogs FindOptionsDialogs(HWND bar)
{
    FoundDialogs found{bar, nullptr, 0};
    EnumWindows(CollectOptionsDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Waits up to timeoutMs for the dialog to be open (or, gone = true, closed).
FoundDialogs WaitForOptionsDialog(HWND bar, int timeoutMs, bool gone)
{
    for (int waited = 0;; waited += 100) {
        FoundDialogs found = FindOptionsDialogs(bar);
        if ((found.first == nullptr) == gone || waited >= timeoutMs)
            return found;
        Sleep(100);
    }
}

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

int PrintOptionsDialog(FoundDialogs const& found)
{
    HWND dialog = found.first;
    RECT rect;
    GetWindowRect(dialog, &rect);
    auto item = [dialog](int id) { return GetDlgItem(dialog, id); };
    wchar_t edit[32] = L"";
    // WM_GETTEXT: GetWindowTextW does not ask another process's controls.
    SendTo(item(IDC_OPTIONS_ALPHA_EDIT), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(edit));
    std::printf("dialogs=%d\nx=%ld\ny=%ld\nwidth=%ld\nheight=%ld\ntopmost=%d\nforeground=%d\n"
                "interval=%ld\nalpha=%ld\nedit=%ls\nadhere=%ld\nignoredui=%ld\nignoredui_enabled=%d\nautorun=%ld\n",
                found.count, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0, GetForegroundWindow() == dialog ? 1 : 0,
                static_cast<long>(SendTo(item(IDC_OPTIONS_INTERVAL), CB_GETCURSEL, 0, 0)),
                static_cast<long>(SendTo(item(IDC_OPTIONS_ALPHA), TBM_GETPOS, 0, 0)), edit,
                static_cast<long>(SendTo(item(IDC_OPTIONS_ADHERE), BM_GETCHECK, 0, 0)),
                static_cast<long>(SendTo(item(IDC_OPTIONS_IGNOREDUI), BM_GETCHECK, 0, 0)),
                IsWindowEnabled(item(IDC_OPTIONS_IGNOREDUI)) ? 1 : 0,
                static_cast<long>(SendTo(item(IDC_OPTIONS_AUTORUN), BM_GETCHECK, 0, 0)));
    return 0;
}

// options [timeout] | options-gone [timeout] | options-click ID | options-select INDEX |
// options-slide POSITION | options-type TEXT: what a user does, as the controls' messages.
int OptionsCommand(HWND bar, int argc, wchar_t** argv)
{
    wchar_t const* command = argv[1];
    int const timeout = argc > 2 ? static_cast<int>(Number(argv[2])) : 5000;
    if (wcscmp(command, L"options-gone") == 0) {
        FoundDialogs const found = WaitForOptionsDialog(bar, timeout, true);
        std::printf("dialogs=%d\n", found.count);
        return found.count == 0 ? 0 : 1;
    }
    FoundDialogs const found = WaitForOptionsDialog(bar, wcscmp(command, L"options") == 0 ? timeout : 5000, false);
    if (found.first == nullptr) {
        std::printf("error=no options dialog\n");
        return 1;
    }
    HWND dialog = found.first;
    if (wcscmp(command, L"options") == 0)
        return PrintOptionsDialog(found);
    if (argc != 3)
        return 2;
    if (wcscmp(command, L"options-click") == 0) {
        // BM_CLICK presses the button as the mouse would: check boxes toggle, then notify.
        SendTo(GetDlgItem(dialog, static_cast<int>(Number(argv[2]))), BM_CLICK, 0, 0);
        return 0;
    }
    if (wcscmp(command, L"options-select") == 0) {
        HWND box = GetDlgItem(dialog, IDC_OPTIONS_INTERVAL);
        SendTo(box, CB_SETCURSEL, static_cast<WPARAM>(Number(argv[2])), 0);
        SendTo(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_INTERVAL, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        return 0;
    }
    if (wcscmp(command, L"options-slide") == 0) {
        // A thumb drag: the trackbar moves and tells the dialog where it ended.
        HWND trackbar = GetDlgItem(dialog, IDC_OPTIONS_ALPHA);
        WORD const position = static_cast<WORD>(Number(argv[2]));
        SendTo(trackbar, TBM_SETPOS, TRUE, position);
        SendTo(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(trackbar));
        SendTo(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(trackbar));
        SendTo(dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(trackbar));
        return 0;
    }
    if (wcscmp(command, L"options-type") == 0) {
        HWND edit = GetDlgItem(dialog, IDC_OPTIONS_ALPHA_EDIT);
        SendTo(edit, EM_SETSEL, 0, -1);
        for (wchar_t const* c = argv[2]; *c != L'\0'; ++c)
            SendTo(edit, WM_CHAR, *c, 1);
        return 0;
    }
    return 2;
}

// --- Power, pixels, process figures and bulk driving (tests, bench, soak) ---

int PrintPower()
{
    SYSTEM_POWER_STATUS status;
    ZeroMemory(&status, sizeof status);
    BOOL const ok = GetSystemPowerStatus(&status);
    std::printf("ok=%d\nac=%u\nflag=%u\npercent=%u\n", ok ? 1 : 0, status.ACLineStatus, status.BatteryFlag,
                status.BatteryLifePercent);
    return 0;
}

// A 32-bit bitmap header whose first row is the top one, as screens read.
BITMAPINFO TopDownBitmapInfo(int width, int height)
{
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The pixels of a screen rectangle, 32 bits each, top row first.
struct Pixels {
    int width, height;
    DWORD* bits;
};

bool GrabScreen(RECT const& rect, Pixels& out)
{
    out.width = rect.right - rect.left;
    out.height = rect.bottom - rect.top;
    out.bits = nullptr;
    if (out.width <= 0 || out.height <= 0 || out.width > 4096 || out.height > 4096)
        return false;
    out.bits = static_cast<DWORD*>(HeapAlloc(GetProcessHeap(), 0, sizeof(DWORD) * out.width * out.height));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, out.width, out.height);
    HGDIOBJ const old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, out.width, out.height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info = TopDownBitmapInfo(out.width, out.height);
    bool const ok = GetDIBits(memory, bitmap, 0, out.height, out.bits, &info, DIB_RGB_COLORS) == out.height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

// What the screen shows where the bar is: a hash of its pixels and how many
// of them are not black (keyed-out pixels show the black root window).
int PrintPixels(HWND bar)
{
    RECT rect;
    GetWindowRect(bar, &rect);
    Pixels shown;
    if (!GrabScreen(rect, shown)) {
        if (shown.bits != nullptr)
            HeapFree(GetProcessHeap(), 0, shown.bits);
        std::printf("error=cannot read the bar's pixels\n");
        return 1;
    }
    unsigned long hash = 2166136261ul;
    long inked = 0;
    for (long i = 0; i < static_cast<long>(shown.width) * shown.height; ++i) {
        DWORD const colour = shown.bits[i] & 0xFFFFFFu;
        if (colour != 0)
            ++inked;
        for (int b = 0; b < 3; ++b)
            hash = (hash ^ ((colour >> (8 * b)) & 0xFF)) * 16777619ul;
    }
    HeapFree(GetProcessHeap(), 0, shown.bits);
    std::printf("hash=%08lx\ninked=%ld\n", hash, inked);
    return 0;
}

// The system colours the bar paints with, as RRGGBB.
int PrintCaptionColours()
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

// Sets the active caption and caption text colours (RRGGBB) for the session,
// so that a screenshot can tell every colour role of the bar apart.
int SetCaptionColours(wchar_t const* caption, wchar_t const* captionText)
{
    int const indexes[2] = {COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT};
    COLORREF colours[2];
    wchar_t const* texts[2] = {caption, captionText};
    for (int i = 0; i < 2; ++i) {
        unsigned long const rgb = wcstoul(texts[i], nullptr, 16);
        colours[i] = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    BOOL const ok = SetSysColors(2, indexes, colours);
    std::printf("ok=%d\n", ok ? 1 : 0);
    return ok ? 0 : 1;
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

struct ProcessWindows {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountChildWindow(HWND, LPARAM param)
{
    ++reinterpret_cast<ProcessWindows*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountProcessWindow(HWND window, LPARAM param)
{
    ProcessWindows* windows = reinterpret_cast<ProcessWindows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == windows->pid) {
        ++windows->count;
        EnumChildWindows(window, CountChildWindow, param);  // all descendants
    }
    return TRUE;
}

// Windows of a process: top-level ones with all their descendants, and
// message-only ones, which EnumWindows does not list.
long CountWindowsOf(DWORD pid)
{
    ProcessWindows windows{pid, 0};
    EnumWindows(CountProcessWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w != nullptr;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid)
            ++windows.count;
    }
    return windows.count;
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

// Memory, CPU time and handles of the process that owns the bar.
int PrintProcess(HWND bar)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) {
        std::printf("error=cannot open process\n");
        return 1;
    }
    PROCESS_MEMORY_COUNTERS_EX memory;
    ZeroMemory(&memory, sizeof memory);
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    ULARGE_INTEGER k{{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u{{user.dwLowDateTime, user.dwHighDateTime}};
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    std::printf("pid=%lu\nworkingset=%lu\npeakworkingset=%lu\nprivate=%lu\ncommitted=%lu\ncpums=%lu\n"
                "handles=%lu\nkernelhandles=%ld\ngdi=%lu\nuser=%lu\nwindows=%ld\n",
                pid, static_cast<unsigned long>(memory.WorkingSetSize),
                static_cast<unsigned long>(memory.PeakWorkingSetSize),
                static_cast<unsigned long>(memory.PrivateUsage), CommittedPrivateBytes(process),
                static_cast<unsigned long>((k.QuadPart + u.QuadPart) / 10000ull), handles, CountKernelHandles(pid),
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

// N refresh ticks, sent one after the other; with a charge file the charge
// alternates between two values so that every tick changes the bar.
int SendTicks(HWND bar, long count, wchar_t const* chargeFile)
{
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

// N whole repaints, each waited for.
int ForcePaints(HWND bar, long count)
{
    for (long i = 0; i < count; ++i) {
        InvalidateRect(bar, nullptr, FALSE);
        for (int spin = 0; spin < 5000 && GetUpdateRect(bar, nullptr, FALSE); ++spin)
            SendMessageTimeoutW(bar, WM_NULL, 0, 0, SMTO_NORMAL, 1000, nullptr);
    }
    std::printf("paints=%ld\n", count);
    return 0;
}

struct ThreadDialog {
    HWND dialog;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    wchar_t name[16];
    if (IsWindowVisible(window) && GetClassNameW(window, name, 16) && wcscmp(name, L"#32770") == 0) {
        reinterpret_cast<ThreadDialog*>(param)->dialog = window;
        return FALSE;
    }
    return TRUE;
}

// The visible dialog of the bar's thread, waiting up to timeoutMs.
HWND WaitForDialog(HWND bar, int timeoutMs)
{
    DWORD const thread = GetWindowThreadProcessId(bar, nullptr);
    for (int waited = 0;; waited += 10) {
        ThreadDialog found{nullptr};
        EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&found));
        if (found.dialog != nullptr || waited >= timeoutMs)
            return found.dialog;
        Sleep(10);
    }
}

// Opens a dialog by its menu command and cancels it, N times.
int CycleDialog(HWND bar, WPARAM command, long count)
{
    for (long i = 0; i < count; ++i) {
        PostMessageW(bar, WM_COMMAND, command, 0);
        HWND dialog = WaitForDialog(bar, i == 0 ? 5000 : 2000);
        if (dialog == nullptr) {
            std::printf("error=no dialog\nopened=%ld\n", i);
            return 3;
        }
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        for (int waited = 0; IsWindow(dialog) && waited < 5000; waited += 5)
            Sleep(5);
        if (IsWindow(dialog)) {
            std::printf("error=dialog stays open\nopened=%ld\n", i + 1);
            return 1;
        }
    }
    std::printf("opened=%ld\n", count);
    return 0;
}

// A visible top-level dialog with this caption, or (open = false) none;
// polls often, the bench opens hundreds.
HWND WaitForCaption(wchar_t const* caption, bool open, int timeoutMs)
{
    for (int waited = 0;; waited += 5) {
        HWND dialog = FindWindowW(L"#32770", caption);
        bool const shown = dialog != nullptr && IsWindowVisible(dialog);
        if (shown == open || waited >= timeoutMs)
            return shown ? dialog : nullptr;
        Sleep(5);
    }
}

// N auto-shutdowns of one minute, each run to its confirmation by a posted
// minute tick and declined there: the Auto-shutdown dialog and the
// confirmation open N times each.
int CycleConfirmation(HWND bar, long count)
{
    wchar_t const* const shutdownCaption = L"\x81EA\x52A8\x5173\x673A";  // Auto-shutdown
    wchar_t const* const confirmCaption = L"\x5173\x673A\x786E\x8BA4";   // its confirmation
    for (long i = 0; i < count; ++i) {
        PostMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
        HWND dialog = WaitForCaption(shutdownCaption, true, 5000);
        if (dialog == nullptr) {
            std::printf("error=no auto-shutdown dialog\nopened=%ld\n", i);
            return 3;
        }
        SetDlgItemTextW(dialog, IDC_SHUTDOWN_HOURS, L"0");
        SetDlgItemTextW(dialog, IDC_SHUTDOWN_MINUTES, L"1");
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        if (WaitForCaption(shutdownCaption, false, 5000) != nullptr) {
            std::printf("error=auto-shutdown dialog stays open\nopened=%ld\n", i);
            return 1;
        }
        PostMessageW(bar, WM_TIMER, 2 /* the countdown's minute */, 0);
        HWND confirm = WaitForCaption(confirmCaption, true, 5000);
        if (confirm == nullptr) {
            std::printf("error=no confirmation\nopened=%ld\n", i);
            return 3;
        }
        PostMessageW(confirm, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(confirm, IDCANCEL)));
        if (WaitForCaption(confirmCaption, false, 5000) != nullptr) {
            std::printf("error=confirmation stays open\nopened=%ld\n", i + 1);
            return 1;
        }
    }
    std::printf("opened=%ld\n", count);
    return 0;
}

// The dialog the bar shows now: its title and the texts of its controls.
int PrintDialog(HWND bar, int timeoutMs)
{
    HWND dialog = WaitForDialog(bar, timeoutMs);
    if (dialog == nullptr) {
        std::printf("dialog=0\n");
        return 1;
    }
    wchar_t title[128] = L"";
    GetWindowTextW(dialog, title, 128);
    RECT rect;
    GetWindowRect(dialog, &rect);
    std::printf("dialog=%lu\ntitle=%ls\nx=%ld\ny=%ld\nwidth=%ld\nheight=%ld\n",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(dialog)), title, rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

// Version resource of a file: product name and version.
int PrintVersion(wchar_t const* file)
{
    DWORD ignored = 0;
    DWORD const size = GetFileVersionInfoSizeW(file, &ignored);
    if (size == 0) {
        std::printf("error=no version resource\n");
        return 1;
    }
    void* data = HeapAlloc(GetProcessHeap(), 0, size);
    if (data == nullptr || !GetFileVersionInfoW(file, 0, size, data)) {
        std::printf("error=unreadable version resource\n");
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data, L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr)
        std::printf("fileversion=%u.%u.%u.%u\nproductversionnumber=%u.%u.%u.%u\n",
                    HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                    HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
                    HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                    HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    struct {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    if (VerQueryValueW(data, L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
        length >= 4) {
        std::printf("translation=%04x%04x\n", translation->language, translation->codePage);
        for (wchar_t const* name : {L"ProductName", L"ProductVersion", L"CompanyName", L"LegalCopyright"}) {
            wchar_t path[96];
            swprintf(path, 96, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language, translation->codePage,
                     name);
            wchar_t* text = nullptr;
            if (VerQueryValueW(data, path, reinterpret_cast<void**>(&text), &length) && text != nullptr)
                std::printf("%ls=%ls\n", name, text);
        }
    }
    HeapFree(GetProcessHeap(), 0, data);
    return 0;
}

// Starts a program and reports how long it took until its bar window was
// visible, measured inside this process so Wine's own start-up of the
// driver does not count.
int LaunchAndTime(wchar_t const* program, int timeoutMs)
{
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
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
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
                        slash != nullptr ? directory : nullptr, &startup, &process)) {
        std::printf("error=cannot start\n");
        return 1;
    }
    CloseHandle(process.hThread);
    for (;;) {
        HWND bar = FindBars().first;
        QueryPerformanceCounter(&now);
        long const elapsed = static_cast<long>((now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
        if (bar != nullptr && IsWindowVisible(bar)) {
            std::printf("startms=%ld\npid=%lu\n", elapsed, process.dwProcessId);
            CloseHandle(process.hProcess);
            return 0;
        }
        if (elapsed > timeoutMs || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            std::printf("error=no visible bar\n");
            CloseHandle(process.hProcess);
            return 1;
        }
        Sleep(1);
    }
}

// Subcommands added for power events, the bench and the soak; -1: not one of them.
int RunFigureCommand(int argc, wchar_t** argv, HWND bar)
{
    wchar_t const* command = argv[1];
    if (wcscmp(command, L"pixels") == 0)
        return PrintPixels(bar);
    if (wcscmp(command, L"process") == 0)
        return PrintProcess(bar);
    if (wcscmp(command, L"ticks") == 0 && argc >= 3)
        return SendTicks(bar, Number(argv[2]), argc >= 4 ? argv[3] : nullptr);
    if (wcscmp(command, L"paints") == 0 && argc == 3)
        return ForcePaints(bar, Number(argv[2]));
    if (wcscmp(command, L"cycle") == 0 && argc == 4)
        return CycleDialog(bar, static_cast<WPARAM>(Number(argv[2])), Number(argv[3]));
    if (wcscmp(command, L"cycle-confirm") == 0 && argc == 3)
        return CycleConfirmation(bar, Number(argv[2]));
    if (wcscmp(command, L"dialog") == 0)
        return PrintDialog(bar, argc >= 3 ? static_cast<int>(Number(argv[2])) : 3000);
    if (wcscmp(command, L"probe") == 0 && argc == 3) {
        // tools/bench/probe.cpp's hidden window: WM_APP + 0 to 4.
        HWND probe = FindWindowExW(HWND_MESSAGE, nullptr, L"BrisvaneProbe", nullptr);
        if (probe == nullptr) {
            std::printf("error=no probe\n");
            return 1;
        }
        DWORD_PTR result = 0;
        SendMessageTimeoutW(probe, WM_APP + static_cast<UINT>(Number(argv[2])), 0, 0, SMTO_NORMAL, 60000, &result);
        std::printf("result=%lu\n", static_cast<unsigned long>(result));
        return 0;
    }
    return -1;
}

// The program's dialogs by short names, so no Chinese passes the command line.
wchar_t const* DialogCaption(wchar_t const* name)
{
    if (wcscmp(name, L"shutdown") == 0)
        return L"自动关机";
    if (wcscmp(name, L"confirm") == 0)
        return L"关机确认";
    if (wcscmp(name, L"cancelask") == 0)
        return L"取消自动关机";
    if (wcscmp(name, L"about") == 0)
        return L"关于";
    return name;
}

// key=text with the text in UTF-8, whatever the console's code page.
void PrintUtf8(char const* key, wchar_t const* text)
{
    char bytes[512];
    int const length = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    std::printf("%s=%s\n", key, length > 0 ? bytes : "");
}

// A dialog of the program, found by its caption; waits up to timeoutMs.
HWND WaitForNamedDialog(wchar_t const* name, int timeoutMs)
{
    wchar_t const* caption = DialogCaption(name);
    for (int waited = 0;; waited += 100) {
        HWND dialog = FindWindowW(L"#32770", caption);
        if ((dialog != nullptr && IsWindowVisible(dialog)) || waited >= timeoutMs)
            return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
        Sleep(100);
    }
}

// dialog NAME [timeout]: whether it is open and its buttons' texts.
// dialogset NAME ID TEXT: types into a control. dialogcmd NAME ID: a
// WM_COMMAND as a click sends it. dialogcheck NAME ID: clicks a radio button.
// NAME: shutdown, confirm, cancelask (the question box) or a caption.
int DialogCommand(int argc, wchar_t** argv)
{
    wchar_t const* command = argv[1];
    if (argc < 3)
        return 2;
    int const timeout = wcscmp(command, L"dialog") == 0 && argc > 3 ? static_cast<int>(Number(argv[3])) : 5000;
    HWND dialog = WaitForNamedDialog(argv[2], timeout);
    if (wcscmp(command, L"dialog") == 0) {
        std::printf("open=%d\n", dialog != nullptr ? 1 : 0);
        if (dialog == nullptr)
            return 0;
        wchar_t text[128] = L"";
        GetDlgItemTextW(dialog, IDOK, text, 128);
        PrintUtf8("ok", text);
        text[0] = L'\0';
        GetDlgItemTextW(dialog, IDCANCEL, text, 128);
        PrintUtf8("cancel", text);
        RECT rect;
        GetWindowRect(dialog, &rect);
        std::printf("x=%ld\ny=%ld\nwidth=%ld\nheight=%ld\n", rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top);
        std::printf("topmost=%d\n", (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
        return 0;
    }
    if (dialog == nullptr) {
        std::printf("error=no dialog\n");
        return 1;
    }
    if (argc < 4)
        return 2;
    int const id = static_cast<int>(Number(argv[3]));
    if (wcscmp(command, L"dialogset") == 0 && argc == 5)
        return SetDlgItemTextW(dialog, id, argv[4]) ? 0 : 1;
    if (wcscmp(command, L"dialogcheck") == 0) {
        HWND button = GetDlgItem(dialog, id);
        return SendMessageW(button, BM_CLICK, 0, 0), 0;
    }
    if (wcscmp(command, L"dialogcmd") == 0)
        return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)))
                   ? 0
                   : 1;
    return 2;
}

// dialogsend NAME MSG WPARAM LPARAM: a message sent to a dialog found by its
// short name (the screenshots use it to have a caption drawn as active).
int SendToNamedDialog(wchar_t** argv)
{
    HWND dialog = WaitForNamedDialog(argv[2], 5000);
    if (dialog == nullptr) {
        std::printf("error=no dialog\n");
        return 1;
    }
    LRESULT const result = SendTo(dialog, static_cast<UINT>(Number(argv[3])), static_cast<WPARAM>(Number(argv[4])),
                                  static_cast<LPARAM>(Number(argv[5])));
    std::printf("result=%ld\n", static_cast<long>(result));
    return 0;
}


// profile FILE: what GetPrivateProfileIntW reads for each key of the settings
// file, "missing" where it falls back to the default (FILE is a Windows path).
int PrintProfile(wchar_t const* file)
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
        INT const value = static_cast<INT>(GetPrivateProfileIntW(key.section, key.name, missing, file));
        if (value == missing)
            std::printf("%ls=missing\n", key.name);
        else
            std::printf("%ls=%d\n", key.name, value);
    }
    return 0;
}

// ---- The notification area of Wine's explorer, the tray menu, tooltips ----

HWND TrayWindow()
{
    return FindWindowW(L"Shell_TrayWnd", nullptr);
}

// An icon of the program's file as the tray draws it: loaded at the size the
// program loads it, drawn shrunk into a slot filled with the background.
bool RenderIcon(wchar_t const* file, int id, DWORD background, int slot, int border, Pixels& out)
{
    out.width = out.height = slot;
    out.bits = nullptr;
    HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return false;
    HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    FreeLibrary(module);
    if (icon == nullptr)
        return false;
    BITMAPINFO info = TopDownBitmapInfo(slot, slot);
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ const old = SelectObject(memory, dib);
    for (int i = 0; i < slot * slot; ++i)
        static_cast<DWORD*>(bits)[i] = background;
    DrawIconEx(memory, border, border, icon, slot - 2 * border, slot - 2 * border, 0, nullptr, DI_NORMAL);
    GdiFlush();
    out.bits = static_cast<DWORD*>(HeapAlloc(GetProcessHeap(), 0, sizeof(DWORD) * slot * slot));
    CopyMemory(out.bits, bits, sizeof(DWORD) * slot * slot);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DestroyIcon(icon);
    return true;
}

// Sum over the pixels of the largest channel difference.
long Distance(Pixels const& a, Pixels const& b)
{
    long sum = 0;
    for (int i = 0; i < a.width * a.height; ++i)
        for (int shift = 0; shift < 24; shift += 8) {
            int const d = static_cast<int>((a.bits[i] >> shift) & 0xFF) - static_cast<int>((b.bits[i] >> shift) & 0xFF);
            sum += d < 0 ? -d : d;
        }
    return sum;
}

// tray [EXE]: the taskbar's notification area and what its rightmost icon
// slot shows; with the program's file, which of its two icons that is
// (icon=normal, shutdown or none) by the nearer picture.
int PrintTray(wchar_t const* exe)
{
    HWND tray = TrayWindow();
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
    RECT icon;
    icon.right = rect.right;
    icon.left = icon.right - slot;
    icon.top = rect.top + (rect.bottom - rect.top - slot) / 2;
    icon.bottom = icon.top + slot;
    Pixels shown;
    if (!GrabScreen(icon, shown)) {
        std::printf("error=cannot read the screen\n");
        return 1;
    }
    DWORD const background = shown.bits[0] & 0xFFFFFFu;
    long inked = 0;
    for (int i = 0; i < shown.width * shown.height; ++i)
        if ((shown.bits[i] & 0xFFFFFFu) != background)
            ++inked;
    std::printf("tray=%lu\nx=%ld\ny=%ld\nwidth=%ld\nheight=%ld\niconx=%ld\nicony=%ld\nslot=%d\ninked=%ld\n",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(tray)), rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top, icon.left + slot / 2, icon.top + slot / 2, slot, inked);
    if (exe != nullptr) {
        Pixels normal, shutdown;
        if (!RenderIcon(exe, IDI_BRISVANE, background, slot, border, normal) ||
            !RenderIcon(exe, IDI_SHUTDOWN, background, slot, border, shutdown)) {
            std::printf("error=cannot load the icons of %ls\n", exe);
            return 1;
        }
        long const toNormal = Distance(shown, normal), toShutdown = Distance(shown, shutdown);
        std::printf("normaldistance=%ld\nshutdowndistance=%ld\nicon=%s\n", toNormal, toShutdown,
                    inked == 0 ? "none" : toNormal < toShutdown ? "normal" : "shutdown");
        HeapFree(GetProcessHeap(), 0, normal.bits);
        HeapFree(GetProcessHeap(), 0, shutdown.bits);
    }
    HeapFree(GetProcessHeap(), 0, shown.bits);
    return 0;
}

struct FoundTips {
    int count;
    int visible;
    HWND shown;
};

BOOL CALLBACK CollectTooltip(HWND window, LPARAM param)
{
    wchar_t name[32];
    if (GetClassNameW(window, name, 32) && wcscmp(name, L"tooltips_class32") == 0) {
        FoundTips* found = reinterpret_cast<FoundTips*>(param);
        ++found->count;
        if (IsWindowVisible(window)) {
            ++found->visible;
            found->shown = window;
        }
    }
    return TRUE;
}

// traytip [timeout]: the tooltip on screen (waiting for one to show) and its
// text, which a tooltip gives for WM_GETTEXT while it shows.
int PrintTrayTip(int timeoutMs)
{
    FoundTips found{0, 0, nullptr};
    for (int waited = 0;; waited += 100) {
        found = FoundTips{0, 0, nullptr};
        EnumWindows(CollectTooltip, reinterpret_cast<LPARAM>(&found));
        if (found.shown != nullptr || waited >= timeoutMs)
            break;
        Sleep(100);
    }
    std::printf("tooltips=%d\nvisible=%d\n", found.count, found.visible);
    if (found.shown == nullptr)
        return 0;
    wchar_t text[128] = L"";
    SendTo(found.shown, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
    PrintUtf8("tip", text);
    return 0;
}

HWND WaitForPopupMenu(int timeoutMs)
{
    for (int waited = 0;; waited += 100) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if ((menu != nullptr && IsWindowVisible(menu)) || waited >= timeoutMs)
            return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
        Sleep(100);
    }
}

// menu [timeout]: the popup menu on screen, its place and its items.
int PrintPopupMenu(int timeoutMs)
{
    HWND window = WaitForPopupMenu(timeoutMs);
    std::printf("open=%d\n", window != nullptr ? 1 : 0);
    if (window == nullptr)
        return 0;
    RECT rect;
    GetWindowRect(window, &rect);
    POINT cursor;
    GetCursorPos(&cursor);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    DWORD barOwner = 0;
    GetWindowThreadProcessId(FindBars().first, &barOwner);
    std::printf("x=%ld\ny=%ld\nwidth=%ld\nheight=%ld\ncursorx=%ld\ncursory=%ld\nbarprocess=%d\n", rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top, cursor.x, cursor.y, owner == barOwner ? 1 : 0);
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
int MenuKeys(int argc, wchar_t** argv)
{
    HWND window = WaitForPopupMenu(5000);
    if (window == nullptr) {
        std::printf("error=no menu\n");
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        UINT const key = wcscmp(argv[i], L"down") == 0 ? VK_DOWN
                         : wcscmp(argv[i], L"up") == 0 ? VK_UP
                         : wcscmp(argv[i], L"return") == 0 ? VK_RETURN
                                                           : VK_ESCAPE;
        PostMessageW(window, WM_KEYDOWN, key, 1);
        PostMessageW(window, WM_KEYUP, key, 0xC0000001);
        Sleep(200);
    }
    return 0;
}

// waitexit TIMEOUT: holds the bar's process from now on (prints watching=1
// at once) and reports its exit code once it has ended.
int WaitForBarExit(DWORD timeoutMs)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(WaitForBar(5000), &pid);
    HANDLE process = pid != 0 ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid) : nullptr;
    std::printf("watching=%d\n", process != nullptr ? 1 : 0);
    std::fflush(stdout);
    if (process == nullptr)
        return 1;
    DWORD code = STILL_ACTIVE;
    bool const ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    std::printf("ended=%d\nexitcode=%lu\n", ended ? 1 : 0, static_cast<unsigned long>(code));
    return 0;
}

// Returns -1 when command is none of these.
int TrayCommand(int argc, wchar_t** argv)
{
    wchar_t const* command = argv[1];
    if (wcscmp(command, L"tray") == 0)
        return PrintTray(argc > 2 ? argv[2] : nullptr);
    if (wcscmp(command, L"traytip") == 0)
        return PrintTrayTip(argc > 2 ? static_cast<int>(Number(argv[2])) : 0);
    if (wcscmp(command, L"menu") == 0)
        return PrintPopupMenu(argc > 2 ? static_cast<int>(Number(argv[2])) : 5000);
    if (wcscmp(command, L"menukey") == 0)
        return MenuKeys(argc, argv);
    if (wcscmp(command, L"cursor") == 0 && argc == 4)
        return SetCursorPos(static_cast<int>(Number(argv[2])), static_cast<int>(Number(argv[3]))) ? 0 : 1;
    if (wcscmp(command, L"waitexit") == 0 && argc == 3)
        return WaitForBarExit(static_cast<DWORD>(Number(argv[2])));
    if (wcscmp(command, L"forgeticon") == 0) {
        // The icon gone from the shell's side, as after a crash of the shell.
        NOTIFYICONDATAW data;
        ZeroMemory(&data, sizeof data);
        data.cbSize = NOTIFYICONDATAW_V3_SIZE;
        data.hWnd = FindBars().first;
        data.uID = 1;
        return data.hWnd != nullptr && Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
    }
    if (wcscmp(command, L"taskbarcreated") == 0) {
        // What the shell broadcasts when its taskbar comes up.
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                                   SMTO_ABORTIFHUNG, 5000, &ignored)
                   ? 0
                   : 1;
    }
    return -1;
}


int Usage()
{
    std::fprintf(stderr,
                 "usage: driver metrics | count | bar [timeout_ms] | record | close |\n"
                 "              post MSG WPARAM LPARAM | send MSG WPARAM LPARAM | move X Y |\n"
                 "              window W [timeout_ms] | setpos W X Y CX CY | activate W | show W minimize|hide|restore |\n"
                 "              closewin W | cpu W | drag W SECONDS | hookcost N | setrecord ignoredui V | hostpost MSG |\n"
                 "              options [timeout_ms] | options-gone [timeout_ms] | options-click ID |\n"
                 "              options-select INDEX | options-slide POSITION | options-type TEXT |\n"
                 "              power | colours | setcolours CAPTION TEXT | version FILE | launch PROGRAM | pixels |\n"
                 "              process | ticks N [CHARGE_FILE] | paints N | cycle COMMAND N | cycle-confirm N |\n"
                 "              dialog [timeout_ms] | probe 0..4 |\n"
                 "              dialog NAME [timeout_ms] | dialogset NAME ID TEXT |\n"
                 "              dialogcmd NAME ID | dialogcheck NAME ID | dialogsend NAME MSG WPARAM LPARAM |\n"
                 "              profile FILE | tray [EXE] | traytip [timeout_ms] | menu [timeout_ms] |\n"
                 "              menukey down|up|return|escape... | cursor X Y | waitexit TIMEOUT_MS | forgeticon |\n"
                 "              taskbarcreated\n");
    return 2;
}

// Subcommands of the caption-riding tests. A window is named by its title or
// by "class:NAME".
HWND FindTarget(wchar_t const* name, int timeoutMs)
{
    for (int waited = 0;; waited += 100) {
        HWND found = wcsncmp(name, L"class:", 6) == 0 ? FindWindowW(name + 6, nullptr) : FindWindowW(nullptr, name);
        if (found != nullptr || waited >= timeoutMs)
            return found;
        Sleep(100);
    }
}

int PrintTarget(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    TITLEBARINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    GetTitleBarInfo(window, &info);
    wchar_t title[128] = L"";
    GetWindowTextW(window, title, 128);
    std::printf("hwnd=%lu\ntitle=%ls\nx=%ld\ny=%ld\nwidth=%ld\nheight=%ld\ncaptionleft=%ld\ncaptiontop=%ld\n"
                "captionright=%ld\ncaptionbottom=%ld\ncxsize=%d\nforeground=%d\niconic=%d\nvisible=%d\n",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)), title, rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top, info.rcTitleBar.left, info.rcTitleBar.top,
                info.rcTitleBar.right, info.rcTitleBar.bottom, GetSystemMetrics(SM_CXSIZE),
                GetForegroundWindow() == window ? 1 : 0, IsIconic(window) ? 1 : 0, IsWindowVisible(window) ? 1 : 0);
    return 0;
}

double ProcessCpuMs(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (process == nullptr)
        return -1;
    FILETIME created, exited, kernel, user;
    double ms = -1;
    if (GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        ULARGE_INTEGER k{{kernel.dwLowDateTime, kernel.dwHighDateTime}};
        ULARGE_INTEGER u{{user.dwLowDateTime, user.dwHighDateTime}};
        ms = static_cast<double>(k.QuadPart + u.QuadPart) / 10000.0;
    }
    CloseHandle(process);
    return ms;
}

// Moves the window to and fro by 3 pixels a step, as a drag would, for seconds.
int DragWindow(HWND window, int seconds)
{
    RECT start;
    GetWindowRect(window, &start);
    DWORD const begin = GetTickCount();
    int steps = 0;
    while (GetTickCount() - begin < static_cast<DWORD>(seconds) * 1000) {
        int const offset = 3 * (steps % 100 < 50 ? steps % 50 : 50 - steps % 50);
        SetWindowPos(window, nullptr, start.left + offset, start.top + offset / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ++steps;
        Sleep(15);
    }
    SetWindowPos(window, nullptr, start.left, start.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    std::printf("steps=%d\n", steps);
    return 0;
}

// Time of one message to a window of this thread that every hook of the
// system sees and the library ignores.
int HookCost(long count)
{
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BrisvaneDriverProbe";
    RegisterClassW(&wc);
    HWND probe = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance,
                                 nullptr);
    if (probe == nullptr || count <= 0)
        return 1;
    for (int i = 0; i < 1000; ++i)
        SendMessageW(probe, WM_USER + 77, 0, 0);
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    for (long i = 0; i < count; ++i)
        SendMessageW(probe, WM_USER + 77, 0, 0);
    QueryPerformanceCounter(&end);
    double const ns = static_cast<double>(end.QuadPart - begin.QuadPart) * 1e9 / frequency.QuadPart / count;
    std::printf("messages=%ld\nns_per_message=%.0f\ncbt_loaded=%d\n", count, ns,
                GetModuleHandleW(L"CBT.dll") != nullptr ? 1 : 0);
    DestroyWindow(probe);
    return 0;
}

int WriteRecordField(wchar_t const* field, long value)
{
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, SHARED_WINDOW_RECORD_NAME);
    if (mapping == nullptr)
        return 1;
    SharedWindowRecord* record = static_cast<SharedWindowRecord*>(
        MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(SharedWindowRecord)));
    int status = 1;
    if (record != nullptr && wcscmp(field, L"ignoredui") == 0) {
        record->ignoreDUI = static_cast<int32_t>(value);
        status = 0;
    }
    if (record != nullptr)
        UnmapViewOfFile(record);
    CloseHandle(mapping);
    return status;
}

// Returns -1 when command is none of these.
int AdhereCommand(int argc, wchar_t** argv)
{
    wchar_t const* command = argv[1];
    if (wcscmp(command, L"foreground") == 0) {
        HWND foreground = GetForegroundWindow();
        wchar_t title[128] = L"", name[64] = L"";
        GetWindowTextW(foreground, title, 128);
        GetClassNameW(foreground, name, 64);
        std::printf("hwnd=%lu\ntitle=%ls\nclass=%ls\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(foreground)),
                    title, name);
        return 0;
    }
    if (wcscmp(command, L"zorder") == 0) {
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
    if (wcscmp(command, L"hookcost") == 0 && argc == 3)
        return HookCost(Number(argv[2]));
    if (wcscmp(command, L"setrecord") == 0 && argc == 4)
        return WriteRecordField(argv[2], Number(argv[3]));
    if (wcscmp(command, L"hostpost") == 0 && argc == 3) {
        HWND host = FindTarget(L"class:BrisvaneHookHost", 5000);
        return host != nullptr && PostMessageW(host, static_cast<UINT>(Number(argv[2])), 0, 0) ? 0 : 1;
    }
    if (argc < 3)
        return -1;
    bool const known = wcscmp(command, L"window") == 0 || wcscmp(command, L"setpos") == 0 ||
                       wcscmp(command, L"activate") == 0 || wcscmp(command, L"show") == 0 ||
                       wcscmp(command, L"closewin") == 0 || wcscmp(command, L"cpu") == 0 ||
                       wcscmp(command, L"drag") == 0;
    if (!known)
        return -1;
    HWND window = FindTarget(argv[2], wcscmp(command, L"window") == 0 && argc == 4 ? Number(argv[3]) : 5000);
    if (window == nullptr) {
        std::printf("error=no such window\n");
        return 1;
    }
    if (wcscmp(command, L"window") == 0)
        return PrintTarget(window);
    if (wcscmp(command, L"setpos") == 0 && argc == 7)
        return SetWindowPos(window, nullptr, Number(argv[3]), Number(argv[4]), Number(argv[5]), Number(argv[6]),
                            SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    if (wcscmp(command, L"activate") == 0)
        return SetForegroundWindow(window) ? 0 : 1;
    if (wcscmp(command, L"show") == 0 && argc == 4) {
        int const show = wcscmp(argv[3], L"minimize") == 0 ? SW_MINIMIZE
                         : wcscmp(argv[3], L"hide") == 0   ? SW_HIDE
                                                           : SW_RESTORE;
        ShowWindow(window, show);
        return 0;
    }
    if (wcscmp(command, L"closewin") == 0)
        return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (wcscmp(command, L"cpu") == 0) {
        std::printf("cpu_ms=%.1f\n", ProcessCpuMs(window));
        return 0;
    }
    if (wcscmp(command, L"drag") == 0 && argc == 4)
        return DragWindow(window, static_cast<int>(Number(argv[3])));
    return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return Usage();
    wchar_t const* command = argv[1];

    if (wcscmp(command, L"metrics") == 0) {
        std::printf("caption=%d\nscreenwidth=%d\nscreenheight=%d\n", GetSystemMetrics(SM_CYCAPTION),
                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        return 0;
    }
    if (wcscmp(command, L"power") == 0)
        return PrintPower();
    if (wcscmp(command, L"colours") == 0)
        return PrintCaptionColours();
    if (wcscmp(command, L"setcolours") == 0 && argc == 4)
        return SetCaptionColours(argv[2], argv[3]);
    if (wcscmp(command, L"launch") == 0 && argc == 3)
        return LaunchAndTime(argv[2], 20000);
    if (wcscmp(command, L"version") == 0 && argc == 3)
        return PrintVersion(argv[2]);
    if (wcscmp(command, L"dialogsend") == 0 && argc == 6)
        return SendToNamedDialog(argv);
    // "dialog NAME ...": the dialogs by name; "dialog [timeout]" is a figure command.
    if (wcsncmp(command, L"dialog", 6) == 0 && argc > 2 && !iswdigit(argv[2][0]))
        return DialogCommand(argc, argv);
    if (wcscmp(command, L"profile") == 0 && argc == 3)
        return PrintProfile(argv[2]);
    if (wcscmp(command, L"count") == 0) {
        std::printf("count=%d\n", FindBars().count);
        return 0;
    }

    int const tray = TrayCommand(argc, argv);
    if (tray >= 0)
        return tray;
    int const adhere = AdhereCommand(argc, argv);
    if (adhere >= 0)
        return adhere;

    HWND bar = WaitForBar(argc > 2 && wcscmp(command, L"bar") == 0 ? static_cast<int>(Number(argv[2])) : 5000);
    if (wcscmp(command, L"record") == 0)
        return PrintRecord();
    if (bar == nullptr) {
        std::printf("error=no bar window\n");
        return 1;
    }
    if (wcscmp(command, L"bar") == 0)
        return PrintBar(bar);
    if (wcsncmp(command, L"options", 7) == 0) {
        int const status = OptionsCommand(bar, argc, argv);
        return status == 2 ? Usage() : status;
    }
    int const figures = RunFigureCommand(argc, argv, bar);
    if (figures >= 0)
        return figures;
    if (wcscmp(command, L"close") == 0)
        return PostMessageW(bar, WM_CLOSE, 0, 0) ? 0 : 1;
    if ((wcscmp(command, L"post") == 0 || wcscmp(command, L"send") == 0) && argc == 5) {
        UINT const message = static_cast<UINT>(Number(argv[2]));
        WPARAM const wParam = static_cast<WPARAM>(Number(argv[3]));
        LPARAM const lParam = static_cast<LPARAM>(Number(argv[4]));
        if (command[0] == L'p')
            return PostMessageW(bar, message, wParam, lParam) ? 0 : 1;
        std::printf("result=%ld\n", static_cast<long>(SendMessageW(bar, message, wParam, lParam)));
        return 0;
    }
    if (wcscmp(command, L"move") == 0 && argc == 4) {
        return SetWindowPos(bar, nullptr, static_cast<int>(Number(argv[2])), static_cast<int>(Number(argv[3])), 0,
                            0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    return Usage();
}
