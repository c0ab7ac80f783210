#include "options/apply_options.h"

#include "app/autostart.h"
#include "app/messages.h"
#include "app/state.h"
#include "hook/hook_library.h"
#include "hook/host64.h"
#include "options/option_changes.h"
#include "options/options_dialog.h"
#include "res/resource.h"

INT_PTR(WINAPI* g_optionsDialogBox)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM) = DialogBoxParamW;
BOOL(WINAPI* g_killTimer)(HWND, UINT_PTR) = KillTimer;
UINT_PTR(WINAPI* g_setTimer)(HWND, UINT_PTR, UINT, TIMERPROC) = SetTimer;
LONG(WINAPI* g_setWindowLong)(HWND, int, LONG) = SetWindowLongW;
BOOL(WINAPI* g_showWindow)(HWND, int) = ShowWindow;
BOOL(WINAPI* g_setLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD) = SetLayeredWindowAttributes;
void (*g_updateAutostartEntry)(LONG) = UpdateAutostartEntry;

namespace {

OptionValues ValuesOf(SettingsBlock const& settings)
{
    return OptionValues{settings.interval, settings.alpha, settings.adhere, settings.ignoreDUI, settings.autoRun};
}

void ApplyAdhere(HWND bar, AdhereSwitch change, bool repaintFrameActive)
{
    DWORD style;
    if (change == AdhereSwitch::On) {
        g_installCbtHook();
        StartHost64();
        style = BAR_EXSTYLE_ADHERING;
    } else {
        // The host first: its hooks must be gone before ours go, or a
        // quick switch back on could race with its ending.
        StopHost64();
        g_uninstallCbtHook();
        // Nobody reports the caption state any more: back to the active colours.
        if (repaintFrameActive) {
            g_settings.captionActive = 1;
            RECT const frame{g_geometry.frame.left, g_geometry.frame.top, g_geometry.frame.right,
                             g_geometry.frame.bottom};
            InvalidateRect(bar, &frame, FALSE);
        }
        style = BAR_EXSTYLE_FLOATING;
    }
    g_setWindowLong(bar, GWL_EXSTYLE, static_cast<LONG>(style));
}

void TakeOptions(HWND bar, SettingsBlock const& chosen)
{
    OptionChanges const changes = PlanOptionChanges(ValuesOf(g_settings), ValuesOf(chosen),
                                                    g_settings.shutdownActive != 0, g_settings.captionActive != 0);
    if (changes.storeInterval) {
        g_settings.interval = chosen.interval;
        // During an auto-shutdown the countdown owns the timers; it restarts
        // the refresh with the stored interval when it ends.
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
        g_setLayeredWindowAttributes(bar, g_settings.colourKey, g_settings.alpha, LWA_COLORKEY | LWA_ALPHA);
        // SW_SHOW would activate the bar, even with WS_EX_NOACTIVATE, and take
        // the focus from the user's window.
        g_showWindow(bar, SW_SHOWNA);
    }
}

}  // namespace

LRESULT ApplyOptions(HWND bar)
{
    // The tray menu stays usable while the dialog is open: a second request
    // shows the dialog the user already has instead of stacking another.
    if (g_openOptionsDialog != nullptr) {
        SetForegroundWindow(g_openOptionsDialog);
        return 0;
    }
    OptionsDialogParam param;
    param.ownerWindow = bar;
    param.settings = g_settings;
    INT_PTR const result = g_optionsDialogBox(g_instance, MAKEINTRESOURCEW(IDD_OPTIONS), bar, OptionsDialogProc,
                                              reinterpret_cast<LPARAM>(&param));
    if (result == IDOK)
        TakeOptions(bar, param.settings);
    return 0;
}
