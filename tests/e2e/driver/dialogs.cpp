// The program's dialogs: the Options dialog driven through its controls'
// messages, the other dialogs by short names, and opening them by the hundred.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>

#include "res/resource.h"
#include "tests/e2e/driver/driver.h"

namespace {

wchar_t const kDialogClass[] = L"#32770";
wchar_t const kOptionsCaption[] = L"\x9009\x9879";
wchar_t const kShutdownCaption[] = L"\x81EA\x52A8\x5173\x673A";
wchar_t const kConfirmCaption[] = L"\x5173\x673A\x786E\x8BA4";

// ---- The Options dialog of the running bar ----

Found FindOptionsDialogs(HWND bar)
{
    return FindWindows([bar](HWND window) {
        return GetWindow(window, GW_OWNER) == bar && HasClass(window, kDialogClass) &&
               HasTitle(window, kOptionsCaption);
    });
}

// Waits up to timeoutMs for the dialog to be open (or, gone = true, closed).
Found WaitForOptionsDialog(HWND bar, int timeoutMs, bool gone)
{
    Found found{nullptr, 0};
    Poll(timeoutMs, 100, [&] {
        found = FindOptionsDialogs(bar);
        return (found.first == nullptr) == gone;
    });
    return found;
}

// The open Options dialog, waited for; nullptr with an error line.
HWND OptionsDialog(int timeoutMs = 5000, int* count = nullptr)
{
    HWND bar = RequireBar();
    if (bar == nullptr)
        return nullptr;
    Found const found = WaitForOptionsDialog(bar, timeoutMs, false);
    if (found.first == nullptr)
        std::printf("error=no options dialog\n");
    if (count != nullptr)
        *count = found.count;
    return found.first;
}

long Ask(HWND dialog, int id, UINT message)
{
    return static_cast<long>(SendTo(GetDlgItem(dialog, id), message, 0, 0));
}

// options [timeout]: how many are open, and the first one's place and values.
int OnOptions(int argc, wchar_t** argv)
{
    int count = 0;
    HWND dialog = OptionsDialog(static_cast<int>(NumberOr(argc, argv, 0, 5000)), &count);
    if (dialog == nullptr)
        return 1;
    wchar_t edit[32] = L"";
    // WM_GETTEXT: GetWindowTextW does not ask another process's controls.
    SendTo(GetDlgItem(dialog, IDC_OPTIONS_ALPHA_EDIT), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(edit));
    std::printf("dialogs=%d\n", count);
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

int OnOptionsGone(int argc, wchar_t** argv)
{
    HWND bar = RequireBar();
    if (bar == nullptr)
        return 1;
    Found const found = WaitForOptionsDialog(bar, static_cast<int>(NumberOr(argc, argv, 0, 5000)), true);
    std::printf("dialogs=%d\n", found.count);
    return found.count == 0 ? 0 : 1;
}

// BM_CLICK presses the button as the mouse would: check boxes toggle, then notify.
int OnOptionsClick(int, wchar_t** argv)
{
    HWND dialog = OptionsDialog();
    if (dialog == nullptr)
        return 1;
    SendTo(GetDlgItem(dialog, static_cast<int>(Number(argv[0]))), BM_CLICK, 0, 0);
    return 0;
}

int OnOptionsSelect(int, wchar_t** argv)
{
    HWND dialog = OptionsDialog();
    if (dialog == nullptr)
        return 1;
    HWND box = GetDlgItem(dialog, IDC_OPTIONS_INTERVAL);
    SendTo(box, CB_SETCURSEL, static_cast<WPARAM>(Number(argv[0])), 0);
    SendTo(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_INTERVAL, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    return 0;
}

// A thumb drag: the trackbar moves and tells the dialog where it ended.
int OnOptionsSlide(int, wchar_t** argv)
{
    HWND dialog = OptionsDialog();
    if (dialog == nullptr)
        return 1;
    HWND trackbar = GetDlgItem(dialog, IDC_OPTIONS_ALPHA);
    WORD const position = static_cast<WORD>(Number(argv[0]));
    SendTo(trackbar, TBM_SETPOS, TRUE, position);
    for (WPARAM const scroll : {MAKEWPARAM(TB_THUMBTRACK, position), MAKEWPARAM(TB_THUMBPOSITION, position),
                                MAKEWPARAM(TB_ENDTRACK, 0)})
        SendTo(dialog, WM_HSCROLL, scroll, reinterpret_cast<LPARAM>(trackbar));
    return 0;
}

int OnOptionsType(int, wchar_t** argv)
{
    HWND dialog = OptionsDialog();
    if (dialog == nullptr)
        return 1;
    HWND edit = GetDlgItem(dialog, IDC_OPTIONS_ALPHA_EDIT);
    SendTo(edit, EM_SETSEL, 0, -1);
    for (wchar_t const* c = argv[0]; *c != L'\0'; ++c)
        SendTo(edit, WM_CHAR, *c, 1);
    return 0;
}

// ---- The other dialogs, by short names so that no Chinese passes the command line ----

wchar_t const* DialogCaption(wchar_t const* name)
{
    if (wcscmp(name, L"shutdown") == 0)
        return kShutdownCaption;
    if (wcscmp(name, L"confirm") == 0)
        return kConfirmCaption;
    if (wcscmp(name, L"cancelask") == 0)
        return L"\x53D6\x6D88\x81EA\x52A8\x5173\x673A";
    if (wcscmp(name, L"about") == 0)
        return L"\x5173\x4E8E";
    return name;
}

// NAME: shutdown, confirm, cancelask (the question box), about, or a caption.
HWND RequireNamedDialog(wchar_t const* name)
{
    HWND dialog = WaitForShown(kDialogClass, DialogCaption(name), 5000);
    if (dialog == nullptr)
        std::printf("error=no dialog\n");
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
int PrintBarDialog(int timeoutMs)
{
    HWND bar = RequireBar();
    if (bar == nullptr)
        return 1;
    HWND dialog = WaitForBarDialog(bar, timeoutMs);
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
        return PrintNamedDialog(argv[0], static_cast<int>(NumberOr(argc, argv, 1, 5000)));
    return PrintBarDialog(static_cast<int>(NumberOr(argc, argv, 0, 3000)));
}

// dialogset NAME ID TEXT: types into a control.
int OnDialogSet(int, wchar_t** argv)
{
    HWND dialog = RequireNamedDialog(argv[0]);
    return dialog != nullptr && SetDlgItemTextW(dialog, static_cast<int>(Number(argv[1])), argv[2]) ? 0 : 1;
}

// dialogcmd NAME ID: the WM_COMMAND a click on the button sends.
int OnDialogCommand(int, wchar_t** argv)
{
    HWND dialog = RequireNamedDialog(argv[0]);
    int const id = static_cast<int>(Number(argv[1]));
    return dialog != nullptr && PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)))
               ? 0
               : 1;
}

// dialogcheck NAME ID: clicks a radio button.
int OnDialogCheck(int, wchar_t** argv)
{
    HWND dialog = RequireNamedDialog(argv[0]);
    if (dialog == nullptr)
        return 1;
    SendMessageW(GetDlgItem(dialog, static_cast<int>(Number(argv[1]))), BM_CLICK, 0, 0);
    return 0;
}

// dialogsend NAME MSG WPARAM LPARAM (the screenshots use it to have a caption drawn as active).
int OnDialogSend(int, wchar_t** argv)
{
    HWND dialog = RequireNamedDialog(argv[0]);
    if (dialog == nullptr)
        return 1;
    LRESULT const result = SendTo(dialog, static_cast<UINT>(Number(argv[1])), static_cast<WPARAM>(Number(argv[2])),
                                  static_cast<LPARAM>(Number(argv[3])));
    std::printf("result=%ld\n", static_cast<long>(result));
    return 0;
}

// ---- Opening dialogs many times over, for the bench ----

// cycle COMMAND N: opens a dialog by its menu command and cancels it, N times.
int OnCycle(int, wchar_t** argv)
{
    HWND bar = RequireBar();
    if (bar == nullptr)
        return 1;
    WPARAM const command = static_cast<WPARAM>(Number(argv[0]));
    long const count = Number(argv[1]);
    for (long i = 0; i < count; ++i) {
        PostMessageW(bar, WM_COMMAND, command, 0);
        HWND dialog = WaitForBarDialog(bar, i == 0 ? 5000 : 2000);
        if (dialog == nullptr) {
            std::printf("error=no dialog\nopened=%ld\n", i);
            return 3;
        }
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        if (!Poll(5000, 5, [dialog] { return !IsWindow(dialog); })) {
            std::printf("error=dialog stays open\nopened=%ld\n", i + 1);
            return 1;
        }
    }
    std::printf("opened=%ld\n", count);
    return 0;
}

// Clicks a dialog's button and waits (polling often: the bench opens
// hundreds) until no dialog of that caption shows.
bool ClickAway(HWND dialog, int button, wchar_t const* caption)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return Poll(5000, 5, [caption] { return Shown(kDialogClass, caption) == nullptr; });
}

// cycle-confirm N: N auto-shutdowns of one minute, each run to its
// confirmation by a posted minute tick and declined there: the Auto-shutdown
// dialog and the confirmation open N times each.
int OnCycleConfirm(int, wchar_t** argv)
{
    HWND bar = RequireBar();
    if (bar == nullptr)
        return 1;
    long const count = Number(argv[0]);
    for (long i = 0; i < count; ++i) {
        PostMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
        HWND dialog = WaitForShown(kDialogClass, kShutdownCaption, 5000, 5);
        if (dialog == nullptr) {
            std::printf("error=no auto-shutdown dialog\nopened=%ld\n", i);
            return 3;
        }
        SetDlgItemTextW(dialog, IDC_SHUTDOWN_HOURS, L"0");
        SetDlgItemTextW(dialog, IDC_SHUTDOWN_MINUTES, L"1");
        if (!ClickAway(dialog, IDOK, kShutdownCaption)) {
            std::printf("error=auto-shutdown dialog stays open\nopened=%ld\n", i);
            return 1;
        }
        PostMessageW(bar, WM_TIMER, 2 /* the countdown's minute */, 0);
        HWND confirm = WaitForShown(kDialogClass, kConfirmCaption, 5000, 5);
        if (confirm == nullptr) {
            std::printf("error=no confirmation\nopened=%ld\n", i);
            return 3;
        }
        if (!ClickAway(confirm, IDCANCEL, kConfirmCaption)) {
            std::printf("error=confirmation stays open\nopened=%ld\n", i + 1);
            return 1;
        }
    }
    std::printf("opened=%ld\n", count);
    return 0;
}

Command const kCommands[] = {
    {L"options", "[timeout_ms]", OnOptions},
    {L"options-gone", "[timeout_ms]", OnOptionsGone},
    {L"options-click", "ID", OnOptionsClick},
    {L"options-select", "INDEX", OnOptionsSelect},
    {L"options-slide", "POSITION", OnOptionsSlide},
    {L"options-type", "TEXT", OnOptionsType},
    {L"dialog", "[NAME] [timeout_ms]", OnDialog},
    {L"dialogset", "NAME ID TEXT", OnDialogSet},
    {L"dialogcmd", "NAME ID", OnDialogCommand},
    {L"dialogcheck", "NAME ID", OnDialogCheck},
    {L"dialogsend", "NAME MSG WPARAM LPARAM", OnDialogSend},
    {L"cycle", "COMMAND N", OnCycle},
    {L"cycle-confirm", "N", OnCycleConfirm},
};

}  // namespace

CommandTable DialogCommands()
{
    return TableOf(kCommands);
}
