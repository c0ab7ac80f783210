#include "options/options_command.h"

#include "bar/bar_state.h"
#include "bar/battery.h"
#include "bar/follower.h"
#include "base/instance.h"
#include "base/messages.h"
#include "base/system_calls.h"
#include "base/ui_resources.h"
#include "options/options_dialog.h"
#include "res/resource.h"
#include "settings/autostart.h"
#include "settings/settings.h"

namespace {

void ApplyAdhere(HWND bar, AdhereSwitch change, bool repaintFrameActive)
{
    FollowWindows(bar, change == AdhereSwitch::On);
    // Nobody reports the caption state any more: back to the active colours.
    if (change == AdhereSwitch::Off && repaintFrameActive)
        SetCaptionActive(bar, true);
}

}  // namespace

bool OnOptionsCommand(HWND bar, OptionValues* chosen)
{
    // The tray menu stays usable while the dialog is open: a second request
    // shows the dialog the user already has instead of stacking another.
    if (g_openOptionsDialog != nullptr) {
        SetForegroundWindow(g_openOptionsDialog);
        return false;
    }
    OptionsDialogParam param{bar, g_settings};
    INT_PTR const result = g_system.UiDialogBox(g_instance, MAKEINTRESOURCEW(IDD_OPTIONS), bar, OptionsDialogProc,
                                          reinterpret_cast<LPARAM>(&param));
    if (result != IDOK)
        return false;
    *chosen = param.values;
    return true;
}

void ApplyOptions(HWND bar, OptionValues const& chosen, bool countdownRunning)
{
    OptionChanges const changes = PlanOptionChanges(g_settings, chosen, countdownRunning, g_barView.captionActive);
    // Every key the dialog edits is stored; IgnoreDUI is read by the hook
    // library only at start, so it takes effect after a restart.
    CopyEditedSettings(g_settings, chosen);

    // The countdown restarts the refresh with the stored interval when it ends.
    if (changes.restartRefreshTimer)
        StartRefresh(bar, g_settings.interval);

    if (changes.adhere != AdhereSwitch::Unchanged)
        ApplyAdhere(bar, changes.adhere, changes.repaintFrameActive);

    if (changes.updateAutostart)
        UpdateAutostartEntry(g_settings.autoRun);

    SetBarShowsTime(g_settings.barText == 1);
    if (changes.showBarText)
        ShowBattery(bar);

    if (changes.rearmAlerts)
        RearmBatteryAlerts();

    // Dialogs and menus opened from now on speak it; the hub shows the
    // tooltip and the bar in it at once.
    if (changes.applyLanguage)
        SetUiLanguage(g_settings.language);

    if (changes.applyAlpha) {
        ShowWindow(bar, SW_HIDE);
        SetLayeredWindowAttributes(bar, COLOUR_KEY, g_settings.alpha, LWA_COLORKEY | LWA_ALPHA);
        // SW_SHOW would activate the bar, even with WS_EX_NOACTIVATE, and take
        // the focus from the user's window.
        ShowWindow(bar, SW_SHOWNA);
    }
}
