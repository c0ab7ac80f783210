#include "options/options_dialog.h"

#include <commctrl.h>

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

// The keys the table gives a check box or a list: a list's rows are the
// key's choice texts in the current language, its selection the value.
void ShowTableControls(HWND dialog, OptionValues const& values)
{
    for (SettingKey const& key : SETTING_KEYS) {
        int32_t const value = SettingValue(values, key);
        if (key.shownAs == CONTROL_CHECK_BOX) {
            CheckDlgButton(dialog, key.control, value != 0 ? BST_CHECKED : BST_UNCHECKED);
        } else if (key.shownAs == CONTROL_LIST) {
            HWND box = GetDlgItem(dialog, key.control);
            for (int32_t i = 0; i < key.choiceCount; ++i) {
                WCHAR text[64] = L"";
                LoadUiString(static_cast<UINT>(key.choiceTexts[i]), text, ARRAYSIZE(text));
                SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            }
            SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
        }
    }
}

// What the user left in them. A greyed-out box is not the user's answer,
// nor a list with nothing selected: such a key keeps the value it came with.
void TakeTableControls(HWND dialog, OptionValues& values)
{
    for (SettingKey const& key : SETTING_KEYS) {
        if (key.shownAs == CONTROL_CHECK_BOX) {
            if (IsWindowEnabled(GetDlgItem(dialog, key.control)))
                StoreSetting(values, key, FlagOf(dialog, key.control) ? 1 : 0);
        } else if (key.shownAs == CONTROL_LIST) {
            LRESULT const row = SendDlgItemMessageW(dialog, key.control, CB_GETCURSEL, 0, 0);
            if (row >= 0 && row < key.choiceCount)
                StoreSetting(values, key, static_cast<int32_t>(row));
        }
    }
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

    ShowTableControls(dialog, values);
    FillIntervalBox(dialog, values.interval);
    SetUpOpacityTrackbar(dialog, values.alpha);
    SetDlgItemInt(dialog, IDC_OPTIONS_ALPHA_EDIT, values.alpha, FALSE);
    if (values.adhere)
        EnableWindow(GetDlgItem(dialog, IDC_OPTIONS_IGNOREDUI), TRUE);
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
        TakeTableControls(dialog, values);
        for (AlertRow const& row : ALERT_ROWS) {
            BOOL converted = FALSE;
            UINT const typed = GetDlgItemInt(dialog, row.edit, &converted, FALSE);
            int32_t const shown = AlertNumberShown(values.*row.level, row.suggestion);
            values.*row.level = AlertLevelChosen(FlagOf(dialog, row.box), converted != FALSE, typed, shown);
        }
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
