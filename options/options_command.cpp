#include "options/options_command.h"

#include "bar/bar_state.h"
#include "base/instance.h"
#include "base/messages.h"
#include "hook/hook_library.h"
#include "options/options_dialog.h"
#include "res/resource.h"
#include "settings/autostart.h"
#include "settings/settings.h"

INT_PTR(WINAPI* g_optionsDialogBox)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM) = DialogBoxParamW;
BOOL(WINAPI* g_killTimer)(HWND, UINT_PTR) = KillTimer;
UINT_PTR(WINAPI* g_setTimer)(HWND, UINT_PTR, UINT, TIMERPROC) = SetTimer;
LONG(WINAPI* g_setWindowLong)(HWND, int, LONG) = SetWindowLongW;
BOOL(WINAPI* g_showWindow)(HWND, int) = ShowWindow;
BOOL(WINAPI* g_setLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD) = SetLayeredWindowAttributes;
void (*g_updateAutostartEntry)(bool) = UpdateAutostartEntry;

namespace {

OptionValues StoredValues()
{
    return OptionValues{g_settings.interval, g_settings.alpha, g_settings.adhere, g_settings.ignoreDUI,
                        g_settings.autoRun};
}

void ApplyAdhere(HWND bar, AdhereSwitch change, bool repaintFrameActive)
{
    DWORD style;
    if (change == AdhereSwitch::On) {
        g_installCbtHook();
        style = BAR_EXSTYLE_ADHERING;
    } else {
        g_uninstallCbtHook();
        // Nobody reports the caption state any more: back to the active colours.
        if (repaintFrameActive)
            SetCaptionActive(bar, true);
        style = BAR_EXSTYLE_FLOATING;
    }
    g_setWindowLong(bar, GWL_EXSTYLE, static_cast<LONG>(style));
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
    OptionsDialogParam param{bar, StoredValues()};
    INT_PTR const result = g_optionsDialogBox(g_instance, MAKEINTRESOURCEW(IDD_OPTIONS), bar, OptionsDialogProc,
                                              reinterpret_cast<LPARAM>(&param));
    if (result != IDOK)
        return false;
    *chosen = param.values;
    return true;
}

void ApplyOptions(HWND bar, OptionValues const& chosen, bool countdownRunning)
{
    OptionChanges const changes =
        PlanOptionChanges(StoredValues(), chosen, countdownRunning, g_barView.captionActive);
    if (changes.storeInterval) {
        g_settings.interval = chosen.interval;
        // The countdown restarts the refresh with the stored interval when it ends.
        if (changes.restartRefreshTimer) {
            g_killTimer(bar, IDT_REFRESH);
            g_setTimer(bar, IDT_REFRESH, static_cast<UINT>(g_settings.interval), nullptr);
        }
    }

    // Read by the hook library only at start: takes effect after a restart.
    g_settings.ignoreDUI = chosen.ignoreDUI;

    if (changes.adhere != AdhereSwitch::Unchanged) {
        g_settings.adhere = chosen.adhere;
        ApplyAdhere(bar, changes.adhere, changes.repaintFrameActive);
    }

    if (changes.updateAutostart) {
        g_settings.autoRun = chosen.autoRun;
        g_updateAutostartEntry(g_settings.autoRun);
    }

    if (changes.applyAlpha) {
        g_settings.alpha = chosen.alpha;
        g_showWindow(bar, SW_HIDE);
        g_setLayeredWindowAttributes(bar, COLOUR_KEY, g_settings.alpha, LWA_COLORKEY | LWA_ALPHA);
        // SW_SHOW would activate the bar, even with WS_EX_NOACTIVATE, and take
        // the focus from the user's window.
        g_showWindow(bar, SW_SHOWNA);
    }
}
