#include "bar/bar_colours.h"

#include "bar/bar_state.h"
#include "bar/caption_colours.h"
#include "bar/colour_facts.h"
#include "base/desktop_window.h"
#include "base/messages.h"

namespace {

UINT const SETTLE_MS = 250;  // longer than the caption's fade on activation

void SetColours(CaptionColours const& active, CaptionColours const& inactive)
{
    g_barLook.activeCaption = active.caption;
    g_barLook.activeCaptionText = active.text;
    g_barLook.inactiveCaption = inactive.caption;
    g_barLook.inactiveCaptionText = inactive.text;
}

// The carrier's caption: what the screen shows beside the bar for the state
// it is in now, else what DWM draws for that window.
void ReadCarrierColours(HWND bar)
{
    ColourFacts facts = ReadColourFacts();
    if (!facts.windows10OrLater || facts.highContrast) {
        SetColours(ChooseCaptionColours(facts, true), ChooseCaptionColours(facts, false));
        return;
    }
    HWND const carrier = WindowBeside(bar);
    // A parked bar lies on the desktop, where there is no caption to match.
    bool const onCaption = carrier != nullptr && !IsDesktopWindow(carrier);
    facts.darkMode = onCaption && IsDarkWindow(carrier);
    facts.screenActive = g_barView.captionActive;
    facts.screenKnown = onCaption && ReadCaptionBeside(bar, &facts.screen);
    SetColours(ChooseCaptionColours(facts, true), ChooseCaptionColours(facts, false));
}

}  // namespace

void ReadCaptionColours()
{
    ColourFacts const facts = ReadColourFacts();
    SetColours(ChooseCaptionColours(facts, true), ChooseCaptionColours(facts, false));
}

void ScheduleCaptionColours(HWND bar)
{
    SetTimer(bar, IDT_CAPTION_COLOURS, SETTLE_MS, nullptr);
}

void OnCaptionColoursTimer(HWND bar, bool riding)
{
    KillTimer(bar, IDT_CAPTION_COLOURS);
    BarLook const before = g_barLook;
    if (riding)
        ReadCarrierColours(bar);
    else
        ReadCaptionColours();
    if (before.activeCaption != g_barLook.activeCaption || before.activeCaptionText != g_barLook.activeCaptionText ||
        before.inactiveCaption != g_barLook.inactiveCaption ||
        before.inactiveCaptionText != g_barLook.inactiveCaptionText)
        InvalidateRect(bar, nullptr, FALSE);
}

bool ChangesCaptionColours(WPARAM setting, LPARAM area)
{
    // A Mica or acrylic caption shows the wallpaper through it.
    if (setting == SPI_SETDESKWALLPAPER)
        return true;
    wchar_t const* name = reinterpret_cast<wchar_t const*>(area);
    return name != nullptr && lstrcmpW(name, L"ImmersiveColorSet") == 0;
}
