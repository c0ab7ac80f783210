// The Options dialog under Wine, created from its template with its own
// procedure and driven by the control messages a user's input produces; and
// ApplyOptions, observed on the bar, the registry and the hook calls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/bar_window.h"
#include "options/options_command.h"
#include "options/options_dialog.h"
#include "settings/autostart.h"
#include "tests/win/dialog_template.h"
#include "tests/win/fakes.h"

namespace {

TEST(OptionsTemplate, StyleSizeFontAndControlsInTabOrder)
{
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(IDD_OPTIONS, &t));
    EXPECT_EQ(0x80C800C8u, t.style);
    EXPECT_EQ(0u, t.exStyle);
    EXPECT_EQ(226, t.cx);
    EXPECT_EQ(186, t.cy);
    EXPECT_EQ(std::wstring(L"选项"), t.caption);
    EXPECT_EQ(9, t.pointSize);
    EXPECT_EQ(400, t.weight);
    EXPECT_EQ(std::wstring(L"Microsoft YaHei UI"), t.face);

    DWORD const shown = WS_CHILD | WS_VISIBLE;
    DWORD const UPDOWN_STYLE = UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
    TemplateItem const expected[] = {
        {shown | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 108, 164, 50, 14, IDOK, L"Button", L"确定"},
        {shown | BS_PUSHBUTTON | WS_TABSTOP, 0, 162, 164, 50, 14, IDCANCEL, L"Button", L"取消"},
        {shown | SS_LEFT | WS_GROUP, 0, 6, 8, 42, 8, 0xFFFFFFFF, L"Static", L"更新频率："},
        {shown | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 54, 6, 48, 114, IDC_OPTIONS_INTERVAL, L"ComboBox",
         L""},
        {shown | SS_LEFT | WS_GROUP, 0, 6, 30, 41, 8, 0xFFFFFFFF, L"Static", L"不透明度："},
        {shown | TBS_AUTOTICKS | WS_TABSTOP, 0, 54, 27, 84, 18, IDC_OPTIONS_ALPHA, L"msctls_trackbar32", L""},
        {shown | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 6, 54, 144, 10, IDC_OPTIONS_ADHERE, L"Button",
         L"依附到当前窗口的标题栏（右上角）"},
        {shown | SS_LEFT | WS_GROUP, 0, 108, 8, 9, 8, 0xFFFFFFFF, L"Static", L"秒"},
        {shown | BS_AUTOCHECKBOX | WS_TABSTOP | WS_DISABLED, 0, 24, 70, 192, 10, IDC_OPTIONS_IGNOREDUI, L"Button",
         L"忽略自绘窗口（如QQ聊天窗口）（重启程序生效）"},
        {shown | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 6, 90, 64, 10, IDC_OPTIONS_AUTORUN, L"Button", L"开机自动运行"},
        {shown | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 0, 150, 28, 30, 14, IDC_OPTIONS_ALPHA_EDIT, L"Edit", L""},
        {shown | SS_LEFT | WS_GROUP, 0, 6, 110, 42, 8, 0xFFFFFFFF, L"Static", L"条上显示："},
        {shown | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 54, 108, 64, 60, IDC_OPTIONS_BARTEXT, L"ComboBox",
         L""},
        {shown | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 6, 128, 46, 10, IDC_OPTIONS_ALERTLOW, L"Button", L"电量低于"},
        {shown | WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, 0, 54, 126, 30, 12, IDC_OPTIONS_ALERTLOW_EDIT,
         L"Edit", L""},
        {shown | UPDOWN_STYLE, 0, 84, 126, 10, 12, IDC_OPTIONS_ALERTLOW_SPIN, L"msctls_updown32", L""},
        {shown | SS_LEFT | WS_GROUP, 0, 88, 128, 40, 8, 0xFFFFFFFF, L"Static", L"% 时提醒"},
        {shown | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 6, 146, 46, 10, IDC_OPTIONS_ALERTHIGH, L"Button", L"充电到"},
        {shown | WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, 0, 54, 144, 30, 12, IDC_OPTIONS_ALERTHIGH_EDIT,
         L"Edit", L""},
        {shown | UPDOWN_STYLE, 0, 84, 144, 10, 12, IDC_OPTIONS_ALERTHIGH_SPIN, L"msctls_updown32", L""},
        {shown | SS_LEFT | WS_GROUP, 0, 88, 146, 40, 8, 0xFFFFFFFF, L"Static", L"% 时提醒"},
        {shown | SS_LEFT | WS_GROUP, 0, 108, 91, 26, 8, 0xFFFFFFFF, L"Static", L"语言："},
        {shown | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 136, 89, 76, 60, IDC_OPTIONS_LANGUAGE, L"ComboBox",
         L""},
    };
    ASSERT_EQ(ARRAYSIZE(expected), t.items.size());
    for (size_t i = 0; i < t.items.size(); ++i) {
        TemplateItem const& e = expected[i];
        TemplateItem const& a = t.items[i];
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(e.id, a.id);
        // Class names are case-insensitive; resource compilers may upper-case them.
        EXPECT_EQ(0, lstrcmpiW(e.className.c_str(), a.className.c_str())) << a.className;
        EXPECT_EQ(e.text, a.text);
        EXPECT_EQ(e.style, a.style) << std::hex << (e.style ^ a.style);
        EXPECT_EQ(0u, a.exStyle);
        EXPECT_EQ(e.x, a.x);
        EXPECT_EQ(e.y, a.y);
        EXPECT_EQ(e.cx, a.cx);
        EXPECT_EQ(e.cy, a.cy);
    }
}

// ---- The dialog, driven for real ---------------------------------------------

// AutoRun off, Adhere and IgnoreDUI on, 5000 ms, Alpha 240, the percentage,
// AlertLow 20, AlertHigh off, the language as Windows', ForceClose on, shutting down, the history kept.
OptionValues const STORED{false, true, true, 0, 5000, 240, 0, 20, 0, LanguageChoice::AsWindows, true, 0, true, 0, 0};

class OptionsDialog : public ::testing::Test {
public:  // the battery rows' table drives the dialog from its cases
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void TearDown() override
    {
        if (dialog != nullptr && IsWindow(dialog))
            DestroyWindow(dialog);
        EXPECT_EQ(nullptr, g_openOptionsDialog);
    }

    // The dialog as DialogBoxParamW would build it, but not shown: no
    // activation, so no slow teardown under a display without window manager.
    void Open()
    {
        param.ownerWindow = nullptr;
        dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                            FindUiDialog(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OPTIONS)),
                                            nullptr, OptionsDialogProc, reinterpret_cast<LPARAM>(&param));
        ASSERT_NE(nullptr, dialog);
        ASSERT_EQ(dialog, g_openOptionsDialog);
    }

    HWND Item(int id) { return GetDlgItem(dialog, id); }

    void Click(int id) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(id)); }

    // An auto check box toggles itself on a click, then tells its parent.
    void ClickBox(int id)
    {
        HWND box = Item(id);
        if (!IsWindowEnabled(box))
            return;  // a greyed-out box takes no clicks
        CheckDlgButton(dialog, id, IsDlgButtonChecked(dialog, id) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        Click(id);
    }

    // What dragging the thumb to a position sends to the dialog.
    void DragTrackbar(int position)
    {
        HWND trackbar = Item(IDC_OPTIONS_ALPHA);
        SendMessageW(trackbar, TBM_SETPOS, TRUE, position);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), (LPARAM)trackbar);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), (LPARAM)trackbar);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), (LPARAM)trackbar);
    }

    void TypeIntoEdit(wchar_t c) { SendMessageW(Item(IDC_OPTIONS_ALPHA_EDIT), WM_CHAR, c, 1); }

    std::wstring EditText()
    {
        wchar_t text[32] = L"";
        GetWindowTextW(Item(IDC_OPTIONS_ALPHA_EDIT), text, 32);
        return text;
    }

    LRESULT TrackbarPos() { return SendMessageW(Item(IDC_OPTIONS_ALPHA), TBM_GETPOS, 0, 0); }

    LRESULT Selection() { return SendMessageW(Item(IDC_OPTIONS_INTERVAL), CB_GETCURSEL, 0, 0); }

    OptionsDialogParam param{nullptr, STORED};
    HWND dialog = nullptr;
};

TEST_F(OptionsDialog, IntervalBoxOffersTheChoicesAndSelectsTheStoredOne)
{
    Open();
    HWND box = Item(IDC_OPTIONS_INTERVAL);
    wchar_t const* const texts[] = {L"2", L"5", L"10", L"20", L"30", L"40", L"60"};
    ASSERT_EQ(7, SendMessageW(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < 7; ++i) {
        wchar_t text[16] = L"";
        SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(std::wstring(texts[i]), text);
    }
    EXPECT_EQ(1, Selection());  // 5000 ms: "5"
}

TEST_F(OptionsDialog, UnmatchedIntervalOpensWithoutSelectionAndTenGivesTenSeconds)
{
    param.values.interval = 3000;
    Open();
    EXPECT_EQ(CB_ERR, Selection());
    SendMessageW(Item(IDC_OPTIONS_INTERVAL), CB_SETCURSEL, 2, 0);
    Click(IDOK);
    EXPECT_EQ(10000, param.values.interval);
}

TEST_F(OptionsDialog, OkWithoutSelectionKeepsTheInterval)
{
    for (LONG stored : {3000L, 0L, -7L, 2147483647L}) {
        param.values.interval = stored;
        Open();
        EXPECT_EQ(CB_ERR, Selection());
        Click(IDOK);
        EXPECT_EQ(stored, param.values.interval);
        DestroyWindow(dialog);
    }
}

// The stored choice selected, its three rows named in the dialog's language;
// OK takes the selected row.
TEST_F(OptionsDialog, LanguageListInEitherLanguage)
{
    struct {
        LanguageChoice ui;
        wchar_t const* asWindows;
    } const cases[] = {{LanguageChoice::Chinese, L"跟随 Windows"}, {LanguageChoice::English, L"Same as Windows"}};
    for (auto const& c : cases) {
        SetUiLanguage(c.ui);
        param.values.language = LanguageChoice::Chinese;
        Open();
        HWND box = Item(IDC_OPTIONS_LANGUAGE);
        std::vector<std::wstring> rows;
        for (int i = 0; i < SendMessageW(box, CB_GETCOUNT, 0, 0); ++i) {
            wchar_t text[32] = L"";
            SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            rows.push_back(text);
        }
        EXPECT_EQ((std::vector<std::wstring>{c.asWindows, L"中文", L"English"}), rows);
        EXPECT_EQ(1, SendMessageW(box, CB_GETCURSEL, 0, 0));
        SendMessageW(box, CB_SETCURSEL, 2, 0);
        Click(IDOK);
        EXPECT_EQ(LanguageChoice::English, param.values.language);
        DestroyWindow(dialog);
    }
    SetUiLanguage(LanguageChoice::AsWindows);
}

TEST_F(OptionsDialog, TrackbarSetUpWithBuddyRangeTicksAndPage)
{
    Open();
    HWND trackbar = Item(IDC_OPTIONS_ALPHA);
    EXPECT_EQ(0, SendMessageW(trackbar, TBM_GETRANGEMIN, 0, 0));
    EXPECT_EQ(255, SendMessageW(trackbar, TBM_GETRANGEMAX, 0, 0));
    EXPECT_EQ(32, SendMessageW(trackbar, TBM_GETPAGESIZE, 0, 0));
    // Ticks every 32: 32, 64, ... 224 and the two ends.
    EXPECT_EQ(9, SendMessageW(trackbar, TBM_GETNUMTICS, 0, 0));
    EXPECT_EQ(240, TrackbarPos());
    EXPECT_EQ(reinterpret_cast<LRESULT>(Item(IDC_OPTIONS_ALPHA_EDIT)),
              SendMessageW(trackbar, TBM_GETBUDDY, FALSE, 0));
    EXPECT_EQ(std::wstring(L"240"), EditText());
    EXPECT_EQ(240, param.values.alpha);
}

TEST_F(OptionsDialog, TrackbarMovesShowInTheEditAndSetAlpha)
{
    Open();
    DragTrackbar(200);
    EXPECT_EQ(std::wstring(L"200"), EditText());
    EXPECT_EQ(200, param.values.alpha);
    EXPECT_EQ(200, TrackbarPos());

    DragTrackbar(40);  // within the edit's range: both paths agree
    EXPECT_EQ(std::wstring(L"40"), EditText());
    EXPECT_EQ(40, param.values.alpha);

    // The keyboard: Page Down moves by the page size, End to the maximum;
    // those notifications carry no position, it is read from the trackbar.
    HWND trackbar = Item(IDC_OPTIONS_ALPHA);
    SendMessageW(trackbar, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(72, TrackbarPos());
    EXPECT_EQ(std::wstring(L"72"), EditText());
    EXPECT_EQ(72, param.values.alpha);
    SendMessageW(trackbar, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(std::wstring(L"255"), EditText());
    EXPECT_EQ(255, param.values.alpha);
}

TEST_F(OptionsDialog, TypedOpacityOnlyUpToHundred)
{
    Open();
    SendMessageW(Item(IDC_OPTIONS_ALPHA_EDIT), EM_SETSEL, 0, -1);
    TypeIntoEdit(L'2');
    EXPECT_EQ(2, param.values.alpha);
    EXPECT_EQ(2, TrackbarPos());
    TypeIntoEdit(L'0');
    EXPECT_EQ(20, param.values.alpha);
    EXPECT_EQ(20, TrackbarPos());
    TypeIntoEdit(L'0');
    EXPECT_EQ(std::wstring(L"200"), EditText());
    EXPECT_EQ(20, param.values.alpha);
    EXPECT_EQ(20, TrackbarPos());

    // No number, a sign, trailing junk, an overflow: silently ignored.
    for (wchar_t const* text : {L"", L"abc", L"-5", L"99999999999", L"101"}) {
        SetWindowTextW(Item(IDC_OPTIONS_ALPHA_EDIT), text);
        EXPECT_EQ(20, param.values.alpha) << text;
        EXPECT_EQ(20, TrackbarPos()) << text;
    }
    SetWindowTextW(Item(IDC_OPTIONS_ALPHA_EDIT), L"100");
    EXPECT_EQ(100, param.values.alpha);
    SetWindowTextW(Item(IDC_OPTIONS_ALPHA_EDIT), L"0");
    EXPECT_EQ(0, param.values.alpha);
    EXPECT_EQ(0, TrackbarPos());
}

TEST_F(OptionsDialog, AdhereBoxEnablesIgnoreBoxAndOkTakesIgnoreOnlyWhileAdhering)
{
    param.values.adhere = 0;
    param.values.ignoreDUI = 1;
    Open();
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_OPTIONS_ADHERE));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_OPTIONS_IGNOREDUI));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_OPTIONS_IGNOREDUI)));

    ClickBox(IDC_OPTIONS_ADHERE);
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_OPTIONS_IGNOREDUI)));
    ClickBox(IDC_OPTIONS_IGNOREDUI);
    ClickBox(IDC_OPTIONS_ADHERE);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_OPTIONS_IGNOREDUI)));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_OPTIONS_IGNOREDUI)) << "the check mark stays";

    Click(IDOK);
    EXPECT_EQ(0, param.values.adhere);
    EXPECT_EQ(1, param.values.ignoreDUI) << "a greyed-out box is not read";
}

TEST_F(OptionsDialog, FlagsOpenCheckedAndOkStoresZeroOrOne)
{
    param.values.adhere = 5;  // any nonzero value is on
    param.values.ignoreDUI = 0;
    param.values.autoRun = -1;
    Open();
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_OPTIONS_ADHERE));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_OPTIONS_IGNOREDUI));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_OPTIONS_AUTORUN));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_OPTIONS_IGNOREDUI)));

    ClickBox(IDC_OPTIONS_IGNOREDUI);
    ClickBox(IDC_OPTIONS_AUTORUN);
    Click(IDOK);
    EXPECT_EQ(1, param.values.adhere);
    EXPECT_EQ(1, param.values.ignoreDUI);
    EXPECT_EQ(0, param.values.autoRun);
}

// The battery's rows: the bar's text, and each reminder's box and number.
TEST_F(OptionsDialog, BatteryRowsOpenFromTheValuesAndOkTakesThem)
{
    struct Case {
        bool showsTime;
        int32_t low, high;           // opened with
        char const* shown;           // the boxes' checks and numbers: "1 20 0 80"
        void (*user)(OptionsDialog&);
        bool chosenTime;
        int32_t chosenLow, chosenHigh;
    } const cases[] = {
        {false, 20, 0, "1 20 0 80", nullptr, false, 20, 0},
        {true, 0, 90, "0 20 1 90", nullptr, true, 0, 90},
        // The high reminder switched on takes the number it offers.
        {false, 20, 0, "1 20 0 80",
         [](OptionsDialog& d) {
             d.ClickBox(IDC_OPTIONS_ALERTHIGH);
             SendMessageW(d.Item(IDC_OPTIONS_BARTEXT), CB_SETCURSEL, 1, 0);
         },
         true, 20, 80},
        // Typed numbers are held to 1..100; nothing typed keeps the number shown.
        {false, 35, 85, "1 35 1 85",
         [](OptionsDialog& d) {
             SetDlgItemTextW(d.dialog, IDC_OPTIONS_ALERTLOW_EDIT, L"250");
             SetDlgItemTextW(d.dialog, IDC_OPTIONS_ALERTHIGH_EDIT, L"");
         },
         false, 100, 85},
        {false, 35, 85, "1 35 1 85",
         [](OptionsDialog& d) {
             SetDlgItemTextW(d.dialog, IDC_OPTIONS_ALERTLOW_EDIT, L"0");
             d.ClickBox(IDC_OPTIONS_ALERTHIGH);
         },
         false, 35, 0},
    };
    for (Case const& c : cases) {
        param.values.barText = c.showsTime ? 1 : 0;
        param.values.alertLow = c.low;
        param.values.alertHigh = c.high;
        Open();
        SCOPED_TRACE(c.shown);
        char shown[64];
        std::snprintf(shown, sizeof shown, "%d %d %d %d", IsDlgButtonChecked(dialog, IDC_OPTIONS_ALERTLOW),
                      static_cast<int>(GetDlgItemInt(dialog, IDC_OPTIONS_ALERTLOW_EDIT, nullptr, FALSE)),
                      IsDlgButtonChecked(dialog, IDC_OPTIONS_ALERTHIGH),
                      static_cast<int>(GetDlgItemInt(dialog, IDC_OPTIONS_ALERTHIGH_EDIT, nullptr, FALSE)));
        EXPECT_EQ(std::string(c.shown), shown);
        EXPECT_EQ(c.low > 0, IsWindowEnabled(Item(IDC_OPTIONS_ALERTLOW_EDIT)) != FALSE);
        EXPECT_EQ(c.high > 0, IsWindowEnabled(Item(IDC_OPTIONS_ALERTHIGH_SPIN)) != FALSE);
        EXPECT_EQ(c.showsTime ? 1 : 0, SendMessageW(Item(IDC_OPTIONS_BARTEXT), CB_GETCURSEL, 0, 0));
        if (c.user != nullptr)
            c.user(*this);
        Click(IDOK);
        EXPECT_EQ(c.chosenTime, param.values.barText == 1);
        EXPECT_EQ(c.chosenLow, param.values.alertLow);
        EXPECT_EQ(c.chosenHigh, param.values.alertHigh);
        DestroyWindow(dialog);
    }
    // The choices' texts.
    Open();
    wchar_t text[32] = L"";
    SendMessageW(Item(IDC_OPTIONS_BARTEXT), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(L"剩余时间"), text);
    EXPECT_EQ(2, SendMessageW(Item(IDC_OPTIONS_BARTEXT), CB_GETCOUNT, 0, 0));
}

TEST_F(OptionsDialog, OpensAtTheBottomRightTopmost)
{
    Open();
    RECT rect;
    GetWindowRect(dialog, &rect);
    int const margin = GetSystemMetrics(SM_CYCAPTION) + 3;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - margin, rect.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - margin, rect.bottom);
    EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(OptionsDialog, CancelLeavesTheCopyAndOtherCommandsAreNotHandled)
{
    Open();
    DragTrackbar(200);
    ClickBox(IDC_OPTIONS_AUTORUN);
    SendMessageW(Item(IDC_OPTIONS_INTERVAL), CB_SETCURSEL, 6, 0);
    OptionValues const before = param.values;
    Click(IDCANCEL);
    EXPECT_EQ(before.interval, param.values.interval);
    EXPECT_EQ(before.autoRun, param.values.autoRun);
    EXPECT_FALSE(IsWindowVisible(dialog));

    EXPECT_EQ(FALSE, OptionsDialogProc(dialog, WM_COMMAND, MAKEWPARAM(4242, 0), 0));
    EXPECT_EQ(FALSE, OptionsDialogProc(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 9),
                                       reinterpret_cast<LPARAM>(Item(IDC_OPTIONS_ALPHA))));
    EXPECT_EQ(TRUE, OptionsDialogProc(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_ADHERE, BN_CLICKED), 0));
}

TEST_F(OptionsDialog, ForgedMessagesDoNoHarm)
{
    Open();
    // A scroll position beyond the trackbar's range is clamped, not wrapped.
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 0xFFFF), (LPARAM)Item(IDC_OPTIONS_ALPHA));
    EXPECT_EQ(255, param.values.alpha);
    // Scrolls from anything but the trackbar are not ours.
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 7), 0);
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 7), (LPARAM)Item(IDOK));
    EXPECT_EQ(255, param.values.alpha);
    DestroyWindow(dialog);

    // Without a parameter the dialog ends at once and ignores its controls.
    dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                        FindUiDialog(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OPTIONS)),
                                        nullptr, OptionsDialogProc, 0);
    ASSERT_NE(nullptr, dialog);
    SetWindowTextW(GetDlgItem(dialog, IDC_OPTIONS_ALPHA_EDIT), L"50");
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 7), (LPARAM)GetDlgItem(dialog, IDC_OPTIONS_ALPHA));
    Click(IDOK);
    EXPECT_FALSE(IsWindowVisible(dialog));
}

// Counts this thread's windows, children included.
BOOL CALLBACK CountOne(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountOne, count);
    return TRUE;
}

int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWithChildren, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The fonts of the dialog and its controls: the only GDI objects an opening makes.
BOOL CALLBACK CollectFont(HWND window, LPARAM fonts)
{
    HGDIOBJ const font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (font != nullptr && font != GetStockObject(DEFAULT_GUI_FONT) && font != GetStockObject(SYSTEM_FONT))
        reinterpret_cast<std::vector<HGDIOBJ>*>(fonts)->push_back(font);
    return TRUE;
}

int LiveFonts(std::vector<HGDIOBJ> const& fonts)
{
    int live = 0;
    for (HGDIOBJ font : fonts)
        live += GetObjectType(font) != 0 ? 1 : 0;
    return live;
}

// GetGuiResources reads 0 under Wine, so the USER objects are counted as the
// thread's windows, and the GDI objects as the fonts the dialog and its
// controls were given, which must all be gone with the dialog.
TEST_F(OptionsDialog, FiveHundredOpeningsLeaveNoWindowsOrFontsBehind)
{
    std::vector<HGDIOBJ> fonts;
    Open();
    CollectFont(dialog, reinterpret_cast<LPARAM>(&fonts));
    EnumChildWindows(dialog, CollectFont, reinterpret_cast<LPARAM>(&fonts));
    EXPECT_EQ(static_cast<int>(fonts.size()), LiveFonts(fonts)) << "the dialog's fonts are seen while it is open";
    DestroyWindow(dialog);
    EXPECT_EQ(0, LiveFonts(fonts)) << "a font outlived the dialog";
    fonts.clear();

    int const before = ThreadWindowCount();
    Open();
    EXPECT_GE(ThreadWindowCount(), before + 12) << "the dialog and its eleven controls are counted";
    DestroyWindow(dialog);
    DWORD const guiBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 500; ++i) {
        Open();
        DragTrackbar(i % 256);
        SetWindowTextW(Item(IDC_OPTIONS_ALPHA_EDIT), L"42");
        ClickBox(IDC_OPTIONS_ADHERE);
        Click(i % 2 ? IDOK : IDCANCEL);
        CollectFont(dialog, reinterpret_cast<LPARAM>(&fonts));
        EnumChildWindows(dialog, CollectFont, reinterpret_cast<LPARAM>(&fonts));
        DestroyWindow(dialog);
        ASSERT_EQ(nullptr, g_openOptionsDialog);
    }
    EXPECT_EQ(0, LiveFonts(fonts)) << "fonts left behind by 500 openings";
    int const after = ThreadWindowCount();
    DWORD const guiAfter = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    std::printf("windows of this thread before/after 500 openings: %d/%d; GetGuiResources USER %lu/%lu\n", before,
                after, static_cast<unsigned long>(guiBefore), static_cast<unsigned long>(guiAfter));
    EXPECT_EQ(before, after);
    EXPECT_EQ(guiBefore, guiAfter);
}

// ---- ApplyOptions, observed on the bar, the registry and the hooks -----------

std::vector<std::string> g_calls;
INT_PTR g_dialogResult;
void (*g_userEdits)(OptionValues& copy);
bool g_runRealDialog;

INT_PTR WINAPI FakeDialogBox(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC procedure, LPARAM param)
{
    g_calls.push_back("dialog " + std::to_string(reinterpret_cast<UINT_PTR>(name)));
    if (g_runRealDialog)
        return UiDialogBox(instance, name, owner, procedure, param);
    OptionsDialogParam* p = reinterpret_cast<OptionsDialogParam*>(param);
    if (p->ownerWindow != owner || owner != g_barWindow)
        g_calls.push_back("wrong owner");
    if (g_userEdits != nullptr)
        g_userEdits(p->values);
    return g_dialogResult;
}

WCHAR const RUN_KEY[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Whether the user's Run key holds the value "Brisvane".
bool RunValueWritten()
{
    return RegGetValueW(HKEY_CURRENT_USER, RUN_KEY, L"Brisvane", RRF_RT_REG_SZ, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

// What a user (or the system) can see of the bar after the command.
struct Seen {
    std::vector<std::string> calls;  // the dialog
    uint32_t refreshPeriod;           // 0: the refresh was not restarted
    LONG exStyle;
    BYTE alpha;
    bool visible;
    bool runValue;
    int installs;
    int uninstalls;
    int floats;
};

// What the bar does on the command: the dialog, then what OK chose applied.
bool OptionsCommand(HWND bar, bool countdownRunning = false)
{
    OptionValues chosen{};
    if (!OnOptionsCommand(bar, &chosen))
        return false;
    ApplyOptions(bar, chosen, countdownRunning);
    return true;
}

class ApplyOptionsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void SetUp() override
    {
        ResetFakes();
        LayOutBar(25, 50);
        g_settings = STORED;
        bar = CreateWindowExW(BAR_EXSTYLE_ADHERING, L"STATIC", L"bar", WS_POPUP, 10, 10,
                              g_barLayout.geometry.windowWidth, g_barLayout.geometry.windowHeight, nullptr, nullptr,
                              nullptr, nullptr);
        SetLayeredWindowAttributes(bar, COLOUR_KEY, STORED.alpha, LWA_COLORKEY | LWA_ALPHA);
        ShowWindow(bar, SW_SHOWNOACTIVATE);
        ValidateRect(bar, nullptr);
        g_barWindow = bar;
        StopRefresh(bar);
        UpdateAutostartEntry(false);
        g_dialogResult = IDOK;
        g_userEdits = nullptr;
        g_runRealDialog = false;
        g_system.UiDialogBox = FakeDialogBox;
    }

    void TearDown() override
    {
        UpdateAutostartEntry(false);
        DestroyWindow(bar);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    Seen Look()
    {
        Seen seen{g_calls, RefreshPeriodInUse(), GetWindowLongW(bar, GWL_EXSTYLE), 0, IsWindowVisible(bar) != FALSE,
                  RunValueWritten(), fakes::g_installs, fakes::g_uninstalls, fakes::g_floats};
        GetLayeredWindowAttributes(bar, nullptr, &seen.alpha, nullptr);
        return seen;
    }

    // The command with the user's edits; afterwards the refresh is marked
    // stopped again, so that the next Apply shows whether it restarted it.
    Seen Apply(void (*edits)(OptionValues&))
    {
        g_userEdits = edits;
        g_calls.clear();
        fakes::g_installs = fakes::g_uninstalls = fakes::g_floats = 0;
        EXPECT_EQ(g_dialogResult == IDOK, OptionsCommand(bar, countdownRunning));
        Seen const seen = Look();
        StopRefresh(bar);
        return seen;
    }

    // Nothing changed on the bar, in the registry or the hooks since SetUp.
    void ExpectUntouched(Seen const& seen)
    {
        EXPECT_EQ(std::vector<std::string>{"dialog 132"}, seen.calls);
        EXPECT_EQ(0u, seen.refreshPeriod);
        EXPECT_EQ(static_cast<LONG>(BAR_EXSTYLE_ADHERING), seen.exStyle);
        EXPECT_EQ(STORED.alpha, seen.alpha);
        EXPECT_FALSE(seen.runValue);
        EXPECT_EQ(0, seen.installs + seen.uninstalls);
    }

    HWND bar = nullptr;
    bool countdownRunning = false;
};

TEST_F(ApplyOptionsTest, OkWithoutChangeMakesNoCall)
{
    ExpectUntouched(Apply(nullptr));
    // The fields the dialog does not edit are never taken back either.
    g_barView.percent = 57;
    ExpectUntouched(Apply([](OptionValues& s) { s = STORED; }));
    EXPECT_EQ(57, g_barView.percent);
    EXPECT_TRUE(g_barView.captionActive);
    EXPECT_EQ(0, g_settings.positionX);
    EXPECT_FALSE(IsAutoShutdownRunning());
    EXPECT_EQ(std::wstring(L""), g_barView.text);
}

TEST_F(ApplyOptionsTest, CancelOrAFailedDialogAppliesNothing)
{
    for (INT_PTR result : {static_cast<INT_PTR>(IDCANCEL), static_cast<INT_PTR>(0), static_cast<INT_PTR>(-1)}) {
        g_dialogResult = result;
        ExpectUntouched(Apply([](OptionValues& s) {
            s.interval = 60000;
            s.alpha = 9;
            s.adhere = 0;
            s.ignoreDUI = 0;
            s.autoRun = 1;
        }));
        EXPECT_EQ(5000, g_settings.interval);
        EXPECT_EQ(240, g_settings.alpha);
        EXPECT_EQ(1, g_settings.adhere);
        EXPECT_EQ(1, g_settings.ignoreDUI);
        EXPECT_EQ(0, g_settings.autoRun);
    }
}

TEST_F(ApplyOptionsTest, EachChangedFieldMakesExactlyItsOwnChange)
{
    Seen seen = Apply([](OptionValues& s) { s.interval = 10000; });
    EXPECT_EQ(10000u, seen.refreshPeriod);
    EXPECT_EQ(10000, g_settings.interval);
    EXPECT_EQ(STORED.alpha, seen.alpha);

    seen = Apply([](OptionValues& s) { s.alpha = 120; });
    EXPECT_EQ(120, seen.alpha);
    EXPECT_TRUE(seen.visible);
    EXPECT_EQ(0u, seen.refreshPeriod);
    EXPECT_EQ(120, g_settings.alpha);

    EXPECT_TRUE(Apply([](OptionValues& s) { s.autoRun = 1; }).runValue);
    EXPECT_EQ(1, g_settings.autoRun);
    EXPECT_FALSE(Apply([](OptionValues& s) { s.autoRun = 0; }).runValue);
    EXPECT_EQ(0, g_settings.autoRun);

    seen = Apply([](OptionValues& s) { s.adhere = 0; });
    EXPECT_EQ(1, seen.uninstalls);
    EXPECT_EQ(0, seen.installs);
    EXPECT_EQ(1, seen.floats) << "floating, the library still watches for a full-screen window";
    EXPECT_EQ(static_cast<LONG>(BAR_EXSTYLE_FLOATING), seen.exStyle);
    EXPECT_EQ(0, g_settings.adhere);
    seen = Apply([](OptionValues& s) { s.adhere = 1; });
    EXPECT_EQ(1, seen.installs);
    EXPECT_EQ(0, seen.uninstalls);
    EXPECT_EQ(0, seen.floats);
    EXPECT_EQ(static_cast<LONG>(BAR_EXSTYLE_ADHERING), seen.exStyle);
    EXPECT_EQ(1, g_settings.adhere);

    // IgnoreDUI is stored but acts only after a restart.
    seen = Apply([](OptionValues& s) { s.ignoreDUI = 0; });
    EXPECT_EQ(0u, seen.refreshPeriod);
    EXPECT_EQ(0, seen.installs + seen.uninstalls);
    EXPECT_EQ(static_cast<LONG>(BAR_EXSTYLE_ADHERING), seen.exStyle);
    EXPECT_EQ(0, g_settings.ignoreDUI);
}

TEST_F(ApplyOptionsTest, AllChangesTogether)
{
    Seen const seen = Apply([](OptionValues& s) {
        s.interval = 60000;
        s.alpha = 0;
        s.adhere = 0;
        s.ignoreDUI = 0;
        s.autoRun = 1;
    });
    EXPECT_EQ(60000u, seen.refreshPeriod);
    EXPECT_EQ(0, seen.alpha);
    EXPECT_EQ(static_cast<LONG>(BAR_EXSTYLE_FLOATING), seen.exStyle);
    EXPECT_EQ(1, seen.uninstalls);
    EXPECT_TRUE(seen.runValue);
    EXPECT_EQ(60000, g_settings.interval);
    EXPECT_EQ(0, g_settings.alpha);
    EXPECT_EQ(0, g_settings.adhere);
    EXPECT_EQ(0, g_settings.ignoreDUI);
    EXPECT_EQ(1, g_settings.autoRun);
}

// The refresh runs at the interval stored, held to a second and an hour.
TEST_F(ApplyOptionsTest, IntervalDuringAnAutoShutdownStartsNoTimer)
{
    countdownRunning = true;
    EXPECT_EQ(0u, Apply([](OptionValues& s) { s.interval = 20000; }).refreshPeriod);
    EXPECT_EQ(20000, g_settings.interval) << "stored for when the countdown ends";
    countdownRunning = false;
    EXPECT_EQ(2000u, Apply([](OptionValues& s) { s.interval = 2000; }).refreshPeriod);
    EXPECT_EQ(1000u, Apply([](OptionValues& s) { s.interval = 250; }).refreshPeriod);
    EXPECT_EQ(250, g_settings.interval);
    EXPECT_EQ(3600000u, Apply([](OptionValues& s) { s.interval = INT32_MAX; }).refreshPeriod);
}

TEST_F(ApplyOptionsTest, LeavingTheCaptionRepaintsAnInactiveFrameActive)
{
    g_barView.captionActive = false;
    Apply([](OptionValues& s) { s.adhere = 0; });
    EXPECT_TRUE(g_barView.captionActive);
    RECT dirty;
    GetUpdateRect(bar, &dirty, FALSE);
    RECT const frame{g_barLayout.geometry.frame.left, g_barLayout.geometry.frame.top, g_barLayout.geometry.frame.right, g_barLayout.geometry.frame.bottom};
    EXPECT_TRUE(EqualRect(&frame, &dirty));

    // Already active, or switching on: nothing to repaint.
    ValidateRect(bar, nullptr);
    Apply([](OptionValues& s) { s.adhere = 1; });
    g_barView.captionActive = true;
    Apply([](OptionValues& s) { s.adhere = 0; });
    GetUpdateRect(bar, &dirty, FALSE);
    EXPECT_TRUE(IsRectEmpty(&dirty));
}

TEST_F(ApplyOptionsTest, CommandReachesApplyOptionsThroughTheBar)
{
    // The bar's procedure routes the tray menu's command here.
    HWND realBar = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(realBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BarWindowProc));
    g_barWindow = realBar;
    g_userEdits = [](OptionValues& s) { s.autoRun = 1; };
    g_calls.clear();
    EXPECT_EQ(0, SendMessageW(realBar, WM_COMMAND, MAKEWPARAM(IDM_OPTIONS, 0), 0));
    EXPECT_EQ(std::vector<std::string>{"dialog 132"}, g_calls);
    EXPECT_TRUE(RunValueWritten());
    SetWindowLongPtrW(realBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
    DestroyWindow(realBar);
}

// A language chosen in Options shows in the tooltip at once: the battery's,
// or the countdown's while one runs.
TEST_F(ApplyOptionsTest, ANewLanguageRetitlesTheTooltipAtOnce)
{
    HWND realBar = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(realBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BarWindowProc));
    g_barWindow = realBar;
    auto choose = [realBar](void (*edits)(OptionValues&)) {
        g_userEdits = edits;
        fakes::g_shellData.clear();
        SendMessageW(realBar, WM_COMMAND, MAKEWPARAM(IDM_OPTIONS, 0), 0);
        return fakes::g_shellData.empty() ? std::wstring(L"(none)") : std::wstring(fakes::g_shellData.back().szTip);
    };
    EXPECT_EQ(L"Battery monitor", choose([](OptionValues& s) { s.language = LanguageChoice::English; }));
    EXPECT_EQ(LanguageChoice::English, g_settings.language);
    StartTestCountdown(realBar, 59);
    EXPECT_EQ(L"59分钟后自动关机", choose([](OptionValues& s) { s.language = LanguageChoice::Chinese; }));
    // This machine's Windows is Chinese: following it again changes nothing.
    EXPECT_EQ(L"(none)", choose([](OptionValues& s) { s.language = LanguageChoice::AsWindows; }));
    EndTestCountdown(realBar);
    SetWindowLongPtrW(realBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
    DestroyWindow(realBar);
}

// ---- The real modal dialog, driven while its own loop runs --------------------

void (*g_whileOpen)(HWND dialog);

void CALLBACK DriveOpenDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (g_openOptionsDialog == nullptr)
        return;
    KillTimer(nullptr, timer);
    g_whileOpen(g_openOptionsDialog);
}

TEST_F(ApplyOptionsTest, RealDialogCancelAndOk)
{
    g_runRealDialog = true;
    // Cancel after moving the trackbar leaves the opacity as it was.
    g_whileOpen = [](HWND dialog) {
        HWND trackbar = GetDlgItem(dialog, IDC_OPTIONS_ALPHA);
        SendMessageW(trackbar, TBM_SETPOS, TRUE, 200);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 200), (LPARAM)trackbar);
        // A second Options command while open brings this one forward instead.
        OptionsCommand(g_barWindow);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    UINT_PTR timer = SetTimer(nullptr, 0, 10, DriveOpenDialog);
    g_calls.clear();
    OptionsCommand(bar);
    KillTimer(nullptr, timer);
    EXPECT_EQ(std::vector<std::string>{"dialog 132"}, g_calls) << "one dialog";
    EXPECT_EQ(240, g_settings.alpha);
    EXPECT_EQ(STORED.alpha, Look().alpha) << "nothing applied";
    EXPECT_EQ(nullptr, g_openOptionsDialog);

    g_whileOpen = [](HWND dialog) {
        HWND trackbar = GetDlgItem(dialog, IDC_OPTIONS_ALPHA);
        SendMessageW(trackbar, TBM_SETPOS, TRUE, 200);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 200), (LPARAM)trackbar);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    timer = SetTimer(nullptr, 0, 10, DriveOpenDialog);
    g_calls.clear();
    OptionsCommand(bar);
    KillTimer(nullptr, timer);
    EXPECT_EQ(std::vector<std::string>{"dialog 132"}, g_calls);
    EXPECT_EQ(200, Look().alpha);
    EXPECT_EQ(200, g_settings.alpha);
}

// With the real calls: the bar's style and opacity change, it stays visible,
// and an adhering bar is not activated by being shown again.
TEST_F(ApplyOptionsTest, RealCallsOnALayeredBar)
{
    HWND layered = CreateWindowExW(BAR_EXSTYLE_FLOATING, L"STATIC", L"", WS_POPUP, 20, 20, 75, 17, nullptr, nullptr,
                                   nullptr, nullptr);
    SetLayeredWindowAttributes(layered, COLOUR_KEY, 240, LWA_COLORKEY | LWA_ALPHA);
    ShowWindow(layered, SW_SHOWNOACTIVATE);
    g_settings.adhere = 0;
    DestroyWindow(bar);
    bar = layered;
    g_barWindow = layered;
    ASSERT_NE(layered, GetActiveWindow());

    Apply([](OptionValues& s) {
        s.adhere = 1;
        s.alpha = 128;
    });
    EXPECT_EQ(static_cast<LONG>(BAR_EXSTYLE_ADHERING), GetWindowLongW(layered, GWL_EXSTYLE));
    BYTE alpha = 0;
    COLORREF key = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(layered, &key, &alpha, &flags));
    EXPECT_EQ(128, alpha);
    EXPECT_EQ(COLOUR_KEY, key);
    EXPECT_EQ(static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA), flags);
    EXPECT_TRUE(IsWindowVisible(layered));
    EXPECT_NE(layered, GetActiveWindow());
    EXPECT_NE(layered, GetForegroundWindow());

    Apply([](OptionValues& s) { s.adhere = 0; });
    EXPECT_EQ(static_cast<LONG>(BAR_EXSTYLE_FLOATING), GetWindowLongW(layered, GWL_EXSTYLE));
}

}  // namespace
