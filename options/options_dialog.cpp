#include "options/options_dialog.h"

#include <commctrl.h>

#include <initializer_list>

#include "base/app_mode.h"
#include "base/place_window.h"
#include "base/ui_resources.h"
#include "options/alert_choices.h"
#include "options/alpha_rules.h"
#include "options/interval_choices.h"
#include "res/resource.h"
#include "settings/settings_table.h"

HWND g_openOptionsDialog;

namespace {

OptionsDialogParam* ParamOf(HWND dialog)
{
    return reinterpret_cast<OptionsDialogParam*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

bool FlagOf(HWND dialog, int box)
{
    return IsDlgButtonChecked(dialog, box) == BST_CHECKED;
}

void FillIntervalBox(HWND dialog, LONG intervalMs)
{
    HWND box = GetDlgItem(dialog, IDC_OPTIONS_INTERVAL);
    for (int i = 0; i < INTERVAL_CHOICE_COUNT; ++i) {
        WCHAR text[16];
        wsprintfW(text, L"%d", static_cast<int>(INTERVAL_CHOICES[i]));
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(IntervalChoiceIndex(intervalMs)), 0);
}

// A reminder's row: its check box, the number and the number's up-down.
struct AlertRow {
    int box, edit, spin;
    int32_t OptionValues::*level;
    int32_t suggestion;
};
AlertRow const ALERT_ROWS[] = {
    {IDC_OPTIONS_ALERTLOW, IDC_OPTIONS_ALERTLOW_EDIT, IDC_OPTIONS_ALERTLOW_SPIN, &OptionValues::alertLow,
     DEFAULT_ALERTLOW},
    {IDC_OPTIONS_ALERTHIGH, IDC_OPTIONS_ALERTHIGH_EDIT, IDC_OPTIONS_ALERTHIGH_SPIN, &OptionValues::alertHigh,
     ALERT_HIGH_SUGGESTION},
};

// The number counts only while its box is ticked.
void EnableAlertNumber(HWND dialog, AlertRow const& row)
{
    BOOL const on = IsDlgButtonChecked(dialog, row.box) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, row.edit), on);
    EnableWindow(GetDlgItem(dialog, row.spin), on);
}

void SetUpAlertRows(HWND dialog, OptionValues const& values)
{
    for (AlertRow const& row : ALERT_ROWS) {
        int32_t const level = values.*row.level;
        CheckDlgButton(dialog, row.box, level > 0 ? BST_CHECKED : BST_UNCHECKED);
        SendDlgItemMessageW(dialog, row.spin, UDM_SETRANGE32, 1, 100);
        SetDlgItemInt(dialog, row.edit, static_cast<UINT>(AlertNumberShown(level, row.suggestion)), FALSE);
        EnableAlertNumber(dialog, row);
    }
}

void FillBarTextBox(HWND dialog, bool showsTime)
{
    HWND box = GetDlgItem(dialog, IDC_OPTIONS_BARTEXT);
    for (UINT id : {IDS_OPTIONS_BAR_PERCENT, IDS_OPTIONS_BAR_TIME}) {
        WCHAR text[32] = L"";
        LoadUiString(id, text, ARRAYSIZE(text));
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(box, CB_SETCURSEL, showsTime ? 1 : 0, 0);
}

void SetUpOpacityTrackbar(HWND dialog, BYTE alpha)
{
    HWND trackbar = GetDlgItem(dialog, IDC_OPTIONS_ALPHA);
    // FALSE: the buddy sits at the trackbar's right.
    HWND edit = GetDlgItem(dialog, IDC_OPTIONS_ALPHA_EDIT);
    SendMessageW(trackbar, TBM_SETBUDDY, FALSE, reinterpret_cast<LPARAM>(edit));
    SendMessageW(trackbar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 255));
    SendMessageW(trackbar, TBM_SETTICFREQ, 32, 0);
    SendMessageW(trackbar, TBM_SETPAGESIZE, 0, 32);
    SendMessageW(trackbar, TBM_SETPOS, TRUE, alpha);
}

// The rows in LanguageChoice's order, each named in the current language.
void FillLanguageBox(HWND dialog, LanguageChoice choice)
{
    UINT const names[LANGUAGE_CHOICE_COUNT] = {IDS_LANGUAGE_AS_WINDOWS, IDS_LANGUAGE_CHINESE, IDS_LANGUAGE_ENGLISH};
    HWND box = GetDlgItem(dialog, IDC_OPTIONS_LANGUAGE);
    for (UINT const name : names) {
        WCHAR text[64] = L"";
        LoadUiString(name, text, ARRAYSIZE(text));
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(choice), 0);
}

BOOL OnInitDialog(HWND dialog, OptionsDialogParam* param)
{
    if (param == nullptr) {
        EndDialog(dialog, IDCANCEL);  // nothing to edit
        return TRUE;
    }
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(param));
    g_openOptionsDialog = dialog;
    OptionValues const& values = param->values;

    FillIntervalBox(dialog, values.interval);
    FillLanguageBox(dialog, values.language);
    SetUpOpacityTrackbar(dialog, values.alpha);
    SetDlgItemInt(dialog, IDC_OPTIONS_ALPHA_EDIT, values.alpha, FALSE);

    CheckDlgButton(dialog, IDC_OPTIONS_ADHERE, values.adhere ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_OPTIONS_IGNOREDUI, values.ignoreDUI ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_OPTIONS_AUTORUN, values.autoRun ? BST_CHECKED : BST_UNCHECKED);
    if (values.adhere)
        EnableWindow(GetDlgItem(dialog, IDC_OPTIONS_IGNOREDUI), TRUE);
    FillBarTextBox(dialog, values.barShowsTime);
    SetUpAlertRows(dialog, values);

    PlaceAtBottomRight(dialog, GetWindow(dialog, GW_OWNER));
    TitleBarFollowsAppMode(dialog);
    return TRUE;
}

// The trackbar shows its position in the buddy edit; the edit's EN_CHANGE
// that follows sets the same Alpha again (or ignores it above 100).
void OnOpacityScroll(HWND dialog, WPARAM wParam, HWND trackbar)
{
    OptionsDialogParam* param = ParamOf(dialog);
    if (param == nullptr || trackbar != GetDlgItem(dialog, IDC_OPTIONS_ALPHA))
        return;
    HWND edit = reinterpret_cast<HWND>(SendMessageW(trackbar, TBM_GETBUDDY, FALSE, 0));
    long position;
    WORD const code = LOWORD(wParam);
    if (code == TB_THUMBPOSITION || code == TB_THUMBTRACK)
        position = HIWORD(wParam);
    else
        position = static_cast<long>(SendMessageW(trackbar, TBM_GETPOS, 0, 0));
    WCHAR text[16];
    wsprintfW(text, L"%ld", position);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    param->values.alpha = AlphaFromTrackbarPosition(position);
}

void OnAlphaTyped(HWND dialog)
{
    OptionsDialogParam* param = ParamOf(dialog);
    if (param == nullptr)
        return;  // EN_CHANGE can come before WM_INITDIALOG has run
    BOOL converted = FALSE;
    UINT const value = GetDlgItemInt(dialog, IDC_OPTIONS_ALPHA_EDIT, &converted, FALSE);
    int const alpha = AlphaFromTypedValue(converted != FALSE, value);
    if (alpha < 0)
        return;
    SendDlgItemMessageW(dialog, IDC_OPTIONS_ALPHA, TBM_SETPOS, TRUE, alpha);
    param->values.alpha = static_cast<BYTE>(alpha);
}

void OnOk(HWND dialog)
{
    OptionsDialogParam* param = ParamOf(dialog);
    if (param != nullptr) {
        OptionValues& values = param->values;
        int const selection =
            static_cast<int>(SendDlgItemMessageW(dialog, IDC_OPTIONS_INTERVAL, CB_GETCURSEL, 0, 0));
        values.interval = IntervalForSelection(selection, values.interval);
        values.adhere = FlagOf(dialog, IDC_OPTIONS_ADHERE);
        // A greyed-out box is not the user's answer: keep the value it came with.
        if (values.adhere)
            values.ignoreDUI = FlagOf(dialog, IDC_OPTIONS_IGNOREDUI);
        values.autoRun = FlagOf(dialog, IDC_OPTIONS_AUTORUN);
        LRESULT const barText = SendDlgItemMessageW(dialog, IDC_OPTIONS_BARTEXT, CB_GETCURSEL, 0, 0);
        if (barText == 0 || barText == 1)
            values.barShowsTime = barText == 1;
        for (AlertRow const& row : ALERT_ROWS) {
            BOOL converted = FALSE;
            UINT const typed = GetDlgItemInt(dialog, row.edit, &converted, FALSE);
            int32_t const shown = AlertNumberShown(values.*row.level, row.suggestion);
            values.*row.level = AlertLevelChosen(FlagOf(dialog, row.box), converted != FALSE, typed, shown);
        }
        int const language =
            static_cast<int>(SendDlgItemMessageW(dialog, IDC_OPTIONS_LANGUAGE, CB_GETCURSEL, 0, 0));
        if (language != CB_ERR)
            values.language = LanguageChoiceFromNumber(language);
    }
    EndDialog(dialog, IDOK);
}

void OnAdhereClicked(HWND dialog)
{
    BOOL const adhere = IsDlgButtonChecked(dialog, IDC_OPTIONS_ADHERE) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, IDC_OPTIONS_IGNOREDUI), adhere);
}

}  // namespace

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<OptionsDialogParam*>(lParam));
    case WM_HSCROLL:
        OnOpacityScroll(dialog, wParam, reinterpret_cast<HWND>(lParam));
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case IDC_OPTIONS_ADHERE:
            OnAdhereClicked(dialog);
            return TRUE;
        case IDC_OPTIONS_ALPHA_EDIT:
            if (HIWORD(wParam) == EN_CHANGE)
                OnAlphaTyped(dialog);
            return TRUE;
        case IDC_OPTIONS_ALERTLOW:
            EnableAlertNumber(dialog, ALERT_ROWS[0]);
            return TRUE;
        case IDC_OPTIONS_ALERTHIGH:
            EnableAlertNumber(dialog, ALERT_ROWS[1]);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        if (g_openOptionsDialog == dialog)
            g_openOptionsDialog = nullptr;
        return FALSE;
    }
    return FALSE;
}
