#include "shutdown/auto_shutdown_dialog.h"

#include <commctrl.h>

#include "base/app_mode.h"
#include "base/place_window.h"
#include "base/ui_resources.h"
#include "base/system_calls.h"
#include "res/resource.h"
#include "shutdown/action_rules.h"
#include "shutdown/message_box.h"
#include "shutdown/power_off.h"
#include "shutdown/shutdown_minutes.h"

namespace {

HWND g_openDialog;

ULONGLONG const THIRTY_MINUTES = 30 * static_cast<ULONGLONG>(TICKS_PER_MINUTE);

int const DURATION_CONTROLS[] = {IDC_SHUTDOWN_HOURS,   IDC_SHUTDOWN_HOURS_SPIN,   IDC_SHUTDOWN_HOURS_LABEL,
                                 IDC_SHUTDOWN_MINUTES, IDC_SHUTDOWN_MINUTES_SPIN, IDC_SHUTDOWN_MINUTES_LABEL};
int const MOMENT_CONTROLS[] = {IDC_SHUTDOWN_DATE, IDC_SHUTDOWN_TIME};

ULONGLONG TicksOf(SYSTEMTIME const& time)
{
    FILETIME file = {0, 0};
    SystemTimeToFileTime(&time, &file);
    return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

ShutdownRequest* RequestOf(HWND dialog)
{
    return reinterpret_cast<ShutdownRequest*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The actions this machine can do, each with its ShutdownAction as its
// data; the one chosen last selected, or shutting down where it is missing.
void ListActions(HWND dialog, LONG chosen)
{
    HWND list = GetDlgItem(dialog, IDC_SHUTDOWN_ACTION);
    SleepStates const states = MachineSleepStates();
    LRESULT selected = 0;
    for (int action = ACTION_SHUTDOWN; action < SHUTDOWN_ACTION_COUNT; ++action) {
        if (!ActionAvailable(static_cast<ShutdownAction>(action), states))
            continue;
        WCHAR name[32] = L"";
        LoadUiString(IDS_ACTION_SHUTDOWN + action, name, ARRAYSIZE(name));
        LRESULT const index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        SendMessageW(list, CB_SETITEMDATA, index, action);
        if (action == chosen)
            selected = index;
    }
    SendMessageW(list, CB_SETCURSEL, selected, 0);
}

LONG ChosenAction(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_SHUTDOWN_ACTION);
    LRESULT const index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    LRESULT const action = index == CB_ERR ? CB_ERR : SendMessageW(list, CB_GETITEMDATA, index, 0);
    return action >= ACTION_SHUTDOWN && action < SHUTDOWN_ACTION_COUNT ? static_cast<LONG>(action) : LONG{ACTION_SHUTDOWN};
}

void OnInitDialog(HWND dialog, LPARAM lParam)
{
    // Each opening keeps its own caller's record, so a second dialog can
    // never write into the first one's.
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    g_openDialog = dialog;
    ShutdownRequest const* request = reinterpret_cast<ShutdownRequest const*>(lParam);
    CheckDlgButton(dialog, IDC_SHUTDOWN_FORCE, request != nullptr && request->forceClose ? BST_CHECKED : BST_UNCHECKED);
    ListActions(dialog, request != nullptr ? request->action : LONG{ACTION_SHUTDOWN});

    SYSTEMTIME now;
    g_system.GetLocalTime(&now);
    SYSTEMTIME later = now;
    FILETIME file;
    if (SystemTimeToFileTime(&now, &file)) {
        ULONGLONG const ticks = ((static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime) +
                                THIRTY_MINUTES;
        file.dwLowDateTime = static_cast<DWORD>(ticks);
        file.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
        FileTimeToSystemTime(&file, &later);
    }

    SYSTEMTIME range[2];
    ZeroMemory(range, sizeof range);
    range[0] = now;
    range[0].wHour = range[0].wMinute = range[0].wSecond = range[0].wMilliseconds = 0;
    HWND date = GetDlgItem(dialog, IDC_SHUTDOWN_DATE);
    SendMessageW(date, DTM_SETRANGE, GDTR_MIN, reinterpret_cast<LPARAM>(range));

    SYSTEMTIME day = range[0];
    day.wYear = later.wYear;
    day.wMonth = later.wMonth;
    day.wDayOfWeek = later.wDayOfWeek;
    day.wDay = later.wDay;
    SendMessageW(date, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&day));

    HWND time = GetDlgItem(dialog, IDC_SHUTDOWN_TIME);
    SendMessageW(time, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH:mm"));
    SendMessageW(time, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&later));

    SendDlgItemMessageW(dialog, IDC_SHUTDOWN_HOURS, EM_LIMITTEXT, 4, 0);
    SendDlgItemMessageW(dialog, IDC_SHUTDOWN_MINUTES, EM_LIMITTEXT, 2, 0);
    SetDlgItemTextW(dialog, IDC_SHUTDOWN_HOURS, L"0");
    SetDlgItemTextW(dialog, IDC_SHUTDOWN_MINUTES, L"30");

    HWND hours = GetDlgItem(dialog, IDC_SHUTDOWN_HOURS);
    HWND minutes = GetDlgItem(dialog, IDC_SHUTDOWN_MINUTES);
    SendDlgItemMessageW(dialog, IDC_SHUTDOWN_HOURS_SPIN, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hours), 0);
    SendDlgItemMessageW(dialog, IDC_SHUTDOWN_HOURS_SPIN, UDM_SETRANGE32, 0, 744);
    SendDlgItemMessageW(dialog, IDC_SHUTDOWN_MINUTES_SPIN, UDM_SETBUDDY, reinterpret_cast<WPARAM>(minutes), 0);
    SendDlgItemMessageW(dialog, IDC_SHUTDOWN_MINUTES_SPIN, UDM_SETRANGE32, 0, 59);

    CheckDlgButton(dialog, IDC_SHUTDOWN_AFTER, BST_CHECKED);
    PlaceAtBottomRight(dialog, GetWindow(dialog, GW_OWNER));
    TitleBarFollowsAppMode(dialog);
}

void OnModeSwitch(HWND dialog)
{
    bool const duration = IsDlgButtonChecked(dialog, IDC_SHUTDOWN_AFTER) == BST_CHECKED;
    for (int id : DURATION_CONTROLS)
        ShowWindow(GetDlgItem(dialog, id), duration ? SW_SHOW : SW_HIDE);
    for (int id : MOMENT_CONTROLS)
        ShowWindow(GetDlgItem(dialog, id), duration ? SW_HIDE : SW_SHOW);
}

void Refuse(HWND dialog, UINT textId, int control, bool selectText)
{
    ShowMessage(dialog, textId, IDS_SHUTDOWN_TITLE, MB_OK | MB_ICONWARNING);
    HWND target = GetDlgItem(dialog, control);
    if (selectText)
        SendMessageW(target, EM_SETSEL, 0, -1);
    SetFocus(target);
}

// Returns false, with the warning shown, when the dialog must stay open.
bool ReadDuration(HWND dialog, LONG* minutes)
{
    BOOL hoursRead = FALSE;
    UINT const hours = GetDlgItemInt(dialog, IDC_SHUTDOWN_HOURS, &hoursRead, FALSE);
    BOOL minutesRead = FALSE;
    UINT minutesTyped = 0;
    if (hoursRead)
        minutesTyped = GetDlgItemInt(dialog, IDC_SHUTDOWN_MINUTES, &minutesRead, FALSE);
    DurationMinutes const result = MinutesOfDuration(hoursRead != FALSE, hours, minutesRead != FALSE, minutesTyped);
    switch (result.check) {
    case DURATION_BAD_HOURS:
        Refuse(dialog, IDS_SHUTDOWN_BAD_HOURS, IDC_SHUTDOWN_HOURS, true);
        return false;
    case DURATION_BAD_MINUTES:
        Refuse(dialog, IDS_SHUTDOWN_BAD_MINUTES, IDC_SHUTDOWN_MINUTES, true);
        return false;
    case DURATION_OK:
        break;
    }
    *minutes = result.minutes;
    return true;
}

bool ReadMoment(HWND dialog, ShutdownRequest* request, LONG* minutes)
{
    SYSTEMTIME now;
    g_system.GetLocalTime(&now);
    SendDlgItemMessageW(dialog, IDC_SHUTDOWN_DATE, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&request->target));
    SYSTEMTIME clock;
    ZeroMemory(&clock, sizeof clock);
    SendDlgItemMessageW(dialog, IDC_SHUTDOWN_TIME, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&clock));
    request->target.wHour = clock.wHour;
    request->target.wMinute = clock.wMinute;
    request->target.wSecond = 0;

    MomentMinutes const result = MinutesOfMoment(MinutesBetween(now, request->target));
    if (!result.fits) {
        Refuse(dialog, IDS_SHUTDOWN_TOO_FAR, IDC_SHUTDOWN_DATE, false);
        return false;
    }
    *minutes = result.minutes;
    return true;
}

void OnOk(HWND dialog)
{
    ShutdownRequest* request = RequestOf(dialog);
    if (request == nullptr) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    request->atTime = IsDlgButtonChecked(dialog, IDC_SHUTDOWN_AT) == BST_CHECKED ? 1 : 0;
    LONG minutes = 0;
    bool const accepted = request->atTime ? ReadMoment(dialog, request, &minutes) : ReadDuration(dialog, &minutes);
    if (!accepted)
        return;
    request->minutes = minutes;
    request->forceClose = IsDlgButtonChecked(dialog, IDC_SHUTDOWN_FORCE) == BST_CHECKED ? 1 : 0;
    request->action = ChosenAction(dialog);
    EndDialog(dialog, IDOK);
}

}  // namespace

LONGLONG MinutesBetween(SYSTEMTIME const& from, SYSTEMTIME const& to)
{
    return MinutesBetweenTicks(TicksOf(from), TicksOf(to));
}

HWND OpenAutoShutdownDialog()
{
    return g_openDialog;
}

INT_PTR CALLBACK AutoShutdownDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, lParam);
        return TRUE;
    case WM_DESTROY:
        if (g_openDialog == dialog)
            g_openDialog = nullptr;
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SHUTDOWN_AFTER:
        case IDC_SHUTDOWN_AT:
            OnModeSwitch(dialog);
            return TRUE;
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
