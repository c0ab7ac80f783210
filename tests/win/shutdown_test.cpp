// The auto-shutdown under Wine with the real dialogs and the real bar:
// defaults, warnings and focus, the mode switch, the confirmation's count,
// and the countdown's states with the tray calls captured. Nothing here can
// power off: ExitWindowsEx is replaced.
#include <windows.h>
#include <commctrl.h>
#include <reason.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "shutdown/auto_shutdown_dialog.h"
#include "shutdown/confirm_dialog.h"
#include "shutdown/countdown.h"
#include "shutdown/message_box.h"
#include "bar/paint.h"
#include "shutdown/power_off.h"
#include "tests/win/fakes.h"

namespace {

using namespace fakes;

// The settings file beside this test program, as the bar writes it.
std::wstring IniPath()
{
    WCHAR path[MAX_PATH] = L"";
    ModuleDirectory(path, MAX_PATH, L"Brisvane.ini");
    return path;
}

UINT IniAlpha()
{
    return GetPrivateProfileIntW(L"Brisvane", L"Alpha", 9999, IniPath().c_str());
}

std::vector<UINT> g_alphaAtExit;  // Alpha in the file when the power-off was asked
// Runs script inside the modal loop of the next dialog with this caption;
// the script must end the dialog.
std::function<void(HWND)> g_script;
std::wstring g_scriptCaption;

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", g_scriptCaption.c_str());
    if (dialog == nullptr || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, timer);
    std::function<void(HWND)> script = g_script;
    g_script = nullptr;
    if (script)
        script(dialog);
}

void WhenOpen(wchar_t const* caption, std::function<void(HWND)> script)
{
    g_scriptCaption = caption;
    g_script = script;
    SetTimer(nullptr, 0, 20, RunScript);
}

INT_PTR RunDialog(int id, DLGPROC proc, LPARAM param, wchar_t const* caption, std::function<void(HWND)> script)
{
    WhenOpen(caption, script);
    return UiDialogBox(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr, proc, param);
}

std::wstring Text(HWND dialog, int id)
{
    wchar_t text[64] = L"";
    GetDlgItemTextW(dialog, id, text, 64);
    return text;
}

SYSTEMTIME Picked(HWND dialog, int id)
{
    SYSTEMTIME time;
    ZeroMemory(&time, sizeof time);
    EXPECT_EQ(GDT_VALID, SendDlgItemMessageW(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)));
    return time;
}

bool Shows(HWND dialog, int id)
{
    return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void PressOk(HWND dialog)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void Choose(HWND dialog, int radio)
{
    CheckRadioButton(dialog, IDC_SHUTDOWN_AFTER, IDC_SHUTDOWN_AT, radio);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(radio, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, radio)));
}

void SetPicker(HWND dialog, int id, SYSTEMTIME time)
{
    SendDlgItemMessageW(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

BOOL CALLBACK CountShutdownDialogs(HWND window, LPARAM count)
{
    wchar_t title[32];
    if (IsWindowVisible(window) && GetWindowTextW(window, title, 32) && std::wstring(title) == L"自动关机")
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

class Shutdown : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakes();
        DeleteFileW(IniPath().c_str());  // no action or force chosen in an earlier run
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_DATE_CLASSES};
        InitCommonControlsEx(&controls);
        g_whilePoweringOff = [] { g_alphaAtExit.push_back(IniAlpha()); };
        g_alphaAtExit.clear();
    }

    void TearDown() override
    {
        DestroyBar(bar);
    }

    // The real bar as start-up makes it.
    void StartBar()
    {
        ASSERT_TRUE(InitInstance(g_instance, SW_SHOWNOACTIVATE));
        bar = g_barWindow;
        g_settings.interval = 1000;
        g_shellData.clear();
    }

    // Command 32777 with a dialog script: duration hours:minutes, the action
    // (as chosen last when none is given) and OK.
    void StartCountdown(wchar_t const* hours, wchar_t const* minutes, wchar_t const* caption = L"自动关机",
                        int action = -1)
    {
        std::wstring h = hours, m = minutes;
        WhenOpen(caption, [h, m, action](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_SHUTDOWN_HOURS, h.c_str());
            SetDlgItemTextW(dialog, IDC_SHUTDOWN_MINUTES, m.c_str());
            HWND list = GetDlgItem(dialog, IDC_SHUTDOWN_ACTION);
            for (LRESULT i = 0; action >= 0 && i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i) {
                if (SendMessageW(list, CB_GETITEMDATA, i, 0) == action)
                    SendMessageW(list, CB_SETCURSEL, i, 0);
            }
            PressOk(dialog);
        });
        EXPECT_EQ(0, SendMessageW(bar, WM_COMMAND, MAKEWPARAM(IDM_AUTOSHUTDOWN, 0), 0));
    }

    // The confirmation's caption and question, and what closes it.
    std::vector<std::wstring> ConfirmAndAnswer(wchar_t const* caption, WORD answer)
    {
        std::vector<std::wstring> seen;
        WhenOpen(caption, [&seen, answer](HWND dialog) {
            wchar_t title[64] = L"";
            GetWindowTextW(dialog, title, 64);
            seen = {title, Text(dialog, IDC_CONFIRM_TEXT)};
            SendMessageW(dialog, WM_COMMAND, answer, 0);
        });
        Tick();
        return seen;
    }

    std::wstring LastTip()
    {
        for (auto it = g_shellData.rbegin(); it != g_shellData.rend(); ++it) {
            if (it->uFlags & NIF_TIP)
                return it->szTip;
        }
        return L"";
    }

    HICON LastIcon()
    {
        for (auto it = g_shellData.rbegin(); it != g_shellData.rend(); ++it) {
            if (it->uFlags & NIF_ICON)
                return it->hIcon;
        }
        return nullptr;
    }

    // A minute of the clock passes and the countdown's timer fires.
    LRESULT Tick()
    {
        MoveUtcClock(60000);
        return SendMessageW(bar, WM_TIMER, IDT_SHUTDOWN, 0);
    }

    // Runs the bar's messages, as the program's loop would, until done() or a second.
    void PumpUntil(std::function<bool()> done)
    {
        DWORD const until = GetTickCount() + 1000;
        MSG msg;
        while (!done() && GetTickCount() < until) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            Sleep(5);
        }
    }

    bool TimerRuns(UINT_PTR id)
    {
        // Re-creating a killed timer is harmless; the answer is whether it ran.
        BOOL const ran = KillTimer(bar, id);
        if (ran)
            SetTimer(bar, id, id == IDT_SHUTDOWN ? 60000 : 1000, nullptr);
        return ran != FALSE;
    }

    HWND bar = nullptr;
};

TEST_F(Shutdown, OpensWithDefaultsAndHiddenPickersHoldingHalfAnHourAhead)
{
    ShutdownRequest request{7, 7, {}, 0, ACTION_SHUTDOWN};
    INT_PTR const result = RunDialog(IDD_AUTOSHUTDOWN, AutoShutdownDialogProc, reinterpret_cast<LPARAM>(&request),
                                     L"自动关机", [](HWND dialog) {
        EXPECT_EQ(std::wstring(L"0"), Text(dialog, IDC_SHUTDOWN_HOURS));
        EXPECT_EQ(std::wstring(L"30"), Text(dialog, IDC_SHUTDOWN_MINUTES));
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_SHUTDOWN_AFTER));
        EXPECT_TRUE(Shows(dialog, IDC_SHUTDOWN_HOURS));
        EXPECT_FALSE(Shows(dialog, IDC_SHUTDOWN_DATE));
        EXPECT_FALSE(Shows(dialog, IDC_SHUTDOWN_TIME));
        SYSTEMTIME const date = Picked(dialog, IDC_SHUTDOWN_DATE);
        EXPECT_EQ(7, date.wDay);
        EXPECT_EQ(0, date.wHour);
        SYSTEMTIME const time = Picked(dialog, IDC_SHUTDOWN_TIME);
        EXPECT_EQ(14, time.wHour);
        EXPECT_EQ(40, time.wMinute);
        EXPECT_EQ(4, SendDlgItemMessageW(dialog, IDC_SHUTDOWN_HOURS, EM_GETLIMITTEXT, 0, 0));
        EXPECT_EQ(2, SendDlgItemMessageW(dialog, IDC_SHUTDOWN_MINUTES, EM_GETLIMITTEXT, 0, 0));
        int low = -1, high = -1;
        SendDlgItemMessageW(dialog, IDC_SHUTDOWN_HOURS_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                            reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(0, low);
        EXPECT_EQ(744, high);
        SendDlgItemMessageW(dialog, IDC_SHUTDOWN_MINUTES_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                            reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(59, high);
        // Placed at the bottom right like every dialog of the program.
        RECT rect;
        GetWindowRect(dialog, &rect);
        int const margin = GetSystemMetrics(SM_CYCAPTION) + 3;
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - margin, rect.right);
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - margin, rect.bottom);
        PressOk(dialog);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, request.atTime);
    EXPECT_EQ(30, request.minutes);
}

TEST_F(Shutdown, OpenedAt2345ShowsTomorrowAndQuarterPastMidnight)
{
    SetClock(2026, 12, 31, 23, 45);
    ShutdownRequest request{};
    RunDialog(IDD_AUTOSHUTDOWN, AutoShutdownDialogProc, reinterpret_cast<LPARAM>(&request), L"自动关机",
              [](HWND dialog) {
        SYSTEMTIME const date = Picked(dialog, IDC_SHUTDOWN_DATE);
        EXPECT_EQ(2027, date.wYear);
        EXPECT_EQ(1, date.wMonth);
        EXPECT_EQ(1, date.wDay);
        SYSTEMTIME const time = Picked(dialog, IDC_SHUTDOWN_TIME);
        EXPECT_EQ(0, time.wHour);
        EXPECT_EQ(15, time.wMinute);
        // No day before today.
        SYSTEMTIME range[2];
        DWORD const set = static_cast<DWORD>(
            SendDlgItemMessageW(dialog, IDC_SHUTDOWN_DATE, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
        EXPECT_TRUE(set & GDTR_MIN);
        EXPECT_FALSE(set & GDTR_MAX);
        EXPECT_EQ(31, range[0].wDay);
        EXPECT_EQ(12, range[0].wMonth);
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(Shutdown, WarningsSelectAndFocusTheOffendingEdit)
{
    struct Case {
        wchar_t const* hours;
        wchar_t const* minutes;
        wchar_t const* warning;
        int focused;
    } const cases[] = {
        {L"", L"30", L"请输入正确的小时数！", IDC_SHUTDOWN_HOURS},
        {L"", L"99", L"请输入正确的小时数！", IDC_SHUTDOWN_HOURS},  // minutes not examined
        {L"1", L"", L"请输入正确的分钟数！", IDC_SHUTDOWN_MINUTES},
        {L"0", L"60", L"请输入正确的分钟数！", IDC_SHUTDOWN_MINUTES},
        {L"x", L"5", L"请输入正确的小时数！", IDC_SHUTDOWN_HOURS},
        {L"99999999999", L"5", L"请输入正确的小时数！", IDC_SHUTDOWN_HOURS},  // beyond the edit's limit
    };
    for (Case const& c : cases) {
        g_shown.clear();
        ShutdownRequest request{0, 77, {}, 0, ACTION_SHUTDOWN};
        INT_PTR const result = RunDialog(
            IDD_AUTOSHUTDOWN, AutoShutdownDialogProc, reinterpret_cast<LPARAM>(&request), L"自动关机",
            [&c](HWND dialog) {
                SetDlgItemTextW(dialog, IDC_SHUTDOWN_HOURS, c.hours);
                SetDlgItemTextW(dialog, IDC_SHUTDOWN_MINUTES, c.minutes);
                PressOk(dialog);
                EXPECT_TRUE(IsWindowVisible(dialog)) << "stays open";
                EXPECT_EQ(GetDlgItem(dialog, c.focused), GetFocus());
                DWORD start = 1, end = 0;
                SendDlgItemMessageW(dialog, c.focused, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                    reinterpret_cast<LPARAM>(&end));
                EXPECT_EQ(0u, start);
                EXPECT_EQ(static_cast<DWORD>(GetWindowTextLengthW(GetDlgItem(dialog, c.focused))), end);
                SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            });
        EXPECT_EQ(IDCANCEL, result);
        ASSERT_EQ(1u, g_shown.size()) << c.hours << "/" << c.minutes;
        EXPECT_EQ(std::wstring(c.warning), g_shown[0].text);
        EXPECT_EQ(std::wstring(L"自动关机"), g_shown[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONWARNING), g_shown[0].flags);
        EXPECT_EQ(77, request.minutes) << "untouched after a refusal";
    }
}

TEST_F(Shutdown, DurationsAccepted)
{
    struct Case {
        wchar_t const* hours;
        wchar_t const* minutes;
        LONG result;
    } const cases[] = {{L"0", L"0", 1}, {L"744", L"59", 44699}, {L"9999", L"0", 599940}, {L"0", L"59", 59}};
    for (Case const& c : cases) {
        ShutdownRequest request{};
        INT_PTR const result = RunDialog(IDD_AUTOSHUTDOWN, AutoShutdownDialogProc,
                                         reinterpret_cast<LPARAM>(&request), L"自动关机", [&c](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_SHUTDOWN_HOURS, c.hours);
            SetDlgItemTextW(dialog, IDC_SHUTDOWN_MINUTES, c.minutes);
            PressOk(dialog);
        });
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(c.result, request.minutes) << c.hours << ":" << c.minutes;
        EXPECT_TRUE(g_shown.empty());
    }
}

TEST_F(Shutdown, ModeSwitchKeepsTypedValuesAndMomentsBecomeMinutes)
{
    ShutdownRequest request{};
    INT_PTR const result = RunDialog(IDD_AUTOSHUTDOWN, AutoShutdownDialogProc, reinterpret_cast<LPARAM>(&request),
                                     L"自动关机", [](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_SHUTDOWN_HOURS, L"12");
        SetDlgItemTextW(dialog, IDC_SHUTDOWN_MINUTES, L"34");
        Choose(dialog, IDC_SHUTDOWN_AT);
        EXPECT_FALSE(Shows(dialog, IDC_SHUTDOWN_HOURS));
        EXPECT_FALSE(Shows(dialog, IDC_SHUTDOWN_MINUTES_LABEL));
        EXPECT_TRUE(Shows(dialog, IDC_SHUTDOWN_DATE));
        EXPECT_TRUE(Shows(dialog, IDC_SHUTDOWN_TIME));
        Choose(dialog, IDC_SHUTDOWN_AFTER);
        EXPECT_TRUE(Shows(dialog, IDC_SHUTDOWN_HOURS_SPIN));
        EXPECT_FALSE(Shows(dialog, IDC_SHUTDOWN_DATE));
        EXPECT_EQ(std::wstring(L"12"), Text(dialog, IDC_SHUTDOWN_HOURS));
        EXPECT_EQ(std::wstring(L"34"), Text(dialog, IDC_SHUTDOWN_MINUTES));
        Choose(dialog, IDC_SHUTDOWN_AT);
        // 14:10:20 now, 14:40 picked on OK at 14:10:30: 29 min 30 s, 29 whole minutes.
        SetClock(2026, 12, 7, 14, 10, 30);
        PressOk(dialog);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(1, request.atTime);
    EXPECT_EQ(29, request.minutes);
    EXPECT_EQ(14, request.target.wHour);
    EXPECT_EQ(40, request.target.wMinute);
    EXPECT_EQ(0, request.target.wSecond);
    EXPECT_EQ(7, request.target.wDay);
}

TEST_F(Shutdown, PastMomentsWaitAMinuteAndFarOnesAreRefused)
{
    ShutdownRequest request{};
    RunDialog(IDD_AUTOSHUTDOWN, AutoShutdownDialogProc, reinterpret_cast<LPARAM>(&request), L"自动关机",
              [](HWND dialog) {
        Choose(dialog, IDC_SHUTDOWN_AT);
        SYSTEMTIME past = g_clock;
        past.wHour = 9;
        SetPicker(dialog, IDC_SHUTDOWN_TIME, past);
        PressOk(dialog);
    });
    EXPECT_EQ(1, request.minutes);

    // 4,100 years ahead: over 2,147,483,647 minutes.
    request.minutes = 5;
    INT_PTR const result = RunDialog(IDD_AUTOSHUTDOWN, AutoShutdownDialogProc, reinterpret_cast<LPARAM>(&request),
                                     L"自动关机", [](HWND dialog) {
        Choose(dialog, IDC_SHUTDOWN_AT);
        SYSTEMTIME distant = g_clock;
        distant.wYear = 6126;
        distant.wHour = distant.wMinute = distant.wSecond = 0;
        SetPicker(dialog, IDC_SHUTDOWN_DATE, distant);
        PressOk(dialog);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(GetDlgItem(dialog, IDC_SHUTDOWN_DATE), GetFocus());
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(5, request.minutes);
    EXPECT_EQ(1, request.atTime);
    ASSERT_EQ(1u, g_shown.size());
    EXPECT_EQ(std::wstring(L"自动关机"), g_shown[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONWARNING), g_shown[0].flags);
}

TEST_F(Shutdown, ConfirmationCountsDownAndConfirmsAtTheTwentiethTick)
{
    std::vector<std::wstring> texts;
    INT_PTR const result = RunDialog(IDD_SHUTDOWN_CONFIRM, ShutdownConfirmDialogProc, 0, L"关机确认",
                                     [&texts](HWND dialog) {
        EXPECT_EQ(GetDlgItem(dialog, IDOK), GetFocus());
        texts.push_back(Text(dialog, IDOK));
        for (int tick = 1; tick <= 20; ++tick) {
            EXPECT_TRUE(IsWindowVisible(dialog)) << "tick " << tick;
            SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
            texts.push_back(Text(dialog, IDOK));
        }
        EXPECT_FALSE(KillTimer(dialog, IDT_CONFIRM)) << "the timer ends with the count";
    });
    EXPECT_EQ(IDOK, result);
    ASSERT_EQ(21u, texts.size());
    EXPECT_EQ(std::wstring(L"确定(20)"), texts[0]);
    EXPECT_EQ(std::wstring(L"确定(19)"), texts[1]);
    EXPECT_EQ(std::wstring(L"确定(1)"), texts[19]);
    EXPECT_EQ(std::wstring(L"确定(0)"), texts[20]);

    for (WORD id : {static_cast<WORD>(IDCANCEL), static_cast<WORD>(IDOK)}) {
        INT_PTR const r = RunDialog(IDD_SHUTDOWN_CONFIRM, ShutdownConfirmDialogProc, 0, L"关机确认", [id](HWND d) {
            SendMessageW(d, WM_TIMER, IDT_CONFIRM, 0);
            EXPECT_FALSE(SendMessageW(d, WM_COMMAND, 4242, 0));
            SendMessageW(d, WM_COMMAND, id, 0);
        });
        EXPECT_EQ(id, r);
    }
}

TEST_F(Shutdown, CountdownStartTicksAndConfirmedPowerOff)
{
    StartBar();
    StartCountdown(L"1", L"30");
    EXPECT_TRUE(IsAutoShutdownRunning());
    EXPECT_EQ(100, g_barView.percent);
    EXPECT_EQ(std::wstring(L"1:30"), g_barView.text);
    EXPECT_EQ(std::wstring(L"1小时30分钟后自动关机"), LastTip());
    EXPECT_EQ(CountdownTrayIcon(), LastIcon());
    EXPECT_FALSE(TimerRuns(IDT_REFRESH));
    EXPECT_TRUE(TimerRuns(IDT_SHUTDOWN));

    ValidateRect(bar, nullptr);
    EXPECT_EQ(1, Tick());
    EXPECT_EQ(std::wstring(L"1:29"), g_barView.text);
    EXPECT_EQ(98, g_barView.percent);  // 89 of the 90 minutes
    EXPECT_EQ(std::wstring(L"1小时29分钟后自动关机"), LastTip());
    EXPECT_TRUE(GetUpdateRect(bar, nullptr, FALSE)) << "the whole bar is repainted";

    MoveUtcClock(28 * 60000);  // 61 minutes left
    Tick();
    EXPECT_EQ(std::wstring(L"1小时0分钟后自动关机"), LastTip());
    Tick();
    EXPECT_EQ(std::wstring(L"0:59"), g_barView.text);
    EXPECT_EQ(std::wstring(L"59分钟后自动关机"), LastTip());

    // The last tick: 0:00, then the confirmation, left to count to its end.
    MoveUtcClock(58 * 60000);  // a minute left
    std::wstring seenText;
    WhenOpen(L"关机确认", [&seenText](HWND dialog) {
        seenText = g_barView.text;
        for (int tick = 0; tick < 20; ++tick)
            SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
    });
    EXPECT_EQ(1, Tick());
    EXPECT_EQ(std::wstring(L"0:00"), seenText);
    ASSERT_EQ(1u, g_exitFlags.size());
    EXPECT_EQ(13u, g_exitFlags[0]);
    // Seen through: the bar and its icon stay until Windows ends the session.
    EXPECT_TRUE(IsWindow(bar));
    EXPECT_TRUE(IsAutoShutdownRunning());
    EXPECT_EQ(std::wstring(L"0:00"), g_barView.text);
    EXPECT_EQ(0, SendMessageW(bar, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP));
    EXPECT_TRUE(IsAutoShutdownRunning());
}

// The same steps in English: dialogs, tooltips, the question and a warning.
TEST_F(Shutdown, InEnglish)
{
    StartBar();
    SetUiLanguage(LanguageChoice::English);
    StartCountdown(L"1", L"30", L"Auto-shutdown");
    EXPECT_EQ(std::wstring(L"Shutting down in 1 h 30 min"), LastTip());
    MoveUtcClock(30 * 60000);  // an hour left
    Tick();
    EXPECT_EQ(std::wstring(L"Shutting down in 59 min"), LastTip());
    SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
    ASSERT_EQ(1u, g_shown.size());
    EXPECT_EQ(std::wstring(L"Do you want to cancel the auto-shutdown?"), g_shown[0].text);
    EXPECT_EQ(std::wstring(L"Cancel auto-shutdown"), g_shown[0].caption);
    EXPECT_EQ(std::wstring(L"Battery monitor\nBattery 57%"), LastTip());

    std::vector<std::wstring> texts;
    RunDialog(IDD_SHUTDOWN_CONFIRM, ShutdownConfirmDialogProc, 0, L"Shut down", [&texts](HWND dialog) {
        texts.push_back(Text(dialog, IDOK));
        SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
        texts.push_back(Text(dialog, IDOK));
        texts.push_back(Text(dialog, IDCANCEL));
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ((std::vector<std::wstring>{L"OK (20)", L"OK (19)", L"Cancel"}), texts);

    ShutdownRequest request{};
    g_shown.clear();
    RunDialog(IDD_AUTOSHUTDOWN, AutoShutdownDialogProc, reinterpret_cast<LPARAM>(&request), L"Auto-shutdown",
              [](HWND dialog) {
                  SetDlgItemTextW(dialog, IDC_SHUTDOWN_HOURS, L"x");
                  PressOk(dialog);
                  SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
              });
    ASSERT_EQ(1u, g_shown.size());
    EXPECT_EQ(std::wstring(L"Please enter a valid number of hours."), g_shown[0].text);
    EXPECT_EQ(std::wstring(L"Auto-shutdown"), g_shown[0].caption);
}

TEST_F(Shutdown, DeclinedConfirmationRestoresTheBattery)
{
    StartBar();
    StartCountdown(L"0", L"1");
    EXPECT_EQ(std::wstring(L"0:01"), g_barView.text);
    EXPECT_EQ(std::wstring(L"1分钟后自动关机"), LastTip());
    WhenOpen(L"关机确认", [this](HWND dialog) {
        EXPECT_EQ(0, g_barView.percent);
        EXPECT_FALSE(TimerRuns(IDT_SHUTDOWN)) << "no second step while confirming";
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Tick();
    EXPECT_TRUE(g_exitFlags.empty());
    EXPECT_FALSE(IsAutoShutdownRunning());
    EXPECT_EQ(std::wstring(L"57%"), g_barView.text);
    EXPECT_EQ(std::wstring(L"电量监视\n电量 57%"), LastTip());
    EXPECT_EQ(BatteryTrayIcon(), LastIcon());
    EXPECT_TRUE(TimerRuns(IDT_REFRESH));
    EXPECT_FALSE(TimerRuns(IDT_SHUTDOWN));

    // A stray countdown tick while idle changes nothing.
    Tick();
    EXPECT_EQ(std::wstring(L"57%"), g_barView.text);
}

TEST_F(Shutdown, CancelFromTheMenuAskedAndAnswered)
{
    StartBar();
    StartCountdown(L"0", L"45");
    Tick();

    g_answer = IDCANCEL;
    EXPECT_EQ(0, SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0));
    ASSERT_EQ(1u, g_shown.size());
    EXPECT_EQ(std::wstring(L"确定要取消自动关机吗？"), g_shown[0].text);
    EXPECT_EQ(std::wstring(L"取消自动关机"), g_shown[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), g_shown[0].flags);
    EXPECT_EQ(std::wstring(L"0:44"), g_barView.text);
    EXPECT_EQ(97, g_barView.percent);
    EXPECT_TRUE(TimerRuns(IDT_SHUTDOWN));

    g_answer = IDOK;
    SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
    EXPECT_FALSE(IsAutoShutdownRunning());
    EXPECT_EQ(std::wstring(L"57%"), g_barView.text);
    EXPECT_EQ(std::wstring(L"电量监视\n电量 57%"), LastTip());
    EXPECT_EQ(BatteryTrayIcon(), LastIcon());
    EXPECT_FALSE(TimerRuns(IDT_SHUTDOWN));
    EXPECT_TRUE(TimerRuns(IDT_REFRESH));
}

TEST_F(Shutdown, CancelDuringTheConfirmationNeverPowersOff)
{
    StartBar();
    StartCountdown(L"0", L"1");
    WhenOpen(L"关机确认", [this](HWND dialog) {
        SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "the cancel ends the confirmation";
        // Even an OK arriving afterwards must not power off.
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    Tick();
    EXPECT_TRUE(g_exitFlags.empty());
    EXPECT_TRUE(IsWindow(bar));
    EXPECT_FALSE(IsAutoShutdownRunning());
    EXPECT_EQ(std::wstring(L"电量监视\n电量 57%"), LastTip());

    // The confirmation ending by itself while the cancel question is open.
    StartCountdown(L"0", L"1");
    WhenOpen(L"关机确认", [this](HWND dialog) {
        g_whileShown = [dialog]() {
            for (int tick = 0; tick < 20; ++tick)
                SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
        };
        SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
    });
    Tick();
    EXPECT_TRUE(g_exitFlags.empty());
    EXPECT_FALSE(IsAutoShutdownRunning());
}

// The real question box, whose own message loop runs the bar's ticks. The
// minute runs out while it is open; what the user then answers decides.
TEST_F(Shutdown, DeadlineDuringTheCancelQuestion)
{
    StartBar();
    g_realMessageBox = true;
    bool confirmationOpened = false;
    auto deadlinePassesThenAnswer = [this, &confirmationOpened](int answer) {
        WhenOpen(L"取消自动关机", [this, answer, &confirmationOpened](HWND box) {
            Tick();
            EXPECT_EQ(std::wstring(L"0:00"), g_barView.text);
            EXPECT_EQ(nullptr, OpenConfirmDialog()) << "nothing opens the confirmation while asking";
            if (answer == IDCANCEL) {
                WhenOpen(L"关机确认", [&confirmationOpened](HWND dialog) {
                    confirmationOpened = true;
                    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                });
            }
            SendMessageW(box, WM_COMMAND, answer, 0);
        });
        SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
    };

    StartCountdown(L"0", L"1");
    deadlinePassesThenAnswer(IDOK);
    EXPECT_FALSE(confirmationOpened);
    EXPECT_FALSE(IsAutoShutdownRunning());
    EXPECT_EQ(std::wstring(L"电量监视\n电量 57%"), LastTip());

    // Not cancelled after all: the confirmation opens once the question is answered.
    StartCountdown(L"0", L"1");
    deadlinePassesThenAnswer(IDCANCEL);
    EXPECT_TRUE(confirmationOpened);
    EXPECT_FALSE(IsAutoShutdownRunning()) << "declined in the confirmation";
    EXPECT_TRUE(g_exitFlags.empty());
}

// Exit from the tray menu while the question or the confirmation is open.
TEST_F(Shutdown, ExitDuringEitherDialogNeverPowersOff)
{
    g_realMessageBox = true;
    auto exitWhileOpen = [this](wchar_t const* caption) {
        WhenOpen(caption, [this](HWND) {
            MoveUtcClock(120000);
            SendMessageW(bar, WM_COMMAND, IDM_EXIT, 0);
        });
    };
    StartBar();
    StartCountdown(L"0", L"1");
    exitWhileOpen(L"取消自动关机");
    SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_FALSE(IsAutoShutdownRunning());
    DestroyBar(bar);  // drops the WM_QUIT of that exit

    StartBar();
    StartCountdown(L"0", L"1");
    exitWhileOpen(L"关机确认");
    Tick();
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_TRUE(g_exitFlags.empty());
    EXPECT_FALSE(IsAutoShutdownRunning());
}

// The countdown keeps its deadline: a machine that slept past it confirms
// as soon as it wakes; a clock set back gives the time back.
TEST_F(Shutdown, ResumeAndClockChangesWorkFromTheDeadline)
{
    StartBar();
    StartCountdown(L"1", L"0");
    MoveUtcClock(-30 * 60000);
    SendMessageW(bar, WM_TIMECHANGE, 0, 0);
    PumpUntil([] { return std::wstring(L"1:30") == g_barView.text; });
    EXPECT_EQ(std::wstring(L"1:30"), g_barView.text);
    EXPECT_EQ(std::wstring(L"1小时30分钟后自动关机"), LastTip());
    EXPECT_EQ(100, g_barView.percent);

    bool opened = false;
    WhenOpen(L"关机确认", [&opened](HWND dialog) {
        opened = true;
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    MoveUtcClock(90 * 60000 + 150000);
    EXPECT_TRUE(SendMessageW(bar, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0));
    PumpUntil([&opened] { return opened; });
    EXPECT_TRUE(opened) << "the confirmation opens at once after the sleep";
    EXPECT_FALSE(IsAutoShutdownRunning());
}

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// Many countdowns run to their confirmation and declined leave no window,
// handle or paint object behind.
TEST_F(Shutdown, HundredConfirmationsLeaveNothingBehind)
{
    StartBar();
    auto cycle = [this] {
        StartCountdown(L"0", L"1");
        WhenOpen(L"关机确认", [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
        Tick();
    };
    cycle();
    int windowsBefore = 0, windowsAfter = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windowsBefore));
    DWORD handlesBefore = 0, handlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesBefore);
    for (int i = 0; i < 100; ++i)
        cycle();
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windowsAfter));
    GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
    EXPECT_EQ(windowsBefore, windowsAfter);
    EXPECT_EQ(handlesBefore, handlesAfter);
    EXPECT_EQ(0, g_paintObjectsAlive);
    EXPECT_EQ(1, g_barFontsAlive);
    EXPECT_TRUE(g_exitFlags.empty());
    EXPECT_FALSE(IsAutoShutdownRunning());
}

TEST_F(Shutdown, RefusedPowerOffStallsUntilCancelled)
{
    StartBar();
    g_exitResult = FALSE;
    StartCountdown(L"0", L"1");
    WhenOpen(L"关机确认", [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDOK, 0); });
    Tick();
    EXPECT_EQ(1u, g_exitFlags.size());
    EXPECT_TRUE(IsWindow(bar));
    EXPECT_TRUE(IsAutoShutdownRunning());
    EXPECT_EQ(std::wstring(L"0:00"), g_barView.text);
    EXPECT_FALSE(TimerRuns(IDT_SHUTDOWN));
    EXPECT_FALSE(TimerRuns(IDT_REFRESH));
    Tick();  // stalled: no timer, no step
    EXPECT_EQ(std::wstring(L"0:00"), g_barView.text);

    SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
    EXPECT_FALSE(IsAutoShutdownRunning());
    EXPECT_TRUE(TimerRuns(IDT_REFRESH));
}

// A forced power-off can end the program without WM_ENDSESSION: the file is
// written before it is asked for. Refused, the program runs on, and its exit
// writes what changed since.
TEST_F(Shutdown, SettingsAreWrittenBeforeThePowerOffAndAgainAfterARefusal)
{
    StartBar();
    DeleteFileW(IniPath().c_str());
    g_settings.alpha = 201;
    StartCountdown(L"0", L"1");
    WhenOpen(L"关机确认", [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDOK, 0); });
    Tick();
    ASSERT_EQ(1u, g_alphaAtExit.size());
    EXPECT_EQ(201u, g_alphaAtExit[0]);

    OnAutoShutdownExit();  // a new run of the program
    StartBar();
    g_exitResult = FALSE;
    g_settings.alpha = 202;
    StartCountdown(L"0", L"1");
    WhenOpen(L"关机确认", [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDOK, 0); });
    Tick();
    ASSERT_EQ(2u, g_alphaAtExit.size());
    EXPECT_EQ(202u, g_alphaAtExit[1]);
    ASSERT_TRUE(IsWindow(bar));
    g_settings.alpha = 203;
    DestroyWindow(bar);
    EXPECT_EQ(203u, IniAlpha()) << "the exit after a refused power-off saves again";
}

TEST_F(Shutdown, CancelledDialogAndSecondCommandWhileOpen)
{
    StartBar();
    int dialogs = 0;
    WhenOpen(L"自动关机", [this, &dialogs](HWND dialog) {
        EXPECT_TRUE(TimerRuns(IDT_REFRESH)) << "the battery still refreshes";
        EXPECT_EQ(0, SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0));  // returns at once
        EnumThreadWindows(GetCurrentThreadId(), CountShutdownDialogs, reinterpret_cast<LPARAM>(&dialogs));
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
    EXPECT_EQ(1, dialogs);
    EXPECT_FALSE(IsAutoShutdownRunning());
    EXPECT_TRUE(TimerRuns(IDT_REFRESH));
    EXPECT_FALSE(TimerRuns(IDT_SHUTDOWN));
    EXPECT_TRUE(g_shellData.empty()) << "nothing changes in the tray";
}

// A countdown owns the bar and the tip, yet the battery is still read at the
// refresh period: a level crossed meanwhile reminds, and the bar and the
// tip keep the time left.
TEST_F(Shutdown, ReminderCrossingDuringACountdown)
{
    g_settings.alertLow = 20;
    SetReading(0, 1, 21);
    StartBar();
    StartCountdown(L"1", L"0");
    ASSERT_TRUE(IsAutoShutdownRunning());
    EXPECT_FALSE(TimerRuns(IDT_REFRESH));
    EXPECT_TRUE(TimerRuns(IDT_BATTERY_WATCH));
    g_shellData.clear();

    SetReading(0, 2, 19);
    g_reads = 0;
    SendMessageW(bar, WM_TIMER, IDT_BATTERY_WATCH, 0);
    EXPECT_EQ(1, g_reads);
    ASSERT_EQ(1u, g_shellData.size()) << "the reminder alone: the countdown's tip stays";
    EXPECT_EQ(static_cast<UINT>(NIF_INFO), g_shellData[0].uFlags);
    EXPECT_EQ(std::wstring(L"电量低"), g_shellData[0].szInfoTitle);
    EXPECT_EQ(std::wstring(L"1:00"), g_barView.text);
    EXPECT_EQ(100, g_barView.percent);

    // Cancelled: the refresh takes over from the watch, with the tip of the reading.
    g_answer = IDOK;  // "cancel the auto-shutdown?"
    SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
    ASSERT_FALSE(IsAutoShutdownRunning());
    EXPECT_TRUE(TimerRuns(IDT_REFRESH));
    EXPECT_FALSE(TimerRuns(IDT_BATTERY_WATCH));
    EXPECT_EQ(std::wstring(L"电量监视\n电量 19%"), LastTip());
}

// Forced, by the call that forces on Windows 10 and 11, else as Wine can;
// asked, programs may refuse. Always a planned power-off.
TEST_F(Shutdown, ShutdownSystemForcedOrAsked)
{
    DWORD const planned = SHTDN_REASON_FLAG_PLANNED | SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER;
    EXPECT_EQ(POWER_OFF_STARTED, ShutdownSystem(true));
    g_initiateResult = ERROR_SUCCESS;
    EXPECT_EQ(POWER_OFF_STARTED, ShutdownSystem(true));
    g_initiateResult = 1190;  // ERROR_SHUTDOWN_USERS_LOGGED_ON
    EXPECT_EQ(POWER_OFF_OTHER_USERS, ShutdownSystem(true));
    EXPECT_EQ(POWER_OFF_STARTED, ShutdownSystem(false));
    g_exitResult = FALSE;
    EXPECT_EQ(POWER_OFF_FAILED, ShutdownSystem(false));
    EXPECT_EQ(std::vector<DWORD>(3, SHUTDOWN_POWEROFF | SHUTDOWN_FORCE_SELF), g_initiateFlags);
    EXPECT_EQ((std::vector<UINT>{EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF, EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCEIFHUNG,
                                 EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCEIFHUNG}),
              g_exitFlags);
    EXPECT_EQ(std::vector<DWORD>(5, planned), g_shutdownReasons);
}

}  // namespace

// A moment missed in sleep behind the lock screen: the confirmation waits at
// "确定(20)" until the session is unlocked, then counts as usual; it stops
// again if the session locks before the end.
TEST_F(Shutdown, AMomentMissedAsleepWaitsForAnUnlock)
{
    StartBar();
    auto session = [this](WPARAM event) { SendMessageW(bar, WM_WTSSESSION_CHANGE, event, 1); };
    auto sleepPastTheMomentLocked = [&](int answer) {
        session(WTS_SESSION_LOCK);
        StartCountdown(L"0", L"5");
        MoveUtcClock(30 * 60000);
        WhenOpen(L"关机确认", [&, answer](HWND dialog) {
            for (int second = 0; second < 30; ++second)
                SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
            EXPECT_EQ(std::wstring(L"确定(20)"), Text(dialog, IDOK)) << "nothing counts while locked";
            EXPECT_FALSE(KillTimer(dialog, IDT_CONFIRM));
            session(WTS_SESSION_UNLOCK);
            SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
            EXPECT_EQ(std::wstring(L"确定(19)"), Text(dialog, IDOK));
            EXPECT_TRUE(KillTimer(dialog, IDT_CONFIRM)) << "the real seconds run";
            session(WTS_CONSOLE_DISCONNECT);
            SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
            EXPECT_EQ(std::wstring(L"确定(20)"), Text(dialog, IDOK));
            session(WTS_CONSOLE_CONNECT);
            // On top; whether it also takes the focus is Windows' to decide.
            EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
            SendMessageW(dialog, WM_COMMAND, answer, 0);
        });
        EXPECT_TRUE(SendMessageW(bar, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0));
        PumpUntil([] { return !IsAutoShutdownRunning() || !g_exitFlags.empty(); });
    };

    sleepPastTheMomentLocked(IDCANCEL);
    EXPECT_TRUE(g_exitFlags.empty());
    EXPECT_FALSE(IsAutoShutdownRunning());
    EXPECT_EQ(std::wstring(L"电量监视\n电量 57%"), LastTip());

    sleepPastTheMomentLocked(IDOK);
    EXPECT_EQ(1u, g_exitFlags.size());
}

// Scheduled, locked and left: the moment reached awake runs unattended.
TEST_F(Shutdown, AMomentReachedAwakeWhileLockedPowersOff)
{
    StartBar();
    SendMessageW(bar, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1);
    StartCountdown(L"0", L"2");
    MoveUtcClock(61000);
    WhenOpen(L"关机确认", [](HWND dialog) {
        for (int second = 0; second < 20; ++second)
            SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
    });
    Tick();  // a late timer by a second: 0:00 on a busy machine
    EXPECT_EQ(1u, g_exitFlags.size());
}

// "于此时" keeps the picked minute: 14:40 picked at 14:10:20 confirms at
// 14:40:00, not at 14:39:20, while the bar shows the minutes rounded up.
TEST_F(Shutdown, APickedMomentIsTheDeadline)
{
    // The fake UTC clock set to the fake local time in this machine's zone.
    auto ticks = [](FILETIME const& time) {
        return static_cast<LONGLONG>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    SYSTEMTIME utc;
    FILETIME local, now;
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &g_clock, &utc));
    SystemTimeToFileTime(&utc, &local);
    g_system.GetSystemTimeAsFileTime(&now);
    MoveUtcClock((ticks(local) - ticks(now)) / 10000);

    StartBar();
    WhenOpen(L"自动关机", [](HWND dialog) {
        Choose(dialog, IDC_SHUTDOWN_AT);
        SYSTEMTIME at = g_clock;
        at.wMinute = 40;
        SetPicker(dialog, IDC_SHUTDOWN_TIME, at);
        PressOk(dialog);
    });
    SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
    EXPECT_EQ(std::wstring(L"0:30"), g_barView.text);
    bool opened = false;
    WhenOpen(L"关机确认", [&opened](HWND dialog) {
        opened = true;
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    MoveUtcClock(29 * 60000 + 39000);
    SendMessageW(bar, WM_TIMER, IDT_SHUTDOWN, 0);
    EXPECT_EQ(std::wstring(L"0:01"), g_barView.text);
    EXPECT_FALSE(opened);
    MoveUtcClock(1000);
    SendMessageW(bar, WM_TIMER, IDT_SHUTDOWN, 0);
    EXPECT_TRUE(opened);
}

namespace {

// The last notification the icon gave: its title and text.
std::pair<std::wstring, std::wstring> LastNotification()
{
    for (auto it = g_shellData.rbegin(); it != g_shellData.rend(); ++it) {
        if (it->uFlags & NIF_INFO)
            return {it->szInfoTitle, it->szInfo};
    }
    return {};
}

void DisplayState(HWND bar, DWORD state)
{
    struct {
        POWERBROADCAST_SETTING setting;
        BYTE more[sizeof(DWORD)];
    } message;
    message.setting.PowerSetting = GUID_CONSOLE_DISPLAY_STATE;
    message.setting.DataLength = sizeof state;
    CopyMemory(message.setting.Data, &state, sizeof state);
    SendMessageW(bar, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&message));
}

}  // namespace

// The machine is kept awake from OK until the countdown ends, whichever way
// it ends, by a power request or, where none can be made, the execution state.
TEST_F(Shutdown, KeptAwakeFromOkUntilTheEnd)
{
    StartBar();
    g_powerRequestsWork = true;
    StartCountdown(L"2", L"0");
    EXPECT_EQ(1, g_awakeRequests);
    EXPECT_EQ(std::wstring(L"自动关机倒计时"), g_awakeReason);
    EXPECT_EQ(0u, g_executionState);
    SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);  // cancelled from the menu
    EXPECT_EQ(0, g_awakeRequests);

    g_powerRequestsWork = false;  // Wine 8: no request, the execution state instead
    StartCountdown(L"0", L"1");
    EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED), g_executionState);
    WhenOpen(L"关机确认", [](HWND dialog) {
        EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED), g_executionState);
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Tick();
    EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS), g_executionState) << "declined";

    g_powerRequestsWork = true;
    StartCountdown(L"0", L"1");
    WhenOpen(L"关机确认", [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDOK, 0); });
    Tick();
    EXPECT_EQ(1, g_awakeRequests) << "held while the power-off is under way";
    DestroyWindow(bar);
    EXPECT_EQ(0, g_awakeRequests) << "released at exit";
}

// A power-off that does not happen stalls at 0:00 and says why: refused by
// Windows, another user signed in, a program holding it up, or a session
// still there a minute later. Unticked, programs are asked instead of ended.
TEST_F(Shutdown, APowerOffThatDoesNotHappenSaysWhy)
{
    struct Case {
        bool force;
        std::function<void()> arrange;
        std::function<void(HWND)> after;  // once the power-off is under way
        wchar_t const* why;
    } const cases[] = {
        {true, [] { g_initiateResult = 1190; }, nullptr, L"还有其他用户登录着这台电脑，关机需要他们先注销。"},
        {false, [] { g_exitResult = FALSE; }, nullptr, L"Windows 没有接受关机请求。"},
        {false, nullptr, [](HWND b) { SendMessageW(b, WM_ENDSESSION, FALSE, 0); }, L"有程序阻止了关机。"},
        {true, [] { g_initiateResult = ERROR_SUCCESS; },
         [](HWND b) { SendMessageW(b, WM_TIMER, IDT_POWER_OFF_WATCH, 0); }, L"关机开始一分钟后，电脑仍在运行。"},
    };
    StartBar();
    g_powerRequestsWork = true;
    for (Case const& c : cases) {
        ResetFakes();  // keeps the bar
        g_powerRequestsWork = true;
        if (c.arrange)
            c.arrange();
        bool const force = c.force;
        WhenOpen(L"自动关机", [force](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_SHUTDOWN_MINUTES, L"1");
            CheckDlgButton(dialog, IDC_SHUTDOWN_FORCE, force ? BST_CHECKED : BST_UNCHECKED);
            PressOk(dialog);
        });
        SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
        EXPECT_EQ(force, g_settings.forceClose) << "the choice is kept for the settings file";
        WhenOpen(L"关机确认", [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDOK, 0); });
        Tick();
        EXPECT_EQ(force ? std::vector<UINT>{} : std::vector<UINT>{EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCEIFHUNG},
                  g_exitFlags);
        if (c.after) {
            EXPECT_TRUE(LastNotification().first.empty()) << "nothing said while it may still happen";
            c.after(bar);
        }
        EXPECT_EQ(std::wstring(L"自动关机未完成"), LastTip()) << c.why;
        EXPECT_EQ(std::make_pair(std::wstring(L"自动关机未完成"), std::wstring(c.why)), LastNotification());
        EXPECT_EQ(std::wstring(L"0:00"), g_barView.text);
        EXPECT_TRUE(IsAutoShutdownRunning());
        EXPECT_FALSE(TimerRuns(IDT_POWER_OFF_WATCH));
        EXPECT_EQ(0, g_awakeRequests) << "nothing left to stay awake for";
        SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
        EXPECT_FALSE(IsAutoShutdownRunning()) << "cancelled from the menu as before";
    }
}

// Windows' session service may not be ready when the program starts with
// Windows: the registration is asked again until it is taken.
TEST_F(Shutdown, AFailedSessionRegistrationIsRetried)
{
    g_sessionRegistrationsRefused = 1;
    StartBar();
    EXPECT_EQ(1, g_sessionRegistrations);
    EXPECT_TRUE(TimerRuns(IDT_SESSION_RETRY));
    SendMessageW(bar, WM_TIMER, IDT_SESSION_RETRY, 0);
    EXPECT_EQ(2, g_sessionRegistrations);
    EXPECT_FALSE(TimerRuns(IDT_SESSION_RETRY));
}

// Presence is asked of Windows as well as heard: a program started while
// the session was locked, a display that is off, or a session switched away
// from keep the twenty seconds from counting.
TEST_F(Shutdown, PresenceAskedAndDisplayOffWaits)
{
    g_sessionAnswers = true;
    g_sessionLocked = true;  // locked before the program started: no notification
    StartBar();
    auto missedMoment = [this](std::function<void()> meanwhile, std::function<void()> back) {
        StartCountdown(L"0", L"5");
        MoveUtcClock(30 * 60000);
        bool counted = true;
        WhenOpen(L"关机确认", [&](HWND dialog) {
            meanwhile();
            SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
            counted = Text(dialog, IDOK) != L"确定(20)";
            back();
            SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
            EXPECT_EQ(std::wstring(L"确定(19)"), Text(dialog, IDOK));
            SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageW(bar, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
        PumpUntil([] { return !IsAutoShutdownRunning(); });
        return counted;
    };
    EXPECT_FALSE(missedMoment([] {}, [this] {
        g_sessionLocked = false;
        SendMessageW(bar, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1);
    })) << "locked at start";
    EXPECT_FALSE(missedMoment([this] { DisplayState(bar, 0); }, [this] { DisplayState(bar, 2); }))
        << "display off";
    EXPECT_GT(g_sessionQueries, 2);

    // Reached awake while another user has the console: it waits for this
    // session to be the one in use again, then runs unattended.
    g_sessionInUse = false;
    StartCountdown(L"0", L"1");
    WhenOpen(L"关机确认", [this](HWND dialog) {
        SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
        EXPECT_EQ(std::wstring(L"确定(20)"), Text(dialog, IDOK));
        g_sessionInUse = true;
        SendMessageW(bar, WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT, 1);
        for (int second = 0; second < 20; ++second)
            SendMessageW(dialog, WM_TIMER, IDT_CONFIRM, 0);
    });
    Tick();
    EXPECT_EQ(1u, g_exitFlags.size());
}

// Each action speaks for itself in the tooltip, the confirmation, the menu
// and the question before a cancel, in either language; shutting down keeps
// the texts it always had.
TEST_F(Shutdown, EachActionHasItsTexts)
{
    struct Case {
        LanguageChoice language;
        ShutdownAction action;
        wchar_t const *tip, *confirmCaption, *question, *cancelItem, *ask;
    } const cases[] = {
        {LanguageChoice::Chinese, ACTION_SHUTDOWN, L"1小时30分钟后自动关机", L"关机确认",
         L"即将自动关机，确定要关闭计算机吗？", L"取消自动关机", L"确定要取消自动关机吗？"},
        {LanguageChoice::Chinese, ACTION_RESTART, L"1小时30分钟后自动重启", L"重启确认",
         L"即将自动重启，确定要重新启动计算机吗？", L"取消自动重启", L"确定要取消自动重启吗？"},
        {LanguageChoice::Chinese, ACTION_SLEEP, L"1小时30分钟后自动睡眠", L"睡眠确认",
         L"即将自动睡眠，确定要让计算机睡眠吗？", L"取消自动睡眠", L"确定要取消自动睡眠吗？"},
        {LanguageChoice::Chinese, ACTION_HIBERNATE, L"1小时30分钟后自动休眠", L"休眠确认",
         L"即将自动休眠，确定要让计算机休眠吗？", L"取消自动休眠", L"确定要取消自动休眠吗？"},
        {LanguageChoice::English, ACTION_RESTART, L"Restarting in 1 h 30 min", L"Restart",
         L"Restart the computer now?", L"Cancel auto-restart", L"Do you want to cancel the auto-restart?"},
        {LanguageChoice::English, ACTION_SLEEP, L"Sleeping in 1 h 30 min", L"Sleep", L"Put the computer to sleep now?",
         L"Cancel auto-sleep", L"Do you want to cancel the auto-sleep?"},
        {LanguageChoice::English, ACTION_HIBERNATE, L"Hibernating in 1 h 30 min", L"Hibernate",
         L"Hibernate the computer now?", L"Cancel auto-hibernate", L"Do you want to cancel the auto-hibernate?"},
    };
    StartBar();
    for (Case const& c : cases) {
        SCOPED_TRACE(c.tip);
        SetUiLanguage(c.language);
        g_shown.clear();
        StartCountdown(L"1", L"30", c.language == LanguageChoice::English ? L"Auto-shutdown" : L"自动关机", c.action);
        EXPECT_EQ(std::wstring(c.tip), LastTip());
        EXPECT_EQ(c.action, g_settings.shutdownAction) << "kept for the next time";
        wchar_t item[32] = L"";
        LoadUiString(AutoShutdownMenu().cancelText, item, 32);
        EXPECT_EQ(std::wstring(c.cancelItem), item);
        EXPECT_TRUE(AutoShutdownMenu().addTenMinutes);
        MoveUtcClock(89 * 60000);  // a minute left
        EXPECT_EQ((std::vector<std::wstring>{c.confirmCaption, c.question}), ConfirmAndAnswer(c.confirmCaption, IDCANCEL));
        StartCountdown(L"0", L"5", c.language == LanguageChoice::English ? L"Auto-shutdown" : L"自动关机");
        g_answer = IDOK;
        SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
        ASSERT_EQ(1u, g_shown.size());
        EXPECT_EQ(std::wstring(c.ask), g_shown[0].text);
        EXPECT_EQ(std::wstring(c.cancelItem), c.action == ACTION_SHUTDOWN ? c.cancelItem : g_shown[0].caption);
    }
    EXPECT_TRUE(g_exitFlags.empty());
    EXPECT_TRUE(g_suspends.empty());
}

// Restart goes as the power-off does; sleep and hibernation suspend the
// machine and end the countdown, the bar back on the battery.
TEST_F(Shutdown, EachActionIsCarriedOut)
{
    StartBar();
    StartCountdown(L"0", L"1", L"自动关机", ACTION_RESTART);
    ConfirmAndAnswer(L"重启确认", IDOK);
    EXPECT_EQ(std::vector<UINT>{EWX_REBOOT | EWX_FORCE}, g_exitFlags);
    SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);  // cancelled while under way

    for (ShutdownAction action : {ACTION_SLEEP, ACTION_HIBERNATE}) {
        g_powerRequestsWork = true;
        StartCountdown(L"0", L"1", L"自动关机", action);
        ConfirmAndAnswer(action == ACTION_SLEEP ? L"睡眠确认" : L"休眠确认", IDOK);
        EXPECT_FALSE(IsAutoShutdownRunning());
        EXPECT_EQ(0, g_awakeRequests) << "let go before the suspend";
        EXPECT_EQ(std::wstring(L"57%"), g_barView.text);
    }
    EXPECT_EQ((std::vector<bool>{false, true}), g_suspends);
    EXPECT_EQ(1u, g_exitFlags.size()) << "no power-off for either";

    // A suspend Windows does not do is said as a power-off that does not happen.
    g_suspendResult = FALSE;
    StartCountdown(L"0", L"1", L"自动关机", ACTION_SLEEP);
    ConfirmAndAnswer(L"睡眠确认", IDOK);
    EXPECT_TRUE(IsAutoShutdownRunning());
    EXPECT_EQ(std::wstring(L"自动睡眠未完成"), LastTip());
}

// Ten more minutes, from the confirmation or the menu, count again with the
// same action; a sleep whose moment the machine slept through is dropped.
TEST_F(Shutdown, TenMoreMinutesAndAMissedSleep)
{
    StartBar();
    StartCountdown(L"0", L"1", L"自动关机", ACTION_SLEEP);
    ConfirmAndAnswer(L"睡眠确认", IDC_CONFIRM_LATER);
    EXPECT_EQ(std::wstring(L"0:10"), g_barView.text);
    EXPECT_EQ(std::wstring(L"10分钟后自动睡眠"), LastTip());
    EXPECT_EQ(100, g_barView.percent);
    SendMessageW(bar, WM_COMMAND, IDM_ADD_TEN_MINUTES, 0);
    EXPECT_EQ(std::wstring(L"0:20"), g_barView.text);
    MoveUtcClock(19 * 60000);
    ConfirmAndAnswer(L"睡眠确认", IDOK);
    EXPECT_EQ(std::vector<bool>{false}, g_suspends) << "twenty minutes later, asleep as chosen";
    EXPECT_TRUE(g_exitFlags.empty());

    StartCountdown(L"0", L"5", L"自动关机", ACTION_SLEEP);
    MoveUtcClock(30 * 60000);
    bool opened = false;
    WhenOpen(L"睡眠确认", [&opened](HWND dialog) {
        opened = true;
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessageW(bar, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    PumpUntil([] { return !IsAutoShutdownRunning(); });
    EXPECT_FALSE(opened);
    EXPECT_FALSE(IsAutoShutdownRunning());
    EXPECT_EQ(1u, g_suspends.size()) << "not carried out on the machine just woken";
}

// The list offers what the machine has: hibernation only with S4 and its
// file, sleep only with a sleep state.
TEST_F(Shutdown, ActionsListedAsTheMachineHasThem)
{
    auto listed = [](std::function<void()> arrange) {
        arrange();
        std::vector<LRESULT> actions;
        ShutdownRequest request{0, 0, {}, 0, ACTION_HIBERNATE};
        RunDialog(IDD_AUTOSHUTDOWN, AutoShutdownDialogProc, reinterpret_cast<LPARAM>(&request), L"自动关机",
                  [&actions](HWND dialog) {
                      HWND list = GetDlgItem(dialog, IDC_SHUTDOWN_ACTION);
                      for (LRESULT i = 0; i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i)
                          actions.push_back(SendMessageW(list, CB_GETITEMDATA, i, 0));
                      actions.push_back(SendMessageW(list, CB_GETITEMDATA, SendMessageW(list, CB_GETCURSEL, 0, 0), 0));
                      PressOk(dialog);
                  });
        EXPECT_EQ(actions.back(), request.action);
        return actions;
    };
    EXPECT_EQ((std::vector<LRESULT>{0, 1, 2, 3, ACTION_HIBERNATE}), listed([] {}));
    EXPECT_EQ((std::vector<LRESULT>{0, 1, 2, ACTION_SHUTDOWN}), listed([] { g_powerCapabilities.HiberFilePresent = FALSE; }))
        << "hibernate chosen last, now missing: shutting down";
    EXPECT_EQ((std::vector<LRESULT>{0, 1, ACTION_SHUTDOWN}), listed([] { g_powerCapabilities.SystemS1 = FALSE; }));
}
