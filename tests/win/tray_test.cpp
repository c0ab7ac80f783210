// The tray icon's operations, its context menu, the accelerators and the
// About box, driven through the real bar window under Wine.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/win/dialog_template.h"
#include "tests/win/fakes.h"
#include "base/app_mode.h"
#include "tray/about_box.h"
#include "tray/tray_menu.h"

namespace {

using namespace fakes;

// What the menu looked like when it would have been tracked.
struct TrackedMenu {
    HMENU menu;
    UINT flags;
    int x, y, reserved;
    HWND owner;
    RECT const* exclude;
    std::vector<UINT> ids;
    std::vector<std::wstring> texts;
    std::vector<UINT> types;
};
std::vector<TrackedMenu> g_tracked;

BOOL WINAPI RecordTrack(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, RECT const* exclude)
{
    TrackedMenu tracked{menu, flags, x, y, reserved, owner, exclude, {}, {}, {}};
    int const count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        WCHAR text[64] = L"";
        MENUITEMINFOW item;
        ZeroMemory(&item, sizeof item);
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = ARRAYSIZE(text);
        GetMenuItemInfoW(menu, i, TRUE, &item);
        tracked.ids.push_back(item.wID);
        tracked.texts.push_back(text);
        tracked.types.push_back(item.fType);
    }
    g_tracked.push_back(tracked);
    return TRUE;
}

// Everything but the named members must stay zero: the shell reads no others.
void ExpectOnlyFilled(NOTIFYICONDATAW data, HWND owner, UINT flags)
{
    EXPECT_EQ(TRAY_RECORD_SIZE, data.cbSize);
    EXPECT_EQ(owner, data.hWnd);
    EXPECT_EQ(1u, data.uID);
    EXPECT_EQ(flags, data.uFlags);
    if (flags & NIF_MESSAGE) {
        EXPECT_EQ(1025u, data.uCallbackMessage);
    }
    if (flags & NIF_ICON) {
        EXPECT_NE(nullptr, data.hIcon);
    }
    data.cbSize = 0;
    data.hWnd = nullptr;
    data.uID = 0;
    data.uFlags = 0;
    if (flags & NIF_MESSAGE)
        data.uCallbackMessage = 0;
    if (flags & NIF_ICON)
        data.hIcon = nullptr;
    if (flags & NIF_TIP)
        ZeroMemory(data.szTip, sizeof data.szTip);
    data.uVersion = 0;  // NIM_SETVERSION's one member: checked by the caller
    NOTIFYICONDATAW zero;
    ZeroMemory(&zero, sizeof zero);
    EXPECT_EQ(0, std::memcmp(&zero, &data, sizeof zero)) << "a member the flags do not name was set";
}

std::wstring Resource(UINT id)
{
    WCHAR text[128] = L"";
    LoadUiString(id, text, ARRAYSIZE(text));
    return text;
}

class Tray : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakes();
        SetReading(0, 1, 80);
        g_tracking = RecordTrack;
        g_tracked.clear();
    }

    void TearDown() override
    {
        DestroyBar(bar);
    }

    void Start()
    {
        ASSERT_TRUE(InitInstance(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
        bar = g_barWindow;
        g_shellMessages.clear();
        g_shellData.clear();
    }

    HWND bar = nullptr;
};

TEST_F(Tray, FourOperationsFillOnlyTheirMembers)
{
    HWND const owner = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
    HICON const icon = LoadIconW(g_instance, MAKEINTRESOURCEW(IDI_BRISVANE));
    HICON const other = LoadIconW(g_instance, MAKEINTRESOURCEW(IDI_SHUTDOWN));
    ASSERT_NE(nullptr, icon);
    ASSERT_NE(nullptr, other);

    EXPECT_TRUE(AddTrayIcon(owner, icon));
    EXPECT_TRUE(SetTrayTip(owner, L"剩余 1:05"));
    EXPECT_TRUE(SetTrayIcon(owner, other));
    EXPECT_TRUE(RemoveTrayIcon(owner));

    ASSERT_EQ(5u, g_shellMessages.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), g_shellMessages[0]);
    ExpectOnlyFilled(g_shellData[0], owner, NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    EXPECT_EQ(icon, g_shellData[0].hIcon);
    EXPECT_EQ(std::wstring(L"电量监视"), g_shellData[0].szTip);

    // Version 4 tells what becomes of a notification; its tooltip needs NIF_SHOWTIP.
    EXPECT_EQ(static_cast<DWORD>(NIM_SETVERSION), g_shellMessages[1]);
    ExpectOnlyFilled(g_shellData[1], owner, 0);
    EXPECT_EQ(static_cast<UINT>(NOTIFYICON_VERSION_4), g_shellData[1].uVersion);

    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), g_shellMessages[2]);
    ExpectOnlyFilled(g_shellData[2], owner, NIF_TIP | NIF_SHOWTIP);
    EXPECT_EQ(std::wstring(L"剩余 1:05"), g_shellData[2].szTip);

    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), g_shellMessages[3]);
    ExpectOnlyFilled(g_shellData[3], owner, NIF_ICON);
    EXPECT_EQ(other, g_shellData[3].hIcon);

    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), g_shellMessages[4]);
    ExpectOnlyFilled(g_shellData[4], owner, 0);
}

TEST_F(Tray, NullIconMakesNoCallAndOverlongTipIsCut)
{
    HWND const owner = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
    EXPECT_FALSE(SetTrayIcon(owner, nullptr));
    EXPECT_TRUE(g_shellMessages.empty());

    std::wstring const longText(300, L'时');
    SetTrayTip(owner, longText.c_str());
    ASSERT_EQ(1u, g_shellData.size());
    EXPECT_EQ(std::wstring(127, L'时'), g_shellData[0].szTip);
    SetTrayTip(owner, L"");
    EXPECT_EQ(std::wstring(), g_shellData[1].szTip);
}

TEST_F(Tray, MenuResourceHoldsSixItemsInEitherLanguage)
{
    struct {
        LanguageChoice language;
        std::vector<std::wstring> texts;
        wchar_t const* cancel;
    } const languages[] = {
        {LanguageChoice::Chinese, {L"自动关机", L"选项", L"电池信息", L"关于", L"", L"退出"}, L"取消自动关机"},
        {LanguageChoice::English, {L"Auto-shutdown", L"Options", L"Battery details", L"About", L"", L"Exit"}, L"Cancel auto-shutdown"},
    };
    for (auto const& l : languages) {
        SetUiLanguage(l.language);
        HMENU menu = LoadUiMenu(IDM_CONTEXT);
        ASSERT_NE(nullptr, menu);
        EXPECT_EQ(1, GetMenuItemCount(menu));
        WCHAR caption[32] = L"";
        GetMenuStringW(menu, 0, caption, ARRAYSIZE(caption), MF_BYPOSITION);
        EXPECT_EQ(std::wstring(L"ContextMenu"), caption);
        g_tracked.clear();
        RecordTrack(GetSubMenu(menu, 0), 0, 0, 0, 0, nullptr, nullptr);
        DestroyMenu(menu);

        TrackedMenu const& m = g_tracked.at(0);
        std::vector<UINT> const ids{IDM_AUTOSHUTDOWN, IDM_OPTIONS, IDM_BATTERY_DETAILS, IDM_ABOUT, 0, IDM_EXIT};
        EXPECT_EQ(ids, m.ids);
        EXPECT_EQ(l.texts, m.texts);
        EXPECT_EQ(m.texts[2], Resource(IDS_DETAILS_TITLE)) << "the item is named as its window";
        ASSERT_EQ(6u, m.types.size());
        for (size_t i = 0; i < 6; ++i)
            EXPECT_EQ(i == 4 ? static_cast<UINT>(MFT_SEPARATOR) : 0u, m.types[i]) << "item " << i;
        EXPECT_EQ(std::wstring(l.cancel), Resource(IDS_TRAY_CANCEL_SHUTDOWN));
    }
}

TEST_F(Tray, RightButtonReleaseTracksAFreshMenuAtTheCursor)
{
    Start();
    SetCursorPos(321, 234);
    POINT cursor;
    GetCursorPos(&cursor);
    MSG msg;
    while (PeekMessageW(&msg, bar, 0, 0, PM_REMOVE)) {
    }

    for (bool counting : {false, true, false}) {
        if (counting)
            StartTestCountdown(bar, 5);
        else
            EndTestCountdown(bar);
        ValidateRect(bar, nullptr);  // the bar's repaint is no business of the menu's
        EXPECT_EQ(1, SendMessageW(bar, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_RBUTTONUP));
    }
    ASSERT_EQ(3u, g_tracked.size());
    for (TrackedMenu const& m : g_tracked) {
        EXPECT_EQ(0u, m.flags);
        EXPECT_EQ(cursor.x, m.x);
        EXPECT_EQ(cursor.y, m.y);
        EXPECT_EQ(0, m.reserved);
        EXPECT_EQ(bar, m.owner);
        EXPECT_EQ(nullptr, m.exclude);
        EXPECT_FALSE(IsMenu(m.menu)) << "the loaded menu must be destroyed";
        // While counting, "延后10分钟" stands above the cancel.
        size_t const first = m.ids.size() == 7 ? 1 : 0;
        ASSERT_EQ(6u + first, m.ids.size());
        EXPECT_EQ(static_cast<UINT>(IDM_AUTOSHUTDOWN), m.ids[first]) << "the command never changes";
        EXPECT_EQ(std::wstring(L"选项"), m.texts[first + 1]);
    }
    EXPECT_EQ(std::wstring(L"自动关机"), g_tracked[0].texts[0]);
    ASSERT_EQ(7u, g_tracked[1].ids.size());
    EXPECT_EQ(static_cast<UINT>(IDM_ADD_TEN_MINUTES), g_tracked[1].ids[0]);
    EXPECT_EQ(std::wstring(L"延后10分钟"), g_tracked[1].texts[0]);
    EXPECT_EQ(std::wstring(L"取消自动关机"), g_tracked[1].texts[1]);
    EXPECT_EQ(Resource(IDS_TRAY_CANCEL_SHUTDOWN), g_tracked[1].texts[1]);
    EXPECT_EQ(std::wstring(L"自动关机"), g_tracked[2].texts[0]) << "loaded afresh after the countdown";

    int nulls = 0;
    while (PeekMessageW(&msg, bar, 0, 0, PM_REMOVE))
        nulls += msg.message == WM_NULL ? 1 : 0;
    EXPECT_EQ(3, nulls) << "one WM_NULL after each menu";

    // A newer shell puts the icon id into the high word; the low word decides.
    EXPECT_EQ(1, SendMessageW(bar, WM_TRAYNOTIFY, TRAY_ICON_ID, MAKELPARAM(WM_RBUTTONUP, 1)));
    EXPECT_EQ(4u, g_tracked.size());
}

TEST_F(Tray, OtherMouseEventsOpenNothing)
{
    Start();
    UINT const events[] = {WM_MOUSEMOVE,    WM_LBUTTONDOWN, WM_LBUTTONUP,   WM_LBUTTONDBLCLK,
                           WM_RBUTTONDOWN,  WM_RBUTTONDBLCLK, WM_MBUTTONUP, WM_CONTEXTMENU,
                           WM_USER,         0,              0xFFFF};
    for (UINT event : events) {
        EXPECT_EQ(1, SendMessageW(bar, WM_TRAYNOTIFY, TRAY_ICON_ID, event)) << event;
    }
    // The high word alone must not count as the event.
    EXPECT_EQ(1, SendMessageW(bar, WM_TRAYNOTIFY, TRAY_ICON_ID, MAKELPARAM(WM_LBUTTONUP, WM_RBUTTONUP)));
    EXPECT_TRUE(g_tracked.empty());
    EXPECT_TRUE(g_shellMessages.empty());
}

// The About box, probed from a thread timer that its modal loop dispatches.
std::function<void(HWND)> g_probe;
int g_probeTicks;

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    WCHAR name[16];
    if (IsWindowVisible(window) && GetClassNameW(window, name, 16) && std::wstring(name) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ProbeTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    ++g_probeTicks;
    if (g_probe)
        g_probe(dialog);
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog != nullptr)
        EndDialog(dialog, 99);
}

// Runs what opens the box; the probe sees it and must close it.
void WithProbe(std::function<void(HWND)> probe, std::function<void()> open)
{
    g_probe = std::move(probe);
    g_probeTicks = 0;
    UINT_PTR const timer = SetTimer(nullptr, 0, 30, ProbeTick);
    // A box nobody closes would hang the test: give up after a few seconds.
    UINT_PTR const guard = SetTimer(nullptr, 0, 8000, GiveUp);
    open();
    KillTimer(nullptr, timer);
    KillTimer(nullptr, guard);
    g_probe = nullptr;
}

INT_PTR RunAboutBox(HWND owner, std::function<void(HWND)> probe)
{
    INT_PTR result = -1;
    WithProbe(probe, [&] {
        result = UiDialogBox(g_instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, AboutDialogProc, 0);
    });
    return result;
}

TEST_F(Tray, AboutBoxEndsWithOkOrCancelOnly)
{
    // An unknown command leaves it open; the next tick closes it.
    INT_PTR result = RunAboutBox(nullptr, [](HWND dialog) {
        if (g_probeTicks == 1)
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(4242, BN_CLICKED), 0);
        else
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_GE(g_probeTicks, 2);

    result = RunAboutBox(nullptr, [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDCANCEL, result);

    // The close box.
    result = RunAboutBox(nullptr, [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(IDCANCEL, result);

    // Enter and Escape reach the focused OK button through the dialog loop.
    for (WPARAM key : {static_cast<WPARAM>(VK_RETURN), static_cast<WPARAM>(VK_ESCAPE)}) {
        result = RunAboutBox(nullptr, [key](HWND dialog) {
            PostMessageW(GetDlgItem(dialog, IDOK), WM_KEYDOWN, key, 1);
        });
        EXPECT_EQ(key == VK_RETURN ? IDOK : IDCANCEL, result) << "key " << key;
    }
}

TEST_F(Tray, AboutCommandOpensTheBoxBottomRightAndTopmost)
{
    Start();
    int const cap = GetSystemMetrics(SM_CYCAPTION);
    RECT seen{};
    LONG exStyle = 0;
    HWND owner = nullptr;
    HWND focus = nullptr;
    HWND ok = nullptr;
    std::wstring title;
    LRESULT icon = 0;
    LRESULT result = -1;
    WithProbe(
        [&](HWND dialog) {
            GetWindowRect(dialog, &seen);
            exStyle = GetWindowLongW(dialog, GWL_EXSTYLE);
            owner = GetWindow(dialog, GW_OWNER);
            focus = GetFocus();
            ok = GetDlgItem(dialog, IDOK);
            WCHAR text[32] = L"";
            GetWindowTextW(dialog, text, ARRAYSIZE(text));
            title = text;
            icon = SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0);
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        },
        [&] { result = SendMessageW(bar, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0); });
    EXPECT_EQ(0, result);
    ASSERT_EQ(1, g_probeTicks) << "the About box did not open";
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - cap - 3, seen.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - cap - 3, seen.bottom);
    EXPECT_GT(seen.right - seen.left, 100) << "moved, not resized";
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(bar, owner);
    EXPECT_EQ(ok, focus);
    EXPECT_EQ(std::wstring(L"关于"), title);
    EXPECT_NE(0, icon) << "the program's icon is shown";
    EXPECT_TRUE(IsWindow(bar));
}

// Alt held in this thread's key state, as the real keyboard would leave it.
void HoldAlt(bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = down ? 0x80 : 0;
    keys[VK_LMENU] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

std::vector<WPARAM> g_commands;

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        g_commands.push_back(wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LPARAM const ALT_CONTEXT = 0x20000000;  // the key-data bit of a key pressed with Alt

TEST_F(Tray, AcceleratorsAreAltWithTheCharactersQuestionMarkAndSlash)
{
    HACCEL table = LoadAcceleratorsW(g_instance, MAKEINTRESOURCEW(IDA_BRISVANE));
    ASSERT_NE(nullptr, table);
    ACCEL entries[4];
    ASSERT_EQ(2, CopyAcceleratorTableW(table, entries, 4));
    for (ACCEL const& entry : entries) {
        if (&entry == entries + 2)
            break;
        EXPECT_EQ(FALT, entry.fVirt & (FALT | FVIRTKEY | FCONTROL | FSHIFT)) << "Alt with a character code";
        EXPECT_EQ(IDM_ABOUT, entry.cmd);
    }
    EXPECT_EQ('?', entries[0].key);
    EXPECT_EQ('/', entries[1].key);

    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordCommands;
    wc.hInstance = g_instance;
    wc.lpszClassName = L"AcceleratorTarget";
    RegisterClassW(&wc);
    HWND target = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, g_instance,
                                  nullptr);
    ASSERT_NE(nullptr, target);
    auto translates = [&](UINT message, WPARAM key, LPARAM data) {
        MSG msg{target, message, key, data, 0, {0, 0}};
        return TranslateAcceleratorW(target, table, &msg) != 0;
    };

    g_commands.clear();
    HoldAlt(true);
    EXPECT_TRUE(translates(WM_SYSCHAR, '?', ALT_CONTEXT | 1));
    EXPECT_TRUE(translates(WM_SYSCHAR, '/', ALT_CONTEXT | 1));
    EXPECT_FALSE(translates(WM_SYSCHAR, 'A', ALT_CONTEXT | 1));
    HoldAlt(false);
    EXPECT_FALSE(translates(WM_CHAR, '?', 1)) << "without Alt a question mark is just typed";
    EXPECT_FALSE(translates(WM_CHAR, '/', 1));

    MSG msg;
    while (PeekMessageW(&msg, target, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    std::vector<WPARAM> const expected{MAKEWPARAM(IDM_ABOUT, 1), MAKEWPARAM(IDM_ABOUT, 1)};
    EXPECT_EQ(expected, g_commands);
    DestroyWindow(target);
    DestroyAcceleratorTable(table);
}

TEST_F(Tray, AcceleratorOpensTheAboutBoxFromTheBar)
{
    Start();
    HACCEL table = LoadAcceleratorsW(g_instance, MAKEINTRESOURCEW(IDA_BRISVANE));
    WithProbe([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); },
              [&] {
                  HoldAlt(true);
                  MSG msg{bar, WM_SYSCHAR, '?', ALT_CONTEXT | 1, 0, {0, 0}};
                  EXPECT_TRUE(TranslateAcceleratorW(bar, table, &msg));
                  HoldAlt(false);
              });
    EXPECT_EQ(1, g_probeTicks) << "the About box did not open";
    DestroyAcceleratorTable(table);
}

TEST_F(Tray, AboutTemplateHasItsLayout)
{
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(IDD_ABOUTBOX, &t)) << "an extended template";
    EXPECT_EQ(0u, t.exStyle) << "no extended style";
    EXPECT_EQ(static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT), t.style);
    EXPECT_EQ(5u, t.items.size());
    EXPECT_EQ(22, t.x);
    EXPECT_EQ(17, t.y);
    EXPECT_EQ(196, t.cx);
    EXPECT_EQ(77, t.cy);
    EXPECT_EQ(L"", t.menu);
    EXPECT_EQ(L"", t.windowClass);
    EXPECT_EQ(L"关于", t.caption);
    EXPECT_EQ(9, t.pointSize);
    EXPECT_EQ(L"Microsoft YaHei UI", t.face);

    DWORD const common = WS_CHILD | WS_VISIBLE;
    std::vector<TemplateItem> const expected{
        {common | SS_ICON, 0, 14, 9, 20, 20, IDC_ABOUT_ICON, L"Static", L"#131"},
        {common | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, 49, 10, 119, 8, 0xFFFFFFFF, L"Static", L""},
        {common | SS_LEFT | WS_GROUP, 0, 49, 20, 119, 8, 0xFFFFFFFF, L"Static", L""},
        {common | SS_LEFT | WS_GROUP, 0, 49, 31, 137, 8, 0xFFFFFFFF, L"Static", L""},
        {common | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 132, 54, 56, 15, IDOK, L"Button", L"确定"},
    };
    ASSERT_EQ(expected.size(), t.items.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        TemplateItem const& want = expected[i];
        TemplateItem const& item = t.items[i];
        EXPECT_EQ(0u, item.exStyle);
        EXPECT_EQ(want.id, item.id);
        // The class by atom, or by name as some resource compilers write it, in any case.
        EXPECT_EQ(0, lstrcmpiW(want.className.c_str(), item.className.c_str())) << "control " << item.id;
        EXPECT_EQ(want.style, item.style) << "control " << item.id;
        EXPECT_EQ(want.x, item.x);
        EXPECT_EQ(want.y, item.y);
        EXPECT_EQ(want.cx, item.cx);
        EXPECT_EQ(want.cy, item.cy);
    }
    EXPECT_EQ(L"#131", t.items[0].text) << "the program's icon";
    std::wstring const suffix = L" 1.0 版";
    ASSERT_GT(t.items[1].text.size(), suffix.size());
    EXPECT_EQ(suffix, t.items[1].text.substr(t.items[1].text.size() - suffix.size()));
    EXPECT_FALSE(t.items[2].text.empty());
    EXPECT_FALSE(t.items[3].text.empty());
    EXPECT_EQ(L"确定", t.items[4].text);
}

TEST_F(Tray, TaskbarCreatedAddsTheIconAsItLooksNow)
{
    Start();
    UINT const taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    ASSERT_NE(0u, taskbarCreated);

    EXPECT_EQ(0, SendMessageW(bar, taskbarCreated, 0, 0));
    ASSERT_EQ(2u, g_shellMessages.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), g_shellMessages[0]);
    EXPECT_EQ(static_cast<DWORD>(NIM_SETVERSION), g_shellMessages[1]);
    ExpectOnlyFilled(g_shellData[0], bar, NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    EXPECT_EQ(BatteryTrayIcon(), g_shellData[0].hIcon);
    EXPECT_EQ(std::wstring(L"电量监视\n电量 80%"), g_shellData[0].szTip);

    // During a countdown: its icon and text, also after a refused null icon.
    SetTrayIcon(bar, CountdownTrayIcon());
    SetTrayIcon(bar, nullptr);
    SetTrayTip(bar, L"自动关机 0:42");
    g_shellMessages.clear();
    g_shellData.clear();
    SendMessageW(bar, taskbarCreated, 0, 0);
    ASSERT_EQ(2u, g_shellMessages.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), g_shellMessages[0]);
    ExpectOnlyFilled(g_shellData[0], bar, NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    EXPECT_EQ(CountdownTrayIcon(), g_shellData[0].hIcon);
    EXPECT_EQ(std::wstring(L"自动关机 0:42"), g_shellData[0].szTip);

    // Back to the battery display.
    SetTrayIcon(bar, BatteryTrayIcon());
    SetTrayTip(bar, Resource(IDS_TRAY_TIP).c_str());
    g_shellData.clear();
    SendMessageW(bar, taskbarCreated, 0, 0);
    ASSERT_EQ(2u, g_shellData.size());
    EXPECT_EQ(BatteryTrayIcon(), g_shellData[0].hIcon);
    EXPECT_EQ(std::wstring(L"电量监视"), g_shellData[0].szTip);
}

// At logon Explorer may not take icons yet, and no TaskbarCreated follows
// when it was only late: the refused icon is offered again on a timer until
// the shell takes it, and likewise after a refused TaskbarCreated.
TEST_F(Tray, RefusedIconIsOfferedAgainUntilTaken)
{
    g_shellRefusals = 1;
    g_shellHoldsIcon = FALSE;
    Start();
    EXPECT_FALSE(IsTrayIconShown());
    std::wstring const tip = L"电量监视\n电量 80%";
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "at start-up" : "after TaskbarCreated");
        g_shellRefusals = 1;
        g_shellMessages.clear();
        g_shellData.clear();
        SendMessageW(bar, WM_TIMER, IDT_TRAY_RETRY, 0);
        EXPECT_FALSE(IsTrayIconShown());
        SendMessageW(bar, WM_TIMER, IDT_TRAY_RETRY, 0);
        EXPECT_TRUE(IsTrayIconShown());
        // Refused, then asked whether it is there already (no), then taken.
        std::vector<DWORD> const offers{NIM_ADD, NIM_MODIFY, NIM_ADD, NIM_SETVERSION};
        EXPECT_EQ(offers, g_shellMessages);
        ASSERT_EQ(4u, g_shellData.size());
        ExpectOnlyFilled(g_shellData[2], bar, NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
        EXPECT_EQ(BatteryTrayIcon(), g_shellData[2].hIcon);
        EXPECT_EQ(tip, g_shellData[2].szTip);
        EXPECT_FALSE(KillTimer(bar, IDT_TRAY_RETRY)) << "no more offers once taken";

        g_shellRefusals = 1;
        g_shellHoldsIcon = FALSE;  // a new Explorer, not ready yet
        SendMessageW(bar, TaskbarCreatedMessage(), 0, 0);
        EXPECT_FALSE(IsTrayIconShown());
        g_shellMessages.clear();
        g_shellData.clear();
    }
    SendMessageW(bar, WM_TIMER, IDT_TRAY_RETRY, 0);
    EXPECT_TRUE(IsTrayIconShown());
    g_shellMessages.clear();
    SendMessageW(bar, WM_TIMER, IDT_TRAY_RETRY, 0);  // one queued before it was taken
    EXPECT_TRUE(g_shellMessages.empty());

    // A TaskbarCreated for an icon the shell still holds (a new DPI) takes the change.
    g_shellHoldsIcon = TRUE;
    g_shellRefusals = 1;
    SendMessageW(bar, TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(IsTrayIconShown());
    EXPECT_FALSE(KillTimer(bar, IDT_TRAY_RETRY));
}

// Where uxtheme lacks the unnamed functions (as Wine's does), nothing is
// called and the menu opens as it always did, in the light look.
TEST_F(Tray, MenuOpensWhereTheAppModeFunctionsAreMissing)
{
    Start();
    HMODULE const uxtheme = LoadLibraryW(L"uxtheme.dll");
    if (uxtheme != nullptr && GetProcAddress(uxtheme, MAKEINTRESOURCEA(135)) != nullptr)
        GTEST_SKIP() << "this system's uxtheme has ordinal 135";
    EXPECT_FALSE(LetMenusFollowAppMode());
    SendMessageW(bar, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    SendMessageW(bar, WM_TRAYNOTIFY, 0, WM_RBUTTONUP);
    ASSERT_EQ(1u, g_tracked.size());
    ASSERT_FALSE(g_tracked[0].ids.empty());
    EXPECT_EQ(static_cast<UINT>(IDM_EXIT), g_tracked[0].ids.back());
}

}  // namespace
