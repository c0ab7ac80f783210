// The driver's commands about the program's dialogs: Options, the
// auto-shutdown and its confirmation, read and clicked from outside.
#include "harness/driver/driver.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <initializer_list>
#include <string>

#include "res/resource.h"

namespace {

wchar_t const kDialogClass[] = L"#32770";

wchar_t const kOptionsCaption[] = L"\x9009\x9879";

wchar_t const kShutdownCaption[] = L"\x81EA\x52A8\x5173\x673A";

wchar_t const kConfirmCaption[] = L"\x5173\x673A\x786E\x8BA4";

Found FindOptionsDialogs(HWND bar)
{
    return FindWindows([bar](HWND window) {
        wchar_t title[64];
        return GetWindow(window, GW_OWNER) == bar && HasClass(window, kDialogClass) &&
               GetWindowTextW(window, title, 64) &&
               (wcscmp(title, kOptionsCaption) == 0 || wcscmp(title, EnglishCaption(kOptionsCaption)) == 0);
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

long Ask(HWND dialog, int id, UINT message)
{
    return static_cast<long>(SendTo(GetDlgItem(dialog, id), message, 0, 0));
}

// The other dialogs go by short names, so that no Chinese passes the command line.
wchar_t const* DialogCaption(wchar_t const* name)
{
    wchar_t const* const captions[][2] = {{L"shutdown", kShutdownCaption},
                                          {L"confirm", kConfirmCaption},
                                          {L"sleepconfirm", L"\x7761\x7720\x786E\x8BA4"},
                                          {L"cancelask", L"\x53D6\x6D88\x81EA\x52A8\x5173\x673A"},
                                          {L"about", L"\x5173\x4E8E"}};
    for (auto const& caption : captions)
        if (wcscmp(name, caption[0]) == 0)
            return caption[1];
    return name;
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

// The WM_COMMAND a click on the button sends.
bool PostClick(HWND dialog, int id)
{
    LPARAM const button = reinterpret_cast<LPARAM>(GetDlgItem(dialog, id));
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), button);
}

// A cycle that stopped: why, after how many openings, and its exit code.
int Stopped(char const* why, long opened, int code)
{
    std::printf("error=%s\nopened=%ld\n", why, opened);
    return code;
}

// Clicks a dialog's button and waits (polling often: the bench opens
// hundreds) until no dialog of that caption shows.
bool ClickAway(HWND dialog, int button, wchar_t const* caption)
{
    PostClick(dialog, button);
    return Poll(5000, 5, [caption] { return Shown(kDialogClass, caption) == nullptr; });
}

}  // namespace

HWND TheOptionsDialog(wchar_t** argv)
{
    HWND bar = TheBar(argv);
    return bar != nullptr ? WaitForOptionsDialog(bar, 5000, false).first : nullptr;
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
    // The battery's rows: the bar's text, each reminder's box and number.
    wchar_t low[16] = L"", high[16] = L"";
    SendTo(GetDlgItem(dialog, IDC_OPTIONS_ALERTLOW_EDIT), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(low));
    SendTo(GetDlgItem(dialog, IDC_OPTIONS_ALERTHIGH_EDIT), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(high));
    std::printf("bartext=%ld\nalertlow=%ld %ls\nalerthigh=%ld %ls\n", Ask(dialog, IDC_OPTIONS_BARTEXT, CB_GETCURSEL),
                Ask(dialog, IDC_OPTIONS_ALERTLOW, BM_GETCHECK), low, Ask(dialog, IDC_OPTIONS_ALERTHIGH, BM_GETCHECK),
                high);
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

// options-select INDEX [ID]: a choice in the interval box, or in box ID.
int OnOptionsSelect(HWND dialog, int argc, wchar_t** argv)
{
    int const id = static_cast<int>(NumberOr(argc, argv, 1, IDC_OPTIONS_INTERVAL));
    HWND box = GetDlgItem(dialog, id);
    SendTo(box, CB_SETCURSEL, Number(argv[0]), 0);
    SendTo(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
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

// options-type TEXT [ID]: typed into the opacity's edit, or into edit ID.
int OnOptionsType(HWND dialog, int argc, wchar_t** argv)
{
    HWND edit = GetDlgItem(dialog, static_cast<int>(NumberOr(argc, argv, 1, IDC_OPTIONS_ALPHA_EDIT)));
    SendTo(edit, EM_SETSEL, 0, -1);
    for (wchar_t const* c = argv[0]; *c != L'\0'; ++c)
        SendTo(edit, WM_CHAR, *c, 1);
    return 0;
}

// NAME: shutdown, confirm, cancelask (the question box), about, or a caption.
HWND TheNamedDialog(wchar_t** argv)
{
    HWND dialog = WaitForShown(kDialogClass, DialogCaption(argv[0]), 5000);
    if (dialog == nullptr)
        Fail("no dialog");
    return dialog;
}

// dialogtexts [timeout]: the title of the dialog the bar shows now and the
// texts of its shown controls in their order, those without text left out.
int OnDialogTexts(HWND bar, int argc, wchar_t** argv)
{
    HWND dialog = WaitForBarDialog(bar, NumberOr(argc, argv, 0, 3000));
    if (dialog == nullptr)
        return Fail("no dialog");
    wchar_t title[128] = L"";
    GetWindowTextW(dialog, title, 128);
    PrintUtf8("title", title);
    std::wstring texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[256] = L"";
        if (IsWindowVisible(child))
            SendTo(child, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        if (text[0] != L'\0')
            texts += (texts.empty() ? L"" : L"|") + std::wstring(text);
    }
    PrintUtf8("texts", texts.c_str());
    return 0;
}

// dialogcancel: Cancel in the dialog the bar shows now; waits until it has gone.
int OnDialogCancel(HWND bar, int, wchar_t**)
{
    HWND dialog = WaitForBarDialog(bar, 3000);
    if (dialog == nullptr)
        return Fail("no dialog");
    PostClick(dialog, IDCANCEL);
    return Poll(10000, 50, [dialog] { return !IsWindow(dialog); }) ? 0 : Fail("the dialog stays open");
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
